#include "common/TestRegistry.h"

#include "WindowHarness.h"

#include "gui/mainwindow/ResultListModel.h"
#include "core/settings/SettingsStore.h"
#include "gui/mainwindow/Startup.h"
#include "core/Failures.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QTreeView>

namespace {

QString settingsWith(const QString& section, const QString& key, const QString& value) {
    TestFolder scratch;
    scratch.writeSettings(TestFolder::defaultSettings());
    writeini(section, key, value, scratch.settingsPath());
    return scratch.readFile(QStringLiteral("Rummage.ini"));
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fillsEveryBox() {
        WindowHarness h;
        Form1* w = h.window.get();
        QCOMPARE(w->windowTitle(),
                 QStringLiteral("The Atari ST Kestrel v2.0 - The Tarnwell Edition [BETA]"));
        QCOMPARE(w->Label3->text(), QStringLiteral(" Status: Ready To Search"));

        QCOMPARE(w->Combo3->count(), 28);
        QCOMPARE(w->Combo3->itemText(0), QStringLiteral("-"));
        QCOMPARE(w->Combo3->itemText(1), QStringLiteral("0-9"));
        QCOMPARE(w->Combo3->itemText(2), QStringLiteral("a"));
        QCOMPARE(w->Combo3->itemText(27), QStringLiteral("z"));
        QCOMPARE(w->Combo3->currentText(), QStringLiteral("-"));

        QCOMPARE(w->Combo6->count(), 159);
        QCOMPARE(w->Combo6->currentText(), QStringLiteral("ALL"));
        for (const char* group : {"Automation", "D-Bug", "Medway Boys", "Pompey Pirates"})
            QVERIFY2(w->Combo6->findText(QLatin1String(group)) > 0, group);
        QVERIFY(!w->Combo1->isEnabled());
        QCOMPARE(w->Combo1->count(), 1);
        QCOMPARE(w->Combo1->currentText(), QStringLiteral("All"));

        QCOMPARE(w->Combo9->count(), 4);
        QCOMPARE(w->Combo9->itemText(3), QStringLiteral("precise"));
        QCOMPARE(w->Combo9->currentText(), QStringLiteral("contains"));
        QVERIFY(w->Label12->text().startsWith(QStringLiteral("  term = match all occurence term")));

        QVERIFY(w->Frame3->isVisibleTo(w));
        QVERIFY(!w->Frame1->isVisibleTo(w));
        QVERIFY(!w->Frame4->isVisibleTo(w));
        QCOMPARE(w->listMode(), QStringLiteral("Text1"));
        QCOMPARE(w->selectedFlag(), qint16(0));
    }

    void historyComesFromTheSettings() {
        QString settings = TestFolder::defaultSettings();
        settings.replace(QStringLiteral("2=\n"), QStringLiteral("2=dragon\n"));
        settings.replace(QStringLiteral("4=\n"), QStringLiteral("4=Rock'n'Roll\n"));
        settings.remove(QStringLiteral("10=\n"));
        WindowHarness h(settings);
        QComboBox* box = h.window->Combo8;
        QCOMPARE(box->count(), 9);
        QCOMPARE(box->itemText(0), QStringLiteral("dragon"));
        QCOMPARE(box->itemText(1), QString());
        QCOMPARE(box->itemText(2), QStringLiteral("Rock'n'Roll"));
        QCOMPARE(box->itemText(8), QString());
        QCOMPARE(box->currentText(), QString());
    }

    void headersAndSortFromTheColumnOrder() {
        WindowHarness plain;
        QCOMPARE(plain.headers(), (QStringList{"Game", "Group", "nummer"}));
        QCOMPARE(plain.window->listSort().column, 0);
        QCOMPARE(plain.window->listSort().direction, int(ListSort::Ascending));
        QVERIFY(plain.window->listSort().sorted);
        QVERIFY(plain.window->ListView1->isColumnHidden(2));
        QVERIFY(!plain.window->resultList()
                     ->headerData(0, Qt::Horizontal, Qt::DecorationRole)
                     .isNull());
        QVERIFY(
            plain.window->resultList()->headerData(1, Qt::Horizontal, Qt::DecorationRole).isNull());

        // Reversed order: stored captions are rewritten to match, "Group" comes first.
        QString settings =
            settingsWith(QStringLiteral("order"), QStringLiteral("value"), QStringLiteral("1"));
        WindowHarness reversed(settings);
        QCOMPARE(reversed.headers().mid(0, 2), (QStringList{"Group", "Game"}));
        QVERIFY(reversed.window->Check1->isChecked());
        QCOMPARE(reversed.setting("colorder", "1"), QStringLiteral("Group"));
        QCOMPARE(reversed.setting("colorder", "2"), QStringLiteral("Game"));
        QCOMPARE(reversed.window->listSort().column, 0);
        QCOMPARE(reversed.window->listSort().direction, int(ListSort::Ascending));
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
        QVERIFY(!h.window->Check1->isChecked());
        QVERIFY(!h.window->Check2->isChecked());
        QCOMPARE(h.headers().first(), QStringLiteral("Game"));
    }

    void emulatorChoice_data() {
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
    void emulatorChoice() {
        QFETCH(QString, selected);
        QFETCH(QString, checked);
        WindowHarness h(
            settingsWith(QStringLiteral("settings"), QStringLiteral("selected"), selected));
        for (const char* item : {"mnusteem", "mnuwinston", "mnusaint", "mnuhatari"})
            QCOMPARE(h.find<QAction>(item)->isChecked(), checked == QLatin1String(item));
    }

    void filtersComeBackAndAreWrittenOnClose() {
        QString settings =
            settingsWith(QStringLiteral("order"), QStringLiteral("c2"), QStringLiteral("1"));
        WindowHarness h(settings);
        QVERIFY(!h.window->Check2->isChecked());
        QVERIFY(h.window->Check3->isChecked());
        QVERIFY(!h.window->Check4->isChecked());

        h.window->Check2->setChecked(true);
        h.window->Check3->setChecked(false);
        h.window->show();
        h.window->Command2->click(); // Exit
        QVERIFY(!h.window->isVisible());
        QCOMPARE(h.setting("order", "c1"), QStringLiteral("1"));
        QCOMPARE(h.setting("order", "c2"), QStringLiteral("0"));
        QCOMPARE(h.setting("order", "c3"), QStringLiteral("0"));
        // Everything else of the file stays.
        QCOMPARE(h.setting("searchbox", "1"), QStringLiteral("endmru"));
    }

    void controlsCarryTheirNames() {
        WindowHarness h;
        for (const char* name :
             {"Frame4",     "Label12",  "Command3",  "Check2",   "Check3",   "Check4",
              "Picture2",   "Picture3", "Picture4",  "Picture5", "Toolbar1", "ProgressBar1",
              "StatusBar1", "Text1",    "RTB1",      "Frame3",   "Picture1", "Image1",
              "Label10",    "Label7",   "Label8",    "Label2",   "Label9",   "Frame1",
              "Label5",     "Combo6",   "ListView1", "Combo3",   "OKButton", "Command2",
              "Command1",   "Option2",  "Option1",   "Combo8",   "Frame2",   "Combo1",
              "Combo9",     "Label1",   "Label4",    "Check1",   "Label14",  "Label3",
              "mnufav",     "mnufile",  "mnuedit",   "mnuemu",   "mnuhelp"})
            QVERIFY2(h.window->findChild<QObject*>(QLatin1String(name)), name);
        const struct {
            const char* name;
            const char* caption;
            const char* shortcut;
        } items[] = {
            {"mnuplay", "Play", "Ctrl+P"},
            {"mnuaudit", "Audit", "Ctrl+A"},
            {"mnusave", "Save", ""},
            {"mnupaste", "Paste", ""},
            {"mnureport", "Report", ""},
            {"mnuexit", "Exit", "Ctrl+Q"},
            {"mnueditsingle", "Single Disk", ""},
            {"mnueditset", "Disk Set", ""},
            {"mnusettings", "Settings", ""},
            {"mnusteem", "STeem", ""},
            {"mnuwinston", "WinSTon/STew", ""},
            {"mnusaint", "SainT", ""},
            {"mnuhatari", "Hatari", ""},
            {"mnusyntax", "Syntax Overview", ""},
            {"mnunotes", "Release Notes", ""},
            {"mnuabout", "About", ""},
            {"mnuauditgame", "Audit Game", ""},
            {"mnuauditgroup", "Audit Group", ""},
            {"mnufavadd", "Add To Favourites", ""},
            {"mnufavrem", "Remove From Favourites", ""},
            {"mnufavclear", "Clear Favourites", ""},
            {"mnudriveB", "Place in Drive B", ""},
        };
        for (const auto& item : items) {
            QAction* action = h.find<QAction>(item.name);
            QVERIFY2(action, item.name);
            QCOMPARE(action->text(), QLatin1String(item.caption));
            QCOMPARE(action->shortcut(), QKeySequence(QLatin1String(item.shortcut)));
        }
        QCOMPARE(h.find<QMenu>("mnufav")->title(), QStringLiteral("fav"));
    }

    void toolbarButtonsInOrder() {
        WindowHarness h;
        const QList<QAction*> actions = h.window->Toolbar1->actions();
        const QStringList keys{"Play",       "",      "Audit", "Favourites", "Settings",
                               "compressor", "",      "Save",  "Paste",      "Report",
                               "",           "About", "Help"};
        const QStringList tips{"Play Game",
                               "",
                               "Audit All Disk Images",
                               "Open Favourites",
                               "Settings",
                               "Remove Duplicate Disk Entries",
                               "",
                               "Save Search Results",
                               "Paste Results To Clipboard",
                               "Stamp Report To Clipboard",
                               "",
                               "About",
                               "Help"};
        QCOMPARE(actions.size(), keys.size());
        for (int i = 0; i < keys.size(); ++i) {
            QCOMPARE(actions[i]->isSeparator(), keys[i].isEmpty());
            if (keys[i].isEmpty())
                continue;
            QCOMPARE(actions[i]->objectName(), keys[i]);
            QCOMPARE(actions[i]->toolTip(), tips[i]);
            QVERIFY(!actions[i]->icon().isNull());
        }
    }

    void syntaxPanelOpensAndCloses() {
        WindowHarness h;
        h.window->show();
        h.find<QAction>("mnusyntax")->trigger();
        QVERIFY(h.window->Frame4->isVisible());
        QTest::mouseClick(h.window->Command3, Qt::LeftButton);
        QVERIFY(!h.window->Frame4->isVisible());
    }

    void statusBarTooltipWaitsForASelection() {
        WindowHarness h;
        h.window->show();
        h.window->StatusBar1->setToolTip(QStringLiteral("before"));
        QTest::mouseMove(h.window->StatusBar1);
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(h.window->StatusBar1, &move);
        QCOMPARE(h.window->StatusBar1->toolTip(), QStringLiteral("before"));
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
        if (!content.isNull()) {
            QFile file(folder.cataloguePath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content.toUtf8().repeated(200));
        }
        Catalogue catalogue;
        ScriptedPrompts prompts;
        FakeClock clock;
        RecordingShell shell;
        ProgramFolder programFolder;
        programFolder.path = folder.path();
        std::unique_ptr<Form1> window;
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
