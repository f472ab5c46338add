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

class EmulatorLaunchTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void settings();
    void settingFallsBackToSaint_data();
    void settingFallsBackToSaint();

    void namePart_data();
    void namePart();
    void configurationProblem_data();
    void configurationProblem();

    void plan_data();
    void plan();

    void shortPath_data();
    void shortPath();

private:
    QTemporaryDir m_dir;
    QString m_disk;          // an image that exists
    QString m_diskWithSpace; // one that exists, with spaces in its path
};

void EmulatorLaunchTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("st disks")));
    m_disk = m_dir.filePath(QStringLiteral("DISK001.ST"));
    m_diskWithSpace = m_dir.filePath(QStringLiteral("st disks/Menu 12.msa"));
    touch(m_disk);
    touch(m_diskWithSpace);
}

// Every emulator survives the settings file: the choice is written by its menu item and read
// back at the next start.
void EmulatorLaunchTest::settings() {
    const Settings settings(m_dir.filePath(QStringLiteral("Rummage.ini")));
    for (const EmulatorRow& row : emulatorTable()) {
        settings.storeEmulator(row.emulator);
        QCOMPARE(settings.emulator(), row.emulator);
    }
}

void EmulatorLaunchTest::settingFallsBackToSaint_data() {
    QTest::addColumn<QString>("setting");

    QTest::newRow("empty") << "";
    QTest::newRow("unknown") << "winston";
    QTest::newRow("capital Steem") << "Steem";
    QTest::newRow("upper STEW") << "STEW";
    QTest::newRow("capital Hatari") << "Hatari";
    QTest::newRow("leading space") << " steem";
    QTest::newRow("trailing space") << "hatari ";
    QTest::newRow("program key") << "STeem";
}

void EmulatorLaunchTest::settingFallsBackToSaint() {
    QFETCH(QString, setting);
    QCOMPARE(emulatorFromSetting(setting), Emulator::Saint);
}

void EmulatorLaunchTest::namePart_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");

    QTest::newRow("windows") << "C:\\Emu\\Steem.exe"
                             << "Steem.exe";
    QTest::newRow("unix") << "/usr/bin/hatari"
                          << "hatari";
    QTest::newRow("no folder") << "Steem.exe"
                               << "Steem.exe";
    QTest::newRow("backslash last") << "C:/Emu\\SainT161.exe"
                                    << "SainT161.exe";
    QTest::newRow("slash last") << "C:\\Emu/sub\\st/stew.exe"
                                << "stew.exe";
    QTest::newRow("spaces") << "C:\\Program Files\\My Emu\\Steem 3.exe"
                            << "Steem 3.exe";
    QTest::newRow("ends in separator") << "/usr/bin/"
                                       << "";
    QTest::newRow("root") << "/hatari"
                          << "hatari";
    QTest::newRow("empty") << ""
                           << "";
}

void EmulatorLaunchTest::namePart() {
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(::namePart(path), name);
}

void EmulatorLaunchTest::configurationProblem_data() {
    QTest::addColumn<Emulator>("emulator");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("problem");

    const QString none;
    QTest::newRow("steem") << Emulator::Steem << "C:\\Emu\\Steem.exe" << none;
    QTest::newRow("steem alone") << Emulator::Steem << "Steem.exe" << none;
    QTest::newRow("steem unix") << Emulator::Steem << "/home/me/st/Steem.exe" << none;
    QTest::newRow("steem lower case") << Emulator::Steem << "C:\\Emu\\steem.exe" << steemProblem;
    QTest::newRow("steem upper EXE") << Emulator::Steem << "C:\\Emu\\Steem.EXE" << steemProblem;
    QTest::newRow("steem other program")
        << Emulator::Steem << "C:\\Emu\\SainT161.exe" << steemProblem;
    QTest::newRow("steem as folder") << Emulator::Steem << "C:\\Steem.exe\\x.exe" << steemProblem;
    QTest::newRow("steem empty") << Emulator::Steem << "" << steemProblem;

    QTest::newRow("stew") << Emulator::Stew << "C:\\Emu\\stew.exe" << none;
    QTest::newRow("winston") << Emulator::Stew << "C:\\Emu\\winston.exe" << none;
    QTest::newRow("winston alone") << Emulator::Stew << "winston.exe" << none;
    QTest::newRow("WinSTon") << Emulator::Stew << "C:\\Emu\\WinSTon.exe" << stewProblem;
    QTest::newRow("STew") << Emulator::Stew << "C:\\Emu\\STew.exe" << stewProblem;
    QTest::newRow("stew without exe") << Emulator::Stew << "/usr/bin/stew" << stewProblem;
    QTest::newRow("stew empty") << Emulator::Stew << "" << stewProblem;

    QTest::newRow("saint") << Emulator::Saint << "C:\\Emu\\SainT161.exe" << none;
    QTest::newRow("saint alone") << Emulator::Saint << "SainT161.exe" << none;
    QTest::newRow("saint lower case") << Emulator::Saint << "C:\\Emu\\saint161.exe" << saintProblem;
    QTest::newRow("saint other version")
        << Emulator::Saint << "C:\\Emu\\SainT162.exe" << saintProblem;
    QTest::newRow("saint empty") << Emulator::Saint << "" << saintProblem;

    QTest::newRow("hatari") << Emulator::Hatari << "/usr/bin/hatari" << none;
    QTest::newRow("hatari alone") << Emulator::Hatari << "hatari" << none;
    QTest::newRow("Hatari") << Emulator::Hatari << "/usr/bin/Hatari" << hatariProblem;
    QTest::newRow("hatari exe") << Emulator::Hatari << "C:\\Emu\\hatari.exe" << hatariProblem;
    QTest::newRow("hatari folder") << Emulator::Hatari << "/usr/bin/hatari/" << hatariProblem;
    QTest::newRow("hatari empty") << Emulator::Hatari << "" << hatariProblem;
}

void EmulatorLaunchTest::configurationProblem() {
    QFETCH(Emulator, emulator);
    QFETCH(QString, path);
    QFETCH(QString, problem);
    QCOMPARE(::configurationProblem(emulator, path), problem);
}

void EmulatorLaunchTest::plan_data() {
    QTest::addColumn<Emulator>("emulator");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("driveB");
    QTest::addColumn<QString>("parameterText");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("workingFolder");
    QTest::addColumn<QString>("iniFile");
    QTest::addColumn<bool>("startable");

    const QString none;
    const QStringList noArguments;

    const QString steem = QStringLiteral("C:\\Emu\\Steem.exe");
    QTest::newRow("steem") << Emulator::Steem << steem << "C:\\Disks\\DISK001.ST" << none
                           << QStringLiteral(R"x("""""C:\Disks\DISK001.ST""""" """""""""")x")
                           << QStringList{"C:\\Disks\\DISK001.ST"} << none << none << true;
    QTest::newRow("steem drive B")
        << Emulator::Steem << steem << "C:\\Disks\\DISK001.ST"
        << "C:\\Disks\\DISK002.ST"
        << QStringLiteral(R"x("""""C:\Disks\DISK001.ST""""" """""C:\Disks\DISK002.ST""""")x")
        << QStringList{"C:\\Disks\\DISK001.ST", "C:\\Disks\\DISK002.ST"} << none << none << true;
    QTest::newRow("steem spaces")
        << Emulator::Steem << steem << "/home/me/st disks/Menu 12.msa"
        << "/home/me/st disks/Menu 13.msa"
        << QStringLiteral(
               R"x("""""/home/me/st disks/Menu 12.msa""""" """""/home/me/st disks/Menu 13.msa""""")x")
        << QStringList{"/home/me/st disks/Menu 12.msa", "/home/me/st disks/Menu 13.msa"} << none
        << none << true;

    const QString stew = QStringLiteral("C:\\Emu\\stew.exe");
    QTest::newRow("stew") << Emulator::Stew << stew << m_disk << none << m_disk
                          << QStringList{m_disk} << none << none << true;
    QTest::newRow("stew spaces, no quotes")
        << Emulator::Stew << stew << m_diskWithSpace << none << m_diskWithSpace
        << QStringList{m_diskWithSpace} << none << none << true;
    QTest::newRow("stew takes no drive B") << Emulator::Stew << stew << m_disk << m_diskWithSpace
                                           << m_disk << QStringList{m_disk} << none << none << true;
    QTest::newRow("stew missing image")
        << Emulator::Stew << stew << m_dir.filePath(QStringLiteral("GONE.ST")) << none << none
        << noArguments << none << none << true;

    const QString autorun = QStringLiteral(" -autorun SainT.ini");
    const QStringList autorunArguments{"-autorun", "SainT.ini"};
    QTest::newRow("saint windows")
        << Emulator::Saint << "C:\\Emu\\SainT161.exe"
        << "C:\\Disks\\DISK001.ST" << none << autorun << autorunArguments << "C:\\Emu"
        << "C:\\Emu\\SainT.ini" << true;
    QTest::newRow("saint unix, spaces") << Emulator::Saint << "/home/me/st emus/SainT161.exe"
                                        << "/home/me/st disks/Menu 12.msa" << none << autorun
                                        << autorunArguments << "/home/me/st emus"
                                        << "/home/me/st emus/SainT.ini" << true;
    QTest::newRow("saint mixed separators")
        << Emulator::Saint << "C:\\Emu/SainT/SainT161.exe"
        << "C:\\Disks\\DISK001.ST" << none << autorun << autorunArguments << "C:\\Emu/SainT"
        << "C:\\Emu/SainT/SainT.ini" << true;
    QTest::newRow("saint takes no drive B")
        << Emulator::Saint << "C:\\Emu\\SainT161.exe"
        << "C:\\Disks\\DISK001.ST"
        << "C:\\Disks\\DISK002.ST" << autorun << autorunArguments << "C:\\Emu"
        << "C:\\Emu\\SainT.ini" << true;
    QTest::newRow("saint in the root")
        << Emulator::Saint << "/SainT161.exe"
        << "/disks/DISK001.ST" << none << autorun << autorunArguments << "/"
        << "/SainT.ini" << true;
    QTest::newRow("saint without folder")
        << Emulator::Saint << "SainT161.exe"
        << "C:\\Disks\\DISK001.ST" << none << none << noArguments << none << none << false;

    const QString hatari = QStringLiteral("/usr/bin/hatari");
    QTest::newRow("hatari") << Emulator::Hatari << hatari << "/home/me/DISK001.ST" << none
                            << "/home/me/DISK001.ST" << QStringList{"/home/me/DISK001.ST"} << none
                            << none << true;
    QTest::newRow("hatari drive B")
        << Emulator::Hatari << hatari << "/home/me/DISK001.ST"
        << "/home/me/DISK002.ST"
        << "--disk-b /home/me/DISK002.ST /home/me/DISK001.ST"
        << QStringList{"--disk-b", "/home/me/DISK002.ST", "/home/me/DISK001.ST"} << none << none
        << true;
    QTest::newRow("hatari spaces")
        << Emulator::Hatari << hatari << "/home/me/st disks/Menu 12.msa" << none
        << "\"/home/me/st disks/Menu 12.msa\"" << QStringList{"/home/me/st disks/Menu 12.msa"}
        << none << none << true;
    QTest::newRow("hatari drive B, spaces")
        << Emulator::Hatari << hatari << "/home/me/st disks/Menu 12.msa"
        << "/home/me/st disks/Menu 13.msa"
        << "--disk-b \"/home/me/st disks/Menu 13.msa\" \"/home/me/st disks/Menu 12.msa\""
        << QStringList{"--disk-b", "/home/me/st disks/Menu 13.msa", "/home/me/st disks/Menu 12.msa"}
        << none << none << true;
}

void EmulatorLaunchTest::plan() {
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

void EmulatorLaunchTest::shortPath_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");

    QTest::newRow("existing") << m_disk << m_disk;
    QTest::newRow("existing, spaces") << m_diskWithSpace << m_diskWithSpace;
    QTest::newRow("missing") << m_dir.filePath(QStringLiteral("GONE.ST")) << QString();
    QTest::newRow("missing folder")
        << m_dir.filePath(QStringLiteral("gone/DISK001.ST")) << QString();
    QTest::newRow("empty") << QString() << QString();
}

void EmulatorLaunchTest::shortPath() {
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(::shortPath(path), expected);
}

KESTREL_TEST(EmulatorLaunchTest)
#include "EmulatorLaunchTest.moc"
