// The disk image readers and the FAT12 directory on any file: never a crash, and a good image
// always holds the sectors its geometry declares. The first byte picks the name the file is
// read under, so that raw .st and the archive path are reached as well as the headed formats.
#include "core/disks/BootSector.h"
#include "core/disks/DiskChecksums.h"
#include "core/disks/DiskDirectory.h"
#include "core/disks/DiskImageReader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    static const char* const names[] = {"a.st", "a.msa", "a.dim", "a.zip"};
    const QByteArray file(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const DiskImage image = readDiskImage(QLatin1String(names[data[0] % 4]), file);
    if (image.good() && image.geometry.sectorCount() > 0 &&
        image.sectors.size() < image.geometry.sectorCount() * kSectorSize) {
        std::fprintf(stderr, "a good image holds fewer sectors than it declares\n");
        std::abort();
    }
    if (image.good() && image.reason.size() > 0) {
        std::fprintf(stderr, "a good image has a reason\n");
        std::abort();
    }
    DiskChecksums::of(image.sectors);
    // The directory is read from whatever sectors came, good or not, as a listing would.
    if (const auto boot = BootSector::read(image.sectors.isEmpty() ? file : image.sectors))
        readDiskDirectory(image.sectors.isEmpty() ? file : image.sectors, *boot);
    return 0;
}
