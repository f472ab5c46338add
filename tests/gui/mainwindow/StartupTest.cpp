#include "common/TestRegistry.h"

#include "WindowHarness.h"

#include "gui/mainwindow/Startup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QTreeView>

class StartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fillsEveryBox() {
        WindowHarness h;
        QCOMPARE(h.window->windowTitle(),
                 QStringLiteral("The Atari ST Kestrel v2.0 - The Tarnwell Edition [BETA]"));
        QCOMPARE(h.text("Label3"), QStringLiteral(" Status: Ready To Search"));
        auto* letters = h.find<QComboBox>("Combo3");
        QCOMPARE(letters->count(), 28);
        QCOMPARE(letters->currentText(), QStringLiteral("-"));
        auto* groups = h.find<QComboBox>("Combo6");
        QCOMPARE(groups->count(), 159);
        QCOMPARE(groups->currentText(), QStringLiteral("ALL"));
        QVERIFY(!h.find<QComboBox>("Combo1")->isEnabled());
        QCOMPARE(h.find<QComboBox>("Combo1")->currentText(), QStringLiteral("All"));
        QCOMPARE(h.find<QComboBox>("Combo9")->currentText(), QStringLiteral("contains"));
        QVERIFY(h.text("Label12").startsWith(QStringLiteral("  term = match all occurence term")));
        QVERIFY(h.shown("Frame3"));
        QVERIFY(!h.shown("Frame1"));
        QVERIFY(!h.shown("Frame4"));
        // Before anything is listed the list mode is neither a search nor the favourites.
        QCOMPARE(h.find<QLineEdit>("Text1")->text(), QStringLiteral("Text1"));
    }

    void historyComesFromTheSettings() {
        QString settings = TestFolder::defaultSettings();
        settings.replace(QStringLiteral("2=\n"), QStringLiteral("2=dragon\n"));
        settings.replace(QStringLiteral("4=\n"), QStringLiteral("4=Rock'n'Roll\n"));
        settings.remove(QStringLiteral("10=\n"));
        WindowHarness h(settings);
        auto* box = h.find<QComboBox>("Combo8");
        QCOMPARE(box->count(), 9);
        QCOMPARE(box->itemText(0), QStringLiteral("dragon"));
        QCOMPARE(box->itemText(2), QStringLiteral("Rock'n'Roll"));
        QCOMPARE(box->itemText(8), QString());
        QCOMPARE(box->currentText(), QString());
    }

    void columnOrderFromTheSettings() {
        WindowHarness plain;
        QCOMPARE(plain.headers(), (QStringList{"Game", "Group", "nummer"}));
        QVERIFY(plain.find<QTreeView>("ListView1")->isColumnHidden(2));
        // Reversed: the stored captions are rewritten to match, "Group" comes first.
        WindowHarness reversed(WindowHarness::settingsWith({{"order", "value", "1"}}));
        QCOMPARE(reversed.headers().mid(0, 2), (QStringList{"Group", "Game"}));
        QVERIFY(reversed.find<QCheckBox>("Check1")->isChecked());
        QCOMPARE(reversed.setting("colorder", "1"), QStringLiteral("Group"));
        QCOMPARE(reversed.setting("colorder", "2"), QStringLiteral("Game"));
    }

    void brokenOrderNumbersCountAsZero_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("missing") << QString();
        QTest::newRow("not a number") << "yes";
        QTest::newRow("out of range") << "70000";
    }
    void brokenOrderNumbersCountAsZero() {
        QFETCH(QString, value);
        QString settings = TestFolder::defaultSettings();
        for (const char* key : {"value", "c1", "c2", "c3"})
            settings.replace(QLatin1String(key) + QStringLiteral("=0"),
                             value.isNull() ? QString() : QLatin1String(key) + u'=' + value);
        WindowHarness h(settings);
        QVERIFY(!h.find<QCheckBox>("Check1")->isChecked());
        QVERIFY(!h.find<QCheckBox>("Check2")->isChecked());
        QCOMPARE(h.headers().first(), QStringLiteral("Game"));
    }

    void emulatorChoiceSurvivesARestart_data() {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("checked");
        QTest::newRow("steem") << "steem"
                               << "mnusteem";
        QTest::newRow("stew") << "stew"
                              << "mnuwinston";
        QTest::newRow("saint") << "saint"
                               << "mnusaint";
        QTest::newRow("hatari, as shipped") << "hatari"
                                            << "mnuhatari";
        QTest::newRow("case matters") << "Steem"
                                      << "mnusaint";
        QTest::newRow("empty") << ""
                               << "mnusaint";
    }
    void emulatorChoiceSurvivesARestart() {
        QFETCH(QString, selected);
        QFETCH(QString, checked);
        const QByteArray value = selected.toUtf8();
        WindowHarness h(WindowHarness::settingsWith({{"settings", "selected", value.constData()}}));
        for (const char* item : {"mnusteem", "mnuwinston", "mnusaint", "mnuhatari"})
            QCOMPARE(h.find<QAction>(item)->isChecked(), checked == QLatin1String(item));
    }

    void filtersComeBackAndAreWrittenOnClose() {
        WindowHarness h(WindowHarness::settingsWith({{"order", "c2", "1"}}));
        QVERIFY(!h.find<QCheckBox>("Check2")->isChecked());
        QVERIFY(h.find<QCheckBox>("Check3")->isChecked());
        h.find<QCheckBox>("Check2")->setChecked(true);
        h.find<QCheckBox>("Check3")->setChecked(false);
        h.find<QPushButton>("Command2")->click(); // Exit
        QCOMPARE(h.setting("order", "c1"), QStringLiteral("1"));
        QCOMPARE(h.setting("order", "c2"), QStringLiteral("0"));
        QCOMPARE(h.setting("order", "c3"), QStringLiteral("0"));
        QCOMPARE(h.setting("searchbox", "1"), QStringLiteral("endmru"));
    }

    // Scripts and tests find every control by these names.
    void controlsCarryTheirNames() {
        WindowHarness h;
        for (const char* name :
             {"Form1",         "Frame4",      "Label12",      "Command3",    "Check2",
              "Check3",        "Check4",      "Picture2",     "Picture3",    "Picture4",
              "Picture5",      "Toolbar1",    "ProgressBar1", "StatusBar1",  "Text1",
              "RTB1",          "Frame3",      "Picture1",     "Image1",      "Label10",
              "Label7",        "Label8",      "Label2",       "Label9",      "Frame1",
              "Label5",        "Combo6",      "ListView1",    "Combo3",      "OKButton",
              "Command2",      "Command1",    "Option2",      "Option1",     "Combo8",
              "Frame2",        "Combo1",      "Combo9",       "Label1",      "Label4",
              "Check1",        "Label14",     "Label3",       "mnufav",      "mnufile",
              "mnuedit",       "mnuemu",      "mnuhelp",      "Play",        "Audit",
              "Favourites",    "Settings",    "compressor",   "Save",        "Paste",
              "Report",        "About",       "Help",         "mnuplay",     "mnuaudit",
              "mnusave",       "mnupaste",    "mnureport",    "mnuexit",     "mnueditsingle",
              "mnueditset",    "mnusettings", "mnusteem",     "mnuwinston",  "mnusaint",
              "mnuhatari",     "mnusyntax",   "mnunotes",     "mnuabout",    "mnuauditgame",
              "mnuauditgroup", "mnufavadd",   "mnufavrem",    "mnufavclear", "mnudriveB"})
            QVERIFY2(h.window->objectName() == QLatin1String(name) ||
                         h.window->findChild<QObject*>(QLatin1String(name)),
                     name);
        QCOMPARE(h.find<QAction>("mnuplay")->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
        QCOMPARE(h.find<QAction>("mnuaudit")->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
        QCOMPARE(h.find<QAction>("mnuexit")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    }

    void syntaxPanelOpensAndCloses() {
        WindowHarness h;
        h.trigger("mnusyntax");
        QVERIFY(h.find<QWidget>("Frame4")->isVisible());
        QTest::mouseClick(h.find<QPushButton>("Command3"), Qt::LeftButton);
        QVERIFY(!h.find<QWidget>("Frame4")->isVisible());
    }

    void catalogueProblemsEndTheStart_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QString() << "does not exist";
        QTest::newRow("not a database") << "this is no database, just text"
                                        << "not a Kestrel catalogue";
    }
    void catalogueProblemsEndTheStart() {
        QFETCH(QString, content);
        QFETCH(QString, reason);
        TestFolder folder;
        folder.writeSettings(TestFolder::defaultSettings());
        if (!content.isNull())
            QVERIFY(writeFileBytes(folder.cataloguePath(), content.toUtf8().repeated(200)));
        Catalogue catalogue;
        ScriptedPrompts prompts;
        FakeClock clock;
        RecordingShell shell;
        ProgramFolder programFolder;
        programFolder.path = folder.path();
        std::unique_ptr<MainWindow> window;
        QCOMPARE(openMainWindow(programFolder, {catalogue, prompts, clock, shell}, window), 1);
        QVERIFY(!window);
        QCOMPARE(prompts.shown().size(), 1);
        QVERIFY(prompts.shown()[0].text.contains(folder.cataloguePath()));
        QVERIFY2(prompts.shown()[0].text.contains(reason), qPrintable(prompts.shown()[0].text));
    }

    void withoutADisplayItSaysSoInOneLine() {
        QProcess kestrel;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        kestrel.setProcessEnvironment(env);
        kestrel.start(QStringLiteral(KESTREL_BUILD_DIR "/kestrel"), {});
        QVERIFY(kestrel.waitForFinished(10000));
        QCOMPARE(kestrel.exitCode(), 1);
        const QString said = QString::fromUtf8(kestrel.readAllStandardError());
        QCOMPARE(said.count(u'\n'), 1);
        QVERIFY2(said.contains(QStringLiteral("display")), qPrintable(said));
    }
};

KESTREL_TEST(StartupTest)
#include "StartupTest.moc"
