#pragma once

#include "core/settings/ProgramFolder.h"

#include <QStringList>

// `kestrel-cli search` and `kestrel-cli compress`: the window's searches from a terminal.
// `arguments` are those after the command name. Returns the exit status: 0 done, 1 refused
// (the window's message on standard error), 2 a usage error.
int runSearchCommand(const ProgramFolder& folder, const QStringList& arguments);
int runCompressCommand(const ProgramFolder& folder, const QStringList& arguments);

extern const char* const kSearchUsage;
