#include "common/TestRegistry.h"

#include "cli/CliTable.h"

namespace {

// Favourites 1 (available), 3 (unavailable) and 16 (no disk record, never listed); 15 shows
// that "add 5" marks 5 alone.
const char* const kCatalogue =
    "INSERT INTO Dnames VALUES (1, 1, 'A', 'A', '1', 'st'), (2, 0, 'A', 'A', '2', 'st');"
    "INSERT INTO Compilations VALUES (1, 'Automation 1', 'Dragon Ninja', -1, 1),"
    " (2, 'Automation 1', 'Alpha Wave', 0, 1), (3, 'Automation 2', 'Ace''s Quest', -1, 2),"
    " (5, 'Automation 2', 'Beta Blast', 0, 2), (15, 'Automation 2', 'Xenon', 0, 2),"
    " (16, 'Lost Boys 1', 'Orphan', -1, 99);";

} // namespace

// The favourites command, and the favourites after it; the columns stored group first.
class CliFavouritesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void run_data() {
        addCliColumns();
        QTest::addColumn<QStringList>("after");
        const QStringList unchanged{"1", "3", "16"};
        // Ordered by the first column, here the group: by game it would be the other way round.
        const QStringList listed{"Automation 1 -- Dragon Ninja", "Automation 2 -- Ace's Quest"};
        cliRow("list", {"list"}, 0, listed, "Favourites: 2 results, found in: ") << unchanged;
        cliRow("list by default", {}, 0, listed) << unchanged;
        cliRow("add", {"add", "5"}, 0, {"Entry 5 added to the favourites"})
            << QStringList{"1", "3", "5", "16"};
        cliRow("remove", {"remove", "3"}, 0, {"Entry 3 removed from the favourites"})
            << QStringList{"1", "16"};
        cliRow("clear", {"clear"}, 0, {"Favourites have been cleared!"}) << QStringList{};
        cliRow("no such entry", {"add", "99"}, 1, {}, "no entry 99") << unchanged;
        cliRow("no number", {"remove"}, 2, {}, "entry number") << unchanged;
        cliRow("pattern for a number", {"add", "1%"}, 2, {}, "1%") << unchanged;
        cliRow("two numbers", {"add", "1", "2"}, 2, {}, "entry number") << unchanged;
        cliRow("clear takes nothing", {"clear", "all"}, 2, {}, "no arguments") << unchanged;
        cliRow("unknown action", {"drop"}, 2, {}, "list, add") << unchanged;
    }
    void run() {
        QFETCH(QStringList, after);
        TestFolder folder;
        folder.createCatalogue(QLatin1String(kCatalogue));
        folder.writeSettings(swappedColumnSettings());
        runCliRow(folder, QStringLiteral("favourites"));
        QCOMPARE(
            queryColumn(folder.cataloguePath(),
                        "SELECT Nummer FROM Compilations WHERE favourite = -1 ORDER BY Nummer"),
            after);
    }

    // A change the catalogue refuses (here its own trigger) ends with status 1 and the
    // catalogue and the reason on standard error.
    void aChangeThatCannotBeWrittenFails() {
        TestFolder folder;
        folder.createCatalogue(QLatin1String(kCatalogue) +
                               QStringLiteral("CREATE TRIGGER full BEFORE UPDATE ON Compilations"
                                              " BEGIN SELECT RAISE(ABORT, 'disk is full'); END;"));
        folder.writeSettings(swappedColumnSettings());
        for (const QStringList& arguments :
             {QStringList{"favourites", "add", "5"}, QStringList{"favourites", "clear"}}) {
            const CliRun run = runCli(folder, arguments);
            QCOMPARE(run.status, 1);
            QCOMPARE(run.lines, QStringList{});
            QVERIFY2(run.errors.contains(folder.cataloguePath()) &&
                         run.errors.contains(QStringLiteral("disk is full")),
                     qPrintable(run.errors));
        }
    }
};

KESTREL_TEST(CliFavouritesTest)
#include "CliFavouritesTest.moc"
