#include "common/TestRegistry.h"

#include "core/export/ExportText.h"

#include <QTest>

using Rows = std::vector<ListedRow>;
Q_DECLARE_METATYPE(Rows)

// The result list as text: one line per row, the first two columns, CR LF after each.
class ExportTextTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listText_data() {
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QByteArray>("utf8");
        QTest::newRow("empty list") << Rows{} << QByteArray();
        // The entry number and the icon never reach the text.
        QTest::newRow("rows in list order")
            << Rows{{"Zork", "Automation 120", "3", 4}, {"Alpha", "D-Bug 3", "5", 5}}
            << QByteArray("Zork -- Automation 120\r\nAlpha -- D-Bug 3\r\n");
        QTest::newRow("empty second column")
            << Rows{{"Automation 130", "", "9", 5}} << QByteArray("Automation 130 -- \r\n");
        QTest::newRow("empty first column")
            << Rows{{"", "Medway Boys 9", "19", 0}} << QByteArray(" -- Medway Boys 9\r\n");
        QTest::newRow("beyond ASCII, quotes kept")
            << Rows{{"\u00c9lite", "Deep Thought's 4", "20", 3}}
            << QByteArray("\xc3\x89lite -- Deep Thought's 4\r\n");
    }
    void listText() {
        QFETCH(Rows, rows);
        QFETCH(QByteArray, utf8);
        QCOMPARE(::listText(rows).toUtf8(), utf8);
    }
};

KESTREL_TEST(ExportTextTest)
#include "ExportTextTest.moc"
