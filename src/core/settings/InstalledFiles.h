#pragma once

#include <QString>

// Where an install puts what the programs read besides themselves, found from the programs'
// own folder: the same build runs from its build tree, from a portable folder and from an
// install under any prefix (/usr, /usr/local, ~/.local).

// The installed data folder, "<prefix>/share/kestrel" beside "<prefix>/bin", or the empty
// text when the executable's folder is not part of an install.
QString installedDataFolder(const QString& executableFolder);

// A helper program of ours: beside the executable (a build tree or a portable folder), else
// in the install's helper folder, "<prefix>/libexec/kestrel".
QString helperProgram(const QString& executableFolder, const QString& name);
