#pragma once

#include <QDialog>

class Catalogue;
class Prompts;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// The Edit Disk Set dialog: the folder, file-name stem and extension of every disk of one
// group at once.
class Form5 : public QDialog {
    Q_OBJECT
public:
    Form5(QWidget* owner, Catalogue& catalogue, Prompts& prompts);

    // Loading: centres over the owner, fills the group list, empties the three fields.
    void Form_Load();

public Q_SLOTS:
    void List1_Click();    // a group row was chosen
    void Command1_Click(); // OK
    void Command2_Click(); // Cancel

public:
    QListWidget* List1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLineEdit* Text6 = nullptr; // folder
    QGroupBox* Frame1 = nullptr;
    QLineEdit* Text7 = nullptr;  // file-name stem
    QComboBox* Combo4 = nullptr; // extension
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

private:
    Catalogue& m_catalogue;
    Prompts& m_prompts;
};
