#pragma once

#include <QString>

// The program's settings live in "Rummage.ini", a Windows-style initialisation file that users
// also edit by hand. These two calls behave like the Windows private-profile functions: names
// match without regard to case, hand-written comments and layout survive a write, and every call
// goes to the file itself, so a change made by another program or by hand is seen at once.

// The value of `key` in `[section]` of `file`, or `defaultValue` when the file, the section or
// the key is missing. Never creates or changes the file.
QString readini(const QString& section, const QString& key, const QString& defaultValue,
                const QString& file);

// Sets `key` in `[section]` of `file` to `value`, creating the file, the section and the key as
// needed. A write that cannot be done leaves the old file as it was and throws FileError naming
// the file and the reason.
void writeini(const QString& section, const QString& key, const QString& value,
              const QString& file);
