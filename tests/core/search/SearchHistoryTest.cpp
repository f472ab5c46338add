#include "common/TestRegistry.h"

#include "common/TestFolder.h"

#include "core/settings/SettingsStore.h"
#include "core/search/SearchHistory.h"

#include <QTest>

namespace {

const QStringList kNine{"a", "b", "c", "d", "e", "f", "g", "h", "i"};

// A delivered settings file whose history holds `entries` under keys 2, 3, ...
QString settingsWithHistory(const QStringList& entries) {
    QString settings = TestFolder::defaultSettings();
    for (int i = 0; i < entries.size(); ++i) {
        const QString key = QString::number(i + 2) + u'=';
        settings.replace(u'\n' + key + u'\n', u'\n' + key + entries[i] + u'\n');
    }
    return settings;
}

QString searchbox(const TestFolder& folder, int key) {
    return readini(QStringLiteral("searchbox"), QString::number(key), QStringLiteral("<missing>"),
                   folder.settingsPath());
}

} // namespace

class SearchHistoryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recording_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("after");
        const auto row = [](const char* name, const QStringList& before, const char* text,
                            const QStringList& after) {
            QTest::newRow(name) << before << QString::fromUtf8(text) << after;
        };
        row("new text, the ninth drops out", kNine, "new",
            {"new", "a", "b", "c", "d", "e", "f", "g", "h"});
        row("known text moves up, those below stay", kNine, "d",
            {"d", "a", "b", "c", "e", "f", "g", "h", "i"});
        row("known last entry", kNine, "i", {"i", "a", "b", "c", "d", "e", "f", "g", "h"});
        row("known first entry", kNine, "a", kNine);
        row("case matters", kNine, "A", {"A", "a", "b", "c", "d", "e", "f", "g", "h"});
        row("into an empty history", {}, "dragon", {"dragon", "", "", "", "", "", "", "", ""});
        row("empty keys move like the others", {"x", "", "y"}, "y",
            {"y", "x", "", "", "", "", "", "", ""});
        row("the lowest copy of a repeated text moves",
            {"a", "x", "b", "c", "x", "d", "e", "f", "g"}, "x",
            {"x", "a", "x", "b", "c", "d", "e", "f", "g"});
    }
    void recording() {
        QFETCH(QStringList, before);
        QFETCH(QString, text);
        QFETCH(QStringList, after);
        TestFolder folder;
        folder.writeSettings(settingsWithHistory(before));
        const QStringList shown = readSearchHistory(folder.settingsPath());
        QCOMPARE(recordSearch(text, shown, folder.settingsPath()), after);
        QCOMPARE(readSearchHistory(folder.settingsPath()), after);
        QCOMPARE(searchbox(folder, 1), QStringLiteral("endmru"));
        QCOMPARE(searchbox(folder, 11), QStringLiteral("<missing>"));
    }

    void emptyTextChangesNothing() {
        TestFolder folder;
        folder.writeSettings(settingsWithHistory(kNine));
        const QString before = folder.readFile(QStringLiteral("Rummage.ini"));
        QCOMPARE(recordSearch(QString(), kNine, folder.settingsPath()), kNine);
        QCOMPARE(folder.readFile(QStringLiteral("Rummage.ini")), before);
    }

    // Without the marker under key 1 the shift still ends there: nothing is written under a
    // key below 2, and the file's own key 1 stays as it was.
    void shiftStopsAtKeyOneWithoutTheMarker_data() {
        QTest::addColumn<QString>("keyOne");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("after");
        const QStringList pushed{"new", "a", "b", "c", "d", "e", "f", "g", "h"};
        const QStringList moved{"e", "a", "b", "c", "d", "f", "g", "h", "i"};
        const QString fresh = QStringLiteral("new");
        const QString known = QStringLiteral("e");
        const QString junk = QStringLiteral("junk");
        QTest::newRow("key missing, new text") << QString() << fresh << pushed;
        QTest::newRow("key missing, known text") << QString() << known << moved;
        QTest::newRow("other value, new text") << junk << fresh << pushed;
        QTest::newRow("other value, known text") << junk << known << moved;
    }
    void shiftStopsAtKeyOneWithoutTheMarker() {
        QFETCH(QString, keyOne);
        QFETCH(QString, text);
        QFETCH(QStringList, after);
        QString settings = settingsWithHistory(kNine);
        settings.replace(QStringLiteral("1=endmru\n"),
                         keyOne.isNull() ? QString() : QStringLiteral("1=") + keyOne + u'\n');
        TestFolder folder;
        folder.writeSettings(settings);
        QCOMPARE(recordSearch(text, kNine, folder.settingsPath()), after);
        QCOMPARE(searchbox(folder, 1), keyOne.isNull() ? QStringLiteral("<missing>") : keyOne);
        QCOMPARE(searchbox(folder, 0), QStringLiteral("<missing>"));
        QCOMPARE(searchbox(folder, -1), QStringLiteral("<missing>"));
        QCOMPARE(searchbox(folder, 11), QStringLiteral("<missing>"));
    }
};

KESTREL_TEST(SearchHistoryTest)
#include "SearchHistoryTest.moc"
