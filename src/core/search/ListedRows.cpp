#include "core/search/ListedRows.h"

#include "core/catalogue/JetText.h"

#include <algorithm>
#include <numeric>

ListedRows::ListedRows(std::initializer_list<ListedRow> rows) {
    for (const ListedRow& row : rows)
        append(row);
}

void ListedRows::append(const ListedRowView& view) {
    Line line{m_texts.size(), {}, qint8(view.icon)};
    for (int c = 0; c < 3; ++c) {
        line.length[c] = quint32(view.columns[c].size());
        m_texts.append(view.columns[c]);
    }
    m_lines.push_back(line);
}

void ListedRows::append(const ListedRow& row) {
    const QByteArray texts[3] = {row.text.toUtf8(), row.sub1.toUtf8(), row.sub2.toUtf8()};
    append(ListedRowView{{texts[0], texts[1], texts[2]}, row.icon});
}

void ListedRows::clear() {
    m_texts.clear();
    m_lines.clear();
}

void ListedRows::remove(qsizetype line) {
    // The texts stay in the buffer; a removal is rare and the list is rebuilt by each listing.
    m_lines.erase(m_lines.begin() + line);
}

QByteArrayView ListedRows::utf8(qsizetype line, int column) const {
    const Line& l = m_lines[size_t(line)];
    qsizetype at = l.start;
    for (int c = 0; c < column; ++c)
        at += l.length[c];
    return QByteArrayView(m_texts.constData() + at, l.length[column]);
}

QString ListedRows::text(qsizetype line, int column) const {
    return QString::fromUtf8(utf8(line, column));
}

ListedRow ListedRows::row(qsizetype line) const {
    return {text(line, 0), text(line, 1), text(line, 2), icon(line)};
}

int ListedRows::compare(qsizetype a, qsizetype b, int column) const {
    const QByteArrayView x = utf8(a, column);
    const QByteArrayView y = utf8(b, column);
    return compareJetTextUtf8(x.data(), int(x.size()), y.data(), int(y.size()));
}

std::vector<qsizetype> ListedRows::sortedOrder(int column, bool descending) const {
    auto before = [&](qsizetype a, qsizetype b) {
        const int cmp = compare(a, b, column);
        return descending ? cmp > 0 : cmp < 0;
    };
    // One pass settles the usual case: the statement ordered the lines already.
    bool inOrder = true;
    for (qsizetype i = 1; i < size() && inOrder; ++i)
        inOrder = !before(i, i - 1);
    if (inOrder)
        return {};
    std::vector<qsizetype> order(m_lines.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), before);
    return order;
}

void ListedRows::reorder(const std::vector<qsizetype>& order) {
    std::vector<Line> lines;
    lines.reserve(order.size());
    for (qsizetype from : order)
        lines.push_back(m_lines[size_t(from)]);
    m_lines = std::move(lines);
}
