#pragma once

#include <QString>

#include <vector>

// Stored as the file's application_id, so that a rebuild replaces only a demo catalogue and
// never one the user put into the program folder.
inline constexpr int kDemoCatalogueMark = 0x4B444D4F;

// True when the file at `path` was written by this generator.
bool isDemoCatalogue(const QString& path);

struct DemoDisk;
struct DemoEntry;

// Writes a new catalogue file at `path`, which must not exist yet: the schema, then the
// disks as Dnames (F_ID 1, 2, ...) and the entries as Compilations (Nummer 1, 2, ...), all
// in one transaction. Throws CatalogueError when the engine refuses.
void writeDemoCatalogue(const QString& path, const std::vector<DemoDisk>& disks,
                        const std::vector<DemoEntry>& entries);
