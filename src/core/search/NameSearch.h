#pragma once

#include "core/search/SearchCriteria.h"

#include <QStringList>

// The statement of a search by name, and the search text as it was searched: a "+" in the
// first term is dropped (the first term is never an exclusion), the other terms stay as typed.
struct NameSearch {
    QString statement;
    QString searchedText;
};

// Builds the statement for the criteria. With the operator "contains" the search text is a
// query: terms separated by single spaces, each a plain, "*" complete, "#" incomplete or "+"
// excluded term, "~" joining words into a phrase. Throws a Refusal when there are more
// terms or disk parts than fit.
NameSearch buildNameSearch(const SearchCriteria& criteria);

// The checks the Search button makes before any search; throws a Refusal.
void checkNameSearchAllowed(const SearchCriteria& criteria);
