#include "core/images/EmulatorLaunch.h"
#include "core/settings/Settings.h"

#include "common/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString steemProblem = QStringLiteral("You have not configured STeem correctly!");
const QString stewProblem = QStringLiteral("You have not configured WinSTon/STew correctly!");
const QString saintProblem = QStringLiteral("You have not configured SainT correctly!");
const QString hatariProblem = QStringLiteral("You have not configured Hatari correctly!");

void touch(const QString& path) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
}

} // namespace

// Starting an emulator on a disk: the configured program checked, the launch planned.
class EmulatorLaunchTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_disk;          // an image that exists
    QString m_diskWithSpace; // one that exists, with spaces in its path

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("st disks")));
        m_disk = m_dir.filePath(QStringLiteral("DISK001.ST"));
        m_diskWithSpace = m_dir.filePath(QStringLiteral("st disks/Menu 12.msa"));
        touch(m_disk);
        touch(m_diskWithSpace);
    }

    // Every emulator survives the settings file: the choice is written by its menu item and read
    // back at the next start.
    void settings() {
        const Settings settings(m_dir.filePath(QStringLiteral("Rummage.ini")));
        for (const EmulatorRow& row : emulatorTable()) {
            settings.storeEmulator(row.emulator);
            QCOMPARE(settings.emulator(), row.emulator);
        }
    }

    void settingFallsBackToSaint_data() {
        QTest::addColumn<QString>("setting");

        QTest::newRow("empty") << "";
        QTest::newRow("unknown") << "winston";
        QTest::newRow("capital Steem") << "Steem";
        QTest::newRow("blank before") << " steem";
        QTest::newRow("trailing space") << "hatari ";
        QTest::newRow("program key") << "STeem";
    }

    void settingFallsBackToSaint() {
        QFETCH(QString, setting);
        QCOMPARE(emulatorFromSetting(setting), Emulator::Saint);
    }

    // The program's file name (after the last "/" or "\") must be one of the emulator's, exactly.
    void configurationProblem_data() {
        QTest::addColumn<Emulator>("emulator");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("problem");
        const QString none;
        const std::tuple<const char*, Emulator, const char*, QString> cases[] = {
            {"steem", Emulator::Steem, "C:\\Emu\\Steem.exe", none},
            {"steem without a folder", Emulator::Steem, "Steem.exe", none},
            {"steem, spaces", Emulator::Steem, "C:\\Program Files\\My Emu\\Steem.exe", none},
            {"steem lower case", Emulator::Steem, "C:\\Emu\\steem.exe", steemProblem},
            {"steem other program", Emulator::Steem, "C:\\Emu\\SainT161.exe", steemProblem},
            {"steem as folder", Emulator::Steem, "C:\\Steem.exe\\x.exe", steemProblem},
            {"steem empty", Emulator::Steem, "", steemProblem},
            {"stew, slash last", Emulator::Stew, "C:\\Emu/sub\\st/stew.exe", none},
            {"winston", Emulator::Stew, "C:\\Emu\\winston.exe", none},
            {"WinSTon", Emulator::Stew, "C:\\Emu\\WinSTon.exe", stewProblem},
            {"stew without exe", Emulator::Stew, "/usr/bin/stew", stewProblem},
            {"saint, backslash last", Emulator::Saint, "C:/Emu\\SainT161.exe", none},
            {"saint other version", Emulator::Saint, "C:\\Emu\\SainT162.exe", saintProblem},
            {"hatari", Emulator::Hatari, "/usr/bin/hatari", none},
            {"hatari in the root", Emulator::Hatari, "/hatari", none},
            {"Hatari", Emulator::Hatari, "/usr/bin/Hatari", hatariProblem},
            {"hatari exe", Emulator::Hatari, "C:\\Emu\\hatari.exe", hatariProblem},
            {"hatari ends in separator", Emulator::Hatari, "/usr/bin/hatari/", hatariProblem},
        };
        for (const auto& [name, emulator, path, problem] : cases)
            QTest::newRow(name) << emulator << QString::fromUtf8(path) << problem;
    }

    void configurationProblem() {
        QFETCH(Emulator, emulator);
        QFETCH(QString, path);
        QFETCH(QString, problem);
        QCOMPARE(::configurationProblem(emulator, path), problem);
    }

    void plan_data() {
        QTest::addColumn<Emulator>("emulator");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("image");
        QTest::addColumn<QString>("driveB");
        QTest::addColumn<QString>("parameterText");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("workingFolder");
        QTest::addColumn<QString>("iniFile");
        QTest::addColumn<bool>("startable");
        const auto row = [](const char* name, Emulator emulator, const QString& program,
                            const QString& image, const QString& driveB, const QString& text,
                            const QStringList& arguments, const QString& folder = QString(),
                            const QString& ini = QString(), bool startable = true) {
            QTest::newRow(name) << emulator << program << image << driveB << text << arguments
                                << folder << ini << startable;
        };
        const QString none;
        const QString steem = QStringLiteral("C:\\Emu\\Steem.exe");
        const QString a = QStringLiteral("C:\\Disks\\DISK001.ST");
        const QString b = QStringLiteral("C:\\Disks\\DISK002.ST");
        const QString spaced = QStringLiteral("/home/me/st disks/Menu 12.msa");
        const QString spacedB = QStringLiteral("/home/me/st disks/Menu 13.msa");
        const QString fence = QStringLiteral("\"\"\"\"\"");
        row("steem", Emulator::Steem, steem, a, none, fence + a + fence + u' ' + fence + fence,
            {a});
        row("steem drive B", Emulator::Steem, steem, a, b,
            fence + a + fence + u' ' + fence + b + fence, {a, b});

        const QString stew = QStringLiteral("C:\\Emu\\stew.exe");
        row("stew", Emulator::Stew, stew, m_disk, none, m_disk, {m_disk});
        row("stew spaces, no quotes", Emulator::Stew, stew, m_diskWithSpace, none, m_diskWithSpace,
            {m_diskWithSpace});
        row("stew takes no drive B", Emulator::Stew, stew, m_disk, m_diskWithSpace, m_disk,
            {m_disk});
        row("stew missing image", Emulator::Stew, stew, m_dir.filePath(QStringLiteral("GONE.ST")),
            none, none, {});

        const QString autorun = QStringLiteral(" -autorun SainT.ini");
        const QStringList autorunArguments{"-autorun", "SainT.ini"};
        const QString saint = QStringLiteral("C:\\Emu\\SainT161.exe");
        row("saint windows", Emulator::Saint, saint, a, none, autorun, autorunArguments, "C:\\Emu",
            "C:\\Emu\\SainT.ini");
        row("saint mixed separators", Emulator::Saint, "C:\\Emu/SainT/SainT161.exe", a, none,
            autorun, autorunArguments, "C:\\Emu/SainT", "C:\\Emu/SainT/SainT.ini");
        row("saint takes no drive B", Emulator::Saint, saint, a, b, autorun, autorunArguments,
            "C:\\Emu", "C:\\Emu\\SainT.ini");
        row("saint in the root", Emulator::Saint, "/SainT161.exe", "/disks/DISK001.ST", none,
            autorun, autorunArguments, "/", "/SainT.ini");
        row("saint without folder", Emulator::Saint, "SainT161.exe", a, none, none, {}, none, none,
            false);

        const QString hatari = QStringLiteral("/usr/bin/hatari");
        const QString home = QStringLiteral("/home/me/DISK001.ST");
        const QString homeB = QStringLiteral("/home/me/DISK002.ST");
        row("hatari", Emulator::Hatari, hatari, home, none, home, {home});
        row("hatari drive B", Emulator::Hatari, hatari, home, homeB,
            "--disk-b /home/me/DISK002.ST /home/me/DISK001.ST", {"--disk-b", homeB, home});
        row("hatari spaces", Emulator::Hatari, hatari, spaced, none, u'"' + spaced + u'"',
            {spaced});
        row("hatari drive B, spaces", Emulator::Hatari, hatari, spaced, spacedB,
            "--disk-b \"" + spacedB + "\" \"" + spaced + u'"', {"--disk-b", spacedB, spaced});
    }

    void plan() {
        QFETCH(Emulator, emulator);
        QFETCH(QString, program);
        QFETCH(QString, image);
        QFETCH(QString, driveB);
        QFETCH(QString, parameterText);
        QFETCH(QStringList, arguments);
        QFETCH(QString, workingFolder);
        QFETCH(QString, iniFile);
        QFETCH(bool, startable);

        const LaunchPlan plan = planLaunch(emulator, program, image, driveB);
        QCOMPARE(plan.program, program);
        QCOMPARE(plan.parameterText, parameterText);
        QCOMPARE(plan.arguments, arguments);
        QCOMPARE(plan.workingFolder, workingFolder);
        QCOMPARE(plan.iniFile, iniFile);
        QCOMPARE(plan.startable, startable);
    }
};

KESTREL_TEST(EmulatorLaunchTest)
#include "EmulatorLaunchTest.moc"
