#include "common/TestFolder.h"
#include "common/TestRegistry.h"

#include "core/Failures.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/MdbImport.h"
#include "core/search/GroupBrowse.h"
#include "core/search/NameSearch.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString fixture(const QString& name) {
    return QStringLiteral(KESTREL_SHARED_FIXTURES "/mdb/") + name;
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

QByteArray catalogueBytes() {
    return fileBytes(fixture(QStringLiteral("catalogue-v2000.mdb")));
}

// The catalogue fixture with a name changed in place (same length, so the file stays whole).
QByteArray renamed(const QString& from, const QString& to) {
    const auto utf16 = [](const QString& s) {
        return QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
    };
    return catalogueBytes().replace(utf16(from), utf16(to));
}

QStringList folderFiles(const TestFolder& folder) {
    return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

// The user's .mdb catalogue converted into the working catalogue, and what it refuses.
class MdbImportTest : public QObject {
    Q_OBJECT
    TestFolder m_folder;
    Catalogue m_catalogue;
    MdbImportCounts m_counts;
    QList<std::pair<qint64, qint64>> m_progress;
    bool m_haveFixtures = false;

private Q_SLOTS:
    void initTestCase() {
        const QString mdb = fixture(QStringLiteral("catalogue-v2000.mdb"));
        m_haveFixtures = QFileInfo::exists(mdb);
        if (!m_haveFixtures)
            return;
        m_counts = importMdb(mdb, m_folder.cataloguePath(), [this](qint64 done, qint64 total) {
            m_progress << std::pair(done, total);
        });
        m_catalogue.open(m_folder.cataloguePath());
    }

    // A skip in initTestCase would leak into the classes run after this one.
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
        QCOMPARE(m_progress.first(), std::pair(qint64(0), qint64(42)));
        QCOMPARE(m_progress.last(), std::pair(qint64(42), qint64(42)));
        // Only the catalogue itself is left in the folder, no temporary file.
        QCOMPARE(folderFiles(m_folder), QStringList{Catalogue::fileName()});
    }

    // Every row as the fixture's description has it, rows joined with "; ".
    void copiesEveryRow() {
        const QString entries = QStringLiteral(
            "1|Automation 001|Xenon 2|0|1; 2|Automation 001|Dragon Ninja|0|1; "
            "3|Automation 001|Rock'n'Roll|-1|1; 4|Automation 002|3D Pool|0|2; "
            "5|Automation 002|Ninja Warrior Demo|0|2; 6|Automation 002|Blood Money|0|2; "
            "7|Medway Boys 12|\u00C9lite Remix|0|3; 8|Medway Boys 12|Speedball|0|3; "
            "9|Pompey Pirates 7|Kick Off|-1|4; 10|Pompey Pirates 7|Populous|0|4; "
            "11|Pompey Pirates 7|Bombuzal|0|4; 12|Deep Thought's 3|Super Hang-On|0|5; "
            "13|Deep Thought's 3|Virus|0|5; 14|Public Enemy\u2019s 1|R-Type|0|6; "
            "15|Public Enemy\u2019s 1|Baal|0|6; 16|D-Bug 150|Lemmings Demo|0|7; "
            "17|D-Bug 150|Stunt Car Racer|0|7; 18|Fuzion Menu||0|8; 19|Fuzion Menu|<Null>|0|8; "
            "20|Automation 003|Carrier Command|0|9; 21|Automation 003|Gauntlet II|0|9; "
            "22|Medway Boys 13|Oids|0|10; 23|Medway Boys 13|Starglider 2|0|10; "
            "24|Pompey Pirates 8|Barbarian|0|30000; 25|Pompey Pirates 8|Bubble Bobble|0|30000; "
            "26|D-Bug 151|Arkanoid|0|40000; 27|D-Bug 151|Xenon|0|40000; "
            "28|D-Bug 151|Menace|0|40000; 29|Automation 004|Goldrunner|0|999; "
            "30|Medway Boys 12|Time Bandit|0|3");
        QCOMPARE(rowsOf(m_catalogue, QStringLiteral("SELECT Nummer, [Group], Game, favourite, "
                                                    "F_ID FROM Compilations ORDER BY Nummer"))
                     .join(QStringLiteral("; ")),
                 entries);
        const QString disks =
            QStringLiteral("1|2|Automation|auto|001|msa; 2|2|Automation|auto|002|msa; "
                           "3|1|Medway Boys|medway|12|st; 4|0|Pompey Pirates|pompey|07|msa; "
                           "5|2|Deep Thought|deepthought|3|st; 6|1|Public Enemy|publicenemy|1|msa; "
                           "7|<Null>|D-Bug|dbug|150|msa; 8|0|Fuzion|fuzion_menu|<Null>|st; "
                           "9|2|Automation|auto|003|msa; 10|1|Medway Boys|medway|13|st; "
                           "30000|2|Pompey Pirates|pompey|8|msa; 40000|1|D-Bug|dbug|151|st");
        QCOMPARE(rowsOf(m_catalogue, QStringLiteral("SELECT F_ID, got, folder, filename, "
                                                    "filenumber, fileexten FROM Dnames ORDER BY "
                                                    "F_ID"))
                     .join(QStringLiteral("; ")),
                 disks);
    }

    // The engine's own types: numbers stay numbers (so "Nummer < 100000" compares numbers),
    // a file number stays text with its leading zero, Null and "" stay apart; the row keys
    // are the tables' rowids and F_ID has an index.
    void keepsTypesAndKeys_data() {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("expected");
        const QString entry = QStringLiteral("FROM Compilations WHERE Nummer = ");
        QTest::newRow("entry") << "SELECT typeof(Nummer), typeof([Group]), typeof(Game), "
                                  "typeof(favourite), typeof(F_ID) " +
                                      entry + "1"
                               << "integer|text|text|integer|integer";
        QTest::newRow("empty title") << "SELECT typeof(Game), length(Game) " + entry + "18"
                                     << "text|0";
        QTest::newRow("disk") << "SELECT typeof(F_ID), typeof(got), typeof(filenumber) FROM "
                                 "Dnames WHERE F_ID = 4"
                              << "integer|integer|text";
        QTest::newRow("typographic apostrophe, UTF-8")
            << "SELECT hex([Group]) " + entry + "14"
            << QString::fromLatin1(QByteArray("Public Enemy\xE2\x80\x99s 1").toHex().toUpper());
        QTest::newRow("accent, UTF-8")
            << "SELECT hex(Game) " + entry + "7"
            << QString::fromLatin1(QByteArray("\xC3\x89lite Remix").toHex().toUpper());
        QTest::newRow("row keys")
            << "SELECT (SELECT COUNT(*) FROM Compilations WHERE rowid = Nummer) || '|' || (SELECT "
               "COUNT(*) FROM Dnames WHERE rowid = F_ID)"
            << "30|12";
        QTest::newRow("selection, disk above 32767")
            << "SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID=Dnames.F_ID AND "
               "Compilations.Nummer = 26"
            << "26|D-Bug 151|Arkanoid|0|40000|40000|1|D-Bug|dbug|151|st";
        QTest::newRow("F_ID index") << "SELECT name FROM sqlite_master WHERE type = 'index' AND "
                                       "name = 'Compilations_F_ID'"
                                    << "Compilations_F_ID";
    }
    void keepsTypesAndKeys() {
        QFETCH(QString, statement);
        QFETCH(QString, expected);
        QCOMPARE(rowsOf(m_catalogue, statement), QStringList{expected});
    }

    // The program's own statements on the imported catalogue.
    void nameSearch_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("nummers");
        QTest::newRow("accent, any case") << QStringLiteral("\u00E9lite") << QStringList{"7"};
        QTest::newRow("disk above 32767") << "bubble" << QStringList{"25"};
        QTest::newRow("entry without a disk") << "goldrunner" << QStringList{};
    }
    void nameSearch() {
        QFETCH(QString, text);
        QFETCH(QStringList, nummers);
        SearchCriteria criteria;
        criteria.searchText = text;
        QStringList found;
        for (const QString& row : rowsOf(m_catalogue, buildNameSearch(criteria).statement))
            found << row.section(u'|', 0, 0);
        QCOMPARE(found, nummers);
    }

    void groupBrowse_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("disks");
        QTest::newRow("typographic apostrophe")
            << QStringLiteral("Public Enemy\u2019s")
            << QStringList{"All", QStringLiteral("Public Enemy\u2019s 1")};
        QTest::newRow("without a disk record")
            << "Automation"
            << QStringList{"All", "Automation 001", "Automation 002", "Automation 003",
                           "Automation 004"};
    }
    void groupBrowse() {
        QFETCH(QString, group);
        QFETCH(QStringList, disks);
        QCOMPARE(diskBoxEntries(m_catalogue.query(groupBrowseStatement(group))), disks);
    }

    // "content" is the bytes of the file to import, or "<missing>" for no file at all.
    void refusesWhatIsNotAWholeCatalogue_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("reasons");
        const QByteArray whole = catalogueBytes();
        QTest::newRow("missing") << QByteArray("<missing>") << QStringList{"does not exist"};
        QTest::newRow("another database")
            << fileBytes(fixture(QStringLiteral("not-a-catalogue.mdb")))
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
        QTest::newRow("property block read past its end")
            << fileBytes(fixture(QStringLiteral("damaged/properties-read-past-end.mdb")))
            << QStringList{"damaged or incomplete"};
        QTest::newRow("text") << QByteArray("Nummer;Group;Game\n1;Automation 001;Xenon 2\n")
                              << QStringList{"not an Access database"};
        QTest::newRow("empty") << QByteArray() << QStringList{"not an Access database"};
    }
    // Refused with a message that names the file and the reason; nothing is left behind.
    void refusesWhatIsNotAWholeCatalogue() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, reasons);
        QTemporaryDir sources;
        const QString mdb = sources.filePath(QStringLiteral("AtariST Compilation Listing v1.mdb"));
        if (content != "<missing>")
            QVERIFY(writeFileBytes(mdb, content));
        TestFolder target;
        try {
            importMdb(mdb, target.cataloguePath());
            QFAIL("imported");
        } catch (const CatalogueError& error) {
            QVERIFY2(error.message().contains(mdb), qPrintable(error.message()));
            for (const QString& reason : reasons)
                QVERIFY2(error.message().contains(reason), qPrintable(error.message()));
        }
        QCOMPARE(folderFiles(target), QStringList());
    }

    // An existing catalogue is kept unless the caller asked for it to be replaced, and a
    // refused replacement leaves it as it was.
    void replacesOnlyWhenAsked() {
        TestFolder target;
        target.createCatalogue(QStringLiteral("INSERT INTO Dnames VALUES (1, 1, 'A', 'a', NULL, "
                                              "'st')"));
        const QByteArray before = fileBytes(target.cataloguePath());
        const QString good = fixture(QStringLiteral("catalogue-v2000.mdb"));
        QVERIFY_THROWS_EXCEPTION(CatalogueError, importMdb(good, target.cataloguePath()));
        QVERIFY_THROWS_EXCEPTION(CatalogueError,
                                 importMdb(fixture(QStringLiteral("not-a-catalogue.mdb")),
                                           target.cataloguePath(), {}, MdbImportTarget::Replace));
        QCOMPARE(fileBytes(target.cataloguePath()), before);
        QCOMPARE(folderFiles(target), QStringList{Catalogue::fileName()});

        importMdb(good, target.cataloguePath(), {}, MdbImportTarget::Replace);
        Catalogue replaced;
        replaced.open(target.cataloguePath());
        QCOMPARE(replaced.query(QStringLiteral("SELECT * FROM Compilations")).rowCount(), 30);
        QCOMPARE(folderFiles(target), QStringList{Catalogue::fileName()});
    }
};

KESTREL_TEST(MdbImportTest)
#include "MdbImportTest.moc"
