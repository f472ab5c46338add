#pragma once

#include "core/Failures.h"

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// Message boxes and file dialogs go through here, so that tests can answer them in advance
// and see what the program asked.
class Prompts {
public:
    enum class Buttons { Ok, YesNo };
    enum class Icon { Exclamation, Question, Information, Critical };
    enum class Answer { Ok, Yes, No };

    virtual ~Prompts() = default;

    // `defaultAnswer` is the button Enter presses when there is a choice.
    virtual Answer message(QWidget* parent, const QString& text, const QString& caption,
                           Buttons buttons, Icon icon, Answer defaultAnswer = Answer::No) = 0;
    // The chosen path, or "" when the user cancels.
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& directory) = 0;
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& filter) = 0;
    virtual QString folder(QWidget* parent, const QString& prompt) = 0;

    // The usual refusal: an OK button and the exclamation icon.
    void refuse(QWidget* parent, const QString& text,
                const QString& caption = QStringLiteral("Atari ST Kestrel")) {
        message(parent, text, caption, Buttons::Ok, Icon::Exclamation);
    }
    void refuse(QWidget* parent, const Refusal& refusal) {
        refuse(parent, refusal.text, refusal.caption);
    }
};

// The real dialogs.
class QtPrompts : public Prompts {
public:
    Answer message(QWidget* parent, const QString& text, const QString& caption, Buttons buttons,
                   Icon icon, Answer defaultAnswer = Answer::No) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& directory) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& filter) override;
    QString folder(QWidget* parent, const QString& prompt) override;
};

// Answers from a script and a record of every question, for tests. Without a scripted
// answer a message is answered with OK (or No), a dialog is cancelled.
class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        QString text;
        QString caption;
        Buttons buttons;
        Icon icon;
        Answer defaultAnswer;
    };

    void setNextAnswer(Answer answer) { m_answers << answer; }
    void setNextFileName(const QString& path) { m_fileNames << path; }
    void setNextFolder(const QString& path) { m_folders << path; }

    const QList<Shown>& shown() const { return m_shown; }
    QStringList shownTexts() const;
    void clear() { m_shown.clear(); }

    Answer message(QWidget* parent, const QString& text, const QString& caption, Buttons buttons,
                   Icon icon, Answer defaultAnswer = Answer::No) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& directory) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& filter) override;
    QString folder(QWidget* parent, const QString& prompt) override;

private:
    QList<Answer> m_answers;
    QStringList m_fileNames;
    QStringList m_folders;
    QList<Shown> m_shown;
};
