#pragma once

#include <QByteArray>
#include <QString>

// How a disk's sectors lie: sides, then tracks, then sectors of 512 bytes, stored track by
// track with both sides of a track together, as an .st file holds them.
struct DiskGeometry {
    int sides = 0;
    int tracks = 0;
    int sectorsPerTrack = 0;

    qint64 sectorCount() const { return qint64(sides) * tracks * sectorsPerTrack; }
    bool operator==(const DiskGeometry&) const = default;
};

inline constexpr int kSectorSize = 512;

// What reading a disk image gave: its sectors, or why it could not give them.
struct DiskImage {
    enum class State { Good, Damaged, NotAnImage, Unsupported };

    QString format; // "ST", "MSA", "DIM", "STX"; "" when not recognised
    State state = State::NotAnImage;
    QString reason;     // in words, when the state is not Good
    QByteArray sectors; // the decoded sector data, also of a damaged image as far as it read
    DiskGeometry geometry;

    bool good() const { return state == State::Good; }
};

// "good", "damaged", "not a disk image", "unsupported"
QString stateText(DiskImage::State state);
