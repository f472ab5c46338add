#include "common/TestRegistry.h"

#include "common/TestFolder.h"

#include "core/catalogue/Catalogue.h"
#include "core/favourites/Favourites.h"

#include <QTest>

#include <algorithm>

namespace {

// Favourites on all three kinds of disk (1 available, 3 unavailable, 4 undumped) and one
// without a disk record; entry 15 is there to be missed by "Nummer LIKE '5'".
const char* const kCatalogue =
    "INSERT INTO Dnames VALUES (1, 1, 'A', 'A', '1', 'st'), (2, 0, 'A', 'A', '2', 'st'),"
    " (3, 2, 'B', 'B', NULL, 'st');"
    "INSERT INTO Compilations VALUES (1, 'Automation 1', 'Dragon Ninja', -1, 1),"
    " (2, 'Automation 1', 'Dragonfly', 0, 1), (3, 'Automation 2', 'Zak''s Quest', -1, 2),"
    " (4, 'D-Bug 9', 'Beta Blast', -1, 3), (5, 'D-Bug 9', 'Alpha Wave', 0, 3),"
    " (15, 'D-Bug 9', 'Xenon', 0, 3), (16, 'Lost Boys 1', 'Orphan', -1, 99);";

const QString kListing = QStringLiteral("SELECT * FROM Compilations,Dnames WHERE "
                                        "Compilations.F_ID = Dnames.F_ID AND favourite = -1");

} // namespace

class FavouritesTest : public QObject {
    Q_OBJECT
    TestFolder m_folder;
    Catalogue m_catalogue;

    // Entry numbers of the joined favourites, smallest first.
    QList<int> favourites(const AvailabilityFilter& filter = {}) {
        ResultSet& rows = m_catalogue.query(favouritesStatement(filter));
        QList<int> numbers;
        for (rows.moveFirst(); !rows.atEnd(); rows.moveNext())
            numbers << rows.field(u"Nummer").toInt();
        std::sort(numbers.begin(), numbers.end());
        return numbers;
    }

    // Every flagged entry, with or without a disk record.
    QList<int> flagged() {
        ResultSet& rows = m_catalogue.query(
            QStringLiteral("SELECT Nummer FROM Compilations WHERE favourite = -1 ORDER BY Nummer"));
        QList<int> numbers;
        for (rows.moveFirst(); !rows.atEnd(); rows.moveNext())
            numbers << rows.field(u"Nummer").toInt();
        return numbers;
    }

private Q_SLOTS:
    void initTestCase() {
        m_folder.createCatalogue(QLatin1String(kCatalogue));
        m_catalogue.open(m_folder.cataloguePath());
    }

    // Every case starts from the fixture's favourites.
    void init() {
        m_catalogue.execute(
            QStringLiteral("UPDATE Compilations SET favourite = -1 WHERE Nummer IN (1, 3, 4, 16)"));
        m_catalogue.execute(QStringLiteral(
            "UPDATE Compilations SET favourite = 0 WHERE Nummer NOT IN (1, 3, 4, 16)"));
    }

    void statements_data() {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("expected");
        QTest::newRow("all favourites") << favouritesStatement({}) << kListing;
        QTest::newRow("every filter, in order")
            << favouritesStatement({true, true, true})
            << kListing + " AND Dnames.got <> 1 AND Dnames.got <> 0 AND Dnames.got <> 2";
        QTest::newRow("add") << addFavouriteStatement(QStringLiteral("12"))
                             << "UPDATE compilations SET favourite = -1 WHERE Nummer LIKE '12'";
        QTest::newRow("remove") << removeFavouriteStatement(QStringLiteral("12"))
                                << "UPDATE compilations SET favourite = 0 WHERE Nummer LIKE '12'";
        QTest::newRow("quotes doubled") << addFavouriteStatement(QStringLiteral("1'2"))
                                        << "UPDATE compilations SET favourite = -1 WHERE Nummer "
                                           "LIKE '1''2'";
        QTest::newRow("clear") << clearFavouritesStatement()
                               << "UPDATE Compilations SET favourite= 0";
    }
    void statements() {
        QFETCH(QString, statement);
        QFETCH(QString, expected);
        QCOMPARE(statement, expected);
    }

    void listingKeepsFavouritesThatPassTheFilters_data() {
        QTest::addColumn<bool>("available");
        QTest::addColumn<bool>("unavailable");
        QTest::addColumn<bool>("undumped");
        QTest::addColumn<QList<int>>("numbers");
        QTest::newRow("no filter") << false << false << false << QList<int>{1, 3, 4};
        QTest::newRow("no available") << true << false << false << QList<int>{3, 4};
        QTest::newRow("no unavailable") << false << true << false << QList<int>{1, 4};
        QTest::newRow("no undumped") << false << false << true << QList<int>{1, 3};
        QTest::newRow("none left") << true << true << true << QList<int>{};
    }
    void listingKeepsFavouritesThatPassTheFilters() {
        QFETCH(bool, available);
        QFETCH(bool, unavailable);
        QFETCH(bool, undumped);
        QFETCH(QList<int>, numbers);
        QCOMPARE(favourites({available, unavailable, undumped}), numbers);
    }

    void addAndRemoveReachOneEntry() {
        // "5" must not reach 15; adding twice keeps the mark.
        QCOMPARE(m_catalogue.execute(addFavouriteStatement(QStringLiteral("5"))), 1);
        QCOMPARE(m_catalogue.execute(addFavouriteStatement(QStringLiteral("5"))), 1);
        QCOMPARE(flagged(), (QList<int>{1, 3, 4, 5, 16}));
        QCOMPARE(m_catalogue.execute(removeFavouriteStatement(QStringLiteral("3"))), 1);
        QCOMPARE(m_catalogue.execute(removeFavouriteStatement(QStringLiteral("3"))), 1);
        QCOMPARE(flagged(), (QList<int>{1, 4, 5, 16}));
        QCOMPARE(m_catalogue.execute(addFavouriteStatement(QStringLiteral("99"))), 0);
        QCOMPARE(flagged(), (QList<int>{1, 4, 5, 16}));
    }

    void clearReachesEveryEntry() {
        m_catalogue.execute(clearFavouritesStatement());
        QCOMPARE(flagged(), QList<int>{});
        QCOMPARE(favourites(), QList<int>{});
    }

    void texts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one favourite") << favouritesCountText(1) << "   Favourites: 1 results";
        QTest::newRow("many favourites")
            << favouritesCountText(1200) << "   Favourites: 1200 results";
        QTest::newRow("no favourites") << kNoFavouritesText << "  Favourites: no results ";
        QTest::newRow("left after removal") << countAfterRemovalText(2) << "  2 results";
        QTest::newRow("none left after removal") << countAfterRemovalText(0) << "  no results ";
    }
    void texts() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }
};

KESTREL_TEST(FavouritesTest)
#include "FavouritesTest.moc"
