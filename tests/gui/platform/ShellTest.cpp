#include "gui/platform/Shell.h"

#include "common/TestRegistry.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

struct Recorded {
    QString folder;
    QStringList arguments;
};

void writeFile(const QString& path, const QByteArray& bytes, bool executable) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QCOMPARE(file.write(bytes), bytes.size());
    file.close();
    QFileDevice::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
    if (executable)
        permissions |= QFile::ExeOwner;
    QVERIFY(file.setPermissions(permissions));
}

// A program that writes the folder it runs in and then each of its arguments, ended by NUL
// so that empty ones and line breaks survive, into `out`. The file is moved into place
// only when complete, so a reader never sees half of it.
QByteArray recorder(const QString& out) {
    const QByteArray quoted = '\'' + out.toUtf8();
    return "#!/bin/sh\n"
           "{ pwd -P; for a in \"$@\"; do printf '%s\\0' \"$a\"; done; } > " +
           quoted + ".part' && mv " + quoted + ".part' " + quoted + "'\n";
}

Recorded readRecord(const QString& out) {
    QFile file(out);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const qsizetype lineEnd = bytes.indexOf('\n');
    Recorded record;
    record.folder = QString::fromUtf8(bytes.left(lineEnd));
    QByteArray rest = bytes.mid(lineEnd + 1);
    if (rest.endsWith('\0'))
        rest.chop(1);
    if (!rest.isEmpty()) {
        for (const QByteArray& argument : rest.split('\0'))
            record.arguments.append(QString::fromUtf8(argument));
    }
    return record;
}

QString canonical(const QString& folder) {
    return QFileInfo(folder).canonicalFilePath();
}

// The first bytes of a Windows program.
const QByteArray windowsProgram = QByteArray("MZ\x90\0\3\0\0\0", 8) + QByteArray(56, '\0');

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

public Q_SLOTS:
    void receiveUrl(const QUrl& url) { m_urls.append(url); }

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void startsProgram_data();
    void startsProgram();
    void startsProgramFoundOnPath();
    void startsWindowsProgramThroughWine_data();
    void startsWindowsProgramThroughWine();
    void refuses_data();
    void refuses();

    void opensUrl();

private:
    // A folder on PATH, ahead of the rest, whose "wine" records into wineOut().
    void putFakeWineOnPath();
    QString file(const QString& name) const { return m_dir->filePath(name); }
    QString out() const { return file(QStringLiteral("out")); }
    QString wineOut() const { return file(QStringLiteral("wine-out")); }

    QByteArray m_path;
    std::optional<QTemporaryDir> m_dir;
    QList<QUrl> m_urls;
};

void ShellTest::initTestCase() {
    m_path = qgetenv("PATH");
}

void ShellTest::init() {
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("work")));
}

void ShellTest::cleanup() {
    qputenv("PATH", m_path);
}

void ShellTest::putFakeWineOnPath() {
    const QString bin = file(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(bin));
    writeFile(bin + QStringLiteral("/wine"), recorder(wineOut()), true);
    qputenv("PATH", QFile::encodeName(bin) + ':' + m_path);
}

void ShellTest::startsProgram_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("folder"); // under the test folder; empty for the current one

    QTest::newRow("no arguments") << "stub" << QStringList() << "work";
    QTest::newRow("spaces and quotes")
        << "stub"
        << QStringList{"DISK 1.ST",   "\"quoted\"", "\"\"\"\"\"", "it's", "",        " padded ",
                       "back\\slash", "$HOME",      "a;b|c&d",    "*",    "--disk-b"}
        << "work";
    QTest::newRow("line breaks and non-ASCII")
        << "stub" << QStringList{"two\nlines", "\u00c9lan \u2013 3.st", "tab\there"} << "work";
    QTest::newRow("folder with spaces") << "stub" << QStringList{"x"} << "st emus/Sain T";
    QTest::newRow("current folder") << "stub" << QStringList{"x"} << "";
    QTest::newRow("program name with spaces") << "my stub" << QStringList{"a b"} << "work";
    QTest::newRow("script named .exe") << "stub.exe" << QStringList{"a b"} << "work";
    QTest::newRow("script named .EXE") << "STUB.EXE" << QStringList{"a b"} << "work";
}

void ShellTest::startsProgram() {
    QFETCH(QString, name);
    QFETCH(QStringList, arguments);
    QFETCH(QString, folder);

    // A wine that answered would leave the stub's own output missing.
    putFakeWineOnPath();
    const QString program = file(name);
    writeFile(program, recorder(out()), true);
    const QString workingFolder = folder.isEmpty() ? QString() : file(folder);
    if (!folder.isEmpty())
        QVERIFY(QDir().mkpath(workingFolder));

    SystemShell shell;
    QCOMPARE(shell.start(program, arguments, workingFolder), QString());
    QTRY_VERIFY(QFile::exists(out()));
    const Recorded record = readRecord(out());
    QCOMPARE(record.folder, canonical(folder.isEmpty() ? QDir::currentPath() : workingFolder));
    QCOMPARE(record.arguments, arguments);
    QVERIFY(!QFile::exists(wineOut()));
}

void ShellTest::startsProgramFoundOnPath() {
    const QString bin = file(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(bin));
    writeFile(bin + QStringLiteral("/kestrel-recorder"), recorder(out()), true);
    qputenv("PATH", QFile::encodeName(bin) + ':' + m_path);

    SystemShell shell;
    const QStringList arguments{"DISK 1.ST"};
    QCOMPARE(shell.start(QStringLiteral("kestrel-recorder"), arguments, file("work")), QString());
    QTRY_VERIFY(QFile::exists(out()));
    const Recorded record = readRecord(out());
    QCOMPARE(record.folder, canonical(file("work")));
    QCOMPARE(record.arguments, arguments);
}

void ShellTest::startsWindowsProgramThroughWine_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("executable");

    QTest::newRow("windows program") << "Steem.exe" << windowsProgram << true;
    QTest::newRow("upper case EXE") << "STEEM.EXE" << windowsProgram << true;
    QTest::newRow("mixed case Exe") << "SainT161.Exe" << windowsProgram << true;
    QTest::newRow("not marked executable") << "stew.exe" << windowsProgram << false;
    QTest::newRow("spaces in the name") << "Steem 3.exe" << windowsProgram << true;
    QTest::newRow("empty file") << "winston.exe" << QByteArray() << true;
}

void ShellTest::startsWindowsProgramThroughWine() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, executable);

    putFakeWineOnPath();
    const QString program = file(name);
    writeFile(program, content, executable);

    SystemShell shell;
    const QStringList arguments{"-autorun", "SainT.ini", "DISK 1.ST"};
    QCOMPARE(shell.start(program, arguments, file("work")), QString());
    QTRY_VERIFY(QFile::exists(wineOut()));
    const Recorded record = readRecord(wineOut());
    QCOMPARE(record.folder, canonical(file("work")));
    QCOMPARE(record.arguments, QStringList{program} + arguments);
}

void ShellTest::refuses_data() {
    QTest::addColumn<QString>("program"); // under the test folder unless it has no "/"
    QTest::addColumn<QString>("kind");    // "none", "folder" or "file"
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("withoutWine");
    QTest::addColumn<QString>("reason");

    const QString missing = QStringLiteral("the program does not exist");
    const QByteArray script = QByteArrayLiteral("#!/bin/sh\nexit 0\n");

    QTest::newRow("missing") << "/gone"
                             << "none" << QByteArray() << false << "work" << false << missing;
    QTest::newRow("missing bare name")
        << "kestrel-no-such-program"
        << "none" << QByteArray() << false << "work" << false << missing;
    QTest::newRow("empty") << ""
                           << "none" << QByteArray() << false << "work" << false << missing;
    QTest::newRow("folder") << "/emus"
                            << "folder" << QByteArray() << false << "work" << false
                            << "it is a folder";
    QTest::newRow("folder named .exe")
        << "/Steem.exe"
        << "folder" << QByteArray() << false << "work" << false << "it is a folder";
    QTest::newRow("not executable")
        << "/stub"
        << "file" << script << false << "work" << false << "it is not executable";
    QTest::newRow("script named .exe, not executable")
        << "/stub.exe"
        << "file" << script << false << "work" << false << "it is not executable";
    QTest::newRow("windows program without wine")
        << "/Steem.exe"
        << "file" << windowsProgram << true << "work" << true
        << "it is a Windows program and wine is not installed";
    QTest::newRow("upper case EXE without wine")
        << "/STEEM.EXE"
        << "file" << windowsProgram << false << "work" << true
        << "it is a Windows program and wine is not installed";
    QTest::newRow("missing working folder")
        << "/stub"
        << "file" << script << true << "gone" << false << "it could not be started";
}

void ShellTest::refuses() {
    QFETCH(QString, program);
    QFETCH(QString, kind);
    QFETCH(QByteArray, content);
    QFETCH(bool, executable);
    QFETCH(QString, folder);
    QFETCH(bool, withoutWine);
    QFETCH(QString, reason);

    if (program.startsWith(u'/'))
        program = m_dir->path() + program;
    if (kind == u"folder")
        QVERIFY(QDir().mkpath(program));
    else if (kind == u"file")
        writeFile(program, content, executable);
    if (withoutWine) {
        const QString empty = file(QStringLiteral("empty"));
        QVERIFY(QDir().mkpath(empty));
        qputenv("PATH", QFile::encodeName(empty));
    }

    SystemShell shell;
    QCOMPARE(shell.start(program, {QStringLiteral("DISK 1.ST")}, file(folder)), reason);
}

void ShellTest::opensUrl() {
    const QString scheme = QStringLiteral("kestrel-test");
    QDesktopServices::setUrlHandler(scheme, this, "receiveUrl");
    const QUrl url(QStringLiteral("kestrel-test://disks/DISK%20001.ST"));
    SystemShell shell;
    shell.openUrl(url);
    QDesktopServices::unsetUrlHandler(scheme);
    QCOMPARE(m_urls, QList<QUrl>{url});
}

KESTREL_TEST(ShellTest)
#include "ShellTest.moc"
