#include "core/disks/DiskChecksums.h"

#include <openssl/evp.h>
#include <zlib.h>

DiskChecksums DiskChecksums::of(const QByteArray& sectors) {
    DiskChecksums sums;
    const auto crc =
        crc32_z(0, reinterpret_cast<const Bytef*>(sectors.constData()), size_t(sectors.size()));
    sums.crc32 = QStringLiteral("%1").arg(quint32(crc), 8, 16, QLatin1Char('0'));
    // OpenSSL's SHA-1 uses the processor's SHA instructions where it has them: three times
    // the speed of a portable one, and hashing is most of a verification.
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(sectors.constData(), size_t(sectors.size()), digest, &length, EVP_sha1(), nullptr);
    sums.sha1 = QString::fromLatin1(
        QByteArray::fromRawData(reinterpret_cast<const char*>(digest), int(length)).toHex());
    return sums;
}
