#pragma once

#include <QString>

class QDialog;
class QDialogButtonBox;
class QPushButton;

// The keyboard of the dialogs: their Ok and Cancel buttons in the desktop's order and roles, so
// that Enter accepts and Escape cancels, and Alt+letter mnemonics for captions read from tables.

struct OkCancel {
    QDialogButtonBox* box;
    QPushButton* ok;
    QPushButton* cancel;
};

// Captions as shown, with their mnemonic marks ("&Ok"); objectNames as scripts know them.
// Ok is the default button; Cancel rejects the dialog. Connect `box`'s accepted() to what Ok does.
OkCancel okCancelButtons(QDialog* dialog, const QString& okCaption, const char* okName,
                         const char* cancelName);

// `caption` with a mnemonic mark before its first letter that is not in `taken` yet (any case),
// which takes that letter; unchanged when every letter is taken.
QString withMnemonic(const QString& caption, QString& taken);
