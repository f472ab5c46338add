#include "core/disks/DiskImageReader.h"

#include "core/disks/BootSector.h"
#include "core/disks/DiskFormats.h"
#include "core/disks/ZipMember.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QStringList kImageExtensions{QStringLiteral("st"), QStringLiteral("msa"),
                                   QStringLiteral("dim"), QStringLiteral("stx")};

DiskImage readContainer(const QString& name, const QByteArray& file) {
    if (file.startsWith("\x0E\x0F"))
        return readMsaImage(file);
    if (file.startsWith("BB") && !name.endsWith(QLatin1String(".st"), Qt::CaseInsensitive))
        return readDimImage(file);
    if (file.startsWith(QByteArrayLiteral("RSY\0")))
        return readStxImage(file);
    const QString extension = QFileInfo(name).suffix().toLower();
    if (extension == QLatin1String("st"))
        return readStImage(file);
    DiskImage image;
    image.reason = file.isEmpty() ? QStringLiteral("the file is empty")
                                  : QStringLiteral("the file is not in a disk image format");
    return image;
}

// The container read whole; now the disk's own word on its layout.
void checkBootSector(DiskImage& image) {
    if (!image.good())
        return;
    const auto boot = BootSector::read(image.sectors);
    if (!boot)
        return; // a disk that boots its own loader declares nothing to hold it against
    const QString disagreement =
        bootSectorDisagreement(*boot, image.geometry, image.sectors.size() / kSectorSize);
    if (!disagreement.isEmpty()) {
        image.state = DiskImage::State::Damaged;
        image.reason = disagreement;
    }
}

} // namespace

DiskImage readDiskImage(const QString& name, const QByteArray& file) {
    if (file.size() > kMaxImageBytes) {
        DiskImage image;
        image.reason = QStringLiteral("the file is larger than any disk");
        return image;
    }
    DiskImage image;
    if (file.startsWith("PK\x03\x04") ||
        name.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive)) {
        const ZipMember member = readZipMember(file, kImageExtensions, kMaxImageBytes);
        if (!member.problem.isEmpty()) {
            image.reason = member.problem;
            image.state = member.damaged ? DiskImage::State::Damaged : DiskImage::State::NotAnImage;
            image.format = QStringLiteral("ZIP");
            return image;
        }
        image = readContainer(member.name, member.bytes);
        image.format = QStringLiteral("ZIP/") + image.format;
    } else {
        image = readContainer(name, file);
    }
    checkBootSector(image);
    return image;
}

DiskImage readDiskImageFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        DiskImage image;
        image.reason = QStringLiteral("the file cannot be read: %1").arg(file.errorString());
        return image;
    }
    if (file.size() > kMaxImageBytes) {
        DiskImage image;
        image.reason = QStringLiteral("the file is larger than any disk");
        return image;
    }
    return readDiskImage(QFileInfo(path).fileName(), file.readAll());
}
