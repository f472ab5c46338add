#pragma once

#include "core/Failures.h"
#include "core/search/SearchClauses.h"

#include <QString>

// What the search controls show when a search starts.
struct SearchCriteria {
    QString searchText; // the search box
    QString operatorText = QStringLiteral("contains");
    QString letterText = QStringLiteral("-");  // the letter box of the alphanumeric search
    QString groupText = QStringLiteral("ALL"); // the group box
    QString diskText = QStringLiteral("All");  // the disk box
    AvailabilityFilter availability;
    QString sortCaption = QStringLiteral("Game"); // caption of the list's sort column
    bool descending = false;
};

// A search the program will not run, as the Search button refuses it.
inline Refusal searchRefusal(const QString& text) {
    return {text, QStringLiteral("Operation Disallowed")};
}

// Room the statement builders have for search terms and disk box parts.
inline constexpr int kMaxTerms = 51;
