#include "gui/dialogs/Form3.h"

#include "gui/dialogs/DialogPlacement.h"

#include <QFile>
#include <QFontDatabase>
#include <QTextEdit>
#include <QVBoxLayout>

Form3::Form3(QWidget* owner, const QString& notesPath) : QDialog(owner), m_notesPath(notesPath) {
    setObjectName(QStringLiteral("Form3"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    RTB1 = new QTextEdit(this);
    RTB1->setObjectName(QStringLiteral("RTB1"));
    RTB1->setReadOnly(true);
    RTB1->setAcceptRichText(false);
    RTB1->setLineWrapMode(QTextEdit::NoWrap);
    // The notes are laid out in columns of characters.
    RTB1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(RTB1);
    resize(780, 560);
}

void Form3::Form_Load() {
    centreOver(this, parentWidget());
    setWindowTitle(QStringLiteral("Release Notes"));
    QFile notes(m_notesPath);
    if (!notes.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    RTB1->setPlainText(QString::fromUtf8(notes.readAll()));
}
