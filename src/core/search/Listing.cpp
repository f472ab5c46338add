#include "core/search/Listing.h"

#include "core/catalogue/RowStream.h"

int iconForGot(const QVariant& got, int previousIcon) {
    if (got.isNull())
        return previousIcon;
    bool ok = false;
    const qlonglong code = got.toLongLong(&ok);
    if (!ok)
        return previousIcon;
    switch (code) {
    case 1:
        return AvailableIcon;
    case 0:
        return UnavailableIcon;
    case 2:
        return UndumpedIcon;
    default:
        return previousIcon;
    }
}

qsizetype listRows(RowStream& rows, const QStringList& captions, const RowSink& sink,
                   const KeepRow& keep) {
    // Field positions are looked up once; the captions cannot change during a listing.
    int fields[3];
    for (int c = 0; c < 3; ++c)
        fields[c] = c < captions.size() ? rows.columnIndex(captions[c]) : -1;
    const int gotField = rows.columnIndex(u"got");

    qsizetype count = 0;
    int icon = NoIcon;
    while (rows.next()) {
        if (gotField >= 0)
            icon = iconForGot(rows.value(gotField), icon);
        if (keep && !keep(rows))
            continue;
        ListedRowView line;
        for (int c = 0; c < 3; ++c) {
            if (fields[c] >= 0)
                line.columns[c] = rows.utf8(fields[c]);
        }
        line.icon = icon;
        sink(line);
        ++count;
    }
    return count;
}

QString secondsText(quint32 milliseconds, const QLocale& locale) {
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(milliseconds / 1000.0, 'g', 12);
}

QString foundInText(quint32 milliseconds, const QLocale& locale) {
    return QStringLiteral(" found in: ") + secondsText(milliseconds, locale) +
           QStringLiteral(" secs");
}

QString resultCountText(qsizetype count) {
    return QStringLiteral("  ") + QString::number(count) + QStringLiteral(" results");
}
