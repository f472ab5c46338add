// kestrel: the main window on the catalogue of the program folder.
#include "gui/platform/Images.h"
#include "core/settings/ProgramFolder.h"
#include "gui/mainwindow/Startup.h"
#include "core/catalogue/Catalogue.h"
#include "core/browser/Clock.h"
#include "gui/platform/DisplayCheck.h"
#include "gui/platform/Prompts.h"
#include "gui/platform/Shell.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <cstdlib>

namespace {

// The command line, read before the window system is touched so that --help and --version
// answer in a terminal without a display. Ends the process for those and for a usage error;
// otherwise gives the "--folder" option's value (empty when not given).
QString readCommandLine(int argc, char** argv) {
    QCoreApplication reading(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Atari ST compilation disk catalogue browser.\n"
        "An installed kestrel keeps the catalogue in ~/.local/share/kestrel and the settings\n"
        "in ~/.config/kestrel; see kestrel(1)."));
    const QCommandLineOption folder(
        QStringLiteral("folder"),
        QStringLiteral("Work on the catalogue, settings and files of DIR (also $KESTREL_FOLDER)."),
        QStringLiteral("DIR"));
    parser.addOption(folder);
    parser.addOption(
        {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Displays this help.")});
    parser.addVersionOption();
    if (!parser.parse(QCoreApplication::arguments()) || !parser.positionalArguments().isEmpty()) {
        const QString error = parser.errorText().isEmpty()
                                  ? QStringLiteral("unexpected argument \"%1\"")
                                        .arg(parser.positionalArguments().constFirst())
                                  : parser.errorText();
        std::fprintf(stderr, "kestrel: %s\nTry 'kestrel --help'.\n", qPrintable(error));
        std::exit(2);
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    return parser.value(folder);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("Kestrel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.0"));
    const QString chosenFolder = readCommandLine(argc, argv);

    // Without a display the toolkit would abort with a message of its own; say it plainly.
    const QString noDisplay = missingDisplayReason();
    if (!noDisplay.isEmpty()) {
        std::fprintf(stderr, "kestrel: %s\n", qPrintable(noDisplay));
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("io.github.kestrel"));
    QApplication::setWindowIcon(applicationIcon());

    QtPrompts prompts;
    const ProgramFolder folder =
        ProgramFolder::locate(chosenFolder, QApplication::applicationDirPath());
    if (!folder.error.isEmpty()) {
        prompts.refuse(nullptr, folder.error);
        return 2;
    }

    Catalogue catalogue;
    SystemClock clock;
    SystemShell shell;
    std::unique_ptr<MainWindow> window;
    if (const int status = openMainWindow(folder, {catalogue, prompts, clock, shell}, window))
        return status;
    return QApplication::exec();
}
