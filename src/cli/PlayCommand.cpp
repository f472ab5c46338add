#include "cli/PlayCommand.h"

#include "cli/Console.h"

#include "core/browser/CatalogueBrowser.h"
#include "core/browser/Clock.h"
#include "core/catalogue/Catalogue.h"
#include "core/images/StartWatch.h"

#include <QCommandLineParser>
#include <QEventLoop>

#include <memory>

const char* const kPlayUsage =
    "  play NUMBER [--drive-b NUMBER]\n"
    "              start the chosen emulator on the entry's disk, with the other entry's\n"
    "              disk in drive B, after the window's checks; waits a few seconds and\n"
    "              fails with what the emulator printed when it stops at once\n";

namespace {

// Waits out the first seconds of the start; 1 when the emulator stopped with a failure.
int watch(std::unique_ptr<StartRecord> record, const QString& program) {
    SystemClock clock;
    QEventLoop loop;
    int status = 0;
    auto* watch = new StartWatch(std::move(record), program, clock);
    QObject::connect(watch, &StartWatch::failed,
                     [&](const QString& message) { status = refusal(message); });
    QObject::connect(watch, &StartWatch::finished, &loop, &QEventLoop::quit);
    loop.exec();
    return status;
}

} // namespace

int runPlayCommand(const ProgramFolder& folder, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("NUMBER"), QStringLiteral("the entry to play"));
    const QCommandLineOption driveB(QStringLiteral("drive-b"),
                                    QStringLiteral("the entry whose disk goes in drive B"),
                                    QStringLiteral("NUMBER"));
    parser.addOption(driveB);
    // The parser takes the program name first.
    if (!parser.parse(QStringList{QStringLiteral("play")} + arguments))
        return usageError(parser.errorText());
    const QStringList numbers = parser.positionalArguments();
    if (numbers.size() != 1)
        return usageError(QStringLiteral("play needs one entry number"));
    const QString nummer = numbers.first();
    const QString driveBNummer = parser.value(driveB);
    for (const QString& number :
         parser.isSet(driveB) ? QStringList{nummer, driveBNummer} : QStringList{nummer})
        if (!isEntryNumber(number))
            return usageError(QStringLiteral("\"%1\" is not an entry number").arg(number));

    Catalogue catalogue;
    SystemClock clock;
    LaunchPlan plan;
    try {
        openCatalogue(catalogue, folder);
        CatalogueBrowser browser(catalogue, clock, folder);
        plan = browser.playEntry(nummer, driveBNummer);
    } catch (const Refusal& refused) {
        return refusal(refused.text);
    } catch (const KestrelError& error) {
        return refusal(error.message());
    }
    if (!plan.startable)
        return 0;
    auto record = std::make_unique<StartRecord>();
    const QString failure =
        startDetachedProgram(plan.program, plan.arguments, plan.workingFolder, record.get());
    if (!failure.isEmpty())
        return refusal(notStartedText(plan.program, failure));
    return watch(std::move(record), plan.program);
}
