#include "core/catalogue/CatalogueSchema.h"

#include "core/Failures.h"

#include <QString>

#include <sqlite3.h>

namespace {

// A plain SQLite file: no collation or function of ours is declared, so every SQLite tool can
// check, sort and edit it; the catalogue's text order is applied by the statements. The text
// indexes fold case as SQLite's NOCASE does, so that a prefix of a group or a title can be
// looked up in them; the others serve the join, the entry look-ups and the favourites.
constexpr const char* kTables = R"sql(
CREATE TABLE Compilations (
    Nummer    INTEGER PRIMARY KEY,
    [Group]   TEXT,
    Game      TEXT,
    favourite INTEGER NOT NULL DEFAULT 0,
    F_ID      INTEGER
);
CREATE TABLE Dnames (
    F_ID       INTEGER PRIMARY KEY,
    got        INTEGER,
    folder     TEXT,
    filename   TEXT,
    filenumber TEXT,
    fileexten  TEXT
);
)sql";

constexpr const char* kIndexes = R"sql(
CREATE INDEX Compilations_F_ID ON Compilations(F_ID);
CREATE INDEX Compilations_Group ON Compilations([Group] COLLATE NOCASE);
CREATE INDEX Compilations_Game ON Compilations(Game COLLATE NOCASE);
CREATE INDEX Compilations_favourite ON Compilations(favourite);
)sql";

void run(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error);
        sqlite3_free(error);
        throw CatalogueError(message);
    }
}

} // namespace

void createCatalogueSchema(sqlite3* db) {
    run(db, kTables);
    createCatalogueIndexes(db);
}

void createCatalogueIndexes(sqlite3* db) {
    for (const char* name : kIndexNames)
        run(db, QStringLiteral("DROP INDEX IF EXISTS %1").arg(QLatin1String(name)).toUtf8());
    run(db, kIndexes);
    run(db, QByteArray("PRAGMA user_version = ") + QByteArray::number(kCatalogueVersion));
}
