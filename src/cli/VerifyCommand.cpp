#include "cli/VerifyCommand.h"

#include "cli/Console.h"

#include "core/Failures.h"
#include "core/browser/CatalogueBrowser.h"
#include "core/browser/Clock.h"
#include "core/catalogue/Catalogue.h"
#include "core/disks/DiskCheckStore.h"
#include "core/disks/DiskFindings.h"
#include "core/disks/DiskVerification.h"
#include "core/disks/ReferenceSet.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <unistd.h>

const char* const kVerifyUsage =
    "  verify [--group NAME | --entry NUMBER] [--duplicates | --dat FILE] [--format text|json]\n"
    "              read the disk images under the root game folder and say of each whether\n"
    "              it is good, with its format, geometry, CRC32 and SHA-1; an image is read\n"
    "              again only when it changed; the availability codes stay as they are;\n"
    "              --duplicates then lists the disks whose sectors are identical; --dat\n"
    "              holds them against a reference set (a Logiqx XML DAT file): the disks\n"
    "              that match an image of it, and its images on no disk\n"
    "  files --entry NUMBER | --name PATTERN [--format text|json]\n"
    "              the files on an entry's disk, or the disks holding a file whose name\n"
    "              matches PATTERN (LIKE rules: % any run, _ one character); reads what\n"
    "              verify stored\n";

namespace {

struct Options {
    QString group;
    QString entry;
    QString name;
    QString dat;
    bool duplicates = false;
    bool json = false;
};

// Parses the options both commands share; "" when they are good, else the usage error.
QString parse(const QStringList& arguments, Options& options) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (option == QLatin1String("--duplicates"))
            options.duplicates = true;
        else if (option == QLatin1String("--group") && hasValue)
            options.group = arguments[++i];
        else if (option == QLatin1String("--entry") && hasValue)
            options.entry = arguments[++i];
        else if (option == QLatin1String("--name") && hasValue)
            options.name = arguments[++i];
        else if (option == QLatin1String("--dat") && hasValue)
            options.dat = arguments[++i];
        else if (option == QLatin1String("--format") && hasValue &&
                 (arguments[i + 1] == QLatin1String("text") ||
                  arguments[i + 1] == QLatin1String("json")))
            options.json = arguments[++i] == QLatin1String("json");
        else
            return QStringLiteral("unknown or incomplete option %1").arg(option);
    }
    bool numeric = true;
    if (!options.entry.isEmpty())
        options.entry.toLongLong(&numeric);
    if (!numeric)
        return QStringLiteral("--entry needs an entry number");
    return QString();
}

QJsonObject jsonOf(const DiskCheck& check) {
    QJsonObject object{
        {"disk", check.disk},
        {"path", check.path},
        {"state", check.missing ? QStringLiteral("missing") : stateText(check.state)}};
    if (!check.reason.isEmpty())
        object.insert("reason", check.reason);
    if (!check.missing && !check.format.isEmpty()) {
        object.insert("format", check.format);
        object.insert("sides", check.geometry.sides);
        object.insert("tracks", check.geometry.tracks);
        object.insert("sectorsPerTrack", check.geometry.sectorsPerTrack);
    }
    if (!check.sha1.isEmpty()) {
        object.insert("crc32", check.crc32);
        object.insert("sha1", check.sha1);
        object.insert("files", check.files);
    }
    return object;
}

QString textOf(const DiskCheck& check) {
    QString line =
        QStringLiteral("%1 -- %2 -- %3").arg(check.disk).arg(check.path, check.stateText());
    if (!check.sha1.isEmpty())
        line += QStringLiteral(" -- %1 %2x%3x%4 %5 %6")
                    .arg(check.format)
                    .arg(check.geometry.sides)
                    .arg(check.geometry.tracks)
                    .arg(check.geometry.sectorsPerTrack)
                    .arg(check.crc32, check.sha1);
    return line;
}

QJsonObject jsonOf(const DiskDirectoryEntry& file) {
    return {{"path", file.path},
            {"size", file.size},
            {"modified", file.modified.toString(Qt::ISODate)},
            {"folder", file.folder}};
}

QString textOf(const DiskDirectoryEntry& file) {
    return QStringLiteral("%1 -- %2 -- %3")
        .arg(file.path, file.folder ? QStringLiteral("<folder>") : QString::number(file.size),
             file.modified.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
}

void listReferenceMatches(const ReferenceMatches& matches, const ReferenceSet& set, bool asJson,
                          QJsonArray& json) {
    for (const auto& [check, rom] : matches.matched) {
        if (asJson) {
            QJsonObject object = jsonOf(check);
            object.insert("reference", check.reference);
            json.append(object);
        } else {
            cliOut() << check.disk << " -- " << check.path << " -- " << rom.game << u'/' << rom.name
                     << "\n";
        }
    }
    for (const ReferenceRom& rom : matches.unmatched) {
        if (asJson)
            json.append(QJsonObject{{"reference", rom.game + u'/' + rom.name},
                                    {"state", "not on the drive"}});
        else
            cliOut() << "not on the drive -- " << rom.game << u'/' << rom.name << "\n";
    }
    cliErr() << set.roms.size() - matches.unmatched.size() << " of " << set.roms.size()
             << " images of " << (set.name.isEmpty() ? QStringLiteral("the set") : set.name)
             << " are on the drive\n";
}

void printJson(const QJsonArray& array) {
    cliOut() << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
}

} // namespace

int runVerifyCommand(const ProgramFolder& folder, const QStringList& arguments) {
    Options options;
    if (const QString error = parse(arguments, options); !error.isEmpty())
        return usageError(error);
    if (!options.name.isEmpty())
        return usageError(QStringLiteral("--name belongs to the files command"));
    if (options.duplicates && !options.dat.isEmpty())
        return usageError(QStringLiteral("--duplicates and --dat cannot be combined"));
    if (!options.group.isEmpty() && !options.entry.isEmpty())
        return usageError(QStringLiteral("--group and --entry cannot be combined"));
    const bool terminal = isatty(STDERR_FILENO);
    QJsonArray json;
    const VerifyObserver show = [&](const DiskCheck& check, qlonglong done, qlonglong total) {
        if (options.duplicates || !options.dat.isEmpty()) {
            // Only what they ask for is listed, once every disk is read.
        } else if (options.json) {
            json.append(jsonOf(check));
        } else {
            cliOut() << textOf(check) << "\n";
        }
        if (terminal)
            cliErr() << "\r" << done << " of " << total << " disks " << Qt::flush;
        return true;
    };
    SystemClock clock;
    Catalogue catalogue;
    try {
        openCatalogue(catalogue, folder);
        CatalogueBrowser browser(catalogue, clock, folder);
        // A DAT file that cannot be read is refused before any image is.
        const ReferenceSet set =
            options.dat.isEmpty() ? ReferenceSet() : ReferenceSet::read(options.dat);
        const VerifyCounts counts =
            verifyDisks(catalogue, browser.rootFolder(), {options.group, options.entry}, show);
        if (terminal)
            cliErr() << "\n";
        if (options.duplicates) {
            for (const std::vector<DiskCheck>& same : identicalDisks(catalogue)) {
                QJsonArray disks;
                for (const DiskCheck& check : same) {
                    if (options.json)
                        disks.append(jsonOf(check));
                    else
                        cliOut() << same.front().sha1 << " -- " << check.disk << " -- "
                                 << check.path << "\n";
                }
                if (options.json)
                    json.append(disks);
            }
        }
        if (!options.dat.isEmpty())
            listReferenceMatches(matchReferenceSet(catalogue, set), set, options.json, json);
        if (options.json)
            printJson(json);
        cliErr() << counts.text() << " (" << counts.read << " read anew)\n";
    } catch (const Refusal& refused) {
        return refusal(refused.text);
    } catch (const KestrelError& error) {
        return refusal(error.message());
    }
    return 0;
}

int runFilesCommand(const ProgramFolder& folder, const QStringList& arguments) {
    Options options;
    if (const QString error = parse(arguments, options); !error.isEmpty())
        return usageError(error);
    if (options.entry.isEmpty() == options.name.isEmpty() || !options.group.isEmpty() ||
        options.duplicates)
        return usageError(QStringLiteral("files needs either --entry NUMBER or --name PATTERN"));
    SystemClock clock;
    Catalogue catalogue;
    QJsonArray json;
    try {
        openCatalogue(catalogue, folder);
        if (!options.entry.isEmpty()) {
            // The entry's disk is verified first, so that its files are those of the image
            // as it is now.
            CatalogueBrowser browser(catalogue, clock, folder);
            DiskCheck disk;
            verifyDisks(catalogue, browser.rootFolder(), {QString(), options.entry},
                        [&](const DiskCheck& check, qlonglong, qlonglong) {
                            disk = check;
                            return true;
                        });
            if (disk.missing || !disk.reason.isEmpty())
                return refusal(QStringLiteral("%1: %2").arg(disk.path, disk.stateText()));
            for (const DiskDirectoryEntry& file : DiskCheckStore(catalogue).files(disk.disk)) {
                if (options.json)
                    json.append(jsonOf(file));
                else
                    cliOut() << textOf(file) << "\n";
            }
        } else {
            for (const FileOnDisk& found : findFilesOnDisks(catalogue, options.name)) {
                if (options.json) {
                    QJsonObject object = jsonOf(found.file);
                    object.insert("disk", found.disk);
                    object.insert("image", found.image);
                    json.append(object);
                } else {
                    cliOut() << found.disk << " -- " << found.image << " -- " << textOf(found.file)
                             << "\n";
                }
            }
        }
        if (options.json)
            printJson(json);
    } catch (const Refusal& refused) {
        return refusal(refused.text);
    } catch (const CatalogueError& error) {
        return refusal(error.message());
    }
    return 0;
}
