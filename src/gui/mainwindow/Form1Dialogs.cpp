// The main window's dialogs for editing disks, About and the release notes.
#include "gui/mainwindow/Form1.h"

#include "gui/mainwindow/ResultListModel.h"
#include "core/Failures.h"
#include "gui/dialogs/AboutDialog.h"
#include "gui/dialogs/ReleaseNotesDialog.h"
#include "gui/dialogs/EditDiskSetDialog.h"
#include "gui/dialogs/Form6.h"
#include "gui/platform/Prompts.h"

void Form1::mnueditset_Click() {
    EditDiskSetDialog dialog(this, m_services.catalogue, m_services.prompts);
    dialog.exec();
}

void Form1::mnueditsingle_Click() {
    const int row = selectedRow();
    if (m_list->rowCount() == 0 || m_selected != 1 || row < 0) {
        m_services.prompts.refuse(this, QStringLiteral("No Game has been selected!"));
        return;
    }
    const ListedRow& listed = m_list->row(row);
    if (listed.icon == UndumpedIcon) {
        m_services.prompts.refuse(this,
                                  QStringLiteral("You cannot edit undefined/undumped games!"));
        return;
    }
    Form6 dialog(this, m_services.catalogue, m_services.prompts, listed.sub2);
    try {
        dialog.Form_Load();
    } catch (const CatalogueError& error) {
        m_services.prompts.refuse(this, error.message());
        return;
    }
    dialog.exec();
}

void Form1::showAbout() {
    AboutDialog dialog(this, m_services.shell);
    dialog.exec();
}

void Form1::showReleaseNotes() {
    ReleaseNotesDialog dialog(this, m_folder.file(QStringLiteral("Instructions.txt")));
    dialog.exec();
}
