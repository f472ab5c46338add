#pragma once

#include "core/settings/ProgramFolder.h"

#include <QStringList>

// `kestrel-cli verify [--group NAME | --entry NUMBER] [--duplicates] [--format text|json]`:
// reads the disk images and says of each whether it is good. Returns the exit status: 0 done,
// 1 refused, 2 a usage error.
int runVerifyCommand(const ProgramFolder& folder, const QStringList& arguments);

// `kestrel-cli files --entry NUMBER | --name PATTERN [--format text|json]`: the files on an
// entry's disk, or the disks that hold a file of that name.
int runFilesCommand(const ProgramFolder& folder, const QStringList& arguments);

extern const char* const kVerifyUsage;
