#pragma once

#include <QStringList>

struct ProgramFolder;

extern const char* const kPlayUsage;

// kestrel-cli play: starts the chosen emulator on an entry's disk, as the window's Play does.
int runPlayCommand(const ProgramFolder& folder, const QStringList& arguments);
