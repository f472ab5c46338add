#include "core/images/DetachedStart.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

// Output beyond this much of the end is not read: the last lines are all that is shown.
constexpr qint64 kTailBytes = 64 * 1024;

// The program and its arguments reach the shell as positional parameters, never as script
// text: paths hold quotes, spaces and "$".
const QString kWrapper = QStringLiteral("status=$1; shift; \"$@\"; echo $? > \"$status\"");

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

QString started(const QString& program, const QStringList& arguments, const QString& workingFolder,
                StartRecord* record) {
    QProcess process;
    process.setWorkingDirectory(workingFolder);
    if (record && record->isValid()) {
        process.setProgram(QStringLiteral("/bin/sh"));
        process.setArguments(QStringList{QStringLiteral("-c"), kWrapper, QStringLiteral("sh"),
                                         record->statusFile(), program} +
                             arguments);
        // Both in append mode: two handles on one file, neither writing over the other.
        process.setStandardOutputFile(record->outputFile(), QIODevice::Append);
        process.setStandardErrorFile(record->outputFile(), QIODevice::Append);
    } else {
        process.setProgram(program);
        process.setArguments(arguments);
    }
    if (process.startDetached())
        return {};
    return QStringLiteral("it could not be started");
}

} // namespace

StartRecord::StartRecord() {
    m_dir.setAutoRemove(true);
}

std::optional<int> StartRecord::exitStatus() const {
    QFile file(statusFile());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    bool ok = false;
    const int status = file.readAll().trimmed().toInt(&ok);
    // Empty while the shell is still writing it.
    return ok ? std::optional<int>(status) : std::nullopt;
}

QString StartRecord::lastLines(int count) const {
    QFile file(outputFile());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    if (file.size() > kTailBytes)
        file.seek(file.size() - kTailBytes);
    QStringList lines = QString::fromLocal8Bit(file.readAll()).split(u'\n');
    while (!lines.isEmpty() && lines.constLast().trimmed().isEmpty())
        lines.removeLast();
    return lines.mid(qMax<qsizetype>(0, lines.size() - count)).join(u'\n');
}

QString startDetachedProgram(const QString& program, const QStringList& arguments,
                             const QString& workingFolder, StartRecord* record) {
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
        return started(wine, QStringList{path} + arguments, workingFolder, record);
    }
    if (!info.isExecutable())
        return QStringLiteral("it is not executable");
    return started(path, arguments, workingFolder, record);
}

QString notStartedText(const QString& program, const QString& reason) {
    return QStringLiteral("The emulator could not be started:\n%1\n\n%2.").arg(program, reason);
}

QString failedStartText(const QString& program, int exitStatus, const QString& lastLines) {
    // The shell reports a program ended by signal N as 128 + N.
    const QString ending = exitStatus > 128
                               ? QStringLiteral("was ended by signal %1").arg(exitStatus - 128)
                               : QStringLiteral("ended with exit status %1").arg(exitStatus);
    const QString printed = lastLines.isEmpty() ? QStringLiteral("It printed nothing.")
                                                : QStringLiteral("It printed:\n\n") + lastLines;
    return QStringLiteral("The emulator stopped straight away:\n%1\n\nIt %2. %3")
        .arg(program, ending, printed);
}
