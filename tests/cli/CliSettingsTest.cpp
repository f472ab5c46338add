#include "common/TestRegistry.h"

#include "cli/CliTable.h"

#include "core/settings/Settings.h"
#include "core/settings/SettingsStore.h"

#include <QFile>
#include <QRandomGenerator>

namespace {

const char* const kCatalogue =
    "INSERT INTO Dnames VALUES (1, 1, 'A', 'A', '1', 'st'), (2, 2, 'B', 'B', '2', 'st');"
    "INSERT INTO Compilations VALUES (1, 'Automation 1', 'Dragon Ninja', 0, 1),"
    " (2, 'D-Bug 9', 'dragon Lair', 0, 2), (3, 'D-Bug 9', 'Zork', 0, 2);";

const QByteArray missing = "<missing>";

// The same bytes on every run.
QByteArray garbled() {
    QRandomGenerator random(7122026);
    QByteArray bytes(800, '\0');
    for (char& byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

} // namespace

// A settings file that is missing, empty or not a settings file at all: searches work in the
// delivered column order, and the next setting written makes the file whole.
class CliSettingsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void searchWithoutSettings_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("missing") << missing;
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("garbled") << garbled();
        QTest::newRow("captions empty") << QByteArray("[colorder]\n1=\n2=\n");
    }
    void searchWithoutSettings() {
        QFETCH(QByteArray, file);
        TestFolder folder;
        folder.createCatalogue(QLatin1String(kCatalogue));
        if (file != missing)
            QVERIFY(writeFileBytes(folder.settingsPath(), file));
        const QStringList found{"dragon Lair -- D-Bug 9", "Dragon Ninja -- Automation 1"};
        const QStringList search{"search", "--name", "dragon", "--sort", "game"};

        CliRun run = runCli(folder, search);
        QCOMPARE(run.errors.section(u',', 0, 0), QStringLiteral("2 results"));
        QCOMPARE(run.lines, found);
        QCOMPARE(run.status, 0);
        QCOMPARE(fileBytes(folder.settingsPath()), file);

        // As the window does when the emulator is chosen.
        Settings(folder.settingsPath()).storeEmulator(Emulator::Steem);
        QStringList expected, stored;
        QString section;
        for (const QString& line : TestFolder::defaultSettings().split(u'\n', Qt::SkipEmptyParts)) {
            if (line.startsWith(u'[')) {
                section = line.mid(1, line.size() - 2);
                continue;
            }
            const QString key = line.section(u'=', 0, 0);
            expected << section + u'/' +
                            (key == u"selected" ? QStringLiteral("selected=steem") : line);
            stored << section + u'/' + key + u'=' +
                          readini(section, key, QString(missing), folder.settingsPath());
        }
        QCOMPARE(stored, expected);
        run = runCli(folder, search);
        QCOMPARE(run.lines, found);
    }
};

KESTREL_TEST(CliSettingsTest)
#include "CliSettingsTest.moc"
