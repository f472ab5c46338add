#include "cli/SearchCommand.h"

#include "cli/Console.h"
#include "cli/ListFormat.h"

#include "core/settings/Settings.h"
#include "core/settings/SettingsStore.h"
#include "core/browser/CatalogueBrowser.h"
#include "core/catalogue/Catalogue.h"
#include "core/export/ExportText.h"
#include "core/Failures.h"
#include "core/browser/Clock.h"
#include "core/search/AlphaSearch.h"
#include "core/search/GroupBrowse.h"
#include "core/search/Listing.h"
#include "core/search/NameSearch.h"

#include <QTextStream>

#include <functional>
#include <optional>

const char* const kSearchUsage =
    "  search [--name TEXT [--operator contains|starts-with|ends-with|precise]\n"
    "          | --letter -|0-9|a..z]\n"
    "         [--group NAME] [--disk TITLE]\n"
    "         [--exclude-available] [--exclude-unavailable] [--exclude-undumped]\n"
    "         [--sort game|group] [--desc] [--sql | --plan] [--format text|tsv|json]\n"
    "              list the entries a search of the main window lists, one per line\n"
    "              (first column -- second column, in the window's column order);\n"
    "              --sql prints the statement, --plan how SQLite will run it\n"
    "  compress --group NAME [--exclude-...] [--sort game|group] [--desc] [--sql | --plan]\n"
    "         [--format text|tsv|json]\n"
    "              one line per disk of the group\n";

namespace {

struct Request {
    SearchCriteria criteria;
    bool byLetter = false;
    bool sqlOnly = false;
    bool planOnly = false;
    ListFormat format = ListFormat::Text;
    QStringList captions; // the three columns, as the window's list has them
};

// Reads the options both commands share; nothing when they are malformed (said on stderr).
std::optional<Request> parse(const QStringList& args, const QString& settingsFile, bool compress) {
    Request request;
    SearchCriteria& c = request.criteria;
    const ColumnCaptions columns = Settings(settingsFile).columnCaptions();
    request.captions = {columns.first, columns.second, QStringLiteral("Nummer")};
    QString sort;
    bool named = false;
    auto usage = [](const QString& why) -> std::optional<Request> {
        usageError(why);
        return std::nullopt;
    };

    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& option = args[i];
        // Takes the option's value into `v`; false when the command line ends first.
        QString v;
        auto value = [&]() {
            if (i + 1 >= args.size())
                return false;
            v = args[++i];
            return true;
        };
        if (option == QLatin1String("--exclude-available")) {
            c.availability.excludeAvailable = true;
        } else if (option == QLatin1String("--exclude-unavailable")) {
            c.availability.excludeUnavailable = true;
        } else if (option == QLatin1String("--exclude-undumped")) {
            c.availability.excludeUndumped = true;
        } else if (option == QLatin1String("--desc")) {
            c.descending = true;
        } else if (option == QLatin1String("--sql")) {
            request.sqlOnly = true;
        } else if (option == QLatin1String("--plan")) {
            request.planOnly = true;
        } else if (option == QLatin1String("--format")) {
            const std::optional<ListFormat> format = value() ? listFormatNamed(v) : std::nullopt;
            if (!format)
                return usage(QStringLiteral("--format takes text, tsv or json"));
            request.format = *format;
        } else if (option == QLatin1String("--group")) {
            if (!value())
                return usage(QStringLiteral("--group needs a group name"));
            c.groupText = v;
        } else if (option == QLatin1String("--sort")) {
            if (!value() || (v != QLatin1String("game") && v != QLatin1String("group")))
                return usage(QStringLiteral("--sort takes game or group"));
            sort = v;
        } else if (!compress && option == QLatin1String("--name")) {
            if (!value())
                return usage(QStringLiteral("--name needs a search text"));
            c.searchText = v;
            named = true;
        } else if (!compress && option == QLatin1String("--operator")) {
            static const QStringList operators{
                QStringLiteral("contains"), QStringLiteral("starts-with"),
                QStringLiteral("ends-with"), QStringLiteral("precise")};
            if (!value() || !operators.contains(v))
                return usage(
                    QStringLiteral("--operator takes contains, starts-with, ends-with or precise"));
            c.operatorText = QString(v).replace(u'-', u' ');
        } else if (!compress && option == QLatin1String("--letter")) {
            if (!value() || !letterBoxEntries().contains(v))
                return usage(QStringLiteral("--letter takes -, 0-9 or a letter a to z"));
            c.letterText = v;
            request.byLetter = true;
        } else if (!compress && option == QLatin1String("--disk")) {
            if (!value())
                return usage(QStringLiteral("--disk needs a disk title"));
            c.diskText = v;
        } else {
            return usage(QStringLiteral("unknown option %1").arg(option));
        }
    }
    if (named && request.byLetter)
        return usage(QStringLiteral("--name and --letter cannot be combined"));
    if (compress && c.groupText == QLatin1String("ALL"))
        return usage(QStringLiteral("compress needs --group"));

    // Without --sort the list is ordered as the window starts: by its first column, ascending.
    c.sortCaption = sort.isEmpty()                  ? request.captions[0]
                    : sort == QLatin1String("game") ? QStringLiteral("Game")
                                                    : QStringLiteral("Group");
    return request;
}

void printCounts(const ListingResult& result) {
    cliOut().flush();
    cliErr() << result.countText.trimmed() << ", " << foundInText(result.elapsed).trimmed() << "\n";
}

// Rows held back and ordered as the window's list orders them: by the sort column's text.
void printSorted(const Request& request, const ListingResult& result) {
    const int sortColumn = qMax(0, int(request.captions.indexOf(request.criteria.sortCaption)));
    std::vector<qsizetype> order = result.rows.sortedOrder(sortColumn, request.criteria.descending);
    {
        ListPrinter printer(request.format, request.captions);
        for (qsizetype i = 0; i < result.rows.size(); ++i)
            printer.print(result.rows.row(order.empty() ? i : order[size_t(i)]));
    }
    printCounts(result);
}

// The statement as SQLite runs it, and its query plan.
int explain(const ProgramFolder& folder, const QString& statement) {
    Catalogue catalogue;
    try {
        openCatalogue(catalogue, folder);
        cliOut() << catalogue.translate(statement) << "\n";
        for (const QString& step : catalogue.queryPlan(statement))
            cliOut() << step << "\n";
    } catch (const CatalogueError& error) {
        return refusal(error.message());
    }
    return 0;
}

// Runs `listing` on the folder's catalogue and prints its rows.
int run(const ProgramFolder& folder, const std::function<void(CatalogueBrowser&)>& listing) {
    Catalogue catalogue;
    SystemClock clock;
    try {
        openCatalogue(catalogue, folder);
        CatalogueBrowser browser(catalogue, clock, folder);
        listing(browser);
    } catch (const CatalogueError& error) {
        return refusal(error.message());
    }
    return 0;
}

} // namespace

int runSearchCommand(const ProgramFolder& folder, const QStringList& arguments) {
    const std::optional<Request> request = parse(arguments, folder.settings().file(), false);
    if (!request)
        return 2;
    const SearchRequest searchRequest{!request->byLetter, request->criteria};
    PreparedSearch search;
    try {
        search = prepareSearch(searchRequest);
    } catch (const Refusal& refused) {
        return refusal(refused.text);
    }
    if (request->sqlOnly) {
        cliOut() << search.statement << "\n";
        return 0;
    }
    if (request->planOnly)
        return explain(folder, search.statement);
    return run(folder, [&](CatalogueBrowser& browser) {
        // The statement orders the rows as the window's list shows them, so they go out as they
        // come. The time is taken from the start, as the window's Search button takes it.
        std::optional<ListPrinter> printer(std::in_place, request->format, request->captions);
        const ListingResult result =
            browser.runSearch(browser.startSearch(searchRequest), request->captions,
                              [&](const ListedRowView& line) { printer->print(line); });
        printer.reset(); // the end of the list before the count
        printCounts(result);
    });
}

int runCompressCommand(const ProgramFolder& folder, const QStringList& arguments) {
    const std::optional<Request> request = parse(arguments, folder.settings().file(), true);
    if (!request)
        return 2;
    if (request->sqlOnly) {
        cliOut() << compressorStatement(request->criteria) << "\n";
        return 0;
    }
    if (request->planOnly)
        return explain(folder, compressorStatement(request->criteria));
    return run(folder, [&](CatalogueBrowser& browser) {
        printSorted(*request, *browser.compress(request->criteria, request->captions));
    });
}
