#pragma once

#include "core/settings/ProgramFolder.h"

#include <QStringList>

// `kestrel-cli favourites [list | add NUMBER | remove NUMBER | clear]`: the favourites of the
// window's pop-up menu and toolbar from a terminal. `arguments` are those after the command
// name. Returns the exit status: 0 done, 1 refused, 2 a usage error.
int runFavouritesCommand(const ProgramFolder& folder, const QStringList& arguments);

extern const char* const kFavouritesUsage;
