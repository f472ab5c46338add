#include "gui/dialogs/DialogKeys.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

OkCancel okCancelButtons(QDialog* dialog, const QString& okCaption, const char* okName,
                         const char* cancelName) {
    auto* box = new QDialogButtonBox(dialog);
    QPushButton* ok = box->addButton(okCaption, QDialogButtonBox::AcceptRole);
    ok->setObjectName(QLatin1String(okName));
    ok->setDefault(true);
    QPushButton* cancel = box->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QLatin1String(cancelName));
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return {box, ok, cancel};
}

QString withMnemonic(const QString& caption, QString& taken) {
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar letter = caption[i].toLower();
        if (letter.isLetter() && !taken.contains(letter)) {
            taken += letter;
            return caption.left(i) + u'&' + caption.mid(i);
        }
    }
    return caption;
}
