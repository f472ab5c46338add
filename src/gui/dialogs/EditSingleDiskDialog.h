#pragma once

#include <QDialog>

class Catalogue;
class Prompts;
class QComboBox;
class QLineEdit;
struct DiskFiles;

// The Edit Single Disk dialog: the file-name stem, number and extension of the disk that
// holds one entry. Every entry of that disk shares the change.
class EditSingleDiskDialog : public QDialog {
    Q_OBJECT
public:
    // `nummer` is the entry whose disk is edited; `files` is what that disk holds now.
    EditSingleDiskDialog(QWidget* owner, Catalogue& catalogue, Prompts& prompts,
                         const QString& nummer, const DiskFiles& files);

private Q_SLOTS:
    void save();

private:
    Catalogue& m_catalogue;
    Prompts& m_prompts;
    QString m_nummer;
    QLineEdit* m_stemBox = nullptr;
    QLineEdit* m_numberBox = nullptr; // empty stands for Null
    QComboBox* m_extensionBox = nullptr;
};
