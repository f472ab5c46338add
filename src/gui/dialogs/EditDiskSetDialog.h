#pragma once

#include <QDialog>

class Catalogue;
class Prompts;
class QComboBox;
class QLineEdit;
class QListWidget;

// The Edit Disk Set dialog: the folder, file-name stem and extension of every disk of one
// group at once. Choosing a group shows the data of its disk with the greatest number; OK
// writes the three fields to every disk of the group that is not undumped.
class EditDiskSetDialog : public QDialog {
    Q_OBJECT
public:
    EditDiskSetDialog(QWidget* owner, Catalogue& catalogue, Prompts& prompts);

private Q_SLOTS:
    void chooseGroup();
    void save();

private:
    Catalogue& m_catalogue;
    Prompts& m_prompts;
    QListWidget* m_groupList = nullptr;
    QLineEdit* m_folderBox = nullptr;
    QLineEdit* m_stemBox = nullptr;
    QComboBox* m_extensionBox = nullptr;
};
