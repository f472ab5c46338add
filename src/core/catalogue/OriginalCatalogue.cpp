#include "core/catalogue/OriginalCatalogue.h"

#include <QDir>
#include <QFileInfo>

QString originalCatalogueFileName() {
    return QStringLiteral("AtariST Compilation Listing v1.mdb");
}

QString findOriginalCatalogue(const QString& folder) {
    const QString exact = folder + QDir::separator() + originalCatalogueFileName();
    if (QFileInfo(exact).isFile())
        return exact;
    const QStringList files = QDir(folder).entryList(QDir::Files);
    for (const QString& name : files)
        if (name.compare(originalCatalogueFileName(), Qt::CaseInsensitive) == 0)
            return folder + QDir::separator() + name;
    return QString();
}
