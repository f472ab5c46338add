#include "common/TestRegistry.h"

#include "common/TestFolder.h"

#include "core/catalogue/Catalogue.h"

#include <QTest>

#include <memory>

namespace {

// Favourites 1 (available), 3 (unavailable) and 16 (no disk record, never listed).
const char* const kCatalogue =
    "INSERT INTO Dnames VALUES (1, 1, 'A', 'A', '1', 'st'), (2, 0, 'A', 'A', '2', 'st');"
    "INSERT INTO Compilations VALUES (1, 'Automation 1', 'Dragon Ninja', -1, 1),"
    " (2, 'Automation 1', 'Alpha Wave', 0, 1), (3, 'Automation 2', 'Zak''s Quest', -1, 2),"
    " (5, 'Automation 2', 'Beta Blast', 0, 2), (15, 'Automation 2', 'Xenon', 0, 2),"
    " (16, 'Lost Boys 1', 'Orphan', -1, 99);";

QList<int> flagged(const TestFolder& folder) {
    Catalogue catalogue;
    catalogue.open(folder.cataloguePath());
    ResultSet& rows = catalogue.query(
        QStringLiteral("SELECT Nummer FROM Compilations WHERE favourite = -1 ORDER BY Nummer"));
    QList<int> numbers;
    for (rows.moveFirst(); !rows.atEnd(); rows.moveNext())
        numbers << rows.field(u"Nummer").toInt();
    return numbers;
}

std::unique_ptr<TestFolder> folder(const QString& settings = TestFolder::defaultSettings()) {
    auto f = std::make_unique<TestFolder>();
    f->createCatalogue(QLatin1String(kCatalogue));
    f->writeSettings(settings);
    return f;
}

// The favourites command with its arguments.
CliRun cli(const TestFolder& folder, const QStringList& arguments) {
    return runCli(folder, QStringList{QStringLiteral("favourites")} + arguments);
}

} // namespace

class CliFavouritesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listShowsTheFavouritesInTheWindowsOrder_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("list") << QStringList{"list"};
        QTest::newRow("list by default") << QStringList{};
    }
    void listShowsTheFavouritesInTheWindowsOrder() {
        QFETCH(QStringList, arguments);
        const auto f = folder();
        const CliRun run = cli(*f, arguments);
        QCOMPARE(run.status, 0);
        QCOMPARE(run.lines,
                 (QStringList{"Dragon Ninja -- Automation 1", "Zak's Quest -- Automation 2"}));
        QVERIFY2(run.errors.startsWith(QStringLiteral("Favourites: 2 results, found in: ")),
                 qPrintable(run.errors));
    }

    void listFollowsTheColumnOrder() {
        const auto f = folder(TestFolder::defaultSettings()
                                  .replace(QStringLiteral("1=Game"), QStringLiteral("1=Group"))
                                  .replace(QStringLiteral("2=Group"), QStringLiteral("2=Game")));
        QCOMPARE(cli(*f, {"list"}).lines,
                 (QStringList{"Automation 1 -- Dragon Ninja", "Automation 2 -- Zak's Quest"}));
    }

    void addRemoveAndClearChangeTheFlags() {
        const auto f = folder();
        CliRun run = cli(*f, {"add", "5"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.lines, QStringList{"Entry 5 added to the favourites"});
        QCOMPARE(flagged(*f), (QList<int>{1, 3, 5, 16})); // not 15

        run = cli(*f, {"remove", "3"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.lines, QStringList{"Entry 3 removed from the favourites"});
        QCOMPARE(flagged(*f), (QList<int>{1, 5, 16}));

        run = cli(*f, {"clear"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.lines, QStringList{"Favourites have been cleared!"});
        QCOMPARE(flagged(*f), QList<int>{});
        QCOMPARE(cli(*f, {"list"}).lines, QStringList{});
        QVERIFY(cli(*f, {"list"}).errors.startsWith(QStringLiteral("Favourites: no results, ")));
    }

    void refusalsAndUsageErrorsChangeNothing_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("no such entry") << QStringList{"add", "99"} << 1 << "no entry 99";
        QTest::newRow("no number") << QStringList{"remove"} << 2 << "entry number";
        QTest::newRow("pattern for a number") << QStringList{"add", "1%"} << 2 << "1%";
        QTest::newRow("two numbers") << QStringList{"add", "1", "2"} << 2 << "entry number";
        QTest::newRow("clear takes nothing") << QStringList{"clear", "all"} << 2 << "no arguments";
        QTest::newRow("unknown action") << QStringList{"drop"} << 2 << "list, add";
    }
    void refusalsAndUsageErrorsChangeNothing() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        const auto f = folder();
        const CliRun run = cli(*f, arguments);
        QCOMPARE(run.status, status);
        QCOMPARE(run.lines, QStringList{});
        QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
        QCOMPARE(flagged(*f), (QList<int>{1, 3, 16}));
    }
};

KESTREL_TEST(CliFavouritesTest)
#include "CliFavouritesTest.moc"
