#include "cli/AuditCommand.h"

#include "cli/Console.h"

#include "core/settings/SettingsStore.h"
#include "core/browser/CatalogueBrowser.h"
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
    "              audits even when the root game folder is missing, empty or holds none\n"
    "              of the disks' folders\n";

namespace {

int auditOneEntry(CatalogueBrowser& browser, const QString& nummer) {
    bool numeric = false;
    nummer.toLongLong(&numeric);
    if (!numeric)
        return usageError(QStringLiteral("--entry needs an entry number"));
    const EntryRecord record = browser.recordOf(nummer);
    const bool undumped = !record.got.isNull() && record.got.toLongLong() == 2;
    const int code = browser.auditEntry(nummer, undumped);
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
        return refusal(CatalogueBrowser::noGroupToAudit().text);

    const bool terminal = isatty(STDERR_FILENO);
    const AuditObserver show = [&](const AuditProgress& progress) {
        if (terminal)
            cliErr() << "\rPercentage complete..." << progress.percentage
                     << "%  Disks left to scan... " << progress.disksLeft << "   " << Qt::flush;
    };
    SystemClock clock;
    Catalogue catalogue;
    try {
        openCatalogue(catalogue, folder);
        CatalogueBrowser browser(catalogue, clock, folder);
        if (!entry.isEmpty())
            return auditOneEntry(browser, entry);
        const QString problem = browser.rootFolderProblem();
        if (!force && !problem.isEmpty())
            return refusal(problem + QStringLiteral("\nUse --force to audit anyway."));
        const CatalogueBrowser::AuditResult result =
            group.isEmpty() ? browser.auditAll(show) : browser.auditGroup(group, show);
        if (terminal)
            cliErr() << "\n";
        cliErr() << result.visited << " disks audited," << result.timeText << "\n";
    } catch (const Refusal& refused) {
        return refusal(refused.text);
    } catch (const CatalogueError& error) {
        return refusal(error.message());
    }
    return 0;
}
