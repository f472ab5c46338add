#pragma once

#include "core/images/Emulators.h"
#include "core/settings/Settings.h"

#include <QDialog>

#include <array>

class Prompts;
class QLineEdit;

// The Settings dialog: the emulator programs, Hatari's TOS image, the arguments added to every
// emulator's, and the root game folder. It edits the paths
// it is given; Ok stores what the boxes hold in the settings file, Cancel leaves the file as
// it was.
class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    SettingsDialog(QWidget* owner, Prompts& prompts, const Settings& settings,
                   const ProgramPaths& loaded);

    // What the boxes hold now.
    ProgramPaths paths() const;

private Q_SLOTS:
    void save();
    void browseRootFolder();

private:
    void browseProgram(Emulator emulator);
    // A second line in Hatari's frame: its TOS image, with a browse button.
    void addTosRow(QWidget* hatariFrame, const QString& tosImage);

    Prompts& m_prompts;
    Settings m_settings;
    std::array<QLineEdit*, 4> m_programBoxes{}; // by Emulator, as ProgramPaths::programs
    QLineEdit* m_rootFolderBox = nullptr;
    QLineEdit* m_tosImageBox = nullptr;
    QLineEdit* m_extraArgumentsBox = nullptr;
};
