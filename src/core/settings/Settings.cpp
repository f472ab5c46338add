#include "core/settings/Settings.h"

#include "core/settings/SettingsStore.h"

namespace {

struct Definition {
    const char* section;
    const char* key;
    const char* defaultValue; // what a missing file, section or key reads as
};

// By SettingKey.
constexpr std::array<Definition, 8> kDefinitions{{
    {"colorder", "1", ""},
    {"colorder", "2", ""},
    {"order", "value", ""},
    {"order", "c1", ""},
    {"order", "c2", ""},
    {"order", "c3", ""},
    {"settings", "selected", ""},
    {"settings", "rootfolder", ""},
}};

const Definition& definition(SettingKey key) {
    return kDefinitions[size_t(key)];
}

const QString kProgramSection = QStringLiteral("settings");

} // namespace

QString Settings::value(SettingKey key) const {
    const Definition& d = definition(key);
    return readini(QLatin1String(d.section), QLatin1String(d.key), QLatin1String(d.defaultValue),
                   m_file);
}

void Settings::setValue(SettingKey key, const QString& value) const {
    const Definition& d = definition(key);
    writeini(QLatin1String(d.section), QLatin1String(d.key), value, m_file);
}

bool Settings::isOn(SettingKey key) const {
    bool ok = false;
    const short number = value(key).trimmed().toShort(&ok);
    return ok && number == 1;
}

void Settings::setOn(SettingKey key, bool on) const {
    setValue(key, on ? QStringLiteral("1") : QStringLiteral("0"));
}

ColumnCaptions Settings::columnCaptions() const {
    return {value(SettingKey::FirstColumn), value(SettingKey::SecondColumn)};
}

void Settings::storeColumnOrder(bool reversed) const {
    if (reversed) {
        setValue(SettingKey::FirstColumn, QStringLiteral("Group"));
        setValue(SettingKey::SecondColumn, QStringLiteral("Game"));
    } else {
        setValue(SettingKey::SecondColumn, QStringLiteral("Group"));
        setValue(SettingKey::FirstColumn, QStringLiteral("Game"));
    }
    setOn(SettingKey::ReverseColumns, reversed);
}

AvailabilityFilter Settings::availabilityFilter() const {
    return {isOn(SettingKey::ExcludeAvailable), isOn(SettingKey::ExcludeUnavailable),
            isOn(SettingKey::ExcludeUndumped)};
}

void Settings::storeAvailabilityFilter(const AvailabilityFilter& filter) const {
    setOn(SettingKey::ExcludeAvailable, filter.excludeAvailable);
    setOn(SettingKey::ExcludeUnavailable, filter.excludeUnavailable);
    setOn(SettingKey::ExcludeUndumped, filter.excludeUndumped);
}

Emulator Settings::emulator() const {
    return emulatorFromSetting(value(SettingKey::SelectedEmulator));
}

void Settings::storeEmulator(Emulator emulator) const {
    setValue(SettingKey::SelectedEmulator, QLatin1String(emulatorRow(emulator).setting));
}

ProgramPaths Settings::programPaths() const {
    ProgramPaths paths;
    for (const EmulatorRow& row : emulatorTable())
        paths.program(row.emulator) =
            readini(kProgramSection, QLatin1String(row.programKey), QString(), m_file);
    paths.rootFolder = value(SettingKey::RootFolder);
    return paths;
}

void Settings::storeProgramPaths(const ProgramPaths& paths) const {
    for (const EmulatorRow& row : emulatorTable())
        writeini(kProgramSection, QLatin1String(row.programKey), paths.program(row.emulator),
                 m_file);
    setValue(SettingKey::RootFolder, paths.rootFolder);
}
