#include "core/search/SearchHistory.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsStore.h"

#include "common/TestFolder.h"
#include "common/TestRegistry.h"

#include <QRandomGenerator>
#include <QTest>

#include <functional>

namespace {

const QByteArray missing = "<missing>";

// Bytes that are no settings file at all, the same on every run.
QByteArray garbled() {
    QRandomGenerator random(20261207);
    QByteArray bytes(600, '\0');
    for (char& byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

// Every key of the delivered file as "section/key=value", in its order.
QStringList deliveredLines() {
    QStringList lines;
    QString section;
    for (const QString& line : TestFolder::defaultSettings().split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(u'['))
            section = line.mid(1, line.size() - 2);
        else
            lines << section + u'/' + line;
    }
    return lines;
}

// The same keys as a file holds them, "<missing>" for a key it lacks; or, `typed`, as the
// settings read them.
QStringList storedLines(const QString& file, bool typed = false) {
    QStringList lines;
    for (const QString& delivered : deliveredLines()) {
        const QString section = delivered.section(u'/', 0, 0);
        const QString key = delivered.section(u'/', 1).section(u'=', 0, 0);
        lines << section + u'/' + key + u'=' +
                     (typed ? readSetting(section, key, file)
                            : readini(section, key, QString(missing), file));
    }
    return lines;
}

// The delivered file as a write to a missing file makes it, `from` changed into `to`.
QByteArray deliveredAsWritten(const char* from, const char* to) {
    return TestFolder::defaultSettings().toUtf8().replace(from, to).replace("\n", "\r\n");
}

} // namespace

// The typed settings on files that lack keys: a missing key reads as delivered, and the next
// write puts every missing key back.
class SettingsTest : public QObject {
    Q_OBJECT
    TestFolder m_folder;
    QString m_ini = m_folder.settingsPath();

    void place(const QByteArray& bytes) {
        QFile::remove(m_ini);
        if (bytes != missing)
            QVERIFY(writeFileBytes(m_ini, bytes));
    }

private Q_SLOTS:
    void missingKeysReadAsDelivered_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("missing file") << missing;
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("garbled file") << garbled();
        QTest::newRow("other sections only") << QByteArray("[Window]\nLeft=1\n[order\n1=Group\n");
    }
    void missingKeysReadAsDelivered() {
        QFETCH(QByteArray, file);
        place(file);
        const Settings settings(m_ini);

        QCOMPARE(storedLines(m_ini, true), deliveredLines());
        const ColumnCaptions captions = settings.columnCaptions();
        QCOMPARE(captions.first + u' ' + captions.second, QStringLiteral("Game Group"));
        QCOMPARE(settings.emulator(), Emulator::Hatari);
        QVERIFY(!settings.isOn(SettingKey::ReverseColumns));
        const AvailabilityFilter filter = settings.availabilityFilter();
        QVERIFY(!filter.excludeAvailable && !filter.excludeUnavailable && !filter.excludeUndumped);
        QCOMPARE(settings.programPaths(), ProgramPaths{});
        QCOMPARE(readSearchHistory(m_ini), QStringList(9, QString()));
        // Reading never writes.
        QCOMPARE(fileBytes(m_ini), file);
    }

    // Only where an empty value cannot mean anything does it read as delivered.
    void emptyValues_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("empty");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* line, const char* empty, const char* expected) {
            QTest::addRow("%s emptied", line) << line << empty << expected;
        };
        // Captions are field names: an empty one leaves the search without an order.
        row("1=Game", "1=", "Game");
        row("2=Group", "2=\"\"", "Group");
        row("c2=0", "c2= ", "0");
        row("selected=hatari", "selected=", "hatari");
        // The marker of the history may be cleared like any entry.
        row("1=endmru", "1=", "");
    }
    void emptyValues() {
        QFETCH(QString, line);
        QFETCH(QString, empty);
        QFETCH(QString, expected);
        const QString text = TestFolder::defaultSettings();
        const qsizetype at = text.indexOf(u'\n' + line + u'\n');
        QVERIFY(at >= 0);
        m_folder.writeSettings(QString(text).replace(at + 1, line.size(), empty));
        const QString section = text.left(at).section(u'[', -1).section(u']', 0, 0);

        QCOMPARE(readSetting(section, empty.section(u'=', 0, 0), m_ini), expected);
        const Settings settings(m_ini);
        QCOMPARE(settings.columnCaptions().first + u' ' + settings.columnCaptions().second,
                 QStringLiteral("Game Group"));
        QCOMPARE(settings.emulator(), Emulator::Hatari);
    }

    void writeFillsInMissingKeys_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        const QByteArray delivered = deliveredAsWritten("selected=hatari", "selected=steem");
        QTest::newRow("missing file") << missing << delivered;
        QTest::newRow("empty file") << QByteArray() << delivered;
        // Hand-kept lines and values stay; empty switches take their value, missing keys go
        // after their section's last key, missing sections at the end.
        QTest::newRow("hand-kept, some keys")
            << QByteArray("; mine\n[colorder]\n1=Group\n2=Game\n\n[order]\nvalue=1\nc2=\n\n"
                          "[settings]\nSTeem=/opt/steem\nrootfolder=\n")
            << QByteArray("; mine\n[colorder]\n1=Group\n2=Game\n\n[order]\nvalue=1\nc2=0\nc1=0\n"
                          "c3=0\n\n[settings]\nSTeem=/opt/steem\nrootfolder=\nselected=steem\n"
                          "STew=\nSainT=\nHatari=\n\n[searchbox]\n1=endmru\n2=\n3=\n4=\n5=\n"
                          "6=\n7=\n8=\n9=\n10=\n");
    }
    void writeFillsInMissingKeys() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        place(before);

        Settings(m_ini).storeEmulator(Emulator::Steem);

        QCOMPARE(fileBytes(m_ini), after);
    }

    // Whatever the write, the file has every key afterwards; the garbage stays where it was.
    void everyWriteFillsIn_data() {
        QTest::addColumn<int>("writer");
        QTest::addColumn<QString>("changed");
        QTest::newRow("column order") << 0 << "colorder/1=Group colorder/2=Game order/value=1";
        QTest::newRow("filters") << 1 << "order/c3=1";
        QTest::newRow("program paths") << 2 << "settings/Hatari=/usr/bin/hatari";
        QTest::newRow("search history") << 3 << "searchbox/2=dragon";
    }
    void everyWriteFillsIn() {
        QFETCH(int, writer);
        QFETCH(QString, changed);
        const QByteArray garbage = garbled();
        place(garbage);
        const Settings settings(m_ini);
        const std::function<void()> writers[] = {
            [&] { settings.storeColumnOrder(true); },
            [&] {
                settings.storeAvailabilityFilter({false, false, true});
            },
            [&] {
                ProgramPaths paths;
                paths.program(Emulator::Hatari) = QStringLiteral("/usr/bin/hatari");
                settings.storeProgramPaths(paths);
            },
            [&] { recordSearch(QStringLiteral("dragon"), readSearchHistory(m_ini), m_ini); },
        };

        writers[writer]();

        QStringList expected = deliveredLines();
        for (const QString& line : changed.split(u' ')) {
            const QString key = line.section(u'=', 0, 0) + u'=';
            const qsizetype at = expected.indexOf(
                *std::find_if(expected.begin(), expected.end(),
                              [&](const QString& l) { return l.startsWith(key); }));
            expected[at] = line;
        }
        QCOMPARE(storedLines(m_ini), expected);
        const QByteArray written = fileBytes(m_ini);
        QVERIFY(written.size() > garbage.size());
        QCOMPARE(written.count("[colorder]"), 1);
    }
};

KESTREL_TEST(SettingsTest)
#include "SettingsTest.moc"
