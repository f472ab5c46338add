#include "core/catalogue/CatalogueReplacement.h"

#include "core/Failures.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace {

// A second replacement within the same second gets a number too, so that no backup is ever
// overwritten.
QString backupPath(const QString& catalogue) {
    const QString stem = catalogue + QLatin1Char('.') +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    QString path = stem + QStringLiteral(".bak");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + QStringLiteral("-%1.bak").arg(n);
    return path;
}

} // namespace

CatalogueReplacement replaceCatalogue(const QString& mdbPath, const QString& cataloguePath,
                                      const MdbImportProgress& progress) {
    CatalogueReplacement done;
    const bool exists = QFileInfo::exists(cataloguePath);
    if (exists) {
        done.backup = backupPath(cataloguePath);
        if (!QFile::copy(cataloguePath, done.backup))
            throw CatalogueError(QStringLiteral("The working catalogue cannot be backed up as:\n%1")
                                     .arg(done.backup));
    }
    try {
        done.counts = importMdb(mdbPath, cataloguePath, progress,
                                exists ? MdbImportTarget::Replace : MdbImportTarget::MustBeNew);
    } catch (const CatalogueError&) {
        // Nothing was changed, so the copy made for the replacement is not needed.
        if (!done.backup.isEmpty())
            QFile::remove(done.backup);
        throw;
    }
    return done;
}

QString keptCatalogueText(const QString& backup) {
    return QStringLiteral("The previous catalogue is kept as:\n%1").arg(backup);
}

QString replaceCatalogueQuestion(const QString& mdbPath, const QString& cataloguePath) {
    return QStringLiteral("Import \"%1\" in place of the catalogue in use?\n%2\n\nThe catalogue in "
                          "use is kept beside it as a dated backup.")
        .arg(QFileInfo(mdbPath).fileName(), cataloguePath);
}

QString importOfferText(const QString& mdbPath) {
    return QStringLiteral("The program folder holds the catalogue \"%1\", but the demo catalogue "
                          "is in use.\n\nImport your catalogue now? The demo catalogue is kept "
                          "beside it as a dated backup.")
        .arg(QFileInfo(mdbPath).fileName());
}
