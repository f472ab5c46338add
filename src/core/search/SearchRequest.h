#pragma once

#include "core/search/SearchCriteria.h"

#include <QString>

// A search of the Search button, by name or by first character.
struct SearchRequest {
    bool byName = true;
    SearchCriteria criteria;
};

// A search that passed the Search button's checks: its statement and how it reports.
struct PreparedSearch {
    QString statement;
    QString searchedText; // the search box text as searched (name search)
    QString emptyText;    // the status line when nothing is found
    bool byName = true;
};

// The Search button's checks and the statement of the chosen mode; throws a Refusal.
PreparedSearch prepareSearch(const SearchRequest& request);
