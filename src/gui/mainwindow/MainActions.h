#pragma once

#include "core/images/Emulators.h"

#include <QObject>

#include <map>

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QPoint;
class QToolBar;

// The commands of the main window's toolbar, menu bar and the result list's pop-up menu.
enum class Command {
    Play,
    Audit,
    Favourites,
    Settings,
    Compress,
    Save,
    Paste,
    Report,
    About,
    Help,
    Exit,
    EditSingleDisk,
    EditDiskSet,
    SyntaxOverview,
    AuditGame,
    AuditGroup,
    AddFavourite,
    RemoveFavourite,
    ClearFavourites,
    PlaceInDriveB,
    ImportCatalogue,
    VerifyImages,
    ShowDiskFiles,
};

// Builds the toolbar, the menus and the pop-up menu from their tables. Every item triggers
// `triggered` with its command; a menu item that repeats a toolbar command triggers that
// toolbar action, so both run the same way whatever the toolbar's order.
class MainActions : public QObject {
    Q_OBJECT
public:
    explicit MainActions(QMainWindow* window);

    QAction* toolbarAction(Command command) const;
    void setEmulator(Emulator emulator);
    void popup(const QPoint& globalPosition);

Q_SIGNALS:
    void triggered(Command command);
    void emulatorChosen(Emulator emulator);

private:
    void buildToolbar(QMainWindow* window);
    void buildMenus(QMainWindow* window);
    void buildPopup(QMainWindow* window);
    QAction* item(QMenu* menu, const struct MenuItem& entry);

    QToolBar* m_toolbar = nullptr;
    QMenu* m_popup = nullptr;
    QActionGroup* m_emulators = nullptr;
    std::map<Command, QAction*> m_toolbarActions;
};
