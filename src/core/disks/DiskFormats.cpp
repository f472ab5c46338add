#include "core/disks/DiskFormats.h"

#include "core/disks/BootSector.h"

#include <QtEndian>

namespace {

// Beyond any floppy an ST drive or emulator takes: headers claiming more are not believed.
constexpr int kMaxTracks = 86;
constexpr int kMaxSectorsPerTrack = 40;

int bigWord(const QByteArray& bytes, qsizetype at) {
    return qFromBigEndian<quint16>(bytes.constData() + at);
}

DiskImage refused(const QString& format, DiskImage::State state, const QString& reason) {
    DiskImage image;
    image.format = format;
    image.state = state;
    image.reason = reason;
    return image;
}

DiskImage damaged(DiskImage image, const QString& reason) {
    image.state = DiskImage::State::Damaged;
    image.reason = reason;
    return image;
}

bool plausible(const DiskGeometry& geometry) {
    return geometry.sides >= 1 && geometry.sides <= 2 && geometry.tracks >= 1 &&
           geometry.tracks <= kMaxTracks && geometry.sectorsPerTrack >= 1 &&
           geometry.sectorsPerTrack <= kMaxSectorsPerTrack;
}

// An image of the layout its header declares; damaged, with the reason, when no floppy has it.
DiskImage headed(const QString& format, int sides, int sectorsPerTrack, int firstTrack,
                 int lastTrack) {
    DiskImage image;
    image.format = format;
    image.geometry = {sides, lastTrack - firstTrack + 1, sectorsPerTrack};
    if (lastTrack < firstTrack || !plausible(image.geometry))
        return damaged(std::move(image),
                       QStringLiteral("the %1 header declares %2 sectors per track, %3 sides, "
                                      "tracks %4 to %5")
                           .arg(format)
                           .arg(sectorsPerTrack)
                           .arg(sides)
                           .arg(firstTrack)
                           .arg(lastTrack));
    return image;
}

// Unpacks one MSA track: runs are E5, the byte, a big-endian count; other bytes stand for
// themselves. Returns the reason it cannot, or "".
QString unpackMsaTrack(const char* data, int length, int trackBytes, int track, QByteArray& into) {
    const qsizetype start = into.size();
    for (int at = 0; at < length;) {
        const auto value = quint8(data[at]);
        if (value != 0xE5) {
            into.append(char(value));
            ++at;
        } else {
            if (length - at < 4)
                return QStringLiteral("MSA track %1 runs past its length").arg(track);
            const int count = qFromBigEndian<quint16>(data + at + 2);
            if (into.size() - start + count > trackBytes)
                return QStringLiteral("MSA track %1 unpacks to more than its %2 bytes")
                    .arg(track)
                    .arg(trackBytes);
            into.append(count, data[at + 1]);
            at += 4;
        }
        if (into.size() - start > trackBytes)
            return QStringLiteral("MSA track %1 unpacks to more than its %2 bytes")
                .arg(track)
                .arg(trackBytes);
    }
    if (into.size() - start != trackBytes)
        return QStringLiteral("MSA track %1 unpacks to %2 of its %3 bytes")
            .arg(track)
            .arg(into.size() - start)
            .arg(trackBytes);
    return QString();
}

} // namespace

QString stateText(DiskImage::State state) {
    switch (state) {
    case DiskImage::State::Good:
        return QStringLiteral("good");
    case DiskImage::State::Damaged:
        return QStringLiteral("damaged");
    case DiskImage::State::NotAnImage:
        return QStringLiteral("not a disk image");
    case DiskImage::State::Unsupported:
        return QStringLiteral("unsupported");
    }
    return QString();
}

DiskImage readStImage(const QByteArray& file) {
    if (file.isEmpty())
        return refused(QStringLiteral("ST"), DiskImage::State::NotAnImage,
                       QStringLiteral("the file is empty"));
    DiskImage image;
    image.format = QStringLiteral("ST");
    image.state = DiskImage::State::Good;
    const qsizetype whole = file.size() / kSectorSize * kSectorSize;
    image.sectors = file.left(whole);
    if (whole != file.size())
        return damaged(std::move(image),
                       QStringLiteral("the file holds %1 bytes, not a whole number of sectors")
                           .arg(file.size()));
    // A raw image says nothing of its layout: the boot sector does, or else the size.
    const qint64 held = whole / kSectorSize;
    if (const auto boot = BootSector::read(image.sectors)) {
        const int perTrack = boot->sectorsPerTrack * boot->sides;
        image.geometry = {boot->sides, int(held / perTrack), boot->sectorsPerTrack};
        if (held % perTrack != 0 && held >= boot->totalSectors)
            return damaged(std::move(image),
                           QStringLiteral("boot sector says %1 sectors per track on %2 sides, "
                                          "but the file holds %3 sectors")
                               .arg(boot->sectorsPerTrack)
                               .arg(boot->sides)
                               .arg(held));
        return image;
    }
    for (int sides : {2, 1})
        for (int perTrack = 9; perTrack <= 11; ++perTrack)
            if (held % (sides * perTrack) == 0 && held / (sides * perTrack) >= 79 &&
                held / (sides * perTrack) <= kMaxTracks) {
                image.geometry = {sides, int(held / (sides * perTrack)), perTrack};
                return image;
            }
    return image; // sectors without a known layout; still whole
}

DiskImage readMsaImage(const QByteArray& file) {
    const QString format = QStringLiteral("MSA");
    if (file.size() < 10 || bigWord(file, 0) != 0x0E0F)
        return refused(format, DiskImage::State::NotAnImage,
                       QStringLiteral("the file has no MSA header"));
    const int firstTrack = bigWord(file, 6);
    const int lastTrack = bigWord(file, 8);
    DiskImage image = headed(format, bigWord(file, 4) + 1, bigWord(file, 2), firstTrack, lastTrack);
    if (!image.reason.isEmpty())
        return image;
    const int trackBytes = image.geometry.sectorsPerTrack * kSectorSize;
    image.sectors.reserve(image.geometry.sectorCount() * kSectorSize);
    qsizetype at = 10;
    for (int track = firstTrack; track <= lastTrack; ++track)
        for (int side = 0; side < image.geometry.sides; ++side) {
            if (file.size() - at < 2)
                return damaged(std::move(image),
                               QStringLiteral("the MSA file ends before track %1").arg(track));
            const int length = bigWord(file, at);
            at += 2;
            if (file.size() - at < length)
                return damaged(
                    std::move(image),
                    QStringLiteral("MSA track %1 runs past the end of the file").arg(track));
            QString problem;
            if (length == trackBytes)
                image.sectors.append(file.constData() + at, length);
            else
                problem =
                    unpackMsaTrack(file.constData() + at, length, trackBytes, track, image.sectors);
            if (!problem.isEmpty())
                return damaged(std::move(image), problem);
            at += length;
        }
    image.state = DiskImage::State::Good;
    return image;
}

DiskImage readDimImage(const QByteArray& file) {
    const QString format = QStringLiteral("DIM");
    constexpr int kHeader = 32;
    if (file.size() < kHeader || bigWord(file, 0) != 0x4242)
        return refused(format, DiskImage::State::NotAnImage,
                       QStringLiteral("the file has no DIM header"));
    if (file[3] != 0)
        return refused(format, DiskImage::State::Unsupported,
                       QStringLiteral("a DIM image of the used sectors only is not read"));
    const int firstTrack = quint8(file[10]);
    const int lastTrack = quint8(file[12]);
    DiskImage image = headed(format, quint8(file[6]) + 1, quint8(file[8]), firstTrack, lastTrack);
    if (!image.reason.isEmpty())
        return image;
    const qint64 expected = image.geometry.sectorCount() * kSectorSize;
    image.sectors = file.mid(kHeader, expected);
    if (image.sectors.size() < expected)
        return damaged(std::move(image),
                       QStringLiteral("the DIM header declares %1 sectors but the file holds %2")
                           .arg(image.geometry.sectorCount())
                           .arg(image.sectors.size() / kSectorSize));
    image.state = DiskImage::State::Good;
    return image;
}

DiskImage readStxImage(const QByteArray& file) {
    const QString format = QStringLiteral("STX");
    if (!file.startsWith(QByteArrayLiteral("RSY\0")))
        return refused(format, DiskImage::State::NotAnImage,
                       QStringLiteral("the file has no STX header"));
    if (file.size() < 16 || qFromLittleEndian<quint16>(file.constData() + 4) != 3)
        return refused(format, DiskImage::State::Damaged,
                       QStringLiteral("the STX header is not of version 3"));
    return refused(format, DiskImage::State::Unsupported,
                   QStringLiteral("STX images are recognised but their tracks are not read"));
}
