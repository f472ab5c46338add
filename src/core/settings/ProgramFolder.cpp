#include "core/settings/ProgramFolder.h"

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/OriginalCatalogue.h"
#include "core/settings/InstalledFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString inFolder(const QString& folder, const QString& name) {
    return folder + QDir::separator() + name;
}

// The user's folder of one kind, named like the program rather than after the application
// name, so that kestrel and kestrel-cli share it.
QString userFolder(QStandardPaths::StandardLocation location) {
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(location) +
                                    QStringLiteral("/kestrel"));
}

// Copies a shipped default into a user's folder when the folder lacks it. The copy must be
// the user's to change, whatever the mode of the installed file. Returns what went wrong.
QString copyDefault(const QString& name, const QString& from, const QString& to) {
    const QString source = inFolder(from, name);
    const QString target = inFolder(to, name);
    if (QFileInfo::exists(target) || !QFileInfo::exists(source))
        return QString();
    QFile file(source);
    if (!QDir().mkpath(to) || !file.copy(target) ||
        !QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner)) {
        const QString reason = file.error() != QFile::NoError
                                   ? file.errorString()
                                   : QStringLiteral("the folder cannot be made or written");
        return QStringLiteral("Kestrel cannot copy its default file\n%1\nto\n%2\n(%3).")
            .arg(source, target, reason);
    }
    return QString();
}

// The defaults of an installed program: the settings, and a catalogue unless the user already
// has one. The original ".mdb" is preferred, as the import makes the working catalogue from
// it; once the user has either file, nothing is put beside it, so that deleting the working
// catalogue imports the user's ".mdb" again as in a portable folder.
QString copyDefaults(const ProgramFolder& folder) {
    QString error = copyDefault(Settings::fileName(), folder.path, folder.configFolder());
    const QString data = folder.dataFolder();
    if (!error.isEmpty() || QFileInfo::exists(inFolder(data, Catalogue::fileName())) ||
        !findOriginalCatalogue(data).isEmpty())
        return error;
    const QString original = findOriginalCatalogue(folder.path);
    if (!original.isEmpty())
        return copyDefault(QFileInfo(original).fileName(), folder.path, data);
    return copyDefault(Catalogue::fileName(), folder.path, data);
}

} // namespace

ProgramFolder ProgramFolder::fromArguments(QStringList& arguments,
                                           const QString& executableFolder) {
    QString chosen;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--folder")) {
            if (i + 1 >= arguments.size()) {
                ProgramFolder result;
                result.error = QStringLiteral("--folder needs a folder");
                return result;
            }
            chosen = arguments[i + 1];
            arguments.remove(i, 2);
            --i;
        } else if (argument.startsWith(QLatin1String("--folder="))) {
            chosen = argument.mid(9);
            arguments.remove(i);
            --i;
        }
    }
    return locate(chosen, executableFolder);
}

ProgramFolder ProgramFolder::locate(const QString& chosen, const QString& executableFolder) {
    ProgramFolder result;
    const QString named = chosen.isEmpty() ? qEnvironmentVariable("KESTREL_FOLDER") : chosen;
    if (!named.isEmpty()) {
        const QFileInfo info(named);
        if (!info.isDir())
            result.error = QStringLiteral("The folder \"%1\" does not exist.").arg(named);
        else
            result.path = QDir::toNativeSeparators(info.absoluteFilePath());
        return result;
    }
    const QString installed = installedDataFolder(executableFolder);
    result.path = installed.isEmpty() ? executableFolder : QDir::toNativeSeparators(installed);
    if (installed.isEmpty() && QFileInfo(executableFolder).isWritable())
        return result;
    result.dataPath = userFolder(QStandardPaths::GenericDataLocation);
    result.configPath = userFolder(QStandardPaths::GenericConfigLocation);
    result.error = copyDefaults(result);
    return result;
}

QString ProgramFolder::shippedFile(const QString& name) const {
    return inFolder(path, name);
}

QString ProgramFolder::dataFile(const QString& name) const {
    return inFolder(dataFolder(), name);
}

Settings ProgramFolder::settings() const {
    return Settings(inFolder(configFolder(), Settings::fileName()));
}
