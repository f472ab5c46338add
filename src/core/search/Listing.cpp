#include "core/search/Listing.h"

#include "core/catalogue/JetText.h"
#include "core/catalogue/ResultSet.h"

#include <algorithm>
#include <numeric>

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

std::vector<ListedRow> listedRows(ResultSet& results, const QStringList& captions,
                                  const std::function<bool(const ResultSet&)>& keep) {
    // Field positions are looked up once; the captions cannot change during a listing.
    int fields[3];
    for (int c = 0; c < 3; ++c)
        fields[c] = c < captions.size() ? results.columnIndex(captions[c]) : -1;
    const int gotField = results.columnIndex(u"got");

    auto text = [&](int field) {
        return field < 0 ? QString() : results.row(results.position())[size_t(field)].toString();
    };

    std::vector<ListedRow> rows;
    rows.reserve(size_t(results.rowCount()));
    int icon = NoIcon;
    for (results.moveFirst(); !results.atEnd(); results.moveNext()) {
        if (gotField >= 0)
            icon = iconForGot(results.row(results.position())[size_t(gotField)], icon);
        if (keep && !keep(results))
            continue;
        rows.push_back({text(fields[0]), text(fields[1]), text(fields[2]), icon});
    }
    return rows;
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

const QString& columnText(const ListedRow& row, int column) {
    return column == 0 ? row.text : column == 1 ? row.sub1 : row.sub2;
}

std::vector<int> sortedOrder(const std::vector<ListedRow>& rows, int column, bool descending) {
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int cmp = compareJetText(columnText(rows[size_t(a)], column),
                                       columnText(rows[size_t(b)], column));
        return descending ? cmp > 0 : cmp < 0;
    });
    return order;
}
