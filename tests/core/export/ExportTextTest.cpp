#include "common/TestRegistry.h"

#include "core/export/ExportText.h"

#include <QTest>

// The result list as text: one line per row, the first two columns, CR LF after each.
class ExportTextTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // An empty column stays empty; the entry number and the icon never reach the text.
    void listText() {
        const std::vector<ListedRow> rows{{"", "Medway Boys 9", "19", 0},
                                          {"\u00c9lite", "", "20", 3}};
        QCOMPARE(::listText(rows), QStringLiteral(" -- Medway Boys 9\r\n\u00c9lite -- \r\n"));
    }
};

KESTREL_TEST(ExportTextTest)
#include "ExportTextTest.moc"
