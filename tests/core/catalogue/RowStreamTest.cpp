#include "common/FixtureCatalogue.h"
#include "common/TestRegistry.h"

#include "core/catalogue/RowStream.h"

#include <QTest>

// Reading a statement's rows one at a time, straight from the engine.
class RowStreamTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A field read into a text that is reused from row to row reads as its value does, whatever
    // the text held before: every kind of field, bytes that are not UTF-8, a real number.
    void textIntoReadsAsTheValue() {
        OpenCatalogue open(QStringLiteral("SELECT 1;"));
        RowStream rows(
            open.catalogue.handle(),
            QStringLiteral("SELECT 'Ménu' AS Name, NULL, 12, 3.0, 2.5, x'4d656e75', '', "
                           "CAST(x'ff41' AS TEXT), CAST(x'efbbbf41' AS TEXT), 'Menu07 ☆'"));
        QVERIFY(rows.next());
        QString into = QStringLiteral("a longer text read from the row before");
        for (int c = 0; c < rows.columnCount(); ++c) {
            rows.textInto(c, into);
            QCOMPARE(into, rows.value(c).toString());
        }
        QCOMPARE(rows.requiredColumn(u"NAME"), 0);
        QVERIFY_THROWS_EXCEPTION(CatalogueError, rows.requiredColumn(u"folder"));
    }
};

KESTREL_TEST(RowStreamTest)
#include "RowStreamTest.moc"
