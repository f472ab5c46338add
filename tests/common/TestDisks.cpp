#include "common/TestDisks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace TestDisks {

QString missingTools() {
    for (const char* tool : {"hmsa", "mcopy", "mmd", "zip"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            return QStringLiteral("%1 is not installed (Debian: hatari, mtools, zip)")
                .arg(QLatin1String(tool));
    return QString();
}

bool runTool(const QString& folder, const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

bool makeDisk(const QString& st, const QString& msa) {
    QTemporaryDir work;
    const QString dir = work.path();
    QFile hello(work.filePath(QStringLiteral("HELLO.TXT")));
    QFile game(work.filePath(QStringLiteral("ZOOL.PRG")));
    if (!hello.open(QIODevice::WriteOnly) || !game.open(QIODevice::WriteOnly))
        return false;
    hello.write("hello\n");
    game.write(QByteArray(3000, 'z'));
    hello.close();
    game.close();
    const bool made =
        runTool(dir, "hmsa", {"disk.st", "DS"}) &&
        runTool(dir, "mcopy", {"-i", "disk.st", "-m", "HELLO.TXT", "::HELLO.TXT"}) &&
        runTool(dir, "mmd", {"-i", "disk.st", "::GAMES"}) &&
        runTool(dir, "mcopy", {"-i", "disk.st", "-m", "ZOOL.PRG", "::GAMES/ZOOL.PRG"});
    if (!made || !QDir().mkpath(QFileInfo(st).path()) || !QFile::copy(work.filePath("disk.st"), st))
        return false;
    if (msa.isEmpty())
        return true;
    runTool(dir, "hmsa", {"disk.st"}); // exits 1 even when it converted: its file tells
    return QDir().mkpath(QFileInfo(msa).path()) && QFile::copy(work.filePath("disk.msa"), msa);
}

} // namespace TestDisks
