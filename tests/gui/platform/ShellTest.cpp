#include "gui/platform/Shell.h"

#include "common/TestFolder.h"
#include "common/TestRegistry.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

void writeFile(const QString& path, const QByteArray& bytes, bool executable) {
    QVERIFY(writeFileBytes(path, bytes) &&
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner |
                                            (executable ? QFile::ExeOwner : QFile::Permissions())));
}

// A script that writes the folder it runs in and then each of its arguments, each ended by NUL
// so that empty ones and line breaks survive, into `out`; moved into place only when complete.
QByteArray recorder(const QString& out) {
    const QByteArray quoted = '\'' + out.toUtf8();
    return "#!/bin/sh\nprintf '%s\\0' \"$(pwd -P)\" \"$@\" > " + quoted + ".part' && mv " + quoted +
           ".part' " + quoted + "'\n";
}

// What the recorder wrote: the folder, then the arguments.
QStringList record(const QString& out) {
    QStringList fields;
    for (const QByteArray& field : fileBytes(out).chopped(1).split('\0'))
        fields.append(QString::fromUtf8(field));
    return fields;
}

// The first bytes of a Windows program.
const QByteArray windowsProgram = QByteArray("MZ\x90\0\3\0\0\0", 8) + QByteArray(56, '\0');

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

public Q_SLOTS:
    void receiveUrl(const QUrl& url) { m_urls.append(url); }

private Q_SLOTS:
    void init() {
        m_path = qgetenv("PATH");
        m_dir.emplace();
        QVERIFY(QDir().mkpath(file("work")) && QDir().mkpath(file("bin")));
        // A wine that records into "wine-out", found first on PATH.
        writeFile(file("bin/wine"), recorder(file("wine-out")), true);
        qputenv("PATH", QFile::encodeName(file("bin")) + ':' + m_path);
    }
    void cleanup() { qputenv("PATH", m_path); }

    // Each row: the program under the test folder (one in "bin", which is on PATH, started by
    // its bare name), its bytes ("script" for the recorder), whether it is marked executable,
    // the working folder ("" for the current one), and whether it is to go through wine.
    void starts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("executable");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("throughWine");
        const QByteArray script = "script";
        QTest::newRow("spaces everywhere")
            << "my stub" << script << true << "st emus/Sain T" << false;
        QTest::newRow("current folder") << "stub" << script << true << "" << false;
        QTest::newRow("found on PATH")
            << "bin/kestrel-recorder" << script << true << "work" << false;
        QTest::newRow("script named .exe") << "stub.exe" << script << true << "work" << false;
        QTest::newRow("windows program") << "Steem.exe" << windowsProgram << true << "work" << true;
        QTest::newRow("upper case EXE") << "STEEM.EXE" << windowsProgram << true << "work" << true;
        QTest::newRow("not marked executable")
            << "stew.exe" << windowsProgram << false << "work" << true;
        QTest::newRow("empty file") << "winston.exe" << QByteArray() << true << "work" << true;
    }
    void starts() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, executable);
        QFETCH(QString, folder);
        QFETCH(bool, throughWine);
        const QString program = file(name);
        writeFile(program, content == "script" ? recorder(file("out")) : content, executable);
        const QString workingFolder = folder.isEmpty() ? QString() : file(folder);
        QVERIFY(QDir().mkpath(file(folder)));
        const QStringList arguments{"DISK 1.ST", "\"quoted\"", "\"\"\"\"\"",  "it's",
                                    "",          " padded ",   "back\\slash", "$HOME",
                                    "a;b|c&d",   "*",          "two\nlines",  "\u00c9lan \u2013 3"};

        QCOMPARE(SystemShell().start(name.startsWith("bin/") ? name.sliced(4) : program, arguments,
                                     workingFolder),
                 QString());
        const QString out = file(throughWine ? "wine-out" : "out");
        QTRY_VERIFY(QFile::exists(out));
        const QString ranIn =
            QFileInfo(folder.isEmpty() ? QDir::currentPath() : workingFolder).canonicalFilePath();
        QCOMPARE(record(out), QStringList{ranIn} +
                                  (throughWine ? QStringList{program} : QStringList()) + arguments);
        QVERIFY(!QFile::exists(file(throughWine ? "out" : "wine-out")));
    }

    // Each row: the program's name in the test folder, what it is, the working folder, and the
    // reason given.
    void refuses_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind"); // "none", "folder", "text", "script" or "windows"
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("reason");
        const auto row = [](const char* tag, const char* name, const char* kind, const char* folder,
                            const char* reason) {
            QTest::newRow(tag) << QString::fromUtf8(name) << QString::fromUtf8(kind)
                               << QString::fromUtf8(folder) << QString::fromUtf8(reason);
        };
        row("missing", "gone", "none", "work", "the program does not exist");
        row("folder named .exe", "Steem.exe", "folder", "work", "it is a folder");
        row("not executable", "stub", "text", "work", "it is not executable");
        row("windows program without wine", "Steem.exe", "windows", "work",
            "it is a Windows program and wine is not installed");
        row("missing working folder", "stub", "script", "gone", "it could not be started");
    }
    void refuses() {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, folder);
        QFETCH(QString, reason);
        const QString program = file(name);
        if (kind == u"folder")
            QVERIFY(QDir().mkpath(program));
        if (kind == u"text" || kind == u"script")
            writeFile(program, "#!/bin/sh\n", kind == u"script");
        if (kind == u"windows") {
            writeFile(program, windowsProgram, true);
            qputenv("PATH", QFile::encodeName(file("work"))); // no wine there
        }
        QCOMPARE(SystemShell().start(program, {QStringLiteral("DISK 1.ST")}, file(folder)), reason);
    }

    void opensUrl() {
        QDesktopServices::setUrlHandler(QStringLiteral("kestrel-test"), this, "receiveUrl");
        const QUrl url(QStringLiteral("kestrel-test://disks/DISK%20001.ST"));
        SystemShell().openUrl(url);
        QDesktopServices::unsetUrlHandler(QStringLiteral("kestrel-test"));
        QCOMPARE(m_urls, QList<QUrl>{url});
    }

private:
    QString file(const QString& name) const { return m_dir->filePath(name); }

    QByteArray m_path;
    std::optional<QTemporaryDir> m_dir;
    QList<QUrl> m_urls;
};

KESTREL_TEST(ShellTest)
#include "ShellTest.moc"
