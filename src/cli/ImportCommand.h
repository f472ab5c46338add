#pragma once

#include "core/settings/ProgramFolder.h"

#include <QStringList>

// `kestrel-cli import FILE.mdb [--replace]`: converts the user's original catalogue into the
// program folder's working catalogue. Returns the exit status: 0 done, 1 refused, 2 a usage
// error.
int runImportCommand(const ProgramFolder& folder, const QStringList& arguments);

extern const char* const kImportUsage;
