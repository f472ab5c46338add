#include "gui/dialogs/EditDiskSetDialog.h"

#include "core/Failures.h"
#include "core/catalogue/Catalogue.h"
#include "core/editing/DiskEditStatements.h"
#include "core/search/GroupLists.h"
#include "gui/dialogs/DialogKeys.h"
#include "gui/dialogs/DialogPlacement.h"
#include "gui/dialogs/ExtensionBox.h"
#include "gui/platform/Prompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include <optional>

namespace {

// The objectNames scripts and tests find the window and its controls by.
namespace names {
constexpr char window[] = "Form5";
constexpr char groupList[] = "List1";
constexpr char folderFrame[] = "Frame2";
constexpr char folderBox[] = "Text6";
constexpr char fileNameFrame[] = "Frame1";
constexpr char stemBox[] = "Text7";
constexpr char extensionBox[] = "Combo4";
constexpr char okButton[] = "Command1";
constexpr char cancelButton[] = "Command2";
} // namespace names

template <typename Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

EditDiskSetDialog::EditDiskSetDialog(QWidget* owner, Catalogue& catalogue, Prompts& prompts)
    : QDialog(owner), m_catalogue(catalogue), m_prompts(prompts) {
    setObjectName(QLatin1String(names::window));
    setModal(true);
    setWindowTitle(QStringLiteral("Edit Disk Set"));
    auto* layout = new QHBoxLayout(this);

    m_groupList = named(new QListWidget(this), names::groupList);
    m_groupList->setSelectionMode(QAbstractItemView::SingleSelection);
    // The rows keep the order they are listed in.
    m_groupList->setSortingEnabled(false);
    m_groupList->setMinimumSize(220, 300);
    m_groupList->addItems(diskSetGroupNames());
    m_groupList->setCurrentRow(-1);
    layout->addWidget(m_groupList, 1);

    auto* fields = new QVBoxLayout;
    auto* folderFrame = named(new QGroupBox(QStringLiteral("&Folder"), this), names::folderFrame);
    auto* folderRow = new QHBoxLayout(folderFrame);
    m_folderBox = named(new QLineEdit(folderFrame), names::folderBox);
    m_folderBox->setMinimumWidth(240);
    folderRow->addWidget(m_folderBox);
    fields->addWidget(folderFrame);

    auto* fileNameFrame =
        named(new QGroupBox(QStringLiteral("File &Name"), this), names::fileNameFrame);
    auto* nameRow = new QHBoxLayout(fileNameFrame);
    m_stemBox = named(new QLineEdit(fileNameFrame), names::stemBox);
    m_extensionBox = extensionBox(fileNameFrame, names::extensionBox);
    nameRow->addWidget(m_stemBox, 1);
    nameRow->addWidget(m_extensionBox);
    fields->addWidget(fileNameFrame);
    fields->addStretch(1);

    const OkCancel buttons =
        okCancelButtons(this, QStringLiteral("&OK"), names::okButton, names::cancelButton);
    fields->addWidget(buttons.box);
    layout->addLayout(fields);

    connect(m_groupList, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_groupList->selectedItems().isEmpty())
            chooseGroup();
    });
    connect(buttons.box, &QDialogButtonBox::accepted, this, &EditDiskSetDialog::save);
    adjustSize();
    centreOver(this, owner);
}

void EditDiskSetDialog::chooseGroup() {
    const QList<QListWidgetItem*> chosen = m_groupList->selectedItems();
    if (chosen.isEmpty())
        return;
    // A failed lookup leaves no rows, so it keeps the fields as they were, like a group
    // without disks.
    tolerate("looking up the group's disks",
             [&] { m_catalogue.query(diskSetLookupStatement(chosen.first()->text())); });
    const ResultSet& disks = m_catalogue.results();
    if (disks.atEnd())
        return;
    tolerate("showing the group's first disk", [&] {
        const DiskFiles first = DiskFiles::fromCurrentRow(disks);
        m_stemBox->setText(first.filename);
        m_extensionBox->setEditText(first.fileexten);
        m_folderBox->setText(first.folder);
    });
}

void EditDiskSetDialog::save() {
    const QList<QListWidgetItem*> chosen = m_groupList->selectedItems();
    const std::optional<QString> group =
        chosen.isEmpty() ? std::nullopt : std::optional<QString>(chosen.first()->text());
    DiskFiles files;
    files.folder = m_folderBox->text();
    files.filename = m_stemBox->text();
    files.fileexten = m_extensionBox->currentText();
    try {
        for (const QString& statement : diskSetUpdateStatements(group, files))
            m_catalogue.execute(statement);
    } catch (const Refusal& refused) {
        m_prompts.refuse(this, refused.text);
        return;
    } catch (const CatalogueError& error) {
        m_prompts.refuse(this, error.message());
        return;
    }
    accept();
}
