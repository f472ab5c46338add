#include "common/FixtureCatalogue.h"

#include "common/RawDatabase.h"
#include "common/TestRegistry.h"

#include "core/catalogue/CatalogueSchema.h"
#include "core/catalogue/JetFunctions.h"

#include <QDate>
#include <QRegularExpression>
#include <QTest>

namespace {

// What earlier builds wrote: the collation of ours declared on every text column, and the
// program's indexes on the plain columns (so they took the collation from the columns).
constexpr const char* kOldLayout = R"sql(
CREATE TABLE Compilations (
    Nummer    INTEGER PRIMARY KEY,
    [Group]   TEXT COLLATE JETTEXT,
    Game      TEXT COLLATE JETTEXT,
    favourite INTEGER NOT NULL DEFAULT 0,
    F_ID      INTEGER
);
CREATE TABLE Dnames (
    F_ID       INTEGER PRIMARY KEY,
    got        INTEGER,
    folder     TEXT COLLATE JETTEXT,
    filename   TEXT COLLATE JETTEXT,
    filenumber TEXT COLLATE JETTEXT,
    fileexten  TEXT COLLATE JETTEXT
);
CREATE INDEX Compilations_F_ID ON Compilations(F_ID);
CREATE INDEX Compilations_Group ON Compilations([Group]);
CREATE INDEX Compilations_Game ON Compilations(Game);
CREATE INDEX Compilations_favourite ON Compilations(favourite);
)sql";

// Indexes a user added with another tool: one naming our collation, one on the other table.
constexpr const char* kOwnIndexes = R"sql(
CREATE INDEX My_Titles ON Compilations(Game COLLATE JETTEXT, [Group]);
CREATE INDEX My_Folders ON Dnames(folder);
)sql";

// Case and accents that our order and SQLite's differ on, a Null title, identical titles.
constexpr const char* kRows = R"sql(
INSERT INTO Dnames VALUES (1, 1, 'Automation', 'AUTO', '12', 'msa');
INSERT INTO Dnames VALUES (2, 0, 'pompey', 'PP', '07', 'st');
INSERT INTO Dnames VALUES (3, NULL, 'Medway', 'MB', NULL, 'st');
INSERT INTO Dnames VALUES (4, 2, 'Élan', 'EL', '1', 'msa');
INSERT INTO Compilations VALUES (1, 'Automation 12', 'xenon', 0, 1);
INSERT INTO Compilations VALUES (2, 'Automation 12', 'Xenon', -1, 1);
INSERT INTO Compilations VALUES (3, 'automation 12', 'XENON', 0, 1);
INSERT INTO Compilations VALUES (4, 'Pompey Pirates 7', 'Élite', 0, 2);
INSERT INTO Compilations VALUES (5, 'Pompey Pirates 7', 'elite', 0, 2);
INSERT INTO Compilations VALUES (6, 'Medway Boys 9', NULL, 0, 3);
INSERT INTO Compilations VALUES (7, 'Medway Boys 9', 'Zool', 0, 3);
INSERT INTO Compilations VALUES (8, 'Élan 1', 'Ärger', 0, 4);
INSERT INTO Compilations VALUES (9, 'Élan 1', 'apple', 0, 4);
INSERT INTO Compilations VALUES (10, 'Automation 12', '100% Dynamite', 0, 1);
INSERT INTO Compilations VALUES (11, 'Pompey Pirates 7', 'Über Run', 0, 2);
INSERT INTO Compilations VALUES (12, 'Medway Boys 9', 'Zool', 1, 3);
)sql";

constexpr int kOldDemoMark = 0x4B444D4F;

// A connection as another SQLite tool makes it, our functions registered only when asked.
Database openRaw(const QString& path, bool ourFunctions = false) {
    Database db = openDatabase(path);
    if (ourFunctions)
        registerJetFunctions(db.get());
    return db;
}

// An old catalogue, written as earlier builds did with our functions registered; "ok" or why not.
QString writeOldCatalogue(const QString& path, int userVersion, const char* extra = "") {
    const Database db = openRaw(path, true);
    return rawExec(db.get(), QString::fromUtf8(kOldLayout) + QString::fromUtf8(kOwnIndexes) +
                                 QString::fromUtf8(kRows) + QString::fromUtf8(extra) +
                                 QStringLiteral("PRAGMA user_version = %1;").arg(userVersion));
}

// Everything a catalogue holds, rows and layout, compared before and after.
QStringList allRows(const QString& path) {
    const Database db = openRaw(path, true);
    return rawRows(db.get(), QStringLiteral("SELECT * FROM Compilations ORDER BY Nummer")) +
           rawRows(db.get(), QStringLiteral("SELECT * FROM Dnames ORDER BY F_ID"));
}
QStringList layout(const QString& path) {
    const Database db = openRaw(path);
    return rawRows(db.get(), QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_schema "
                                            "WHERE type = 'index' ORDER BY name")) +
           rawRows(db.get(), QStringLiteral("SELECT * FROM pragma_table_info('Compilations')")) +
           rawRows(db.get(), QStringLiteral("SELECT * FROM pragma_table_info('Dnames')")) +
           rawRows(db.get(), QStringLiteral("SELECT user_version FROM pragma_user_version"));
}

// What another SQLite tool gets from checking, sorting and editing the file.
QStringList otherTool(const QString& path) {
    const Database db = openRaw(path);
    const QStringList check = rawRows(db.get(), QStringLiteral("PRAGMA integrity_check"));
    const QStringList sorted =
        rawRows(db.get(), QStringLiteral("SELECT Game FROM Compilations ORDER BY Game"));
    return {
        check.join(u' '), sorted.size() == 12 ? QStringLiteral("sorted") : sorted.join(u' '),
        rawExec(db.get(), QStringLiteral("UPDATE Compilations SET Game = 'x' WHERE Nummer = 1"))};
}

QStringList backups(const TestFolder& folder) {
    QStringList names = folderEntries(folder.path());
    names.removeOne(Catalogue::fileName());
    return names;
}

} // namespace

// A catalogue written by an earlier build is brought to the current layout when it is opened:
// once, after a copy, without losing a row, an index, a view or a trigger of the user's.
class CatalogueUpgradeTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void upgradesOnce_data() {
        QTest::addColumn<int>("userVersion");
        QTest::addColumn<int>("applicationId");
        QTest::newRow("version 0") << 0 << 0;
        // Older demo catalogues kept their mark where the version now lives; it moves to the
        // application id.
        QTest::newRow("demo mark") << kOldDemoMark << kOldDemoMark;
    }
    // A view and a trigger on the rebuilt tables come through: SQLite's rename checks every
    // view, and dropping a table drops its triggers.
    void upgradesOnce() {
        QFETCH(int, userVersion);
        QFETCH(int, applicationId);
        TestFolder folder;
        const QString path = folder.cataloguePath();
        QCOMPARE(writeOldCatalogue(
                     path, userVersion,
                     "CREATE VIEW Favs AS SELECT Game FROM Compilations WHERE favourite <> 0;"
                     "CREATE TABLE Edits (nummer INTEGER);"
                     "CREATE TRIGGER Noted AFTER UPDATE ON Compilations BEGIN INSERT INTO Edits "
                     "VALUES (new.Nummer); END;"),
                 QStringLiteral("ok"));
        const QStringList rows = allRows(path);
        QCOMPARE(rows.size(), 16);
        const QByteArray original = fileBytes(path);
        // Other SQLite tools cannot check, sort or edit the old file.
        for (const QString& outcome : otherTool(path))
            QVERIFY2(outcome.contains(QStringLiteral("no such collation sequence: JETTEXT")),
                     qPrintable(outcome));

        const QDate day = QDate::currentDate();
        Catalogue catalogue;
        catalogue.open(path);
        const QStringList made = backups(folder);
        QCOMPARE(made.size(), 1);
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(
                                        QRegularExpression::escape(Catalogue::fileName()) +
                                        QStringLiteral("\\.\\d{4}-\\d{2}-\\d{2}\\.backup")))
                     .match(made[0])
                     .hasMatch(),
                 qPrintable(made[0]));
        QVERIFY2(made[0].contains(day.toString(Qt::ISODate)) ||
                     made[0].contains(QDate::currentDate().toString(Qt::ISODate)),
                 qPrintable(made[0]));
        QVERIFY2(catalogue.upgradeNotice().contains(made[0]),
                 qPrintable(catalogue.upgradeNotice()));
        QVERIFY(fileBytes(folder.file(made[0])) == original);

        QCOMPARE(allRows(path), rows);
        TestFolder current;
        current.createCatalogue(QStringLiteral("SELECT 1;"));
        QStringList expected = layout(current.cataloguePath());
        // By name, after the program's "Compilations_...".
        expected.insert(4, "'index'|'My_Folders'|'Dnames'|'CREATE INDEX My_Folders ON "
                           "Dnames(folder)'");
        expected.insert(5, "'index'|'My_Titles'|'Compilations'|'CREATE INDEX My_Titles ON "
                           "Compilations(Game, [Group])'");
        QCOMPARE(layout(path), expected);
        QCOMPARE(layout(path).last(), QString::number(kCatalogueVersion));
        {
            const Database db = openRaw(path);
            QCOMPARE(rawRows(db.get(), QStringLiteral("SELECT count(*) FROM sqlite_schema WHERE "
                                                      "sql LIKE '%JETTEXT%'")),
                     QStringList{"0"});
            QCOMPARE(rawRows(db.get(), QStringLiteral("SELECT Game FROM Favs ORDER BY Game")),
                     (QStringList{"'Xenon'", "'Zool'"}));
            QCOMPARE(
                rawRows(db.get(), QStringLiteral("SELECT application_id, user_version FROM "
                                                 "pragma_application_id, pragma_user_version")),
                QStringList{QStringLiteral("%1|%2").arg(applicationId).arg(kCatalogueVersion)});
        }

        // Opening it again finds nothing to do: a catalogue of this build is left alone.
        const QByteArray upgraded = fileBytes(path);
        Catalogue again;
        again.open(path);
        QCOMPARE(again.upgradeNotice(), QString());
        QCOMPARE(backups(folder), made);
        QVERIFY(fileBytes(path) == upgraded);

        // Other tools can use the upgraded file; their edit (of entry 1) fires the trigger.
        QCOMPARE(otherTool(path), (QStringList{"'ok'", "sorted", "ok"}));
        const Database db = openRaw(path);
        QCOMPARE(rawRows(db.get(), QStringLiteral("SELECT nummer FROM Edits")), QStringList{"1"});
    }

    // The lists show in the order earlier builds gave, which came from the columns' collation.
    void ordersStayAcrossTheUpgrade_data() {
        QTest::addColumn<QString>("statement");
        QTest::newRow("title") << "SELECT Game FROM Compilations ORDER BY Game, Nummer";
        QTest::newRow("title descending")
            << "SELECT Game FROM Compilations ORDER BY Game DESC, Nummer";
        QTest::newRow("group, title")
            << "SELECT [Group], Game FROM Compilations ORDER BY [Group], Game, Nummer";
        QTest::newRow("folder") << "SELECT folder FROM Dnames ORDER BY folder DESC";
    }
    void ordersStayAcrossTheUpgrade() {
        QFETCH(QString, statement);
        TestFolder folder;
        const QString path = folder.cataloguePath();
        QCOMPARE(writeOldCatalogue(path, 0), QStringLiteral("ok"));
        const QStringList before = rawRows(openRaw(path, true).get(), statement)
                                       .replaceInStrings(QStringLiteral("'"), QString());
        Catalogue catalogue;
        catalogue.open(path);
        QVERIFY(!catalogue.upgradeNotice().isEmpty());
        QCOMPARE(rowTexts(catalogue, statement), before);
    }

    // Copies already taken today stay as they are; the new one takes the next free number.
    void backupTakesAFreeName() {
        TestFolder folder;
        const QString path = folder.cataloguePath();
        QCOMPARE(writeOldCatalogue(path, 0), QStringLiteral("ok"));
        const QString dated =
            Catalogue::fileName() + u'.' + QDate::currentDate().toString(Qt::ISODate);
        const QStringList taken{dated + QStringLiteral(".backup"),
                                dated + QStringLiteral("-2.backup")};
        for (const QString& name : taken)
            QVERIFY(writeFileBytes(folder.file(name), name.toUtf8()));
        const QByteArray original = fileBytes(path);
        Catalogue catalogue;
        catalogue.open(path);
        if (!dated.endsWith(QDate::currentDate().toString(Qt::ISODate)))
            QSKIP("the date changed while the catalogue was opened");
        const QString made = dated + QStringLiteral("-3.backup");
        QVERIFY2(catalogue.upgradeNotice().contains(made), qPrintable(catalogue.upgradeNotice()));
        QVERIFY(fileBytes(folder.file(made)) == original);
        for (const QString& name : taken)
            QCOMPARE(fileBytes(folder.file(name)), name.toUtf8());
    }

    // An upgrade that fails half-way (here: a check of the user's that only holds in our order,
    // on a table after the catalogue's two) leaves the file as it was and no copy; the program
    // still reads it.
    void failedUpgradeChangesNothing() {
        TestFolder folder;
        const QString path = folder.cataloguePath();
        QCOMPARE(writeOldCatalogue(path, 0,
                                   "CREATE TABLE Notes (Note TEXT COLLATE JETTEXT CHECK (Note >= "
                                   "'a')); INSERT INTO Notes VALUES ('Zool');"),
                 QStringLiteral("ok"));
        const QByteArray original = fileBytes(path);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                               "could not be upgraded: CHECK constraint failed")));
        Catalogue catalogue;
        catalogue.open(path);
        QCOMPARE(catalogue.upgradeNotice(), QString());
        QCOMPARE(backups(folder), QStringList());
        QVERIFY(fileBytes(path) == original);
        QCOMPARE(catalogue.query(u"SELECT Game FROM Compilations ORDER BY Game").rowCount(), 12);
    }
};

KESTREL_TEST(CatalogueUpgradeTest)
#include "CatalogueUpgradeTest.moc"
