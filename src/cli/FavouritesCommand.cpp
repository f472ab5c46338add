#include "cli/FavouritesCommand.h"

#include "cli/Console.h"

#include "core/settings/Settings.h"
#include "core/settings/SettingsStore.h"
#include "core/browser/CatalogueBrowser.h"
#include "core/catalogue/Catalogue.h"
#include "core/Failures.h"
#include "core/export/ExportText.h"
#include "core/favourites/Favourites.h"
#include "core/browser/Clock.h"
#include "core/search/Listing.h"

#include <QTextStream>

#include <algorithm>

const char* const kFavouritesUsage =
    "  favourites [list | add NUMBER | remove NUMBER | clear]\n"
    "              list the favourite entries (the default), one per line; mark or unmark\n"
    "              the entry with that number; unmark every entry (without asking)\n";

namespace {

// Rows ordered as the window starts: by the first column, ascending.
int listFavourites(CatalogueBrowser& browser) {
    const ColumnCaptions columns = browser.settings().columnCaptions();
    const ListingResult result =
        browser.listFavourites({}, {columns.first, columns.second, QStringLiteral("Nummer")});
    const std::vector<qsizetype> order = result.rows.sortedOrder(0, false);
    for (qsizetype i = 0; i < result.rows.size(); ++i)
        cliOut() << listLine(result.rows.row(order.empty() ? i : order[size_t(i)])) << "\n";
    cliOut().flush();
    cliErr() << result.countText.trimmed() << ", " << result.timeText->trimmed() << "\n";
    return 0;
}

int mark(CatalogueBrowser& browser, const QString& nummer, bool favourite) {
    const int changed =
        favourite ? browser.addFavourite(nummer) : browser.removeFavourite(nummer, 0).changed;
    if (changed == 0) {
        cliErr() << "There is no entry " << nummer << ".\n";
        return 1;
    }
    cliOut() << "Entry " << nummer << (favourite ? " added to" : " removed from")
             << " the favourites\n";
    return 0;
}

// Digits only: the number goes into a LIKE pattern, where "%" or "_" would reach others.
bool isEntryNumber(const QString& text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

int runFavouritesCommand(const ProgramFolder& folder, const QStringList& arguments) {
    const QString action = arguments.value(0, QStringLiteral("list"));
    const bool numbered = action == QLatin1String("add") || action == QLatin1String("remove");
    if (action != QLatin1String("list") && action != QLatin1String("clear") && !numbered)
        return usageError(
            QStringLiteral("favourites takes list, add NUMBER, remove NUMBER or clear"));
    const qsizetype expected = numbered ? 2 : qMin<qsizetype>(arguments.size(), 1);
    if (arguments.size() != expected)
        return usageError(numbered
                              ? QStringLiteral("favourites %1 needs one entry number").arg(action)
                              : QStringLiteral("favourites %1 takes no arguments").arg(action));
    const QString nummer = arguments.value(1);
    if (numbered && !isEntryNumber(nummer))
        return usageError(QStringLiteral("\"%1\" is not an entry number").arg(nummer));

    Catalogue catalogue;
    SystemClock clock;
    try {
        openCatalogue(catalogue, folder);
        CatalogueBrowser browser(catalogue, clock, folder);
        if (action == QLatin1String("list"))
            return listFavourites(browser);
        if (numbered)
            return mark(browser, nummer, action == QLatin1String("add"));
        browser.clearFavourites();
        cliOut() << kClearedMessage << "\n";
        return 0;
    } catch (const CatalogueError& error) {
        return refusal(error.message());
    }
}
