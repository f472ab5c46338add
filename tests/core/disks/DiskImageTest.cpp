#include "common/TestDisks.h"
#include "common/TestRegistry.h"

#include "core/disks/BootSector.h"
#include "core/disks/DiskChecksums.h"
#include "core/disks/DiskDirectory.h"
#include "core/disks/DiskImageReader.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray withWord(QByteArray bytes, qsizetype at, quint16 value, bool bigEndian = false) {
    bigEndian ? qToBigEndian(value, bytes.data() + at) : qToLittleEndian(value, bytes.data() + at);
    return bytes;
}

// A FastCopy header over the sectors of a double-sided 80-track disk of 9 sectors a track.
QByteArray dimOf(const QByteArray& st, char usedOnly = 0) {
    QByteArray header(32, '\0');
    header[0] = header[1] = 'B';
    header[3] = usedOnly;
    header[6] = 1;
    header[8] = 9;
    header[12] = 79;
    return header + st;
}

// An MSA file of one single-sided track of 9 sectors, holding `track` as it is stored.
QByteArray msaTrack(const QByteArray& track) {
    QByteArray file = QByteArray::fromHex("0e0f0009000000000000");
    return withWord(file + QByteArray(2, '\0'), 10, quint16(track.size()), true) + track;
}

} // namespace

// The readers of disk images on disks made by real tools: every format of one disk gives one
// set of sectors, the files put on it are found, and a damaged image gets its reason in words.
class DiskImageTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QByteArray m_st;

    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

private Q_SLOTS:
    void initTestCase() {
        if (const QString missing = TestDisks::missingTools(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        const QString dir = m_dir.path();
        QVERIFY(TestDisks::makeDisk(path("disk.st"), path("disk.msa")));
        QFile hello(path("HELLO.TXT"));
        QVERIFY(hello.open(QIODevice::WriteOnly));
        hello.write("hello\n");
        hello.close();
        QVERIFY(TestDisks::runTool(dir, "zip", {"-q", "st.zip", "disk.st"}));
        QVERIFY(TestDisks::runTool(dir, "zip", {"-q", "msa.zip", "disk.msa"}));
        QVERIFY(TestDisks::runTool(dir, "zip", {"-q", "none.zip", "HELLO.TXT"}));
        m_st = bytesOf(path("disk.st"));
        QCOMPARE(m_st.size(), 737280);
    }

    void everyFormatGivesTheSameSectors_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("format");
        QTest::newRow("st") << "disk.st" << m_st << "ST";
        QTest::newRow("msa") << "disk.msa" << bytesOf(path("disk.msa")) << "MSA";
        QTest::newRow("dim") << "disk.dim" << dimOf(m_st) << "DIM";
        QTest::newRow("st in zip") << "st.zip" << bytesOf(path("st.zip")) << "ZIP/ST";
        QTest::newRow("msa in zip") << "msa.zip" << bytesOf(path("msa.zip")) << "ZIP/MSA";
    }
    void everyFormatGivesTheSameSectors() {
        QFETCH(QString, name);
        QFETCH(QByteArray, file);
        QFETCH(QString, format);
        const DiskImage image = readDiskImage(name, file);
        QVERIFY2(image.good(), qPrintable(image.reason));
        QCOMPARE(image.format, format);
        QCOMPARE(image.geometry, (DiskGeometry{2, 80, 9}));
        const DiskChecksums sums = DiskChecksums::of(image.sectors);
        QCOMPARE(sums.sha1, QCryptographicHash::hash(m_st, QCryptographicHash::Sha1).toHex());
        QCOMPARE(sums.crc32.size(), 8);
    }

    void filesPutOnTheDiskAreFound() {
        const DiskImage image = readDiskImage("disk.msa", bytesOf(path("disk.msa")));
        const auto boot = BootSector::read(image.sectors);
        QVERIFY(boot);
        const DiskDirectory directory = readDiskDirectory(image.sectors, *boot);
        QCOMPARE(directory.problem, QString());
        QStringList listed;
        for (const DiskDirectoryEntry& entry : directory.entries)
            listed << QStringLiteral("%1 %2%3")
                          .arg(entry.path)
                          .arg(entry.size)
                          .arg(entry.folder ? " folder" : "");
        QCOMPARE(listed, (QStringList{"HELLO.TXT 6", "GAMES 0 folder", "GAMES\\ZOOL.PRG 3000"}));
        // mcopy -m keeps the file's own time, made moments ago, to the two seconds FAT keeps.
        QVERIFY(qAbs(directory.entries[0].modified.secsTo(QDateTime::currentDateTime())) < 600);
    }

    void damageIsSaidInWords_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("reason");
        const int damaged = int(DiskImage::State::Damaged);
        const int notAnImage = int(DiskImage::State::NotAnImage);
        const int unsupported = int(DiskImage::State::Unsupported);
        const QByteArray msa = bytesOf(path("disk.msa"));
        QTest::newRow("empty") << "a.st" << QByteArray() << notAnImage << "the file is empty";
        QTest::newRow("text") << "a.txt" << QByteArray("hello") << notAnImage
                              << "not in a disk image format";
        QTest::newRow("st cut in a sector")
            << "a.st" << m_st.left(1000) << damaged << "holds 1000 bytes, not a whole number";
        QTest::newRow("st short of tracks")
            << "a.st" << m_st.left(1260 * 512) << damaged
            << "boot sector says 1440 sectors but the file holds 1260";
        QTest::newRow("boot sector against the header")
            << "a.dim" << dimOf(withWord(m_st, 24, 10)) << damaged
            << "boot sector says 10 sectors per track but the file holds 9";
        QTest::newRow("msa cut") << "a.msa" << msa.left(msa.size() - 40) << damaged
                                 << "runs past the end of the file";
        QTest::newRow("msa run past its track")
            << "a.msa" << msaTrack(QByteArray::fromHex("e500ffff")) << damaged
            << "MSA track 0 unpacks to more than its 4608 bytes";
        QTest::newRow("msa run cut off") << "a.msa" << msaTrack(QByteArray::fromHex("e500"))
                                         << damaged << "MSA track 0 runs past its length";
        QTest::newRow("msa track short") << "a.msa" << msaTrack(QByteArray::fromHex("e5001000"))
                                         << damaged << "MSA track 0 unpacks to 4096 of its 4608";
        QTest::newRow("msa header")
            << "a.msa" << withWord(msa, 8, 300, true) << damaged << "tracks 0 to 300";
        QByteArray zipped = bytesOf(path("st.zip"));
        zipped[zipped.indexOf("disk.st") + 40] =
            char(zipped[zipped.indexOf("disk.st") + 40] ^ 0x55);
        QTest::newRow("zip damaged") << "a.zip" << zipped << damaged << "cannot";
        QTest::newRow("zip without a disk")
            << "none.zip" << bytesOf(path("none.zip")) << notAnImage << "holds no disk image";
        QTest::newRow("stx") << "a.stx" << QByteArray("RSY\0\3\0", 6) + QByteArray(10, '\0')
                             << unsupported << "not read";
        QTest::newRow("dim of used sectors")
            << "a.dim" << dimOf(m_st, 1) << unsupported << "used sectors only";
    }
    void damageIsSaidInWords() {
        QFETCH(QString, name);
        QFETCH(QByteArray, file);
        QFETCH(int, state);
        QFETCH(QString, reason);
        const DiskImage image = readDiskImage(name, file);
        QVERIFY2(image.reason.contains(reason), qPrintable(image.reason));
        QCOMPARE(int(image.state), state);
    }

    // A folder whose cluster chain points back at itself is listed once, with the reason.
    void aLoopingFolderEnds() {
        QByteArray st = m_st;
        const auto boot = BootSector::read(st);
        QVERIFY(boot);
        const DiskDirectory before = readDiskDirectory(st, *boot);
        // GAMES is the second root entry; make its first cluster its own successor in FAT 1.
        const qsizetype entry = qsizetype(boot->rootSector()) * kSectorSize + 32;
        const int cluster = qFromLittleEndian<quint16>(st.constData() + entry + 26);
        const qsizetype fat = qsizetype(boot->reservedSectors) * kSectorSize + cluster * 3 / 2;
        quint16 pair = qFromLittleEndian<quint16>(st.constData() + fat);
        pair = cluster % 2 ? quint16((pair & 0x000F) | (cluster << 4))
                           : quint16((pair & 0xF000) | cluster);
        qToLittleEndian(pair, st.data() + fat);
        const DiskDirectory looped = readDiskDirectory(st, *boot);
        QCOMPARE(looped.problem, QStringLiteral("the clusters of GAMES run in a loop"));
        QCOMPARE(looped.entries.size(), before.entries.size());
    }
};

KESTREL_TEST(DiskImageTest)
#include "DiskImageTest.moc"
