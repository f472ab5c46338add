#pragma once

#include <QByteArray>
#include <QString>

// The checksums of a disk's decoded sectors, so that every format of one disk gives the same.
struct DiskChecksums {
    QString crc32; // eight lower-case hex digits, as DAT files write them
    QString sha1;  // forty lower-case hex digits

    static DiskChecksums of(const QByteArray& sectors);
};
