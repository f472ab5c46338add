#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <vector>

class ResultSet;

// One line of the result list: the fields its three column captions name, and the icon
// (image 3, 4 or 5, or 0 for none) chosen from the disk's availability code.
struct ListedRow {
    QString text;
    QString sub1;
    QString sub2;
    int icon = 0;
};

// Row icons by availability code.
enum RowIcon { NoIcon = 0, AvailableIcon = 3, UnavailableIcon = 4, UndumpedIcon = 5 };

// The icon for a `got` value; any other value, Null included, keeps the previous row's.
int iconForGot(const QVariant& got, int previousIcon);

// Turns rows of a result set into list lines, reading each column from the field named by
// its caption (a caption that names no field leaves that column empty). `keep`, when given,
// decides per row whether it becomes a line; the icon is still carried over from every row.
std::vector<ListedRow> listedRows(ResultSet& results, const QStringList& captions,
                                  const std::function<bool(const ResultSet&)>& keep = {});

// The order in which to show rows sorted by one column's text (the catalogue's text order;
// equal texts keep their order): the row indexes, first to last.
std::vector<int> sortedOrder(const std::vector<ListedRow>& rows, int column, bool descending);

// The text of one of a row's three columns.
const QString& columnText(const ListedRow& row, int column);

// Seconds from milliseconds in the shortest general form: 0.031, 1.5, 2.
QString secondsText(quint32 milliseconds, const QLocale& locale = QLocale());

// " found in: 0.031 secs"
QString foundInText(quint32 milliseconds, const QLocale& locale = QLocale());

// "  12 results" (no singular form)
QString resultCountText(qsizetype count);
