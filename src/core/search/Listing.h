#pragma once

#include <QByteArrayView>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <vector>

class RowStream;

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

// A line on its way from the statement to the list: the three column texts as the catalogue
// holds them (UTF-8, valid during the call) and the icon.
struct ListedRowView {
    QByteArrayView columns[3];
    int icon = 0;
};
using RowSink = std::function<void(const ListedRowView&)>;
// Decides per row whether it becomes a line.
using KeepRow = std::function<bool(const RowStream&)>;

// Turns the rows of a running statement into list lines as they come, reading each column
// from the field named by its caption (a caption that names no field leaves that column
// empty; a Null field is empty) and handing each line to `sink`. `keep`, when given, decides
// per row whether it becomes a line; the icon is still carried over from every row. Returns
// the number of lines.
qsizetype listRows(RowStream& rows, const QStringList& captions, const RowSink& sink,
                   const KeepRow& keep = {});

// Seconds from milliseconds in the shortest general form: 0.031, 1.5, 2.
QString secondsText(quint32 milliseconds, const QLocale& locale = QLocale());

// " found in: 0.031 secs"
QString foundInText(quint32 milliseconds, const QLocale& locale = QLocale());

// "  12 results" (no singular form)
QString resultCountText(qsizetype count);
