#include "gui/mainwindow/MainWindow.h"

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueSummary.h"
#include "core/disks/DiskFindings.h"
#include "core/favourites/Favourites.h"
#include "core/images/StartWatch.h"
#include "core/search/GroupLists.h"
#include "core/search/SearchHistory.h"
#include "core/settings/WindowLayout.h"
#include "gui/dialogs/AboutDialog.h"
#include "gui/dialogs/EditDiskSetDialog.h"
#include "gui/dialogs/EditSingleDiskDialog.h"
#include "gui/dialogs/ReleaseNotesDialog.h"
#include "gui/dialogs/SettingsDialog.h"
#include "gui/mainwindow/CatalogueImportStep.h"
#include "gui/mainwindow/DiskFilesPanel.h"
#include "gui/mainwindow/ListExport.h"
#include "gui/mainwindow/MainWindowNames.h"
#include "gui/mainwindow/ResultList.h"
#include "gui/mainwindow/SearchCriteriaPanel.h"
#include "gui/mainwindow/StatusLine.h"
#include "gui/mainwindow/VerifyProgress.h"
#include "gui/mainwindow/Widgets.h"
#include "gui/platform/Images.h"
#include "gui/platform/Prompts.h"
#include "gui/platform/Shell.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLineEdit>
#include <QScopeGuard>
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>

#include <map>

namespace {

const QString kCaption = QStringLiteral("The Atari ST Kestrel v2.0 - The Tarnwell Edition [BETA]");
const QString kReady = QStringLiteral(" Status: Ready To Search");

} // namespace

MainWindow::MainWindow(const ProgramFolder& folder, Services services, QWidget* parent)
    : QMainWindow(parent), m_folder(folder), m_services(services),
      m_browser(services.catalogue, services.clock, folder) {
    setObjectName(QLatin1String(names::window));
    setWindowIcon(applicationIcon());
    resize(960, 680);

    m_actions = new MainActions(this);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 2);
    m_criteria = new SearchCriteriaPanel(central);
    m_list = new ResultList(central);
    m_status = new StatusLine(this);
    // The disk's files beside the list, hidden until the user asks for them.
    auto* split = new QSplitter(Qt::Horizontal, central);
    split->setObjectName(QStringLiteral("ListSplitter"));
    split->setChildrenCollapsible(false);
    m_diskFiles = new DiskFilesPanel(split);
    split->addWidget(m_list);
    split->addWidget(m_diskFiles);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 1);
    m_diskFiles->hide();
    layout->addWidget(m_criteria);
    layout->addWidget(split, 1);
    layout->addWidget(m_status->textsRow());
    // A hidden mirror of the list mode, for scripts that read it.
    m_listModeBox =
        named<QLineEdit>(names::listModeBox, listModeText(m_browser.listMode()), central);
    m_listModeBox->hide();
    setCentralWidget(central);
    m_export = new ListExport(this, m_browser, services.prompts, *m_list, *m_status);

    connect(m_actions, &MainActions::triggered, this, &MainWindow::run);
    connect(m_actions, &MainActions::emulatorChosen, this,
            [this](Emulator emulator) { attempt([&] { chooseEmulator(emulator); }); });
    connect(m_criteria, &SearchCriteriaPanel::searchRequested, this,
            [this] { attempt([this] { search(); }); });
    connect(m_criteria, &SearchCriteriaPanel::resetRequested, this, &MainWindow::reset);
    connect(m_criteria, &SearchCriteriaPanel::exitRequested, this, &MainWindow::close);
    connect(m_criteria, &SearchCriteriaPanel::groupChosen, this, &MainWindow::chooseGroup);
    connect(m_criteria, &SearchCriteriaPanel::columnOrderToggled, this,
            [this](bool reversed) { attempt([&] { switchColumnOrder(reversed); }); });
    connect(m_list, &ResultList::rowChosen, this, &MainWindow::selectRow);
    connect(m_list, &ResultList::rowActivated, m_actions->toolbarAction(Command::Play),
            &QAction::trigger);
    connect(m_list, &ResultList::headerClicked, this, &MainWindow::clickColumn);
    connect(m_list, &ResultList::popupRequested, m_actions, &MainActions::popup);
    connect(m_status, &StatusLine::hovered, this, &MainWindow::showPlaceTip);
    connect(&m_browser, &CatalogueBrowser::listModeChanged, this,
            [this](ListMode mode) { m_listModeBox->setText(listModeText(mode)); });
}

MainWindow::~MainWindow() = default;

void MainWindow::load() {
    setWindowTitle(kCaption);
    const WindowLayout layout = readWindowLayout(m_browser.settings());
    restoreSize(layout);
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2,
             area.top() + (area.height() - height()) / 2);
    }
    // Centred first, so that leaving the maximised state brings it back there.
    if (layout.maximised)
        setWindowState(windowState() | Qt::WindowMaximized);
    m_services.catalogue.open(m_folder.dataFile(Catalogue::fileName()));

    const Settings settings = m_browser.settings();
    m_list->setColumns(settings.columnCaptions(), QStringLiteral("nummer"));
    // Switching the column order on runs the switch at once, before the first sort.
    m_criteria->setReversedColumns(settings.isOn(SettingKey::ReverseColumns));
    // Set to descending, so that the click on the first column makes it ascending.
    ListSort sort;
    sort.direction = ListSort::Descending;
    m_list->setSort(sort);
    clickColumn(1);
    if (layout.firstColumnWidth)
        m_list->setFirstColumnWidth(*layout.firstColumnWidth);
    showDiskFiles(layout.diskFilesShown);
    // A catalogue of an earlier build is upgraded once on opening; the user hears of it here.
    const QString& upgraded = m_services.catalogue.upgradeNotice();
    m_status->setStatus(upgraded.isEmpty() ? kReady : upgraded);
    m_criteria->fill(groupBoxNames(), readSearchHistory(settings.file()));
    m_criteria->setFilters(settings.availabilityFilter());
    m_actions->setEmulator(m_browser.emulator());
    // Ready for a title and Enter.
    m_criteria->focusSearchBox();
}

void MainWindow::restoreSize(const WindowLayout& layout) {
    if (layout.size) {
        // A size kept on a larger screen, or written by hand, still fits on this one.
        const QScreen* screen = this->screen();
        resize(screen ? layout.size->boundedTo(screen->availableGeometry().size()) : *layout.size);
    }
}

WindowLayout MainWindow::currentLayout() const {
    WindowLayout layout;
    layout.maximised = isMaximized();
    layout.size = layout.maximised ? normalGeometry().size() : size();
    layout.firstColumnWidth = m_list->firstColumnWidth();
    layout.diskFilesShown = !m_diskFiles->isHidden();
    return layout;
}

void MainWindow::run(Command command) {
    if (command == Command::ShowDiskFiles)
        return showDiskFiles(findChild<QAction*>(QStringLiteral("mnudiskfiles"))->isChecked());
    using Slot = void (MainWindow::*)();
    static const std::map<Command, Slot> slots{
        {Command::Play, &MainWindow::play},
        {Command::Audit, &MainWindow::auditAll},
        {Command::Favourites, &MainWindow::listFavourites},
        {Command::Settings, &MainWindow::showSettings},
        {Command::Compress, &MainWindow::compress},
        {Command::Save, &MainWindow::saveList},
        {Command::Paste, &MainWindow::pasteList},
        {Command::Report, &MainWindow::stampReport},
        {Command::About, &MainWindow::showAbout},
        {Command::ImportCatalogue, &MainWindow::importCatalogue},
        {Command::VerifyImages, &MainWindow::verifyImages},
        {Command::Help, &MainWindow::showReleaseNotes},
        {Command::Exit, &MainWindow::quit},
        {Command::EditSingleDisk, &MainWindow::editSingleDisk},
        {Command::EditDiskSet, &MainWindow::editDiskSet},
        {Command::SyntaxOverview, &MainWindow::showSyntax},
        {Command::AuditGame, &MainWindow::auditGame},
        {Command::AuditGroup, &MainWindow::auditGroup},
        {Command::AddFavourite, &MainWindow::addFavourite},
        {Command::RemoveFavourite, &MainWindow::removeFavourite},
        {Command::ClearFavourites, &MainWindow::clearFavourites},
        {Command::PlaceInDriveB, &MainWindow::placeInDriveB},
    };
    attempt([&] { (this->*slots.at(command))(); });
}

void MainWindow::attempt(const std::function<void()>& action) {
    // A failing action stops where it failed and says why; the window stays usable.
    try {
        action();
    } catch (const Refusal& refusal) {
        refuse(refusal);
    } catch (const KestrelError& error) {
        report(error);
    }
}

void MainWindow::quit() {
    close();
}

void MainWindow::showSyntax() {
    m_criteria->showSyntax();
}

SearchCriteria MainWindow::criteria() const {
    SearchCriteria criteria = m_criteria->criteria();
    criteria.sortCaption = m_list->sortCaption();
    criteria.descending = m_list->sort().descending();
    return criteria;
}

void MainWindow::showListing(ListingResult result) {
    m_list->setRows(std::move(result.rows));
    if (result.timeText)
        m_status->setTime(*result.timeText);
    if (result.noMatches)
        m_list->showNoMatches(*result.noMatches);
    m_status->setStatus(result.countText);
}

void MainWindow::refuse(const Refusal& refusal) {
    m_services.prompts.refuse(this, refusal);
}

void MainWindow::report(const KestrelError& error) {
    m_services.prompts.refuse(this, error.message());
}

void MainWindow::search() {
    m_list->showWelcome(false);
    PreparedSearch prepared;
    try {
        prepared = m_browser.startSearch({m_criteria->byName(), criteria()});
    } catch (const Refusal& refusal) {
        return refuse(refusal);
    }
    m_list->clear();
    if (prepared.byName)
        m_criteria->setSearchText(prepared.searchedText);
    try {
        showListing(m_browser.runSearch(prepared, m_list->captions()));
    } catch (const CatalogueError& error) {
        return report(error);
    }
    if (prepared.byName && !prepared.searchedText.isEmpty())
        m_criteria->setHistory(
            m_browser.rememberSearch(prepared.searchedText, m_criteria->history()));
}

void MainWindow::reset() {
    m_criteria->reset();
    m_status->setStatus(kReady);
    m_list->showNoMatches(false);
    m_list->showWelcome(true);
    m_status->setTime(QString());
    m_list->clear();
    m_browser.reset();
}

void MainWindow::listFavourites() {
    m_list->clear();
    m_list->showWelcome(false);
    try {
        showListing(m_browser.listFavourites(m_criteria->filters(), m_list->captions()));
    } catch (const CatalogueError& error) {
        report(error);
    }
}

void MainWindow::compress() {
    std::optional<ListingResult> result;
    try {
        result = m_browser.compress(criteria(), m_list->captions());
    } catch (const CatalogueError& error) {
        m_list->clear();
        return report(error);
    }
    if (result)
        showListing(std::move(*result));
}

void MainWindow::refill() {
    if (m_browser.refillsBySearching())
        search();
    else
        listFavourites();
}

void MainWindow::chooseGroup(const QString& group) {
    QStringList titles{QStringLiteral("All")};
    try {
        titles = m_browser.diskTitles(group);
    } catch (const CatalogueError& error) {
        report(error);
    }
    m_criteria->setDiskTitles(titles);
}

void MainWindow::clickColumn(int position) {
    m_list->clickColumn(position, m_browser.settings().columnCaptions());
}

void MainWindow::switchColumnOrder(bool reversed) {
    const Settings settings = m_browser.settings();
    settings.storeColumnOrder(reversed);
    m_list->setColumns(settings.columnCaptions(), QStringLiteral("Nummer"));
    m_list->prepareColumnSwap();
    clickColumn(m_list->sort().column + 1);
    if (m_list->rowCount() > 0)
        refill();
}

void MainWindow::selectRow() {
    const std::optional<ListedRow> row = m_list->selectedRow();
    if (!row)
        return;
    const RowDetails details = m_browser.selectRow(*row, m_list->rowCount());
    if (details.imagePlace)
        m_status->setPanel(3, *details.imagePlace);
    m_status->setPanel(1, details.entryText);
    if (details.availability)
        m_status->setPanel(2, *details.availability);
    showSelectedDisk();
}

void MainWindow::showSelectedDisk() {
    if (m_diskFiles->isHidden())
        return;
    const std::optional<ListedRow> row = m_list->selectedRow();
    std::optional<VerifiedDisk> disk;
    if (row) {
        try {
            disk = verifiedDiskOfEntry(m_services.catalogue, row->sub2);
        } catch (const CatalogueError&) {
            // A catalogue that cannot be read now shows no files; the list says the rest.
        }
    }
    m_diskFiles->showDisk(disk, row.has_value());
}

void MainWindow::showDiskFiles(bool shown) {
    findChild<QAction*>(QStringLiteral("mnudiskfiles"))->setChecked(shown);
    m_diskFiles->setVisible(shown);
    showSelectedDisk();
}

void MainWindow::verifyImages() {
    VerifyCounts counts;
    try {
        counts = verifyWithProgress(this, m_services.catalogue, m_browser.rootFolder());
    } catch (const Refusal& refusal) {
        return refuse(refusal);
    } catch (const CatalogueError& error) {
        return report(error);
    }
    showDiskFiles(true);
    m_services.prompts.message(
        this,
        counts.text() +
            (counts.cancelled ? QStringLiteral("\nStopped before the last disk.") : QString()),
        QStringLiteral("Verify Disk Images"), Prompts::Buttons::Ok, Prompts::Icon::Information);
}

void MainWindow::showPlaceTip() {
    if (m_browser.hasSelection())
        m_status->setPanelsTip(m_browser.rootFolder() + QDir::separator() + m_status->panelText(3));
}

void MainWindow::play() {
    LaunchPlan plan;
    try {
        const std::optional<ListedRow> row = m_list->selectedRow();
        plan = m_browser.play(m_list->rowCount(), row ? &*row : nullptr);
    } catch (const Refusal& refusal) {
        return refuse(refusal);
    }
    if (!plan.startable)
        return;
    auto record = std::make_unique<StartRecord>();
    const QString failure =
        m_services.shell.start(plan.program, plan.arguments, plan.workingFolder, record.get());
    if (!failure.isEmpty())
        return refuse({notStartedText(plan.program, failure)});
    // An emulator that stops at once says why only on its standard error: shown here.
    auto* watch = new StartWatch(std::move(record), plan.program, m_services.clock, this);
    connect(watch, &StartWatch::failed, this,
            [this](const QString& message) { refuse({message}); });
}

void MainWindow::placeInDriveB() {
    if (const std::optional<ListedRow> row = m_list->selectedRow())
        m_browser.placeInDriveB(*row);
}

void MainWindow::chooseEmulator(Emulator emulator) {
    // The menu shows the emulator in force, also when the new choice could not be saved.
    const auto showChoice = qScopeGuard([this] { m_actions->setEmulator(m_browser.emulator()); });
    m_browser.chooseEmulator(emulator);
}

bool MainWindow::confirmRootFolder() {
    const QString problem = m_browser.rootFolderProblem();
    return problem.isEmpty() ||
           m_services.prompts.message(this, problem + QStringLiteral(" Audit anyway?"),
                                      Refusal::defaultCaption(), Prompts::Buttons::YesNo,
                                      Prompts::Icon::Question) == Prompts::Answer::Yes;
}

void MainWindow::runAudit(
    const std::function<CatalogueBrowser::AuditResult(const AuditObserver&)>& audit) {
    CatalogueBrowser::AuditResult result;
    try {
        m_status->trackAudit([&](const AuditObserver& show) { result = audit(show); });
    } catch (const Refusal& refusal) {
        return refuse(refusal);
    } catch (const CatalogueError& error) {
        return report(error);
    }
    m_status->setPanel(1, QStringLiteral("Finished"));
    m_status->setPanel(3, result.timeText);
    refill();
    m_criteria->focusSearchBox();
}

void MainWindow::auditAll() {
    if (confirmRootFolder())
        runAudit([this](const AuditObserver& show) { return m_browser.auditAll(show); });
}

void MainWindow::auditGroup() {
    const QString group = m_criteria->groupText();
    if (group == QLatin1String("ALL"))
        return refuse(CatalogueBrowser::noGroupToAudit());
    if (confirmRootFolder())
        runAudit([&](const AuditObserver& show) { return m_browser.auditGroup(group, show); });
}

void MainWindow::auditGame() {
    const std::optional<ListedRow> row = m_list->selectedRow();
    if (!row)
        return;
    try {
        m_browser.auditEntry(row->sub2, row->icon == UndumpedIcon);
    } catch (const Refusal& refusal) {
        return refuse(refusal);
    } catch (const CatalogueError& error) {
        return report(error);
    }
    refill();
    m_criteria->focusSearchBox();
}

void MainWindow::addFavourite() {
    if (const std::optional<ListedRow> row = m_list->selectedRow())
        m_browser.addFavourite(row->sub2);
}

void MainWindow::removeFavourite() {
    const std::optional<ListedRow> row = m_list->selectedRow();
    if (!row)
        return;
    const CatalogueBrowser::Removal removal =
        m_browser.removeFavourite(row->sub2, m_list->rowCount());
    if (removal.removeRow)
        m_list->removeSelectedRow();
    m_list->showNoMatches(removal.noMatches);
    m_status->setStatus(removal.countText);
}

void MainWindow::clearFavourites() {
    if (!m_list->selectedRow())
        return;
    Prompts& prompts = m_services.prompts;
    if (prompts.message(this, kClearQuestion, kClearQuestionCaption, Prompts::Buttons::YesNo,
                        Prompts::Icon::Question, Prompts::Answer::Yes) != Prompts::Answer::Yes)
        return;
    if (m_browser.clearFavourites())
        m_list->clear();
    prompts.message(this, kClearedMessage, kClearedCaption, Prompts::Buttons::Ok,
                    Prompts::Icon::Exclamation);
}

void MainWindow::saveList() {
    m_export->save();
}

void MainWindow::pasteList() {
    m_export->paste();
}

void MainWindow::stampReport() {
    m_export->stampReport(m_criteria->byName(), criteria());
}

void MainWindow::showSettings() {
    SettingsDialog dialog(this, m_services.prompts, m_browser.settings(), m_browser.programPaths());
    dialog.exec();
    // Closing unloads it: the next reader loads the paths again from the settings file.
    m_browser.forgetProgramPaths();
}

void MainWindow::editDiskSet() {
    EditDiskSetDialog dialog(this, m_services.catalogue, m_services.prompts);
    dialog.exec();
    m_browser.forgetRecord();
}

void MainWindow::editSingleDisk() {
    EntryRecord record;
    try {
        const std::optional<ListedRow> row = m_list->selectedRow();
        record = m_browser.diskToEdit(m_list->rowCount(), row ? &*row : nullptr);
    } catch (const Refusal& refusal) {
        return refuse(refusal);
    } catch (const CatalogueError& error) {
        return report(error);
    }
    EditSingleDiskDialog dialog(this, m_services.catalogue, m_services.prompts, record.nummer,
                                record.files);
    dialog.exec();
    m_browser.forgetRecord();
}

void MainWindow::showAbout() {
    QString summary;
    try {
        summary = summarise(m_services.catalogue).text();
    } catch (const CatalogueError&) {
        // The box still opens; it just cannot say how much the catalogue holds.
    }
    AboutDialog dialog(this, m_services.shell, summary, m_services.catalogue.path());
    dialog.exec();
}

void MainWindow::importCatalogue() {
    const QString mdb = m_services.prompts.openFileName(
        this, QStringLiteral("Import Catalogue"),
        QStringLiteral("Access catalogues (*.mdb *.MDB);;All files (*)"));
    if (mdb.isEmpty())
        return;
    const QString catalogue = m_services.catalogue.path();
    if (m_services.prompts.message(this, replaceCatalogueQuestion(mdb, catalogue),
                                   Refusal::defaultCaption(), Prompts::Buttons::YesNo,
                                   Prompts::Icon::Question,
                                   Prompts::Answer::No) != Prompts::Answer::Yes)
        return;
    CatalogueReplacement replaced;
    try {
        replaced = importWithProgress(this, mdb, catalogue);
    } catch (const CatalogueError& error) {
        return report(error);
    }
    // The connection still reads the file that was replaced; the list and the selection
    // belong to it too.
    attempt([&] {
        m_services.catalogue.open(catalogue);
        reset();
        m_status->setStatus(QStringLiteral(" Status: Catalogue imported"));
        m_services.prompts.message(this,
                                   summarise(m_services.catalogue).text() + QStringLiteral("\n\n") +
                                       keptCatalogueText(replaced.backup),
                                   Refusal::defaultCaption(), Prompts::Buttons::Ok,
                                   Prompts::Icon::Information);
    });
}

void MainWindow::showReleaseNotes() {
    ReleaseNotesDialog dialog(this, m_folder.shippedFile(QStringLiteral("Instructions.txt")));
    dialog.exec();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The window closes even when the filters or its layout cannot be kept; the user hears
    // why, once. The layout is written here rather than on every step of a drag.
    attempt([this] {
        const Settings settings = m_browser.settings();
        settings.storeAvailabilityFilter(m_criteria->filters());
        storeWindowLayout(settings, currentLayout());
    });
    event->accept();
}
