#pragma once

#include "common/TestFolder.h"

#include "gui/mainwindow/Form1.h"
#include "core/catalogue/Catalogue.h"
#include "core/browser/Clock.h"
#include "gui/platform/Prompts.h"
#include "gui/platform/Shell.h"

#include <memory>

// A main window on a throw-away program folder, with scripted dialogs and a fake clock.
struct WindowHarness {
    TestFolder folder;
    Catalogue catalogue;
    ScriptedPrompts prompts;
    FakeClock clock;
    RecordingShell shell;
    std::unique_ptr<Form1> window;

    // The small catalogue the window tests list from.
    static QString catalogueSql();

    explicit WindowHarness(const QString& settings = TestFolder::defaultSettings(),
                           const QString& sql = catalogueSql());
    ~WindowHarness();

    template <typename T> T* find(const char* name) const {
        return window->findChild<T*>(QLatin1String(name));
    }
    QString setting(const char* section, const char* key) const;
    QStringList headers() const;
    QStringList column(int index) const;
    // Lists every entry, as a search would.
    void listAll();
};
