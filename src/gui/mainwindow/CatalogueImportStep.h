#pragma once

#include "core/catalogue/CatalogueReplacement.h"
#include "core/catalogue/OriginalCatalogue.h"
#include "core/settings/ProgramFolder.h"

class Prompts;
class QWidget;

// Imports `mdbPath` into `cataloguePath` (replacing it, after a backup, when it is there) while
// a modal progress dialog shows how far it is. Throws CatalogueError.
CatalogueReplacement importWithProgress(QWidget* parent, const QString& mdbPath,
                                        const QString& cataloguePath);

// The start-up step before the main window, when the folder of the user's data holds the
// original ".mdb". Without a working catalogue it is imported once; a failure is told and ends the
// program (the exit status is returned). Beside the demo catalogue the user is offered the
// import instead (a refusal is remembered for that file); a failure then leaves the demo
// catalogue in place. Returns 0 to go on.
int importOriginalCatalogue(const ProgramFolder& folder, Prompts& prompts);
