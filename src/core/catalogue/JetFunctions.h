#pragma once

struct sqlite3;

// Name of the collation that the catalogue's text columns are declared with.
inline constexpr const char* kJetCollation = "JETTEXT";

// Gives a connection what the catalogue's dialect needs: LIKE with its patterns and case
// rules, "&" concatenation (as jetcat) and the text collation. Every connection to a
// catalogue must have them before it touches the tables.
void registerJetFunctions(sqlite3* db);
