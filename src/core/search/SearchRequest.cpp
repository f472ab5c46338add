#include "core/search/SearchRequest.h"

#include "core/search/AlphaSearch.h"
#include "core/search/NameSearch.h"

PreparedSearch prepareSearch(const SearchRequest& request) {
    const SearchCriteria& criteria = request.criteria;
    PreparedSearch search;
    search.byName = request.byName;
    if (request.byName) {
        checkNameSearchAllowed(criteria);
        const NameSearch built = buildNameSearch(criteria);
        search.statement = built.statement;
        search.searchedText = built.searchedText;
        search.emptyText = QStringLiteral("  no results ");
    } else {
        checkAlphaSearchAllowed(criteria);
        search.statement = buildAlphaSearch(criteria);
        search.emptyText = QStringLiteral("  no results");
    }
    return search;
}
