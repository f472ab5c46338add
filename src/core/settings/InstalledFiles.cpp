#include "core/settings/InstalledFiles.h"

#include <QDir>
#include <QFileInfo>

// The build passes the install layout as paths relative to the programs' folder.
#ifndef KESTREL_DATA_FROM_PROGRAMS
#error "KESTREL_DATA_FROM_PROGRAMS: the data folder relative to the programs' folder"
#endif
#ifndef KESTREL_HELPERS_FROM_PROGRAMS
#error "KESTREL_HELPERS_FROM_PROGRAMS: the helper folder relative to the programs' folder"
#endif

QString installedDataFolder(const QString& executableFolder) {
    const QString folder =
        QDir::cleanPath(executableFolder + u'/' + QStringLiteral(KESTREL_DATA_FROM_PROGRAMS));
    return QFileInfo(folder).isDir() ? folder : QString();
}

QString helperProgram(const QString& executableFolder, const QString& name) {
    const QString beside = executableFolder + u'/' + name;
    if (QFileInfo::exists(beside))
        return beside;
    return QDir::cleanPath(executableFolder + u'/' + QStringLiteral(KESTREL_HELPERS_FROM_PROGRAMS) +
                           u'/' + name);
}
