#pragma once

#include <QString>
#include <QStringList>

// How the result list is sorted: on or off, the column (0-based) and the direction.
struct ListSort {
    enum Direction { Ascending = 0, Descending = 1 };
    bool sorted = false;
    int column = 0;
    int direction = Ascending;

    // A click on the header at `position` (1-based): the same column again flips the
    // direction, another column keeps it.
    void columnClick(int position);

    // Before the columns swap places: move to the other column and flip the direction, so
    // that the click that follows on that column restores the direction on the same field.
    void prepareColumnSwap();
};

// The captions of the first two columns, which are the field names they show.
struct ColumnCaptions {
    QString first;
    QString second;
};

ColumnCaptions readColumnCaptions(const QString& settingsFile);

// Stores the column order: "Group" first when reversed, "Game" first otherwise.
void writeColumnOrder(bool reversed, const QString& settingsFile);
