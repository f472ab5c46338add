#pragma once

#include "common/TestFolder.h"

#include "core/catalogue/Catalogue.h"

#include <QList>

#include <algorithm>

// The fixture catalogue on a throw-away folder that built statements run against, with the
// fields of the returned rows picked out for comparison.
struct SearchCatalogue {
    TestFolder folder;
    Catalogue catalogue;

    SearchCatalogue() {
        folder.createCatalogue();
        catalogue.open(folder.cataloguePath());
    }

    QStringList texts(const QString& statement, QStringView field) {
        ResultSet& rows = catalogue.query(statement);
        const int column = rows.columnIndex(field);
        QStringList found;
        for (qsizetype row = 0; row < rows.rowCount(); ++row)
            found << rows.row(row)[size_t(column)].toString();
        return found;
    }

    // The entry numbers of the rows, in the order the catalogue returns them.
    QList<int> numbers(const QString& statement) {
        QList<int> found;
        for (const QString& number : texts(statement, u"Nummer"))
            found << number.toInt();
        return found;
    }

    // The same, smallest first, for searches whose order does not matter.
    QList<int> numberSet(const QString& statement) {
        QList<int> found = numbers(statement);
        std::sort(found.begin(), found.end());
        return found;
    }
};

// The start every listing statement shares.
inline const QString kJoin =
    QStringLiteral("SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID = Dnames.F_ID");
