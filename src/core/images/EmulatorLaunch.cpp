#include "core/images/EmulatorLaunch.h"

#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <utility>

namespace {

// Both separators count: the settings may have been written on Windows or here.
qsizetype lastSeparator(const QString& path) {
    return std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
}

// STeem reads its command line with its own quoting: each path is wrapped in five quotes so
// that it arrives as one argument whatever it holds.
const QString steemFence = QStringLiteral("\"\"\"\"\"");

QString displayed(const QString& argument) {
    if (argument.isEmpty() || argument.contains(u' '))
        return u'"' + argument + u'"';
    return argument;
}

} // namespace

QString namePart(const QString& programPath) {
    return programPath.mid(lastSeparator(programPath) + 1);
}

QString configurationProblem(Emulator emulator, const QString& programPath) {
    const QString name = namePart(programPath);
    const EmulatorRow& row = emulatorRow(emulator);
    for (const char* accepted : row.programNames)
        if (accepted && name == QLatin1String(accepted))
            return {};
    return QLatin1String(row.notConfigured);
}

namespace {

QString joinedForShow(const QStringList& arguments) {
    QStringList shown;
    for (const QString& argument : arguments)
        shown.append(displayed(argument));
    return shown.join(u' ');
}

// The user's arguments and Hatari's TOS image before the emulator's own, in the argument list
// and in the parameter text.
void addOptions(Emulator emulator, const EmulatorOptions& options, LaunchPlan& plan) {
    QStringList before;
    if (emulator == Emulator::Hatari && !options.tosImage.isEmpty())
        before = {QStringLiteral("--tos"), options.tosImage};
    before += QProcess::splitCommand(options.extraArguments);
    if (before.isEmpty())
        return;
    plan.arguments = before + plan.arguments;
    plan.parameterText = joinedForShow(before) + u' ' + plan.parameterText;
}

} // namespace

LaunchPlan planLaunch(Emulator emulator, const QString& programPath, const QString& imagePath,
                      const QString& driveBPath, const EmulatorOptions& options) {
    LaunchPlan plan;
    plan.program = programPath;
    plan.disks = {imagePath};
    switch (emulator) {
    case Emulator::Steem:
        plan.parameterText =
            steemFence + imagePath + steemFence + u' ' + steemFence + driveBPath + steemFence;
        plan.arguments = {imagePath};
        if (!driveBPath.isEmpty()) {
            plan.arguments.append(driveBPath);
            plan.disks.append(driveBPath);
        }
        break;
    case Emulator::Stew:
        plan.parameterText = shortPath(imagePath);
        if (!plan.parameterText.isEmpty())
            plan.arguments = {plan.parameterText};
        break;
    case Emulator::Hatari: {
        // The disk given last is put in drive A and booted from.
        if (!driveBPath.isEmpty()) {
            plan.arguments = {QStringLiteral("--disk-b"), driveBPath};
            plan.disks.append(driveBPath);
        }
        plan.arguments.append(imagePath);
        plan.parameterText = joinedForShow(plan.arguments);
        break;
    }
    case Emulator::Saint: {
        // SainT takes no disk on its command line: the image goes into SainT.ini beside the
        // program, which it is then told to read.
        const qsizetype separator = lastSeparator(programPath);
        if (separator < 0) {
            plan.startable = false;
            break;
        }
        // A program in the root keeps the root as its folder rather than none.
        plan.workingFolder = programPath.left(separator == 0 ? 1 : separator);
        plan.iniFile = programPath.left(separator + 1) + QStringLiteral("SainT.ini");
        plan.parameterText = QStringLiteral(" -autorun SainT.ini");
        plan.arguments = {QStringLiteral("-autorun"), QStringLiteral("SainT.ini")};
        break;
    }
    }
    if (plan.startable)
        addOptions(emulator, options, plan);
    return plan;
}

QString shortPath(const QString& path) {
    return QFileInfo::exists(path) ? path : QString();
}
