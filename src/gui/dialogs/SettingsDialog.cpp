#include "gui/dialogs/SettingsDialog.h"

#include "core/Failures.h"

#include "gui/dialogs/DialogKeys.h"
#include "gui/dialogs/DialogPlacement.h"
#include "gui/platform/Images.h"
#include "gui/platform/Prompts.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The objectNames scripts and tests find the window and its controls by. Each emulator's
// row (frame, path box, browse button) is named in emulatorTable().
namespace names {
constexpr char window[] = "Form4";
constexpr char picture[] = "Picture1";
constexpr char rootFolderFrame[] = "Frame2";
constexpr char rootFolderBox[] = "Text2";
constexpr char rootFolderBrowse[] = "Command2";
constexpr char okButton[] = "Command3";
constexpr char cancelButton[] = "Command5";
constexpr char tosImageCaption[] = "tosImageCaption";
constexpr char tosImageBox[] = "tosImageBox";
constexpr char tosImageBrowse[] = "tosImageBrowse";
constexpr char extraArgumentsFrame[] = "extraArgumentsFrame";
constexpr char extraArgumentsBox[] = "extraArgumentsBox";
} // namespace names

// A path box and its "..." browse button, on one line of a frame.
struct PathLine {
    QHBoxLayout* line;
    QLineEdit* box;
    QPushButton* browse;
};

PathLine pathLine(QWidget* frame, const char* boxName, const char* browseName,
                  const QString& path) {
    auto* line = new QHBoxLayout;
    auto* box = new QLineEdit(path, frame);
    box->setObjectName(QLatin1String(boxName));
    box->setMinimumWidth(380);
    auto* browse = new QPushButton(QStringLiteral("..."), frame);
    browse->setObjectName(QLatin1String(browseName));
    browse->setFixedWidth(36);
    line->addWidget(box, 1);
    line->addWidget(browse);
    return {line, box, browse};
}

// One framed row: a path line, with room below for more lines.
struct PathRow {
    QGroupBox* frame;
    QLineEdit* box;
    QPushButton* browse;
};

PathRow pathRow(QWidget* parent, const char* frameName, const QString& caption, const char* boxName,
                const char* browseName, const QString& path) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QLatin1String(frameName));
    const PathLine line = pathLine(frame, boxName, browseName, path);
    (new QVBoxLayout(frame))->addLayout(line.line);
    return {frame, line.box, line.browse};
}

} // namespace

SettingsDialog::SettingsDialog(QWidget* owner, Prompts& prompts, const Settings& settings,
                               const ProgramPaths& loaded)
    : QDialog(owner), m_prompts(prompts), m_settings(settings) {
    setObjectName(QLatin1String(names::window));
    setModal(true);
    setWindowTitle(QStringLiteral("Settings"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setObjectName(QLatin1String(names::picture));
    picture->setPixmap(imageListPicture(12).pixmap(48, 48));
    picture->setAlignment(Qt::AlignTop);
    top->addWidget(picture);

    auto* rows = new QVBoxLayout;
    // Alt+letter reaches each path box; the buttons and the root folder have their letters.
    QString taken = QStringLiteral("ocr");
    for (const EmulatorRow& emulator : emulatorTable()) {
        const PathRow row =
            pathRow(this, emulator.settingsFrame,
                    withMnemonic(QLatin1String(emulator.settingsCaption), taken), emulator.pathBox,
                    emulator.browseButton, loaded.program(emulator.emulator));
        m_programBoxes[size_t(emulator.emulator)] = row.box;
        connect(row.browse, &QPushButton::clicked, this,
                [this, which = emulator.emulator] { browseProgram(which); });
        if (emulator.emulator == Emulator::Hatari)
            addTosRow(row.frame, loaded.options.tosImage);
        rows->addWidget(row.frame);
    }
    auto* extra = new QGroupBox(QStringLiteral("&Extra arguments"), this);
    extra->setObjectName(QLatin1String(names::extraArgumentsFrame));
    m_extraArgumentsBox = new QLineEdit(loaded.options.extraArguments, extra);
    m_extraArgumentsBox->setObjectName(QLatin1String(names::extraArgumentsBox));
    m_extraArgumentsBox->setPlaceholderText(
        QStringLiteral("given to every emulator before the disk, e.g. --fullscreen"));
    (new QHBoxLayout(extra))->addWidget(m_extraArgumentsBox);
    rows->addWidget(extra);
    const PathRow root = pathRow(this, names::rootFolderFrame, QStringLiteral("&Root Game Folder"),
                                 names::rootFolderBox, names::rootFolderBrowse, loaded.rootFolder);
    m_rootFolderBox = root.box;
    connect(root.browse, &QPushButton::clicked, this, &SettingsDialog::browseRootFolder);
    rows->addWidget(root.frame);
    top->addLayout(rows, 1);
    layout->addLayout(top);

    const OkCancel buttons =
        okCancelButtons(this, QStringLiteral("&Ok"), names::okButton, names::cancelButton);
    layout->addWidget(buttons.box);
    connect(buttons.box, &QDialogButtonBox::accepted, this, &SettingsDialog::save);
    adjustSize();
    centreOver(this, owner);
}

ProgramPaths SettingsDialog::paths() const {
    ProgramPaths paths;
    for (const EmulatorRow& row : emulatorTable())
        paths.program(row.emulator) = m_programBoxes[size_t(row.emulator)]->text();
    paths.rootFolder = m_rootFolderBox->text();
    paths.options = {m_tosImageBox->text(), m_extraArgumentsBox->text()};
    return paths;
}

void SettingsDialog::addTosRow(QWidget* hatariFrame, const QString& tosImage) {
    const PathLine line =
        pathLine(hatariFrame, names::tosImageBox, names::tosImageBrowse, tosImage);
    auto* caption = new QLabel(QStringLiteral("&TOS image"), hatariFrame);
    caption->setObjectName(QLatin1String(names::tosImageCaption));
    caption->setBuddy(line.box);
    line.line->insertWidget(0, caption);
    static_cast<QVBoxLayout*>(hatariFrame->layout())->addLayout(line.line);
    m_tosImageBox = line.box;
    connect(line.browse, &QPushButton::clicked, this, [this] {
        const QString chosen =
            m_prompts.openFileName(this, QStringLiteral("Open"),
                                   QStringLiteral("TOS images (*.img *.rom *.tos);;All Files (*)"));
        if (!chosen.isEmpty())
            m_tosImageBox->setText(chosen);
    });
}

void SettingsDialog::browseProgram(Emulator emulator) {
    const QString chosen =
        m_prompts.openFileName(this, QStringLiteral("Open"), QStringLiteral("All Files (*)"));
    if (!chosen.isEmpty())
        m_programBoxes[size_t(emulator)]->setText(chosen);
}

void SettingsDialog::browseRootFolder() {
    const QString chosen =
        m_prompts.folder(this, QStringLiteral("Please select root game folder."));
    if (!chosen.isEmpty())
        m_rootFolderBox->setText(chosen);
}

void SettingsDialog::save() {
    // Stays open when the paths cannot be saved, so that nothing typed is lost.
    try {
        m_settings.storeProgramPaths(paths());
    } catch (const FileError& error) {
        m_prompts.refuse(this, error.message());
        return;
    }
    accept();
}
