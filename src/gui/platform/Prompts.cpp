#include "gui/platform/Prompts.h"

#include <QFileDialog>
#include <QMessageBox>

Prompts::Answer QtPrompts::message(QWidget* parent, const QString& text, const QString& caption,
                                   Buttons buttons, Icon icon, Answer defaultAnswer) {
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(defaultAnswer == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int chosen = box.exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return chosen == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString QtPrompts::saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                const QString& directory) {
    return QFileDialog::getSaveFileName(parent, title, directory, filter);
}

QString QtPrompts::openFileName(QWidget* parent, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

QString QtPrompts::folder(QWidget* parent, const QString& prompt) {
    return QFileDialog::getExistingDirectory(parent, prompt);
}

QStringList ScriptedPrompts::shownTexts() const {
    QStringList texts;
    for (const Shown& shown : m_shown)
        texts << shown.text;
    return texts;
}

Prompts::Answer ScriptedPrompts::message(QWidget*, const QString& text, const QString& caption,
                                         Buttons buttons, Icon icon, Answer defaultAnswer) {
    m_shown.append({text, caption, buttons, icon, defaultAnswer});
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
}

QString ScriptedPrompts::saveFileName(QWidget*, const QString&, const QString&, const QString&) {
    return m_fileNames.isEmpty() ? QString() : m_fileNames.takeFirst();
}

QString ScriptedPrompts::openFileName(QWidget*, const QString&, const QString&) {
    return m_fileNames.isEmpty() ? QString() : m_fileNames.takeFirst();
}

QString ScriptedPrompts::folder(QWidget*, const QString&) {
    return m_folders.isEmpty() ? QString() : m_folders.takeFirst();
}
