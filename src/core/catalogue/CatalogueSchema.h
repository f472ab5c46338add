#pragma once

struct sqlite3;

// The version of the catalogue's layout, kept in PRAGMA user_version. 0: a file of an earlier
// build, which declared the catalogue's own collation on its text columns.
inline constexpr int kCatalogueVersion = 1;

// Creates the two catalogue tables, their indexes and nothing else, in an empty database, and
// records the version.
void createCatalogueSchema(sqlite3* db);

// (Re)creates the indexes the program's statements rely on, replacing any of the same names,
// and records the version.
void createCatalogueIndexes(sqlite3* db);
inline constexpr const char* kIndexNames[] = {"Compilations_F_ID", "Compilations_Group",
                                              "Compilations_Game", "Compilations_favourite"};

// The fields every catalogue must have, table by table; opening checks them.
struct RequiredFields {
    const char* table;
    const char* fields[7];
};
inline constexpr RequiredFields kRequiredFields[] = {
    {"Compilations", {"Nummer", "Group", "Game", "favourite", "F_ID", nullptr}},
    {"Dnames", {"F_ID", "got", "folder", "filename", "filenumber", "fileexten", nullptr}},
};
