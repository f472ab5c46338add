#include "common/TestRegistry.h"

#include "common/MemoryRows.h"

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
            return QVariantList{nummer, QString::fromUtf8(group), game, 1, 1, got};
        };
        MemoryRows memory;
        const auto lines = [&](const QStringList& captions, const KeepRow& keep) {
            RowStream rows =
                memory.stream({"Nummer", "Group", "Game", "F_ID", "F_ID", "got"},
                              {entry(1, "A", QStringLiteral("x"), QVariant()),
                               entry(7, "Automation 12", QStringLiteral("Dragon Ninja"), 1),
                               entry(9, "Automation 12", QVariant(), QVariant()),
                               entry(15, "D-Bug 3", QStringLiteral("Zork"), 2)});
            QStringList listed;
            const qsizetype count = listRows(
                rows, captions,
                [&](const ListedRowView& row) {
                    QStringList fields;
                    for (const QByteArrayView column : row.columns)
                        fields << QString::fromUtf8(column);
                    listed << fields.join(u'|') + u'|' + QString::number(row.icon);
                },
                keep);
            return count == listed.size() ? listed : QStringList{"miscounted"};
        };
        QCOMPARE(lines({"group", "GAME", "nummer"}, nullptr),
                 (QStringList{"A|x|1|0", "Automation 12|Dragon Ninja|7|3", "Automation 12||9|3",
                              "D-Bug 3|Zork|15|5"}));
        int position = 0;
        QCOMPARE(
            lines({"Game", "Group", "Nummer"}, [&](const RowStream&) { return position++ == 2; }),
            QStringList{"|Automation 12|9|3"});
    }
};

KESTREL_TEST(ListingTest)
#include "ListingTest.moc"
