#pragma once

#include "core/search/ListSort.h"
#include "core/settings/ProgramFolder.h"
#include "core/images/DiskAudit.h"
#include "core/search/Listing.h"
#include "core/search/SearchCriteria.h"
#include "core/settings/Settings.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>

class Catalogue;
class Clock;
class Prompts;
class Shell;
class ResultListModel;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTextEdit;
class QToolBar;
class QTreeView;

// The main window: search criteria, result list, status line, toolbar, menus and the
// pop-up menu of the list. It owns the state the actions share. The actions themselves
// live with their subsystems; this class gathers what the controls show and calls them.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    struct Services {
        Catalogue& catalogue;
        Prompts& prompts;
        Clock& clock;
        Shell& shell;
    };

    Form1(const ProgramFolder& folder, Services services, QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up: fills and sets every control from the catalogue and the settings. Throws
    // CatalogueError when the catalogue cannot be opened.
    void Form_Load();

    const QString& settingsPath() const { return m_settingsPath; }
    const ProgramFolder& programFolder() const { return m_folder; }
    qint16 selectedFlag() const { return m_selected; }
    const QString& selectedImagePath() const { return m_selectedImagePath; }
    const QString& driveBImagePath() const { return m_driveBImagePath; }

    // The emulator program paths and the root game folder in use: read from the settings
    // file on first use and again after the Settings dialog closes, so edits count only once
    // stored with Ok.
    const ProgramPaths& programPaths();
    QString rootGameFolder();
    const ListSort& listSort() const { return m_sort; }
    ResultListModel* resultList() const { return m_list; }

    // The list mode: "Favourites" while favourites are listed, empty after a search.
    QString listMode() const;

    // Timing of the last listing or audit, in ticks of the clock.
    quint32 starttime = 0;
    quint32 endtime = 0;
    quint32 searchtime = 0;

    // Runs a statement and shows its rows with the timing and count texts; `emptyText` is
    // the status line when nothing is found. A statement the catalogue rejects is reported
    // in a message box and leaves the list empty and the status texts as they were.
    // `countText` words the count when rows were found. Returns false when the statement was
    // rejected.
    bool listStatement(const QString& statement, const QString& emptyText,
                       const std::function<QString(qsizetype)>& countText = resultCountText);

    // Fills the list from a statement's rows (those `keep` accepts), sorted as the list is.
    bool fillList(const QString& statement, const std::function<bool(const ResultSet&)>& keep = {});

    // What the search controls show now.
    SearchCriteria currentCriteria() const;

public Q_SLOTS:
    void OKButton_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Check1_Click();
    void Combo6_Click();
    void Combo9_Click();
    void Option1_Click();
    void Option2_Click();
    void ListView1_ColumnClick(int position);
    void Toolbar1_ButtonClick(QAction* button);
    void mnusyntax_Click();
    void ListView1_Click();
    void mnudriveB_Click();
    void mnuauditgame_Click();
    void mnuauditgroup_Click();
    void chooseEmulator(QAction* item);
    void mnufavadd_Click();
    void mnufavrem_Click();
    void mnufavclear_Click();
    void mnueditset_Click();
    void mnueditsingle_Click();
    void textsearch();
    void alphasearch();
    void compressor();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildCriteria(QWidget* parent);
    void buildListArea(QWidget* parent);
    void buildStatusBar();
    void buildToolbar();
    void buildMenus();
    void buildPopupMenu();
    void centreOnScreen();

    void setColumnHeaders(const QStringList& captions);
    void applySort();
    void refillList();
    void pressToolbarButton(int index);
    int twipsToPixels(int twips) const;
    static void paintBackground(QWidget* widget, QPalette::ColorRole role);

    // Actions of the toolbar and menus; each belongs to its own subsystem.
    void rungame();
    void auditgames();
    void fitprogress();
    void startprogress();
    void stopprogress();
    // Runs one of the audits with the busy pointer, the progress bar and the timing, then
    // lists the results again.
    void runAudit(const std::function<qlonglong(const AuditObserver&)>& audit);
    void refreshAfterAudit();
    int selectedRow() const;
    // Makes the shared result set hold the entry's joined record, querying only when it
    // holds another.
    void loadSelectedRecord(const QString& nummer);
    bool rootFolderUsable(const QString& root);
    void getfavourites();
    void savelist();
    void pastelist();
    void reportlist();
    void showSettings();
    void showAbout();
    void showReleaseNotes();

    ProgramFolder m_folder;
    Services m_services;
    QString m_settingsPath;
    qint16 m_selected = 0;
    QString m_selectedImagePath;
    QString m_driveBImagePath;
    std::optional<ProgramPaths> m_programPaths;
    ListSort m_sort;
    ResultListModel* m_list = nullptr;
    QList<QAction*> m_toolbarButtons; // by index - 1, separators included

public:
    // Controls, by the names the rest of the program knows them by.
    QFrame* Frame4 = nullptr;
    QLabel* Label12 = nullptr;
    QPushButton* Command3 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
    QLabel* Picture2 = nullptr;
    QLabel* Picture3 = nullptr;
    QLabel* Picture4 = nullptr;
    QLabel* Picture5 = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanels[3] = {nullptr, nullptr, nullptr};
    QLineEdit* Text1 = nullptr;
    QTextEdit* RTB1 = nullptr;
    QFrame* Frame3 = nullptr;
    QLabel* Picture1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label9 = nullptr;
    QFrame* Frame1 = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* Combo6 = nullptr;
    QTreeView* ListView1 = nullptr;
    QComboBox* Combo3 = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QComboBox* Combo8 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo9 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label4 = nullptr;
    QCheckBox* Check1 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label3 = nullptr;
    QMenu* mnufav = nullptr;
};
