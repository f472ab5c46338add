#include "gui/platform/DisplayCheck.h"

#include <QFileInfo>
#include <QRegularExpression>

QString missingDisplayReason() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    // Platforms that draw without a display server (offscreen, vnc, eglfs...) need none.
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return QString();

    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (!wayland.isEmpty()) {
        const QString socket = wayland.startsWith(u'/')
                                   ? wayland
                                   : qEnvironmentVariable("XDG_RUNTIME_DIR") + u'/' + wayland;
        if (QFileInfo::exists(socket))
            return QString();
    }
    const QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        return QStringLiteral("no display to show the window on (DISPLAY is not set); start it "
                              "from a desktop session");
    // A local display ":N" has its socket in /tmp/.X11-unix; remote ones are left to the toolkit.
    static const QRegularExpression local(QStringLiteral("^(?:unix)?:(\\d+)(?:\\.\\d+)?$"));
    const QRegularExpressionMatch match = local.match(display);
    if (match.hasMatch() &&
        !QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X") + match.captured(1)))
        return QStringLiteral("cannot reach the display %1; start it from a desktop session")
            .arg(display);
    return QString();
}
