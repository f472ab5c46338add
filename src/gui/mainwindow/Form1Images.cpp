// The main window's disk image actions: the row click, "Place in Drive B", the emulator
// choice and Play, and the program paths they use with the Settings dialog that edits them.
#include "gui/mainwindow/Form1.h"

#include "gui/mainwindow/ResultListModel.h"
#include "core/settings/SettingsStore.h"
#include "core/catalogue/Catalogue.h"
#include "core/Failures.h"
#include "gui/dialogs/SettingsDialog.h"
#include "core/images/EmulatorLaunch.h"
#include "core/images/ImagePath.h"
#include "gui/platform/Prompts.h"
#include "gui/platform/Shell.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTreeView>

namespace {

const QString kNotSelected = QStringLiteral("No Game has been selected!");

} // namespace

const ProgramPaths& Form1::programPaths() {
    if (!m_programPaths)
        m_programPaths = Settings(m_settingsPath).programPaths();
    return *m_programPaths;
}

QString Form1::rootGameFolder() {
    return programPaths().rootFolder;
}

void Form1::showSettings() {
    SettingsDialog dialog(this, m_services.prompts, Settings(m_settingsPath), programPaths());
    dialog.exec();
    // Ok or Cancel, the next reader loads the values again from the settings file.
    m_programPaths.reset();
}

int Form1::selectedRow() const {
    const QModelIndexList rows = ListView1->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void Form1::ListView1_Click() {
    const int row = selectedRow();
    if (row < 0)
        return;
    const ListedRow& listed = m_list->row(row);
    // Each step stands alone: an entry without a disk record still updates what it can.
    try {
        const ResultSet& record = m_services.catalogue.query(entryRecordStatement(listed.sub2));
        const DiskFiles files = DiskFiles::fromCurrentRow(record);
        m_selectedImagePath = composeImagePath(rootGameFolder(), files);
        StatusPanels[2]->setText(relativeImagePath(files));
    } catch (const CatalogueError&) {
    }
    StatusPanels[0]->setText(listed.text);
    if (listed.icon == UndumpedIcon)
        StatusPanels[1]->setText(QStringLiteral("Undumped"));
    else if (listed.icon == UnavailableIcon)
        StatusPanels[1]->setText(QStringLiteral("Unavailable"));
    else if (listed.icon == AvailableIcon)
        StatusPanels[1]->setText(QStringLiteral("Available"));
    if (m_list->rowCount() > 0)
        m_selected = 1;
}

// The shared result set holds the clicked entry's record until another query replaces it; when
// it no longer does, the selected row's entry is looked up again by its number.
void Form1::loadSelectedRecord(const QString& nummer) {
    Catalogue& catalogue = m_services.catalogue;
    ResultSet& results = catalogue.results();
    results.moveFirst();
    const bool current = !results.atEnd() && results.columnIndex(u"Nummer") >= 0 &&
                         results.field(u"Nummer").toString() == nummer &&
                         results.columnIndex(u"fileexten") >= 0;
    if (!current)
        catalogue.query(entryRecordStatement(nummer));
}

void Form1::mnudriveB_Click() {
    const int row = selectedRow();
    if (row < 0)
        return;
    try {
        loadSelectedRecord(m_list->row(row).sub2);
        m_driveBImagePath = composeImagePath(
            rootGameFolder(), DiskFiles::fromCurrentRow(m_services.catalogue.results()));
    } catch (const CatalogueError&) {
    }
}

void Form1::chooseEmulator(QAction* item) {
    static const std::pair<const char*, Emulator> items[] = {{"mnusteem", Emulator::Steem},
                                                             {"mnuwinston", Emulator::Stew},
                                                             {"mnusaint", Emulator::Saint},
                                                             {"mnuhatari", Emulator::Hatari}};
    for (const auto& [name, emulator] : items) {
        if (item->objectName() == QLatin1String(name)) {
            item->setChecked(true);
            Settings(m_settingsPath).storeEmulator(emulator);
        }
    }
}

void Form1::rungame() {
    if (m_list->rowCount() == 0 || m_selected != 1) {
        m_services.prompts.refuse(this, kNotSelected);
        return;
    }
    const int row = selectedRow();
    if (row < 0 || m_list->row(row).icon != AvailableIcon) {
        m_services.prompts.refuse(
            this, QStringLiteral("You do not appear to have the disk image for this game!"));
        return;
    }
    Emulator emulator;
    if (findChild<QAction*>(QStringLiteral("mnusteem"))->isChecked())
        emulator = Emulator::Steem;
    else if (findChild<QAction*>(QStringLiteral("mnuwinston"))->isChecked())
        emulator = Emulator::Stew;
    else if (findChild<QAction*>(QStringLiteral("mnusaint"))->isChecked())
        emulator = Emulator::Saint;
    else if (findChild<QAction*>(QStringLiteral("mnuhatari"))->isChecked())
        emulator = Emulator::Hatari;
    else
        return;

    const QString program = programPaths().program(emulator);
    const QString problem = configurationProblem(emulator, program);
    if (!problem.isEmpty()) {
        m_services.prompts.refuse(this, problem);
        return;
    }
    const LaunchPlan plan = planLaunch(emulator, program, m_selectedImagePath, m_driveBImagePath);
    if (!plan.startable)
        return;
    if (!plan.iniFile.isEmpty())
        writeini(QStringLiteral("Disks"), QStringLiteral("DriveA"), m_selectedImagePath,
                 plan.iniFile);
    const QString failure =
        m_services.shell.start(plan.program, plan.arguments, plan.workingFolder);
    if (!failure.isEmpty())
        m_services.prompts.refuse(
            this,
            QStringLiteral("The emulator could not be started:\n%1\n\n%2.").arg(program, failure));
}
