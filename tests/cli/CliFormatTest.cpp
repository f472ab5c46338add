#include "common/TestRegistry.h"

#include "cli/CliTable.h"

namespace {

// A game title with a tab and a line break, one with quotes and a non-ASCII letter; entry 3's
// disk has no code (no icon). The columns are stored group first.
const char* const kCatalogue =
    "INSERT INTO Dnames VALUES (1, 1, 'A', 'A', '1', 'st'), (2, 2, 'B', 'B', '2', 'st'),"
    " (3, NULL, 'C', 'C', '3', 'st');"
    "INSERT INTO Compilations VALUES (1, 'Automation 1', 'Tab' || char(9) || 'Line' || char(10)"
    " || 'Back\\slash', -1, 1), (2, 'D-Bug 9', '\"Quoted\" \u00c9lan', -1, 2),"
    " (3, 'Zoo 1', 'Zoo', 0, 3);";

} // namespace

// --format on the three listings: the fields for scripts, the text as before.
class CliFormatTest : public QObject {
    Q_OBJECT
    TestFolder m_folder;

private Q_SLOTS:
    void initTestCase() {
        m_folder.createCatalogue(QString::fromUtf8(kCatalogue));
        m_folder.writeSettings(swappedColumnSettings());
    }

    void run_data() {
        addCliColumns();
        const QStringList search{"search", "--name", "e", "--sort", "game"}; // not "Zoo"
        cliRow("tsv escapes", search + QStringList{"--format", "tsv"}, 0,
               {"entry\tavailability\tgame\tgroup", "2\t2\t\"Quoted\" \u00c9lan\tD-Bug 9",
                "1\t1\tTab\\tLine\\nBack\\\\slash\tAutomation 1"},
               "2 results");
        cliRow("text as before", search + QStringList{"--format", "text"}, 0,
               {"D-Bug 9 -- \"Quoted\" \u00c9lan", "Automation 1 -- Tab\tLine", "Back\\slash"});
        cliRow("compress, tsv", {"compress", "--group", "Zoo", "--format", "tsv"}, 0,
               {"entry\tavailability\tgame\tgroup", "3\t\tZoo\tZoo 1"});
        // Keys in QJsonDocument's order; escapes as JSON has them.
        cliRow("json", {"favourites", "list", "--format", "json"}, 0,
               {"[",
                "{\"availability\":1,\"entry\":1,\"game\":\"Tab\\tLine\\nBack\\\\slash\",\"group\":"
                "\"Automation 1\"},",
                "{\"availability\":2,\"entry\":2,\"game\":\"\\\"Quoted\\\" \u00c9lan\",\"group\":"
                "\"D-Bug 9\"}",
                "]"});
        cliRow("nothing found, json", {"search", "--name", "nomatch", "--format", "json"}, 0,
               {"[]"});
        cliRow("unknown format", search + QStringList{"--format", "csv"}, 2, {},
               "--format takes text, tsv or json");
        cliRow("favourites, no format", {"favourites", "list", "--format"}, 2, {},
               "--format takes");
    }
    void run() { runCliRow(m_folder); }
};

KESTREL_TEST(CliFormatTest)
#include "CliFormatTest.moc"
