#pragma once

#include <QString>

// A text to be placed between single quotes in a statement: each quote written twice.
// Nothing else is escaped, so LIKE's own characters keep their meaning.
inline QString quoteDoubled(QString text) {
    return text.replace(u'\'', QStringLiteral("''"));
}
