#pragma once

#include <QStringList>
#include <QVariant>

#include <vector>

// The rows of one query, held in memory, with a cursor. Field names are matched without
// regard to case; when two columns share a name (the two F_ID of a join) the first wins.
// A Null field is a null QVariant.
class ResultSet {
public:
    using Row = std::vector<QVariant>;

    ResultSet() = default;
    ResultSet(QStringList columns, std::vector<Row> rows);

    const QStringList& columns() const { return m_columns; }
    int columnIndex(QStringView name) const; // -1 when there is no such field
    qsizetype rowCount() const { return qsizetype(m_rows.size()); }
    const Row& row(qsizetype index) const { return m_rows[size_t(index)]; }

    // Cursor: starts on the first row; atEnd() once it has passed the last one.
    void moveFirst() { m_position = 0; }
    void moveNext();
    bool atEnd() const { return m_position >= rowCount(); }
    qsizetype position() const { return m_position; }

    // The current row's field; throws CatalogueError at the end or for an unknown field.
    QVariant field(QStringView name) const;

private:
    QStringList m_columns;
    std::vector<Row> m_rows;
    qsizetype m_position = 0;
};
