#pragma once

#include <QStringView>

// The catalogue's text order, as a reader expects it. Texts compare first by their letters,
// without regard to case or accents: each character is taken apart into its canonical parts,
// combining accents are dropped and the rest case folded, so "É" counts as "e", "ß" and "ẞ"
// as "ss", and "æ", "œ", "ø", "đ", "ł" (and their capitals) as "ae", "oe", "o", "d", "l".
// Texts with the same letters are ordered by their case-folded characters, then by their
// characters as stored. So only identical texts compare equal, and texts that differ only in
// case or accents sort next to each other in a fixed order: "Ecole", "ecole", "École",
// "école". At every level characters compare by code point, so "Über" sorts among the U's and
// digits before letters.
int compareJetText(QStringView a, QStringView b);

// The same order over UTF-8 bytes, for the engine's collation. A byte that does not start a
// well-formed sequence stands for itself, the character U+0080 to U+00FF of its value; texts
// that read as the same characters (one of them malformed) are ordered by their bytes.
int compareJetTextUtf8(const char* a, int aLength, const char* b, int bLength);
