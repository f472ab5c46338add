// kestrel-demo-catalogue: writes the invented catalogue the program ships with, the same
// bytes of data for the same entry count and seed on every machine.

#include "DemoData.h"
#include "DemoDisks.h"
#include "DemoEntries.h"
#include "DemoGroups.h"
#include "DemoRandom.h"
#include "DemoTitles.h"
#include "DemoWriter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>

namespace {

constexpr int kDefaultEntries = 15000;
constexpr std::uint64_t kDefaultSeed = 19870515;

int failWith(const QString& message) {
    std::fprintf(stderr, "kestrel-demo-catalogue: %s\n", qPrintable(message));
    return 1;
}

// Each stage draws from its own stream, so a change to one (another word in a list, say)
// leaves the choices of the others alone.
DemoRandom stream(std::uint64_t seed, std::uint64_t stage) {
    return DemoRandom(DemoRandom(seed ^ (stage * 0xD1B54A32D192ED03ull)).next());
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kestrel-demo-catalogue"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes Kestrel's demo catalogue."));
    parser.addHelpOption();
    const QCommandLineOption entriesOption(
        QStringLiteral("entries"),
        QStringLiteral("Number of game entries (default %1).").arg(kDefaultEntries),
        QStringLiteral("N"), QString::number(kDefaultEntries));
    const QCommandLineOption seedOption(
        QStringLiteral("seed"),
        QStringLiteral("Seed of the invented data (default %1).").arg(kDefaultSeed),
        QStringLiteral("S"), QString::number(kDefaultSeed));
    const QCommandLineOption dataOption(
        QStringLiteral("data"),
        QStringLiteral("Data folder with groups/ and demo/ (default %1).")
            .arg(QStringLiteral(KESTREL_DEMO_DATA_DIR)),
        QStringLiteral("DIR"), QStringLiteral(KESTREL_DEMO_DATA_DIR));
    parser.addOption(entriesOption);
    parser.addOption(seedOption);
    parser.addOption(dataOption);
    parser.addPositionalArgument(QStringLiteral("OUTPUT"),
                                 QStringLiteral("The catalogue file to write."));
    parser.process(app);

    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);
    bool entriesOk = false;
    const int entries = parser.value(entriesOption).toInt(&entriesOk);
    if (!entriesOk || entries < 0)
        return failWith(QStringLiteral("--entries wants a whole number of 0 or more"));
    bool seedOk = false;
    const std::uint64_t seed = parser.value(seedOption).toULongLong(&seedOk, 0);
    if (!seedOk)
        return failWith(QStringLiteral("--seed wants a whole number (decimal or 0x hex)"));

    const QString output = parser.positionalArguments().front();
    if (QFileInfo(output).isDir())
        return failWith(QStringLiteral("%1 is a folder").arg(output));
    if (QFileInfo::exists(output) && !isDemoCatalogue(output)) {
        QTextStream(stderr) << "kestrel-demo-catalogue: " << output
                            << " is not a demo catalogue; it stays as it is\n";
        return 0;
    }
    const QString temporary = output + QStringLiteral(".tmp");

    try {
        const DemoData data = DemoData::load(parser.value(dataOption));
        DemoRandom groupRandom = stream(seed, 1);
        DemoRandom diskRandom = stream(seed, 2);
        DemoRandom titleRandom = stream(seed, 3);
        DemoRandom entryRandom = stream(seed, 4);

        const auto groups = planGroups(data, groupRandom);
        const auto disks = planDisks(groups, entries, diskRandom);
        // About one title for every two entries: most games turn up once or twice.
        const auto titles = makeGameTitles(data, std::max(50, entries * 45 / 100), titleRandom);
        const auto rows =
            planEntries(disks, titles, data.words.at(QStringLiteral("extras")), entryRandom);

        QFile::remove(temporary);
        writeDemoCatalogue(temporary, disks, rows);
        // Replaces an older catalogue in one step: readers see the old file or the new one.
        std::filesystem::rename(QFile::encodeName(temporary).toStdString(),
                                QFile::encodeName(output).toStdString());
    } catch (const std::exception& error) {
        QFile::remove(temporary);
        return failWith(QString::fromUtf8(error.what()));
    }
    return 0;
}
