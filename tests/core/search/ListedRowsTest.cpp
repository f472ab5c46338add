#include "common/TestRegistry.h"

#include "core/search/ListedRows.h"

#include <QTest>

#include <vector>

namespace {

// Lines written "text|sub1|sub2"; each line's icon is its position, so it shows where a line
// went.
ListedRows linesOf(const QStringList& lines) {
    ListedRows rows;
    for (const QString& line : lines) {
        const QStringList texts = line.split(u'|');
        rows.append(ListedRow{texts.value(0), texts.value(1), texts.value(2), int(rows.size())});
    }
    return rows;
}

// Each line as "text|sub1|sub2@icon".
QStringList contents(const ListedRows& rows) {
    QStringList lines;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const ListedRow row = rows.row(i);
        lines << row.text + u'|' + row.sub1 + u'|' + row.sub2 + u'@' + QString::number(row.icon);
    }
    return lines;
}

QString orderText(const std::vector<qsizetype>& order) {
    QStringList positions;
    for (qsizetype at : order)
        positions << QString::number(at);
    return positions.join(u' ');
}

} // namespace

// The result list's compact lines: what goes in comes out, line by line, through removals and
// re-sorting.
class ListedRowsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void textsAndIconsRoundTrip() {
        const QString longText = QStringLiteral("Medway Boys ").repeated(5000);
        const std::vector<ListedRow> written{
            {"", "", "", 0},
            {"Élite", "Pompey Pirates 7", "", 3},
            {"", "", "12", 4},
            {longText, "Straße", "ß", 5},
            {"Ärger", "日本語", "100% Dynamite", 3},
        };
        ListedRows rows;
        for (const ListedRow& row : written)
            rows.append(row);
        // Texts that arrive straight from a statement, as UTF-8.
        const QByteArray view[3] = {"Über Run", "", "D-Bug 150"};
        rows.append(ListedRowView{{view[0], view[1], view[2]}, 4});

        QCOMPARE(
            contents(rows),
            (QStringList{"||@0", "Élite|Pompey Pirates 7|@3", "||12@4", longText + "|Straße|ß@5",
                         "Ärger|日本語|100% Dynamite@3", "Über Run||D-Bug 150@4"}));
        for (qsizetype i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows.text(i, 2), rows.row(i).sub2);
            QVERIFY(rows.utf8(i, 1) == rows.row(i).sub1.toUtf8());
        }
        QCOMPARE(rows.icon(rows.size() - 1), 4);

        rows.clear();
        QVERIFY(rows.empty());
        rows.append(ListedRow{"Zool", "Automation 12", "1", 3});
        QCOMPARE(contents(rows), QStringList{"Zool|Automation 12|1@3"});
    }

    void remove_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("first") << 0 << QStringList{"Élite|b|@1", "Zool||c@2"};
        QTest::newRow("middle") << 1 << QStringList{"a||@0", "Zool||c@2"};
        QTest::newRow("last") << 2 << QStringList{"a||@0", "Élite|b|@1"};
    }
    // The other lines keep their texts and icons.
    void remove() {
        QFETCH(int, line);
        QFETCH(QStringList, left);
        ListedRows rows = linesOf({"a||", "Élite|b|", "Zool||c"});
        rows.remove(line);
        QCOMPARE(contents(rows), left);
    }

    // "order" is the line positions first to last, "" for lines already in order.
    void sortedOrder_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QString>("order");
        const QStringList ascending{"|a|",      "Ecole|b|", "ecole|c|",
                                    "ecole|d|", "École|e|", "Zool|f|"};
        QTest::newRow("in order") << ascending << 0 << false << "";
        QTest::newRow("in order, descending")
            << QStringList{"Zool", "École", "ecole|1", "ecole|2", "Ecole", ""} << 0 << true << "";
        QTest::newRow("nothing") << QStringList() << 0 << false << "";
        QTest::newRow("one line") << QStringList{"Zool"} << 0 << true << "";
        // Equal texts keep their order whichever way the column sorts.
        const QStringList mixed{"Zool|1|", "ecole|2|", "Apple|3|", "ecole|4|", "école|5|"};
        QTest::newRow("ascending") << mixed << 0 << false << "2 1 3 4 0";
        QTest::newRow("descending") << mixed << 0 << true << "0 4 1 3 2";
        QTest::newRow("reversed") << ascending << 0 << true << "5 4 2 3 1 0";
        // The same lines by each of the columns.
        const QStringList three{"b|Medway Boys 9|3", "c|Automation 12|20", "a|Pompey Pirates|100"};
        QTest::newRow("first column") << three << 0 << false << "2 0 1";
        QTest::newRow("second column") << three << 1 << false << "1 0 2";
        QTest::newRow("second column, descending") << three << 1 << true << "2 0 1";
        QTest::newRow("third column") << three << 2 << false << "2 1 0";
    }
    // The order, and the lines put in it with every text and icon moving along.
    void sortedOrder() {
        QFETCH(QStringList, lines);
        QFETCH(int, column);
        QFETCH(bool, descending);
        QFETCH(QString, order);
        ListedRows rows = linesOf(lines);
        const std::vector<qsizetype> sorted = rows.sortedOrder(column, descending);
        QCOMPARE(orderText(sorted), order);
        if (sorted.empty())
            return;
        const QStringList before = contents(rows);
        rows.reorder(sorted);
        QStringList expected;
        for (qsizetype from : sorted)
            expected << before[from];
        QCOMPARE(contents(rows), expected);
    }
};

KESTREL_TEST(ListedRowsTest)
#include "ListedRowsTest.moc"
