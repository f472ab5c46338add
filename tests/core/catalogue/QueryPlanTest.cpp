#include "common/TestRegistry.h"

#include "common/FixtureCatalogue.h"

#include "core/catalogue/JetLike.h"
#include "core/editing/DiskEditStatements.h"
#include "core/favourites/Favourites.h"
#include "core/images/ImagePath.h"
#include "core/search/GroupBrowse.h"
#include "core/search/SearchRequest.h"

#include <QTest>

namespace {

QString search(bool byName, const QString& text, const QString& group = QStringLiteral("ALL"),
               const QString& op = QStringLiteral("contains")) {
    SearchCriteria criteria;
    criteria.groupText = group;
    criteria.operatorText = op;
    (byName ? criteria.searchText : criteria.letterText) = text;
    return prepareSearch({byName, criteria}).statement;
}

SearchCriteria groupCriteria(const QString& group) {
    SearchCriteria criteria;
    criteria.groupText = group;
    return criteria;
}

const QString kScanEntries = QStringLiteral("SCAN Compilations");
const QString kDiskOfEntry = QStringLiteral("SEARCH Dnames USING INTEGER PRIMARY KEY (rowid=?)");
const QString kSortOnce = QStringLiteral("USE TEMP B-TREE FOR ORDER BY");
const QString kGroupRange =
    QStringLiteral("SEARCH Compilations USING INDEX Compilations_Group (Group>? AND Group<?)");
const QString kGameRange =
    QStringLiteral("SEARCH Compilations USING INDEX Compilations_Game (Game>? AND Game<?)");

} // namespace

// How SQLite runs each kind of statement the program sends: text ordered by our collation is
// read once and sorted once (never walked through an index and fetched row by row), and a
// group or first-letter prefix is looked up in its index. A plan that regresses shows here.
class QueryPlanTest : public QObject {
    Q_OBJECT
    OpenCatalogue m_db;

private Q_SLOTS:
    void plans_data() {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QStringList>("plan");
        QTest::newRow("name, every group") << search(true, QStringLiteral("#dragon +demo"))
                                           << QStringList{kScanEntries, kDiskOfEntry, kSortOnce};
        QTest::newRow("name in a group")
            << search(true, QStringLiteral("dragon"), QStringLiteral("Automation"))
            << QStringList{kGroupRange, kDiskOfEntry, kSortOnce};
        QTest::newRow("starts with, in a group")
            << search(true, QStringLiteral("Dr"), QStringLiteral("Automation"),
                      QStringLiteral("starts with"))
            << QStringList{kGroupRange, kDiskOfEntry, kSortOnce};
        QTest::newRow("starts with, every group")
            << search(true, QStringLiteral("Dr"), QStringLiteral("ALL"),
                      QStringLiteral("starts with"))
            << QStringList{kGameRange, kDiskOfEntry, kSortOnce};
        QTest::newRow("a letter") << search(false, QStringLiteral("d"))
                                  << QStringList{kGameRange, kDiskOfEntry, kSortOnce};
        QStringList digits{QStringLiteral("MULTI-INDEX OR")};
        for (int digit = 1; digit <= 10; ++digit)
            digits << QStringLiteral("  INDEX %1").arg(digit)
                   << QStringLiteral("    ") + kGameRange;
        QTest::newRow("0-9") << search(false, QStringLiteral("0-9"))
                             << (digits + QStringList{kDiskOfEntry, kSortOnce});
        QTest::newRow("favourites")
            << favouritesStatement({})
            << QStringList{QStringLiteral("SEARCH Compilations USING INDEX Compilations_favourite "
                                          "(favourite=?)"),
                           kDiskOfEntry};
        QTest::newRow("compression") << compressorStatement(groupCriteria(QStringLiteral("Medway")))
                                     << QStringList{kGroupRange, kDiskOfEntry, kSortOnce};
        QTest::newRow("disk box") << groupBrowseStatement(QStringLiteral("Medway"))
                                  << QStringList{kGroupRange, kSortOnce};
        QTest::newRow("disk set") << diskSetLookupStatement(QStringLiteral("Medway"))
                                  << QStringList{kGroupRange, kDiskOfEntry, kSortOnce};
        QTest::newRow("one entry")
            << entryRecordStatement(QStringLiteral("7"))
            << QStringList{
                   QStringLiteral("SEARCH Compilations USING INTEGER PRIMARY KEY (rowid=?)"),
                   kDiskOfEntry};
    }
    void plans() {
        QFETCH(QString, statement);
        QFETCH(QStringList, plan);
        QCOMPARE(m_db.catalogue.queryPlan(statement), plan);
    }

    // The index range given to a prefix LIKE only narrows what SQLite reads: every title our
    // LIKE matches is still found, also where SQLite's NOCASE and our folding part (long s and
    // the Kelvin sign fold to "s" and "k", accents, quotes, wildcards inside the pattern).
    void prefixRangesKeepEveryMatch() {
        const QStringList titles{"Solo",   "SOLO",  "\u017Folo", "\u212Aelvin", "kelvin",
                                 "Kelvin", "Sk8",   "Ab[c",      "Abc",         "Ab%",
                                 "x'y",    "X'Z",   "100%",      "10 Bit",      "\u00C9cole",
                                 "ecole",  "Ecole", "e",         "Zz~",         "Zz\u007F"};
        TestFolder folder;
        QStringList inserts;
        for (qsizetype i = 0; i < titles.size(); ++i)
            inserts << QStringLiteral("INSERT INTO Compilations VALUES (%1, 'G', '%2', 0, 1);")
                           .arg(i + 1)
                           .arg(QString(titles[i]).replace(u'\'', QStringLiteral("''")));
        folder.createCatalogue(QStringLiteral("INSERT INTO Dnames VALUES (1, 1, 'f', 'n', '1', "
                                              "'st'); ") +
                               inserts.join(u' '));
        Catalogue catalogue;
        catalogue.open(folder.cataloguePath());
        const QStringList patterns{"s%",   "So%", "k%",  "Kel%", "Ab%",  "Ab[[]%",
                                   "x''%", "X'%", "10%", "1_%",  "e%",   "\u00E9%",
                                   "ec%",  "Zz%", "sk8", "ZZ~%", "Ab[%]"};
        for (const QString& pattern : patterns) {
            const QString literal = QString(pattern).replace(u'\'', QStringLiteral("''"));
            const QString jet =
                QStringLiteral("SELECT Nummer FROM Compilations WHERE [Game] LIKE '") + literal +
                QStringLiteral("' ORDER BY Nummer");
            QStringList expected;
            const std::optional<JetPattern> compiled = JetPattern::compile(pattern);
            QVERIFY2(compiled, qPrintable(pattern));
            for (qsizetype i = 0; i < titles.size(); ++i) {
                if (compiled->matches(titles[i]))
                    expected << QString::number(i + 1);
            }
            QCOMPARE(rowTexts(catalogue, jet), expected);
        }
        // The range is there where it is safe, and where it is not, the LIKE stands alone.
        QVERIFY(catalogue.translate(u"SELECT * FROM Compilations WHERE Game LIKE 'Ab%'")
                    .contains(QStringLiteral("Game >= 'ab' COLLATE NOCASE AND Game < 'ac'")));
        QVERIFY(!catalogue.translate(u"SELECT * FROM Compilations WHERE Game LIKE 'So%'")
                     .contains(QStringLiteral("NOCASE")));
    }

    // A listing asks only for what it reads; a field two tables share keeps every field.
    void selectsOnlyWhatIsRead() {
        RowStream rows = m_db.catalogue.stream(kJoin, {"game", "Group", "nowhere", "got", "Game"});
        QCOMPARE(rows.columns(), (QStringList{"Game", "Group", "got"}));
        QCOMPARE(m_db.catalogue.stream(kJoin, {"Game", "F_ID"}).columnCount(), 11);
    }
};

KESTREL_TEST(QueryPlanTest)
#include "QueryPlanTest.moc"
