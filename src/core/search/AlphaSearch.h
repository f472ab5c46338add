#pragma once

#include "core/search/SearchCriteria.h"

// The statement that lists the games whose title starts with the letter box's letter, or
// with any digit for "0-9", within the group and disk boxes. Throws a Refusal when the
// disk box has more parts than fit.
QString buildAlphaSearch(const SearchCriteria& criteria);

// The checks the Search button makes before an alphanumeric search; throws a Refusal.
void checkAlphaSearchAllowed(const SearchCriteria& criteria);

// The letter box's rows: "-", "0-9", "a" to "z".
QStringList letterBoxEntries();
