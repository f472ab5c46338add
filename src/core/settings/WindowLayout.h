#pragma once

#include "core/settings/Settings.h"

#include <QSize>

#include <optional>

// How the user left the main window: its size, whether it was maximised, the width of the
// first result column and whether the disk's files were shown, kept in "Rummage.ini" in a section
// of Kestrel's own. A part that was never stored, or does not hold a positive number, is left to
// the window's own default.
struct WindowLayout {
    std::optional<QSize> size; // in pixels, as when not maximised
    bool maximised = false;
    std::optional<int> firstColumnWidth; // in pixels
    bool diskFilesShown = false;         // the panel of the selected disk's files

    bool operator==(const WindowLayout&) const = default;
};

WindowLayout readWindowLayout(const Settings& settings);
// Throws FileError, as every settings write, when the file cannot be written.
void storeWindowLayout(const Settings& settings, const WindowLayout& layout);
