#include "core/search/AlphaSearch.h"

#include <QStringList>

void checkAlphaSearchAllowed(const SearchCriteria& criteria) {
    if (criteria.groupText == QLatin1String("ALL") && criteria.letterText == QLatin1String("-"))
        throw searchRefusal(
            QStringLiteral("You must specify a letter/number if searching all groups"));
}

QStringList letterBoxEntries() {
    QStringList entries{QStringLiteral("-"), QStringLiteral("0-9")};
    for (char letter = 'a'; letter <= 'z'; ++letter)
        entries << QString(QLatin1Char(letter));
    return entries;
}

QString buildAlphaSearch(const SearchCriteria& criteria) {
    if (diskClausePartCount(criteria.diskText) > kMaxTerms)
        throw searchRefusal(
            QStringLiteral("A search can have at most %1 disk parts (separated by \"#\").")
                .arg(kMaxTerms));
    QString statement = QStringLiteral("SELECT * FROM Compilations,Dnames WHERE") +
                        QStringLiteral(" Compilations.F_ID = Dnames.F_ID") +
                        groupClause(criteria.groupText, QStringLiteral("[group]")) +
                        diskClause(criteria.diskText);
    const QString& letter = criteria.letterText;
    if (letter == QLatin1String("0-9")) {
        statement += QStringLiteral(" AND ([game] LIKE '0%'");
        for (int digit = 1; digit <= 8; ++digit)
            statement += QStringLiteral(" OR [game] LIKE '%1%'").arg(digit);
        statement += QStringLiteral(" OR [game] LIKE '9%')");
    } else if (letter != QLatin1String("-")) {
        // The letter box holds no quote, so the text goes in as it is.
        statement += QStringLiteral(" AND [game] LIKE '") + letter + QStringLiteral("%'");
    }
    return statement + availabilityClause(criteria.availability) +
           orderClause(criteria.sortCaption, criteria.descending);
}
