#pragma once

#include "core/settings/ProgramFolder.h"

#include <QStringList>

// `kestrel-cli audit [--group NAME | --entry NUMBER] [--force]`: the window's audits from a
// terminal. Returns the exit status: 0 done, 1 refused, 2 a usage error.
int runAuditCommand(const ProgramFolder& folder, const QStringList& arguments);

extern const char* const kAuditUsage;
