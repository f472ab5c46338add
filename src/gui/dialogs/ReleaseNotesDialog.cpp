#include "gui/dialogs/ReleaseNotesDialog.h"

#include "gui/dialogs/DialogPlacement.h"

#include <QFile>
#include <QFontDatabase>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

// The objectNames scripts and tests find the window and its controls by.
namespace names {
constexpr char window[] = "Form3";
constexpr char notes[] = "RTB1";
} // namespace names

} // namespace

ReleaseNotesDialog::ReleaseNotesDialog(QWidget* owner, const QString& notesPath) : QDialog(owner) {
    setObjectName(QLatin1String(names::window));
    setModal(true);
    setWindowTitle(QStringLiteral("Release Notes"));
    auto* layout = new QVBoxLayout(this);
    auto* notes = new QTextEdit(this);
    notes->setObjectName(QLatin1String(names::notes));
    notes->setReadOnly(true);
    notes->setAcceptRichText(false);
    notes->setLineWrapMode(QTextEdit::NoWrap);
    // The notes are laid out in columns of characters.
    notes->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(notes);
    resize(780, 560);
    centreOver(this, owner);

    QFile file(notesPath);
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        notes->setPlainText(QString::fromUtf8(file.readAll()));
}
