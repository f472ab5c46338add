// The toolbar, the menu bar and the list's pop-up menu, and the dispatch that runs their
// commands.
#include "gui/mainwindow/Form1.h"

#include "gui/platform/Images.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <exception>

namespace {

struct ToolbarButton {
    const char* key;
    const char* tooltip;
    int picture;
};

// In toolbar order; a null key is a separator.
constexpr ToolbarButton kToolbarButtons[] = {
    {"Play", "Play Game", 6},
    {nullptr, nullptr, 0},
    {"Audit", "Audit All Disk Images", 7},
    {"Favourites", "Open Favourites", 8},
    {"Settings", "Settings", 12},
    {"compressor", "Remove Duplicate Disk Entries", 15},
    {nullptr, nullptr, 0},
    {"Save", "Save Search Results", 9},
    {"Paste", "Paste Results To Clipboard", 10},
    {"Report", "Stamp Report To Clipboard", 11},
    {nullptr, nullptr, 0},
    {"About", "About", 13},
    {"Help", "Help", 14},
};

QAction* menuItem(QMenu* menu, const char* name, const QString& caption,
                  const QKeySequence& shortcut = QKeySequence()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    return action;
}

void separator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

} // namespace

void Form1::buildToolbar() {
    Toolbar1 = addToolBar(QStringLiteral("Toolbar"));
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setIconSize(QSize(24, 24));
    for (const ToolbarButton& button : kToolbarButtons) {
        if (!button.key) {
            QAction* gap = Toolbar1->addSeparator();
            gap->setObjectName(QStringLiteral("Separator%1").arg(m_toolbarButtons.size() + 1));
            m_toolbarButtons << gap;
            continue;
        }
        const QString key = QLatin1String(button.key);
        QAction* action = Toolbar1->addAction(imageListPicture(button.picture), key);
        action->setObjectName(key);
        action->setToolTip(QLatin1String(button.tooltip));
        Toolbar1->widgetForAction(action)->setObjectName(key);
        m_toolbarButtons << action;
    }
    connect(Toolbar1, &QToolBar::actionTriggered, this, &Form1::Toolbar1_ButtonClick);
}

void Form1::buildMenus() {
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnufile"));
    QAction* play =
        menuItem(file, "mnuplay", QStringLiteral("Play"), QKeySequence(QStringLiteral("Ctrl+P")));
    QAction* audit =
        menuItem(file, "mnuaudit", QStringLiteral("Audit"), QKeySequence(QStringLiteral("Ctrl+A")));
    separator(file, "mnuseparator2");
    QAction* save = menuItem(file, "mnusave", QStringLiteral("Save"));
    QAction* paste = menuItem(file, "mnupaste", QStringLiteral("Paste"));
    QAction* report = menuItem(file, "mnureport", QStringLiteral("Report"));
    separator(file, "mnuseparator3");
    QAction* exit =
        menuItem(file, "mnuexit", QStringLiteral("Exit"), QKeySequence(QStringLiteral("Ctrl+Q")));

    // Menu items that repeat a toolbar command press that toolbar button.
    connect(play, &QAction::triggered, this, [this] { pressToolbarButton(1); });
    connect(audit, &QAction::triggered, this, [this] { pressToolbarButton(3); });
    connect(save, &QAction::triggered, this, [this] { pressToolbarButton(8); });
    connect(paste, &QAction::triggered, this, [this] { pressToolbarButton(9); });
    connect(report, &QAction::triggered, this, [this] { pressToolbarButton(10); });
    connect(exit, &QAction::triggered, this, &Form1::Command2_Click);

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuedit"));
    connect(menuItem(edit, "mnueditsingle", QStringLiteral("Single Disk")), &QAction::triggered,
            this, &Form1::mnueditsingle_Click);
    connect(menuItem(edit, "mnueditset", QStringLiteral("Disk Set")), &QAction::triggered, this,
            &Form1::mnueditset_Click);
    separator(edit, "mnuseparator5");
    QAction* settings = menuItem(edit, "mnusettings", QStringLiteral("Settings"));
    connect(settings, &QAction::triggered, this, [this] { showSettings(); });

    QMenu* emulator = bar->addMenu(QStringLiteral("E&mulator"));
    emulator->setObjectName(QStringLiteral("mnuemu"));
    auto* choice = new QActionGroup(this);
    for (auto [name, caption] :
         {std::pair{"mnusteem", "STeem"}, std::pair{"mnuwinston", "WinSTon/STew"},
          std::pair{"mnusaint", "SainT"}, std::pair{"mnuhatari", "Hatari"}}) {
        QAction* item = menuItem(emulator, name, QLatin1String(caption));
        item->setCheckable(true);
        choice->addAction(item);
    }
    connect(choice, &QActionGroup::triggered, this, &Form1::chooseEmulator);

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuhelp"));
    QAction* syntax = menuItem(help, "mnusyntax", QStringLiteral("Syntax Overview"));
    QAction* notes = menuItem(help, "mnunotes", QStringLiteral("Release Notes"));
    separator(help, "mnuseparator4");
    QAction* about = menuItem(help, "mnuabout", QStringLiteral("About"));
    connect(syntax, &QAction::triggered, this, &Form1::mnusyntax_Click);
    connect(notes, &QAction::triggered, this, [this] { pressToolbarButton(13); });
    connect(about, &QAction::triggered, this, [this] { pressToolbarButton(12); });
}

void Form1::buildPopupMenu() {
    mnufav = new QMenu(QStringLiteral("fav"), this);
    mnufav->setObjectName(QStringLiteral("mnufav"));
    connect(menuItem(mnufav, "mnuauditgame", QStringLiteral("Audit Game")), &QAction::triggered,
            this, &Form1::mnuauditgame_Click);
    separator(mnufav, "mnuseparator7");
    connect(menuItem(mnufav, "mnuauditgroup", QStringLiteral("Audit Group")), &QAction::triggered,
            this, &Form1::mnuauditgroup_Click);
    separator(mnufav, "mnuseparator1");
    connect(menuItem(mnufav, "mnufavadd", QStringLiteral("Add To Favourites")), &QAction::triggered,
            this, &Form1::mnufavadd_Click);
    connect(menuItem(mnufav, "mnufavrem", QStringLiteral("Remove From Favourites")),
            &QAction::triggered, this, &Form1::mnufavrem_Click);
    connect(menuItem(mnufav, "mnufavclear", QStringLiteral("Clear Favourites")),
            &QAction::triggered, this, &Form1::mnufavclear_Click);
    separator(mnufav, "mnuseparator6");
    connect(menuItem(mnufav, "mnudriveB", QStringLiteral("Place in Drive B")), &QAction::triggered,
            this, &Form1::mnudriveB_Click);
}

void Form1::pressToolbarButton(int index) {
    Toolbar1_ButtonClick(m_toolbarButtons.value(index - 1));
}

void Form1::Toolbar1_ButtonClick(QAction* button) {
    if (!button)
        return;
    const QString key = button->objectName();
    // A failing command stops where it failed; the window stays usable.
    try {
        if (key == QLatin1String("Play"))
            rungame();
        else if (key == QLatin1String("Audit"))
            auditgames();
        else if (key == QLatin1String("Favourites"))
            getfavourites();
        else if (key == QLatin1String("Settings"))
            showSettings();
        else if (key == QLatin1String("Save"))
            savelist();
        else if (key == QLatin1String("Paste"))
            pastelist();
        else if (key == QLatin1String("Report"))
            reportlist();
        else if (key == QLatin1String("About"))
            showAbout();
        else if (key == QLatin1String("Help"))
            showReleaseNotes();
        else if (key == QLatin1String("compressor"))
            compressor();
    } catch (const std::exception&) {
    } catch (...) {
    }
}
