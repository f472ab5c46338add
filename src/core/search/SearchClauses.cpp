#include "core/search/SearchClauses.h"

#include "core/catalogue/SqlText.h"

#include <QStringList>

QString groupClause(const QString& groupBoxText, const QString& field) {
    if (groupBoxText == QLatin1String("ALL"))
        return QString();
    return QStringLiteral(" AND ") + field + QStringLiteral(" LIKE '") +
           quoteDoubled(groupBoxText) + QStringLiteral("%'");
}

int diskClausePartCount(const QString& diskBoxText) {
    if (diskBoxText == QLatin1String("All") || diskBoxText.isEmpty())
        return 0;
    return int(diskBoxText.count(u'#')) + 1;
}

QString diskClause(const QString& diskBoxText) {
    if (diskClausePartCount(diskBoxText) == 0)
        return QString();
    const QStringList parts = diskBoxText.split(u'#');
    QString clause;
    for (auto part = parts.crbegin(); part != parts.crend(); ++part)
        clause +=
            QStringLiteral(" AND [Group] LIKE '%") + quoteDoubled(*part) + QStringLiteral("%'");
    return clause;
}

QString availabilityClause(const AvailabilityFilter& filter) {
    QString clause;
    if (filter.excludeAvailable)
        clause += QStringLiteral(" AND Dnames.got <> 1");
    if (filter.excludeUnavailable)
        clause += QStringLiteral(" AND Dnames.got <> 0");
    if (filter.excludeUndumped)
        clause += QStringLiteral(" AND Dnames.got <> 2");
    return clause;
}

QString orderClause(const QString& sortColumnCaption, bool descending) {
    QString clause = QStringLiteral(" ORDER by ") + sortColumnCaption;
    if (descending)
        clause += QStringLiteral(" DESC");
    return clause;
}
