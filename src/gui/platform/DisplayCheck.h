#pragma once

#include <QString>

// Why no window can be shown here ("" when a display looks reachable): no display named,
// or a local X display whose socket is missing. Decided before the toolkit starts.
QString missingDisplayReason();
