#pragma once

#include "core/search/SearchClauses.h"

#include <QString>

// Favourite entries: the `favourite` flag of a Compilations row is -1 for a favourite and 0
// otherwise, so favourites live in the catalogue and outlast the program.

// The list mode while the result list shows favourites; compared exactly.
inline const QString kFavouritesMode = QStringLiteral("Favourites");

// Every favourite that passes the availability filters, in the catalogue's own order.
QString favouritesStatement(const AvailabilityFilter& filter);

// Marking and unmarking one entry by its number (the hidden third column of the list).
QString addFavouriteStatement(const QString& nummer);
QString removeFavouriteStatement(const QString& nummer);

// Unmarking every entry.
QString clearFavouritesStatement();

// The count line of a favourites listing: "   Favourites: 3 results"; with nothing listed
// kNoFavouritesText.
QString favouritesCountText(qsizetype count);
inline const QString kNoFavouritesText = QStringLiteral("  Favourites: no results ");

// The count line after a favourite was removed, in either list mode: "  3 results", or
// kNoResultsAfterRemoval for an empty list.
QString countAfterRemovalText(qsizetype count);
inline const QString kNoResultsAfterRemoval = QStringLiteral("  no results ");

// Clearing asks first and confirms afterwards.
inline const QString kClearQuestion =
    QStringLiteral("Are you sure you want to clear your Favourites?");
inline const QString kClearQuestionCaption = QStringLiteral("Confirm Delete");
inline const QString kClearedMessage = QStringLiteral("Favourites have been cleared!");
inline const QString kClearedCaption = QStringLiteral("Success");
