#include "core/disks/DiskVerification.h"

#include "core/Failures.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/SqlText.h"
#include "core/disks/BootSector.h"
#include "core/disks/DiskCheckStore.h"
#include "core/disks/DiskChecksums.h"
#include "core/disks/DiskImageReader.h"
#include "core/images/ImageLocator.h"
#include "core/images/ImagePath.h"

#include <QFileInfo>

#include <map>

namespace {

// Commits now and then, so that a stop keeps most of the work without a commit per disk.
constexpr int kBatch = 200;

// The disks of the scope with their file fields, by F_ID: a disk shared by many entries is
// verified once.
std::map<qlonglong, DiskFiles> disksOf(Catalogue& catalogue, const VerifyScope& scope) {
    QString statement = QStringLiteral("SELECT * FROM Dnames");
    if (!scope.entry.isEmpty())
        statement = QStringLiteral("SELECT * FROM Compilations,Dnames WHERE "
                                   "Compilations.F_ID = Dnames.F_ID AND Nummer = %1")
                        .arg(scope.entry.toLongLong());
    else if (!scope.group.isEmpty())
        statement = QStringLiteral("SELECT * FROM Compilations,Dnames WHERE "
                                   "Compilations.F_ID = Dnames.F_ID AND "
                                   "compilations.[group] LIKE '%") +
                    quoteDoubled(scope.group) + QStringLiteral("%'");
    RowStream rows = catalogue.stream(statement);
    const int id = rows.requiredColumn(u"F_ID");
    const DiskFilesColumns fields(rows);
    std::map<qlonglong, DiskFiles> disks;
    while (rows.next())
        fields.read(rows, disks[rows.integer(id)]);
    return disks;
}

// Reads one image and what is on it.
DiskCheck readCheck(qlonglong disk, const QString& path, const QFileInfo& info,
                    std::vector<DiskDirectoryEntry>& files) {
    DiskCheck check;
    check.disk = disk;
    check.path = path;
    check.size = info.size();
    check.modified = info.lastModified().toMSecsSinceEpoch();
    const DiskImage image = readDiskImageFile(path);
    check.format = image.format;
    check.state = image.state;
    check.reason = image.reason;
    check.geometry = image.geometry;
    if (!image.good())
        return check;
    const DiskChecksums sums = DiskChecksums::of(image.sectors);
    check.crc32 = sums.crc32;
    check.sha1 = sums.sha1;
    if (const auto boot = BootSector::read(image.sectors))
        files = readDiskDirectory(image.sectors, *boot).entries;
    check.files = int(files.size());
    return check;
}

void count(VerifyCounts& counts, const DiskCheck& check) {
    ++counts.disks;
    if (check.missing) {
        ++counts.missing;
        return;
    }
    switch (check.state) {
    case DiskImage::State::Good:
        ++counts.good;
        break;
    case DiskImage::State::Damaged:
        ++counts.damaged;
        break;
    case DiskImage::State::NotAnImage:
        ++counts.notImages;
        break;
    case DiskImage::State::Unsupported:
        ++counts.unsupported;
        break;
    }
}

} // namespace

QString DiskCheck::stateText() const {
    if (missing)
        return QStringLiteral("missing");
    const QString state = ::stateText(this->state);
    return reason.isEmpty() ? state : state + QStringLiteral(": ") + reason;
}

QString VerifyCounts::text() const {
    return QStringLiteral("%1 disks verified: %2 good, %3 damaged, %4 not disk images, "
                          "%5 unsupported, %6 missing")
        .arg(disks)
        .arg(good)
        .arg(damaged)
        .arg(notImages)
        .arg(unsupported)
        .arg(missing);
}

VerifyCounts verifyDisks(Catalogue& catalogue, const QString& root, const VerifyScope& scope,
                         const VerifyObserver& observer) {
    const std::map<qlonglong, DiskFiles> disks = disksOf(catalogue, scope);
    if (disks.empty())
        throw Refusal{!scope.entry.isEmpty()
                          ? QStringLiteral("There is no entry number %1.").arg(scope.entry)
                          : QStringLiteral("There are no disks to verify.")};
    catalogue.checkWritable();
    DiskCheckStore store(catalogue);
    store.create();
    ImageLocator locator;
    VerifyCounts counts;
    store.begin();
    try {
        for (const auto& [disk, fields] : disks) {
            const QString composed = composeImagePath(root, fields);
            const QString found = locator.locate(composed);
            const QFileInfo info(found);
            const std::optional<DiskCheck> stored = store.load(disk);
            DiskCheck check;
            if (found.isEmpty()) {
                check.disk = disk;
                check.path = composed;
                check.missing = true;
                if (!stored || !stored->missing || stored->path != composed)
                    store.save(check, {});
            } else if (stored && !stored->missing && stored->path == found &&
                       stored->size == info.size() &&
                       stored->modified == info.lastModified().toMSecsSinceEpoch()) {
                check = *stored; // unchanged since it was last read
            } else {
                std::vector<DiskDirectoryEntry> files;
                check = readCheck(disk, found, info, files);
                store.save(check, files);
                ++counts.read;
            }
            count(counts, check);
            if (counts.disks % kBatch == 0) {
                store.commit();
                store.begin();
            }
            if (observer && !observer(check, counts.disks, qlonglong(disks.size()))) {
                counts.cancelled = true;
                break;
            }
        }
        store.commit();
    } catch (...) {
        store.rollback();
        throw;
    }
    return counts;
}
