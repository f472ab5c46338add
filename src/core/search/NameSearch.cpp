#include "core/search/NameSearch.h"

#include "core/catalogue/SqlText.h"

namespace {

const QString kJoin = QStringLiteral("SELECT * FROM Compilations,Dnames WHERE") +
                      QStringLiteral(" Compilations.F_ID = Dnames.F_ID");

QString afterLast(const QString& text, QChar mark) {
    return text.mid(text.lastIndexOf(mark) + 1);
}

// The condition of one term of the query language.
QString termCondition(QString term) {
    term.replace(u'~', u' ');
    const bool exclude = term.contains(u'+');
    if (exclude)
        term = afterLast(term, u'+');

    enum Kind { AllOccurrences, Complete, Incomplete } kind = AllOccurrences;
    if (term.contains(u'*'))
        kind = Complete;
    if (term.contains(u'#'))
        kind = Incomplete;
    if (kind == Complete)
        term = afterLast(term, u'*');
    else if (kind == Incomplete)
        term = afterLast(term, u'#');
    const QString t = quoteDoubled(term);

    const QString padded = QStringLiteral(" AND ' ' & [Game] & ' '");
    if (!exclude) {
        switch (kind) {
        case Complete:
            return padded + QStringLiteral(" LIKE '% ") + t + QStringLiteral(" %'");
        case Incomplete:
            return QStringLiteral(" AND [Game] LIKE '%") + t + QStringLiteral("%'") + padded +
                   QStringLiteral(" NOT LIKE '% ") + t + QStringLiteral(" %'");
        case AllOccurrences:
            return QStringLiteral(" AND [Game] LIKE '%") + t + QStringLiteral("%'");
        }
    }
    switch (kind) {
    case Complete:
        return padded + QStringLiteral(" NOT LIKE '% ") + t + QStringLiteral(" %'");
    case Incomplete:
        return QStringLiteral(" AND ( ' ' & [Game] & ' ' NOT LIKE '%") + t +
               QStringLiteral("%' OR ' ' & [Game] & ' ' LIKE '% ") + t + QStringLiteral(" %' ) ");
    case AllOccurrences:
        break;
    }
    return QStringLiteral(" AND [Game] NOT LIKE '%") + t + QStringLiteral("%'");
}

QString tooMany(const char* what) {
    return QStringLiteral("A search can have at most %1 %2.")
        .arg(kMaxTerms)
        .arg(QLatin1String(what));
}

} // namespace

void checkNameSearchAllowed(const SearchCriteria& criteria) {
    if (criteria.groupText == QLatin1String("ALL") && criteria.searchText.isEmpty())
        throw searchRefusal(
            QStringLiteral("You must specify a search string if searching all groups"));
}

NameSearch buildNameSearch(const SearchCriteria& criteria) {
    NameSearch search{kJoin, criteria.searchText};
    if (diskClausePartCount(criteria.diskText) > kMaxTerms)
        throw searchRefusal(tooMany("disk parts (separated by \"#\")"));

    const QString& op = criteria.operatorText;
    const QString text = quoteDoubled(criteria.searchText);
    if (op == QLatin1String("contains")) {
        QStringList terms;
        if (!criteria.searchText.isEmpty())
            terms = criteria.searchText.split(u' ');
        if (terms.size() > kMaxTerms)
            throw searchRefusal(tooMany("terms (separated by spaces)"));
        if (!terms.isEmpty() && terms[0].contains(u'+')) {
            terms[0] = afterLast(terms[0], u'+');
            search.searchedText = terms.join(u' ');
        }
        for (auto term = terms.crbegin(); term != terms.crend(); ++term)
            search.statement += termCondition(*term);
    } else if (op == QLatin1String("precise")) {
        search.statement += QStringLiteral(" AND [Game] LIKE '") + text + u'\'';
    } else if (op == QLatin1String("starts with")) {
        search.statement += QStringLiteral(" AND [Game] LIKE '") + text + QStringLiteral("%'");
    } else if (op == QLatin1String("ends with")) {
        search.statement += QStringLiteral(" AND [Game] LIKE '%") + text + u'\'';
    }

    search.statement += groupClause(criteria.groupText) + diskClause(criteria.diskText) +
                        availabilityClause(criteria.availability) +
                        orderClause(criteria.sortCaption, criteria.descending);
    return search;
}
