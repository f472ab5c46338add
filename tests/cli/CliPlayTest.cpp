#include "common/TestRegistry.h"

#include "cli/CliTable.h"

#include "core/settings/SettingsStore.h"

#include <QFile>
#include <QScopeGuard>

namespace {

// Entry 1 and 4 have their disks; 2's is marked available but gone; 3's is unavailable; 5's
// disk makes the fake emulator fail.
const char* const kCatalogue =
    "INSERT INTO Dnames VALUES (1, 1, 'A', 'A', '1', 'st'), (2, 1, 'A', 'A', '2', 'st'),"
    " (3, 0, 'A', 'A', '3', 'st'), (4, 1, 'A', 'A', '4', 'st'), (5, 1, 'A', 'BAD', '5', 'st');"
    "INSERT INTO Compilations VALUES (1, 'Automation 1', 'One', 0, 1),"
    " (2, 'Automation 2', 'Two', 0, 2), (3, 'Automation 3', 'Three', 0, 3),"
    " (4, 'Automation 4', 'Four', 0, 4), (5, 'Automation 5', 'Five', 0, 5);";

// Records its arguments, one a line; fails on a disk whose name holds BAD, as Hatari fails on
// a disk it cannot read.
const char* const kEmulator = "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/ran\"\n"
                              "case \"$*\" in *BAD*) echo \"Image '$*' not found\" >&2; exit 1;; "
                              "esac\n";

} // namespace

// play starts Hatari (a script here) as the window's Play does, and --version.
class CliPlayTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void run_data() {
        addCliColumns();
        QTest::addColumn<bool>("tos");        // a TOS image is set
        QTest::addColumn<QStringList>("ran"); // the emulator's arguments; none when not started
        const QStringList none;
        cliRow("starts", {"play", "1"}, 0)
            << true << QStringList{"--tos", "<folder>/tos.img", "<folder>/st/A/A1.st"};
        cliRow("drive B", {"play", "1", "--drive-b", "4"}, 0)
            << true
            << QStringList{"--tos", "<folder>/tos.img", "--disk-b", "<folder>/st/A/A4.st",
                           "<folder>/st/A/A1.st"};
        cliRow("quick failure", {"play", "5"}, 1, {}, "exit status 1. It printed:\n\nImage '")
            << true << QStringList{"--tos", "<folder>/tos.img", "<folder>/st/A/BAD5.st"};
        cliRow("disk gone", {"play", "2"}, 1, {}, "this game is not there:\n<folder>/st/A/A2.st")
            << true << none;
        cliRow("drive B gone", {"play", "1", "--drive-b", "2"}, 1, {}, "drive B is not there")
            << true << none;
        cliRow("unavailable", {"play", "3"}, 1, {},
               "You do not appear to have the disk image for this game!")
            << true << none;
        cliRow("no TOS", {"play", "1"}, 1, {}, "\"TOS image\" in Edit > Settings") << false << none;
        cliRow("unknown entry", {"play", "99"}, 1, {}, "no entry 99") << true << none;
        cliRow("drive B not a number", {"play", "1", "--drive-b", "x"}, 2, {},
               "\"x\" is not an entry number")
            << true << none;
        cliRow("unknown option", {"play", "1", "--fast"}, 2, {}, "fast") << true << none;
        cliRow("version", {"--version"}, 0, {"kestrel-cli 2.0"}) << true << none;
        cliRow("version, short", {"-v"}, 0, {"kestrel-cli 2.0"}) << true << none;
    }
    void run() {
        QFETCH(bool, tos);
        QFETCH(QStringList, ran);
        TestFolder folder;
        folder.createCatalogue(QLatin1String(kCatalogue));
        folder.writeSettings(TestFolder::defaultSettings());
        const QString program = folder.file(QStringLiteral("emu/hatari"));
        QVERIFY(writeFileBytes(program, kEmulator));
        QVERIFY(
            QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        for (const char* name : {"tos.img", "st/A/A1.st", "st/A/A4.st", "st/A/BAD5.st"})
            QVERIFY(writeFileBytes(folder.file(QLatin1String(name))));
        const auto set = [&](const char* section, const char* key, const QString& value) {
            writeini(QLatin1String(section), QLatin1String(key), value, folder.settingsPath());
        };
        set("settings", "Hatari", program);
        set("settings", "rootfolder", folder.file(QStringLiteral("st")));
        if (tos)
            set("Kestrel", "TosImage", folder.file(QStringLiteral("tos.img")));
        // Hatari's own settings are looked for here: none.
        const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", folder.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
        const auto restore = qScopeGuard([&] {
            qputenv("HOME", home);
            qputenv("XDG_CONFIG_HOME", config);
        });
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QStringList, lines);
        QFETCH(QString, message);
        const CliRun run = runCli(folder, arguments);
        QCOMPARE(run.status, status);
        QCOMPARE(run.lines, lines);
        QVERIFY2(run.errors.contains(message.replace(QStringLiteral("<folder>"), folder.path())),
                 qPrintable(run.errors));
        const QString record = folder.file(QStringLiteral("emu/ran"));
        QCOMPARE(QString::fromUtf8(QFile::exists(record) ? fileBytes(record) : QByteArray())
                     .split(u'\n', Qt::SkipEmptyParts),
                 ran.replaceInStrings(QStringLiteral("<folder>"), folder.path()));
    }
};

KESTREL_TEST(CliPlayTest)
#include "CliPlayTest.moc"
