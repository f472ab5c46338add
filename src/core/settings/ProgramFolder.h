#pragma once

#include "core/settings/Settings.h"

#include <QString>
#include <QStringList>

// The folder that holds the catalogue, "Rummage.ini", "Rummage.temp" and "Instructions.txt":
// the executable's own folder, unless "--folder DIR" or KESTREL_FOLDER names another.
struct ProgramFolder {
    QString path;
    QString error; // set when the options are malformed or the folder does not exist

    // Takes "--folder DIR" / "--folder=DIR" out of `arguments` (the program name first).
    static ProgramFolder fromArguments(QStringList& arguments, const QString& executableFolder);

    // A file of the folder: the folder, the native separator, the name.
    QString file(const QString& name) const;

    // "Rummage.ini" of the folder.
    Settings settings() const { return Settings(file(Settings::fileName())); }
};
