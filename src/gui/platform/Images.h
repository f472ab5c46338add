#pragma once

#include <QIcon>

// The main window's pictures by number: 1 ascending and 2 descending sort marks, 3
// available, 4 unavailable, 5 undumped, 6 to 15 the toolbar's. Toolbar pictures come from
// the desktop's icon theme when it has them, from our own set otherwise.
QIcon imageListPicture(int number);

// The pointing hand shown over links.
QIcon handPointerPicture();

QIcon applicationIcon();
