#pragma once

#include "core/disks/DiskCheck.h"

#include <QString>

#include <vector>

class Catalogue;

// One image of a reference set, as a Logiqx XML DAT file lists it.
struct ReferenceRom {
    QString game; // the <game> (or <machine>) it belongs to
    QString name;
    qint64 size = -1;
    QString crc32; // lower case; "" when the DAT gives none
    QString sha1;
};

// A preservation set's list of images (a Logiqx XML DAT file).
struct ReferenceSet {
    QString name; // from its header
    std::vector<ReferenceRom> roms;

    // Throws FileError naming the file, and the line where the XML breaks.
    static ReferenceSet read(const QString& path);
};

struct ReferenceMatches {
    std::vector<std::pair<DiskCheck, ReferenceRom>> matched; // by disk
    std::vector<ReferenceRom> unmatched;                     // in the set, on no disk
};

// Holds every verified good disk against the set: by SHA-1 where the set gives one, else by
// CRC32. Each disk's match (its game and image name, or none) is stored with its check, for
// the window to show. Throws CatalogueError when that cannot be written.
ReferenceMatches matchReferenceSet(Catalogue& catalogue, const ReferenceSet& set);
