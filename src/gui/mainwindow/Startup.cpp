#include "gui/mainwindow/Startup.h"

#include "gui/mainwindow/CatalogueImportStep.h"
#include "core/Failures.h"
#include "gui/platform/Prompts.h"

int openMainWindow(const ProgramFolder& folder, Form1::Services services,
                   std::unique_ptr<Form1>& window) {
    if (const int status = importOriginalCatalogue(folder, services.prompts))
        return status;
    window = std::make_unique<Form1>(folder, services);
    try {
        window->Form_Load();
    } catch (const CatalogueError& error) {
        window.reset();
        services.prompts.message(nullptr, error.message(), QStringLiteral("Atari ST Kestrel"),
                                 Prompts::Buttons::Ok, Prompts::Icon::Critical);
        return 1;
    }
    window->show();
    return 0;
}
