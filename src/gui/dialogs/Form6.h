#pragma once

#include <QDialog>

class Catalogue;
class Prompts;
class QComboBox;
class QLineEdit;
class QPushButton;

// The Edit Single Disk dialog: the file-name stem, number and extension of the disk that
// holds one entry. Every entry of that disk shares the change.
class Form6 : public QDialog {
    Q_OBJECT
public:
    // `nummer` is the entry whose disk is edited.
    Form6(QWidget* owner, Catalogue& catalogue, Prompts& prompts, const QString& nummer);

    // Loading: centres over the owner and fills the fields from the entry's own record, read
    // again by its number. Throws CatalogueError when that record cannot be read.
    void Form_Load();

public Q_SLOTS:
    void Command2_Click(); // Ok
    void Command1_Click(); // Cancel

public:
    QLineEdit* Text1 = nullptr;  // file-name stem
    QLineEdit* Text2 = nullptr;  // number part; empty stands for Null
    QComboBox* Combo1 = nullptr; // extension
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;

private:
    Catalogue& m_catalogue;
    Prompts& m_prompts;
    QString m_nummer;
};
