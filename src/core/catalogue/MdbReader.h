#pragma once

#include <QString>
#include <QStringList>

#include <exception>
#include <memory>
#include <string>
#include <vector>

// One field of a row of the original catalogue, as the working catalogue stores it.
struct MdbValue {
    enum class Kind { Null, Integer, Real, Text, Blob };
    Kind kind = Kind::Null;
    qint64 integer = 0;
    double real = 0;
    std::string bytes; // UTF-8 for Text, raw for Blob
};

// How the working catalogue holds a column, chosen by its Jet type.
enum class MdbAffinity { Integer, Real, Text, Blob };

struct MdbColumnInfo {
    QString name;
    MdbAffinity affinity;
};

class CatalogueError;
class MdbFileReader;

// The reason given for a file found damaged: what was found wrong, without the file name.
CatalogueError mdbDamaged(const QString& what);
// The same for a failure of the reading itself (out of memory, a size beyond reason).
CatalogueError mdbDamaged(const std::exception& error);

// The rows of one table, in the order the file holds them. Throws CatalogueError (the reason
// alone, without the file name) when the file turns out damaged or incomplete.
class MdbTableReader {
public:
    ~MdbTableReader();
    MdbTableReader(const MdbTableReader&) = delete;
    MdbTableReader& operator=(const MdbTableReader&) = delete;

    const QString& name() const { return m_name; }
    const std::vector<MdbColumnInfo>& columns() const { return m_columns; }
    // The row count the table's definition records.
    qint64 expectedRows() const { return m_expectedRows; }

    // Moves to the next row; false after the last one.
    bool next();
    const std::vector<MdbValue>& values() const { return m_values; }

private:
    friend class MdbFileReader;
    struct Impl;
    MdbTableReader(std::unique_ptr<Impl> impl, QString name, std::vector<MdbColumnInfo> columns,
                   qint64 expectedRows);

    std::unique_ptr<Impl> m_impl;
    QString m_name;
    std::vector<MdbColumnInfo> m_columns;
    qint64 m_expectedRows;
    std::vector<MdbValue> m_values;
};

// A Jet 3/4 (".mdb") file opened read-only through libmdb. The constructor checks that it is
// one, and whole, before libmdb reads it; it throws CatalogueError with the reason alone.
class MdbFileReader {
public:
    explicit MdbFileReader(const QString& path);
    ~MdbFileReader();
    MdbFileReader(const MdbFileReader&) = delete;
    MdbFileReader& operator=(const MdbFileReader&) = delete;

    // The user tables, in the order of the file's own list.
    const QStringList& tableNames() const { return m_tableNames; }

    // One table, by its exact name from tableNames(). The reader must not outlive this.
    std::unique_ptr<MdbTableReader> openTable(const QString& name);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    QStringList m_tableNames;
};
