#pragma once

#include "core/catalogue/MdbImport.h"

#include <QString>

// A catalogue imported from an original ".mdb", in place of the working one when there is one.
struct CatalogueReplacement {
    MdbImportCounts counts;
    QString backup; // where the catalogue it replaced is kept; "" when there was none
};

// Imports `mdbPath` into `cataloguePath`. A catalogue already there is first copied beside
// itself as "<catalogue>.YYYY-MM-DD-HHMMSS.bak" (never over an earlier copy), and is replaced
// only once the new one is complete; when the import fails the copy goes again and the
// catalogue stays as it was. Throws CatalogueError with the reason, for the window and the
// terminal alike.
CatalogueReplacement replaceCatalogue(const QString& mdbPath, const QString& cataloguePath,
                                      const MdbImportProgress& progress = {});

// "The previous catalogue is kept as:\n<backup>"
QString keptCatalogueText(const QString& backup);

// The question before the window replaces the catalogue in use with an import of `mdbPath`.
QString replaceCatalogueQuestion(const QString& mdbPath, const QString& cataloguePath);
// The offer at start-up when the original lies beside the demo catalogue.
QString importOfferText(const QString& mdbPath);
