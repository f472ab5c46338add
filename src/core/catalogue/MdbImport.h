#pragma once

#include <QString>

#include <functional>
#include <vector>

// What an import copied: every table of the original catalogue with its row count, the two
// catalogue tables first.
struct MdbImportCounts {
    struct Table {
        QString name;
        qint64 rows;
    };
    std::vector<Table> tables;

    qint64 totalRows() const;
};

// Called now and then while rows are copied, and once at the end (done == total).
using MdbImportProgress = std::function<void(qint64 rowsDone, qint64 rowsTotal)>;

enum class MdbImportTarget {
    MustBeNew, // refuse when the catalogue file already exists
    Replace,   // put the new catalogue in its place once it is complete
};

// The user's original catalogue (a Jet ".mdb" file, only ever read) converted once into a
// working catalogue: Compilations and Dnames get the program's schema, every other table is
// copied with its columns. All or nothing: the new file is written beside the target under a
// temporary name and renamed into place only when every row is in; on any failure nothing
// is left behind. The file is read in a process of its own (MdbReaderProcess.h), so that a
// damaged one cannot harm this one. Throws CatalogueError with a message that names the file
// and says what is missing or wrong; any other failure of the import is turned into one.
MdbImportCounts importMdb(const QString& mdbPath, const QString& sqlitePath,
                          const MdbImportProgress& progress = {},
                          MdbImportTarget target = MdbImportTarget::MustBeNew);
