#pragma once

#include <QString>

#include <array>
#include <span>

// The emulators a disk can be started in.
enum class Emulator { Steem, Stew, Saint, Hatari };

// Everything the program knows of one emulator, listed once: the window's Emulator menu, the
// Settings dialog, the settings file, Play and kestrel-cli all read this table.
struct EmulatorRow {
    Emulator emulator;
    const char* setting;    // its value of the `selected` setting
    const char* programKey; // the setting that holds its program's path
    const char* menuItem;   // objectName and caption of its Emulator menu item
    const char* menuCaption;
    const char* settingsFrame;   // its row of the Settings dialog: frame, caption, path box and
    const char* settingsCaption; // browse button (objectNames)
    const char* pathBox;
    const char* browseButton;
    const char* notConfigured; // Play's refusal when the program is not the one expected
    std::array<const char*, 2> programNames; // file names accepted, exactly, case included
};

// In menu order.
std::span<const EmulatorRow> emulatorTable();
const EmulatorRow& emulatorRow(Emulator emulator);

// The emulator a `selected` setting names; any other text, the empty text too, is SainT.
Emulator emulatorFromSetting(const QString& selected);
