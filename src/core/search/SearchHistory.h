#pragma once

#include <QString>
#include <QStringList>

// The last nine search texts, kept in the settings file under section "searchbox", keys "2"
// (most recent) to "10"; key "1" holds the marker "endmru" that ends a shift.

// The nine entries as stored (a missing key is an empty entry).
QStringList readSearchHistory(const QString& settingsFile);

// Puts `text` at the top: a new text pushes the others down and the ninth drops out; a text
// already in `shownRows` (compared exactly, case included) moves up without a duplicate.
// Nothing happens for an empty text. Returns the entries as now stored.
QStringList recordSearch(const QString& text, const QStringList& shownRows,
                         const QString& settingsFile);
