#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The first member of a .zip archive whose name ends in one of `extensions` (without case),
// unpacked; or why there is none.
struct ZipMember {
    QString name;
    QByteArray bytes;
    QString problem;      // "" when `bytes` holds the member
    bool damaged = false; // the archive or the member cannot be unpacked
};

ZipMember readZipMember(const QByteArray& archive, const QStringList& extensions, qint64 maxBytes);
