#pragma once

#include <QString>

// The help line shown for the chosen operator: the query marks for "contains", a note that
// there are none for the others.
QString operatorHelpText(const QString& operatorText);
