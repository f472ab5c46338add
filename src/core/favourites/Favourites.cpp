#include "core/favourites/Favourites.h"

#include "core/catalogue/SqlText.h"
#include "core/search/Listing.h"

QString favouritesStatement(const AvailabilityFilter& filter) {
    return QStringLiteral("SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID = "
                          "Dnames.F_ID AND favourite = -1") +
           availabilityClause(filter);
}

QString addFavouriteStatement(const QString& nummer) {
    return QStringLiteral("UPDATE compilations SET favourite = -1 WHERE Nummer LIKE '") +
           quoteDoubled(nummer) + QStringLiteral("'");
}

QString removeFavouriteStatement(const QString& nummer) {
    return QStringLiteral("UPDATE compilations SET favourite = 0 WHERE Nummer LIKE '") +
           quoteDoubled(nummer) + QStringLiteral("'");
}

QString clearFavouritesStatement() {
    return QStringLiteral("UPDATE Compilations SET favourite= 0");
}

QString favouritesCountText(qsizetype count) {
    return QStringLiteral("   Favourites: ") + QString::number(count) + QStringLiteral(" results");
}

QString countAfterRemovalText(qsizetype count) {
    return count == 0 ? kNoResultsAfterRemoval : resultCountText(count);
}
