#pragma once

#include "common/TestFolder.h"

#include "core/browser/Clock.h"
#include "core/catalogue/Catalogue.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/platform/Prompts.h"
#include "gui/platform/Shell.h"

#include <QAction>
#include <QLabel>

#include <functional>
#include <memory>

// A main window on a throw-away program folder, with scripted dialogs, a fake clock and a
// shell that only records. Everything is reached by objectName, as a script would.
struct WindowHarness {
    TestFolder folder;
    Catalogue catalogue;
    ScriptedPrompts prompts;
    FakeClock clock;
    RecordingShell shell;
    std::unique_ptr<MainWindow> window;

    // Three disks: AUTO012.st (available), AUTO120.st (unavailable), DB.msa (undumped).
    static QString catalogueSql();
    // The shipped settings with some keys changed: {{section, key, value}, ...}.
    static QString settingsWith(std::initializer_list<std::array<const char*, 3>> changes);

    explicit WindowHarness(const QString& settings = TestFolder::defaultSettings(),
                           const QString& sql = catalogueSql());
    ~WindowHarness();

    template <typename T> T* find(const char* name) const {
        return window->findChild<T*>(QLatin1String(name));
    }
    QString text(const char* label) const { return find<QLabel>(label)->text(); }
    bool shown(const char* widget) const;
    void trigger(const char* action) const { find<QAction>(action)->trigger(); }
    QString setting(const char* section, const char* key) const;

    QStringList headers() const;
    QStringList column(int index) const;
    int rows() const;
    // A name search for `text` within `group`, as the user makes it.
    void search(const QString& text, const QString& group = QStringLiteral("ALL"));
    // Clicks the row of entry `nummer`.
    void clickRow(const QString& nummer);
    // Runs `action`, which opens a modal dialog; `inside` runs while it is open, then the
    // dialog is closed. Returns the dialog's objectName ("" when none opened).
    QString withDialog(const std::function<void()>& action,
                       const std::function<void(QWidget*)>& inside = {});
};
