#pragma once

#include "core/disks/DiskCheck.h"
#include "core/disks/DiskDirectory.h"

#include <optional>
#include <vector>

class Catalogue;

// The catalogue's tables of verified images, which belong to this program alone: ImageChecks
// (one row a disk) and ImageFiles (the files of each disk). Made on first use; the catalogue's
// own tables are never touched.
class DiskCheckStore {
public:
    explicit DiskCheckStore(Catalogue& catalogue);

    // The tables made when missing; throws CatalogueError.
    void create();
    // What was stored for `disk`, if anything.
    std::optional<DiskCheck> load(qlonglong disk);
    // Stores a disk's check and its files in place of what was there; throws CatalogueError.
    void save(const DiskCheck& check, const std::vector<DiskDirectoryEntry>& files);
    // Which image of a reference set `disk` matched ("" for none); throws CatalogueError.
    void saveReference(qlonglong disk, const QString& reference);
    // The stored files of `disk`, in directory order.
    std::vector<DiskDirectoryEntry> files(qlonglong disk);
    // Every stored check, by disk.
    std::vector<DiskCheck> all();
    // Every stored file with the disk it lies on.
    struct StoredFile {
        qlonglong disk;
        DiskDirectoryEntry entry;
    };
    std::vector<StoredFile> allFiles();

    void begin();
    void commit();
    void rollback();

private:
    bool hasTables();

    Catalogue& m_catalogue;
    bool m_hasTables = false;
};
