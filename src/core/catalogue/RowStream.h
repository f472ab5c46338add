#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// The rows of a running statement, read one at a time straight from the engine: nothing is
// copied that the caller does not ask for, so a listing of a million rows costs what it keeps.
// Field names are matched without regard to case; when two columns share a name (the two F_ID
// of a join) the first wins. Move-only; finalises its statement.
class RowStream {
public:
    RowStream() = default;
    // Prepares `sql` (engine text); throws CatalogueError.
    RowStream(sqlite3* db, const QString& sql);
    ~RowStream();
    RowStream(RowStream&& other) noexcept;
    RowStream& operator=(RowStream&& other) noexcept;
    RowStream(const RowStream&) = delete;
    RowStream& operator=(const RowStream&) = delete;

    // Steps to the next row; false once there is none. Throws CatalogueError when the engine
    // fails part way (a LIKE pattern it refuses, a locked file).
    bool next();

    int columnCount() const;
    QStringList columns() const;
    int columnIndex(QStringView name) const; // -1 when there is no such field
    // The position of a field a reader cannot do without; throws CatalogueError when none.
    int requiredColumn(QStringView name) const;

    // The current row's fields. A text view stays valid until the next step.
    bool isNull(int column) const;
    qlonglong integer(int column) const;
    QByteArrayView utf8(int column) const;
    QString text(int column) const;   // Null reads as the empty text
    QVariant value(int column) const; // Null is a null QVariant
    // The field as value().toString() reads it, written over `into` in the room it has: a
    // walk that reads thousands of rows then allocates no text per field.
    void textInto(int column, QString& into) const;

private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
};

// The engine's complaint, in words a user can act on for the cases a user can meet. A write
// that fails (`writing`: the statement changes the file) names the catalogue file and says
// what stands in the way, as found on disk.
QString catalogueEngineError(sqlite3* db, bool writing = false);

// What keeps a write from the catalogue file, in the order the message looks for it.
enum class WriteObstacle { Unknown, ReadOnlyFile, ReadOnlyFolder, FullDisk };
WriteObstacle catalogueWriteObstacle(sqlite3* db, int errorCode);
// "The catalogue cannot be changed: <path>", then the obstacle and what to do about it; the
// engine's own words when the obstacle is not known.
QString catalogueWriteError(const QString& path, WriteObstacle obstacle,
                            const QString& engineMessage);
