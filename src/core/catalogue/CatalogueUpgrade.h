#pragma once

#include <QString>

struct sqlite3;

// Brings a catalogue written by an earlier build to the current layout, once: a dated copy of
// the file is made first, then everything changes in one transaction. Earlier builds declared
// the catalogue's own collation on the text columns, which other SQLite tools cannot read; the
// tables are rebuilt without it and the indexes made anew.
//
// Returns what to tell the user ("" when the file was current). A file that cannot be copied
// or written stays as it is: this program still reads it, the collation being registered.
// `db` is open on `path` with the dialect's functions registered.
QString upgradeCatalogue(sqlite3* db, const QString& path);
