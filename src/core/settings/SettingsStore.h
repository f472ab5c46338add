#pragma once

#include <QString>

#include <span>

// The program's settings live in "Rummage.ini", a Windows-style initialisation file that users
// also edit by hand. These two calls behave like the Windows private-profile functions: names
// match without regard to case, hand-written comments and layout survive a write, and every call
// goes to the file itself, so a change made by another program or by hand is seen at once.

// The value of `key` in `[section]` of `file`, or `defaultValue` when the file, the section or
// the key is missing. Never creates or changes the file.
QString readini(const QString& section, const QString& key, const QString& defaultValue,
                const QString& file);

// A key a write puts in with `value` when the file lacks it.
struct IniDefault {
    QString section;
    QString key;
    QString value;
    bool emptyIsMissing = false; // a key that is there with an empty value is put in too
};

// Sets `key` in `[section]` of `file` to `value`, creating the file, the section and the key as
// needed. In the same write, each of `defaults` the file lacks is first put in where a new key
// would go. A write that cannot be done leaves the old file as it was and throws FileError
// naming the file and the reason.
void writeini(const QString& section, const QString& key, const QString& value, const QString& file,
              std::span<const IniDefault> defaults = {});
