#include "common/TestRegistry.h"

#include "BrowserFixture.h"

#include "core/export/SearchReport.h"

#include <QTest>

namespace {

// Entry numbers flagged as favourites.
QStringList flagged(const BrowserFixture& f) {
    return queryColumn(f.folder.cataloguePath(),
                       "SELECT Nummer FROM Compilations WHERE favourite = -1 ORDER BY Nummer");
}

const ListedRows kRows{{"Dragon Ninja", "Automation 12", "1", AvailableIcon},
                       {"Zork", "Automation 120", "3", UnavailableIcon}};
const QString kLines =
    QStringLiteral("Dragon Ninja -- Automation 12\r\nZork -- Automation 120\r\n");

const QStringList kCodesBefore{"1", "0", "2", "Null", "7"};

} // namespace

class CatalogueBrowserWritesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void favouriteStatementsChangeTheCatalogue() {
        BrowserFixture f;
        QCOMPARE(f.browser->addFavourite(QStringLiteral("2")), 1);
        QCOMPARE(f.browser->addFavourite(QStringLiteral("99")), 0);
        QCOMPARE(flagged(f), (QStringList{"1", "2", "3", "4"}));
        QCOMPARE(f.browser->removeFavourite(QStringLiteral("3"), 4).changed, 1);
        QCOMPARE(flagged(f), (QStringList{"1", "2", "4"}));
        f.browser->clearFavourites();
        QCOMPARE(flagged(f), QStringList{});
    }

    // Only a list of favourites loses the row, or is emptied by clearing; the count is that of
    // the list either way.
    void removalAndClearingFollowTheListMode_data() {
        QTest::addColumn<int>("listing"); // 0 none yet, 1 a search, 2 favourites, 3 Reset
        QTest::addColumn<int>("listedRows");
        QTest::addColumn<bool>("favouritesListed");
        QTest::addColumn<QString>("count");
        QTest::newRow("favourites") << 2 << 3 << true << "  2 results";
        QTest::newRow("the last favourite") << 2 << 1 << true << "  no results ";
        QTest::newRow("search results") << 1 << 3 << false << "  3 results";
        QTest::newRow("before any listing") << 0 << 1 << false << "  1 results";
        QTest::newRow("after Reset") << 3 << 2 << true << "  1 results";
    }
    void removalAndClearingFollowTheListMode() {
        QFETCH(int, listing);
        QFETCH(int, listedRows);
        QFETCH(bool, favouritesListed);
        QFETCH(QString, count);
        BrowserFixture f;
        if (listing == 1)
            f.browser->startSearch(byName(QStringLiteral("dragon")));
        if (listing == 2)
            f.browser->listFavourites({}, kCaptions);
        if (listing == 3)
            f.browser->reset();
        const CatalogueBrowser::Removal removal =
            f.browser->removeFavourite(QStringLiteral("1"), listedRows);
        QCOMPARE(removal.removeRow, favouritesListed);
        QCOMPARE(removal.countText, count);
        QCOMPARE(removal.noMatches, count == QLatin1String("  no results "));
        QCOMPARE(f.browser->clearFavourites(), favouritesListed);
    }

    // The images of disks 2, 3 (undumped) and 4 (no code) are present. Codes 2 and Null
    // stay; the others get what was found, "7" too.
    void auditsWriteWhatTheyFind_data() {
        QTest::addColumn<QString>("group"); // null: the whole catalogue
        QTest::addColumn<QStringList>("codes");
        const QStringList found{"0", "1", "2", "Null", "0"};
        QTest::newRow("whole catalogue") << QString() << found;
        QTest::newRow("a group") << "Automation" << found;
        QTest::newRow("another group") << "D-Bug" << kCodesBefore;
    }
    void auditsWriteWhatTheyFind() {
        QFETCH(QString, group);
        QFETCH(QStringList, codes);
        BrowserFixture f;
        f.touch({"Auto/AUTO120.st", "DBug/DB.msa", "Auto/AUTO200.st"});
        f.browser->selectRow(listed(QStringLiteral("1"), AvailableIcon), 1);
        f.clock.set(10000);
        const AuditObserver observer = [&](const AuditProgress&) { f.clock.set(11500); };
        const CatalogueBrowser::AuditResult result =
            group.isNull() ? f.browser->auditAll(observer) : f.browser->auditGroup(group, observer);
        QCOMPARE(f.codes(), codes);
        QCOMPARE(result.timeText, QStringLiteral(" Audited in: 1.5 secs"));
        QCOMPARE(f.browser->timing().start, 10000u);
        QCOMPARE(f.browser->timing().elapsed, 1500u);
        QVERIFY(!f.browser->hasSelection());
    }

    void groupAuditRefusesAll() {
        BrowserFixture f;
        f.browser->selectRow(listed(QStringLiteral("1"), AvailableIcon), 1);
        QCOMPARE(refusalOf([&] { f.browser->auditGroup(QStringLiteral("ALL"), {}); }).text,
                 QStringLiteral("No Group has been selected to audit!"));
        QCOMPARE(f.codes(), kCodesBefore);
        QVERIFY(f.browser->hasSelection());
    }

    // Only disk 2's image is present; one entry's disk is looked at, no other.
    void auditEntry_data() {
        QTest::addColumn<QString>("nummer");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("code"); // -1: refused
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("image found") << "3" << 4 << 1 << QStringList{"1", "1", "2", "Null", "7"};
        QTest::newRow("image gone") << "1" << 3 << 0 << QStringList{"0", "0", "2", "Null", "7"};
        QTest::newRow("undumped") << "4" << 5 << -1 << kCodesBefore;
    }
    void auditEntry() {
        QFETCH(QString, nummer);
        QFETCH(int, icon);
        QFETCH(int, code);
        QFETCH(QStringList, codes);
        BrowserFixture f;
        f.touch({"Auto/AUTO120.st"});
        f.browser->selectRow(listed(nummer, icon), 3);
        int written = -1;
        const Refusal refused =
            refusalOf([&] { written = f.browser->auditEntry(nummer, icon == UndumpedIcon); });
        QCOMPARE(written, code);
        QCOMPARE(refused.caption, code < 0 ? QStringLiteral("Audit Info") : QString());
        QCOMPARE(f.codes(), codes);
        QCOMPARE(f.browser->hasSelection(), code < 0);
    }

    // A paste replaces the staged text with the list, by way of the scratch file; each
    // report is appended and tells the time of the last timed listing.
    void pasteAndReportsShareTheStagedText() {
        BrowserFixture f;
        QCOMPARE(f.browser->paste(kRows), kLines);
        QCOMPARE(fileBytes(f.folder.file(QStringLiteral("Rummage.temp"))), kLines.toUtf8());

        const PreparedSearch search = f.browser->startSearch(byName(QStringLiteral("r")));
        f.clock.advance(1500);
        f.browser->runSearch(search, kCaptions);
        SearchCriteria criteria;
        criteria.searchText = QStringLiteral("zork");
        const QDateTime at(QDate(2024, 5, 1), QTime(9, 30));
        const QString report = reportBlock({true, criteria, 1500, 2, at});
        QVERIFY(report.contains(QStringLiteral("found in: 1.5 secs")));
        f.browser->stampReport(true, criteria, 2, at);
        QCOMPARE(f.browser->stagedText(), kLines + report);
        f.browser->stampReport(true, criteria, 2, at);
        QCOMPARE(f.browser->stagedText(), kLines + report + report);

        QCOMPARE(f.browser->paste({}), QString());
        QCOMPARE(fileBytes(f.folder.file(QStringLiteral("Rummage.temp"))), QByteArray());
    }

    // A folder has the scratch file's name: the list is staged directly.
    void pasteWithoutScratchFileStillStages() {
        BrowserFixture f;
        f.browser->stampReport(true, SearchCriteria(), 0, QDateTime::currentDateTime());
        QVERIFY(QDir(f.folder.path()).mkdir(QStringLiteral("Rummage.temp")));
        QCOMPARE(f.browser->paste(kRows), kLines);
        QCOMPARE(f.browser->stagedText(), kLines);
    }
};

KESTREL_TEST(CatalogueBrowserWritesTest)
#include "CatalogueBrowserWritesTest.moc"
