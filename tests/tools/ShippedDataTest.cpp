#include "common/TestRegistry.h"

#include "common/TestFolder.h"

#include "core/search/GroupLists.h"
#include "core/settings/SettingsStore.h"
#include "core/catalogue/Catalogue.h"

#include <QFile>
#include <QProcess>
#include <QTest>

#include <algorithm>

namespace {

QString demoCataloguePath() {
    return QStringLiteral(KESTREL_BUILD_DIR "/") + Catalogue::fileName();
}

qlonglong count(Catalogue& catalogue, const QString& statement) {
    return catalogue.query(statement).row(0)[0].toLongLong();
}

} // namespace

// What the program folder is delivered with: the group lists, the default settings and the
// demo catalogue they describe.
class ShippedDataTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void groupLists() {
        const QStringList box = groupBoxNames();
        const QStringList set = diskSetGroupNames();
        QCOMPARE(box.size(), 158);
        QCOMPARE(set.size(), 160);
        QCOMPARE(set.first(), QStringLiteral("Adrenalin"));
        QCOMPARE(set[1], QStringLiteral("42-Crew"));
        QCOMPARE(set.last(), QStringLiteral("Zuul"));
        for (const char* name :
             {"Automation", "D-Bug", "Medway Boys", "Pompey Pirates", "Deep Thought's"})
            QVERIFY2(box.contains(QLatin1String(name)), name);
        for (const QString& name :
             {QStringLiteral("Awesome/Elite"), QStringLiteral("Compliation"),
              QStringLiteral("Deep Thought's"), QStringLiteral("Public Enemy\u2019s"),
              QStringLiteral("The World\u2019s Picture Collection"),
              QStringLiteral("The Cheshire Cats"), QStringLiteral("The Force"),
              QStringLiteral("The Power Generation"), QStringLiteral("The Powers"),
              QStringLiteral("The Space Marines"), QStringLiteral("The SyndiCate")})
            QVERIFY2(set.contains(name), qPrintable(name));
        for (const QStringList* list : {&box, &set}) {
            for (const QString& name : *list)
                QVERIFY2(!name.isEmpty() && name == name.trimmed(), qPrintable(name));
        }
    }

    void everyListedNameBeginsDiskTitlesOfTheDemo() {
        Catalogue catalogue;
        catalogue.open(demoCataloguePath());
        QStringList names = groupBoxNames() + diskSetGroupNames();
        names.removeDuplicates();
        // Prefix matches as the program makes them, but case-sensitive, as the names are
        // meant to be the titles' exact beginnings.
        QStringList titles;
        const ResultSet& groups =
            catalogue.query(QStringLiteral("SELECT DISTINCT [Group] FROM Compilations"));
        for (qsizetype i = 0; i < groups.rowCount(); ++i)
            titles << groups.row(i)[0].toString();
        for (const QString& name : names) {
            const bool found =
                std::any_of(titles.cbegin(), titles.cend(),
                            [&](const QString& title) { return title.startsWith(name); });
            QVERIFY2(found, qPrintable(name));
        }
    }

    void demoCatalogueHasEveryKindOfRow() {
        Catalogue catalogue;
        catalogue.open(demoCataloguePath());
        const qlonglong entries =
            count(catalogue, QStringLiteral("SELECT COUNT(*) FROM Compilations"));
        const qlonglong disks = count(catalogue, QStringLiteral("SELECT COUNT(*) FROM Dnames"));
        QVERIFY(entries >= 14000 && entries <= 16000);
        QVERIFY(disks >= 3500 && disks <= 4500);
        for (int code : {0, 1, 2})
            QVERIFY(count(catalogue,
                          QStringLiteral("SELECT COUNT(*) FROM Dnames WHERE got = %1").arg(code)) >
                    0);
        QVERIFY(count(catalogue,
                      QStringLiteral("SELECT COUNT(*) FROM Dnames WHERE filenumber IS NULL")) > 0);
        QVERIFY(count(catalogue,
                      QStringLiteral("SELECT COUNT(*) FROM Compilations WHERE Game LIKE '%''%'")) >
                0);
        QVERIFY(count(catalogue,
                      QStringLiteral(
                          "SELECT COUNT(*) FROM Compilations WHERE Game LIKE '[0-9]%'")) > 0);
        QVERIFY(count(catalogue,
                      QStringLiteral("SELECT COUNT(*) FROM Compilations WHERE favourite = -1")) >
                0);
        // Several games per disk, and every entry on a disk that exists.
        QVERIFY(entries > 2 * disks);
        QCOMPARE(
            count(catalogue, QStringLiteral("SELECT COUNT(*) FROM Compilations WHERE F_ID NOT IN "
                                            "(SELECT F_ID FROM Dnames)")),
            0LL);
    }

    void generatorIsDeterministicAndSized() {
        TestFolder folder;
        const QString generator = QStringLiteral(KESTREL_BUILD_DIR "/kestrel-demo-catalogue");
        QByteArray first;
        for (int run = 0; run < 2; ++run) {
            const QString out = folder.file(QStringLiteral("run%1.sqlite").arg(run));
            QCOMPARE(QProcess::execute(generator,
                                       {QStringLiteral("--entries"), QStringLiteral("700"), out}),
                     0);
            QFile file(out);
            QVERIFY(file.open(QIODevice::ReadOnly));
            if (run == 0)
                first = file.readAll();
            else
                QVERIFY(file.readAll() == first);
            Catalogue catalogue;
            catalogue.open(out);
            QCOMPARE(count(catalogue, QStringLiteral("SELECT COUNT(*) FROM Compilations")), 700LL);
        }
    }

    void generatorLeavesTheUsersCatalogueAlone() {
        TestFolder folder;
        folder.createCatalogue(
            QStringLiteral("INSERT INTO Dnames VALUES (1, 1, 'a', 'b', NULL, 'st');"));
        QFile original(folder.cataloguePath());
        QVERIFY(original.open(QIODevice::ReadOnly));
        const QByteArray before = original.readAll();
        original.close();
        QCOMPARE(QProcess::execute(QStringLiteral(KESTREL_BUILD_DIR "/kestrel-demo-catalogue"),
                                   {folder.cataloguePath()}),
                 0);
        QVERIFY(original.open(QIODevice::ReadOnly));
        QVERIFY(original.readAll() == before);
    }

    void defaultSettingsHoldEveryKey() {
        TestFolder folder;
        folder.writeSettings(TestFolder::defaultSettings());
        const QString file = folder.settingsPath();
        auto value = [&](const char* section, const char* key) {
            return readini(QLatin1String(section), QLatin1String(key), QStringLiteral("<missing>"),
                           file);
        };
        QCOMPARE(value("colorder", "1"), QStringLiteral("Game"));
        QCOMPARE(value("colorder", "2"), QStringLiteral("Group"));
        for (const char* key : {"value", "c1", "c2", "c3"})
            QCOMPARE(value("order", key), QStringLiteral("0"));
        QCOMPARE(value("searchbox", "1"), QStringLiteral("endmru"));
        for (int key = 2; key <= 10; ++key)
            QCOMPARE(readini(QStringLiteral("searchbox"), QString::number(key),
                             QStringLiteral("<missing>"), file),
                     QString());
        for (const char* key : {"STeem", "STew", "SainT", "Hatari", "rootfolder"})
            QCOMPARE(value("settings", key), QString());
        QVERIFY(QStringList({"steem", "stew", "saint", "hatari"})
                    .contains(value("settings", "selected")));
    }
};

KESTREL_TEST(ShippedDataTest)
#include "ShippedDataTest.moc"
