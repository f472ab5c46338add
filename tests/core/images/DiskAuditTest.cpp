#include "common/TestRegistry.h"

#include "common/TestFolder.h"

#include "core/catalogue/Catalogue.h"
#include "core/images/DiskAudit.h"
#include "core/images/ImagePath.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile(path).open(QIODevice::WriteOnly);
}

// `disks` disks of `gamesPerDisk` entries each, titled "<group> <n>", files "G/Dn.st",
// every code 0.
QString catalogueOf(int disks, int gamesPerDisk, const QString& group = QStringLiteral("Crew")) {
    QString sql;
    int nummer = 0;
    for (int d = 1; d <= disks; ++d) {
        sql += QStringLiteral("INSERT INTO Dnames VALUES (%1, 0, 'G', 'D', '%1', 'st');").arg(d);
        for (int g = 0; g < gamesPerDisk; ++g)
            sql +=
                QStringLiteral("INSERT INTO Compilations VALUES (%1, '%2 %3', 'Game %1', 0, %3);")
                    .arg(++nummer)
                    .arg(group)
                    .arg(d);
    }
    return sql;
}

struct Recorded {
    QList<int> percentages;
    QList<float> bars;
    QList<qlonglong> left;
    AuditObserver observer() {
        return [this](const AuditProgress& p) {
            percentages << p.percentage;
            bars << p.barValue;
            left << p.disksLeft;
        };
    }
};

} // namespace

class DiskAuditTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void percentagesRoundHalvesToEven_data() {
        QTest::addColumn<float>("bar");
        QTest::addColumn<int>("percentage");
        QTest::newRow("250") << 250.0f << 2;
        QTest::newRow("350") << 350.0f << 4;
        QTest::newRow("3333.3") << 3333.3333f << 33;
        QTest::newRow("6666.7") << 6666.6667f << 67;
        QTest::newRow("full") << 10000.0f << 100;
    }
    void percentagesRoundHalvesToEven() {
        QFETCH(float, bar);
        QFETCH(int, percentage);
        QCOMPARE(auditPercentage(bar), percentage);
    }

    void fullAuditProgressAndCodes() {
        TestFolder folder;
        folder.createCatalogue(
            QStringLiteral("INSERT INTO Dnames VALUES (1, 0, 'A', 'Menu', '1', 'st'), (2, 1, 'A', "
                           "'Menu', '2', 'st'),"
                           " (3, 2, 'A', 'Menu', '3', 'st'), (4, NULL, 'A', 'Menu', '4', 'st'),"
                           " (30000, 1, 'A', 'Menu', '5', 'st');"));
        const QString root = folder.file(QStringLiteral("root"));
        touch(root + QStringLiteral("/A/Menu1.st")); // unavailable -> available
        touch(root + QStringLiteral("/A/Menu3.st")); // undumped stays undumped
        touch(root + QStringLiteral("/A/Menu4.st")); // no code stays without
        Catalogue catalogue;
        catalogue.open(folder.cataloguePath());
        Recorded seen;
        QCOMPARE(auditAllDisks(catalogue, root, seen.observer()), 4LL);
        // Five disks counted, four below 25000 visited: the bar ends a step short.
        QCOMPARE(seen.percentages, (QList<int>{0, 20, 40, 60}));
        QCOMPARE(seen.left, (QList<qlonglong>{4, 3, 2, 1}));
        const ResultSet& codes = catalogue.query(u"SELECT F_ID, got FROM Dnames ORDER BY F_ID");
        QCOMPARE(codes.row(0)[1], QVariant(1));
        QCOMPARE(codes.row(1)[1], QVariant(0));
        QCOMPARE(codes.row(2)[1], QVariant(2));
        QVERIFY(codes.row(3)[1].isNull());
        QCOMPARE(codes.row(4)[1], QVariant(1)); // 30000 is never visited
    }

    void threeDisksShowThirds() {
        TestFolder folder;
        folder.createCatalogue(catalogueOf(3, 1));
        Catalogue catalogue;
        catalogue.open(folder.cataloguePath());
        Recorded seen;
        auditAllDisks(catalogue, folder.path(), seen.observer());
        QCOMPARE(seen.percentages, (QList<int>{0, 33, 67}));
    }

    void groupAuditCountsDisksAndUsesAWholeStep_data() {
        QTest::addColumn<int>("disks");
        QTest::addColumn<int>("games");
        QTest::addColumn<QList<int>>("percentages");
        QTest::newRow("four disks of three games") << 4 << 3 << QList<int>{0, 25, 50, 75};
        // 10000 / 7 rounds to 1429; the seventh step would pass the maximum.
        QTest::newRow("seven disks") << 7 << 2 << QList<int>{0, 14, 29, 43, 57, 71, 86};
    }
    void groupAuditCountsDisksAndUsesAWholeStep() {
        QFETCH(int, disks);
        QFETCH(int, games);
        QFETCH(QList<int>, percentages);
        TestFolder folder;
        folder.createCatalogue(catalogueOf(disks, games));
        Catalogue catalogue;
        catalogue.open(folder.cataloguePath());
        Recorded seen;
        QCOMPARE(auditGroup(catalogue, QStringLiteral("Crew"), folder.path(), seen.observer()),
                 qlonglong(disks));
        QCOMPARE(seen.percentages, percentages);
        if (disks == 7)
            QCOMPARE(seen.bars.last(), 6 * 1429.0f);
    }

    void groupAuditMatchesAnywhereInTheTitle() {
        TestFolder folder;
        folder.createCatalogue(
            catalogueOf(2, 1, QStringLiteral("Deep Thought''s")) +
            QStringLiteral("INSERT INTO Dnames VALUES (9, 1, 'G', 'D', '9', 'st');"
                           "INSERT INTO Compilations VALUES (50, 'Elite & Deep "
                           "Thought''s 1', 'Joint', 0, 9);"
                           "INSERT INTO Dnames VALUES (10, 1, 'G', 'D', '10', 'st');"
                           "INSERT INTO Compilations VALUES (51, 'Other 1', 'x', 0, 10);"));
        Catalogue catalogue;
        catalogue.open(folder.cataloguePath());
        QCOMPARE(auditGroup(catalogue, QStringLiteral("Deep Thought's"), folder.path(), {}), 3LL);
        QCOMPARE(catalogue.query(u"SELECT got FROM Dnames WHERE F_ID = 9").row(0)[0], QVariant(0));
        QCOMPARE(catalogue.query(u"SELECT got FROM Dnames WHERE F_ID = 10").row(0)[0], QVariant(1));
    }

    void nothingToAuditIsRefused() {
        TestFolder folder;
        folder.createCatalogue(QStringLiteral("SELECT 1;"));
        Catalogue catalogue;
        catalogue.open(folder.cataloguePath());
        QVERIFY_THROWS_EXCEPTION(Refusal, auditAllDisks(catalogue, folder.path(), {}));
        QVERIFY_THROWS_EXCEPTION(Refusal,
                                 auditGroup(catalogue, QStringLiteral("x"), folder.path(), {}));
    }

    void oneEntry() {
        TestFolder folder;
        folder.createCatalogue(catalogueOf(2, 2));
        touch(folder.file(QStringLiteral("G/D2.st")));
        Catalogue catalogue;
        catalogue.open(folder.cataloguePath());
        const DiskFiles files{QStringLiteral("G"), QStringLiteral("D"), QStringLiteral("2"),
                              QStringLiteral("st")};
        QCOMPARE(auditEntry(catalogue, files, QStringLiteral("3"), folder.path()), 1);
        QCOMPARE(catalogue.query(u"SELECT got FROM Dnames WHERE F_ID = 2").row(0)[0], QVariant(1));
        QCOMPARE(catalogue.query(u"SELECT got FROM Dnames WHERE F_ID = 1").row(0)[0], QVariant(0));
    }

    void auditedInUsesTheNumberFormat() {
        QLocale::setDefault(QLocale::c());
        QCOMPARE(auditedInText(12500), QStringLiteral(" Audited in: 12.5 secs"));
        QCOMPARE(auditedInText(3000), QStringLiteral(" Audited in: 3 secs"));
    }
};

KESTREL_TEST(DiskAuditTest)
#include "DiskAuditTest.moc"
