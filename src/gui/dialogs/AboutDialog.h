#pragma once

#include <QDialog>

class Shell;
class QLabel;

// The About window: title, version, credits and the project's mail address as a link. Over
// the link the pointer becomes a pointing hand and the link turns red; over the window's
// background both turn back, the link to the desktop's link colour. A click on the link opens the
// address in the mail program. Below the credits: which catalogue is loaded and how much it
// holds, when given.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(QWidget* owner, Shell& shell, const QString& catalogueText = QString(),
                const QString& cataloguePath = QString());

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private Q_SLOTS:
    void openMailLink();

private:
    void highlightLink();
    void restoreLink();
    void setLinkColour(const QColor& colour);

    Shell& m_shell;
    QLabel* m_mailLink = nullptr;
};
