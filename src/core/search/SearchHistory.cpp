#include "core/search/SearchHistory.h"

#include "core/settings/Settings.h"

namespace {

const QString kSection = QStringLiteral("searchbox");

QString readKey(int key, const QString& file) {
    return readSetting(kSection, QString::number(key), file);
}

void writeKey(int key, const QString& value, const QString& file) {
    writeSetting(kSection, QString::number(key), value, file);
}

// Copies key k to k+1 for k = from, from-1, ... and stops after copying the end marker, or
// after key 1 when the marker is missing.
void shiftDown(int from, const QString& file) {
    for (int key = from; key >= 1; --key) {
        const QString value = readKey(key, file);
        writeKey(key + 1, value, file);
        if (value == QLatin1String("endmru"))
            break;
    }
}

} // namespace

QStringList readSearchHistory(const QString& settingsFile) {
    QStringList entries;
    for (int key = 2; key <= 10; ++key)
        entries << readKey(key, settingsFile);
    return entries;
}

QStringList recordSearch(const QString& text, const QStringList& shownRows,
                         const QString& settingsFile) {
    if (text.isEmpty())
        return readSearchHistory(settingsFile);
    int position = -1;
    for (int p = 10; p >= 0 && position < 0; --p) {
        if (shownRows.value(p) == text)
            position = p;
    }
    if (position < 0) {
        shiftDown(9, settingsFile);
    } else {
        writeKey(position + 2, QStringLiteral("temp"), settingsFile);
        shiftDown(position + 1, settingsFile);
    }
    writeKey(2, text, settingsFile);
    return readSearchHistory(settingsFile);
}
