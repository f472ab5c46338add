#include "common/FixtureCatalogue.h"
#include "common/TestRegistry.h"

#include "core/catalogue/MdbReader.h"

#include <QFileInfo>
#include <QTest>

// The reader itself, on files whose sizes and offsets are damaged.
class MdbReaderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A text field whose length came out negative is a damaged row, not a huge allocation.
    void refusesAFieldThatRunsPastItsPage() {
        const QString mdb = sharedFixture("damaged/negative-text-length.mdb");
        if (!QFileInfo::exists(mdb))
            QSKIP("The shared fixtures (../shared/fixtures/mdb) are not here.");
        const QString refusal = errorOf([&] {
            MdbFileReader file(mdb);
            for (const QString& name : file.tableNames()) {
                const std::unique_ptr<MdbTableReader> table = file.openTable(name);
                while (table->next()) {
                }
            }
        });
        QVERIFY2(containsAll(refusal, {QStringLiteral("damaged or incomplete"),
                                       QStringLiteral("runs past its page")}),
                 qPrintable(refusal));
    }
};

KESTREL_TEST(MdbReaderTest)
#include "MdbReaderTest.moc"
