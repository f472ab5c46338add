#pragma once

#include "core/disks/DiskCheck.h"
#include "core/disks/DiskDirectory.h"

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
