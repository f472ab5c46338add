#include "common/TestRegistry.h"

#include "SearchCatalogue.h"

#include "core/search/NameSearch.h"

#include <QTest>

#include <memory>

namespace {

// Every entry of the fixture that has a title and a disk-image row: 9 has a Null title,
// 26 no disk-image row.
const QList<int> kTitled{1,  2,  3,  4,  5,  6,  7,  8,  10, 11, 12, 13, 14,
                         15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 27, 100001};

SearchCriteria criteria(const QString& text, const QString& op = QStringLiteral("contains"),
                        const QString& group = QStringLiteral("ALL"),
                        const QString& disk = QStringLiteral("All")) {
    SearchCriteria c;
    c.searchText = text;
    c.operatorText = op;
    c.groupText = group;
    c.diskText = disk;
    return c;
}

// A row of rules_data(): the conditions between the join and " ORDER by Game", and the
// entries they find.
void rule(const char* name, const char* text, const char* conditions, const QList<int>& found,
          const char* op = "contains", const char* group = "ALL", const char* disk = "All") {
    QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(op)
                        << QString::fromUtf8(group) << QString::fromUtf8(disk)
                        << QString::fromUtf8(conditions) << found;
}

const char* const kIncompleteDragon =
    " AND [Game] LIKE '%dragon%' AND ' ' & [Game] & ' ' NOT LIKE '% dragon %'";

} // namespace

class NameSearchTest : public QObject {
    Q_OBJECT
    std::unique_ptr<SearchCatalogue> m_db;

private Q_SLOTS:
    void initTestCase() { m_db = std::make_unique<SearchCatalogue>(); }

    void everyMarkTogether() {
        SearchCriteria c = criteria(QStringLiteral("#dragon *ninja~warrior +#demo Rock'n'Roll"),
                                    QStringLiteral("contains"), QStringLiteral("Automation"));
        c.availability.excludeAvailable = true;
        c.descending = true;
        const NameSearch search = buildNameSearch(c);
        QCOMPARE(search.statement,
                 QStringLiteral(
                     "SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID = Dnames.F_ID AND "
                     "[Game] LIKE '%Rock''n''Roll%' AND ( ' ' & [Game] & ' ' NOT LIKE '%demo%' OR "
                     "' ' & [Game] & ' ' LIKE '% demo %' )  AND ' ' & [Game] & ' ' LIKE '% ninja "
                     "warrior %' AND [Game] LIKE '%dragon%' AND ' ' & [Game] & ' ' NOT LIKE '% "
                     "dragon %' AND [Group] LIKE 'Automation%' AND Dnames.got <> 1 ORDER by Game "
                     "DESC"));
        QCOMPARE(search.searchedText, c.searchText);
        // 4 is available, 8 has "Dragon" as a whole word, 12 "demo" inside "Demolition";
        // "Dragonslayer" sorts after "Dragonfly", so 11 comes first going down.
        QCOMPARE(m_db->numbers(search.statement), (QList<int>{11, 7}));
    }

    void rules_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("disk");
        QTest::addColumn<QString>("conditions");
        QTest::addColumn<QList<int>>("found");
        const QList<int> dragonAndNinja{1, 4, 7, 8, 11, 12};
        const QList<int> dragonInsideAWord{2, 4, 7, 11, 12};
        const QList<int> ninjaAsAWord{1, 4, 5, 7, 8, 11, 12};

        rule("all occurrences", "dragon", " AND [Game] LIKE '%dragon%'", {1, 2, 4, 7, 8, 11, 12});
        rule("complete", "*dragon", " AND ' ' & [Game] & ' ' LIKE '% dragon %'", {1, 8});
        rule("incomplete", "#dragon", kIncompleteDragon, dragonInsideAWord);
        rule("excluded", "ninja +dragon",
             " AND [Game] NOT LIKE '%dragon%' AND [Game] LIKE '%ninja%'", {5, 15});
        rule("excluded complete", "ninja +*dragon",
             " AND ' ' & [Game] & ' ' NOT LIKE '% dragon %' AND [Game] LIKE '%ninja%'",
             {4, 5, 7, 11, 12, 15});
        rule("excluded incomplete", "ninja +#dragon",
             " AND ( ' ' & [Game] & ' ' NOT LIKE '%dragon%' OR ' ' & [Game] & ' ' LIKE "
             "'% dragon %' )  AND [Game] LIKE '%ninja%'",
             {1, 5, 8, 15});
        rule("both marks: incomplete", "*#dragon", kIncompleteDragon, dragonInsideAWord);
        rule("text before the last mark dropped", "*ab*ninja",
             " AND ' ' & [Game] & ' ' LIKE '% ninja %'", ninjaAsAWord);
        rule("#* is the incomplete *x", "#*ninja",
             " AND [Game] LIKE '%*ninja%' AND ' ' & [Game] & ' ' NOT LIKE '% *ninja %'", {});
        rule("@ is plain text", "@dragon", " AND [Game] LIKE '%@dragon%'", {});
        rule("phrase", "ninja~warrior", " AND [Game] LIKE '%ninja warrior%'", {4, 5, 7, 8, 11, 12});
        rule("complete phrase", "*dragon~ninja", " AND ' ' & [Game] & ' ' LIKE '% dragon ninja %'",
             {1, 8});
        rule("excluded complete phrase", "rock +*ninja~warrior",
             " AND ' ' & [Game] & ' ' NOT LIKE '% ninja warrior %' AND [Game] LIKE '%rock%'", {16});
        rule("first term never excluded", "+dragon ninja",
             " AND [Game] LIKE '%ninja%' AND [Game] LIKE '%dragon%'", dragonAndNinja);
        rule("first term after its last plus", "a+b+#dragon", kIncompleteDragon, dragonInsideAWord);
        rule("lone plus", "+", " AND [Game] LIKE '%%'", kTitled);
        rule("double space", "dragon  ninja",
             " AND [Game] LIKE '%ninja%' AND [Game] LIKE '%%' AND [Game] LIKE '%dragon%'",
             dragonAndNinja);
        rule("leading and trailing space", " 1943 ",
             " AND [Game] LIKE '%%' AND [Game] LIKE '%1943%' AND [Game] LIKE '%%'", {17});
        rule("spaces only", " ", " AND [Game] LIKE '%%' AND [Game] LIKE '%%'", kTitled);
        rule("quote doubled", "Rock'n'Roll", " AND [Game] LIKE '%Rock''n''Roll%'",
             {4, 7, 8, 11, 12, 16});
        rule("pattern characters kept", "_943", " AND [Game] LIKE '%_943%'", {17});

        rule("group is a prefix", "ninja",
             " AND [Game] LIKE '%ninja%' AND [Group] LIKE 'Automation%'", ninjaAsAWord, "contains",
             "Automation");
        rule("empty text lists the group", "", " AND [Group] LIKE 'Deep Thought''s%'", {16, 17, 18},
             "contains", "Deep Thought's");
        rule("disk with a quote", "rock",
             " AND [Game] LIKE '%rock%' AND [Group] LIKE 'Deep Thought''s%' AND [Group] LIKE "
             "'%Deep Thought''s 4%'",
             {16}, "contains", "Deep Thought's", "Deep Thought's 4");
        // An empty search in a group: "contains" sets no condition, the others need a title,
        // and "precise" one of empty text; a space needs a title too.
        rule("empty contains", "", " AND [Group] LIKE 'Automation 130%'", {9, 10, 11, 12},
             "contains", "Automation 130");
        rule("empty starts with", "", " AND [Game] LIKE '%' AND [Group] LIKE 'Automation 130%'",
             {10, 11, 12}, "starts with", "Automation 130");
        rule("empty ends with", "", " AND [Game] LIKE '%' AND [Group] LIKE 'Medway Boys%'",
             {19, 20}, "ends with", "Medway Boys");
        rule("empty precise", "", " AND [Game] LIKE '' AND [Group] LIKE 'Medway Boys%'", {19},
             "precise", "Medway Boys");
        rule("a space in a group", " ",
             " AND [Game] LIKE '%%' AND [Game] LIKE '%%' AND [Group] LIKE 'Automation 130%'",
             {10, 11, 12}, "contains", "Automation 130");
        rule("disk parts last first", "",
             " AND [Group] LIKE 'Automation%' AND [Group] LIKE '%30%' AND [Group] LIKE "
             "'%Automation%'",
             {9, 10, 11, 12}, "contains", "Automation", "Automation#30");

        rule("starts with: marks are text", "+dragon", " AND [Game] LIKE '+dragon%'", {},
             "starts with");
        rule("starts with: spaces are text", "dragon n", " AND [Game] LIKE 'dragon n%'", {1},
             "starts with");
        rule("ends with: marks are text", "#ninja", " AND [Game] LIKE '%#ninja'", {}, "ends with");
        rule("ends with", "ninja", " AND [Game] LIKE '%ninja'", {1}, "ends with");
        rule("precise: no phrase", "dragon~ninja", " AND [Game] LIKE 'dragon~ninja'", {},
             "precise");
        rule("precise with a quote", "rock'n'roll racer", " AND [Game] LIKE 'rock''n''roll racer'",
             {16}, "precise");
    }
    void rules() {
        QFETCH(QString, text);
        QFETCH(QString, op);
        QFETCH(QString, group);
        QFETCH(QString, disk);
        QFETCH(QString, conditions);
        QFETCH(QList<int>, found);
        const QString statement = buildNameSearch(criteria(text, op, group, disk)).statement;
        QCOMPARE(statement, kJoin + conditions + QStringLiteral(" ORDER by Game"));
        QCOMPARE(m_db->numberSet(statement), found);
    }

    void filtersInOrderAndDescending() {
        SearchCriteria c = criteria(QStringLiteral("dragon"), QStringLiteral("contains"),
                                    QStringLiteral("Automation"), QStringLiteral("Auto#12"));
        c.availability = {true, true, true};
        c.sortCaption = QStringLiteral("Group");
        c.descending = true;
        QCOMPARE(buildNameSearch(c).statement,
                 kJoin + QStringLiteral(" AND [Game] LIKE '%dragon%' AND [Group] LIKE "
                                        "'Automation%' AND [Group] LIKE '%12%' AND [Group] LIKE "
                                        "'%Auto%' AND Dnames.got <> 1 AND Dnames.got <> 0 AND "
                                        "Dnames.got <> 2 ORDER by Group DESC"));

        c = criteria(QStringLiteral("dragon"));
        c.sortCaption = QStringLiteral("Nummer");
        c.descending = true;
        QCOMPARE(m_db->numbers(buildNameSearch(c).statement), (QList<int>{12, 11, 8, 7, 4, 2, 1}));
        c.availability.excludeUnavailable = true;
        QCOMPARE(m_db->numbers(buildNameSearch(c).statement), (QList<int>{12, 11, 4, 2, 1}));
    }

    // The text the search box shows afterwards: the first term corrected, the rest as typed.
    void searchedText_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("searched");
        const auto row = [](const char* typed, const char* op, const char* searched) {
            QTest::newRow(typed) << QString::fromUtf8(typed) << QString::fromUtf8(op)
                                 << QString::fromUtf8(searched);
        };
        row("dragon ninja", "contains", "dragon ninja");
        row("+foo bar", "contains", "foo bar");
        row("+foo", "contains", "foo");
        row("bar +foo", "contains", "bar +foo");
        row("a+b+#c d +e", "contains", "#c d +e");
        row("+", "contains", "");
        row("+foo bar ", "starts with", "+foo bar ");
    }
    void searchedText() {
        QFETCH(QString, typed);
        QFETCH(QString, op);
        QFETCH(QString, searched);
        QCOMPARE(buildNameSearch(criteria(typed, op)).searchedText, searched);
    }

    void refusals_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refused");
        const auto row = [](const char* name, const char* group, const char* text, bool refused) {
            QTest::newRow(name) << QString::fromUtf8(group) << QString::fromUtf8(text) << refused;
        };
        row("all groups, nothing typed", "ALL", "", true);
        row("all groups, a space", "ALL", " ", false);
        row("all groups, lone plus", "ALL", "+", false);
        row("a group, nothing typed", "Automation", "", false);
        row("ALL compared exactly", "All", "", false);
    }
    void refusals() {
        QFETCH(QString, group);
        QFETCH(QString, text);
        QFETCH(bool, refused);
        try {
            checkNameSearchAllowed(criteria(text, QStringLiteral("contains"), group));
            QVERIFY(!refused);
        } catch (const Refusal& refusal) {
            QVERIFY(refused);
            QCOMPARE(refusal.text,
                     QStringLiteral("You must specify a search string if searching all groups"));
        }
    }

    void termAndDiskPartLimits_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("disk");
        QTest::addColumn<bool>("refused");
        const QString contains = QStringLiteral("contains");
        const QString anyDisk = QStringLiteral("All");
        QTest::newRow("51 terms") << QString(50, u' ') << contains << anyDisk << false;
        QTest::newRow("52 terms") << QString(51, u' ') << contains << anyDisk << true;
        QTest::newRow("spaces are text when starting with")
            << QString(60, u' ') << QStringLiteral("starts with") << anyDisk << false;
        QTest::newRow("51 disk parts")
            << QStringLiteral("x") << contains << QString(50, u'#') << false;
        QTest::newRow("52 disk parts")
            << QStringLiteral("x") << contains << QString(51, u'#') << true;
        QTest::newRow("disk parts with any operator")
            << QStringLiteral("x") << QStringLiteral("precise") << QString(51, u'#') << true;
    }
    void termAndDiskPartLimits() {
        QFETCH(QString, text);
        QFETCH(QString, op);
        QFETCH(QString, disk);
        QFETCH(bool, refused);
        try {
            const QString statement =
                buildNameSearch(criteria(text, op, QStringLiteral("Automation"), disk)).statement;
            QVERIFY(!refused);
            // Every term and every part has its condition.
            if (op == QLatin1String("contains"))
                QCOMPARE(statement.count(QStringLiteral("[Game] LIKE")), text.count(u' ') + 1);
            QCOMPARE(statement.count(QStringLiteral("[Group] LIKE '%")),
                     disk == QLatin1String("All") ? 0 : disk.count(u'#') + 1);
        } catch (const Refusal& refusal) {
            QVERIFY(refused);
            QVERIFY2(refusal.text.contains(QStringLiteral("51")), qPrintable(refusal.text));
        }
    }
};

KESTREL_TEST(NameSearchTest)
#include "NameSearchTest.moc"
