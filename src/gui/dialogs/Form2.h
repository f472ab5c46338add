#pragma once

#include <QDialog>

class Shell;
class QFrame;
class QLabel;

// The About window: title, version, credits and the project's mail address as a link.
class Form2 : public QDialog {
    Q_OBJECT
public:
    static QString mailAddress() { return QStringLiteral("kestrel@kestrel.invalid"); }

    Form2(QWidget* owner, Shell& shell);

    // Loading: centres over the owner.
    void Form_Load();

    // Over the link it turns red under the pointing hand; over the window's background it
    // turns blue again under the arrow. A click opens the address in the mail program.
    void Label3_MouseMove();
    void Form_MouseMove();
    void Label3_Click();

public:
    QFrame* Picture1 = nullptr;
    QFrame* Shape1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr; // title
    QLabel* Label2 = nullptr; // version
    QLabel* Label4 = nullptr; // programming and design
    QLabel* Label6 = nullptr; // the catalogue listing
    QLabel* Label3 = nullptr; // the mail link

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void setLinkColour(const QColor& colour);

    Shell& m_shell;
};
