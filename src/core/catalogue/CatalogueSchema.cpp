#include "core/catalogue/CatalogueSchema.h"

#include "core/Failures.h"

#include <QString>

#include <sqlite3.h>

namespace {

// Text columns fold case in comparisons and sorting, as the original engine did; the
// indexes serve the join, the entry look-ups and the orderings the program asks for.
constexpr const char* kSchema = R"sql(
CREATE TABLE Compilations (
    Nummer    INTEGER PRIMARY KEY,
    [Group]   TEXT COLLATE JETTEXT,
    Game      TEXT COLLATE JETTEXT,
    favourite INTEGER NOT NULL DEFAULT 0,
    F_ID      INTEGER
);
CREATE TABLE Dnames (
    F_ID       INTEGER PRIMARY KEY,
    got        INTEGER,
    folder     TEXT COLLATE JETTEXT,
    filename   TEXT COLLATE JETTEXT,
    filenumber TEXT COLLATE JETTEXT,
    fileexten  TEXT COLLATE JETTEXT
);
CREATE INDEX Compilations_F_ID ON Compilations(F_ID);
CREATE INDEX Compilations_Group ON Compilations([Group]);
CREATE INDEX Compilations_Game ON Compilations(Game);
CREATE INDEX Compilations_favourite ON Compilations(favourite);
)sql";

} // namespace

void createCatalogueSchema(sqlite3* db) {
    char* error = nullptr;
    if (sqlite3_exec(db, kSchema, nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error);
        sqlite3_free(error);
        throw CatalogueError(message);
    }
}
