#include "gui/dialogs/EditSingleDiskDialog.h"

#include "core/Failures.h"
#include "core/catalogue/Catalogue.h"
#include "core/editing/DiskEditStatements.h"
#include "core/images/ImagePath.h"
#include "gui/dialogs/DialogKeys.h"
#include "gui/dialogs/DialogPlacement.h"
#include "gui/dialogs/ExtensionBox.h"
#include "gui/platform/Prompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// The objectNames scripts and tests find the window and its controls by.
namespace names {
constexpr char window[] = "Form6";
constexpr char stemBox[] = "Text1";
constexpr char numberBox[] = "Text2";
constexpr char extensionBox[] = "Combo1";
constexpr char okButton[] = "Command2";
constexpr char cancelButton[] = "Command1";
} // namespace names

template <typename Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

EditSingleDiskDialog::EditSingleDiskDialog(QWidget* owner, Catalogue& catalogue, Prompts& prompts,
                                           const QString& nummer, const DiskFiles& files)
    : QDialog(owner), m_catalogue(catalogue), m_prompts(prompts), m_nummer(nummer) {
    setObjectName(QLatin1String(names::window));
    setModal(true);
    setWindowTitle(QStringLiteral("Edit Single Disk"));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    m_stemBox = named(new QLineEdit(files.filename, this), names::stemBox);
    m_stemBox->setMinimumWidth(220);
    m_numberBox = named(new QLineEdit(files.filenumber, this), names::numberBox);
    m_extensionBox = extensionBox(this, names::extensionBox);
    m_extensionBox->setEditText(files.fileexten);
    fields->addRow(QStringLiteral("&File Name"), m_stemBox);
    fields->addRow(QStringLiteral("&Number"), m_numberBox);
    fields->addRow(QStringLiteral("&Extension"), m_extensionBox);
    layout->addLayout(fields);

    const OkCancel buttons =
        okCancelButtons(this, QStringLiteral("&Ok"), names::okButton, names::cancelButton);
    layout->addWidget(buttons.box);
    connect(buttons.box, &QDialogButtonBox::accepted, this, &EditSingleDiskDialog::save);
    adjustSize();
    centreOver(this, owner);
}

void EditSingleDiskDialog::save() {
    DiskFiles files;
    files.filename = m_stemBox->text();
    files.filenumber = m_numberBox->text();
    files.fileexten = m_extensionBox->currentText();
    try {
        for (const QString& statement : singleDiskUpdateStatements(m_nummer, files))
            m_catalogue.execute(statement);
    } catch (const CatalogueError& error) {
        m_prompts.refuse(this, error.message());
        return;
    }
    accept();
}
