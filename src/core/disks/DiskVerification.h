#pragma once

#include "core/disks/DiskCheck.h"

#include <QString>

#include <functional>

class Catalogue;

// Which disks to verify: those of the entries whose group contains `group`, the disk of entry
// `entry`, or (both empty) every disk of the catalogue.
struct VerifyScope {
    QString group;
    QString entry;
};

// How a verification went, disk by disk.
struct VerifyCounts {
    qlonglong disks = 0;
    qlonglong good = 0;
    qlonglong damaged = 0;
    qlonglong notImages = 0;
    qlonglong unsupported = 0;
    qlonglong missing = 0;
    qlonglong read = 0; // images read anew; the others had not changed since the last run
    bool cancelled = false;

    // "120 disks verified: 100 good, 5 damaged, 2 not disk images, 1 unsupported, 12 missing"
    QString text() const;
};

// Called after each disk with how many are done of how many; false stops the walk (what was
// verified so far stays stored).
using VerifyObserver = std::function<bool(const DiskCheck& check, qlonglong done, qlonglong total)>;

// Verifies the images of the disks in `scope` below `root`, found as the audit finds them.
// An image is read again only when its size or time changed since it was last verified; each
// disk's check and its files are stored in the catalogue's own tables (DiskCheckStore). The
// availability codes are never changed. Throws a Refusal when the scope holds no disk, and
// CatalogueError when the catalogue cannot be written (before the walk, or at the first
// write that fails; batches committed before stay).
VerifyCounts verifyDisks(Catalogue& catalogue, const QString& root, const VerifyScope& scope,
                         const VerifyObserver& observer = {});
