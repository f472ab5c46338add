#include "core/export/ExportText.h"

QString listLine(const ListedRow& row) {
    return row.text + QStringLiteral(" -- ") + row.sub1;
}

QString listText(const std::vector<ListedRow>& rows) {
    QString text;
    for (const ListedRow& row : rows)
        text += listLine(row) + kLineEnd;
    return text;
}

QString saveFailedText(const QString& path, const QString& reason) {
    return QStringLiteral("The results could not be saved to \"%1\": %2").arg(path, reason);
}
