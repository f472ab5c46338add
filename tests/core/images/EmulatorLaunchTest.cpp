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

    // The program's file name is what follows the last "/" or "\"; each emulator's names, and
    // one in the wrong case, are the browser's Play rows.
    void configurationProblem() {
        for (const char* accepted : {"Steem.exe", "C:\\Emu/sub\\st/Steem.exe", "C:/Emu\\Steem.exe"})
            QVERIFY2(::configurationProblem(Emulator::Steem, QLatin1String(accepted)).isEmpty(),
                     accepted);
        QCOMPARE(::configurationProblem(Emulator::Steem, QStringLiteral("C:\\Steem.exe\\x.exe")),
                 QLatin1String(emulatorRow(Emulator::Steem).notConfigured));
    }

    // What the browser's Play rows leave out: SainT's launch, Hatari's without drive B and with
    // spaces, WinSTon/STew's with its image missing.
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
                                << fields({program, text, arguments, folder, ini, startable, {}});
        };
        const QString none;
        const QString a = QStringLiteral("C:\\Disks\\DISK001.ST");
        // WinSTon/STew is given the image only when it exists.
        row("stew, missing image and drive B", Emulator::Stew, "C:\\Emu\\stew.exe",
            m_dir.filePath(QStringLiteral("GONE.ST")), m_disk, none, {});

        const QString autorun = QStringLiteral(" -autorun SainT.ini");
        const QStringList autorunArguments{"-autorun", "SainT.ini"};
        row("saint", Emulator::Saint, "C:\\Emu\\SainT161.exe", a, none, autorun, autorunArguments,
            "C:\\Emu", "C:\\Emu\\SainT.ini");
        row("saint in the root, drive B", Emulator::Saint, "/SainT161.exe", "/disks/DISK001.ST",
            m_disk, autorun, autorunArguments, "/", "/SainT.ini");
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
