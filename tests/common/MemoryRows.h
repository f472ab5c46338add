#pragma once

#include "core/catalogue/RowStream.h"

#include <QList>
#include <QStringList>
#include <QVariant>

#include <sqlite3.h>

// Rows given in the test, served by a running statement as a catalogue serves them: an
// in-memory database selects them back in order ("SELECT 1 AS Nummer, ... UNION ALL ...").
class MemoryRows {
public:
    MemoryRows() { sqlite3_open(":memory:", &m_db); }
    ~MemoryRows() { sqlite3_close(m_db); }
    MemoryRows(const MemoryRows&) = delete;
    MemoryRows& operator=(const MemoryRows&) = delete;

    RowStream stream(const QStringList& columns, const QList<QVariantList>& rows) const {
        QStringList selects;
        for (const QVariantList& row : rows) {
            QStringList fields;
            for (qsizetype c = 0; c < columns.size(); ++c)
                fields << literal(row.value(c)) + QStringLiteral(" AS [%1]").arg(columns[c]);
            selects << QStringLiteral("SELECT ") + fields.join(QStringLiteral(", "));
        }
        return RowStream(m_db, selects.join(QStringLiteral(" UNION ALL ")));
    }

private:
    static QString literal(const QVariant& value) {
        if (value.isNull())
            return QStringLiteral("NULL");
        if (value.typeId() == QMetaType::QString)
            return u'\'' + value.toString().replace(u'\'', QStringLiteral("''")) + u'\'';
        return value.toString();
    }

    sqlite3* m_db = nullptr;
};
