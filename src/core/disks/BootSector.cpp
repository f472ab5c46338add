#include "core/disks/BootSector.h"

#include <QtEndian>

namespace {

int word(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}
int byte(const QByteArray& bytes, int at) {
    return quint8(bytes[at]);
}

} // namespace

std::optional<BootSector> BootSector::read(const QByteArray& sectors) {
    if (sectors.size() < kSectorSize)
        return std::nullopt;
    BootSector boot;
    boot.bytesPerSector = word(sectors, 11);
    boot.sectorsPerCluster = byte(sectors, 13);
    boot.reservedSectors = word(sectors, 14);
    boot.fatCount = byte(sectors, 16);
    boot.rootEntries = word(sectors, 17);
    boot.totalSectors = word(sectors, 19);
    boot.mediaByte = byte(sectors, 21);
    boot.sectorsPerFat = word(sectors, 22);
    boot.sectorsPerTrack = word(sectors, 24);
    boot.sides = word(sectors, 26);
    // What a floppy of the ST can be: anything else is a loader's own data, not parameters.
    const bool plausible = boot.bytesPerSector == kSectorSize && boot.sectorsPerCluster >= 1 &&
                           boot.reservedSectors >= 1 && boot.fatCount >= 1 && boot.fatCount <= 2 &&
                           boot.rootEntries >= 16 && boot.totalSectors > boot.dataSector() &&
                           boot.sectorsPerFat >= 1 && boot.sectorsPerTrack >= 8 &&
                           boot.sectorsPerTrack <= 40 && boot.sides >= 1 && boot.sides <= 2;
    return plausible ? std::optional(boot) : std::nullopt;
}

QString bootSectorDisagreement(const BootSector& boot, const DiskGeometry& held,
                               qint64 sectorsHeld) {
    if (held.sectorsPerTrack && boot.sectorsPerTrack != held.sectorsPerTrack)
        return QStringLiteral("boot sector says %1 sectors per track but the file holds %2")
            .arg(boot.sectorsPerTrack)
            .arg(held.sectorsPerTrack);
    if (held.sides && boot.sides != held.sides)
        return QStringLiteral("boot sector says %1 sides but the file holds %2")
            .arg(boot.sides)
            .arg(held.sides);
    // More tracks than declared are common (82-track formats); fewer lose data.
    if (boot.totalSectors > sectorsHeld)
        return QStringLiteral("boot sector says %1 sectors but the file holds %2")
            .arg(boot.totalSectors)
            .arg(sectorsHeld);
    return QString();
}
