#include "common/TestRegistry.h"

#include "common/TestFolder.h"

#include "core/catalogue/Catalogue.h"
#include "core/Failures.h"
#include "core/catalogue/MdbImport.h"
#include "core/search/GroupBrowse.h"
#include "core/search/NameSearch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString fixture(const char* name) {
    return QStringLiteral(KESTREL_SHARED_FIXTURES "/mdb/") + QLatin1String(name);
}

// Every row of a query, fields joined with "|", a Null field shown as "<Null>".
QStringList rowsOf(Catalogue& catalogue, const QString& statement) {
    ResultSet& results = catalogue.query(statement);
    QStringList rows;
    for (qsizetype r = 0; r < results.rowCount(); ++r) {
        QStringList fields;
        for (const QVariant& value : results.row(r))
            fields << (value.isNull() ? QStringLiteral("<Null>") : value.toString());
        rows << fields.join(u'|');
    }
    return rows;
}

QStringList nummersOf(Catalogue& catalogue, const QString& statement) {
    ResultSet& results = catalogue.query(statement);
    QStringList nummers;
    for (results.moveFirst(); !results.atEnd(); results.moveNext())
        nummers << results.field(u"Nummer").toString();
    return nummers;
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray catalogueBytes() {
    return bytesOf(fixture("catalogue-v2000.mdb"));
}

// The catalogue fixture with a name changed in place (same length, so the file stays whole).
QByteArray renamed(const QString& from, const QString& to) {
    QByteArray bytes = catalogueBytes();
    const auto utf16 = [](const QString& s) {
        return QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
    };
    return bytes.replace(utf16(from), utf16(to));
}

} // namespace

class MdbImportTest : public QObject {
    Q_OBJECT
    TestFolder m_folder;
    Catalogue m_catalogue;
    MdbImportCounts m_counts;
    QList<std::pair<qint64, qint64>> m_progress;
    bool m_haveFixtures = false;

private Q_SLOTS:
    // A skip in initTestCase would leak into the classes run after this one in the same
    // executable, so each test skips on its own.
    void initTestCase() {
        m_haveFixtures = QFileInfo::exists(fixture("catalogue-v2000.mdb"));
        if (!m_haveFixtures)
            return;
        m_counts =
            importMdb(fixture("catalogue-v2000.mdb"), m_folder.cataloguePath(),
                      [this](qint64 done, qint64 total) { m_progress << std::pair(done, total); });
        m_catalogue.open(m_folder.cataloguePath());
    }

    void init() {
        if (!m_haveFixtures)
            QSKIP("The shared fixtures (../shared/fixtures/mdb) are not here.");
    }

    void countsEveryTableAndRow() {
        QCOMPARE(m_counts.tables.size(), size_t(2));
        QCOMPARE(m_counts.tables[0].name, QStringLiteral("Compilations"));
        QCOMPARE(m_counts.tables[0].rows, 30);
        QCOMPARE(m_counts.tables[1].name, QStringLiteral("Dnames"));
        QCOMPARE(m_counts.tables[1].rows, 12);
        QCOMPARE(m_counts.totalRows(), 42);
        QVERIFY(!m_progress.isEmpty());
        QCOMPARE(m_progress.first(), std::pair(qint64(0), qint64(42)));
        QCOMPARE(m_progress.last(), std::pair(qint64(42), qint64(42)));
        // Only the catalogue itself is left in the folder, no temporary file.
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files), QStringList{Catalogue::fileName()});
    }

    void copiesEveryEntry() {
        const QStringList expected = {
            "1|Automation 001|Xenon 2|0|1",
            "2|Automation 001|Dragon Ninja|0|1",
            "3|Automation 001|Rock'n'Roll|-1|1",
            "4|Automation 002|3D Pool|0|2",
            "5|Automation 002|Ninja Warrior Demo|0|2",
            "6|Automation 002|Blood Money|0|2",
            QStringLiteral("7|Medway Boys 12|\u00C9lite Remix|0|3"),
            "8|Medway Boys 12|Speedball|0|3",
            "9|Pompey Pirates 7|Kick Off|-1|4",
            "10|Pompey Pirates 7|Populous|0|4",
            "11|Pompey Pirates 7|Bombuzal|0|4",
            "12|Deep Thought's 3|Super Hang-On|0|5",
            "13|Deep Thought's 3|Virus|0|5",
            QStringLiteral("14|Public Enemy\u2019s 1|R-Type|0|6"),
            QStringLiteral("15|Public Enemy\u2019s 1|Baal|0|6"),
            "16|D-Bug 150|Lemmings Demo|0|7",
            "17|D-Bug 150|Stunt Car Racer|0|7",
            "18|Fuzion Menu||0|8",
            "19|Fuzion Menu|<Null>|0|8",
            "20|Automation 003|Carrier Command|0|9",
            "21|Automation 003|Gauntlet II|0|9",
            "22|Medway Boys 13|Oids|0|10",
            "23|Medway Boys 13|Starglider 2|0|10",
            "24|Pompey Pirates 8|Barbarian|0|30000",
            "25|Pompey Pirates 8|Bubble Bobble|0|30000",
            "26|D-Bug 151|Arkanoid|0|40000",
            "27|D-Bug 151|Xenon|0|40000",
            "28|D-Bug 151|Menace|0|40000",
            "29|Automation 004|Goldrunner|0|999",
            "30|Medway Boys 12|Time Bandit|0|3",
        };
        QCOMPARE(rowsOf(m_catalogue, QStringLiteral("SELECT Nummer, [Group], Game, favourite, "
                                                    "F_ID FROM Compilations ORDER BY Nummer")),
                 expected);
    }

    void copiesEveryDisk() {
        const QStringList expected = {
            "1|2|Automation|auto|001|msa",         "2|2|Automation|auto|002|msa",
            "3|1|Medway Boys|medway|12|st",        "4|0|Pompey Pirates|pompey|07|msa",
            "5|2|Deep Thought|deepthought|3|st",   "6|1|Public Enemy|publicenemy|1|msa",
            "7|<Null>|D-Bug|dbug|150|msa",         "8|0|Fuzion|fuzion_menu|<Null>|st",
            "9|2|Automation|auto|003|msa",         "10|1|Medway Boys|medway|13|st",
            "30000|2|Pompey Pirates|pompey|8|msa", "40000|1|D-Bug|dbug|151|st",
        };
        QCOMPARE(rowsOf(m_catalogue, QStringLiteral("SELECT F_ID, got, folder, filename, "
                                                    "filenumber, fileexten FROM Dnames ORDER BY "
                                                    "F_ID")),
                 expected);
    }

    // The engine's own types: numbers stay numbers (so "Nummer < 100000" compares numbers),
    // a file number stays text with its leading zero, Null and "" stay apart.
    void keepsTypesNullsAndEmptyTexts_data() {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("expected");
        QTest::newRow("entry") << "SELECT typeof(Nummer), typeof([Group]), typeof(Game), "
                                  "typeof(favourite), typeof(F_ID) FROM Compilations WHERE "
                                  "Nummer = 1"
                               << "integer|text|text|integer|integer";
        QTest::newRow("empty title") << "SELECT typeof(Game), length(Game) FROM Compilations "
                                        "WHERE Nummer = 18"
                                     << "text|0";
        QTest::newRow("Null title") << "SELECT typeof(Game) FROM Compilations WHERE Nummer = 19"
                                    << "null";
        QTest::newRow("disk") << "SELECT typeof(F_ID), typeof(got), typeof(filenumber) FROM "
                                 "Dnames WHERE F_ID = 4"
                              << "integer|integer|text";
        QTest::newRow("Null code") << "SELECT typeof(got) FROM Dnames WHERE F_ID = 7"
                                   << "null";
        QTest::newRow("Null number") << "SELECT typeof(filenumber) FROM Dnames WHERE F_ID = 8"
                                     << "null";
        QTest::newRow("typographic apostrophe, UTF-8")
            << "SELECT hex([Group]) FROM Compilations WHERE Nummer = 14"
            << QString::fromLatin1(QByteArray("Public Enemy\xE2\x80\x99s 1").toHex().toUpper());
        QTest::newRow("accent, UTF-8")
            << "SELECT hex(Game) FROM Compilations WHERE Nummer = 7"
            << QString::fromLatin1(QByteArray("\xC3\x89lite Remix").toHex().toUpper());
        QTest::newRow("yes") << "SELECT COUNT(*) FROM Compilations WHERE favourite = -1"
                             << "2";
        QTest::newRow("no") << "SELECT COUNT(*) FROM Compilations WHERE favourite = 0"
                            << "28";
        // 40000 does not fit the 16 bits of a Jet Integer; it must not wrap to -25536.
        QTest::newRow("above 32767")
            << "SELECT group_concat(F_ID, ' ') FROM (SELECT F_ID FROM Dnames WHERE F_ID > 25000 "
               "OR F_ID < 0 ORDER BY F_ID)"
            << "30000 40000";
    }
    void keepsTypesNullsAndEmptyTexts() {
        QFETCH(QString, statement);
        QFETCH(QString, expected);
        QCOMPARE(rowsOf(m_catalogue, statement), QStringList{expected});
    }

    void hasTheIndexesTheStatementsUse() {
        const QStringList indexes = rowsOf(
            m_catalogue, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND "
                                        "tbl_name = 'Compilations' ORDER BY name"));
        QVERIFY2(indexes.contains(QStringLiteral("Compilations_F_ID")),
                 qPrintable(indexes.join(u' ')));
        // Nummer and Dnames.F_ID are the tables' row keys, the fastest look-up there is.
        QCOMPARE(rowsOf(m_catalogue, QStringLiteral("SELECT COUNT(*) FROM Compilations WHERE "
                                                    "rowid = Nummer")),
                 QStringList{"30"});
        QCOMPARE(
            rowsOf(m_catalogue, QStringLiteral("SELECT COUNT(*) FROM Dnames WHERE rowid = F_ID")),
            QStringList{"12"});
    }

    // The program's own statements on the imported catalogue.
    void nameSearch_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("excludeUndumped");
        QTest::addColumn<QStringList>("nummers");
        QTest::newRow("two disks") << "xenon" << false << QStringList{"27", "1"};
        QTest::newRow("availability") << "xenon" << true << QStringList{"27"};
        QTest::newRow("accent, any case")
            << QStringLiteral("\u00E9lite") << false << QStringList{"7"};
        QTest::newRow("apostrophe") << "rock'n'roll" << false << QStringList{"3"};
        QTest::newRow("disk above 32767") << "bubble" << false << QStringList{"25"};
        QTest::newRow("entry without a disk") << "goldrunner" << false << QStringList{};
    }
    void nameSearch() {
        QFETCH(QString, text);
        QFETCH(bool, excludeUndumped);
        QFETCH(QStringList, nummers);
        SearchCriteria criteria;
        criteria.searchText = text;
        criteria.availability.excludeUndumped = excludeUndumped;
        const QString statement = buildNameSearch(criteria).statement;
        QVERIFY2(statement.contains(QStringLiteral("LIKE")), qPrintable(statement));
        QCOMPARE(nummersOf(m_catalogue, statement), nummers);
    }

    void favouritesListing() {
        QCOMPARE(nummersOf(m_catalogue,
                           QStringLiteral("SELECT * FROM Compilations,Dnames WHERE "
                                          "Compilations.F_ID = Dnames.F_ID AND favourite = -1")),
                 (QStringList{"3", "9"}));
    }

    void groupBrowse_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("disks");
        QTest::newRow("two disks") << "D-Bug" << QStringList{"All", "D-Bug 150", "D-Bug 151"};
        QTest::newRow("typographic apostrophe")
            << QStringLiteral("Public Enemy\u2019s")
            << QStringList{"All", QStringLiteral("Public Enemy\u2019s 1")};
        QTest::newRow("plain apostrophe")
            << "Deep Thought's" << QStringList{"All", "Deep Thought's 3"};
        QTest::newRow("without a disk record")
            << "Automation"
            << QStringList{"All", "Automation 001", "Automation 002", "Automation 003",
                           "Automation 004"};
    }
    void groupBrowse() {
        QFETCH(QString, group);
        QFETCH(QStringList, disks);
        const QString statement = groupBrowseStatement(group);
        QVERIFY2(statement.contains(QStringLiteral("ORDER by Group")), qPrintable(statement));
        m_catalogue.query(statement);
        QCOMPARE(diskBoxEntries(m_catalogue.results()), disks);
    }

    void selectionAndUpdates() {
        ResultSet& disk = m_catalogue.query(QStringLiteral(
            "SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID=Dnames.F_ID AND "
            "Compilations.Nummer = 26"));
        QCOMPARE(disk.field(u"filename").toString(), QStringLiteral("dbug"));
        QCOMPARE(disk.field(u"FileNumber").toString(), QStringLiteral("151"));
        QCOMPARE(disk.field(u"got").toLongLong(), 1);

        QCOMPARE(rowsOf(m_catalogue, QStringLiteral("SELECT COUNT(F_ID) FROM Dnames")),
                 QStringList{"12"});
        QCOMPARE(
            m_catalogue.query(QStringLiteral("SELECT * FROM Dnames WHERE F_ID < 25000")).rowCount(),
            10);
        QCOMPARE(m_catalogue.execute(QStringLiteral("UPDATE Dnames SET got = 0 WHERE (F_ID = "
                                                    "40000)")),
                 1);
        QCOMPARE(m_catalogue.execute(QStringLiteral("UPDATE Compilations,Dnames SET got= 1 WHERE "
                                                    "Compilations.F_ID=Dnames.F_ID AND Nummer "
                                                    "LIKE '27'")),
                 1);
        QCOMPARE(rowsOf(m_catalogue, QStringLiteral("SELECT got FROM Dnames WHERE F_ID = 40000")),
                 QStringList{"1"});
    }

    void refusesWhatIsNotAWholeCatalogue_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("reasons");
        const QByteArray whole = catalogueBytes();
        QTest::newRow("another database")
            << bytesOf(fixture("not-a-catalogue.mdb"))
            << QStringList{"It has no table Compilations.", "It has no table Dnames."};
        QTest::newRow("no table Dnames")
            << renamed(QStringLiteral("Dnames"), QStringLiteral("Dnamez"))
            << QStringList{"It has no table Dnames."};
        QTest::newRow("no field filenumber")
            << renamed(QStringLiteral("filenumber"), QStringLiteral("filenumbex"))
            << QStringList{"Its table Dnames has no field filenumber."};
        for (const int size : {8192, 16384, 65536, 98304, 122880, int(whole.size()) - 4096})
            QTest::addRow("cut to %d bytes", size)
                << whole.left(size) << QStringList{"damaged or incomplete"};
        QTest::newRow("cut inside a page")
            << whole.left(10000) << QStringList{"damaged or incomplete", "middle of a page"};
        QTest::newRow("text") << QByteArray("Nummer;Group;Game\n1;Automation 001;Xenon 2\n")
                              << QStringList{"not an Access database"};
        QTest::newRow("empty") << QByteArray() << QStringList{"not an Access database"};
    }
    void refusesWhatIsNotAWholeCatalogue() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, reasons);
        QTemporaryDir sources;
        const QString mdb = sources.filePath(QStringLiteral("AtariST Compilation Listing v1.mdb"));
        {
            QFile file(mdb);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        TestFolder target;
        try {
            importMdb(mdb, target.cataloguePath());
            QFAIL("imported");
        } catch (const CatalogueError& error) {
            QVERIFY2(error.message().contains(mdb), qPrintable(error.message()));
            for (const QString& reason : reasons)
                QVERIFY2(error.message().contains(reason), qPrintable(error.message()));
        }
        QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void refusesAMissingFile() {
        TestFolder target;
        const QString missing = target.file(QStringLiteral("nowhere.mdb"));
        try {
            importMdb(missing, target.cataloguePath());
            QFAIL("imported");
        } catch (const CatalogueError& error) {
            QVERIFY2(error.message().contains(missing), qPrintable(error.message()));
            QVERIFY2(error.message().contains(QStringLiteral("does not exist")),
                     qPrintable(error.message()));
        }
        QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // An existing catalogue is kept unless the caller asked for it to be replaced.
    void replacesOnlyWhenAsked() {
        TestFolder target;
        target.createCatalogue(QStringLiteral("INSERT INTO Dnames VALUES (1, 1, 'A', 'a', NULL, "
                                              "'st')"));
        const QByteArray before = bytesOf(target.cataloguePath());
        QVERIFY_THROWS_EXCEPTION(CatalogueError,
                                 importMdb(fixture("catalogue-v2000.mdb"), target.cataloguePath()));
        QCOMPARE(bytesOf(target.cataloguePath()), before);

        importMdb(fixture("catalogue-v2000.mdb"), target.cataloguePath(), {},
                  MdbImportTarget::Replace);
        Catalogue replaced;
        replaced.open(target.cataloguePath());
        QCOMPARE(replaced.query(QStringLiteral("SELECT * FROM Compilations")).rowCount(), 30);
        QCOMPARE(QDir(target.path()).entryList(QDir::Files), QStringList{Catalogue::fileName()});
    }

    // A refused replacement leaves the old catalogue as it was.
    void aFailedReplacementChangesNothing() {
        TestFolder target;
        target.createCatalogue(QStringLiteral("INSERT INTO Dnames VALUES (1, 1, 'A', 'a', NULL, "
                                              "'st')"));
        QVERIFY_THROWS_EXCEPTION(CatalogueError,
                                 importMdb(fixture("not-a-catalogue.mdb"), target.cataloguePath(),
                                           {}, MdbImportTarget::Replace));
        Catalogue kept;
        kept.open(target.cataloguePath());
        QCOMPARE(kept.query(QStringLiteral("SELECT * FROM Dnames")).rowCount(), 1);
        QCOMPARE(QDir(target.path()).entryList(QDir::Files), QStringList{Catalogue::fileName()});
    }
};

KESTREL_TEST(MdbImportTest)
#include "MdbImportTest.moc"
