#pragma once

#include "core/catalogue/CatalogueSummary.h"

#include <QString>

#include <vector>

struct DemoDisk;
struct DemoEntry;

// Writes a new catalogue file at `path`, which must not exist yet: the schema, then the
// disks as Dnames (F_ID 1, 2, ...) and the entries as Compilations (Nummer 1, 2, ...), all
// in one transaction. Throws CatalogueError when the engine refuses.
void writeDemoCatalogue(const QString& path, const std::vector<DemoDisk>& disks,
                        const std::vector<DemoEntry>& entries);
