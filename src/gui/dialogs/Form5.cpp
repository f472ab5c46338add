#include "gui/dialogs/Form5.h"

#include "core/search/GroupLists.h"
#include "core/catalogue/Catalogue.h"
#include "core/Failures.h"
#include "gui/dialogs/DialogPlacement.h"
#include "core/editing/DiskEditStatements.h"
#include "gui/dialogs/ExtensionBox.h"
#include "gui/platform/Prompts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

Form5::Form5(QWidget* owner, Catalogue& catalogue, Prompts& prompts)
    : QDialog(owner), m_catalogue(catalogue), m_prompts(prompts) {
    setObjectName(QStringLiteral("Form5"));
    setModal(true);
    auto* layout = new QHBoxLayout(this);

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setSortingEnabled(false);
    List1->setMinimumSize(220, 300);
    layout->addWidget(List1, 1);

    auto* fields = new QVBoxLayout;
    Frame2 = new QGroupBox(QStringLiteral("Folder"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto* folderRow = new QHBoxLayout(Frame2);
    Text6 = new QLineEdit(Frame2);
    Text6->setObjectName(QStringLiteral("Text6"));
    Text6->setMinimumWidth(240);
    folderRow->addWidget(Text6);
    fields->addWidget(Frame2);

    Frame1 = new QGroupBox(QStringLiteral("File Name"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* nameRow = new QHBoxLayout(Frame1);
    Text7 = new QLineEdit(Frame1);
    Text7->setObjectName(QStringLiteral("Text7"));
    Combo4 = extensionBox(Frame1, "Combo4");
    nameRow->addWidget(Text7, 1);
    nameRow->addWidget(Combo4);
    fields->addWidget(Frame1);
    fields->addStretch(1);

    auto* buttons = new QHBoxLayout;
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("Cancel"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    fields->addLayout(buttons);
    layout->addLayout(fields);

    connect(List1, &QListWidget::itemSelectionChanged, this, [this] {
        if (!List1->selectedItems().isEmpty())
            List1_Click();
    });
    connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form5::Command2_Click);
    adjustSize();
}

void Form5::Form_Load() {
    centreOver(this, parentWidget());
    setWindowTitle(QStringLiteral("Edit Disk Set"));
    {
        const QSignalBlocker quiet(List1);
        List1->clear();
        List1->addItems(diskSetGroupNames());
        List1->setCurrentRow(-1);
        List1->clearSelection();
    }
    Text6->clear();
    Text7->clear();
    Combo4->setCurrentIndex(-1);
    Combo4->setEditText(QString());
}

void Form5::List1_Click() {
    const QList<QListWidgetItem*> chosen = List1->selectedItems();
    if (chosen.isEmpty())
        return;
    // Errors are ignored here: a group without disks leaves the fields as they were.
    try {
        m_catalogue.query(diskSetLookupStatement(chosen.first()->text()));
    } catch (const CatalogueError&) {
    }
    const ResultSet& disks = m_catalogue.results();
    if (disks.atEnd())
        return;
    try {
        const DiskFiles first = DiskFiles::fromCurrentRow(disks);
        Text7->setText(first.filename);
        Combo4->setEditText(first.fileexten);
        Text6->setText(first.folder);
    } catch (const CatalogueError&) {
    }
}

void Form5::Command1_Click() {
    const QList<QListWidgetItem*> chosen = List1->selectedItems();
    const std::optional<QString> group =
        chosen.isEmpty() ? std::nullopt : std::optional<QString>(chosen.first()->text());
    DiskFiles files;
    files.folder = Text6->text();
    files.filename = Text7->text();
    files.fileexten = Combo4->currentText();
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

void Form5::Command2_Click() {
    reject();
}
