#pragma once

#include "core/catalogue/Catalogue.h"
#include "common/TestFolder.h"

#include <QString>
#include <QStringList>

// A small catalogue for the edit dialogs, built fresh and opened for each test.
//
// Disks (Dnames: F_ID, got, folder, filename, filenumber, fileexten) and their titles:
//   1  Adrenalin 1        available            5  Automation 12      another group
//   2  Adrenalin 7        the group's greatest 6  Deep Thought's 4   apostrophe, two entries
//   3  Adrenalin 3        undumped             7, 8  Zapped 1, 2     every disk undumped
//   4  Adrenalin UK 2     shares the prefix    9  Medway Boys 9      Null file number
//  10  Public Enemy’s 5   typographic quote   11  Best Of Adrenalin 1  the name inside
struct EditCatalogue {
    TestFolder folder;
    Catalogue catalogue;

    EditCatalogue() {
        folder.createCatalogue(QStringLiteral(
            "INSERT INTO Dnames VALUES (1, 1, 'Adrenalin', 'ADR', '1', 'st'),"
            " (2, 0, 'Adren', 'ADRN', '7', 'msa'), (3, 2, 'Adrenalin', 'ADR', '3', 'st'),"
            " (4, 0, 'UK', 'AUK', '2', 'st'), (5, 1, 'Automation', 'AUTO', '12', 'msa'),"
            " (6, 0, 'Deep', 'DT', '4', 'msa'), (7, 2, 'Zap', 'ZAP', '1', 'st'),"
            " (8, 2, 'Zap', 'ZAP', '2', 'st'), (9, 1, 'Medway', 'MB', NULL, 'st'),"
            " (10, 0, 'Public', 'PE', '5', 'st'), (11, 0, 'Best', 'BEST', '1', 'st');"
            "INSERT INTO Compilations VALUES (1, 'Adrenalin 1', 'Alpha Run', 0, 1),"
            " (2, 'Adrenalin 1', 'Beta Bash', 0, 1), (3, 'Adrenalin 7', 'Gamma Grid', 0, 2),"
            " (4, 'Adrenalin 3', 'Delta Dash', 0, 3), (5, 'Adrenalin UK 2', 'Epsilon', 0, 4),"
            " (6, 'Automation 12', 'Zeta Zone', 0, 5),"
            " (7, 'Deep Thought''s 4', 'Eta Escape', 0, 6),"
            " (8, 'Deep Thought''s 4', 'Theta Thrust', 0, 6), (9, 'Zapped 1', 'Iota', 0, 7),"
            " (10, 'Zapped 2', 'Kappa', 0, 8), (11, 'Medway Boys 9', 'Lambda Lair', 0, 9),"
            " (12, 'Public Enemy’s 5', 'Mu Maze', 0, 10),"
            " (13, 'Best Of Adrenalin 1', 'Nu', 0, 11);"));
        catalogue.open(folder.cataloguePath());
    }

    // A disk's folder, stem, number, extension and code, "Null" for a Null field.
    QString disk(int fId) {
        const ResultSet& rows = catalogue.query(
            QStringLiteral("SELECT folder, filename, filenumber, fileexten, got FROM Dnames "
                           "WHERE F_ID = %1")
                .arg(fId));
        QStringList fields;
        for (const QVariant& value : rows.row(0))
            fields << (value.isNull() ? QStringLiteral("Null") : value.toString());
        return fields.join(u'|');
    }

    // Every disk, in F_ID order.
    QStringList disks() {
        QStringList all;
        for (int fId = 1; fId <= 11; ++fId)
            all << disk(fId);
        return all;
    }
};
