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

#include <cstdio>

int main(int argc, char** argv) {
    // Without a display the toolkit would abort with a message of its own; say it plainly.
    const QString noDisplay = missingDisplayReason();
    if (!noDisplay.isEmpty()) {
        std::fprintf(stderr, "kestrel: %s\n", qPrintable(noDisplay));
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrel"));
    QApplication::setApplicationVersion(QStringLiteral("2.0"));
    QApplication::setDesktopFileName(QStringLiteral("kestrel"));
    QApplication::setWindowIcon(applicationIcon());

    QtPrompts prompts;
    QStringList arguments = QApplication::arguments();
    const ProgramFolder folder =
        ProgramFolder::fromArguments(arguments, QApplication::applicationDirPath());
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
