#include "common/TestRegistry.h"

#include "common/TestFolder.h"

#include "core/search/NameSearch.h"

#include <QTest>

namespace {

// The small catalogue the command line tests read: two disks of one group, one of another.
const char* const kCatalogue =
    "INSERT INTO Dnames VALUES (1, 1, 'A', 'A', '1', 'st'), (2, 0, 'A', 'A', '2', 'st'),"
    " (3, 2, 'B', 'B', NULL, 'st');"
    "INSERT INTO Compilations VALUES (1, 'Automation 1', 'Dragon Ninja', 0, 1),"
    " (2, 'Automation 1', 'Dragonfly', 0, 1), (3, 'Automation 2', 'Demo Dragon', 0, 2),"
    " (4, 'Automation 2', 'Zak''s Quest', 0, 2), (5, 'D-Bug 9', 'dragon Lair', 0, 3);";

} // namespace

class CliSearchTest : public QObject {
    Q_OBJECT
    TestFolder m_folder;

private Q_SLOTS:
    void initTestCase() {
        m_folder.createCatalogue(QLatin1String(kCatalogue));
        m_folder.writeSettings(TestFolder::defaultSettings());
    }

    void searchListsRowsInTheWindowsOrder() {
        const CliRun run = runCli(m_folder, {"search", "--name", "dragon +demo"});
        QCOMPARE(run.status, 0);
        // Titles ordered without regard to case: "dragon Lair" before "Dragon Ninja".
        QCOMPARE(run.lines, (QStringList{"dragon Lair -- D-Bug 9", "Dragon Ninja -- Automation 1",
                                         "Dragonfly -- Automation 1"}));
        QVERIFY2(run.errors.startsWith(QStringLiteral("3 results, found in: ")),
                 qPrintable(run.errors));

        const CliRun byGroup =
            runCli(m_folder, {"search", "--name", "*dragon", "--sort", "group", "--desc"});
        QCOMPARE(byGroup.lines,
                 (QStringList{"dragon Lair -- D-Bug 9", "Demo Dragon -- Automation 2",
                              "Dragon Ninja -- Automation 1"}));
    }

    void columnsFollowTheStoredOrder() {
        TestFolder reversed;
        reversed.createCatalogue(QLatin1String(kCatalogue));
        reversed.writeSettings(TestFolder::defaultSettings()
                                   .replace(QStringLiteral("1=Game"), QStringLiteral("1=Group"))
                                   .replace(QStringLiteral("2=Group"), QStringLiteral("2=Game")));
        const CliRun run = runCli(reversed, {"search", "--letter", "z", "--group", "Automation"});
        QCOMPARE(run.lines, (QStringList{"Automation 2 -- Zak's Quest"}));
    }

    void sqlIsTheWindowsStatement() {
        SearchCriteria criteria;
        criteria.searchText = QStringLiteral("#dragon +demo");
        criteria.groupText = QStringLiteral("Automation");
        criteria.availability.excludeUndumped = true;
        const CliRun run = runCli(m_folder, {"search", "--name", "#dragon +demo", "--group",
                                             "Automation", "--exclude-undumped", "--sql"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.lines, QStringList{buildNameSearch(criteria).statement});
    }

    void compressListsOneLinePerDisk() {
        const CliRun run = runCli(m_folder, {"compress", "--group", "Automation"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.lines,
                 (QStringList{"Demo Dragon -- Automation 2", "Dragon Ninja -- Automation 1"}));
        const CliRun none = runCli(m_folder, {"compress", "--group", "Nobody"});
        QCOMPARE(none.lines, QStringList());
        QVERIFY(none.errors.startsWith(QStringLiteral("0 results")));
    }

    void refusalsAndUsageErrors_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("no text for all groups")
            << QStringList{"search"} << 1
            << "You must specify a search string if searching all groups";
        QTest::newRow("no letter for all groups")
            << QStringList{"search", "--letter", "-"} << 1
            << "You must specify a letter/number if searching all groups";
        QTest::newRow("rejected pattern")
            << QStringList{"search", "--name", "[abc"} << 1 << "Invalid pattern string";
        QTest::newRow("unknown letter")
            << QStringList{"search", "--letter", "ab"} << 2 << "--letter";
        QTest::newRow("unknown operator")
            << QStringList{"search", "--name", "x", "--operator", "like"} << 2 << "--operator";
        QTest::newRow("compress without group") << QStringList{"compress"} << 2 << "--group";
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << 2 << "unknown command";
    }
    void refusalsAndUsageErrors() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        const CliRun run = runCli(m_folder, arguments);
        QCOMPARE(run.status, status);
        QVERIFY(run.lines.isEmpty());
        QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
    }

    void neverTouchesTheHistory() {
        const QString before = m_folder.readFile(QStringLiteral("Rummage.ini"));
        QCOMPARE(runCli(m_folder, {"search", "--name", "zak"}).status, 0);
        QCOMPARE(m_folder.readFile(QStringLiteral("Rummage.ini")), before);
    }
};

KESTREL_TEST(CliSearchTest)
#include "CliSearchTest.moc"
