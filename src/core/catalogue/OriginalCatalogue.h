#pragma once

#include <QString>

// The user's original catalogue, the Jet ".mdb" file a working catalogue is imported from.
QString originalCatalogueFileName();

// The original in a folder: as named, or else a file whose name differs only in case, as
// files copied from Windows often do ("... V1.MDB" is the same file there). Empty when none.
QString findOriginalCatalogue(const QString& folder);
