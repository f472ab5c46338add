#include "cli/AuditCommand.h"

#include "cli/Console.h"

#include "core/settings/SettingsStore.h"
#include "core/catalogue/Catalogue.h"
#include "core/Failures.h"
#include "core/images/DiskAudit.h"
#include "core/images/ImagePath.h"
#include "core/browser/Clock.h"

#include <QFileInfo>
#include <QTextStream>

#include <unistd.h>

const char* const kAuditUsage =
    "  audit [--group NAME | --entry NUMBER] [--force]\n"
    "              bring the availability codes up to date with the image files under the\n"
    "              root game folder: every disk, one group's, or one entry's disk; --force\n"
    "              audits even when the root game folder is missing\n";

namespace {

int auditOneEntry(Catalogue& catalogue, const QString& nummer, const QString& root) {
    bool numeric = false;
    nummer.toLongLong(&numeric);
    if (!numeric)
        return usageError(QStringLiteral("--entry needs an entry number"));
    ResultSet& record = catalogue.query(entryRecordStatement(nummer));
    if (record.atEnd())
        return refusal(QStringLiteral("There is no entry %1 with a disk record.").arg(nummer));
    if (record.field(u"got").toLongLong() == 2 && !record.field(u"got").isNull())
        return refusal(
            QStringLiteral("This game is currently marked as undefined and/or requires dumping"));
    const int code = auditEntry(catalogue, DiskFiles::fromCurrentRow(record), nummer, root);
    QTextStream(stdout) << nummer << " -- " << (code == 1 ? "Available" : "Unavailable") << "\n";
    return 0;
}

} // namespace

int runAuditCommand(const ProgramFolder& folder, const QStringList& arguments) {
    QString group;
    QString entry;
    bool force = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        if (option == QLatin1String("--force")) {
            force = true;
        } else if ((option == QLatin1String("--group") || option == QLatin1String("--entry")) &&
                   i + 1 < arguments.size()) {
            (option == QLatin1String("--group") ? group : entry) = arguments[++i];
        } else {
            return usageError(QStringLiteral("unknown or incomplete option %1").arg(option));
        }
    }
    if (!group.isEmpty() && !entry.isEmpty())
        return usageError(QStringLiteral("--group and --entry cannot be combined"));
    if (group == QLatin1String("ALL"))
        return refusal(QStringLiteral("No Group has been selected to audit!"));

    const QString root = readini(QStringLiteral("settings"), QStringLiteral("rootfolder"),
                                 QString(), folder.settings().file());
    if (entry.isEmpty() && !force && (root.isEmpty() || !QFileInfo(root).isDir()))
        return refusal(QStringLiteral("The root game folder \"%1\" does not exist (is its drive "
                                      "mounted?); an audit now would mark every disk unavailable. "
                                      "Use --force to audit anyway.")
                           .arg(root));

    const bool terminal = isatty(STDERR_FILENO);
    const AuditObserver show = [&](const AuditProgress& progress) {
        if (terminal)
            cliErr() << "\rPercentage complete..." << progress.percentage
                     << "%  Disks left to scan... " << progress.disksLeft << "   " << Qt::flush;
    };
    SystemClock clock;
    const quint32 start = clock.tickCount();
    Catalogue catalogue;
    try {
        catalogue.open(folder.file(Catalogue::fileName()));
        if (!entry.isEmpty())
            return auditOneEntry(catalogue, entry, root);
        const qlonglong visited = group.isEmpty() ? auditAllDisks(catalogue, root, show)
                                                  : auditGroup(catalogue, group, root, show);
        if (terminal)
            cliErr() << "\n";
        cliErr() << visited << " disks audited,"
                 << auditedInText(ticksBetween(start, clock.tickCount())) << "\n";
    } catch (const Refusal& refused) {
        return refusal(refused.text);
    } catch (const CatalogueError& error) {
        return refusal(error.message());
    }
    return 0;
}
