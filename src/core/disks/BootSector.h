#pragma once

#include "core/disks/DiskImage.h"

#include <QByteArray>
#include <optional>

// The disk parameters a TOS boot sector declares (its BIOS parameter block).
struct BootSector {
    int bytesPerSector = 0;
    int sectorsPerCluster = 0;
    int reservedSectors = 0;
    int fatCount = 0;
    int rootEntries = 0;
    int totalSectors = 0;
    int mediaByte = 0;
    int sectorsPerFat = 0;
    int sectorsPerTrack = 0;
    int sides = 0;

    // The parameters of the first sector, when they describe a floppy TOS could read;
    // none for a disk that boots its own loader without a file system.
    static std::optional<BootSector> read(const QByteArray& sectors);

    int rootSector() const { return reservedSectors + fatCount * sectorsPerFat; }
    int dataSector() const {
        return rootSector() + (rootEntries * 32 + kSectorSize - 1) / kSectorSize;
    }
};

// Where the boot sector and the sectors held disagree, in words ("boot sector says 10 sectors
// per track but the file holds 9"); "" when they agree.
QString bootSectorDisagreement(const BootSector& boot, const DiskGeometry& held,
                               qint64 sectorsHeld);
