#pragma once

#include "core/disks/DiskImage.h"

// The readers of the container formats, each on a file's whole content. They check only
// their own container; readDiskImage() then holds the sectors against the boot sector.

// Raw sectors; the geometry comes from the boot sector, or from the size when it has none.
DiskImage readStImage(const QByteArray& file);
// Magic Shadow Archiver: a header, then each track of each side, stored or run-length packed.
DiskImage readMsaImage(const QByteArray& file);
// FastCopy: a 32-byte header, then raw sectors.
DiskImage readDimImage(const QByteArray& file);
// Pasti: recognised by its header, never read.
DiskImage readStxImage(const QByteArray& file);
