#include "common/FixtureCatalogue.h"
#include "common/TestRegistry.h"

#include "core/catalogue/MdbImport.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray catalogueBytes() {
    return fileBytes(sharedFixture("catalogue-v2000.mdb"));
}

// The catalogue fixture with a name changed in place (same length, so the file stays whole).
QByteArray renamed(const QString& from, const QString& to) {
    const auto utf16 = [](const QString& s) {
        return QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
    };
    return catalogueBytes().replace(utf16(from), utf16(to));
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
        const QString mdb = sharedFixture("catalogue-v2000.mdb");
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

    // Both tables and all their rows, counted as they go; only the catalogue itself is left
    // in the folder, no temporary file.
    void countsEveryTableAndRow() {
        QStringList counts;
        for (const auto& table : m_counts.tables)
            counts << table.name + u' ' + QString::number(table.rows);
        QCOMPARE(counts, (QStringList{"Compilations 30", "Dnames 12"}));
        QCOMPARE(m_progress.first(), std::pair(qint64(0), qint64(42)));
        QCOMPARE(m_progress.last(), std::pair(qint64(42), qint64(42)));
        QCOMPARE(folderEntries(m_folder.path()), QStringList{Catalogue::fileName()});
    }

    // The rows as the fixture's description has them: the ones with something special in
    // full, the others by their sums. The engine's own types: numbers stay numbers (so
    // "Nummer < 100000" compares numbers), a file number stays text; the row keys are the
    // tables' rowids, F_ID has an index, and the file declares nothing other tools lack.
    void copiesEveryRow_data() {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("rows"); // joined with "; "
        QTest::newRow("entries")
            << "SELECT count(*), sum(favourite), sum(F_ID), sum(length([Group])), "
               "sum(length(Game)) FROM Compilations"
            << "30|-2|181119|407|270";
        QTest::newRow("quotes, an accent, empty and Null titles")
            << "SELECT * FROM Compilations WHERE Nummer IN (3, 7, 14, 18, 19)"
            << "3|Automation 001|Rock'n'Roll|-1|1; 7|Medway Boys 12|\u00C9lite Remix|0|3; "
               "14|Public Enemy\u2019s 1|R-Type|0|6; 18|Fuzion Menu||0|8; 19|Fuzion Menu|Null|0|8";
        QTest::newRow("disks")
            << "SELECT count(*), sum(got), sum(length(folder)), sum(length(filename)), "
               "sum(length(filenumber)), sum(length(fileexten)) FROM Dnames"
            << "12|14|120|77|24|31";
        QTest::newRow("leading zero, Null fields, a key above 32767")
            << "SELECT * FROM Dnames WHERE F_ID IN (4, 7, 8, 40000)"
            << "4|0|Pompey Pirates|pompey|07|msa; 7|Null|D-Bug|dbug|150|msa; "
               "8|0|Fuzion|fuzion_menu|Null|st; 40000|1|D-Bug|dbug|151|st";
        QTest::newRow("types") << "SELECT typeof(Nummer), typeof([Group]), typeof(Game), "
                                  "typeof(favourite), typeof(c.F_ID), typeof(d.F_ID), typeof(got), "
                                  "typeof(filenumber) FROM Compilations c, Dnames d WHERE Nummer = "
                                  "1 AND d.F_ID = 4"
                               << "integer|text|text|integer|integer|integer|integer|text";
        QTest::newRow("row keys")
            << "SELECT (SELECT COUNT(*) FROM Compilations WHERE rowid = Nummer), (SELECT "
               "COUNT(*) FROM Dnames WHERE rowid = F_ID)"
            << "30|12";
        QTest::newRow("F_ID index") << "SELECT name FROM sqlite_master WHERE type = 'index' AND "
                                       "name = 'Compilations_F_ID'"
                                    << "Compilations_F_ID";
        // A plain file other SQLite tools can sort and edit: the text order is the statements'.
        QTest::newRow("no collation of ours, version recorded")
            << "SELECT (SELECT count(*) FROM sqlite_master WHERE sql LIKE '%JETTEXT%'), "
               "(SELECT user_version FROM pragma_user_version)"
            << "0|1";
    }
    void copiesEveryRow() {
        QFETCH(QString, statement);
        QFETCH(QString, rows);
        QCOMPARE(rowTexts(m_catalogue, statement).join(QStringLiteral("; ")), rows);
    }

    // "content" is the bytes of the file to import, or "<missing>" for no file at all.
    void refusesWhatIsNotAWholeCatalogue_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("reasons");
        const QByteArray whole = catalogueBytes();
        QTest::newRow("missing") << QByteArray("<missing>") << QStringList{"does not exist"};
        QTest::newRow("another database")
            << fileBytes(sharedFixture("not-a-catalogue.mdb"))
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
            << fileBytes(sharedFixture("damaged/properties-read-past-end.mdb"))
            << QStringList{"damaged or incomplete"};
        QTest::newRow("text") << QByteArray("Nummer;Group;Game\n1;Automation 001;Xenon 2\n")
                              << QStringList{"not an Access database"};
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
        const QString message = errorOf([&] { importMdb(mdb, target.cataloguePath()); });
        QVERIFY2(containsAll(message, QStringList{mdb} + reasons), qPrintable(message));
        QCOMPARE(folderEntries(target.path()), QStringList());
    }

    // An existing catalogue is kept unless the caller asked for it to be replaced, and a
    // refused replacement leaves it as it was.
    void replacesOnlyWhenAsked() {
        TestFolder target;
        target.createCatalogue(QStringLiteral("INSERT INTO Dnames VALUES (1, 1, 'A', 'a', NULL, "
                                              "'st')"));
        const QByteArray before = fileBytes(target.cataloguePath());
        const QString good = sharedFixture("catalogue-v2000.mdb");
        QVERIFY_THROWS_EXCEPTION(CatalogueError, importMdb(good, target.cataloguePath()));
        QVERIFY_THROWS_EXCEPTION(CatalogueError,
                                 importMdb(sharedFixture("not-a-catalogue.mdb"),
                                           target.cataloguePath(), {}, MdbImportTarget::Replace));
        QCOMPARE(fileBytes(target.cataloguePath()), before);
        QCOMPARE(folderEntries(target.path()), QStringList{Catalogue::fileName()});

        importMdb(good, target.cataloguePath(), {}, MdbImportTarget::Replace);
        Catalogue replaced;
        replaced.open(target.cataloguePath());
        QCOMPARE(replaced.query(QStringLiteral("SELECT * FROM Compilations")).rowCount(), 30);
        QCOMPARE(folderEntries(target.path()), QStringList{Catalogue::fileName()});
    }
};

KESTREL_TEST(MdbImportTest)
#include "MdbImportTest.moc"
