#include "common/TestRegistry.h"

#include "SearchCatalogue.h"

#include "core/search/AlphaSearch.h"

#include <QTest>

#include <memory>

namespace {

const QString kDigits = QStringLiteral(
    " AND ([game] LIKE '0%' OR [game] LIKE '1%' OR [game] LIKE '2%' OR [game] LIKE '3%' OR "
    "[game] LIKE '4%' OR [game] LIKE '5%' OR [game] LIKE '6%' OR [game] LIKE '7%' OR [game] "
    "LIKE '8%' OR [game] LIKE '9%')");

SearchCriteria criteria(const QString& letter, const QString& group = QStringLiteral("ALL"),
                        const QString& disk = QStringLiteral("All")) {
    SearchCriteria c;
    c.letterText = letter;
    c.groupText = group;
    c.diskText = disk;
    // The name search's controls play no part here.
    c.searchText = QStringLiteral("+dragon #ninja");
    c.operatorText = QStringLiteral("precise");
    return c;
}

} // namespace

class AlphaSearchTest : public QObject {
    Q_OBJECT
    std::unique_ptr<SearchCatalogue> m_db;

private Q_SLOTS:
    void initTestCase() { m_db = std::make_unique<SearchCatalogue>(); }

    void digitsAndALetter() {
        SearchCriteria digits = criteria(QStringLiteral("0-9"));
        digits.sortCaption = QStringLiteral("Group");
        const QString first = buildAlphaSearch(digits);
        QCOMPARE(first,
                 QStringLiteral(
                     "SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID = Dnames.F_ID AND "
                     "([game] LIKE '0%' OR [game] LIKE '1%' OR [game] LIKE '2%' OR [game] LIKE "
                     "'3%' OR [game] LIKE '4%' OR [game] LIKE '5%' OR [game] LIKE '6%' OR [game] "
                     "LIKE '7%' OR [game] LIKE '8%' OR [game] LIKE '9%') ORDER by Group"));
        // "9 Lives" has no disk-image row and stays out; disk titles in the catalogue's order,
        // titles that differ only in case kept apart.
        QCOMPARE(m_db->numberSet(first), (QList<int>{17, 18, 23, 24, 25}));
        QCOMPARE(m_db->texts(first, u"Group"),
                 (QStringList{"Anarchy 1", "Deep Thought's 4", "Deep Thought's 4",
                              "POMPEY PIRATES 20", "Pompey Pirates 20"}));

        SearchCriteria k = criteria(QStringLiteral("k"), QStringLiteral("Automation"));
        k.availability.excludeUndumped = true;
        const QString second = buildAlphaSearch(k);
        QCOMPARE(second, QStringLiteral("SELECT * FROM Compilations,Dnames WHERE "
                                        "Compilations.F_ID = Dnames.F_ID AND [group] LIKE "
                                        "'Automation%' AND [game] LIKE 'k%' AND Dnames.got <> 2 "
                                        "ORDER by Game"));
        // "Klax" is on the undumped disk, "Kid Gloves" in another group; case is ignored.
        QCOMPARE(m_db->numbers(second), (QList<int>{6, 3}));
    }

    void firstCharacter_data() {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("disk");
        QTest::addColumn<QString>("conditions");
        QTest::addColumn<QList<int>>("found");
        const auto row = [](const char* name, const char* letter, const char* group,
                            const char* disk, const QString& conditions, const QList<int>& found) {
            QTest::newRow(name) << QString::fromUtf8(letter) << QString::fromUtf8(group)
                                << QString::fromUtf8(disk) << conditions << found;
        };
        row("digits in a group and disk", "0-9", "Deep Thought's", "Deep Thought's 4",
            " AND [group] LIKE 'Deep Thought''s%' AND [Group] LIKE '%Deep Thought''s 4%'" + kDigits,
            {17, 18});
        row("digits after the disk parts", "0-9", "Pompey Pirates", "Pompey#20",
            " AND [group] LIKE 'Pompey Pirates%' AND [Group] LIKE '%20%' AND [Group] LIKE "
            "'%Pompey%'" +
                kDigits,
            {23, 24});
        row("a letter", "d", "ALL", "All", " AND [game] LIKE 'd%'", {1, 2, 13, 14});
        row("a letter in a group", "k", "Automatix", "All",
            " AND [group] LIKE 'Automatix%' AND [game] LIKE 'k%'", {27});
        row("no letter lists the group", "-", "Medway Boys", "All",
            " AND [group] LIKE 'Medway Boys%'", {19, 20});
        row("nothing found", "q", "ALL", "All", " AND [game] LIKE 'q%'", {});
    }
    void firstCharacter() {
        QFETCH(QString, letter);
        QFETCH(QString, group);
        QFETCH(QString, disk);
        QFETCH(QString, conditions);
        QFETCH(QList<int>, found);
        const QString statement = buildAlphaSearch(criteria(letter, group, disk));
        QCOMPARE(statement, kJoin + conditions + QStringLiteral(" ORDER by Game"));
        QCOMPARE(m_db->numberSet(statement), found);
    }

    void refusals_data() {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("group");
        QTest::addColumn<bool>("refused");
        const auto row = [](const char* name, const char* letter, const char* group, bool refused) {
            QTest::newRow(name) << QString::fromUtf8(letter) << QString::fromUtf8(group) << refused;
        };
        row("all groups, no letter", "-", "ALL", true);
        row("all groups, digits", "0-9", "ALL", false);
        row("all groups, a letter", "a", "ALL", false);
        row("a group, no letter", "-", "Automation", false);
    }
    void refusals() {
        QFETCH(QString, letter);
        QFETCH(QString, group);
        QFETCH(bool, refused);
        try {
            checkAlphaSearchAllowed(criteria(letter, group));
            QVERIFY(!refused);
        } catch (const Refusal& refusal) {
            QVERIFY(refused);
            QCOMPARE(refusal.text,
                     QStringLiteral("You must specify a letter/number if searching all groups"));
        }
    }

    void diskPartLimit() {
        const QString fits = buildAlphaSearch(
            criteria(QStringLiteral("a"), QStringLiteral("Automation"), QString(50, u'#')));
        QCOMPARE(fits.count(QStringLiteral("[Group] LIKE '%%'")), 51);
        try {
            buildAlphaSearch(
                criteria(QStringLiteral("a"), QStringLiteral("Automation"), QString(51, u'#')));
            QFAIL("52 disk parts were accepted");
        } catch (const Refusal& refusal) {
            QVERIFY2(refusal.text.contains(QStringLiteral("51")), qPrintable(refusal.text));
        }
    }
};

KESTREL_TEST(AlphaSearchTest)
#include "AlphaSearchTest.moc"
