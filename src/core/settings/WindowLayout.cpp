#include "core/settings/WindowLayout.h"

namespace {

const QString kSection = QStringLiteral("Kestrel");
const QString kWidth = QStringLiteral("WindowWidth");
const QString kHeight = QStringLiteral("WindowHeight");
const QString kMaximised = QStringLiteral("WindowMaximised");
const QString kFirstColumn = QStringLiteral("FirstColumnWidth");
const QString kDiskFiles = QStringLiteral("DiskFilesShown");

std::optional<int> length(const Settings& settings, const QString& key) {
    bool ok = false;
    const int value = readSetting(kSection, key, settings.file()).trimmed().toInt(&ok);
    return ok && value > 0 ? std::optional<int>(value) : std::nullopt;
}

void storeLength(const Settings& settings, const QString& key, std::optional<int> value) {
    if (value)
        writeSetting(kSection, key, QString::number(*value), settings.file());
}

} // namespace

WindowLayout readWindowLayout(const Settings& settings) {
    WindowLayout layout;
    const std::optional<int> width = length(settings, kWidth);
    const std::optional<int> height = length(settings, kHeight);
    if (width && height)
        layout.size = QSize(*width, *height);
    layout.maximised = length(settings, kMaximised) == 1;
    layout.firstColumnWidth = length(settings, kFirstColumn);
    layout.diskFilesShown = length(settings, kDiskFiles) == 1;
    return layout;
}

void storeWindowLayout(const Settings& settings, const WindowLayout& layout) {
    if (layout.size) {
        storeLength(settings, kWidth, layout.size->width());
        storeLength(settings, kHeight, layout.size->height());
    }
    writeSetting(kSection, kMaximised, layout.maximised ? QStringLiteral("1") : QStringLiteral("0"),
                 settings.file());
    storeLength(settings, kFirstColumn, layout.firstColumnWidth);
    writeSetting(kSection, kDiskFiles,
                 layout.diskFilesShown ? QStringLiteral("1") : QStringLiteral("0"),
                 settings.file());
}
