#include "core/search/OperatorHelp.h"

QString operatorHelpText(const QString& operatorText) {
    if (operatorText == QLatin1String("contains")) {
        // The runs of spaces lay the entries out in columns of the help panel.
        const std::pair<int, const char*> pieces[] = {
            {2, "term = match all occurence term"},
            {5, "#term = match incomplete term"},
            {10, "*term = match complete term"},
            {8, "+term = exclude term"},
            {20, "+#term = exclude incomplete term"},
            {6, "+*term = exclude complete term"},
            {65, "term~term = phrase"},
        };
        QString text;
        for (const auto& [spaces, piece] : pieces)
            text += QString(spaces, u' ') + QLatin1String(piece);
        return text;
    }
    return QStringLiteral("\r\n") + QString(24, u' ') +
           QStringLiteral("No special characters are available for conducting advanced search "
                          "queries.");
}
