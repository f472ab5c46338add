#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// One run of a program to its end: exit status (-1 when it crashed or did not start),
// standard output and standard error as they came.
struct ProgramRun {
    int status = -1;
    QString out;
    QString err;
};

inline ProgramRun
runProgram(const QString& program, const QStringList& arguments,
           const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    process.waitForFinished(300000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The environment without what would choose the folders for the programs: a fresh HOME
// and no KESTREL_FOLDER or XDG folders.
inline QProcessEnvironment homeEnvironment(const QString& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"KESTREL_FOLDER", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
        env.remove(QLatin1String(name));
    env.insert(QStringLiteral("HOME"), home);
    return env;
}
