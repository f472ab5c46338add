#include "common/TestRegistry.h"

#include "BrowserFixture.h"

#include "core/search/SearchHistory.h"
#include "core/settings/SettingsStore.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// Every entry that has a disk record, by number.
PreparedSearch everyEntry(bool descending) {
    return {QStringLiteral("SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID = "
                           "Dnames.F_ID ORDER by Nummer") +
                (descending ? QStringLiteral(" DESC") : QString()),
            QString(), QStringLiteral("  no results "), true};
}

QStringList column(const std::vector<ListedRow>& rows, int index) {
    QStringList texts;
    for (const ListedRow& row : rows)
        texts << columnText(row, index);
    return texts;
}

} // namespace

class CatalogueBrowserListingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // The Search button clears the selection, starts the clock and switches the list mode
    // before its checks, so a refused search has done all three.
    void startSearchPreparesBeforeItChecks_data() {
        QTest::addColumn<bool>("name");
        QTest::addColumn<QString>("text"); // the search box, or the letter box
        QTest::addColumn<QString>("refusal");
        QTest::newRow("name, all groups, no text")
            << true << ""
            << "You must specify a search string if searching all groups";
        QTest::newRow("letter, all groups, no letter")
            << false << "-"
            << "You must specify a letter/number if searching all groups";
        QTest::newRow("accepted") << true << "dragon"
                                  << "";
    }
    void startSearchPreparesBeforeItChecks() {
        QFETCH(bool, name);
        QFETCH(QString, text);
        QFETCH(QString, refusal);
        BrowserFixture f;
        f.browser->selectRow(listed(QStringLiteral("1"), AvailableIcon), 1);
        QSignalSpy modes(f.browser.get(), &CatalogueBrowser::listModeChanged);
        f.clock.set(700);
        const SearchRequest request = name ? byName(text) : byLetter(text);
        const Refusal refused = refusalOf([&] { f.browser->startSearch(request); });
        QCOMPARE(refused.text, refusal);
        if (!refusal.isEmpty())
            QCOMPARE(refused.caption, QStringLiteral("Operation Disallowed"));
        QVERIFY(!f.browser->hasSelection());
        QCOMPARE(f.browser->timing().start, 700u);
        QVERIFY(f.browser->listMode() == ListMode::Search);
        QVERIFY(f.browser->refillsBySearching());
        QCOMPARE(modes.size(), 1);
        QVERIFY(modes[0][0].value<ListMode>() == ListMode::Search);
        // A mode that stays is not announced again.
        refusalOf([&] { f.browser->startSearch(request); });
        QCOMPARE(modes.size(), 1);
    }

    // Columns read the fields their captions name. By number the entries' disks are 1, 1, 2,
    // 3, 2, 4 (no code) and 5 (a code that means nothing), so both keep the icon before them.
    void rowsFollowCaptionsAndCodes_data() {
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QStringList>("firstRow");
        QTest::addColumn<QList<int>>("icons");
        QTest::newRow("by number")
            << kCaptions << false << QStringList{"Dragon Ninja", "Automation 12", "1"}
            << QList<int>{3, 3, 4, 5, 4, 4, 4};
        QTest::newRow("swapped, reversed, no icon to keep")
            << QStringList{"Group", "Game", "Nummer"} << true
            << QStringList{"AUTOMATION 12", "Xenon", "7"} << QList<int>{0, 0, 4, 5, 4, 3, 3};
        QTest::newRow("caption naming no field")
            << QStringList{"Game", "Title", "Nummer"} << false
            << QStringList{"Dragon Ninja", "", "1"} << QList<int>{3, 3, 4, 5, 4, 4, 4};
    }
    void rowsFollowCaptionsAndCodes() {
        QFETCH(QStringList, captions);
        QFETCH(bool, descending);
        QFETCH(QStringList, firstRow);
        QFETCH(QList<int>, icons);
        BrowserFixture f;
        const ListingResult result = f.browser->runSearch(everyEntry(descending), captions);
        const ListedRow& first = result.rows.front();
        QCOMPARE((QStringList{first.text, first.sub1, first.sub2}), firstRow);
        QList<int> found;
        for (const ListedRow& row : result.rows)
            found << row.icon;
        QCOMPARE(found, icons);
    }

    void searchCountsAndTimes_data() {
        QTest::addColumn<bool>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("start");
        QTest::addColumn<quint32>("ms");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("time");
        QTest::newRow("three by name, 31 ms") << true << "r" << 0u << 31u << "  3 results"
                                              << " found in: 0.031 secs";
        QTest::newRow("none by name, 2000 ms")
            << true << "xyzzy" << 5000u << 2000u << "  no results "
            << " found in: 2 secs";
        QTest::newRow("none by letter") << false << "q" << 0u << 0u << "  no results"
                                        << " found in: 0 secs";
        QTest::newRow("two by letter, across the tick wrap")
            << false << "z" << 0xFFFFFFF0u << 31u << "  2 results"
            << " found in: 0.031 secs";
    }
    void searchCountsAndTimes() {
        QFETCH(bool, name);
        QFETCH(QString, text);
        QFETCH(quint32, start);
        QFETCH(quint32, ms);
        QFETCH(QString, count);
        QFETCH(QString, time);
        BrowserFixture f;
        f.clock.set(start);
        const PreparedSearch search = f.browser->startSearch(name ? byName(text) : byLetter(text));
        f.clock.advance(ms);
        const ListingResult result = f.browser->runSearch(search, kCaptions);
        QCOMPARE(result.countText, count);
        QCOMPARE(result.timeText.value_or(QStringLiteral("<none>")), time);
        QCOMPARE(result.noMatches, std::optional<bool>(result.rows.empty()));
        QCOMPARE(result.elapsed, ms);
        QCOMPARE(f.browser->timing().end, start + ms);
        QCOMPARE(f.browser->timing().elapsed, ms);
    }

    void rememberSearchShiftsTheHistory_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("history");
        QTest::newRow("new text, the ninth drops")
            << "new" << QStringList{"new", "a", "b", "c", "d", "e", "f", "g", "h"};
        QTest::newRow("known text moves up")
            << "e" << QStringList{"e", "a", "b", "c", "d", "f", "g", "h", "i"};
        QTest::newRow("case counts")
            << "E" << QStringList{"E", "a", "b", "c", "d", "e", "f", "g", "h"};
    }
    void rememberSearchShiftsTheHistory() {
        QFETCH(QString, text);
        QFETCH(QStringList, history);
        BrowserFixture f;
        const QString file = f.folder.settingsPath();
        const QStringList shown{"a", "b", "c", "d", "e", "f", "g", "h", "i"};
        for (int key = 2; key <= 10; ++key)
            writeini(QStringLiteral("searchbox"), QString::number(key), shown[key - 2], file);
        QCOMPARE(f.browser->rememberSearch(text, shown), history);
        QCOMPARE(readSearchHistory(file), history);
        QCOMPARE(readini(QStringLiteral("searchbox"), QStringLiteral("1"), QString(), file),
                 QStringLiteral("endmru"));
    }

    void favouritesListing_data() {
        QTest::addColumn<bool>("available");
        QTest::addColumn<bool>("unavailable");
        QTest::addColumn<bool>("undumped");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("count");
        QTest::newRow("no filter")
            << false << false << false << QStringList{"1", "3", "4"} << "   Favourites: 3 results";
        QTest::newRow("only available")
            << false << true << true << QStringList{"1"} << "   Favourites: 1 results";
        QTest::newRow("nothing passes")
            << true << true << true << QStringList{} << "  Favourites: no results ";
    }
    void favouritesListing() {
        QFETCH(bool, available);
        QFETCH(bool, unavailable);
        QFETCH(bool, undumped);
        QFETCH(QStringList, entries);
        QFETCH(QString, count);
        BrowserFixture f;
        f.clock.set(1000);
        f.browser->startSearch(byName(QStringLiteral("r")));
        f.browser->selectRow(listed(QStringLiteral("1"), AvailableIcon), 3);
        QSignalSpy modes(f.browser.get(), &CatalogueBrowser::listModeChanged);
        f.clock.set(5000);
        const ListingResult result =
            f.browser->listFavourites({available, unavailable, undumped}, kCaptions);
        QStringList numbers = column(result.rows, 2);
        numbers.sort();
        QCOMPARE(numbers, entries);
        QCOMPARE(result.countText, count);
        QCOMPARE(result.noMatches, std::optional<bool>(entries.isEmpty()));
        // Timed from its own start, not from the search's.
        QCOMPARE(result.timeText.value_or(QStringLiteral("<none>")),
                 QStringLiteral(" found in: 0 secs"));
        QCOMPARE(f.browser->timing().start, 5000u);
        QCOMPARE(f.browser->timing().elapsed, 0u);
        QCOMPARE(modes.size(), 1);
        QVERIFY(f.browser->listMode() == ListMode::Favourites);
        QVERIFY(!f.browser->refillsBySearching());
        // Unlike a search, the listing keeps the selection.
        QVERIFY(f.browser->hasSelection());
    }

    void compressionNeedsAGroup() {
        BrowserFixture f;
        QVERIFY(!f.browser->compress(SearchCriteria(), kCaptions));
    }

    // One line per disk title, from the first row that passes the filters. The compression
    // is not a timed listing: the timing, the time line and the panel stay those of the last
    // search, and so do mode and selection.
    void compressionListsOneLinePerDisk_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<bool>("excludeAvailable");
        QTest::addColumn<int>("shown"); // the column compared
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("count");
        QTest::newRow("titles differing in case")
            << "Automation" << false << 1
            << QStringList{"AUTOMATION 12", "Automation 12", "Automation 120", "Automation 200"}
            << "  4 results";
        QTest::newRow("filtered first")
            << "Automation" << true << 0 << QStringList{"Xenon", "Zool", "Zork"} << "  3 results";
        QTest::newRow("group without entries")
            << "Medway" << false << 1 << QStringList{} << "  0 results";
    }
    void compressionListsOneLinePerDisk() {
        QFETCH(QString, group);
        QFETCH(bool, excludeAvailable);
        QFETCH(int, shown);
        QFETCH(QStringList, lines);
        QFETCH(QString, count);
        BrowserFixture f;
        f.clock.set(100);
        const PreparedSearch search = f.browser->startSearch(byName(QStringLiteral("r")));
        f.clock.advance(31);
        f.browser->runSearch(search, kCaptions);
        f.browser->selectRow(listed(QStringLiteral("1"), AvailableIcon), 3);
        f.clock.advance(1000);
        SearchCriteria criteria;
        criteria.groupText = group;
        criteria.availability.excludeAvailable = excludeAvailable;
        const std::optional<ListingResult> result = f.browser->compress(criteria, kCaptions);
        QVERIFY(result);
        QCOMPARE(column(result->rows, shown), lines);
        QCOMPARE(result->countText, count);
        QVERIFY(!result->timeText);
        QVERIFY(!result->noMatches);
        QCOMPARE(f.browser->timing().start, 100u);
        QCOMPARE(f.browser->timing().elapsed, 31u);
        QVERIFY(f.browser->listMode() == ListMode::Search);
        QVERIFY(f.browser->hasSelection());
    }
};

KESTREL_TEST(CatalogueBrowserListingTest)
#include "CatalogueBrowserListingTest.moc"
