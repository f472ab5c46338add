#include "core/catalogue/RowStream.h"

#include "core/Failures.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QStringDecoder>

#include <sqlite3.h>

#include <utility>

namespace {

// Less room than this on the catalogue's disk is as good as none for a journal.
constexpr qint64 kLowSpaceBytes = 1 << 20;

bool isWriteFailure(int code, bool writing) {
    switch (code) {
    case SQLITE_READONLY:
    case SQLITE_FULL:
        return true;
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
        return writing;
    default:
        return false;
    }
}

const QString kMoveFolder = QStringLiteral(
    "\nOr copy the program folder to a place you can write to and start Kestrel with "
    "--folder DIR.");

} // namespace

WriteObstacle catalogueWriteObstacle(sqlite3* db, int errorCode) {
    const QString path = QString::fromUtf8(sqlite3_db_filename(db, "main"));
    const QFileInfo file(path);
    // The engine keeps a file it could only open for reading that way until it is opened again.
    if ((file.exists() && !file.isWritable()) || sqlite3_db_readonly(db, "main") == 1)
        return WriteObstacle::ReadOnlyFile;
    if (!QFileInfo(file.absolutePath()).isWritable())
        return WriteObstacle::ReadOnlyFolder;
    const QStorageInfo disk(file.absolutePath());
    if (errorCode == SQLITE_FULL || (disk.isValid() && disk.bytesAvailable() < kLowSpaceBytes))
        return WriteObstacle::FullDisk;
    return WriteObstacle::Unknown;
}

QString catalogueWriteError(const QString& path, WriteObstacle obstacle,
                            const QString& engineMessage) {
    QString why;
    switch (obstacle) {
    case WriteObstacle::ReadOnlyFile:
        why = QStringLiteral("The file is read-only. Allow yourself to write to it, then start "
                             "Kestrel again.") +
              kMoveFolder;
        break;
    case WriteObstacle::ReadOnlyFolder:
        why = QStringLiteral("The folder %1 is read-only, so SQLite cannot create its journal "
                             "there. Allow yourself to write to the folder.")
                  .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath())) +
              kMoveFolder;
        break;
    case WriteObstacle::FullDisk:
        why = QStringLiteral("The disk is full. Make room on it and try again.");
        break;
    case WriteObstacle::Unknown:
        why = QStringLiteral("The engine reports: %1.").arg(engineMessage);
        break;
    }
    return QStringLiteral("The catalogue cannot be changed: %1\n\n%2").arg(path, why);
}

QString catalogueEngineError(sqlite3* db, bool writing) {
    const int code = sqlite3_extended_errcode(db) & 0xFF;
    if (isWriteFailure(code, writing))
        return catalogueWriteError(QString::fromUtf8(sqlite3_db_filename(db, "main")),
                                   catalogueWriteObstacle(db, code),
                                   QString::fromUtf8(sqlite3_errmsg(db)));
    switch (code) {
    case SQLITE_NOTADB:
        return QStringLiteral(
            "The file is not a Kestrel catalogue (it is not an SQLite database).");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("The catalogue is locked by another program; try again when it "
                              "has finished.");
    default:
        return QString::fromUtf8(sqlite3_errmsg(db));
    }
}

RowStream::RowStream(sqlite3* db, const QString& sql) : m_db(db) {
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr) != SQLITE_OK)
        throw CatalogueError(catalogueEngineError(db));
    if (!m_stmt)
        throw CatalogueError(QStringLiteral("The statement is empty."));
}

RowStream::~RowStream() {
    sqlite3_finalize(m_stmt);
}

RowStream::RowStream(RowStream&& other) noexcept
    : m_db(std::exchange(other.m_db, nullptr)), m_stmt(std::exchange(other.m_stmt, nullptr)) {}

RowStream& RowStream::operator=(RowStream&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_db = std::exchange(other.m_db, nullptr);
        m_stmt = std::exchange(other.m_stmt, nullptr);
    }
    return *this;
}

bool RowStream::next() {
    if (!m_stmt)
        return false;
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        throw CatalogueError(catalogueEngineError(m_db, !sqlite3_stmt_readonly(m_stmt)));
    return false;
}

int RowStream::columnCount() const {
    return m_stmt ? sqlite3_column_count(m_stmt) : 0;
}

QStringList RowStream::columns() const {
    QStringList names;
    for (int c = 0; c < columnCount(); ++c)
        names << QString::fromUtf8(sqlite3_column_name(m_stmt, c));
    return names;
}

int RowStream::columnIndex(QStringView name) const {
    for (int c = 0; c < columnCount(); ++c) {
        if (QString::fromUtf8(sqlite3_column_name(m_stmt, c)).compare(name, Qt::CaseInsensitive) ==
            0)
            return c;
    }
    return -1;
}

int RowStream::requiredColumn(QStringView name) const {
    const int column = columnIndex(name);
    if (column < 0)
        throw CatalogueError(
            QStringLiteral("The result has no field named %1.").arg(name.toString()));
    return column;
}

bool RowStream::isNull(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

qlonglong RowStream::integer(int column) const {
    return qlonglong(sqlite3_column_int64(m_stmt, column));
}

QByteArrayView RowStream::utf8(int column) const {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return QByteArrayView(bytes, sqlite3_column_bytes(m_stmt, column));
}

QString RowStream::text(int column) const {
    const QByteArrayView bytes = utf8(column);
    return QString::fromUtf8(bytes.data(), bytes.size());
}

QVariant RowStream::value(int column) const {
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_column_int64(m_stmt, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_stmt, column);
    case SQLITE_TEXT:
        return text(column);
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(m_stmt, column)),
                          sqlite3_column_bytes(m_stmt, column));
    default:
        return QVariant();
    }
}

void RowStream::textInto(int column, QString& into) const {
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_NULL:
        into.resize(0); // clear() would give the room back
        return;
    case SQLITE_TEXT: {
        const QByteArrayView bytes = utf8(column);
        // UTF-16 never needs more units than UTF-8 has bytes.
        into.resize(bytes.size());
        QStringDecoder decoder(QStringDecoder::Utf8);
        into.truncate(decoder.appendToBuffer(into.data(), bytes) - into.constData());
        return;
    }
    default:
        into = value(column).toString();
    }
}
