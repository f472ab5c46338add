#pragma once

#include "core/browser/CatalogueBrowser.h"
#include "core/settings/ProgramFolder.h"
#include "gui/mainwindow/MainActions.h"

#include <QMainWindow>

#include <functional>

class Catalogue;
class Clock;
class Prompts;
class Shell;
class QLineEdit;
class DiskFilesPanel;
class ListExport;
class ResultList;
class SearchCriteriaPanel;
class StatusLine;
struct WindowLayout;

// The main window: the search criteria, the result list, the status line and the commands,
// wired to the catalogue browser, which holds the state and applies the rules. Each slot reads
// what it needs from the parts, asks the browser, and shows the outcome.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    struct Services {
        Catalogue& catalogue;
        Prompts& prompts;
        Clock& clock;
        Shell& shell;
    };

    MainWindow(const ProgramFolder& folder, Services services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up: opens the catalogue and fills every control from it and the settings. Throws
    // CatalogueError when the catalogue cannot be opened.
    void load();

    CatalogueBrowser& browser() { return m_browser; }

public Q_SLOTS:
    void search();
    void reset();
    void listFavourites();
    void compress();
    void selectRow();
    void play();
    void placeInDriveB();
    void chooseEmulator(Emulator emulator);
    void auditAll();
    void auditGroup();
    void auditGame();
    void addFavourite();
    void removeFavourite();
    void clearFavourites();
    void saveList();
    void pasteList();
    void stampReport();
    void showSettings();
    void editDiskSet();
    void editSingleDisk();
    void showAbout();
    void importCatalogue();
    void verifyImages();
    void showDiskFiles(bool shown);
    void showReleaseNotes();
    void showSyntax();
    void quit();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void run(Command command);
    // Runs an action; a refusal or failure it throws is shown in a message box.
    void attempt(const std::function<void()>& action);
    void chooseGroup(const QString& group);
    void clickColumn(int position);
    void switchColumnOrder(bool reversed);
    void refill();
    void showListing(ListingResult result);
    SearchCriteria criteria() const;
    bool confirmRootFolder();
    void runAudit(const std::function<CatalogueBrowser::AuditResult(const AuditObserver&)>& audit);
    void showPlaceTip();
    void showSelectedDisk();
    void restoreSize(const WindowLayout& layout);
    WindowLayout currentLayout() const;
    void refuse(const Refusal& refusal);
    void report(const KestrelError& error);

    ProgramFolder m_folder;
    Services m_services;
    CatalogueBrowser m_browser;
    SearchCriteriaPanel* m_criteria = nullptr;
    ResultList* m_list = nullptr;
    StatusLine* m_status = nullptr;
    MainActions* m_actions = nullptr;
    QLineEdit* m_listModeBox = nullptr;
    ListExport* m_export = nullptr;
    DiskFilesPanel* m_diskFiles = nullptr;
};
