#include "common/TestRegistry.h"

#include "core/catalogue/ResultSet.h"
#include "core/search/Listing.h"

#include <QTest>

namespace {

ResultSet joinedRows(std::vector<ResultSet::Row> rows) {
    return ResultSet({QStringLiteral("Nummer"), QStringLiteral("Group"), QStringLiteral("Game"),
                      QStringLiteral("F_ID"), QStringLiteral("F_ID"), QStringLiteral("got")},
                     std::move(rows));
}

ResultSet::Row entry(int nummer, const char* group, QVariant game, QVariant got) {
    return {nummer, QString::fromUtf8(group), game, 1, 1, got};
}

} // namespace

class ListingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void seconds_data() {
        QTest::addColumn<quint32>("ms");
        QTest::addColumn<QString>("text");
        QTest::newRow("31 ms") << 31u << "0.031";
        QTest::newRow("whole seconds") << 2000u << "2";
        QTest::newRow("half") << 1500u << "1.5";
        QTest::newRow("zero") << 0u << "0";
        QTest::newRow("no group separator") << 1234567u << "1234.567";
        QTest::newRow("longest difference") << 4294967295u << "4294967.295";
    }
    void seconds() {
        QFETCH(quint32, ms);
        QFETCH(QString, text);
        QCOMPARE(secondsText(ms, QLocale::c()), text);
        QCOMPARE(foundInText(ms, QLocale::c()),
                 QStringLiteral(" found in: ") + text + QStringLiteral(" secs"));
    }

    void secondsUseLocaleSeparator() {
        QCOMPARE(secondsText(1500, QLocale(QLocale::German)), QStringLiteral("1,5"));
    }

    void counts() {
        QCOMPARE(resultCountText(1), QStringLiteral("  1 results"));
        QCOMPARE(resultCountText(15000), QStringLiteral("  15000 results"));
    }

    void iconsFollowCodeOrKeepPrevious_data() {
        QTest::addColumn<QVariant>("got");
        QTest::addColumn<int>("previous");
        QTest::addColumn<int>("icon");
        QTest::newRow("available") << QVariant(1) << 0 << int(AvailableIcon);
        QTest::newRow("unavailable") << QVariant(0) << 3 << int(UnavailableIcon);
        QTest::newRow("undumped") << QVariant(2) << 3 << int(UndumpedIcon);
        QTest::newRow("null keeps") << QVariant() << 4 << 4;
        QTest::newRow("unknown code keeps") << QVariant(7) << 5 << 5;
        QTest::newRow("text keeps") << QVariant(QStringLiteral("x")) << 3 << 3;
    }
    void iconsFollowCodeOrKeepPrevious() {
        QFETCH(QVariant, got);
        QFETCH(int, previous);
        QFETCH(int, icon);
        QCOMPARE(iconForGot(got, previous), icon);
    }

    void rowsReadFieldsNamedByCaptions() {
        ResultSet results =
            joinedRows({entry(7, "Automation 12", QStringLiteral("Dragon Ninja"), 1),
                        entry(9, "Automation 12", QVariant(), QVariant()),
                        entry(15, "D-Bug 3", QStringLiteral("Zork"), 2)});
        // Captions are matched without case; the third is hidden but still read.
        const auto rows = listedRows(
            results, {QStringLiteral("group"), QStringLiteral("GAME"), QStringLiteral("nummer")});
        QCOMPARE(rows.size(), size_t(3));
        QCOMPARE(rows[0].text, QStringLiteral("Automation 12"));
        QCOMPARE(rows[0].sub1, QStringLiteral("Dragon Ninja"));
        QCOMPARE(rows[0].sub2, QStringLiteral("7"));
        QCOMPARE(rows[0].icon, int(AvailableIcon));
        // A Null title lists as empty text; a Null code keeps the previous row's icon.
        QCOMPARE(rows[1].sub1, QString());
        QCOMPARE(rows[1].icon, int(AvailableIcon));
        QCOMPARE(rows[2].icon, int(UndumpedIcon));
        QVERIFY(results.atEnd());
    }

    void firstRowWithoutCodeHasNoIcon() {
        ResultSet results = joinedRows({entry(1, "A", QStringLiteral("x"), QVariant())});
        QCOMPARE(listedRows(results, {QStringLiteral("Game"), QStringLiteral("Group"),
                                      QStringLiteral("Nummer")})[0]
                     .icon,
                 int(NoIcon));
    }

    void unknownCaptionLeavesColumnEmpty() {
        ResultSet results = joinedRows({entry(1, "A", QStringLiteral("x"), 0)});
        const auto rows = listedRows(
            results, {QStringLiteral("Game"), QStringLiteral("Title"), QStringLiteral("Nummer")});
        QCOMPARE(rows[0].text, QStringLiteral("x"));
        QCOMPARE(rows[0].sub1, QString());
        QCOMPARE(rows[0].sub2, QStringLiteral("1"));
    }

    void skippedRowsStillCarryTheirIcon() {
        ResultSet results = joinedRows({entry(1, "A", QStringLiteral("x"), 2),
                                        entry(2, "B", QStringLiteral("y"), QVariant())});
        const auto rows = listedRows(
            results, {QStringLiteral("Game"), QStringLiteral("Group"), QStringLiteral("Nummer")},
            [](const ResultSet& r) { return r.position() == 1; });
        QCOMPARE(rows.size(), size_t(1));
        QCOMPARE(rows[0].sub2, QStringLiteral("2"));
        QCOMPARE(rows[0].icon, int(UndumpedIcon));
    }
};

KESTREL_TEST(ListingTest)
#include "ListingTest.moc"
