#include "core/export/ExportText.h"

QString listLine(const ListedRow& row) {
    return row.text + kListColumnSeparator + row.sub1;
}

QString listText(const ListedRows& rows) {
    QString text;
    for (qsizetype i = 0; i < rows.size(); ++i)
        text += listLine(rows.row(i)) + kLineEnd;
    return text;
}

QString saveFailedText(const QString& path, const QString& reason) {
    return QStringLiteral("The results could not be saved to \"%1\": %2").arg(path, reason);
}
