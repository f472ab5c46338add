#pragma once

#include "core/disks/DiskCheck.h"
#include "core/disks/DiskDirectory.h"

#include <optional>
#include <vector>

class Catalogue;

// A file found on a verified disk.
struct FileOnDisk {
    qlonglong disk = 0;
    QString image; // the disk's image file
    DiskDirectoryEntry file;
};

// The files on the verified disks whose name (the last part of their path) matches `pattern`
// by the name search's LIKE rules, by disk. Throws a Refusal for a malformed pattern.
std::vector<FileOnDisk> findFilesOnDisks(Catalogue& catalogue, const QString& pattern);

// The verified disks whose sectors are identical, in groups of two or more, by SHA-1.
std::vector<std::vector<DiskCheck>> identicalDisks(Catalogue& catalogue);

// What the last verification stored of an entry's disk: its check and its files; none when
// the entry is unknown or its disk was never verified.
struct VerifiedDisk {
    DiskCheck check;
    std::vector<DiskDirectoryEntry> files;

    // One line for the user: "AUTO012.st: good, ST 2 sides x 80 tracks x 9 sectors, 4 files"
    // and the reference set's image it matched.
    QString summary() const;
};
std::optional<VerifiedDisk> verifiedDiskOfEntry(Catalogue& catalogue, const QString& nummer);
