#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

struct BootSector;

// A file or folder of a disk's FAT12 file system.
struct DiskDirectoryEntry {
    QString path; // from the root, folders joined with "\", as TOS writes them
    qint64 size = 0;
    QDateTime modified; // invalid when the entry's date is not a date
    bool folder = false;

    bool operator==(const DiskDirectoryEntry&) const = default;
};

struct DiskDirectory {
    std::vector<DiskDirectoryEntry>
        entries;     // in directory order, each folder followed by its contents
    QString problem; // why the listing stops short, "" when it is whole
};

// The directory tree of a disk's sectors, as its boot sector lays it out. A folder whose
// clusters leave the disk or loop is listed as far as it reads, with the problem said.
DiskDirectory readDiskDirectory(const QByteArray& sectors, const BootSector& boot);
