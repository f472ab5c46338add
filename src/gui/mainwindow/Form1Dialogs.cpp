// The main window's dialogs for editing disks, About and the release notes.
#include "gui/mainwindow/Form1.h"

#include "gui/mainwindow/ResultListModel.h"
#include "core/Failures.h"
#include "gui/dialogs/AboutDialog.h"
#include "gui/dialogs/ReleaseNotesDialog.h"
#include "gui/dialogs/EditDiskSetDialog.h"
#include "gui/dialogs/EditSingleDiskDialog.h"
#include "core/catalogue/Catalogue.h"
#include "core/images/ImagePath.h"
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
    const QString nummer = listed.sub2;
    Catalogue& catalogue = m_services.catalogue;
    DiskFiles files;
    try {
        // The shared result set may hold another query's rows by now (a favourites listing, a
        // disk set lookup), so the entry's record is read afresh.
        const ResultSet& record = catalogue.query(entryRecordStatement(nummer));
        if (record.atEnd())
            throw CatalogueError(
                QStringLiteral("The catalogue holds no disk for entry %1.").arg(nummer));
        files = DiskFiles::fromCurrentRow(record);
    } catch (const CatalogueError& error) {
        m_services.prompts.refuse(this, error.message());
        return;
    }
    EditSingleDiskDialog dialog(this, catalogue, m_services.prompts, nummer, files);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Later readers of the selected entry's record (drive B) find the new file data rather
    // than the row read before the change.
    tolerate("reading the edited entry again",
             [&] { catalogue.query(entryRecordStatement(nummer)); });
}

void Form1::showAbout() {
    AboutDialog dialog(this, m_services.shell);
    dialog.exec();
}

void Form1::showReleaseNotes() {
    ReleaseNotesDialog dialog(this, m_folder.file(QStringLiteral("Instructions.txt")));
    dialog.exec();
}
