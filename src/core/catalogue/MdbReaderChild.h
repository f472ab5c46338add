#pragma once

#include <QString>

// The reading process's side of an import: reads every table of the .mdb file with
// MdbFileReader and writes them to `fd` as frames (MdbFrames.h). A refusal is the last frame.
// Returns the process's exit status: 0 when every row was written.
int writeMdbFrames(const QString& mdbPath, int fd);
