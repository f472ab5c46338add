#include "common/TestRegistry.h"

#include "common/ProgramRun.h"
#include "common/TestFolder.h"

#include <QDir>
#include <QStandardPaths>
#include <QTest>

// The package of the build: built with the project's CPack settings, it holds every file
// where Debian keeps it, depends on the libraries the programs link, and its kestrel-cli
// works from /usr with the user's files in the home folder.
class DebianPackageTest : public QObject {
    Q_OBJECT
    TestFolder m_work;
    QString m_package;

private Q_SLOTS:
    void init() {
        for (const char* tool : {"cmake", "cpack", "dpkg-deb", "dpkg-shlibdeps"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QSKIP(qPrintable(QStringLiteral("%1 is not installed, so no package is built "
                                                "(scripts/install-deps.sh installs it)")
                                     .arg(QLatin1String(tool))));
        if (!m_package.isEmpty())
            return;
        // "cpack" alone first rebuilds the whole tree (about 25 s here); the tree is built, so
        // it is installed as cpack would (DESTDIR, prefix /usr) and handed to cpack as it is.
        const QString stage = m_work.file(QStringLiteral("stage"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DESTDIR"), stage);
        const ProgramRun install =
            runProgram("cmake", {"--install", KESTREL_BUILD_DIR, "--prefix", "/usr"}, env);
        QVERIFY2(install.status == 0, qPrintable(install.err));
        const ProgramRun pack =
            runProgram("cpack", {"-G", "DEB", "--config", KESTREL_BUILD_DIR "/CPackConfig.cmake",
                                 "-B", m_work.path(), "-D", "CPACK_INSTALL_CMAKE_PROJECTS=", "-D",
                                 "CPACK_INSTALLED_DIRECTORIES=" + stage + ";."});
        QVERIFY2(pack.status == 0, qPrintable(pack.out + pack.err));
        const QStringList debs = QDir(m_work.path()).entryList({QStringLiteral("*.deb")});
        QVERIFY2(debs.size() == 1, qPrintable(pack.out));
        m_package = m_work.file(debs.first());
    }

    void holdsEveryFileWhereDebianKeepsIt() {
        const ProgramRun list = runProgram("dpkg-deb", {"-c", m_package});
        QCOMPARE(list.status, 0);
        QStringList files;
        for (const QString& line : list.out.split(u'\n', Qt::SkipEmptyParts))
            if (!line.startsWith(u'd'))
                files << line.mid(line.indexOf(QLatin1String("./")) + 1);
        files.sort();
        QCOMPARE(
            files,
            (QStringList{"/usr/bin/kestrel", "/usr/bin/kestrel-cli",
                         "/usr/libexec/kestrel/kestrel-mdb-reader",
                         "/usr/share/applications/io.github.kestrel.desktop",
                         "/usr/share/bash-completion/completions/kestrel-cli",
                         "/usr/share/icons/hicolor/scalable/apps/kestrel.svg",
                         "/usr/share/kestrel/AtariST Compilation Listing v1.sqlite",
                         "/usr/share/kestrel/Instructions.txt", "/usr/share/kestrel/Rummage.ini",
                         "/usr/share/man/man1/kestrel-cli.1.gz", "/usr/share/man/man1/kestrel.1.gz",
                         "/usr/share/metainfo/io.github.kestrel.metainfo.xml"}));
    }

    void dependsOnWhatTheProgramsLoad() {
        const ProgramRun depends = runProgram("dpkg-deb", {"-f", m_package, "Depends"});
        QCOMPARE(depends.status, 0);
        for (const char* package : {"libqt6widgets6", "libqt6svg6", "libsqlite3-0", "libmdb3"})
            QVERIFY2(depends.out.contains(QLatin1String(package)), qPrintable(depends.out));
    }

    // Unpacked as dpkg would, its kestrel-cli reads the shipped catalogue and keeps the
    // user's copy in the home folder.
    void runsFromUsr() {
        const QString root = m_work.file(QStringLiteral("root"));
        QCOMPARE(runProgram("dpkg-deb", {"-x", m_package, root}).status, 0);
        const QProcessEnvironment env = homeEnvironment(m_work.file(QStringLiteral("home")));
        const ProgramRun listed =
            runProgram(root + "/usr/bin/kestrel-cli", {"search", "--letter", "a"}, env);
        QVERIFY2(listed.status == 0, qPrintable(listed.err));
        QVERIFY(!listed.out.isEmpty());
        QVERIFY(QFile::exists(
            m_work.file("home/.local/share/kestrel/AtariST Compilation Listing v1.sqlite")));
        QVERIFY(QFile::exists(m_work.file("home/.config/kestrel/Rummage.ini")));
    }
};

KESTREL_TEST(DebianPackageTest)
#include "DebianPackageTest.moc"
