#pragma once

#include "core/images/EmulatorLaunch.h"
#include "core/images/Emulators.h"
#include "core/search/SearchClauses.h"

#include <QString>

#include <array>

// Every fixed setting of "Rummage.ini". The search history ("searchbox", keys "1" to "10")
// is kept by the search history module.
enum class SettingKey {
    FirstColumn,        // [colorder] 1: the field the first result column shows, "Game" or "Group"
    SecondColumn,       // [colorder] 2: the other one
    ReverseColumns,     // [order] value: "1" when the disk title comes first
    ExcludeAvailable,   // [order] c1: the three availability filters, "0" or "1"
    ExcludeUnavailable, // [order] c2
    ExcludeUndumped,    // [order] c3
    SelectedEmulator,   // [settings] selected: an emulator's setting value
    RootFolder,         // [settings] rootfolder: the folder the disk images lie under
    TosImage,           // [Kestrel] TosImage: the TOS image Hatari is given; may be empty
    ExtraArguments,     // [Kestrel] ExtraArguments: added to every emulator's; may be empty
};

// The emulator programs, their options and the root game folder: what the Settings dialog
// edits.
struct ProgramPaths {
    std::array<QString, 4> programs; // by Emulator
    QString rootFolder;
    EmulatorOptions options;

    QString& program(Emulator emulator) { return programs[size_t(emulator)]; }
    const QString& program(Emulator emulator) const { return programs[size_t(emulator)]; }
    bool operator==(const ProgramPaths&) const = default;
};

// Any key of the settings file, search history included. A key the file lacks reads as the
// value the program is delivered with (data/Rummage.ini); so do the column captions, the
// switches and the chosen emulator when they are there but empty, as no empty value of theirs
// means anything. Program paths, the root folder and history entries may be empty.
QString readSetting(const QString& section, const QString& key, const QString& file);
// Every write also puts back each delivered key the file lacks, so that a missing, emptied or
// damaged file is whole again after the next change; every other line stays as it was.
void writeSetting(const QString& section, const QString& key, const QString& value,
                  const QString& file);

// The captions of the first two result columns, which are the field names they show.
struct ColumnCaptions {
    QString first;
    QString second;
};

// The settings file, typed. Nothing is cached: every read goes to the file and every write
// changes it at once, so a hand edit is seen straight away.
class Settings {
public:
    static QString fileName() { return QStringLiteral("Rummage.ini"); }

    explicit Settings(QString file) : m_file(std::move(file)) {}
    const QString& file() const { return m_file; }

    // As readSetting() and writeSetting().
    QString value(SettingKey key) const;
    void setValue(SettingKey key, const QString& value) const;

    // A switch is on when it holds the number 1; anything else, missing included, is off.
    bool isOn(SettingKey key) const;
    void setOn(SettingKey key, bool on) const;

    ColumnCaptions columnCaptions() const;
    // "Group" first when reversed, "Game" first otherwise; then the switch itself.
    void storeColumnOrder(bool reversed) const;

    AvailabilityFilter availabilityFilter() const;
    void storeAvailabilityFilter(const AvailabilityFilter& filter) const;

    Emulator emulator() const;
    void storeEmulator(Emulator emulator) const;

    ProgramPaths programPaths() const;
    // In the order of the dialog; an option is written only when it changed, so that a file
    // of someone who never set one stays as it was.
    void storeProgramPaths(const ProgramPaths& paths) const;

private:
    QString m_file;
};
