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

// What starting an emulator on a disk takes.
struct LaunchPlan {
    QString program;       // the configured program path
    QString parameterText; // the parameter text of the launch, as one line
    QStringList arguments; // the same, split into arguments as the emulator expects
    QString workingFolder; // empty for none
    QString iniFile;       // SainT: the file whose [Disks] DriveA gets the image first
    bool startable = true; // false when nothing is to happen (a SainT path without a folder)
};

// The launch of `imagePath` (and, where the emulator takes one, `driveBPath` in drive B).
LaunchPlan planLaunch(Emulator emulator, const QString& programPath, const QString& imagePath,
                      const QString& driveBPath);

// The path unchanged when it exists, the empty text when it does not (file systems here have
// no short names).
QString shortPath(const QString& path);
