#pragma once

#include <QString>

// What the result list shows, as far as refilling it is concerned: after a search it is
// refilled by searching again, otherwise by listing the favourites. Before anything has been
// listed the mode is neither, and counts as not a search.
enum class ListMode { Initial, Search, Favourites };

// The mode as the main window's hidden list-mode box shows it: "Text1" (the box's first text),
// "" or "Favourites".
inline QString listModeText(ListMode mode) {
    switch (mode) {
    case ListMode::Search:
        return QString();
    case ListMode::Favourites:
        return QStringLiteral("Favourites");
    case ListMode::Initial:
        break;
    }
    return QStringLiteral("Text1");
}
