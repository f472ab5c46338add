#include "common/FixtureCatalogue.h"

#include "common/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sqlite3.h>
#include <unistd.h>

namespace {

// A database built with plain SQLite, without the program's schema.
bool writeDatabase(const QString& path, const QByteArray& sql) {
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    const int rc = sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return rc == SQLITE_OK;
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

const QByteArray kCompilations = "CREATE TABLE Compilations (Nummer INTEGER PRIMARY KEY, [Group] "
                                 "TEXT, Game TEXT, favourite INTEGER, F_ID INTEGER);";

} // namespace

// Opening the catalogue file, sharing it, and reading the shared result set.
class CatalogueConnectionTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // "setup" is a kind of file to stage, or SQL for a plain SQLite database.
    void refusesToOpen_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing"
                                 << "does not exist";
        QTest::newRow("directory") << "directory"
                                   << "not a file";
        QTest::newRow("unreadable") << "unreadable"
                                    << "cannot be read";
        QTest::newRow("garbage") << "garbage"
                                 << "not an SQLite database";
        QTest::newRow("empty file") << "empty"
                                    << "no table Compilations";
        QTest::newRow("other tables") << "CREATE TABLE Games (Nummer INTEGER, Game TEXT);"
                                      << "no table Compilations";
        QTest::newRow("no Dnames") << QString::fromLatin1(kCompilations) << "no table Dnames";
        QTest::newRow("field missing")
            << QString::fromLatin1(kCompilations +
                                   "CREATE TABLE Dnames (F_ID INTEGER PRIMARY KEY, got INTEGER, "
                                   "folder TEXT, filename TEXT, filenumber TEXT);")
            << "fileexten";
    }
    // Opening fails with a message naming the file and the reason, and leaves no file.
    void refusesToOpen() {
        QFETCH(QString, setup);
        QFETCH(QString, reason);
        TestFolder folder;
        const QString path = folder.cataloguePath();
        if (setup == u"directory") {
            QVERIFY(QDir(folder.path()).mkdir(Catalogue::fileName()));
        } else if (setup == u"unreadable") {
            if (geteuid() == 0)
                QSKIP("root reads any file, so an unreadable one cannot be staged");
            folder.createCatalogue();
            QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
        } else if (setup == u"garbage") {
            QVERIFY(
                writeFileBytes(path, QByteArray("Atari ST compilation listing\r\n").repeated(200)));
        } else if (setup == u"empty") {
            QVERIFY(writeFileBytes(path, QByteArray()));
        } else if (setup != u"missing") {
            QVERIFY(writeDatabase(path, setup.toUtf8()));
        }
        const QStringList before = entries(folder.path());
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
        QCOMPARE(entries(folder.path()), before);
    }

    // Another copy of the program on the same file: both read, each sees the other's writes,
    // and a connection waits for a busy file instead of failing at once.
    void twoConnectionsShareTheFile() {
        OpenCatalogue first;
        Catalogue second;
        second.open(first.folder.cataloguePath());
        const QString favourites = QStringLiteral(
            "SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID = Dnames.F_ID AND "
            "favourite = -1");
        QCOMPARE(first.catalogue.execute(u"UPDATE compilations SET favourite = -1 WHERE Nummer "
                                         u"LIKE '5'"),
                 1);
        QCOMPARE(second.query(favourites).rowCount(), 3);
        QCOMPARE(second.execute(u"UPDATE Compilations SET favourite= 0"), 28);
        QCOMPARE(first.catalogue.query(favourites).rowCount(), 0);
        for (Catalogue* catalogue : {&first.catalogue, &second})
            QVERIFY(catalogue->query(u"PRAGMA busy_timeout").row(0).at(0).toInt() > 0);
    }

    // Fields by name in any case, a Null field as a null value; of the join's two F_ID the
    // first is read.
    void joinedRow() {
        OpenCatalogue open;
        const ResultSet& row = open.catalogue.query(
            u"SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID=Dnames.F_ID AND "
            u"Compilations.Nummer = 20");
        QCOMPARE(row.field(u"nummer"), QVariant(20LL));
        QCOMPARE(row.field(u"group"), QVariant(QStringLiteral("Medway Boys 9")));
        QCOMPARE(row.field(u"FileName"), QVariant(QStringLiteral("MB")));
        QVERIFY(row.field(u"FileNumber").isNull());
        QVERIFY(row.field(u"GOT").isNull());
        QCOMPARE(row.columns().filter(QStringLiteral("F_ID"), Qt::CaseInsensitive).size(), 2);
        QCOMPARE(row.field(u"F_ID"), QVariant(6LL));
        const ResultSet twoColumns({QStringLiteral("F_ID"), QStringLiteral("f_id")},
                                   {{QVariant(1LL), QVariant(2LL)}});
        QCOMPARE(twoColumns.field(u"f_id").toLongLong(), 1);
    }

    void cursor() {
        OpenCatalogue open;
        ResultSet& results = open.catalogue.query(
            u"SELECT * FROM Compilations WHERE [Group] LIKE 'Pompey%' ORDER by Game");
        QCOMPARE(&results, &open.catalogue.results());
        QStringList walked;
        for (; !results.atEnd(); results.moveNext())
            walked << results.field(u"Game").toString();
        QCOMPARE(walked, QStringList({"100% Dynamite", "2 Hot 2 Handle", "XENON", "Xenon"}));
        QVERIFY_THROWS_EXCEPTION(CatalogueError, results.field(u"Game"));
        results.moveFirst();
        QCOMPARE(results.field(u"Game").toString(), QStringLiteral("100% Dynamite"));
        QVERIFY_THROWS_EXCEPTION(CatalogueError, results.field(u"folder"));

        // The next query replaces the shared result set and starts on its first row.
        open.catalogue.query(u"SELECT * FROM Dnames WHERE F_ID = 1234");
        QCOMPARE(results.field(u"folder").toString(), QStringLiteral("Deep Thought"));
        open.catalogue.query(u"SELECT * FROM Dnames WHERE F_ID = 5");
        QVERIFY(results.atEnd());
    }
};

KESTREL_TEST(CatalogueConnectionTest)
#include "CatalogueConnectionTest.moc"
