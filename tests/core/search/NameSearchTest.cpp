#include "common/TestRegistry.h"

#include "common/FixtureCatalogue.h"

#include "core/search/NameSearch.h"
#include "core/search/OperatorHelp.h"

#include <QTest>

namespace {

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

// A row of rules_data(): the conditions between the join and " ORDER by Game" (conditions
// start with " AND"), and the entries they find; or the text of the Search button's refusal.
void rule(const char* name, const char* text, const QString& conditions, const QString& found,
          const char* op = "contains", const char* group = "ALL", const char* disk = "All") {
    const bool refused = !conditions.startsWith(u' ');
    QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(op)
                        << QString::fromUtf8(group) << QString::fromUtf8(disk)
                        << (refused
                                ? conditions + QStringLiteral(" (Operation Disallowed)")
                                : kJoin + conditions + " ORDER by Game => " + normalisedRuns(found))
                        << found;
}

const QString kIncompleteDragon =
    QStringLiteral(" AND [Game] LIKE '%dragon%' AND ' ' & [Game] & ' ' NOT LIKE '% dragon %'");

} // namespace

// The search by name: the query language's statements, what they find, and the refusals
// (the browser tests refuse the empty search of all groups).
class NameSearchTest : public QObject {
    Q_OBJECT
    OpenCatalogue m_db;

private Q_SLOTS:
    // Terms go in last first, then the group, the availability and the order. 4 is available,
    // 8 has "Dragon" as a whole word, 12 "demo" inside "Demolition"; entry numbers sort as
    // numbers, not as text.
    void everyMarkTogether() {
        SearchCriteria c = criteria(QStringLiteral("#dragon *ninja~warrior +#demo Rock'n'Roll"),
                                    QStringLiteral("contains"), QStringLiteral("Automation"));
        c.availability.excludeAvailable = true;
        c.sortCaption = QStringLiteral("Nummer");
        c.descending = true;
        const QString statement = buildNameSearch(c).statement;
        QVERIFY2(statement.startsWith(kJoin + " AND [Game] LIKE '%Rock''n''Roll%' AND ( ' '") &&
                     statement.endsWith(" NOT LIKE '% dragon %' AND [Group] LIKE "
                                        "'Automation%' AND Dnames.got <> 1 ORDER by Nummer DESC"),
                 qPrintable(statement));
        QCOMPARE(fieldValues(m_db.catalogue.query(statement)), QStringList({"11", "7"}));
    }

    // What a search finds, or why it is refused.
    void rules_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("disk");
        QTest::addColumn<QString>("outcome"); // see searchOutcome()
        QTest::addColumn<QString>("found");   // entries found, in any order
        const QString dragonInsideAWord = QStringLiteral("2 4 7 11 12");
        rule("all occurrences", "dragon", " AND [Game] LIKE '%dragon%'", "1 2 4 7 8 11 12");
        rule("complete", "*dragon", " AND ' ' & [Game] & ' ' LIKE '% dragon %'", "1 8");
        rule("incomplete", "#dragon", kIncompleteDragon, dragonInsideAWord);
        rule("excluded", "ninja +dragon",
             " AND [Game] NOT LIKE '%dragon%' AND [Game] LIKE '%ninja%'", "5 15");
        rule("excluded complete", "ninja +*dragon",
             " AND ' ' & [Game] & ' ' NOT LIKE '% dragon %' AND [Game] LIKE '%ninja%'",
             "4 5 7 11 12 15");
        rule("excluded incomplete", "ninja +#dragon",
             " AND ( ' ' & [Game] & ' ' NOT LIKE '%dragon%' OR ' ' & [Game] & ' ' LIKE "
             "'% dragon %' )  AND [Game] LIKE '%ninja%'",
             "1 5 8 15");
        rule("text before the last mark dropped", "*ab*ninja",
             " AND ' ' & [Game] & ' ' LIKE '% ninja %'", "1 4 5 7 8 11 12");
        rule("#* is the incomplete *x", "#*ninja",
             " AND [Game] LIKE '%*ninja%' AND ' ' & [Game] & ' ' NOT LIKE '% *ninja %'", "");
        rule("phrase", "ninja~warrior", " AND [Game] LIKE '%ninja warrior%'", "4 5 7 8 11 12");
        rule("first term after its last plus", "a+b+#dragon +klax",
             " AND [Game] NOT LIKE '%klax%'" + kIncompleteDragon, dragonInsideAWord);
        rule("disk with a quote", "rock",
             " AND [Game] LIKE '%rock%' AND [Group] LIKE 'Deep Thought''s%' AND [Group] LIKE "
             "'%Deep Thought''s 4%'",
             "16", "contains", "Deep Thought's", "Deep Thought's 4");
        // An empty search in a group: "contains" sets no condition, "precise" one of empty text.
        rule("empty contains", "", " AND [Group] LIKE 'Automation 130%'", "9 10 11 12", "contains",
             "Automation 130");
        rule("empty precise", "", " AND [Game] LIKE '' AND [Group] LIKE 'Medway Boys%'", "19",
             "precise", "Medway Boys");
        rule("only exact ALL is special", "", " AND [Group] LIKE 'All%'", "", "contains", "All");
        rule("empty disk text adds nothing", "xenon", " AND [Game] LIKE '%xenon%'", "21 22",
             "contains", "ALL", "");
        rule("disk parts last first, empty ones kept", "",
             " AND [Group] LIKE 'Automation%' AND [Group] LIKE '%30%' AND [Group] LIKE '%%' AND "
             "[Group] LIKE '%Automation%'",
             "9 10 11 12", "contains", "Automation", "Automation##30");
        rule("starts with: marks are text", "+dragon", " AND [Game] LIKE '+dragon%'", "",
             "starts with");
        rule("ends with", "ninja", " AND [Game] LIKE '%ninja'", "1", "ends with");
        rule("precise with a quote", "rock'n'roll racer", " AND [Game] LIKE 'rock''n''roll racer'",
             "16", "precise");
        // Room for 51 terms and 51 disk parts; spaces are terms only with "contains".
        const QString automation = QStringLiteral("1 2 3 4 5 6 7 8 10 11 12 100001");
        const QString group = QStringLiteral(" AND [Group] LIKE 'Automation%'");
        rule("51 terms", QByteArray(50, ' ').constData(),
             QStringLiteral(" AND [Game] LIKE '%%'").repeated(51) + group, automation, "contains",
             "Automation");
        rule("52 terms", QByteArray(51, ' ').constData(),
             "A search can have at most 51 terms (separated by spaces).", "", "contains",
             "Automation");
        rule("spaces are text when starting with", QByteArray(60, ' ').constData(),
             " AND [Game] LIKE '" + QString(60, u' ') + "%'" + group, "", "starts with",
             "Automation");
        rule("51 disk parts", "klax",
             " AND [Game] LIKE '%klax%'" + group +
                 QStringLiteral(" AND [Group] LIKE '%%'").repeated(51),
             "10", "contains", "Automation", QByteArray(50, '#').constData());
        const QString parts = "A search can have at most 51 disk parts (separated by \"#\").";
        const QByteArray fiftyTwo(51, '#');
        rule("52 disk parts", "klax", parts, "", "contains", "Automation", fiftyTwo.constData());
        rule("disk parts with any operator", "klax", parts, "", "precise", "Automation",
             fiftyTwo.constData());
    }
    void rules() {
        QFETCH(QString, text);
        QFETCH(QString, op);
        QFETCH(QString, group);
        QFETCH(QString, disk);
        QFETCH(QString, outcome);
        QFETCH(QString, found);
        const SearchCriteria c = criteria(text, op, group, disk);
        const auto build = [&] {
            checkNameSearchAllowed(c);
            return buildNameSearch(c).statement;
        };
        QCOMPARE(searchOutcome(m_db.catalogue, build, found), outcome);
    }

    // The search box shows the first term without what stands before its last plus.
    void searchedText() {
        QCOMPARE(buildNameSearch(criteria(QStringLiteral("a+b+#dragon +klax"))).searchedText,
                 QStringLiteral("#dragon +klax"));
        QCOMPARE(buildNameSearch(criteria(QStringLiteral("#dragon +klax"))).searchedText,
                 QStringLiteral("#dragon +klax"));
    }

    // The help line under the operator box: the query language's marks for "contains" only.
    void operatorHelp() {
        QVERIFY(operatorHelpText(QStringLiteral("contains"))
                    .endsWith(QString(65, u' ') + QStringLiteral("term~term = phrase")));
        QVERIFY(!operatorHelpText(QStringLiteral("starts with")).contains(u'~'));
    }
};

KESTREL_TEST(NameSearchTest)
#include "NameSearchTest.moc"
