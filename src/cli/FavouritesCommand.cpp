#include "cli/FavouritesCommand.h"

#include "cli/Console.h"
#include "cli/ListFormat.h"

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
    "  favourites [list [--format text|tsv|json] | add NUMBER | remove NUMBER | clear]\n"
    "              list the favourite entries (the default), one per line; mark or unmark\n"
    "              the entry with that number; unmark every entry (without asking)\n";

namespace {

// Rows ordered as the window starts: by the first column, ascending.
int listFavourites(CatalogueBrowser& browser, ListFormat format) {
    const ColumnCaptions columns = browser.settings().columnCaptions();
    const QStringList captions{columns.first, columns.second, QStringLiteral("Nummer")};
    const ListingResult result = browser.listFavourites({}, captions);
    const std::vector<qsizetype> order = result.rows.sortedOrder(0, false);
    {
        ListPrinter printer(format, captions);
        for (qsizetype i = 0; i < result.rows.size(); ++i)
            printer.print(result.rows.row(order.empty() ? i : order[size_t(i)]));
    }
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

} // namespace

int runFavouritesCommand(const ProgramFolder& folder, const QStringList& arguments) {
    QStringList args = arguments;
    ListFormat format = ListFormat::Text;
    if (args.value(0) == QLatin1String("list") && args.value(1) == QLatin1String("--format")) {
        const std::optional<ListFormat> named = listFormatNamed(args.value(2));
        if (!named)
            return usageError(QStringLiteral("--format takes text, tsv or json"));
        format = *named;
        args.remove(1, qMin<qsizetype>(2, args.size() - 1));
    }
    const QString action = args.value(0, QStringLiteral("list"));
    const bool numbered = action == QLatin1String("add") || action == QLatin1String("remove");
    if (action != QLatin1String("list") && action != QLatin1String("clear") && !numbered)
        return usageError(
            QStringLiteral("favourites takes list, add NUMBER, remove NUMBER or clear"));
    const qsizetype expected = numbered ? 2 : qMin<qsizetype>(args.size(), 1);
    if (args.size() != expected)
        return usageError(numbered
                              ? QStringLiteral("favourites %1 needs one entry number").arg(action)
                              : QStringLiteral("favourites %1 takes no arguments").arg(action));
    const QString nummer = args.value(1);
    if (numbered && !isEntryNumber(nummer))
        return usageError(QStringLiteral("\"%1\" is not an entry number").arg(nummer));

    Catalogue catalogue;
    SystemClock clock;
    try {
        openCatalogue(catalogue, folder);
        CatalogueBrowser browser(catalogue, clock, folder);
        if (action == QLatin1String("list"))
            return listFavourites(browser, format);
        if (numbered)
            return mark(browser, nummer, action == QLatin1String("add"));
        browser.clearFavourites();
        cliOut() << kClearedMessage << "\n";
        return 0;
    } catch (const CatalogueError& error) {
        return refusal(error.message());
    }
}
