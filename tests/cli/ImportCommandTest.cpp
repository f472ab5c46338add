#include "common/TestRegistry.h"

#include "cli/CliTable.h"

#include "core/catalogue/Catalogue.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

// The import command: a catalogue in use is only replaced when asked, after a dated backup.
class ImportCommandTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Skipped test by test: a skip in initTestCase would leak into the classes after this one.
    void init() {
        if (!QFileInfo::exists(sharedFixture("catalogue-v2000.mdb")))
            QSKIP("The shared fixtures (../shared/fixtures/mdb) are not here.");
    }

    void run_data() {
        addCliColumns();
        const QString good = sharedFixture("catalogue-v2000.mdb");
        const QStringList imported{
            "Compilations -- 30 rows", "Dnames -- 12 rows",
            "2 tables, 42 rows imported into <folder>/AtariST Compilation Listing v1.sqlite"};
        cliRow("new", {good}, 0, imported);
        cliRow("in use, kept", {good}, 1, {}, "--replace");
        cliRow("in use, replaced", {"--replace", good}, 0, imported,
               "The previous catalogue is kept as:");
        cliRow("in use, not a catalogue", {sharedFixture("not-a-catalogue.mdb"), "--replace"}, 1,
               {}, "It has no table Dnames.");
        cliRow("damaged", {sharedFixture("damaged/negative-text-length.mdb")}, 1, {},
               "damaged or incomplete");
        cliRow("in use, damaged", {"--replace", sharedFixture("damaged/negative-text-length.mdb")},
               1, {}, "runs past its page");
        cliRow("no file", {}, 2, {}, "needs the .mdb");
        cliRow("two files", {"a.mdb", "b.mdb"}, 2, {}, "b.mdb");
        cliRow("unknown option", {"--force", good}, 2, {}, "--force");
    }
    void run() {
        QFETCH(int, status);
        // A catalogue of the user's is there in the rows so named.
        const bool inUse = QByteArray(QTest::currentDataTag()).startsWith("in use");
        TestFolder folder;
        const QString catalogue = folder.cataloguePath();
        if (inUse)
            folder.createCatalogue(
                QStringLiteral("INSERT INTO Dnames VALUES (1, 1, 'A', 'A', '1', 'st');"));
        const QByteArray used = fileBytes(catalogue); // "<missing>" when there is none
        const CliRun run = runCliRow(folder, QStringLiteral("import"));
        const QStringList backups =
            QDir(folder.path()).entryList({QStringLiteral("*.bak")}, QDir::Files);
        QCOMPARE(backups.size(), status == 0 && inUse ? 1 : 0);
        if (status != 0) {
            QCOMPARE(fileBytes(catalogue), used);
            QCOMPARE(QDir(folder.path()).entryList({QStringLiteral("*.importing")}), QStringList());
        } else {
            Catalogue opened;
            opened.open(catalogue);
            QCOMPARE(opened.query(u"SELECT * FROM Compilations").rowCount(), 30);
        }
        if (!backups.isEmpty()) {
            QVERIFY2(
                QRegularExpression(QStringLiteral(R"(^AtariST Compilation Listing v1\.sqlite\.)"
                                                  R"(\d{4}-\d\d-\d\d-\d{6}\.bak$)"))
                        .match(backups[0])
                        .hasMatch() &&
                    run.errors.contains(backups[0]),
                qPrintable(backups[0] + u'\n' + run.errors));
            QCOMPARE(fileBytes(folder.file(backups[0])), used);
        }
    }
};

KESTREL_TEST(ImportCommandTest)
#include "ImportCommandTest.moc"
