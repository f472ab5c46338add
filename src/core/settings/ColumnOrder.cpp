#include "core/settings/ColumnOrder.h"

#include "core/settings/SettingsStore.h"

void ListSort::columnClick(int position) {
    sorted = true;
    if (column == position - 1)
        direction = direction == Ascending ? Descending : Ascending;
    column = position - 1;
}

void ListSort::prepareColumnSwap() {
    column = column == 1 ? 0 : 1;
    direction = direction == Ascending ? Descending : Ascending;
}

ColumnCaptions readColumnCaptions(const QString& settingsFile) {
    return {readini(QStringLiteral("colorder"), QStringLiteral("1"), QString(), settingsFile),
            readini(QStringLiteral("colorder"), QStringLiteral("2"), QString(), settingsFile)};
}

void writeColumnOrder(bool reversed, const QString& settingsFile) {
    const QString section = QStringLiteral("colorder");
    if (reversed) {
        writeini(section, QStringLiteral("1"), QStringLiteral("Group"), settingsFile);
        writeini(section, QStringLiteral("2"), QStringLiteral("Game"), settingsFile);
    } else {
        writeini(section, QStringLiteral("2"), QStringLiteral("Group"), settingsFile);
        writeini(section, QStringLiteral("1"), QStringLiteral("Game"), settingsFile);
    }
    writeini(QStringLiteral("order"), QStringLiteral("value"),
             reversed ? QStringLiteral("1") : QStringLiteral("0"), settingsFile);
}
