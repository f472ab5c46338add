#pragma once

#include <QDialog>

// The release-notes window: the text file delivered beside the program, shown as plain text
// and read afresh at every opening. A file that cannot be read leaves the window empty and
// says nothing.
class ReleaseNotesDialog : public QDialog {
    Q_OBJECT
public:
    ReleaseNotesDialog(QWidget* owner, const QString& notesPath);
};
