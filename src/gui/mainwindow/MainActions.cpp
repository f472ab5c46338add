#include "gui/mainwindow/MainActions.h"

#include "gui/mainwindow/MainWindowNames.h"
#include "gui/platform/Images.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

struct ToolbarButton {
    Command command; // unused for a separator
    const char* key; // the button's name; null for a separator
    const char* tooltip;
    int picture;
};

// In toolbar order.
constexpr ToolbarButton kToolbar[] = {
    {Command::Play, "Play", "Play Game", 6},
    {Command::Play, nullptr, nullptr, 0},
    {Command::Audit, "Audit", "Audit All Disk Images", 7},
    {Command::Favourites, "Favourites", "Open Favourites", 8},
    {Command::Settings, "Settings", "Settings", 12},
    {Command::Compress, "compressor", "Remove Duplicate Disk Entries", 15},
    {Command::Play, nullptr, nullptr, 0},
    {Command::Save, "Save", "Save Search Results", 9},
    {Command::Paste, "Paste", "Paste Results To Clipboard", 10},
    {Command::Report, "Report", "Stamp Report To Clipboard", 11},
    {Command::Play, nullptr, nullptr, 0},
    {Command::About, "About", "About", 13},
    {Command::Help, "Help", "Help", 14},
};

} // namespace

// One item of a menu; a null caption is a separator (named too).
struct MenuItem {
    const char* name;
    const char* caption;
    Command command;
    bool viaToolbar; // repeats a toolbar command
    const char* shortcut = nullptr;
    bool checkable = false;
};

namespace {

struct Menu {
    const char* name;
    const char* caption;
    std::initializer_list<MenuItem> items;
};

const Menu kMenus[] = {
    {"mnufile",
     "&File",
     {{"mnuplay", "Play", Command::Play, true, "Ctrl+P"},
      {"mnuaudit", "Audit", Command::Audit, true, "Ctrl+A"},
      {"mnuseparator2", nullptr, Command::Play, false},
      {"mnusave", "Save", Command::Save, true},
      {"mnupaste", "Paste", Command::Paste, true},
      {"mnureport", "Report", Command::Report, true},
      {"mnuimportseparator", nullptr, Command::Play, false},
      {"mnuimport", "Import Catalogue...", Command::ImportCatalogue, false},
      {"mnuseparator3", nullptr, Command::Play, false},
      {"mnuexit", "Exit", Command::Exit, false, "Ctrl+Q"}}},
    {"mnuedit",
     "&Edit",
     {{"mnueditsingle", "Single Disk", Command::EditSingleDisk, false},
      {"mnueditset", "Disk Set", Command::EditDiskSet, false},
      {"mnuseparator5", nullptr, Command::Play, false},
      {"mnusettings", "Settings", Command::Settings, false},
      {"mnuverifyseparator", nullptr, Command::Play, false},
      {"mnuverify", "Verify Disk Images...", Command::VerifyImages, false},
      {"mnudiskfiles", "Show Disk Files", Command::ShowDiskFiles, false, nullptr, true}}},
    {"mnuhelp",
     "&Help",
     {{"mnusyntax", "Syntax Overview", Command::SyntaxOverview, false},
      {"mnunotes", "Release Notes", Command::Help, true, "F1"},
      {"mnuseparator4", nullptr, Command::Play, false},
      {"mnuabout", "About", Command::About, true}}},
};

const MenuItem kPopup[] = {
    {"mnuauditgame", "Audit Game", Command::AuditGame, false},
    {"mnuseparator7", nullptr, Command::Play, false},
    {"mnuauditgroup", "Audit Group", Command::AuditGroup, false},
    {"mnuseparator1", nullptr, Command::Play, false},
    {"mnufavadd", "Add To Favourites", Command::AddFavourite, false},
    {"mnufavrem", "Remove From Favourites", Command::RemoveFavourite, false},
    {"mnufavclear", "Clear Favourites", Command::ClearFavourites, false},
    {"mnuseparator6", nullptr, Command::Play, false},
    {"mnudriveB", "Place in Drive B", Command::PlaceInDriveB, false},
};

} // namespace

MainActions::MainActions(QMainWindow* window) : QObject(window) {
    buildToolbar(window);
    buildMenus(window);
    buildPopup(window);
}

QAction* MainActions::toolbarAction(Command command) const {
    const auto found = m_toolbarActions.find(command);
    return found == m_toolbarActions.end() ? nullptr : found->second;
}

void MainActions::buildToolbar(QMainWindow* window) {
    m_toolbar = window->addToolBar(QStringLiteral("Toolbar"));
    m_toolbar->setObjectName(QLatin1String(names::toolbar));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(24, 24));
    int position = 0;
    for (const ToolbarButton& button : kToolbar) {
        ++position;
        if (!button.key) {
            m_toolbar->addSeparator()->setObjectName(QStringLiteral("Separator%1").arg(position));
            continue;
        }
        const QString key = QLatin1String(button.key);
        QAction* action = m_toolbar->addAction(imageListPicture(button.picture), key);
        action->setObjectName(key);
        action->setToolTip(QLatin1String(button.tooltip));
        m_toolbar->widgetForAction(action)->setObjectName(key);
        const Command command = button.command;
        connect(action, &QAction::triggered, this, [this, command] { Q_EMIT triggered(command); });
        m_toolbarActions[command] = action;
    }
}

QAction* MainActions::item(QMenu* menu, const MenuItem& entry) {
    if (!entry.caption) {
        menu->addSeparator()->setObjectName(QLatin1String(entry.name));
        return nullptr;
    }
    QAction* action = menu->addAction(QLatin1String(entry.caption));
    action->setObjectName(QLatin1String(entry.name));
    if (entry.shortcut)
        action->setShortcut(QKeySequence(QLatin1String(entry.shortcut)));
    action->setCheckable(entry.checkable);
    const Command command = entry.command;
    if (entry.viaToolbar)
        connect(action, &QAction::triggered, this,
                [this, command] { toolbarAction(command)->trigger(); });
    else
        connect(action, &QAction::triggered, this, [this, command] { Q_EMIT triggered(command); });
    return action;
}

void MainActions::buildMenus(QMainWindow* window) {
    QMenuBar* bar = window->menuBar();
    for (const Menu& menu : kMenus) {
        QMenu* built = bar->addMenu(QLatin1String(menu.caption));
        built->setObjectName(QLatin1String(menu.name));
        for (const MenuItem& entry : menu.items)
            item(built, entry);
        // The emulator menu comes before Help.
        if (qstrcmp(menu.name, "mnuedit") != 0)
            continue;
        QMenu* emulators = bar->addMenu(QStringLiteral("E&mulator"));
        emulators->setObjectName(QStringLiteral("mnuemu"));
        m_emulators = new QActionGroup(this);
        for (const EmulatorRow& row : emulatorTable()) {
            QAction* choice = emulators->addAction(QLatin1String(row.menuCaption));
            choice->setObjectName(QLatin1String(row.menuItem));
            choice->setCheckable(true);
            choice->setData(int(row.emulator));
            m_emulators->addAction(choice);
        }
        connect(m_emulators, &QActionGroup::triggered, this, [this](QAction* choice) {
            Q_EMIT emulatorChosen(Emulator(choice->data().toInt()));
        });
    }
}

void MainActions::buildPopup(QMainWindow* window) {
    m_popup = new QMenu(QStringLiteral("fav"), window);
    m_popup->setObjectName(QLatin1String(names::popupMenu));
    for (const MenuItem& entry : kPopup)
        item(m_popup, entry);
}

void MainActions::setEmulator(Emulator emulator) {
    for (QAction* choice : m_emulators->actions())
        choice->setChecked(Emulator(choice->data().toInt()) == emulator);
}

void MainActions::popup(const QPoint& globalPosition) {
    m_popup->popup(globalPosition);
}
