#pragma once

#include "gui/mainwindow/MainWindow.h"

#include <memory>

// Creates and loads the main window on a program folder and shows it. When the catalogue
// cannot be opened the user is told why, no window is shown, and the exit status to end
// with is returned (0 when the window is up).
int openMainWindow(const ProgramFolder& folder, MainWindow::Services services,
                   std::unique_ptr<MainWindow>& window);
