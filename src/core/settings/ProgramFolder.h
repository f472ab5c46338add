#pragma once

#include "core/settings/Settings.h"

#include <QString>
#include <QStringList>

// Where the program's files are. The program folder holds what is shipped with the program
// ("Instructions.txt", the default "Rummage.ini", the demo catalogue). A portable program
// folder (the executable's own, when it is writable and not part of an install, or the one
// "--folder DIR" or KESTREL_FOLDER names) also holds everything the user changes, as it always
// has. An installed program, or one in a folder the user cannot write, keeps the user's files
// in the XDG folders instead:
//   data   $XDG_DATA_HOME/kestrel (~/.local/share/kestrel): the catalogue, its backups, the
//          original ".mdb" to import, "Rummage.temp"
//   config $XDG_CONFIG_HOME/kestrel (~/.config/kestrel): "Rummage.ini"
// and copies the shipped defaults there when they are missing.
struct ProgramFolder {
    QString path;            // the program folder
    QString error;           // set when the options are malformed, the folder does not exist or the
                             // defaults cannot be copied
    QString dataPath = {};   // the user's data; empty: the program folder
    QString configPath = {}; // the user's settings; empty: the program folder

    // Takes "--folder DIR" / "--folder=DIR" out of `arguments` (the program name first), then
    // locates the folders as below.
    static ProgramFolder fromArguments(QStringList& arguments, const QString& executableFolder);

    // The folders of a run: `chosen` (the "--folder" option, else $KESTREL_FOLDER) when given,
    // else from the executable's folder. Copies the defaults the user's folders lack.
    static ProgramFolder locate(const QString& chosen, const QString& executableFolder);

    QString dataFolder() const { return dataPath.isEmpty() ? path : dataPath; }
    QString configFolder() const { return configPath.isEmpty() ? path : configPath; }

    // A file of each folder: the folder, the native separator, the name.
    QString shippedFile(const QString& name) const;
    QString dataFile(const QString& name) const;

    // "Rummage.ini" of the settings folder.
    Settings settings() const;
};
