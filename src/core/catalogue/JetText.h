#pragma once

#include <QStringView>

// The catalogue's text order: letters compared without regard to case (full Unicode case
// folding), and texts that differ only in case ordered by their stored form, so that such
// titles sort next to each other and never interleave.
int compareJetText(QStringView a, QStringView b);

// The same order over UTF-8 bytes, for the engine's collation.
int compareJetTextUtf8(const char* a, int aLength, const char* b, int bLength);
