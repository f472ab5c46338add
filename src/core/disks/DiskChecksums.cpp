#include "core/disks/DiskChecksums.h"

#include <QCryptographicHash>

#include <zlib.h>

DiskChecksums DiskChecksums::of(const QByteArray& sectors) {
    DiskChecksums sums;
    const auto crc =
        crc32_z(0, reinterpret_cast<const Bytef*>(sectors.constData()), size_t(sectors.size()));
    sums.crc32 = QStringLiteral("%1").arg(quint32(crc), 8, 16, QLatin1Char('0'));
    sums.sha1 =
        QString::fromLatin1(QCryptographicHash::hash(sectors, QCryptographicHash::Sha1).toHex());
    return sums;
}
