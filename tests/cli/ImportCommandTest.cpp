#include "common/TestRegistry.h"

#include "common/TestFolder.h"

#include "core/catalogue/Catalogue.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

namespace {

QString fixture(const char* name) {
    return QStringLiteral(KESTREL_SHARED_FIXTURES "/mdb/") + QLatin1String(name);
}

qsizetype rowsIn(const QString& catalogue, const char* table) {
    Catalogue opened;
    opened.open(catalogue);
    return opened.query(QStringLiteral("SELECT * FROM ") + QLatin1String(table)).rowCount();
}

QStringList backups(const TestFolder& folder) {
    return QDir(folder.path()).entryList({QStringLiteral("*.bak")}, QDir::Files);
}

} // namespace

class ImportCommandTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Skipped test by test: a skip in initTestCase would leak into the classes after this one.
    void init() {
        if (!QFileInfo::exists(fixture("catalogue-v2000.mdb")))
            QSKIP("The shared fixtures (../shared/fixtures/mdb) are not here.");
    }

    void commandLineImportAndReplace() {
        TestFolder folder;
        const CliRun first = runCli(folder, {"import", fixture("catalogue-v2000.mdb")});
        QCOMPARE(first.status, 0);
        QCOMPARE(first.lines,
                 (QStringList{"Compilations -- 30 rows", "Dnames -- 12 rows",
                              "2 tables, 42 rows imported into " + folder.cataloguePath()}));
        QCOMPARE(rowsIn(folder.cataloguePath(), "Compilations"), 30);

        // Changed by the user since, so that a replacement can be told from the original.
        {
            Catalogue catalogue;
            catalogue.open(folder.cataloguePath());
            catalogue.execute(QStringLiteral("UPDATE Compilations SET favourite= 0"));
        }
        const QByteArray used = fileBytes(folder.cataloguePath());

        const CliRun again = runCli(folder, {"import", fixture("catalogue-v2000.mdb")});
        QCOMPARE(again.status, 1);
        QVERIFY2(again.errors.contains(QStringLiteral("already exists")), qPrintable(again.errors));
        QVERIFY2(again.errors.contains(QStringLiteral("--replace")), qPrintable(again.errors));
        QCOMPARE(fileBytes(folder.cataloguePath()), used);

        const CliRun refused =
            runCli(folder, {"import", fixture("not-a-catalogue.mdb"), "--replace"});
        QCOMPARE(refused.status, 1);
        QVERIFY2(refused.errors.contains(QStringLiteral("It has no table Dnames.")),
                 qPrintable(refused.errors));
        QCOMPARE(fileBytes(folder.cataloguePath()), used);
        QCOMPARE(backups(folder), QStringList());

        const CliRun replaced =
            runCli(folder, {"import", "--replace", fixture("catalogue-v2000.mdb")});
        QCOMPARE(replaced.status, 0);
        QCOMPARE(replaced.lines.size(), 3);
        const QStringList kept = backups(folder);
        QCOMPARE(kept.size(), 1);
        QVERIFY2(QRegularExpression(QStringLiteral(R"(^AtariST Compilation Listing v1\.sqlite\.)"
                                                   R"(\d{4}-\d\d-\d\d-\d{6}\.bak$)"))
                     .match(kept[0])
                     .hasMatch(),
                 qPrintable(kept[0]));
        QCOMPARE(fileBytes(folder.file(kept[0])), used);
        QVERIFY2(replaced.errors.contains(kept[0]), qPrintable(replaced.errors));
        Catalogue catalogue;
        catalogue.open(folder.cataloguePath());
        QCOMPARE(catalogue.query(QStringLiteral("SELECT * FROM Compilations WHERE favourite = -1"))
                     .rowCount(),
                 2);
    }

    void commandLineUsage() {
        TestFolder folder;
        QCOMPARE(runCli(folder, {"import"}).status, 2);
        QCOMPARE(runCli(folder, {"import", "a.mdb", "b.mdb"}).status, 2);
        QCOMPARE(runCli(folder, {"import", "--force", fixture("catalogue-v2000.mdb")}).status, 2);
        QVERIFY(!QFileInfo::exists(folder.cataloguePath()));
        const CliRun help = runCli(folder, {"help"});
        QVERIFY2(help.lines.join(u'\n').contains(QStringLiteral("import FILE.mdb [--replace]")),
                 qPrintable(help.lines.join(u'\n')));
    }
};

KESTREL_TEST(ImportCommandTest)
#include "ImportCommandTest.moc"
