#pragma once

#include "common/TestFolder.h"

#include "core/browser/Clock.h"
#include "core/catalogue/Catalogue.h"
#include "core/settings/SettingsStore.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/Startup.h"
#include "gui/platform/Prompts.h"
#include "gui/platform/Shell.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <array>
#include <functional>
#include <memory>

// A main window on a throw-away program folder, with scripted dialogs, a fake clock and a
// shell that only records. Everything is reached by objectName, as a script would.
//
// Disks: AUTO012.st available (entries 1, 2), AUTO120.st unavailable (3), DB.msa undumped
// (4, 5), AUTO200.st without a code (6). Entry 3 is the one favourite.
struct WindowHarness {
    TestFolder folder;
    Catalogue catalogue;
    ScriptedPrompts prompts;
    FakeClock clock;
    RecordingShell shell;
    std::unique_ptr<MainWindow> window;

    // The settings as shipped, with {section, key, value} changed.
    explicit WindowHarness(std::initializer_list<std::array<QString, 3>> changes = {}) {
        folder.createCatalogue(QStringLiteral(
            "INSERT INTO Dnames VALUES (1, 1, 'Auto', 'AUTO', '012', 'st'),"
            " (2, 0, 'Auto', 'AUTO', '120', 'st'), (3, 2, 'DBug', 'DB', NULL, 'msa'),"
            " (4, NULL, 'Auto', 'AUTO', '200', 'st');"
            "INSERT INTO Compilations VALUES (1, 'Automation 12', 'Dragon Ninja', 0, 1),"
            " (2, 'Automation 12', 'alpha Wave', 0, 1), (3, 'Automation 120', 'Zork', -1, 2),"
            " (4, 'D-Bug 3', 'Beta Blast', 0, 3), (5, 'D-Bug 3', 'Alpha Centauri', 0, 3),"
            " (6, 'Automation 200', 'Cyber Run', 0, 4);"));
        folder.writeSettings(TestFolder::defaultSettings());
        for (const auto& [section, key, value] : changes)
            writeini(section, key, value, folder.settingsPath());
        window = open(catalogue);
    }

    // A window on the same folder, as after a restart.
    std::unique_ptr<MainWindow> open(Catalogue& on) {
        auto opened = std::make_unique<MainWindow>(ProgramFolder{folder.path(), QString()},
                                                   MainWindow::Services{on, prompts, clock, shell});
        opened->load();
        opened->show(); // offscreen; rows can only be clicked where they are laid out
        return opened;
    }

    template <typename T> T* find(const char* name) const {
        return window->findChild<T*>(QLatin1String(name));
    }
    QString text(const char* label) const { return find<QLabel>(label)->text(); }
    bool shown(const char* widget) const {
        return find<QWidget>(widget)->isVisibleTo(window.get());
    }
    void trigger(const char* action) const { find<QAction>(action)->trigger(); }
    QString setting(const char* section, const char* key) const {
        return readini(QLatin1String(section), QLatin1String(key), QString(),
                       folder.settingsPath());
    }
    QString lastPrompt() const { return prompts.shownTexts().value(prompts.shown().size() - 1); }

    QStringList headers() const {
        const QAbstractItemModel* model = find<QTreeView>("ListView1")->model();
        QStringList captions;
        for (int c = 0; c < model->columnCount(); ++c)
            captions << model->headerData(c, Qt::Horizontal).toString();
        return captions;
    }
    QStringList column(int index) const {
        const QAbstractItemModel* model = find<QTreeView>("ListView1")->model();
        QStringList texts;
        for (int row = 0; row < model->rowCount(); ++row)
            texts << model->index(row, index).data().toString();
        return texts;
    }
    int rows() const { return int(column(0).size()); }

    // A name search for `text` within `group`, as the user makes it.
    void search(const QString& text, const QString& group = QStringLiteral("ALL")) {
        find<QComboBox>("Combo6")->setCurrentText(group);
        find<QComboBox>("Combo8")->setEditText(text);
        find<QPushButton>("OKButton")->click();
    }
    void clickRow(const QString& nummer) {
        const int row = int(column(2).indexOf(nummer));
        QVERIFY2(row >= 0, qPrintable(nummer));
        auto* list = find<QTreeView>("ListView1");
        const QRect cell = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    }

    // Runs `action`, which opens a modal dialog; `inside` runs while it is open, then the
    // dialog is closed. Returns the dialog's objectName, "" when none opened, and marks one
    // that is not centred over the window.
    QString withDialog(const std::function<void()>& action,
                       const std::function<void(QWidget*)>& inside = {}) {
        QString opened;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            const QRect owner = window->frameGeometry();
            const QPoint centred(owner.left() + (owner.width() - dialog->width()) / 2,
                                 owner.top() + (owner.height() - dialog->height()) / 2);
            opened = dialog->objectName() +
                     (dialog->pos() == centred ? QString() : QStringLiteral(" off centre"));
            if (inside)
                inside(dialog);
            if (QApplication::activeModalWidget() == dialog)
                dialog->close();
        });
        action();
        // When nothing opened, the check runs now and finds nothing, rather than later.
        QCoreApplication::processEvents();
        return opened;
    }
};

// The start-up on a program folder with the shipped settings, with scripted dialogs: what
// kestrel does before its window shows.
struct StartupHarness {
    TestFolder folder;
    Catalogue catalogue;
    ScriptedPrompts prompts;
    FakeClock clock;
    RecordingShell shell;
    std::unique_ptr<MainWindow> window;

    StartupHarness() { folder.writeSettings(TestFolder::defaultSettings()); }
    int run() {
        return openMainWindow({folder.path(), QString()}, {catalogue, prompts, clock, shell},
                              window);
    }
};
