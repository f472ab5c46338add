#include "core/search/GroupBrowse.h"

#include "core/catalogue/ResultSet.h"
#include "core/catalogue/RowStream.h"
#include "core/catalogue/SqlText.h"

QString groupBrowseStatement(const QString& group) {
    return QStringLiteral("SELECT * FROM Compilations WHERE") + QStringLiteral(" nummer < 100000") +
           QStringLiteral(" AND [Group] LIKE '") + quoteDoubled(group) + QStringLiteral("%'") +
           QStringLiteral(" ORDER by Group");
}

QStringList diskBoxEntries(ResultSet& rows) {
    QStringList entries{QStringLiteral("All")};
    const int field = rows.columnIndex(u"Group");
    QString previous;
    for (rows.moveFirst(); field >= 0 && !rows.atEnd(); rows.moveNext()) {
        const QVariant title = rows.row(rows.position())[size_t(field)];
        if (title.isNull())
            continue;
        if (title.toString() != previous)
            entries << title.toString();
        previous = title.toString();
    }
    return entries;
}

QString compressorStatement(const SearchCriteria& criteria) {
    return QStringLiteral("SELECT * FROM Compilations,Dnames WHERE") +
           QStringLiteral(" Compilations.F_ID = Dnames.F_ID") + groupClause(criteria.groupText) +
           availabilityClause(criteria.availability) + QStringLiteral(" ORDER by Group");
}

bool FirstOfEachDisk::operator()(const RowStream& rows) {
    if (m_field == -2)
        m_field = rows.columnIndex(u"Group");
    if (m_field < 0 || rows.isNull(m_field))
        return false;
    const QByteArrayView title = rows.utf8(m_field);
    const bool first = title != m_previous;
    if (first)
        m_previous = title.toByteArray();
    return first;
}
