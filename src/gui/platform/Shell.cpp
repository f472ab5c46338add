#include "gui/platform/Shell.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

// An ".exe" here is normally a Windows program, which Linux cannot run even with the
// executable bit; only one that is really a native program or a script is run directly.
bool isWindowsProgram(const QString& program) {
    if (!program.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive))
        return false;
    QFile file(program);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    const QByteArray head = file.read(4);
    return !head.startsWith("\x7f"
                            "ELF") &&
           !head.startsWith("#!");
}

QString started(const QString& program, const QStringList& arguments,
                const QString& workingFolder) {
    if (QProcess::startDetached(program, arguments, workingFolder))
        return {};
    return QStringLiteral("it could not be started");
}

} // namespace

QString SystemShell::start(const QString& program, const QStringList& arguments,
                           const QString& workingFolder) {
    QFileInfo info(program);
    // A bare name ("hatari") is looked for on PATH, as a shell would.
    if (!info.exists() && !program.isEmpty() && !program.contains(u'/')) {
        const QString found = QStandardPaths::findExecutable(program);
        if (!found.isEmpty())
            info.setFile(found);
    }
    if (!info.exists())
        return QStringLiteral("the program does not exist");
    if (info.isDir())
        return QStringLiteral("it is a folder");
    // Absolute, as the working folder is entered before the program is looked for.
    const QString path = info.absoluteFilePath();
    if (isWindowsProgram(path)) {
        const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
        if (wine.isEmpty())
            return QStringLiteral("it is a Windows program and wine is not installed");
        return started(wine, QStringList{path} + arguments, workingFolder);
    }
    if (!info.isExecutable())
        return QStringLiteral("it is not executable");
    return started(path, arguments, workingFolder);
}

void SystemShell::openUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}
