#pragma once

#include "core/disks/DiskImage.h"

#include <QByteArray>
#include <QString>

// Reads a disk image of any format collectors use, by its content first and its name only for
// raw .st: .st, .msa, .dim, .stx, and any of them inside a .zip. The sectors are then held
// against the boot sector's own parameters. `name` is the file's name, for its extension.
DiskImage readDiskImage(const QString& name, const QByteArray& file);

// The same on a file; a file that cannot be read is a reason too.
DiskImage readDiskImageFile(const QString& path);

// The largest file or archive member read: far above any floppy, so that a hostile archive
// cannot make the reader take all memory.
inline constexpr qint64 kMaxImageBytes = 8 * 1024 * 1024;
