#include "CatalogueTestSupport.h"

#include "core/Failures.h"
#include "common/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sqlite3.h>
#include <unistd.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A database built with plain SQLite, without the program's schema.
void writeDatabase(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    const QString message = QString::fromUtf8(error);
    sqlite3_free(error);
    sqlite3_close(db);
    QVERIFY2(rc == SQLITE_OK, qPrintable(message));
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Opening must fail with a message naming the file and the reason, and leave no file.
void expectRefusal(const QString& path, const QString& reason) {
    const QString folder = QFileInfo(path).absolutePath();
    const QStringList before = entries(folder);
    Catalogue catalogue;
    try {
        catalogue.open(path);
        QFAIL("the catalogue opened");
    } catch (const CatalogueError& error) {
        QVERIFY2(error.message().contains(path), qPrintable(error.message()));
        QVERIFY2(error.message().contains(reason, Qt::CaseInsensitive),
                 qPrintable(error.message()));
    }
    QVERIFY(!catalogue.isOpen());
    QCOMPARE(entries(folder), before);
}

} // namespace

// Opening the catalogue file, sharing it, and reading the shared result set.
class CatalogueConnectionTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void refusesToOpen_data();
    void refusesToOpen();
    void refusesUnreadableFile();
    void twoConnectionsShareTheFile();

    void fieldsByNameIgnoringCase_data();
    void fieldsByNameIgnoringCase();
    void joinedF_IDReadsTheFirst();
    void cursor();
    void fieldOutsideTheRowsThrows();
};

void CatalogueConnectionTest::refusesToOpen_data() {
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing") << "missing"
                             << "does not exist";
    QTest::newRow("directory") << "directory"
                               << "not a file";
    QTest::newRow("garbage") << "garbage"
                             << "not an SQLite database";
    QTest::newRow("empty file") << "empty"
                                << "no table Compilations";
    QTest::newRow("other tables") << "other tables"
                                  << "no table Compilations";
    QTest::newRow("no Dnames") << "no Dnames"
                               << "no table Dnames";
    QTest::newRow("field missing") << "field missing"
                                   << "fileexten";
}

void CatalogueConnectionTest::refusesToOpen() {
    QFETCH(QString, setup);
    QFETCH(QString, reason);

    TestFolder folder;
    const QString path = folder.cataloguePath();
    const char* compilations = "CREATE TABLE Compilations (Nummer INTEGER PRIMARY KEY, [Group] "
                               "TEXT, Game TEXT, favourite INTEGER, F_ID INTEGER);";
    if (setup == QLatin1String("directory")) {
        QVERIFY(QDir(folder.path()).mkdir(Catalogue::fileName()));
    } else if (setup == QLatin1String("garbage")) {
        writeFile(path, QByteArray("Atari ST compilation listing\r\n").repeated(200));
    } else if (setup == QLatin1String("empty")) {
        writeFile(path, QByteArray());
    } else if (setup == QLatin1String("other tables")) {
        writeDatabase(path, "CREATE TABLE Games (Nummer INTEGER, Game TEXT);");
    } else if (setup == QLatin1String("no Dnames")) {
        writeDatabase(path, compilations);
    } else if (setup == QLatin1String("field missing")) {
        writeDatabase(path, (QByteArray(compilations) +
                             "CREATE TABLE Dnames (F_ID INTEGER PRIMARY KEY, got INTEGER, folder "
                             "TEXT, filename TEXT, filenumber TEXT);")
                                .constData());
    }
    if (QTest::currentTestFailed())
        return;
    expectRefusal(path, reason);
}

void CatalogueConnectionTest::refusesUnreadableFile() {
    if (geteuid() == 0)
        QSKIP("root reads any file, so an unreadable one cannot be staged");
    TestFolder folder;
    folder.createCatalogue();
    QFile file(folder.cataloguePath());
    QVERIFY(file.setPermissions(QFileDevice::Permissions()));
    expectRefusal(folder.cataloguePath(), QStringLiteral("cannot be read"));
    QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
}

// Another copy of the program on the same file: both read, each sees the other's writes,
// and a connection waits for a busy file instead of failing at once.
void CatalogueConnectionTest::twoConnectionsShareTheFile() {
    OpenCatalogue first;
    Catalogue second;
    second.open(first.folder.cataloguePath());

    const QString favourites = QStringLiteral(
        "SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID = Dnames.F_ID AND "
        "favourite = -1");
    QCOMPARE(first.catalogue.query(favourites).rowCount(), 2);
    QCOMPARE(second.query(favourites).rowCount(), 2);

    QCOMPARE(
        first.catalogue.execute(u"UPDATE compilations SET favourite = -1 WHERE Nummer LIKE '5'"),
        1);
    QCOMPARE(second.query(favourites).rowCount(), 3);
    QCOMPARE(second.execute(u"UPDATE Compilations SET favourite= 0"), 28);
    QCOMPARE(first.catalogue.query(favourites).rowCount(), 0);

    for (Catalogue* catalogue : {&first.catalogue, &second}) {
        QVERIFY(catalogue->query(u"PRAGMA busy_timeout").row(0).at(0).toInt() > 0);
        QCOMPARE(catalogue->query(u"PRAGMA integrity_check").row(0).at(0).toString(),
                 QStringLiteral("ok"));
    }
}

void CatalogueConnectionTest::fieldsByNameIgnoringCase_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("Nummer") << "Nummer" << QVariant(20LL);
    QTest::newRow("nummer") << "nummer" << QVariant(20LL);
    QTest::newRow("group") << "group" << QVariant("Medway Boys 9");
    QTest::newRow("FileName") << "FileName" << QVariant("MB");
    QTest::newRow("FileNumber, Null") << "FileNumber" << QVariant();
    QTest::newRow("got, Null") << "GOT" << QVariant();
    QTest::newRow("fileexten") << "fileexten" << QVariant("st");
}

void CatalogueConnectionTest::fieldsByNameIgnoringCase() {
    QFETCH(QString, field);
    QFETCH(QVariant, value);

    OpenCatalogue open;
    const ResultSet& results = open.catalogue.query(
        u"SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID=Dnames.F_ID AND "
        u"Compilations.Nummer = 20");
    QCOMPARE(results.rowCount(), 1);
    QVariant read;
    QVERIFY_THROWS_NO_EXCEPTION(read = results.field(field));
    QCOMPARE(read.isNull(), value.isNull());
    QCOMPARE(read.toString(), value.toString());
}

void CatalogueConnectionTest::joinedF_IDReadsTheFirst() {
    OpenCatalogue open;
    const ResultSet& joined = open.catalogue.query(
        u"SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID = Dnames.F_ID AND "
        u"[Game] LIKE 'Klax'");
    QCOMPARE(joined.columns().filter(QStringLiteral("F_ID"), Qt::CaseInsensitive).size(), 2);
    QCOMPARE(joined.columnIndex(u"f_id"), joined.columns().indexOf(QStringLiteral("F_ID")));
    QCOMPARE(joined.field(u"F_ID").toLongLong(), 3);

    // Where the two differ, the first is read.
    const ResultSet twoColumns({QStringLiteral("F_ID"), QStringLiteral("f_id")},
                               {{QVariant(1LL), QVariant(2LL)}});
    QCOMPARE(twoColumns.field(u"F_ID").toLongLong(), 1);
    QCOMPARE(twoColumns.field(u"f_id").toLongLong(), 1);
}

void CatalogueConnectionTest::cursor() {
    OpenCatalogue open;
    ResultSet& results =
        open.catalogue.query(u"SELECT * FROM Compilations WHERE [Group] LIKE 'Pompey%' ORDER by "
                             u"Game");
    QCOMPARE(&results, &open.catalogue.results());
    QCOMPARE(results.rowCount(), 4);

    QStringList walked;
    for (; !results.atEnd(); results.moveNext())
        walked << results.field(u"Game").toString();
    QCOMPARE(walked, QStringList({"100% Dynamite", "2 Hot 2 Handle", "XENON", "Xenon"}));
    results.moveNext();
    QVERIFY(results.atEnd());
    results.moveFirst();
    QVERIFY(!results.atEnd());
    QCOMPARE(results.field(u"Game").toString(), QStringLiteral("100% Dynamite"));

    // The next query replaces the shared result set and starts on its first row.
    open.catalogue.query(u"SELECT * FROM Dnames WHERE F_ID = 1234");
    QCOMPARE(results.rowCount(), 1);
    QVERIFY(!results.atEnd());
    QCOMPARE(results.field(u"folder").toString(), QStringLiteral("Deep Thought"));

    open.catalogue.query(u"SELECT * FROM Dnames WHERE F_ID = 5");
    QVERIFY(results.atEnd());
}

void CatalogueConnectionTest::fieldOutsideTheRowsThrows() {
    OpenCatalogue open;
    ResultSet& results = open.catalogue.query(u"SELECT * FROM Dnames WHERE F_ID = 1234");
    QVERIFY_THROWS_EXCEPTION(CatalogueError, results.field(u"Game"));
    results.moveNext();
    QVERIFY(results.atEnd());
    QVERIFY_THROWS_EXCEPTION(CatalogueError, results.field(u"folder"));
}

KESTREL_TEST(CatalogueConnectionTest)
#include "CatalogueConnectionTest.moc"
