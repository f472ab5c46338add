#pragma once

#include "core/search/Listing.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <initializer_list>
#include <vector>

// The lines of the result list, kept compactly: the three column texts of every line in one
// UTF-8 buffer, and per line where they lie and its icon. A million lines cost what their
// texts weigh plus a few bytes each, instead of three strings apiece; texts are decoded when
// shown.
class ListedRows {
public:
    ListedRows() = default;
    ListedRows(std::initializer_list<ListedRow> rows);

    qsizetype size() const { return qsizetype(m_lines.size()); }
    bool empty() const { return m_lines.empty(); }

    void append(const ListedRowView& view);
    void append(const ListedRow& row);
    void clear();
    void remove(qsizetype line);

    QByteArrayView utf8(qsizetype line, int column) const;
    QString text(qsizetype line, int column) const;
    int icon(qsizetype line) const { return m_lines[size_t(line)].icon; }
    ListedRow row(qsizetype line) const;

    // The order in which to show the lines sorted by one column's text (the catalogue's text
    // order; equal texts keep their order): the line indexes, first to last. Empty when the
    // lines are in that order already, as they usually arrive from the catalogue.
    std::vector<qsizetype> sortedOrder(int column, bool descending) const;
    // Puts the lines in `order` (a permutation from sortedOrder()).
    void reorder(const std::vector<qsizetype>& order);

private:
    struct Line {
        qsizetype start; // of the first column's text in m_texts
        quint32 length[3];
        qint8 icon;
    };
    int compare(qsizetype a, qsizetype b, int column) const;

    QByteArray m_texts;
    std::vector<Line> m_lines;
};
