#include "gui/dialogs/Form6.h"

#include "core/catalogue/Catalogue.h"
#include "core/Failures.h"
#include "gui/dialogs/DialogPlacement.h"
#include "core/editing/DiskEditStatements.h"
#include "gui/dialogs/ExtensionBox.h"
#include "core/images/ImagePath.h"
#include "gui/platform/Prompts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Form6::Form6(QWidget* owner, Catalogue& catalogue, Prompts& prompts, const QString& nummer)
    : QDialog(owner), m_catalogue(catalogue), m_prompts(prompts), m_nummer(nummer) {
    setObjectName(QStringLiteral("Form6"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setMinimumWidth(220);
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Combo1 = extensionBox(this, "Combo1");
    fields->addRow(QStringLiteral("File Name"), Text1);
    fields->addRow(QStringLiteral("Number"), Text2);
    fields->addRow(QStringLiteral("Extension"), Combo1);
    layout->addLayout(fields);

    auto* buttons = new QHBoxLayout;
    Command2 = new QPushButton(QStringLiteral("Ok"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setDefault(true);
    Command1 = new QPushButton(QStringLiteral("Cancel"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    buttons->addStretch(1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);
    layout->addLayout(buttons);

    connect(Command2, &QPushButton::clicked, this, &Form6::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &Form6::Command1_Click);
    adjustSize();
}

void Form6::Form_Load() {
    centreOver(this, parentWidget());
    setWindowTitle(QStringLiteral("Edit Single Disk"));
    // The shared result set may hold another query's rows by now (a favourites listing, a
    // disk set lookup) or this entry's row from before an edit, so it is read afresh.
    const ResultSet& record = m_catalogue.query(entryRecordStatement(m_nummer));
    if (record.atEnd())
        throw CatalogueError(
            QStringLiteral("The catalogue holds no disk for entry %1.").arg(m_nummer));
    const DiskFiles files = DiskFiles::fromCurrentRow(record);
    Text1->setText(files.filename);
    Text2->setText(files.filenumber);
    Combo1->setEditText(files.fileexten);
}

void Form6::Command2_Click() {
    DiskFiles files;
    files.filename = Text1->text();
    files.filenumber = Text2->text();
    files.fileexten = Combo1->currentText();
    try {
        for (const QString& statement : singleDiskUpdateStatements(m_nummer, files))
            m_catalogue.execute(statement);
    } catch (const CatalogueError& error) {
        m_prompts.refuse(this, error.message());
        return;
    }
    // Later readers of the selected entry's record (drive B, the game audit) find the new
    // file data rather than the row read before the change.
    try {
        m_catalogue.query(entryRecordStatement(m_nummer));
    } catch (const CatalogueError&) {
    }
    accept();
}

void Form6::Command1_Click() {
    reject();
}
