#include "cli/ImportCommand.h"

#include "cli/Console.h"

#include "core/catalogue/Catalogue.h"
#include "core/Failures.h"
#include "core/catalogue/MdbImport.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <unistd.h>

const char* const kImportUsage =
    "  import FILE.mdb [--replace]\n"
    "              convert the original Access catalogue into the program folder's catalogue;\n"
    "              an existing catalogue is only replaced with --replace, and is kept first\n"
    "              beside it as a dated backup\n";

namespace {

// "<catalogue>.YYYY-MM-DD-HHMMSS.bak"; a second replacement within the same second gets a
// number too, so that no backup is ever overwritten.
QString backupPath(const QString& catalogue) {
    const QString stem = catalogue + QLatin1Char('.') +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    QString path = stem + QStringLiteral(".bak");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + QStringLiteral("-%1.bak").arg(n);
    return path;
}

} // namespace

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

    const QString catalogue = folder.file(Catalogue::fileName());
    const bool exists = QFileInfo::exists(catalogue);
    if (exists && !replace) {
        cliErr() << "The working catalogue already exists:\n"
                 << catalogue << "\nUse --replace to replace it (it is kept as a dated backup).\n";
        return 1;
    }
    QString backup;
    if (exists) {
        backup = backupPath(catalogue);
        if (!QFile::copy(catalogue, backup)) {
            cliErr() << "The working catalogue cannot be backed up as:\n" << backup << "\n";
            return 1;
        }
    }

    const bool terminal = isatty(STDERR_FILENO);
    const MdbImportProgress show = [&](qint64 done, qint64 total) {
        if (terminal && total > 0)
            cliErr() << "\rImporting... " << done * 100 / total << "%" << Qt::flush;
    };
    MdbImportCounts counts;
    try {
        counts = importMdb(source, catalogue, show,
                           exists ? MdbImportTarget::Replace : MdbImportTarget::MustBeNew);
    } catch (const CatalogueError& error) {
        if (terminal)
            cliErr() << "\n";
        // Nothing was changed, so the copy made for the replacement is not needed.
        if (!backup.isEmpty())
            QFile::remove(backup);
        return refusal(error.message());
    }
    if (terminal)
        cliErr() << "\n";
    for (const MdbImportCounts::Table& table : counts.tables)
        cliOut() << table.name << " -- " << table.rows << " rows\n";
    cliOut() << counts.tables.size() << " tables, " << counts.totalRows() << " rows imported into "
             << catalogue << "\n";
    if (!backup.isEmpty())
        cliErr() << "The previous catalogue is kept as:\n" << backup << "\n";
    return 0;
}
