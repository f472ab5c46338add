#include "common/TestRegistry.h"

#include "core/favourites/Favourites.h"

#include <QTest>

// The favourites' statements and count texts; the statements run against the fixture
// catalogue with the other statement shapes.
class FavouritesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void texts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString listing =
            QStringLiteral("SELECT * FROM Compilations,Dnames WHERE "
                           "Compilations.F_ID = Dnames.F_ID AND favourite = -1");
        QTest::newRow("all favourites") << favouritesStatement({}) << listing;
        QTest::newRow("every filter, in order")
            << favouritesStatement({true, true, true})
            << listing + " AND Dnames.got <> 1 AND Dnames.got <> 0 AND Dnames.got <> 2";
        QTest::newRow("add") << addFavouriteStatement(QStringLiteral("12"))
                             << "UPDATE compilations SET favourite = -1 WHERE Nummer LIKE '12'";
        QTest::newRow("remove, quotes doubled")
            << removeFavouriteStatement(QStringLiteral("1'2"))
            << "UPDATE compilations SET favourite = 0 WHERE Nummer LIKE '1''2'";
        QTest::newRow("clear") << clearFavouritesStatement()
                               << "UPDATE Compilations SET favourite= 0";
        QTest::newRow("count") << favouritesCountText(1200) << "   Favourites: 1200 results";
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
