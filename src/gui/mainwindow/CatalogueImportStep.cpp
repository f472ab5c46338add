#include "gui/mainwindow/CatalogueImportStep.h"

#include "core/Failures.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueSummary.h"
#include "core/catalogue/OriginalCatalogue.h"
#include "gui/platform/Prompts.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QProgressDialog>

#include <algorithm>

namespace {

constexpr int kSteps = 1000;

// Which copy of the original the user turned down: asked again only when the file changes.
QString originalStamp(const QString& original) {
    const QFileInfo info(original);
    return QStringLiteral("%1 %2")
        .arg(info.size())
        .arg(info.lastModified().toUTC().toString(Qt::ISODate));
}
const QString kSection = QStringLiteral("Kestrel");
const QString kDeclinedKey = QStringLiteral("DeclinedImport");

// Beside the demo catalogue the original is offered, not imported unasked: the demo
// catalogue may hold favourites and codes the user wants to keep.
bool offerImport(const ProgramFolder& folder, const QString& original, Prompts& prompts) {
    const QString settings = folder.settings().file();
    if (readSetting(kSection, kDeclinedKey, settings) == originalStamp(original))
        return false;
    if (prompts.message(nullptr, importOfferText(original), Refusal::defaultCaption(),
                        Prompts::Buttons::YesNo, Prompts::Icon::Question,
                        Prompts::Answer::Yes) == Prompts::Answer::Yes)
        return true;
    try {
        writeSetting(kSection, kDeclinedKey, originalStamp(original), settings);
    } catch (const FileError&) {
        // Not remembered: the offer comes again at the next start, which harms nothing.
    }
    return false;
}

} // namespace

CatalogueReplacement importWithProgress(QWidget* parent, const QString& mdbPath,
                                        const QString& cataloguePath) {
    QProgressDialog dialog(
        QStringLiteral("Importing the catalogue \"%1\"...").arg(QFileInfo(mdbPath).fileName()),
        QString(), 0, kSteps, parent);
    dialog.setObjectName(QStringLiteral("ImportProgress"));
    dialog.setWindowTitle(Refusal::defaultCaption());
    dialog.setCancelButton(nullptr); // half a catalogue is no use; the import runs to its end
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setValue(0);
    dialog.show(); // at once: reading the file's tables comes before the first row
    QCoreApplication::processEvents();
    return replaceCatalogue(mdbPath, cataloguePath, [&](qint64 done, qint64 total) {
        dialog.setValue(total > 0 ? int(std::min(done, total) * kSteps / total) : kSteps);
    });
}

int importOriginalCatalogue(const ProgramFolder& folder, Prompts& prompts) {
    const QString original = findOriginalCatalogue(folder.dataFolder());
    if (original.isEmpty())
        return 0;
    const QString catalogue = folder.dataFile(Catalogue::fileName());
    const bool replacing = QFileInfo::exists(catalogue);
    if (replacing && !(isDemoCatalogue(catalogue) && offerImport(folder, original, prompts)))
        return 0;
    try {
        const CatalogueReplacement replaced = importWithProgress(nullptr, original, catalogue);
        if (replacing)
            prompts.message(nullptr, keptCatalogueText(replaced.backup), Refusal::defaultCaption(),
                            Prompts::Buttons::Ok, Prompts::Icon::Information);
    } catch (const CatalogueError& error) {
        prompts.message(nullptr, error.message(), Refusal::defaultCaption(), Prompts::Buttons::Ok,
                        Prompts::Icon::Critical);
        // Without a catalogue there is nothing to show; beside the demo one, it stays.
        return replacing ? 0 : 1;
    }
    return 0;
}
