#include "common/FixtureCatalogue.h"

#include "common/TestRegistry.h"

#include "core/editing/DiskEditStatements.h"

#include <QTest>

// The disk-edit dialogs' statements run against the fixture. The browser tests run the
// selection, the favourites and the audits; the searches and browses are run by the tests
// of their builders.
class CatalogueStatementsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // File numbers compare as text, greatest first; "Automat" takes in "Automatix".
    void diskSetLookup() {
        OpenCatalogue open;
        const QString rows = QStringLiteral("3 3 3 3 | 130 130 130 130 | 120 120 120 120 | "
                                            "12 12 12 12 12");
        QCOMPARE(runsOf(open.catalogue, diskSetLookupStatement(QStringLiteral("Automat")), rows,
                        QStringLiteral("filenumber")),
                 normalisedRuns(rows));
    }

    void updates_data() {
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QStringList>("changed"); // Dnames rows as they are afterwards
        // Every disk of the group but the undumped one; Automatix is another group.
        QTest::newRow("disk set") << diskSetUpdateStatements(QStringLiteral("Automation"),
                                                             {"Auto Disks", "AUTOMATION", "", "st"})
                                  << QStringList{"1|1|Auto Disks|AUTOMATION|12|st",
                                                 "2|0|Auto Disks|AUTOMATION|120|st"};
        // The number stays text, with its leading zero.
        QTest::newRow("single disk")
            << singleDiskUpdateStatements(QStringLiteral("20"), {"x", "MBX", "09", "msa"})
            << QStringList{"6|Null|Medway|MBX|09|msa"};
        QTest::newRow("single disk, Null number")
            << singleDiskUpdateStatements(QStringLiteral("5"), {"x", "AUTO", "", "msa"})
            << QStringList{"2|0|Automation|AUTO|Null|msa"};
    }
    // The statements change exactly the `changed` rows, and nothing else in either table.
    void updates() {
        QFETCH(QStringList, statements);
        QFETCH(QStringList, changed);
        OpenCatalogue open;
        const QString entries = QStringLiteral("SELECT * FROM Compilations ORDER BY Nummer");
        const QString disks = QStringLiteral("SELECT * FROM Dnames ORDER BY F_ID");
        const QStringList entriesBefore = rowTexts(open.catalogue, entries);
        const QStringList disksBefore = rowTexts(open.catalogue, disks);
        for (const QString& statement : statements)
            QVERIFY_THROWS_NO_EXCEPTION(open.catalogue.execute(statement));
        QCOMPARE(rowTexts(open.catalogue, entries), entriesBefore);
        const QStringList disksAfter = rowTexts(open.catalogue, disks);
        QCOMPARE(disksAfter.size(), disksBefore.size()); // so a changed key shows as a change
        QStringList differing;
        for (qsizetype i = 0; i < disksAfter.size(); ++i)
            if (disksAfter[i] != disksBefore[i])
                differing << disksAfter[i];
        QCOMPARE(differing, changed);
    }
};

KESTREL_TEST(CatalogueStatementsTest)
#include "CatalogueStatementsTest.moc"
