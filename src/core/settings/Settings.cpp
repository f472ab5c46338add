#include "core/settings/Settings.h"

#include "core/settings/SettingsStore.h"

#include <QList>

namespace {

struct Name {
    const char* section;
    const char* key;
};

// By SettingKey.
constexpr std::array<Name, 10> kNames{{
    {"colorder", "1"},
    {"colorder", "2"},
    {"order", "value"},
    {"order", "c1"},
    {"order", "c2"},
    {"order", "c3"},
    {"settings", "selected"},
    {"settings", "rootfolder"},
    // A section of the program's own, apart from those the older files know.
    {"Kestrel", "TosImage"},
    {"Kestrel", "ExtraArguments"},
}};

const Name& name(SettingKey key) {
    return kNames[size_t(key)];
}

const QString kProgramSection = QStringLiteral("settings");

// Every key of the settings file the program is delivered with, in the order it has there, and
// its value.
const QList<IniDefault>& deliveredKeys() {
    static const QList<IniDefault> keys = [] {
        QList<IniDefault> all;
        // An empty caption leaves the search without an order and fails it; an empty switch or
        // emulator choice is no choice.
        const auto add = [&](const char* section, const QString& key, const char* value,
                             bool emptyIsMissing) {
            all.append({QLatin1String(section), key, QLatin1String(value), emptyIsMissing});
        };
        add("colorder", QStringLiteral("1"), "Game", true);
        add("colorder", QStringLiteral("2"), "Group", true);
        add("order", QStringLiteral("value"), "0", true);
        for (const char* key : {"c1", "c2", "c3"})
            add("order", QLatin1String(key), "0", true);
        add("searchbox", QStringLiteral("1"), "endmru", false);
        for (int key = 2; key <= 10; ++key)
            add("searchbox", QString::number(key), "", false);
        add("settings", QStringLiteral("selected"), "hatari", true);
        for (const EmulatorRow& row : emulatorTable())
            add("settings", QLatin1String(row.programKey), "", false);
        add("settings", QStringLiteral("rootfolder"), "", false);
        return all;
    }();
    return keys;
}

const IniDefault* delivered(const QString& section, const QString& key) {
    for (const IniDefault& d : deliveredKeys()) {
        if (d.section.compare(section.trimmed(), Qt::CaseInsensitive) == 0 &&
            d.key.compare(key.trimmed(), Qt::CaseInsensitive) == 0)
            return &d;
    }
    return nullptr;
}

} // namespace

QString readSetting(const QString& section, const QString& key, const QString& file) {
    const IniDefault* d = delivered(section, key);
    if (!d)
        return readini(section, key, QString(), file);
    const QString value = readini(section, key, d->value, file);
    return value.isEmpty() && d->emptyIsMissing ? d->value : value;
}

void writeSetting(const QString& section, const QString& key, const QString& value,
                  const QString& file) {
    writeini(section, key, value, file, deliveredKeys());
}

QString Settings::value(SettingKey key) const {
    const Name& n = name(key);
    return readSetting(QLatin1String(n.section), QLatin1String(n.key), m_file);
}

void Settings::setValue(SettingKey key, const QString& value) const {
    const Name& n = name(key);
    writeSetting(QLatin1String(n.section), QLatin1String(n.key), value, m_file);
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
            readSetting(kProgramSection, QLatin1String(row.programKey), m_file);
    paths.rootFolder = value(SettingKey::RootFolder);
    paths.options = {value(SettingKey::TosImage), value(SettingKey::ExtraArguments)};
    return paths;
}

void Settings::storeProgramPaths(const ProgramPaths& paths) const {
    for (const EmulatorRow& row : emulatorTable())
        writeSetting(kProgramSection, QLatin1String(row.programKey), paths.program(row.emulator),
                     m_file);
    setValue(SettingKey::RootFolder, paths.rootFolder);
    for (const auto& [key, option] :
         {std::pair{SettingKey::TosImage, &paths.options.tosImage},
          std::pair{SettingKey::ExtraArguments, &paths.options.extraArguments}})
        if (value(key) != *option)
            setValue(key, *option);
}
