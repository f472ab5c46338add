#include "common/TestRegistry.h"

#include "BrowserFixture.h"

#include <QSignalSpy>
#include <QTest>

namespace {

QStringList column(const ListedRows& rows, int index) {
    QStringList texts;
    for (qsizetype i = 0; i < rows.size(); ++i)
        texts << rows.text(i, index);
    return texts;
}

} // namespace

class CatalogueBrowserListingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // The Search button clears the selection, starts the clock and switches the list mode
    // before its checks, so a refused search has done all three.
    void startSearchPreparesBeforeItChecks() {
        BrowserFixture f;
        f.browser->selectRow(listed(QStringLiteral("1"), AvailableIcon), 1);
        QSignalSpy modes(f.browser.get(), &CatalogueBrowser::listModeChanged);
        f.clock.set(700);
        QVERIFY(
            refusalOf([&] { f.browser->startSearch(byName({})); }).text.startsWith(u"You must"));
        QVERIFY(!f.browser->hasSelection());
        QCOMPARE(f.browser->timing().start, 700u);
        QVERIFY(f.browser->refillsBySearching());
        QCOMPARE(modes.size(), 1);
        QVERIFY(modes[0][0].value<ListMode>() == ListMode::Search);
        // A mode that stays is not announced again.
        f.browser->startSearch(byName(QStringLiteral("dragon")));
        QCOMPARE(modes.size(), 1);
    }

    void searchCountsAndTimes_data() {
        QTest::addColumn<bool>("name");
        QTest::addColumn<QString>("text"); // the search box, or the letter box
        QTest::addColumn<quint32>("start");
        QTest::addColumn<quint32>("ms");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("time");
        QTest::newRow("three by name, 31 ms")
            << true << "r" << 0u << 31u << QStringList{"1", "3", "6"} << "  3 results"
            << " found in: 0.031 secs";
        QTest::newRow("none by name, 2000 ms")
            << true << "xyzzy" << 5000u << 2000u << QStringList{} << "  no results "
            << " found in: 2 secs";
        QTest::newRow("none by letter")
            << false << "q" << 0u << 0u << QStringList{} << "  no results"
            << " found in: 0 secs";
        QTest::newRow("two by letter, across the tick wrap")
            << false << "z" << 0xFFFFFFF0u << 31u << QStringList{"3", "5"} << "  2 results"
            << " found in: 0.031 secs";
    }
    void searchCountsAndTimes() {
        QFETCH(bool, name);
        QFETCH(QString, text);
        QFETCH(quint32, start);
        QFETCH(quint32, ms);
        QFETCH(QStringList, entries);
        QFETCH(QString, count);
        QFETCH(QString, time);
        BrowserFixture f;
        f.clock.set(start);
        SearchRequest request = byName(text);
        request.byName = name;
        request.criteria.letterText = text;
        const PreparedSearch search = f.browser->startSearch(request);
        f.clock.advance(ms);
        const ListingResult result = f.browser->runSearch(search, kCaptions);
        QStringList numbers = column(result.rows, 2);
        numbers.sort();
        QCOMPARE(numbers, entries);
        QCOMPARE(result.countText, count);
        QCOMPARE(result.timeText.value_or(QStringLiteral("<none>")), time);
        QCOMPARE(result.noMatches, std::optional<bool>(entries.isEmpty()));
        QCOMPARE(result.elapsed, ms);
        QCOMPARE(f.browser->timing().end, start + ms);
        QCOMPARE(f.browser->timing().elapsed, ms);
    }

    // Timed from its own start, not from the last search's; unlike a search it keeps the
    // selection.
    void favouritesListing_data() {
        QTest::addColumn<bool>("noAvailable"); // the others are excluded in either case
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("count");
        QTest::newRow("only available") << false << QStringList{"1"} << "   Favourites: 1 results";
        QTest::newRow("nothing passes") << true << QStringList{} << "  Favourites: no results ";
    }
    void favouritesListing() {
        QFETCH(bool, noAvailable);
        QFETCH(QStringList, entries);
        QFETCH(QString, count);
        BrowserFixture f;
        f.clock.set(1000);
        f.browser->startSearch(byName(QStringLiteral("r")));
        f.browser->selectRow(listed(QStringLiteral("1"), AvailableIcon), 3);
        QSignalSpy modes(f.browser.get(), &CatalogueBrowser::listModeChanged);
        f.clock.set(5000);
        const ListingResult result =
            f.browser->listFavourites({noAvailable, true, true}, kCaptions);
        QCOMPARE(column(result.rows, 2), entries);
        QCOMPARE(result.countText, count);
        QCOMPARE(result.noMatches, std::optional<bool>(entries.isEmpty()));
        QCOMPARE(result.timeText.value_or(QStringLiteral("<none>")),
                 QStringLiteral(" found in: 0 secs"));
        QCOMPARE(f.browser->timing().start, 5000u);
        QCOMPARE(f.browser->timing().elapsed, 0u);
        QCOMPARE(modes.size(), 1);
        QVERIFY(f.browser->listMode() == ListMode::Favourites);
        QVERIFY(f.browser->hasSelection());
    }

    // One line per disk title, differing in case or not; none for "ALL". The compression is
    // not a timed listing: the timing, the time line and the panel stay those of the last
    // search, and so do mode and selection.
    void compressionListsOneLinePerDisk_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("count");
        QTest::newRow("titles differing in case")
            << "Automation"
            << QStringList{"AUTOMATION 12", "Automation 12", "Automation 120", "Automation 200"}
            << "  4 results";
        QTest::newRow("group without entries") << "Medway" << QStringList{} << "  0 results";
    }
    void compressionListsOneLinePerDisk() {
        QFETCH(QString, group);
        QFETCH(QStringList, titles);
        QFETCH(QString, count);
        BrowserFixture f;
        f.clock.set(100);
        const PreparedSearch search = f.browser->startSearch(byName(QStringLiteral("r")));
        f.clock.advance(31);
        f.browser->runSearch(search, kCaptions);
        f.browser->selectRow(listed(QStringLiteral("1"), AvailableIcon), 3);
        f.clock.advance(1000);
        SearchCriteria criteria;
        QVERIFY(!f.browser->compress(criteria, kCaptions));
        criteria.groupText = group;
        const std::optional<ListingResult> result = f.browser->compress(criteria, kCaptions);
        QVERIFY(result);
        QCOMPARE(column(result->rows, 1), titles);
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
