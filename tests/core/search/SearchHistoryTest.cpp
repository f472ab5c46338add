#include "common/TestFolder.h"
#include "common/TestRegistry.h"

#include "core/search/SearchHistory.h"
#include "core/settings/SettingsStore.h"

#include <QTest>

namespace {

// History entries from one text, spaces between them; "x _ y" is "x", "" and "y".
QStringList entries(const char* text) {
    return QString::fromUtf8(text).split(u' ').replaceInStrings(QStringLiteral("_"), QString());
}

// The delivered settings file with `entries` under keys 2, 3, ... and `keyOne` under key 1
// (no key 1 at all when it is null).
QString settingsWithHistory(const QStringList& entries, const QString& keyOne) {
    QString settings = TestFolder::defaultSettings();
    for (int i = 0; i < entries.size(); ++i) {
        const QString key = QString::number(i + 2) + u'=';
        settings.replace(u'\n' + key + u'\n', u'\n' + key + entries[i] + u'\n');
    }
    return settings.replace(QStringLiteral("1=endmru\n"),
                            keyOne.isNull() ? QString() : QStringLiteral("1=") + keyOne + u'\n');
}

} // namespace

// The search history in the settings file: the shift down the keys that a search makes.
class SearchHistoryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recording_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("keyOne");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("after");
        const auto row = [](const char* name, const char* before, const char* text,
                            const char* after, const QString& keyOne = QStringLiteral("endmru")) {
            QTest::newRow(name) << entries(before) << keyOne << QString::fromUtf8(text)
                                << entries(after);
        };
        const char* const nine = "a b c d e f g h i";
        // The browser tests record a new text, a known one and one known in another case.
        row("known first entry", nine, "a", nine);
        row("empty keys move like the others", "x _ y", "y", "y x _ _ _ _ _ _ _");
        row("the lowest copy of a repeated text moves", "a x b c x d e f g", "x",
            "x a x b c d e f g");
        row("empty text changes nothing", nine, "", nine);
        // Without the marker the shift still ends at key 1; the write puts the marker back.
        row("no key 1, known text", nine, "e", "e a b c d f g h i", QString());
        row("other key 1, new text", nine, "new", "new a b c d e f g h", QStringLiteral("junk"));
    }
    void recording() {
        QFETCH(QStringList, before);
        QFETCH(QString, keyOne);
        QFETCH(QString, text);
        QFETCH(QStringList, after);
        TestFolder folder;
        folder.writeSettings(settingsWithHistory(before, keyOne));
        const QString file = folder.settingsPath();
        const QString unchanged = folder.readFile(QStringLiteral("Rummage.ini"));
        QCOMPARE(recordSearch(text, readSearchHistory(file), file), after);
        QCOMPARE(readSearchHistory(file), after);
        const auto key = [&](int k) {
            return readini(QStringLiteral("searchbox"), QString::number(k),
                           QStringLiteral("<missing>"), file);
        };
        QCOMPARE(key(1), keyOne.isNull() ? QStringLiteral("endmru") : keyOne);
        for (int k : {-1, 0, 11})
            QCOMPARE(key(k), QStringLiteral("<missing>"));
        if (text.isEmpty())
            QCOMPARE(folder.readFile(QStringLiteral("Rummage.ini")), unchanged);
    }
};

KESTREL_TEST(SearchHistoryTest)
#include "SearchHistoryTest.moc"
