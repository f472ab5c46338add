#pragma once

#include <QDialog>

class QTextEdit;

// The release-notes window: the text file delivered beside the program, as plain text.
class Form3 : public QDialog {
    Q_OBJECT
public:
    // `notesPath` is the file to show.
    Form3(QWidget* owner, const QString& notesPath);

    // Loading: centres over the owner and reads the file; a file that cannot be read leaves
    // the window without text and says nothing.
    void Form_Load();

public:
    QTextEdit* RTB1 = nullptr;

private:
    QString m_notesPath;
};
