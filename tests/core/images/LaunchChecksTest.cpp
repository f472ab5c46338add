#include "common/TestRegistry.h"

#include "common/TestFolder.h"

#include "core/images/LaunchChecks.h"
#include "core/settings/SettingsStore.h"

#include <QTemporaryDir>
#include <QTest>

// Whether Hatari has a TOS image before it starts (the disk files are checked by the window's
// and kestrel-cli's tests), and where the user's options go in the launch.
class LaunchChecksTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString file(const QString& name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase() {
        for (const char* name : {"tos.img", "usr/bin/hatari", "usr/share/hatari/tos.img"})
            QVERIFY(writeFileBytes(file(QLatin1String(name))));
        writeini(QStringLiteral("ROM"), QStringLiteral("szTosImageFileName"), file("tos.img"),
                 file(QStringLiteral("good.cfg")));
        writeini(QStringLiteral("ROM"), QStringLiteral("szTosImageFileName"), file("gone.img"),
                 file(QStringLiteral("stale.cfg")));
    }

    // Each row: our TOS image, the extra arguments, Hatari's configuration files, the program,
    // and a text the answer holds ("" for none: Hatari has a TOS).
    void hatariTos_data() {
        QTest::addColumn<QString>("tos");
        QTest::addColumn<QString>("extra");
        QTest::addColumn<QStringList>("configs");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("problem");
        const QString bin = QStringLiteral("/nowhere/bin/hatari");
        const QString none = QStringLiteral("none is set");
        QTest::newRow("ours") << "tos.img"
                              << "" << QStringList{"stale.cfg"} << bin << "";
        QTest::newRow("ours gone") << "gone.img"
                                   << "" << QStringList{"good.cfg"} << bin
                                   << "set for Hatari is not there:\n" + file("gone.img");
        QTest::newRow("in arguments") << ""
                                      << "-t '/x y.img'" << QStringList{} << bin << "";
        QTest::newRow("Hatari's") << ""
                                  << "" << QStringList{"missing.cfg", "good.cfg"} << bin << "";
        QTest::newRow("Hatari's gone") << ""
                                       << "" << QStringList{"stale.cfg", "good.cfg"} << bin
                                       << file("stale.cfg") + ") name is not there";
        QTest::newRow("beside the program") << ""
                                            << "" << QStringList{} << file("usr/bin/hatari") << "";
        QTest::newRow("none") << ""
                              << "--fullscreen" << QStringList{"missing.cfg"} << bin << none;
        QTest::newRow("says how") << ""
                                  << "" << QStringList{} << bin
                                  << "\"TOS image\" in Edit > Settings. EmuTOS";
    }
    void hatariTos() {
        QFETCH(QString, tos);
        QFETCH(QString, extra);
        QFETCH(QStringList, configs);
        QFETCH(QString, program);
        QFETCH(QString, problem);
        for (QString& config : configs)
            config = file(config);
        const QString answer =
            hatariTosProblem(program, {tos.isEmpty() ? tos : file(tos), extra}, configs);
        QCOMPARE(answer.isEmpty(), problem.isEmpty());
        QVERIFY2(answer.contains(problem), qPrintable(answer));
    }

    // The user's arguments come first (after Hatari's TOS), split where QProcess splits a
    // command (double quotes group); the disks stay where each emulator takes them.
    void optionsInThePlan_data() {
        QTest::addColumn<int>("emulator");
        QTest::addColumn<QStringList>("arguments");
        const QStringList extra{"--mono", "a b", "it's"};
        QTest::newRow("hatari") << int(Emulator::Hatari)
                                << QStringList{"--tos", "/t.img"} + extra +
                                       QStringList{"--disk-b", "/B", "/A"};
        QTest::newRow("steem") << int(Emulator::Steem) << extra + QStringList{"/A", "/B"};
        QTest::newRow("saint") << int(Emulator::Saint)
                               << extra + QStringList{"-autorun", "SainT.ini"};
    }
    void optionsInThePlan() {
        QFETCH(int, emulator);
        QFETCH(QStringList, arguments);
        const LaunchPlan plan =
            planLaunch(Emulator(emulator), QStringLiteral("/emu/SainT161.exe"), "/A", "/B",
                       {QStringLiteral("/t.img"), QStringLiteral("--mono \"a b\"  it's")});
        QCOMPARE(plan.arguments, arguments);
    }
};

KESTREL_TEST(LaunchChecksTest)
#include "LaunchChecksTest.moc"
