#include "gui/mainwindow/CatalogueImportStep.h"

#include "core/catalogue/Catalogue.h"
#include "core/Failures.h"
#include "core/catalogue/MdbImport.h"
#include "gui/platform/Prompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>

#include <algorithm>

namespace {

constexpr int kSteps = 1000;

// The original as written, or else a file whose name differs only in case: the catalogue
// often arrives from Windows, where "... V1.MDB" is the same file.
QString findOriginal(const ProgramFolder& folder) {
    const QString exact = folder.file(originalCatalogueFileName());
    if (QFileInfo(exact).isFile())
        return exact;
    const QStringList files = QDir(folder.path).entryList(QDir::Files);
    for (const QString& name : files)
        if (name.compare(originalCatalogueFileName(), Qt::CaseInsensitive) == 0)
            return folder.file(name);
    return QString();
}

} // namespace

QString originalCatalogueFileName() {
    return QStringLiteral("AtariST Compilation Listing v1.mdb");
}

int importOriginalCatalogue(const ProgramFolder& folder, Prompts& prompts) {
    const QString catalogue = folder.file(Catalogue::fileName());
    if (QFileInfo::exists(catalogue))
        return 0;
    const QString original = findOriginal(folder);
    if (original.isEmpty())
        return 0;

    QProgressDialog dialog(
        QStringLiteral("Importing the catalogue \"%1\"...").arg(QFileInfo(original).fileName()),
        QString(), 0, kSteps);
    dialog.setObjectName(QStringLiteral("ImportProgress"));
    dialog.setWindowTitle(QStringLiteral("Atari ST Kestrel"));
    dialog.setCancelButton(nullptr); // half a catalogue is no use; the import runs to its end
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setValue(0);
    dialog.show(); // at once: reading the file's tables comes before the first row
    QCoreApplication::processEvents();
    try {
        importMdb(original, catalogue, [&](qint64 done, qint64 total) {
            dialog.setValue(total > 0 ? int(std::min(done, total) * kSteps / total) : kSteps);
        });
    } catch (const CatalogueError& error) {
        dialog.close();
        prompts.message(nullptr, error.message(), QStringLiteral("Atari ST Kestrel"),
                        Prompts::Buttons::Ok, Prompts::Icon::Critical);
        return 1;
    }
    return 0;
}
