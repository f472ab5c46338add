#include "common/TestRegistry.h"

#include "core/catalogue/ResultSet.h"
#include "core/search/Listing.h"

#include <QTest>

// Result rows turned into list lines; the browser tests list catalogue rows through it, with
// every availability code, and check the status line's texts.
class ListingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each line is "column 1|column 2|column 3|icon" over four joined rows. Captions are
    // matched without case; the third is hidden but still read. A Null title lists as empty
    // text; a Null code keeps the previous row's icon, none on the first, and a row left out
    // still passes its icon on.
    void rows() {
        const auto entry = [](int nummer, const char* group, QVariant game, QVariant got) {
            return ResultSet::Row{nummer, QString::fromUtf8(group), game, 1, 1, got};
        };
        ResultSet results({"Nummer", "Group", "Game", "F_ID", "F_ID", "got"},
                          {entry(1, "A", QStringLiteral("x"), QVariant()),
                           entry(7, "Automation 12", QStringLiteral("Dragon Ninja"), 1),
                           entry(9, "Automation 12", QVariant(), QVariant()),
                           entry(15, "D-Bug 3", QStringLiteral("Zork"), 2)});
        const auto lines = [&](const QStringList& captions, const auto& keep) {
            QStringList listed;
            for (const ListedRow& row : listedRows(results, captions, keep))
                listed << QStringList{row.text, row.sub1, row.sub2, QString::number(row.icon)}.join(
                    u'|');
            return listed;
        };
        QCOMPARE(lines({"group", "GAME", "nummer"}, nullptr),
                 (QStringList{"A|x|1|0", "Automation 12|Dragon Ninja|7|3", "Automation 12||9|3",
                              "D-Bug 3|Zork|15|5"}));
        QVERIFY(results.atEnd());
        QCOMPARE(lines({"Game", "Group", "Nummer"},
                       [](const ResultSet& r) { return r.position() == 2; }),
                 QStringList{"|Automation 12|9|3"});
    }
};

KESTREL_TEST(ListingTest)
#include "ListingTest.moc"
