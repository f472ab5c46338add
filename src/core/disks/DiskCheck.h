#pragma once

#include "core/disks/DiskImage.h"

#include <QString>

// What verifying one disk's image found. Kept in the catalogue's table ImageChecks, beside
// and never instead of the disk's availability code.
struct DiskCheck {
    qlonglong disk = 0; // Dnames.F_ID
    QString path; // the image as found on the drive; as the catalogue composes it when missing
    bool missing = false;
    QString format;
    DiskImage::State state = DiskImage::State::NotAnImage;
    QString reason;
    DiskGeometry geometry;
    QString crc32;
    QString sha1;
    qint64 size = 0;     // of the file, with its time, to see whether it changed since
    qint64 modified = 0; // milliseconds since the epoch, UTC
    int files = 0;       // files and folders on the disk
    QString reference;   // "<game>/<image>" of the reference set it matched last; "" for none

    // "missing", or the state ("good", "damaged: <reason>", ...)
    QString stateText() const;
};
