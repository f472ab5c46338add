#include "common/TestRegistry.h"

#include "common/RawDatabase.h"
#include "common/TestFolder.h"

#include "core/catalogue/Catalogue.h"
#include "core/search/GroupLists.h"
#include "core/settings/SettingsStore.h"

#include <QProcess>
#include <QTest>

#include <algorithm>

namespace {

const QString kGenerator = QStringLiteral(KESTREL_BUILD_DIR "/kestrel-demo-catalogue");

qlonglong count(const QString& cataloguePath, const QString& where) {
    Catalogue catalogue;
    catalogue.open(cataloguePath);
    return catalogue.query(QStringLiteral("SELECT COUNT(*) FROM ") + where).row(0)[0].toLongLong();
}

} // namespace

// What the program folder is delivered with: the group lists, the default settings and the
// demo catalogue they describe.
class ShippedDataTest : public QObject {
    Q_OBJECT
    const QString m_demo = QStringLiteral(KESTREL_BUILD_DIR "/") + Catalogue::fileName();

private Q_SLOTS:
    // A plain SQLite file: a tool that knows nothing of ours can check and sort it. First of
    // all, since opening the demo through the program would upgrade a file of the old layout.
    void demoIsAPlainFile() {
        qlonglong sorted = 0;
        {
            const Database db = openDatabase(m_demo, SQLITE_OPEN_READONLY);
            QCOMPARE(rawRows(db.get(), QStringLiteral("PRAGMA integrity_check")),
                     QStringList{"'ok'"});
            sorted =
                rawRows(db.get(), QStringLiteral("SELECT Game FROM Compilations ORDER BY Game"))
                    .size();
        }
        QCOMPARE(sorted, count(m_demo, QStringLiteral("Compilations")));
    }

    void groupLists() {
        const QStringList box = groupBoxNames();
        const QStringList set = diskSetGroupNames();
        QCOMPARE(box.size(), 158);
        QCOMPARE(set.size(), 160);
        QCOMPARE((QStringList{set[0], set[1], set.last()}),
                 (QStringList{"Adrenalin", "42-Crew", "Zuul"}));
        // The disk set list's own spellings, which its statements use as they are.
        for (const QString& name :
             {QStringLiteral("Awesome/Elite"), QStringLiteral("Compliation"),
              QStringLiteral("Deep Thought's"), QStringLiteral("Public Enemy\u2019s"),
              QStringLiteral("The Cheshire Cats")})
            QVERIFY2(set.contains(name), qPrintable(name));
        for (const QString& name : box + set)
            QVERIFY2(!name.isEmpty() && name == name.trimmed(), qPrintable(name));
    }

    // Every listed name begins disk titles of the demo, exactly as written.
    void demoHasEveryListedGroup() {
        const QStringList titles =
            queryColumn(m_demo, QStringLiteral("SELECT DISTINCT [Group] FROM Compilations"));
        for (const QString& name : groupBoxNames() + diskSetGroupNames())
            QVERIFY2(std::any_of(titles.cbegin(), titles.cend(),
                                 [&](const QString& title) { return title.startsWith(name); }),
                     qPrintable(name));
    }

    void demoHasEveryKindOfRow() {
        const qlonglong entries = count(m_demo, QStringLiteral("Compilations"));
        const qlonglong disks = count(m_demo, QStringLiteral("Dnames"));
        QVERIFY(entries >= 14000 && entries <= 16000);
        QVERIFY(disks >= 3500 && disks <= 4500 && entries > 2 * disks);
        for (const char* where :
             {"Dnames WHERE got = 0", "Dnames WHERE got = 1", "Dnames WHERE got = 2",
              "Dnames WHERE filenumber IS NULL", "Compilations WHERE Game LIKE '%''%'",
              "Compilations WHERE Game LIKE '[0-9]%'", "Compilations WHERE favourite = -1"})
            QVERIFY2(count(m_demo, QLatin1String(where)) > 0, where);
        QCOMPARE(count(m_demo, QStringLiteral("Compilations WHERE F_ID NOT IN "
                                              "(SELECT F_ID FROM Dnames)")),
                 0);
    }

    // The same bytes for the same entry count, and a catalogue that is not a demo left alone.
    void generator() {
        TestFolder folder;
        const QStringList runs{folder.file("one.sqlite"), folder.file("two.sqlite")};
        for (const QString& out : runs)
            QCOMPARE(QProcess::execute(kGenerator, {QStringLiteral("--entries"), "700", out}), 0);
        QVERIFY(fileBytes(runs[0]) == fileBytes(runs[1]));
        QCOMPARE(count(runs[0], QStringLiteral("Compilations")), 700);

        folder.createCatalogue(
            QStringLiteral("INSERT INTO Dnames VALUES (1, 1, 'a', 'b', NULL, 'st');"));
        const QByteArray before = fileBytes(folder.cataloguePath());
        QCOMPARE(QProcess::execute(kGenerator, {folder.cataloguePath()}), 0);
        QVERIFY(fileBytes(folder.cataloguePath()) == before);
    }

    // The keys the program relies on finding in the settings file it is delivered with.
    void defaultSettings() {
        TestFolder folder;
        folder.writeSettings(TestFolder::defaultSettings());
        QStringList values;
        for (const char* key : {"colorder/1", "colorder/2", "order/value", "order/c1", "order/c2",
                                "order/c3", "searchbox/1"}) {
            const QStringList path = QString::fromLatin1(key).split(u'/');
            values << readini(path[0], path[1], QStringLiteral("<missing>"), folder.settingsPath());
        }
        QCOMPARE(values, (QStringList{"Game", "Group", "0", "0", "0", "0", "endmru"}));
    }
};

KESTREL_TEST(ShippedDataTest)
#include "ShippedDataTest.moc"
