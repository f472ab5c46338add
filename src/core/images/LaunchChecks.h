#pragma once

#include "core/images/EmulatorLaunch.h"

#include <QString>
#include <QStringList>

// What is looked at before an emulator is started, so that a launch that cannot work is
// refused with the reason instead of failing out of sight. The texts are shown by the window
// and by kestrel-cli alike.

// The refusal when a disk of the plan is not there (the availability code only reflects the
// last audit), naming its path; "" when every disk is.
QString missingDiskProblem(const LaunchPlan& plan);

// Hatari's own configuration files that may name a TOS image, the user's before the global
// one: $XDG_CONFIG_HOME/hatari (or ~/.config/hatari), the older ~/.hatari, then /etc.
QStringList hatariConfigFiles();

// Why Hatari would stop at "Can not load TOS file": no TOS image set here, in its arguments,
// in `configFiles` or in its data folder beside the program, or the one set is missing. ""
// when Hatari has one.
QString hatariTosProblem(const QString& program, const EmulatorOptions& options,
                         const QStringList& configFiles = hatariConfigFiles());
