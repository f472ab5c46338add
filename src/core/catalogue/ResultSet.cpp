#include "core/catalogue/ResultSet.h"

#include "core/Failures.h"

ResultSet::ResultSet(QStringList columns, std::vector<Row> rows)
    : m_columns(std::move(columns)), m_rows(std::move(rows)) {}

int ResultSet::columnIndex(QStringView name) const {
    for (int i = 0; i < m_columns.size(); ++i) {
        if (QStringView(m_columns[i]).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void ResultSet::moveNext() {
    if (!atEnd())
        ++m_position;
}

QVariant ResultSet::field(QStringView name) const {
    if (atEnd())
        throw CatalogueError(QStringLiteral("There is no current row."));
    const int index = columnIndex(name);
    if (index < 0)
        throw CatalogueError(
            QStringLiteral("The result has no field named %1.").arg(name.toString()));
    return m_rows[size_t(m_position)][size_t(index)];
}
