#include "common/TestRegistry.h"

#include "core/catalogue/ResultSet.h"
#include "core/search/Listing.h"

#include <QTest>

#include <functional>

using KeepRow = std::function<bool(const ResultSet&)>;
Q_DECLARE_METATYPE(KeepRow)

// Result rows turned into list lines, and the texts of the status line.
class ListingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void seconds_data() {
        QTest::addColumn<quint32>("ms");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        const QLocale c = QLocale::c();
        QTest::newRow("31 ms") << 31u << c << "0.031";
        QTest::newRow("whole seconds") << 2000u << c << "2";
        QTest::newRow("no group separator") << 1234567u << c << "1234.567";
        QTest::newRow("longest difference") << 4294967295u << c << "4294967.295";
        QTest::newRow("locale's decimal sign") << 1500u << QLocale(QLocale::German) << "1,5";
    }
    void seconds() {
        QFETCH(quint32, ms);
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QCOMPARE(secondsText(ms, locale), text);
        QCOMPARE(foundInText(ms, locale), QStringLiteral(" found in: ") + text + " secs");
    }

    void iconsFollowCodeOrKeepPrevious_data() {
        QTest::addColumn<QVariant>("got");
        QTest::addColumn<int>("previous");
        QTest::addColumn<int>("icon");
        QTest::newRow("available") << QVariant(1) << 0 << int(AvailableIcon);
        QTest::newRow("unavailable") << QVariant(0) << 3 << int(UnavailableIcon);
        QTest::newRow("undumped") << QVariant(2) << 3 << int(UndumpedIcon);
        QTest::newRow("unknown code keeps") << QVariant(7) << 5 << 5;
        QTest::newRow("text keeps") << QVariant(QStringLiteral("x")) << 3 << 3;
    }
    void iconsFollowCodeOrKeepPrevious() {
        QFETCH(QVariant, got);
        QFETCH(int, previous);
        QFETCH(int, icon);
        QCOMPARE(iconForGot(got, previous), icon);
    }

    // Each line is "column 1|column 2|column 3|icon" over four joined rows.
    void rows_data() {
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<KeepRow>("keep");
        QTest::addColumn<QStringList>("lines");
        // Captions are matched without case; the third is hidden but still read. A Null title
        // lists as empty text; a Null code keeps the previous row's icon, none on the first.
        QTest::newRow("captions name the fields")
            << QStringList{"group", "GAME", "nummer"} << KeepRow()
            << QStringList{"A|x|1|0", "Automation 12|Dragon Ninja|7|3", "Automation 12||9|3",
                           "D-Bug 3|Zork|15|5"};
        QTest::newRow("unknown caption leaves its column empty")
            << QStringList{"Game", "Title", "Nummer"} << KeepRow()
            << QStringList{"x||1|0", "Dragon Ninja||7|3", "||9|3", "Zork||15|5"};
        QTest::newRow("skipped rows still carry their icon")
            << QStringList{"Game", "Group", "Nummer"}
            << KeepRow([](const ResultSet& r) { return r.position() == 2; })
            << QStringList{"|Automation 12|9|3"};
    }
    void rows() {
        QFETCH(QStringList, captions);
        QFETCH(KeepRow, keep);
        QFETCH(QStringList, lines);
        const auto entry = [](int nummer, const char* group, QVariant game, QVariant got) {
            return ResultSet::Row{nummer, QString::fromUtf8(group), game, 1, 1, got};
        };
        ResultSet results({"Nummer", "Group", "Game", "F_ID", "F_ID", "got"},
                          {entry(1, "A", QStringLiteral("x"), QVariant()),
                           entry(7, "Automation 12", QStringLiteral("Dragon Ninja"), 1),
                           entry(9, "Automation 12", QVariant(), QVariant()),
                           entry(15, "D-Bug 3", QStringLiteral("Zork"), 2)});
        QStringList listed;
        for (const ListedRow& row : listedRows(results, captions, keep))
            listed << QStringList{row.text, row.sub1, row.sub2, QString::number(row.icon)}.join(
                u'|');
        QCOMPARE(listed, lines);
        QVERIFY(results.atEnd());
    }
};

KESTREL_TEST(ListingTest)
#include "ListingTest.moc"
