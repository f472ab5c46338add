#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

class StartRecord;

// Starting other programs and opening addresses, behind an interface so that tests can see
// what would have been started.
class Shell {
public:
    virtual ~Shell() = default;

    // Starts `program` detached with `arguments` in `workingFolder` ("" for the current one),
    // its first moments kept in `record` when one is given (see startDetachedProgram()).
    // Returns the empty text when it started, otherwise why not, in words for the user.
    virtual QString start(const QString& program, const QStringList& arguments,
                          const QString& workingFolder, StartRecord* record = nullptr) = 0;

    virtual void openUrl(const QUrl& url) = 0;
};

// The real one: a Windows program (".exe") that cannot be run directly goes through wine
// when wine is installed.
class SystemShell : public Shell {
public:
    QString start(const QString& program, const QStringList& arguments,
                  const QString& workingFolder, StartRecord* record = nullptr) override;
    void openUrl(const QUrl& url) override;
};

// Records every request; answers with `failure` ("" for success), or hands the start on to
// `then` when one is set, for tests that need the program to run.
class RecordingShell : public Shell {
public:
    struct Started {
        QString program;
        QStringList arguments;
        QString workingFolder;
    };

    QString failure;
    Shell* then = nullptr;
    QList<Started> started;
    QList<QUrl> opened;

    QString start(const QString& program, const QStringList& arguments,
                  const QString& workingFolder, StartRecord* record = nullptr) override {
        started.append({program, arguments, workingFolder});
        return then ? then->start(program, arguments, workingFolder, record) : failure;
    }
    void openUrl(const QUrl& url) override { opened.append(url); }
};
