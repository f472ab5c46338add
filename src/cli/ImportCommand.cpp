#include "cli/ImportCommand.h"

#include "cli/Console.h"

#include "core/catalogue/Catalogue.h"
#include "core/Failures.h"
#include "core/catalogue/CatalogueReplacement.h"

#include <QFileInfo>
#include <QTextStream>

#include <unistd.h>

const char* const kImportUsage =
    "  import FILE.mdb [--replace]\n"
    "              convert the original Access catalogue into the program folder's catalogue;\n"
    "              an existing catalogue is only replaced with --replace, and is kept first\n"
    "              beside it as a dated backup\n";

int runImportCommand(const ProgramFolder& folder, const QStringList& arguments) {
    QString source;
    bool replace = false;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--replace"))
            replace = true;
        else if (argument.startsWith(QLatin1String("--")) || !source.isEmpty())
            return usageError(QStringLiteral("unknown or surplus argument %1").arg(argument));
        else
            source = argument;
    }
    if (source.isEmpty())
        return usageError(QStringLiteral("import needs the .mdb file to import"));
    source = QFileInfo(source).absoluteFilePath();

    const QString catalogue = folder.dataFile(Catalogue::fileName());
    const bool exists = QFileInfo::exists(catalogue);
    if (exists && !replace) {
        cliErr() << "The working catalogue already exists:\n"
                 << catalogue << "\nUse --replace to replace it (it is kept as a dated backup).\n";
        return 1;
    }
    const bool terminal = isatty(STDERR_FILENO);
    const MdbImportProgress show = [&](qint64 done, qint64 total) {
        if (terminal && total > 0)
            cliErr() << "\rImporting... " << done * 100 / total << "%" << Qt::flush;
    };
    CatalogueReplacement replaced;
    try {
        replaced = replaceCatalogue(source, catalogue, show);
    } catch (const CatalogueError& error) {
        if (terminal)
            cliErr() << "\n";
        return refusal(error.message());
    }
    if (terminal)
        cliErr() << "\n";
    const MdbImportCounts& counts = replaced.counts;
    for (const MdbImportCounts::Table& table : counts.tables)
        cliOut() << table.name << " -- " << table.rows << " rows\n";
    cliOut() << counts.tables.size() << " tables, " << counts.totalRows() << " rows imported into "
             << catalogue << "\n";
    if (!replaced.backup.isEmpty())
        cliErr() << keptCatalogueText(replaced.backup) << "\n";
    return 0;
}
