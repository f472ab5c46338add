#include "core/search/GroupLists.h"

#include <QFile>

namespace {

QStringList readList(const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList names = QString::fromUtf8(file.readAll()).split(u'\n');
    while (!names.isEmpty() && names.last().isEmpty())
        names.removeLast();
    return names;
}

} // namespace

QStringList groupBoxNames() {
    static const QStringList names = readList(QStringLiteral(":/groups/group-box.txt"));
    return names;
}

QStringList diskSetGroupNames() {
    static const QStringList names = readList(QStringLiteral(":/groups/disk-set.txt"));
    return names;
}
