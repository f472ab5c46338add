#include "core/images/LaunchChecks.h"

#include "core/settings/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

const QString kSetTos = QStringLiteral(
    "Choose one as \"TOS image\" in Edit > Settings. EmuTOS is a free TOS made for this: "
    "download it from https://emutos.sourceforge.io and choose one of its image files "
    "(etos1024k.img, etos192uk.img, ...).");

// The image Hatari loads when nothing names one: tos.img in its data folder, which lies at
// ../share/hatari from the program.
QString builtInTos(const QString& program) {
    QString path = program;
    if (!program.contains(u'/'))
        path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        return {};
    return QFileInfo(path).absolutePath() + QStringLiteral("/../share/hatari/tos.img");
}

bool namesTos(const QStringList& arguments) {
    return arguments.contains(QStringLiteral("--tos")) || arguments.contains(QStringLiteral("-t"));
}

} // namespace

QString missingDiskProblem(const LaunchPlan& plan) {
    for (qsizetype i = 0; i < plan.disks.size(); ++i) {
        if (QFileInfo(plan.disks[i]).isFile())
            continue;
        return QStringLiteral("%1 is not there:\n%2\n\nThe catalogue last found it there; audit "
                              "the game to bring the catalogue up to date.")
            .arg(i == 0 ? QStringLiteral("The disk image of this game")
                        : QStringLiteral("The disk image placed in drive B"),
                 plan.disks[i]);
    }
    return {};
}

QStringList hatariConfigFiles() {
    const QString home = QDir::homePath();
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = home + QStringLiteral("/.config");
    return {config + QStringLiteral("/hatari/hatari.cfg"),
            home + QStringLiteral("/.hatari/hatari.cfg"), QStringLiteral("/etc/hatari.cfg")};
}

QString hatariTosProblem(const QString& program, const EmulatorOptions& options,
                         const QStringList& configFiles) {
    if (namesTos(QProcess::splitCommand(options.extraArguments)))
        return {}; // the user's own arguments, passed on as they are
    if (!options.tosImage.isEmpty()) {
        if (QFileInfo(options.tosImage).isFile())
            return {};
        return QStringLiteral("The TOS image set for Hatari is not there:\n%1\n\n")
                   .arg(options.tosImage) +
               kSetTos;
    }
    for (const QString& file : configFiles) {
        const QString tos =
            readini(QStringLiteral("ROM"), QStringLiteral("szTosImageFileName"), QString(), file);
        if (tos.isEmpty())
            continue;
        if (QFileInfo(tos).isFile())
            return {};
        return QStringLiteral("The TOS image Hatari's settings (%1) name is not there:\n%2\n\n")
                   .arg(file, tos) +
               kSetTos;
    }
    if (QFileInfo(builtInTos(program)).isFile())
        return {};
    return QStringLiteral("Hatari needs a TOS image (the Atari ST's operating system) and none "
                          "is set, so it would stop at \"Can not load TOS file\".\n\n") +
           kSetTos;
}
