#include "gui/dialogs/Form4.h"

#include "gui/platform/Images.h"
#include "core/settings/SettingsStore.h"
#include "gui/dialogs/DialogPlacement.h"
#include "gui/platform/Prompts.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("settings");

// One framed row: a path box and its "..." browse button.
QGroupBox* pathRow(QWidget* parent, const char* frameName, const QString& caption, QLineEdit*& box,
                   const char* boxName, QPushButton*& browse, const char* browseName) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QLatin1String(frameName));
    auto* row = new QHBoxLayout(frame);
    box = new QLineEdit(frame);
    box->setObjectName(QLatin1String(boxName));
    box->setMinimumWidth(380);
    browse = new QPushButton(QStringLiteral("..."), frame);
    browse->setObjectName(QLatin1String(browseName));
    browse->setFixedWidth(36);
    row->addWidget(box, 1);
    row->addWidget(browse);
    return frame;
}

} // namespace

Form4::Form4(QWidget* owner, Prompts& prompts, const QString& settingsPath)
    : QDialog(owner), m_prompts(prompts), m_settingsPath(settingsPath) {
    setObjectName(QStringLiteral("Form4"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(imageListPicture(12).pixmap(48, 48));
    Picture1->setAlignment(Qt::AlignTop);
    top->addWidget(Picture1);
    auto* rows = new QVBoxLayout;
    rows->addWidget(
        pathRow(this, "Frame1", QStringLiteral("Steem"), Text1, "Text1", Command1, "Command1"));
    rows->addWidget(pathRow(this, "Frame3", QStringLiteral("WinSTon/STew"), Text3, "Text3",
                            Command4, "Command4"));
    rows->addWidget(
        pathRow(this, "Frame4", QStringLiteral("SainT"), Text4, "Text4", Command6, "Command6"));
    rows->addWidget(
        pathRow(this, "Frame5", QStringLiteral("Hatari"), Text5, "Text5", Command7, "Command7"));
    rows->addWidget(pathRow(this, "Frame2", QStringLiteral("Root Game Folder"), Text2, "Text2",
                            Command2, "Command2"));
    top->addLayout(rows, 1);
    layout->addLayout(top);

    auto* buttons = new QHBoxLayout;
    Command3 = new QPushButton(QStringLiteral("Ok"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setDefault(true);
    Command5 = new QPushButton(QStringLiteral("Cancel"), this);
    Command5->setObjectName(QStringLiteral("Command5"));
    buttons->addStretch(1);
    buttons->addWidget(Command3);
    buttons->addWidget(Command5);
    layout->addLayout(buttons);

    connect(Command1, &QPushButton::clicked, this, [this] { browseProgram(Text1); });
    connect(Command4, &QPushButton::clicked, this, [this] { browseProgram(Text3); });
    connect(Command6, &QPushButton::clicked, this, [this] { browseProgram(Text4); });
    connect(Command7, &QPushButton::clicked, this, [this] { browseProgram(Text5); });
    connect(Command2, &QPushButton::clicked, this, &Form4::browseFolder);
    connect(Command3, &QPushButton::clicked, this, &Form4::Command3_Click);
    connect(Command5, &QPushButton::clicked, this, &Form4::Command5_Click);
    adjustSize();
}

void Form4::Form_Load() {
    centreOver(this, parentWidget());
    setWindowTitle(QStringLiteral("Settings"));
    Text1->setText(readini(kSection, QStringLiteral("STeem"), QString(), m_settingsPath));
    Text3->setText(readini(kSection, QStringLiteral("STew"), QString(), m_settingsPath));
    Text4->setText(readini(kSection, QStringLiteral("SainT"), QString(), m_settingsPath));
    Text5->setText(readini(kSection, QStringLiteral("Hatari"), QString(), m_settingsPath));
    Text2->setText(readini(kSection, QStringLiteral("rootfolder"), QString(), m_settingsPath));
}

void Form4::browseProgram(QLineEdit* box) {
    const QString chosen =
        m_prompts.openFileName(this, QStringLiteral("Open"), QStringLiteral("All Files (*)"));
    if (!chosen.isEmpty())
        box->setText(chosen);
}

void Form4::browseFolder() {
    const QString chosen =
        m_prompts.folder(this, QStringLiteral("Please select root game folder."));
    if (!chosen.isEmpty())
        Text2->setText(chosen);
}

void Form4::Command3_Click() {
    writeini(kSection, QStringLiteral("STeem"), Text1->text(), m_settingsPath);
    writeini(kSection, QStringLiteral("STew"), Text3->text(), m_settingsPath);
    writeini(kSection, QStringLiteral("SainT"), Text4->text(), m_settingsPath);
    writeini(kSection, QStringLiteral("Hatari"), Text5->text(), m_settingsPath);
    writeini(kSection, QStringLiteral("rootfolder"), Text2->text(), m_settingsPath);
    accept();
}

void Form4::Command5_Click() {
    reject();
}
