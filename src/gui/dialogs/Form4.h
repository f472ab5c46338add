#pragma once

#include <QDialog>

class Prompts;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The Settings dialog: the emulator programs and the root game folder. While loaded it is
// where the rest of the program reads these values; Ok stores them in the settings file.
class Form4 : public QDialog {
    Q_OBJECT
public:
    Form4(QWidget* owner, Prompts& prompts, const QString& settingsPath);

    // Loading: centres over the owner and reads the five values from the settings file.
    void Form_Load();

public Q_SLOTS:
    void Command3_Click(); // Ok
    void Command5_Click(); // Cancel

public:
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QGroupBox* Frame5 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLineEdit* Text1 = nullptr; // STeem
    QLineEdit* Text3 = nullptr; // WinSTon/STew
    QLineEdit* Text4 = nullptr; // SainT
    QLineEdit* Text5 = nullptr; // Hatari
    QLineEdit* Text2 = nullptr; // root game folder
    QPushButton* Command1 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command7 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command5 = nullptr;
    QLabel* Picture1 = nullptr;

private:
    void browseProgram(QLineEdit* box);
    void browseFolder();

    Prompts& m_prompts;
    QString m_settingsPath;
};
