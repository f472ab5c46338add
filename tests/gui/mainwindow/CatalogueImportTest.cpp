#include "common/TestRegistry.h"

#include "common/TestFolder.h"

#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/Startup.h"
#include "core/catalogue/Catalogue.h"
#include "core/browser/Clock.h"
#include "gui/platform/Prompts.h"
#include "gui/platform/Shell.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

namespace {

QString fixture(const char* name) {
    return QStringLiteral(KESTREL_SHARED_FIXTURES "/mdb/") + QLatin1String(name);
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The names of the widgets shown while it watches.
class ShownWidgets : public QObject {
public:
    ShownWidgets() { qApp->installEventFilter(this); }
    ~ShownWidgets() override { qApp->removeEventFilter(this); }
    QStringList names;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType())
            names << watched->objectName();
        return false;
    }
};

// The main window's start-up on a program folder, with scripted dialogs.
struct Start {
    Catalogue catalogue;
    ScriptedPrompts prompts;
    FakeClock clock;
    RecordingShell shell;
    std::unique_ptr<MainWindow> window;
    int status = -1;

    explicit Start(const TestFolder& folder) {
        ProgramFolder programFolder;
        programFolder.path = folder.path();
        status = openMainWindow(programFolder, {catalogue, prompts, clock, shell}, window);
    }
};

} // namespace

class CatalogueImportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Skipped test by test: a skip in initTestCase would leak into the classes after this one.
    void init() {
        if (!QFileInfo::exists(fixture("catalogue-v2000.mdb")))
            QSKIP("The shared fixtures (../shared/fixtures/mdb) are not here.");
    }

    // The original catalogue is imported once, before the window opens on it; the original
    // stays as it was. Its name may differ in case, as files copied from Windows often do.
    void startupImportsTheOriginal_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("as named") << "AtariST Compilation Listing v1.mdb";
        QTest::newRow("other case") << "ATARIST COMPILATION LISTING V1.MDB";
    }
    void startupImportsTheOriginal() {
        QFETCH(QString, name);
        TestFolder folder;
        folder.writeSettings(TestFolder::defaultSettings());
        QVERIFY(QFile::copy(fixture("catalogue-v2000.mdb"), folder.file(name)));
        ShownWidgets shown;
        Start start(folder);
        QCOMPARE(start.status, 0);
        QVERIFY(start.window);
        QCOMPARE(start.prompts.shown().size(), 0);
        QVERIFY2(shown.names.contains(QStringLiteral("ImportProgress")),
                 qPrintable(shown.names.join(u' ')));
        QVERIFY(start.catalogue.isOpen());
        QCOMPARE(start.catalogue.query(QStringLiteral("SELECT * FROM Compilations")).rowCount(),
                 30);
        QCOMPARE(bytesOf(folder.file(name)), bytesOf(fixture("catalogue-v2000.mdb")));
    }

    void aWorkingCatalogueIsNeverReplacedAtStartup() {
        TestFolder folder;
        folder.writeSettings(TestFolder::defaultSettings());
        folder.createCatalogue(QStringLiteral("INSERT INTO Dnames VALUES (1, 1, 'A', 'a', NULL, "
                                              "'st')"));
        QVERIFY(QFile::copy(fixture("catalogue-v2000.mdb"),
                            folder.file(QStringLiteral("AtariST Compilation Listing v1.mdb"))));
        Start start(folder);
        QCOMPARE(start.status, 0);
        QCOMPARE(start.catalogue.query(QStringLiteral("SELECT * FROM Dnames")).rowCount(), 1);
    }

    void aFailedImportEndsTheStart() {
        TestFolder folder;
        folder.writeSettings(TestFolder::defaultSettings());
        const QString original = folder.file(QStringLiteral("AtariST Compilation Listing v1.mdb"));
        QVERIFY(QFile::copy(fixture("not-a-catalogue.mdb"), original));
        Start start(folder);
        QCOMPARE(start.status, 1);
        QVERIFY(!start.window);
        QCOMPARE(start.prompts.shown().size(), 1);
        const ScriptedPrompts::Shown& shown = start.prompts.shown()[0];
        QVERIFY2(shown.text.contains(original), qPrintable(shown.text));
        QVERIFY2(shown.text.contains(QStringLiteral("It has no table Compilations.")),
                 qPrintable(shown.text));
        QCOMPARE(shown.icon, Prompts::Icon::Critical);
        QVERIFY(!QFileInfo::exists(folder.cataloguePath()));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
                 (QStringList{"AtariST Compilation Listing v1.mdb", "Rummage.ini"}));
    }
};

KESTREL_TEST(CatalogueImportTest)
#include "CatalogueImportTest.moc"
