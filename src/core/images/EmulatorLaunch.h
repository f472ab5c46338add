#pragma once

#include "core/images/Emulators.h"

#include <QString>
#include <QStringList>

// The file name of a configured program path: the text after its last "/" or "\", the
// whole text when it has neither.
QString namePart(const QString& programPath);

// The refusal when the configured program is not the one expected ("You have not configured
// STeem correctly!" ...); the empty text when it is. Names are compared exactly, with case.
QString configurationProblem(Emulator emulator, const QString& programPath);

// What the user adds to every launch (the Settings dialog): a TOS image for Hatari, and
// arguments for whichever emulator is chosen, as typed, split as a shell would split them.
struct EmulatorOptions {
    QString tosImage;
    QString extraArguments;
    bool operator==(const EmulatorOptions&) const = default;
};

// What starting an emulator on a disk takes.
struct LaunchPlan {
    QString program;       // the configured program path
    QString parameterText; // the parameter text of the launch, as one line
    QStringList arguments; // the same, split into arguments as the emulator expects
    QString workingFolder; // empty for none
    QString iniFile;       // SainT: the file whose [Disks] DriveA gets the image first
    bool startable = true; // false when nothing is to happen (a SainT path without a folder)
    QStringList disks;     // the image files handed over: the game's, then drive B's if taken
};

// The launch of `imagePath` (and, where the emulator takes one, `driveBPath` in drive B). The
// extra arguments come first, so that the disk stays where each emulator looks for it: last,
// or in SainT's file; Hatari's TOS image comes before them, so that theirs can override it.
LaunchPlan planLaunch(Emulator emulator, const QString& programPath, const QString& imagePath,
                      const QString& driveBPath, const EmulatorOptions& options = {});

// The path unchanged when it exists, the empty text when it does not (file systems here have
// no short names).
QString shortPath(const QString& path);
