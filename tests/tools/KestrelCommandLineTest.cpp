#include "common/ProgramRun.h"
#include "common/TestRegistry.h"

#include <QTest>

// kestrel's command line answers in a terminal with no display at all.
class KestrelCommandLineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void withoutADisplay_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("said"); // the start of standard output, then texts in it
        QTest::newRow("--version") << QStringList{"--version"} << 0 << QStringList{"Kestrel 2.0\n"};
        QTest::newRow("-v") << QStringList{"-v"} << 0 << QStringList{"Kestrel 2.0\n"};
        const QStringList help{"Usage: ", "--folder <DIR>", "-h, --help", "-v, --version"};
        QTest::newRow("--help") << QStringList{"--help"} << 0 << help;
        QTest::newRow("-h with a folder") << QStringList{"--folder", "/nowhere", "-h"} << 0 << help;
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << QStringList{};
        QTest::newRow("surplus argument") << QStringList{"file"} << 2 << QStringList{};
        QTest::newRow("folder without DIR") << QStringList{"--folder"} << 2 << QStringList{};
    }
    void withoutADisplay() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QStringList, said);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        const auto [exitStatus, out, err] =
            runProgram(QStringLiteral(KESTREL_BUILD_DIR "/kestrel"), arguments, env);
        QCOMPARE(exitStatus, status);
        QVERIFY2(said.isEmpty() ? out.isEmpty() : out.startsWith(said.first()), qPrintable(out));
        for (const QString& text : said.mid(1))
            QVERIFY2(out.contains(text), qPrintable(text));
        // A usage error says what is wrong and where help is, and never mentions a display.
        QCOMPARE(err.startsWith(QLatin1String("kestrel: ")), status == 2);
        QVERIFY2(!err.contains(QLatin1String("display")), qPrintable(err));
    }
};

KESTREL_TEST(KestrelCommandLineTest)
#include "KestrelCommandLineTest.moc"
