#pragma once

#include <QString>

class Catalogue;

// Stored as the demo catalogue's application_id, so that a rebuild replaces only a demo
// catalogue and never one the user put into the program folder, and so that the program can
// offer to import the user's own catalogue in its place.
inline constexpr int kDemoCatalogueMark = 0x4B444D4F;

// True when the file at `path` is a demo catalogue (false when it cannot be read).
bool isDemoCatalogue(const QString& path);

// Which catalogue is loaded and how much it holds, for the user to see.
struct CatalogueSummary {
    QString path;
    qint64 entries = 0;
    qint64 disks = 0;
    bool demo = false;

    // "Catalogue in use: AtariST Compilation Listing v1.sqlite (demo), 12,345 entries on
    // 2,345 disks"
    QString text() const;
};

// Counts the open catalogue's entries and disks; throws CatalogueError.
CatalogueSummary summarise(Catalogue& catalogue);
