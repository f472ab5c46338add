#include "common/TestRegistry.h"

#include "WindowHarness.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QProcess>

namespace {

// The window's objectNames, which scripts rely on.
const char* const kNames =
    "Form1 Frame4 Label12 Command3 Check2 Check3 Check4 Picture2 Picture3 Picture4 Picture5 "
    "Toolbar1 ProgressBar1 StatusBar1 Text1 RTB1 Frame3 Picture1 Image1 Label10 Label7 Label8 "
    "Label2 Label9 Frame1 Label5 Combo6 ListView1 Combo3 OKButton Command2 Command1 Option2 "
    "Option1 Combo8 Frame2 Combo1 Combo9 Label1 Label4 Check1 Label14 Label3 Panel1 Panel2 "
    "Panel3 mnufav mnufile mnuedit mnuemu mnuhelp Play Audit Favourites Settings compressor "
    "Save Paste Report About Help mnuplay mnuaudit mnusave mnupaste mnureport mnuexit "
    "mnueditsingle mnueditset mnusettings mnusteem mnuwinston mnusaint mnuhatari mnusyntax "
    "mnunotes mnuabout mnuauditgame mnuauditgroup mnufavadd mnufavrem mnufavclear mnudriveB";

const QString kOriginal = QStringLiteral("AtariST Compilation Listing v1.mdb");

// The names of the widgets shown while it watches.
struct ShownWidgets : QObject {
    QStringList names;
    ShownWidgets() { qApp->installEventFilter(this); }
    ~ShownWidgets() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType())
            names << watched->objectName();
        return false;
    }
};

} // namespace

// The start-up: the catalogue imported, opened or refused, and what the window shows when
// it opens, from the catalogue and the settings file, and leaves there when it closes.
class StartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The original stays as it was. Its name may differ in case, as files copied from Windows
    // often do; a working catalogue is never replaced.
    void startupImportsTheOriginal_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("working");
        QTest::newRow("as named") << kOriginal << false;
        QTest::newRow("other case") << kOriginal.toUpper() << false;
        QTest::newRow("working catalogue kept") << kOriginal << true;
    }
    void startupImportsTheOriginal() {
        QFETCH(QString, name);
        QFETCH(bool, working);
        if (!QFileInfo::exists(sharedFixture("catalogue-v2000.mdb")))
            QSKIP("The shared fixtures (../shared/fixtures/mdb) are not here.");
        StartupHarness start;
        if (working)
            start.folder.createCatalogue(QStringLiteral("SELECT 'nothing in it'"));
        QVERIFY(QFile::copy(sharedFixture("catalogue-v2000.mdb"), start.folder.file(name)));
        ShownWidgets shown;
        QCOMPARE(start.run(), 0);
        QVERIFY(start.window);
        QVERIFY(start.prompts.shown().isEmpty());
        QCOMPARE(shown.names.contains(QStringLiteral("ImportProgress")), !working);
        QCOMPARE(start.catalogue.query(QStringLiteral("SELECT * FROM Compilations")).rowCount(),
                 working ? 0 : 30);
        QCOMPARE(fileBytes(start.folder.file(name)),
                 fileBytes(sharedFixture("catalogue-v2000.mdb")));
    }

    // Without a catalogue, or when the original cannot be imported, the start ends with the
    // reason; a failed import leaves no half-made catalogue behind.
    void catalogueProblemsEndTheStart_data() {
        QTest::addColumn<QString>("original"); // "": there is none
        QTest::addColumn<QString>("reason");
        QTest::newRow("no catalogue") << QString() << "does not exist";
        QTest::newRow("failed import") << "not-a-catalogue.mdb"
                                       << "It has no table Compilations.";
        QTest::newRow("damaged original") << "damaged/negative-text-length.mdb"
                                          << "damaged or incomplete";
    }
    void catalogueProblemsEndTheStart() {
        QFETCH(QString, original);
        QFETCH(QString, reason);
        StartupHarness start;
        QString named = start.folder.cataloguePath();
        if (!original.isEmpty()) {
            const QString fixture = sharedFixture(qPrintable(original));
            if (!QFileInfo::exists(fixture))
                QSKIP("The shared fixtures (../shared/fixtures/mdb) are not here.");
            named = start.folder.file(kOriginal);
            QVERIFY(QFile::copy(fixture, named));
        }
        QCOMPARE(start.run(), 1);
        QVERIFY(!start.window);
        QCOMPARE(start.prompts.shown().size(), 1);
        const QString said = start.prompts.shown()[0].text;
        QVERIFY2(said.contains(named) && said.contains(reason), qPrintable(said));
        QCOMPARE(QDir(start.folder.path()).entryList(QDir::Files).size(),
                 original.isEmpty() ? 1 : 2);
    }

    // Scripts and tests find every control by these names.
    void controlsCarryTheirNames() {
        WindowHarness h;
        for (const QString& name : QString::fromLatin1(kNames).split(u' '))
            QVERIFY2(h.window->objectName() == name || h.window->findChild<QObject*>(name),
                     qPrintable(name));
    }

    void boxesAreFilled() {
        WindowHarness h({{"searchbox", "2", "dragon"}});
        QCOMPARE(h.find<QComboBox>("Combo3")->count(), 28);
        QCOMPARE(h.find<QComboBox>("Combo6")->count(), 159);
        QVERIFY(!h.find<QComboBox>("Combo1")->isEnabled());
        QVERIFY(h.text("Label12").startsWith(QStringLiteral("  term = match all occurence term")));
        auto* history = h.find<QComboBox>("Combo8");
        QCOMPARE(history->itemText(0), QStringLiteral("dragon"));
        QCOMPARE(history->currentText(), QString());
        QCOMPARE(h.headers(), (QStringList{"Game", "Group", "nummer"}));
        QVERIFY(h.find<QTreeView>("ListView1")->isColumnHidden(2));
        QVERIFY(h.shown("Frame3") && !h.shown("Frame1") && !h.shown("Frame4"));
        // Before anything is listed the list mode is neither a search nor the favourites.
        QCOMPARE(h.find<QLineEdit>("Text1")->text(), QStringLiteral("Text1"));
    }

    // Only "1" switches an option on. Reversed columns: the stored captions are rewritten to
    // match, "Group" comes first. The filters are written on Exit.
    void optionsComeBackAndAreWrittenOnExit() {
        WindowHarness h({{"order", "value", "1"},
                         {"order", "c1", "yes"},
                         {"order", "c2", "1"},
                         {"order", "c3", "70000"}});
        QCOMPARE(h.headers().mid(0, 2), (QStringList{"Group", "Game"}));
        QCOMPARE(h.setting("colorder", "1"), QStringLiteral("Group"));
        QCOMPARE(h.setting("colorder", "2"), QStringLiteral("Game"));
        QStringList checked;
        for (const char* box : {"Check1", "Check2", "Check3", "Check4"})
            checked << QString::number(h.find<QCheckBox>(box)->isChecked());
        QCOMPARE(checked, (QStringList{"1", "0", "1", "0"}));
        h.find<QCheckBox>("Check2")->setChecked(true);
        h.find<QCheckBox>("Check3")->setChecked(false);
        h.find<QPushButton>("Command2")->click(); // Exit
        QVERIFY(!h.window->isVisible());
        QCOMPARE(h.setting("order", "c1") + h.setting("order", "c2") + h.setting("order", "c3"),
                 QStringLiteral("100"));
    }

    // Hatari as shipped; then each choice from the menu, read again by the next window.
    void emulatorChoiceSurvivesARestart() {
        const QStringList items{"mnusteem", "mnuwinston", "mnusaint", "mnuhatari"};
        const auto checked = [&](const MainWindow& window) {
            QStringList on;
            for (const QString& item : items)
                if (window.findChild<QAction*>(item)->isChecked())
                    on << item;
            return on;
        };
        WindowHarness h;
        QCOMPARE(checked(*h.window), QStringList{"mnuhatari"});
        for (const QString& item : items) {
            h.window->findChild<QAction*>(item)->trigger();
            Catalogue again;
            QCOMPARE(checked(*h.open(again)), QStringList{item});
        }
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
