#include "common/TestRegistry.h"

#include "cli/CliTable.h"

#include "core/search/NameSearch.h"

namespace {

// Two disks of one group, one of another.
const char* const kCatalogue =
    "INSERT INTO Dnames VALUES (1, 1, 'A', 'A', '1', 'st'), (2, 0, 'A', 'A', '2', 'st'),"
    " (3, 2, 'B', 'B', NULL, 'st');"
    "INSERT INTO Compilations VALUES (1, 'Automation 1', 'Dragon Ninja', 0, 1),"
    " (2, 'Automation 1', 'Dragonfly', 0, 1), (3, 'Automation 2', 'Demo Dragon', 0, 2),"
    " (4, 'Automation 2', 'Zak''s Quest', 0, 2), (5, 'D-Bug 9', 'dragon Lair', 0, 3);";

} // namespace

// search, compress and the command dispatch, the columns stored group first. What a search
// finds is the core's; here a run must also leave the catalogue and the settings (no search
// history) as they were.
class CliSearchTest : public QObject {
    Q_OBJECT
    TestFolder m_folder;

private Q_SLOTS:
    void initTestCase() {
        m_folder.createCatalogue(QLatin1String(kCatalogue));
        m_folder.writeSettings(swappedColumnSettings());
    }

    void run_data() {
        addCliColumns();
        // Titles ordered without regard to case: "dragon Lair" before "Dragon Ninja".
        cliRow(
            "search by game", {"search", "--name", "dragon +demo", "--sort", "game"}, 0,
            {"D-Bug 9 -- dragon Lair", "Automation 1 -- Dragon Ninja", "Automation 1 -- Dragonfly"},
            "3 results, found in: ");
        cliRow("by group, descending", {"search", "--name", "*dragon", "--sort", "group", "--desc"},
               0,
               {"D-Bug 9 -- dragon Lair", "Automation 2 -- Demo Dragon",
                "Automation 1 -- Dragon Ninja"});
        cliRow("by letter", {"search", "--letter", "z", "--group", "Automation"}, 0,
               {"Automation 2 -- Zak's Quest"});
        SearchCriteria criteria;
        criteria.searchText = QStringLiteral("#dragon +demo");
        criteria.groupText = QStringLiteral("Automation");
        criteria.availability.excludeUndumped = true;
        criteria.sortCaption = QStringLiteral("Group"); // the first column
        cliRow("statement only",
               {"search", "--name", "#dragon +demo", "--group", "Automation", "--exclude-undumped",
                "--sql"},
               0, {buildNameSearch(criteria).statement});
        // By the first column, the group: by game it would be the other way round.
        cliRow("compress: a line per disk", {"compress", "--group", "Automation"}, 0,
               {"Automation 1 -- Dragon Ninja", "Automation 2 -- Demo Dragon"}, "2 results");
        cliRow("refused", {"search"}, 1, {},
               "You must specify a search string if searching all groups");
        cliRow("broken pattern", {"search", "--name", "dragon["}, 1, {},
               "Invalid pattern string\nThe \"[\" after \"dragon\" in \"%dragon[%\" is never "
               "closed; to find a \"[\" itself, write \"[[]\".");
        cliRow("unknown letter", {"search", "--letter", "ab"}, 2, {}, "--letter");
        cliRow("unknown operator", {"search", "--name", "x", "--operator", "like"}, 2, {},
               "--operator");
        cliRow("compress without group", {"compress"}, 2, {}, "--group");
        cliRow("unknown command", {"frobnicate"}, 2, {}, "unknown command");
        cliRow("no command: usage", {}, 2, {}, "  import FILE.mdb [--replace]\n");
    }
    void run() {
        const QByteArray catalogue = fileBytes(m_folder.cataloguePath());
        const QByteArray settings = fileBytes(m_folder.settingsPath());
        runCliRow(m_folder);
        QCOMPARE(fileBytes(m_folder.cataloguePath()), catalogue);
        QCOMPARE(fileBytes(m_folder.settingsPath()), settings);
    }
};

KESTREL_TEST(CliSearchTest)
#include "CliSearchTest.moc"
