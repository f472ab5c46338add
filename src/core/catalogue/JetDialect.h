#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

// What the translation needs to know of the tables: which table owns each column.
struct JetSchema {
    // Column name in lower case -> owning table; a column found in several tables maps to
    // the empty text.
    QHash<QString, QString> columnTable;

    void addColumn(const QString& table, const QString& column);
    bool hasColumn(QStringView column) const;
    QString tableOf(QStringView column) const;
};

// Turns a statement of the catalogue's dialect into one the engine runs with the same
// meaning: "a & b" becomes jetcat(a, b); a bare column name the engine reserves ("Group")
// is bracketed; "UPDATE A,B SET col = v WHERE ..." becomes "UPDATE <owner of col> SET
// col = v FROM <other> WHERE ...". Text inside string literals is never touched; a statement
// that needs none of this comes back unchanged.
QString translateJet(QStringView jet, const JetSchema& schema);
