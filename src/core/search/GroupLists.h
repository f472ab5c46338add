#pragma once

#include <QStringList>

// The fixed group names shipped with the program: the main window's group box, and the
// rows of the dialog that edits a whole disk set (spelled as the catalogue has them there).
QStringList groupBoxNames();
QStringList diskSetGroupNames();
