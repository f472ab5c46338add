#include "core/images/EmulatorLaunch.h"
#include "core/settings/Settings.h"

#include "common/TestRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A plan's fields in order, the arguments joined by "|".
QStringList fields(const LaunchPlan& plan) {
    return {plan.program,       plan.parameterText, plan.arguments.join(u'|'),
            plan.workingFolder, plan.iniFile,       plan.startable ? "startable" : "not startable"};
}

} // namespace

// Starting an emulator on a disk: the choice kept, the configured program checked, the launch
// planned.
class EmulatorLaunchTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_disk; // an image that exists

private Q_SLOTS:
    void initTestCase() {
        m_disk = m_dir.filePath(QStringLiteral("DISK001.ST"));
        QVERIFY(QFile(m_disk).open(QIODevice::WriteOnly));
    }

    // Every emulator survives the settings file; any other setting, even one differing only
    // in case or by a space, means SainT.
    void settings() {
        const Settings settings(m_dir.filePath(QStringLiteral("Rummage.ini")));
        for (const EmulatorRow& row : emulatorTable()) {
            settings.storeEmulator(row.emulator);
            QCOMPARE(settings.emulator(), row.emulator);
        }
        for (const char* other : {"winston", "Steem", "hatari "})
            QCOMPARE(emulatorFromSetting(QLatin1String(other)), Emulator::Saint);
    }

    // The program's file name (after the last "/" or "\") must be one of the emulator's, exactly.
    void configurationProblem_data() {
        QTest::addColumn<Emulator>("emulator");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("accepted");
        const std::tuple<const char*, Emulator, const char*, bool> cases[] = {
            {"steem", Emulator::Steem, "C:\\Emu\\Steem.exe", true},
            {"steem without a folder", Emulator::Steem, "Steem.exe", true},
            {"steem lower case", Emulator::Steem, "C:\\Emu\\steem.exe", false},
            {"steem as folder", Emulator::Steem, "C:\\Steem.exe\\x.exe", false},
            {"stew, slash last", Emulator::Stew, "C:\\Emu/sub\\st/stew.exe", true},
            {"winston", Emulator::Stew, "C:\\Emu\\winston.exe", true},
            {"saint, backslash last", Emulator::Saint, "C:/Emu\\SainT161.exe", true},
            {"saint other version", Emulator::Saint, "C:\\Emu\\SainT162.exe", false},
            {"hatari", Emulator::Hatari, "/usr/bin/hatari", true},
        };
        for (const auto& [name, emulator, path, accepted] : cases)
            QTest::newRow(name) << emulator << QString::fromUtf8(path) << accepted;
    }
    void configurationProblem() {
        QFETCH(Emulator, emulator);
        QFETCH(QString, path);
        QFETCH(bool, accepted);
        // Refused in the words of that emulator's own row.
        QCOMPARE(::configurationProblem(emulator, path),
                 accepted ? QString() : QLatin1String(emulatorRow(emulator).notConfigured));
    }

    // One row per emulator and one with a disk for drive B, which only STeem and Hatari take.
    void plan_data() {
        QTest::addColumn<Emulator>("emulator");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("image");
        QTest::addColumn<QString>("driveB");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* name, Emulator emulator, const QString& program,
                            const QString& image, const QString& driveB, const QString& text,
                            const QStringList& arguments, const QString& folder = QString(),
                            const QString& ini = QString(), bool startable = true) {
            QTest::newRow(name) << emulator << program << image << driveB
                                << fields({program, text, arguments, folder, ini, startable});
        };
        const QString none;
        const QString steem = QStringLiteral("C:\\Emu\\Steem.exe");
        const QString a = QStringLiteral("C:\\Disks\\DISK001.ST");
        const QString b = QStringLiteral("C:\\Disks\\DISK002.ST");
        const QString fence = QStringLiteral("\"\"\"\"\"");
        row("steem", Emulator::Steem, steem, a, none, fence + a + fence + u' ' + fence + fence,
            {a});
        row("steem drive B", Emulator::Steem, steem, a, b,
            fence + a + fence + u' ' + fence + b + fence, {a, b});

        // WinSTon/STew is given the image only when it exists.
        const QString stew = QStringLiteral("C:\\Emu\\stew.exe");
        row("stew", Emulator::Stew, stew, m_disk, none, m_disk, {m_disk});
        row("stew, missing image and drive B", Emulator::Stew, stew,
            m_dir.filePath(QStringLiteral("GONE.ST")), m_disk, none, {});

        const QString autorun = QStringLiteral(" -autorun SainT.ini");
        const QStringList autorunArguments{"-autorun", "SainT.ini"};
        row("saint", Emulator::Saint, "C:\\Emu\\SainT161.exe", a, none, autorun, autorunArguments,
            "C:\\Emu", "C:\\Emu\\SainT.ini");
        row("saint in the root, drive B", Emulator::Saint, "/SainT161.exe", "/disks/DISK001.ST", b,
            autorun, autorunArguments, "/", "/SainT.ini");
        row("saint without folder", Emulator::Saint, "SainT161.exe", a, none, none, {}, none, none,
            false);

        const QString hatari = QStringLiteral("/usr/bin/hatari");
        const QString home = QStringLiteral("/home/me/DISK001.ST");
        const QString spaced = QStringLiteral("/home/me/st disks/Menu 12.msa");
        const QString spacedB = QStringLiteral("/home/me/st disks/Menu 13.msa");
        row("hatari", Emulator::Hatari, hatari, home, none, home, {home});
        row("hatari drive B, spaces", Emulator::Hatari, hatari, spaced, spacedB,
            "--disk-b \"" + spacedB + "\" \"" + spaced + u'"', {"--disk-b", spacedB, spaced});
    }
    void plan() {
        QFETCH(Emulator, emulator);
        QFETCH(QString, program);
        QFETCH(QString, image);
        QFETCH(QString, driveB);
        QFETCH(QStringList, expected);
        QCOMPARE(fields(planLaunch(emulator, program, image, driveB)), expected);
    }
};

KESTREL_TEST(EmulatorLaunchTest)
#include "EmulatorLaunchTest.moc"
