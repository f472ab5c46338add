#include "core/settings/WindowLayout.h"

#include "common/FileSizeLimit.h"
#include "common/TestFolder.h"
#include "common/TestRegistry.h"
#include "core/Failures.h"

#include <QTest>

// The main window's kept layout in "Rummage.ini": what a hand-edited file gives back, and a
// write that comes back whole.
class WindowLayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsWhatCanBeUsed_data() {
        QTest::addColumn<QByteArray>("section"); // the [Kestrel] lines
        QTest::addColumn<QSize>("size");         // invalid: none
        QTest::addColumn<bool>("maximised");
        QTest::addColumn<int>("firstColumn"); // 0: none
        QTest::newRow("none") << QByteArray() << QSize() << false << 0;
        QTest::newRow("all") << QByteArray("WindowWidth=800\nWindowHeight=500\nWindowMaximised=1\n"
                                           "FirstColumnWidth=240\n")
                             << QSize(800, 500) << true << 240;
        QTest::newRow("a size needs both")
            << QByteArray("WindowWidth=800\nWindowMaximised=yes\n") << QSize() << false << 0;
        QTest::newRow("no lengths")
            << QByteArray("WindowWidth=-800\nWindowHeight=0\nFirstColumnWidth=wide\n") << QSize()
            << false << 0;
    }
    void readsWhatCanBeUsed() {
        QFETCH(QByteArray, section);
        QFETCH(QSize, size);
        QFETCH(bool, maximised);
        QFETCH(int, firstColumn);
        TestFolder folder;
        folder.writeSettings(TestFolder::defaultSettings() + QStringLiteral("\n[Kestrel]\n") +
                             QString::fromLatin1(section));
        const WindowLayout layout = readWindowLayout(Settings(folder.settingsPath()));
        QCOMPARE(layout.size.value_or(QSize()), size);
        QCOMPARE(layout.maximised, maximised);
        QCOMPARE(layout.firstColumnWidth.value_or(0), firstColumn);
    }

    // Written into a file that lacks it; the delivered keys are there too afterwards. A file
    // that cannot be written says so.
    void storedComesBack() {
        TestFolder folder;
        const Settings settings(folder.settingsPath());
        const WindowLayout layout{QSize(720, 450), true, 250, true};
        storeWindowLayout(settings, layout);
        QCOMPARE(readWindowLayout(settings), layout);
        QCOMPARE(settings.value(SettingKey::FirstColumn), QStringLiteral("Game"));
        const FileSizeLimit limit(16);
        QVERIFY_THROWS_EXCEPTION(FileError, storeWindowLayout(settings, WindowLayout{}));
    }
};

KESTREL_TEST(WindowLayoutTest)
#include "WindowLayoutTest.moc"
