#include "common/TestRegistry.h"

#include "core/search/OperatorHelp.h"
#include "core/search/SearchClauses.h"

#include <QTest>

class SearchClausesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void groupFilter_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("clause");
        QTest::newRow("ALL adds nothing") << "ALL"
                                          << "[Group]"
                                          << "";
        QTest::newRow("only exact ALL is special") << "All"
                                                   << "[Group]"
                                                   << " AND [Group] LIKE 'All%'";
        QTest::newRow("prefix") << "Automation"
                                << "[Group]"
                                << " AND [Group] LIKE 'Automation%'";
        QTest::newRow("lower-case field") << "Automation"
                                          << "[group]"
                                          << " AND [group] LIKE 'Automation%'";
        QTest::newRow("quote doubled") << "Deep Thought's"
                                       << "[Group]"
                                       << " AND [Group] LIKE 'Deep Thought''s%'";
        QTest::newRow("pattern characters kept") << "50%_[x"
                                                 << "[Group]"
                                                 << " AND [Group] LIKE '50%_[x%'";
    }
    void groupFilter() {
        QFETCH(QString, group);
        QFETCH(QString, field);
        QFETCH(QString, clause);
        QCOMPARE(groupClause(group, field), clause);
    }

    void diskFilter_data() {
        QTest::addColumn<QString>("disk");
        QTest::addColumn<QString>("clause");
        QTest::addColumn<int>("parts");
        QTest::newRow("All adds nothing") << "All"
                                          << "" << 0;
        QTest::newRow("empty adds nothing") << ""
                                            << "" << 0;
        QTest::newRow("one part") << "Automation 12"
                                  << " AND [Group] LIKE '%Automation 12%'" << 1;
        QTest::newRow("parts last first") << "A#B"
                                          << " AND [Group] LIKE '%B%' AND [Group] LIKE '%A%'" << 2;
        QTest::newRow("empty parts kept") << "A##"
                                          << " AND [Group] LIKE '%%' AND [Group] LIKE '%%'"
                                             " AND [Group] LIKE '%A%'"
                                          << 3;
        QTest::newRow("quote doubled") << "Deep Thought's 4"
                                       << " AND [Group] LIKE '%Deep Thought''s 4%'" << 1;
    }
    void diskFilter() {
        QFETCH(QString, disk);
        QFETCH(QString, clause);
        QFETCH(int, parts);
        QCOMPARE(diskClause(disk), clause);
        QCOMPARE(diskClausePartCount(disk), parts);
    }

    void availabilityFilters() {
        QCOMPARE(availabilityClause({}), QString());
        QCOMPARE(availabilityClause({true, false, false}), QStringLiteral(" AND Dnames.got <> 1"));
        QCOMPARE(availabilityClause({false, false, true}), QStringLiteral(" AND Dnames.got <> 2"));
        QCOMPARE(availabilityClause({true, true, true}),
                 QStringLiteral(" AND Dnames.got <> 1 AND Dnames.got <> 0 AND Dnames.got <> 2"));
    }

    void orderBy() {
        QCOMPARE(orderClause(QStringLiteral("Game"), false), QStringLiteral(" ORDER by Game"));
        QCOMPARE(orderClause(QStringLiteral("Group"), true),
                 QStringLiteral(" ORDER by Group DESC"));
        QCOMPARE(orderClause(QStringLiteral("nummer"), false), QStringLiteral(" ORDER by nummer"));
    }

    void operatorHelp() {
        const QString contains = operatorHelpText(QStringLiteral("contains"));
        QCOMPARE(contains,
                 QStringLiteral("  term = match all occurence term"
                                "     #term = match incomplete term"
                                "          *term = match complete term"
                                "        +term = exclude term"
                                "                    +#term = exclude incomplete term"
                                "      +*term = exclude complete term"
                                "                                                                 "
                                "term~term = phrase"));
        const QString none = QStringLiteral("\r\n                        No special characters are "
                                            "available for conducting advanced search queries.");
        QCOMPARE(operatorHelpText(QStringLiteral("starts with")), none);
        QCOMPARE(operatorHelpText(QStringLiteral("precise")), none);
    }
};

KESTREL_TEST(SearchClausesTest)
#include "SearchClausesTest.moc"
