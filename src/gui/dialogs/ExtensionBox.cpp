#include "gui/dialogs/ExtensionBox.h"

#include <QComboBox>
#include <QCompleter>

QComboBox* extensionBox(QWidget* parent, const char* name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems({QStringLiteral("st"), QStringLiteral("msa"), QStringLiteral("dim"),
                   QStringLiteral("zip")});
    // Finishing an edit picks the listed item the text matches; matching with case keeps
    // "MSA" from turning into "msa", and a popup suggests without writing into the box.
    box->completer()->setCaseSensitivity(Qt::CaseSensitive);
    box->completer()->setCompletionMode(QCompleter::PopupCompletion);
    box->setCurrentIndex(-1);
    return box;
}
