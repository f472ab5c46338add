#include "core/export/ExportFiles.h"

#include <QFile>
#include <QSaveFile>

namespace {

// Qt reports a short write (a full disk, a file size limit) as success, and the reason only
// on the write that follows; so write unbuffered until everything is out or a write fails.
void writeAll(QFileDevice& file, const QByteArray& bytes) {
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            throw FileError(file.errorString());
        done += written;
    }
}

} // namespace

void saveTextFile(const QString& path, const QString& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw FileError(file.errorString());
    try {
        writeAll(file, text.toUtf8());
    } catch (const FileError&) {
        file.cancelWriting();
        throw;
    }
    if (!file.commit())
        throw FileError(file.errorString());
}

void overwriteTextFile(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        throw FileError(file.errorString());
    writeAll(file, text.toUtf8());
}

QString readTextFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(file.errorString());
    return QString::fromUtf8(file.readAll());
}
