#pragma once

#include <QString>
#include <QStringList>

// Disk images made by tools nobody here wrote: Hatari's hmsa formats a blank double-sided
// disk and converts it to .msa, mtools puts files on it, zip packs it.
namespace TestDisks {

// Why the tools cannot be used here ("" when they can): tests skip with it.
QString missingTools();

// Writes `st` (a double-sided 80-track .st) holding HELLO.TXT (6 bytes) and GAMES\ZOOL.PRG
// (3000 bytes); with `msa` also its .msa. Returns false when a tool fails.
bool makeDisk(const QString& st, const QString& msa = QString());

// Runs a tool in `folder`; true when it exits 0.
bool runTool(const QString& folder, const QString& program, const QStringList& arguments);

} // namespace TestDisks
