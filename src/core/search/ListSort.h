#pragma once

// How the result list is sorted: on or off, the column (0-based) and the direction.
struct ListSort {
    enum Direction { Ascending = 0, Descending = 1 };
    bool sorted = false;
    int column = 0;
    int direction = Ascending;

    bool descending() const { return direction == Descending; }

    // A click on the header at `position` (1-based): the same column again flips the
    // direction, another column keeps it.
    void columnClick(int position) {
        sorted = true;
        if (column == position - 1)
            flip();
        column = position - 1;
    }

    // Before the columns swap places: move to the other column and flip the direction, so
    // that the click that follows on that column restores the direction on the same field.
    void prepareColumnSwap() {
        column = column == 1 ? 0 : 1;
        flip();
    }

private:
    void flip() { direction = direction == Ascending ? Descending : Ascending; }
};
