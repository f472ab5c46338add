#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

// Starting other programs and opening addresses, behind an interface so that tests can see
// what would have been started.
class Shell {
public:
    virtual ~Shell() = default;

    // Starts `program` detached with `arguments` in `workingFolder` ("" for the current one).
    // Returns the empty text when it started, otherwise why not, in words for the user.
    virtual QString start(const QString& program, const QStringList& arguments,
                          const QString& workingFolder) = 0;

    virtual void openUrl(const QUrl& url) = 0;
};

// The real one: a Windows program (".exe") that cannot be run directly goes through wine
// when wine is installed.
class SystemShell : public Shell {
public:
    QString start(const QString& program, const QStringList& arguments,
                  const QString& workingFolder) override;
    void openUrl(const QUrl& url) override;
};

// Records every request; answers with `failure` ("" for success).
class RecordingShell : public Shell {
public:
    struct Started {
        QString program;
        QStringList arguments;
        QString workingFolder;
    };

    QString failure;
    QList<Started> started;
    QList<QUrl> opened;

    QString start(const QString& program, const QStringList& arguments,
                  const QString& workingFolder) override {
        started.append({program, arguments, workingFolder});
        return failure;
    }
    void openUrl(const QUrl& url) override { opened.append(url); }
};
