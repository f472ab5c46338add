// kestrel-cli: the catalogue from a terminal, for scripts. Commands arrive as the
// capabilities behind them are built.
#include "core/settings/ProgramFolder.h"
#include "cli/AuditCommand.h"
#include "cli/ImportCommand.h"
#include "cli/FavouritesCommand.h"
#include "cli/ListFormat.h"
#include "cli/PlayCommand.h"
#include "cli/SearchCommand.h"
#include "cli/VerifyCommand.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

const char* const kUsage =
    "usage: kestrel-cli [--folder DIR] COMMAND [OPTIONS]\n"
    "       kestrel-cli --version | --help\n"
    "\n"
    "Works on the catalogue, settings and files of the program folder (the folder of the\n"
    "executable, or DIR, or $KESTREL_FOLDER).\n"
    "\n"
    "commands:\n"
    "  help        this text (also --help, -h); --version (-v) prints the version\n";

void printUsage(QTextStream& stream) {
    stream << kUsage << kSearchUsage << kAuditUsage << kFavouritesUsage << kFormatUsage
           << kPlayUsage << kImportUsage << kVerifyUsage;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(KESTREL_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = QCoreApplication::arguments();
    const ProgramFolder folder =
        ProgramFolder::fromArguments(arguments, QCoreApplication::applicationDirPath());
    if (!folder.error.isEmpty()) {
        err << "kestrel-cli: " << folder.error << "\n";
        return 2;
    }
    const QString command = arguments.value(1);
    if (command.isEmpty() || command == QLatin1String("help") ||
        command == QLatin1String("--help") || command == QLatin1String("-h")) {
        printUsage(command.isEmpty() ? err : out);
        return command.isEmpty() ? 2 : 0;
    }
    if (command == QLatin1String("--version") || command == QLatin1String("-v")) {
        out << "kestrel-cli " << QCoreApplication::applicationVersion() << "\n";
        return 0;
    }
    const QStringList rest = arguments.mid(2);
    if (command == QLatin1String("search"))
        return runSearchCommand(folder, rest);
    if (command == QLatin1String("compress"))
        return runCompressCommand(folder, rest);
    if (command == QLatin1String("audit"))
        return runAuditCommand(folder, rest);
    if (command == QLatin1String("import"))
        return runImportCommand(folder, rest);
    if (command == QLatin1String("favourites"))
        return runFavouritesCommand(folder, rest);
    if (command == QLatin1String("play"))
        return runPlayCommand(folder, rest);
    if (command == QLatin1String("verify"))
        return runVerifyCommand(folder, rest);
    if (command == QLatin1String("files"))
        return runFilesCommand(folder, rest);
    err << "kestrel-cli: unknown command \"" << command << "\"\n";
    printUsage(err);
    return 2;
}
