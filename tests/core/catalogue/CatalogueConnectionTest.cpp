#include "common/FixtureCatalogue.h"

#include "common/RawDatabase.h"
#include "common/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <unistd.h>

namespace {

const QByteArray kCompilations = "CREATE TABLE Compilations (Nummer INTEGER PRIMARY KEY, [Group] "
                                 "TEXT, Game TEXT, favourite INTEGER, F_ID INTEGER);";

} // namespace

// Opening the catalogue file, sharing it, and reading the shared result set.
class CatalogueConnectionTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // "setup" is a kind of file to stage, SQL for a plain SQLite database, or the file's bytes.
    void refusesToOpen_data() {
        QTest::addColumn<QByteArray>("setup");
        QTest::addColumn<QString>("reason");
        const auto row = [](const char* name, const QByteArray& setup, const char* reason) {
            QTest::newRow(name) << setup << QString::fromLatin1(reason);
        };
        row("missing", "missing", "does not exist");
        row("directory", "directory", "not a file");
        row("unreadable", "unreadable", "cannot be read");
        row("garbage", QByteArray("Atari ST compilation listing\r\n").repeated(200),
            "not an SQLite database");
        row("empty file", QByteArray(), "no table Compilations");
        row("no Dnames", kCompilations, "no table Dnames");
        row("field missing",
            kCompilations + "CREATE TABLE Dnames (F_ID INTEGER PRIMARY KEY, got INTEGER, folder "
                            "TEXT, filename TEXT, filenumber TEXT);",
            "fileexten");
    }
    // Opening fails with a message naming the file and the reason, and leaves no file.
    void refusesToOpen() {
        QFETCH(QByteArray, setup);
        QFETCH(QString, reason);
        TestFolder folder;
        const QString path = folder.cataloguePath();
        if (setup == "directory") {
            QVERIFY(QDir(folder.path()).mkdir(Catalogue::fileName()));
        } else if (setup == "unreadable") {
            if (geteuid() == 0)
                QSKIP("root reads any file, so an unreadable one cannot be staged");
            folder.createCatalogue();
            QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
        } else if (setup.startsWith("CREATE")) {
            QCOMPARE(rawExec(openDatabase(path).get(), setup), QStringLiteral("ok"));
        } else if (setup != "missing") {
            QVERIFY(writeFileBytes(path, setup));
        }
        const QStringList before = folderEntries(folder.path());
        Catalogue catalogue;
        const QString message = errorOf([&] { catalogue.open(path); });
        QVERIFY2(message.contains(path) && message.contains(reason, Qt::CaseInsensitive),
                 qPrintable(message));
        QVERIFY(!catalogue.isOpen());
        QCOMPARE(folderEntries(folder.path()), before);
    }

    // Another copy of the program on the same file: both read, each sees the other's writes,
    // and a connection waits for a busy file instead of failing at once.
    void twoConnectionsShareTheFile() {
        OpenCatalogue first;
        Catalogue second;
        second.open(first.folder.cataloguePath());
        const QString favourites = kJoin + QStringLiteral(" AND favourite = -1");
        QCOMPARE(first.catalogue.execute(u"UPDATE compilations SET favourite = -1 WHERE Nummer "
                                         u"LIKE '5'"),
                 1);
        QCOMPARE(second.query(favourites).rowCount(), 3);
        QCOMPARE(second.execute(u"UPDATE Compilations SET favourite= 0"), 28);
        QCOMPARE(first.catalogue.query(favourites).rowCount(), 0);
        for (Catalogue* catalogue : {&first.catalogue, &second})
            QVERIFY(catalogue->query(u"PRAGMA busy_timeout").row(0).at(0).toInt() > 0);
    }

    // Fields by name in any case, a Null field as a null value, of two columns of one name
    // the first; a cursor over the rows, and one result set that every query replaces.
    void resultSet() {
        OpenCatalogue open;
        ResultSet& results = open.catalogue.query(
            u"SELECT * FROM Compilations WHERE [Group] LIKE 'Pompey%' ORDER by Game");
        QCOMPARE(&results, &open.catalogue.results());
        QStringList walked;
        for (; !results.atEnd(); results.moveNext())
            walked << results.field(u"game").toString();
        QCOMPARE(walked, QStringList({"100% Dynamite", "2 Hot 2 Handle", "XENON", "Xenon"}));
        QVERIFY_THROWS_EXCEPTION(CatalogueError, results.field(u"Game"));
        results.moveFirst();
        QCOMPARE(results.field(u"NUMMER"), QVariant(23LL));
        QVERIFY_THROWS_EXCEPTION(CatalogueError, results.field(u"folder"));

        open.catalogue.query(u"SELECT * FROM Dnames WHERE F_ID = 6");
        QCOMPARE(results.field(u"folder").toString(), QStringLiteral("Medway"));
        QVERIFY(results.field(u"got").isNull());
        open.catalogue.query(u"SELECT * FROM Dnames WHERE F_ID = 5");
        QVERIFY(results.atEnd());
        const ResultSet twoColumns({QStringLiteral("F_ID"), QStringLiteral("f_id")},
                                   {{QVariant(1LL), QVariant(2LL)}});
        QCOMPARE(twoColumns.field(u"f_id").toLongLong(), 1);
    }
};

KESTREL_TEST(CatalogueConnectionTest)
#include "CatalogueConnectionTest.moc"
