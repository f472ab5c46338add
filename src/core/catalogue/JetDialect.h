#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>

// What the translation needs to know of the tables: which table owns each column, and which
// columns hold text.
struct JetSchema {
    // Column name in lower case -> owning table; a column found in several tables maps to
    // the empty text.
    QHash<QString, QString> columnTable;
    QSet<QString> textColumns; // in lower case

    // `declaredType` as the table declares it; a type without "INT" may hold text.
    void addColumn(const QString& table, const QString& column,
                   const QString& declaredType = QStringLiteral("TEXT"));
    bool hasColumn(QStringView column) const;
    bool isText(QStringView column) const;
    QString tableOf(QStringView column) const;
};

// Turns a statement of the catalogue's dialect into one the engine runs with the same
// meaning: "a & b" becomes jetcat(a, b); a bare column name the engine reserves ("Group")
// is bracketed; "UPDATE A,B SET col = v WHERE ..." becomes "UPDATE <owner of col> SET
// col = v FROM <other> WHERE ...". Text is ordered by the catalogue's own order: each text
// column of an ORDER BY gets the registered collation, which the file itself never declares.
// "col LIKE 'prefix...'" on a text column also gets a range of the prefix that SQLite can
// answer from a NOCASE index (the registered like() still decides each row, so the range only
// needs to hold every row that can match). Text inside string literals is never touched; a
// statement that needs none of this comes back unchanged.
//
// `wanted`, when given, names the only fields the caller reads: a "SELECT * FROM" then selects
// just those that exist, so the engine carries and sorts less. A field that several tables
// share leaves the statement as it is.
QString translateJet(QStringView jet, const JetSchema& schema, const QStringList& wanted = {});
