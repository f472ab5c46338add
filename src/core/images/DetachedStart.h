#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

// Where a program started detached leaves word of its first moments: its standard output and
// error in one file, and its exit status in another, written by the shell that waits for it.
// Both lie in a private temporary folder that goes with the record; a program still running
// then writes on into a removed file, and its shell's status goes nowhere.
class StartRecord {
public:
    StartRecord();

    bool isValid() const { return m_dir.isValid(); }
    QString outputFile() const { return m_dir.filePath(QStringLiteral("output")); }
    QString statusFile() const { return m_dir.filePath(QStringLiteral("status")); }

    // The exit status once the program has ended (128 + N when signal N ended it).
    std::optional<int> exitStatus() const;
    // The last `count` lines it printed.
    QString lastLines(int count = 15) const;

private:
    QTemporaryDir m_dir;
};

// Starts `program` detached with `arguments` in `workingFolder` ("" for the current one): a
// bare name is looked for on PATH, a Windows program (".exe") that cannot run here goes through
// wine. With a record, it runs under /bin/sh, which writes its exit status there, its output
// going there too. Returns "" when it started, otherwise why not, in words for the user.
QString startDetachedProgram(const QString& program, const QStringList& arguments,
                             const QString& workingFolder, StartRecord* record = nullptr);

// How long a start is watched: an emulator that fails stops within this time, one that works
// runs on, and is let go.
constexpr int kStartWatchMilliseconds = 4000;

// The message when a program could not be started at all.
QString notStartedText(const QString& program, const QString& reason);
// The message when it ended at once with a failure.
QString failedStartText(const QString& program, int exitStatus, const QString& lastLines);
