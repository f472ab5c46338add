#include "core/disks/DiskDirectory.h"

#include "core/disks/BootSector.h"

#include <QtEndian>

#include <set>

namespace {

constexpr int kEntrySize = 32;
constexpr int kMaxDepth = 16;

struct Walk {
    const QByteArray& sectors;
    const BootSector& boot;
    DiskDirectory directory;
    std::set<int> visited; // folder clusters, so that a loop ends

    // The FAT12 successor of `cluster` from the first FAT; -1 past the FAT.
    int next(int cluster) const {
        const qint64 at = qint64(boot.reservedSectors) * kSectorSize + cluster * 3 / 2;
        if (at + 1 >= qint64(boot.reservedSectors + boot.sectorsPerFat) * kSectorSize ||
            at + 1 >= sectors.size())
            return -1;
        const int pair = qFromLittleEndian<quint16>(sectors.constData() + at);
        return cluster % 2 ? pair >> 4 : pair & 0xFFF;
    }

    // A folder's bytes, cluster by cluster; "" and a problem when the chain goes astray.
    QByteArray chain(int cluster, const QString& folder) {
        QByteArray bytes;
        const qint64 clusterBytes = qint64(boot.sectorsPerCluster) * kSectorSize;
        while (cluster >= 2 && cluster < 0xFF0) {
            const qint64 at =
                (boot.dataSector() + qint64(cluster - 2) * boot.sectorsPerCluster) * kSectorSize;
            if (!visited.insert(cluster).second) {
                directory.problem = QStringLiteral("the clusters of %1 run in a loop").arg(folder);
                break;
            }
            if (at + clusterBytes > sectors.size()) {
                directory.problem = QStringLiteral("the clusters of %1 leave the disk").arg(folder);
                break;
            }
            bytes.append(sectors.constData() + at, clusterBytes);
            cluster = next(cluster);
        }
        return bytes;
    }

    void entries(const QByteArray& table, const QString& prefix, int depth) {
        for (qsizetype at = 0; at + kEntrySize <= table.size(); at += kEntrySize) {
            const char* entry = table.constData() + at;
            const auto first = quint8(entry[0]);
            if (first == 0)
                return; // the end of the folder
            const int attributes = quint8(entry[11]);
            if (first == 0xE5 || first == '.' || (attributes & 0x08))
                continue; // deleted, the folder itself or its parent, the volume label
            const QString base = QString::fromLatin1(entry, 8).trimmed();
            const QString extension = QString::fromLatin1(entry + 8, 3).trimmed();
            DiskDirectoryEntry file;
            file.path = prefix + base + (extension.isEmpty() ? QString() : u'.' + extension);
            file.size = qFromLittleEndian<quint32>(entry + 28);
            file.folder = attributes & 0x10;
            const int time = qFromLittleEndian<quint16>(entry + 22);
            const int date = qFromLittleEndian<quint16>(entry + 24);
            file.modified = QDateTime(QDate(1980 + (date >> 9), (date >> 5) & 15, date & 31),
                                      QTime((time >> 11), (time >> 5) & 63, (time & 31) * 2));
            const int cluster = qFromLittleEndian<quint16>(entry + 26);
            directory.entries.push_back(file);
            if (file.folder) {
                file.size = 0;
                directory.entries.back().size = 0;
                if (depth >= kMaxDepth) {
                    directory.problem = QStringLiteral("%1 lies too deep").arg(file.path);
                    continue;
                }
                entries(chain(cluster, file.path), file.path + u'\\', depth + 1);
            }
        }
    }
};

} // namespace

DiskDirectory readDiskDirectory(const QByteArray& sectors, const BootSector& boot) {
    Walk walk{sectors, boot, {}, {}};
    const qint64 root = qint64(boot.rootSector()) * kSectorSize;
    const qint64 rootBytes = qint64(boot.rootEntries) * kEntrySize;
    if (root + rootBytes > sectors.size()) {
        walk.directory.problem = QStringLiteral("the root folder lies beyond the disk");
        return walk.directory;
    }
    walk.entries(sectors.mid(root, rootBytes), QString(), 0);
    return walk.directory;
}
