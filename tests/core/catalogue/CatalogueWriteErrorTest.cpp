#include "common/FixtureCatalogue.h"
#include "common/RawDatabase.h"
#include "common/TestRegistry.h"

#include "core/catalogue/RowStream.h"

#include <QTest>

namespace {

const QString kPath = QStringLiteral("/home/me/kestrel/AtariST Compilation Listing v1.sqlite");

// What a user may do when the program folder stays out of reach.
const char* const kMoveFolder = "\nOr copy the program folder to a place you can write to and "
                                "start Kestrel with --folder DIR.";

} // namespace

// A write the catalogue's file refuses names the file and says what stands in the way. Tests
// run as root, for whom no file or folder is read-only and no disk full: the conditions on
// disk are given to the message here, and the engine's own refusal comes from a connection
// that may only read.
class CatalogueWriteErrorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void message_data() {
        QTest::addColumn<int>("obstacle");
        QTest::addColumn<QString>("why");
        QTest::newRow("read-only file")
            << int(WriteObstacle::ReadOnlyFile)
            << QStringLiteral("The file is read-only. Allow yourself to write to it, then start "
                              "Kestrel again.") +
                   kMoveFolder;
        QTest::newRow("read-only folder")
            << int(WriteObstacle::ReadOnlyFolder)
            << QStringLiteral("The folder /home/me/kestrel is read-only, so SQLite cannot create "
                              "its journal there. Allow yourself to write to the folder.") +
                   kMoveFolder;
        QTest::newRow("full disk")
            << int(WriteObstacle::FullDisk) << "The disk is full. Make room on it and try again.";
        QTest::newRow("nothing found")
            << int(WriteObstacle::Unknown) << "The engine reports: disk I/O error.";
    }
    void message() {
        QFETCH(int, obstacle);
        QFETCH(QString, why);
        QCOMPARE(
            catalogueWriteError(kPath, WriteObstacle(obstacle), QStringLiteral("disk I/O error")),
            "The catalogue cannot be changed: " + kPath + "\n\n" + why);
    }

    // A connection that may only read is what the engine gives for a file it cannot write.
    void readOnlyConnection() {
        OpenCatalogue open;
        const QString path = open.folder.cataloguePath();
        const Database db = openDatabase(path, SQLITE_OPEN_READONLY);
        QCOMPARE(catalogueWriteObstacle(db.get(), SQLITE_READONLY), WriteObstacle::ReadOnlyFile);
        QCOMPARE(errorOf([&] {
                     RowStream(db.get(), QStringLiteral("UPDATE Dnames SET got = 1")).next();
                 }),
                 catalogueWriteError(path, WriteObstacle::ReadOnlyFile, QString()));
        // Reading from it still works.
        QVERIFY(RowStream(db.get(), QStringLiteral("SELECT count(*) FROM Dnames")).next());
    }

    // The program's own connection refusing a change, row by row or all at once: the message
    // names the file.
    void refusedChangeNamesTheFile() {
        OpenCatalogue open;
        const QString path = open.folder.cataloguePath();
        refuseWrites(open.catalogue);
        const QString expected = catalogueWriteError(
            path, catalogueWriteObstacle(open.catalogue.handle(), SQLITE_READONLY),
            QStringLiteral("attempt to write a readonly database"));
        QVERIFY(expected.startsWith("The catalogue cannot be changed: " + path + "\n\n"));
        QCOMPARE(errorOf([&] { open.catalogue.execute(u"UPDATE Dnames SET got = 1"); }), expected);
        QCOMPARE(errorOf([&] {
                     open.catalogue.prepareUpdate(u"UPDATE Dnames SET got = ? WHERE F_ID = ?")
                         ->run({1, 1});
                 }),
                 expected);
    }
};

KESTREL_TEST(CatalogueWriteErrorTest)
#include "CatalogueWriteErrorTest.moc"
