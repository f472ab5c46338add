#pragma once

#include "common/TestFolder.h"

#include <QTest>

// Each command has one table whose first columns are these: the arguments, the exit status, the
// lines of standard output ("<folder>" standing for the program folder) and a text that
// standard error holds. Further columns follow them.
inline void addCliColumns() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("message");
}

inline QTestData& cliRow(const char* name, const QStringList& arguments, int status,
                         const QStringList& lines = {}, const char* message = "") {
    return QTest::newRow(name) << arguments << status << lines << QString::fromUtf8(message);
}

// Runs `command` with the current row's arguments on `folder` and checks what came out.
inline CliRun runCliRow(const TestFolder& folder, const QString& command = {}) {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QStringList, lines);
    QFETCH(QString, message);
    if (!command.isEmpty())
        arguments.prepend(command);
    const CliRun run = runCli(folder, arguments);
    lines.replaceInStrings(QStringLiteral("<folder>"), folder.path());
    [&] {
        QCOMPARE(run.status, status);
        QCOMPARE(run.lines, lines);
        QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
    }();
    return run;
}

// The default settings with the list's two columns stored in the other order, so that a line
// written in the default order by mistake shows.
inline QString swappedColumnSettings() {
    return TestFolder::defaultSettings()
        .replace(QStringLiteral("1=Game"), QStringLiteral("1=Group"))
        .replace(QStringLiteral("2=Group"), QStringLiteral("2=Game"));
}
