#include "gui/platform/Images.h"

namespace {

QIcon own(const char* name) {
    return QIcon(QStringLiteral(":/icons/") + QLatin1String(name) + QStringLiteral(".svg"));
}

QIcon themed(const char* themeName, const char* ownName) {
    return QIcon::fromTheme(QLatin1String(themeName), own(ownName));
}

} // namespace

QIcon imageListPicture(int number) {
    switch (number) {
    case 1:
        return own("sort-ascending");
    case 2:
        return own("sort-descending");
    case 3:
        return own("available");
    case 4:
        return own("unavailable");
    case 5:
        return own("undumped");
    case 6:
        return themed("media-playback-start", "play");
    case 7:
        return themed("system-search", "audit");
    case 8:
        return themed("emblem-favorite", "favourites");
    case 9:
        return themed("document-save", "save");
    case 10:
        return themed("edit-paste", "paste");
    case 11:
        return themed("x-office-document", "report");
    case 12:
        return themed("preferences-system", "settings");
    case 13:
        return themed("help-about", "about");
    case 14:
        return themed("help-contents", "help");
    case 15:
        return themed("view-list-compact", "compressor");
    default:
        return QIcon();
    }
}

QIcon handPointerPicture() {
    return own("hand-pointer");
}

QIcon applicationIcon() {
    return QIcon::fromTheme(QStringLiteral("kestrel"), own("kestrel"));
}
