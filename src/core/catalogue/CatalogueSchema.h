#pragma once

struct sqlite3;

// Creates the two catalogue tables, their indexes and nothing else, in an empty database
// whose connection has the dialect's functions registered.
void createCatalogueSchema(sqlite3* db);

// The fields every catalogue must have, table by table; opening checks them.
struct RequiredFields {
    const char* table;
    const char* fields[7];
};
inline constexpr RequiredFields kRequiredFields[] = {
    {"Compilations", {"Nummer", "Group", "Game", "favourite", "F_ID", nullptr}},
    {"Dnames", {"F_ID", "got", "folder", "filename", "filenumber", "fileexten", nullptr}},
};
