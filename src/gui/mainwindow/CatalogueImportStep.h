#pragma once

#include "core/settings/ProgramFolder.h"

class Prompts;

// The user's original catalogue, as the program folder may hold it.
QString originalCatalogueFileName();

// The start-up step before the main window: when the working catalogue is absent and the
// original ".mdb" lies in the program folder, imports it once while a progress dialog shows
// how far it is. Returns 0 to go on (imported, or nothing to import), or, after telling the
// user which file could not be imported and why, the exit status to end with.
int importOriginalCatalogue(const ProgramFolder& folder, Prompts& prompts);
