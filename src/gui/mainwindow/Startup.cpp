#include "gui/mainwindow/Startup.h"

#include "gui/mainwindow/CatalogueImportStep.h"
#include "core/Failures.h"
#include "gui/platform/Prompts.h"

int openMainWindow(const ProgramFolder& folder, MainWindow::Services services,
                   std::unique_ptr<MainWindow>& window) {
    if (const int status = importOriginalCatalogue(folder, services.prompts))
        return status;
    window = std::make_unique<MainWindow>(folder, services);
    try {
        window->load();
    } catch (const CatalogueError& error) {
        window.reset();
        services.prompts.message(nullptr, error.message(), Refusal::defaultCaption(),
                                 Prompts::Buttons::Ok, Prompts::Icon::Critical);
        return 1;
    }
    window->show();
    return 0;
}
