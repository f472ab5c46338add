#include "gui/platform/Shell.h"

#include "core/images/DetachedStart.h"

#include <QDesktopServices>

QString SystemShell::start(const QString& program, const QStringList& arguments,
                           const QString& workingFolder, StartRecord* record) {
    return startDetachedProgram(program, arguments, workingFolder, record);
}

void SystemShell::openUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}
