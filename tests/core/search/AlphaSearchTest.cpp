#include "common/TestRegistry.h"

#include "common/FixtureCatalogue.h"

#include "core/search/AlphaSearch.h"

#include <QTest>

// The search by the first character of a title (the browser tests refuse it without a
// letter across all groups).
class AlphaSearchTest : public QObject {
    Q_OBJECT
    OpenCatalogue m_db;

private Q_SLOTS:
    // What a search finds, or why it is refused.
    void firstCharacter_data() {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("disk");
        QTest::addColumn<bool>("excludeUndumped");
        QTest::addColumn<QString>("outcome"); // see searchOutcome()
        QTest::addColumn<QString>("found");   // entries found, in any order
        const auto row =
            [](const char* name, const char* letter, const char* group, const QString& disk,
               const QString& outcome, const QString& found, bool excludeUndumped = false) {
                const bool refused = !outcome.startsWith(u' '); // conditions start with " AND"
                QTest::newRow(name)
                    << QString::fromUtf8(letter) << QString::fromUtf8(group) << disk
                    << excludeUndumped
                    << (refused ? outcome
                                : kJoin + outcome + " ORDER by Group => " + normalisedRuns(found))
                    << found;
            };
        const QString group = QStringLiteral(" AND [group] LIKE 'Automation%'");
        // "Klax" is on the undumped disk, "Kid Gloves" in another group; case is ignored.
        row("a letter, undumped left out", "k", "Automation", "All",
            group + " AND [game] LIKE 'k%' AND Dnames.got <> 2", "3 6", true);
        row("no letter lists the group", "-", "Medway Boys", "All",
            " AND [group] LIKE 'Medway Boys%'", "19 20");
        row("digits after the disk parts", "0-9", "Pompey Pirates", "Pompey#20",
            " AND [group] LIKE 'Pompey Pirates%' AND [Group] LIKE '%20%' AND [Group] LIKE "
            "'%Pompey%' AND ([game] LIKE '0%' OR [game] LIKE '1%' OR [game] LIKE '2%' OR [game] "
            "LIKE '3%' OR [game] LIKE '4%' OR [game] LIKE '5%' OR [game] LIKE '6%' OR [game] LIKE "
            "'7%' OR [game] LIKE '8%' OR [game] LIKE '9%')",
            "23 24");
        row("51 disk parts", "k", "Automation", QString(50, u'#'),
            group + QStringLiteral(" AND [Group] LIKE '%%'").repeated(51) + " AND [game] LIKE 'k%'",
            "3 6 10");
        row("52 disk parts", "k", "Automation", QString(51, u'#'),
            "A search can have at most 51 disk parts (separated by \"#\"). (Operation "
            "Disallowed)",
            "");
    }
    void firstCharacter() {
        QFETCH(QString, letter);
        QFETCH(QString, group);
        QFETCH(QString, disk);
        QFETCH(bool, excludeUndumped);
        QFETCH(QString, outcome);
        QFETCH(QString, found);
        SearchCriteria c;
        c.letterText = letter;
        c.groupText = group;
        c.diskText = disk;
        c.availability.excludeUndumped = excludeUndumped;
        c.sortCaption = QStringLiteral("Group");
        // The name search's controls play no part here.
        c.searchText = QStringLiteral("+dragon #ninja");
        c.operatorText = QStringLiteral("precise");
        const auto build = [&] {
            checkAlphaSearchAllowed(c);
            return buildAlphaSearch(c);
        };
        QCOMPARE(searchOutcome(m_db.catalogue, build, found), outcome);
    }
};

KESTREL_TEST(AlphaSearchTest)
#include "AlphaSearchTest.moc"
