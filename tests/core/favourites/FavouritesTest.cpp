#include "common/TestRegistry.h"

#include "core/favourites/Favourites.h"

#include <QTest>

// The favourites' statements where their text is built; the browser tests run them against a
// catalogue and check the count texts.
class FavouritesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void statements() {
        QCOMPARE(favouritesStatement({true, true, true}),
                 QStringLiteral("SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID = "
                                "Dnames.F_ID AND favourite = -1 AND Dnames.got <> 1 AND "
                                "Dnames.got <> 0 AND Dnames.got <> 2"));
        QCOMPARE(addFavouriteStatement(QStringLiteral("1'2")),
                 QStringLiteral("UPDATE compilations SET favourite = -1 WHERE Nummer LIKE '1''2'"));
        QCOMPARE(removeFavouriteStatement(QStringLiteral("1'2")),
                 QStringLiteral("UPDATE compilations SET favourite = 0 WHERE Nummer LIKE '1''2'"));
    }
};

KESTREL_TEST(FavouritesTest)
#include "FavouritesTest.moc"
