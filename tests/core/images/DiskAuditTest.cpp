#include "common/FixtureCatalogue.h"
#include "common/TestRegistry.h"

#include "core/images/DiskAudit.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <tuple>

namespace {

// `disks` disks of two entries each, titled "<group> <n>", files "G/Dn.st", every code 0.
QString catalogueOf(int disks, const QString& group = QStringLiteral("Crew")) {
    QString sql;
    for (int d = 1; d <= disks; ++d)
        sql += QStringLiteral("INSERT INTO Dnames VALUES (%1, 0, 'G', 'D', '%1', 'st');"
                              "INSERT INTO Compilations VALUES (%2, '%3 %1', 'A', 0, %1),"
                              " (%4, '%3 %1', 'B', 0, %1);")
                   .arg(d)
                   .arg(2 * d - 1)
                   .arg(group)
                   .arg(2 * d);
    return sql;
}

// A catalogue made from `sql`, opened, and the progress an audit of it reports.
struct Audited : OpenCatalogue {
    using OpenCatalogue::OpenCatalogue;
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
    QStringList codes() {
        return rowTexts(catalogue, QStringLiteral("SELECT got FROM Dnames ORDER BY F_ID"));
    }
};

} // namespace

// The audits that bring the availability codes up to date with the image files.
class DiskAuditTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Halves round to even.
    void percentagesRoundHalvesToEven() {
        QCOMPARE(auditPercentage(250.0f), 2);
        QCOMPARE(auditPercentage(350.0f), 4);
    }

    // Codes 0 and 1 are written from what is on disk; 2 and Null are kept.
    void fullAuditProgressAndCodes() {
        Audited audit(QStringLiteral(
            "INSERT INTO Dnames VALUES (1, 0, 'A', 'Menu', '1', 'st'), (2, 1, 'A', 'Menu', '2', "
            "'st'), (3, 2, 'A', 'Menu', '3', 'st'), (4, NULL, 'A', 'Menu', '4', 'st'), (30000, 1, "
            "'A', 'Menu', '5', 'st');"));
        const QString root = audit.folder.file(QStringLiteral("root"));
        for (const char* image : {"/A/Menu1.st", "/A/Menu3.st", "/A/Menu4.st"})
            writeFileBytes(root + QLatin1String(image));
        QCOMPARE(auditAllDisks(audit.catalogue, root, audit.observer()), 4LL);
        // Five disks counted, four below 25000 visited: the bar ends a step short.
        QCOMPARE(audit.percentages, (QList<int>{0, 20, 40, 60}));
        QCOMPARE(audit.left, (QList<qlonglong>{4, 3, 2, 1}));
        QCOMPARE(audit.codes(), (QStringList{"1", "0", "2", "Null", "1"})); // 30000 never visited
    }

    // The full audit's step is a fraction; the group audit's a whole number counted in disks.
    void progress_data() {
        QTest::addColumn<bool>("wholeCatalogue");
        QTest::addColumn<int>("disks");
        QTest::addColumn<QList<int>>("percentages");
        QTest::addColumn<QList<float>>("bars");
        // The bar moves by each disk's step once that disk is done and ends at its maximum; with
        // two games a disk, disks are what is counted.
        QTest::newRow("full, three disks")
            << true << 3 << QList<int>{0, 33, 67} << QList<float>{3333.333f, 6666.667f, 10000.0f};
        // 10000 / 7 rounds to 1429; the seventh step would pass the maximum.
        QTest::newRow("group, seven disks")
            << false << 7 << QList<int>{0, 14, 29, 43, 57, 71, 86}
            << QList<float>{1429.0f, 2858.0f, 4287.0f, 5716.0f, 7145.0f, 8574.0f, 8574.0f};
    }
    void progress() {
        QFETCH(bool, wholeCatalogue);
        QFETCH(int, disks);
        QFETCH(QList<int>, percentages);
        QFETCH(QList<float>, bars);
        Audited audit(catalogueOf(disks));
        const QString root = audit.folder.path();
        QCOMPARE(wholeCatalogue
                     ? auditAllDisks(audit.catalogue, root, audit.observer())
                     : auditGroup(audit.catalogue, QStringLiteral("Crew"), root, audit.observer()),
                 qlonglong(disks));
        QCOMPARE(audit.percentages, percentages);
        QCOMPARE(audit.bars.size(), bars.size());
        for (qsizetype i = 0; i < bars.size(); ++i)
            QCOMPARE(audit.bars[i], bars[i]);
    }

    // The image is looked for where its four fields, as stored, lead, whatever they hold.
    void imagePlaces_data() {
        QTest::addColumn<QString>("fields"); // folder, file name, file number, extension
        QTest::addColumn<QString>("image");  // made below the root; "x/" a folder
        QTest::addColumn<QString>("code");
        const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
            {"subfolder in the file name, other case", "'A', 'Sub/Menu', '1', 'st'",
             "A/SUB/menu1.ST", "1"},
            {"subfolder in the file name, elsewhere", "'A', 'Sub/Menu', '1', 'st'", "A/Menu1.st",
             "0"},
            {"separator ending the folder", "'A/', 'Menu', '1', 'st'", "A/Menu1.st", "1"},
            {"Null pieces", "NULL, 'Menu', NULL, 'st'", "Menu.st", "1"},
            {"spaces kept", "'A', 'Menu ', '1', 'st'", "A/Menu1.st", "0"},
            {"folder named like the image", "'A', 'Menu', '1', 'st'", "A/Menu1.st/", "0"},
        };
        for (const auto& [name, fields, image, code] : cases)
            QTest::newRow(name) << QString::fromUtf8(fields) << QString::fromUtf8(image)
                                << QString::fromUtf8(code);
    }
    void imagePlaces() {
        QFETCH(QString, fields);
        QFETCH(QString, image);
        QFETCH(QString, code);
        // The disk starts with the other code, so each answer is written.
        Audited audit(QStringLiteral("INSERT INTO Dnames VALUES (1, %1, %2);")
                          .arg(code == u'1' ? 0 : 1)
                          .arg(fields));
        const QString root = audit.folder.file(QStringLiteral("root"));
        if (image.endsWith(u'/'))
            QVERIFY(QDir().mkpath(root + u'/' + image));
        else
            writeFileBytes(root + u'/' + image);
        QCOMPARE(auditAllDisks(audit.catalogue, root, {}), 1LL);
        QCOMPARE(audit.codes(), QStringList{code});
    }

    // The codes are written while the disks are still being read, and committed every few
    // thousand: every changed code of a long walk ends up in the catalogue.
    void everyChangedCodeOfALongWalkIsWritten() {
        // Disks 1 to 9000 in ten folders, coded 1 for an even number; a disk whose number is
        // not a multiple of three has its image.
        Audited audit(QStringLiteral(
            "WITH RECURSIVE n(d) AS (SELECT 1 UNION ALL SELECT d + 1 FROM n WHERE d < 9000) "
            "INSERT INTO Dnames SELECT d, 1 - d % 2, 'F' || (d % 10), 'D', d, 'st' FROM n;"));
        const QString root = audit.folder.file(QStringLiteral("root"));
        QStringList expected;
        int changed = 0;
        for (int d = 1; d <= 9000; ++d) {
            const bool present = d % 3 != 0;
            if (present)
                writeFileBytes(root + QStringLiteral("/F%1/D%2.st").arg(d % 10).arg(d));
            expected << QString::number(int(present));
            changed += int(present) != 1 - d % 2;
        }
        QVERIFY(changed > 2 * 2000);
        QCOMPARE(auditAllDisks(audit.catalogue, root, {}), 9000LL);
        QCOMPARE(audit.codes(), expected);
    }

    void groupAuditMatchesAnywhereInTheTitle() {
        Audited audit(
            catalogueOf(2, QStringLiteral("Deep Thought''s")) +
            QStringLiteral("INSERT INTO Dnames VALUES (9, 1, 'G', 'D', '9', 'st'), (10, "
                           "1, 'G', 'D', '10', 'st');"
                           "INSERT INTO Compilations VALUES (50, 'Elite & Deep "
                           "Thought''s 1', 'Joint', 0, 9), (51, 'Other 1', 'x', 0, 10);"));
        QCOMPARE(
            auditGroup(audit.catalogue, QStringLiteral("Deep Thought's"), audit.folder.path(), {}),
            3LL);
        QCOMPARE(audit.codes(), (QStringList{"0", "0", "0", "1"}));
    }

    // A catalogue that cannot be written is refused before the first disk is looked at, with
    // the file and the engine's reason; no code changes.
    void aCatalogueThatCannotBeWrittenIsRefusedBeforeTheWalk() {
        for (const bool wholeCatalogue : {true, false}) {
            Audited audit(catalogueOf(3));
            refuseWrites(audit.catalogue);
            const QString root = audit.folder.path();
            writeFileBytes(root + QStringLiteral("/G/D1.st"));
            const QString message = errorOf([&] {
                wholeCatalogue
                    ? auditAllDisks(audit.catalogue, root, audit.observer())
                    : auditGroup(audit.catalogue, QStringLiteral("Crew"), root, audit.observer());
            });
            QVERIFY2(containsAll(message, {audit.catalogue.path(), QStringLiteral("readonly")}),
                     qPrintable(message));
            QCOMPARE(audit.left, QList<qlonglong>{});
            QCOMPARE(audit.codes(), (QStringList{"0", "0", "0"}));
        }
    }

    // The walk stops at the first code that cannot be written: the batches committed before
    // stay, the open one and every later disk keep their old codes, and the failure says how
    // many codes were kept.
    void aFailedWriteStopsTheWalkAndKeepsTheCommittedBatches() {
        Audited audit(QStringLiteral(
            "WITH RECURSIVE n(d) AS (SELECT 1 UNION ALL SELECT d + 1 FROM n WHERE d < 3000) "
            "INSERT INTO Dnames SELECT d, 1, 'F', 'D', d, 'st' FROM n;"
            "CREATE TRIGGER full BEFORE UPDATE ON Dnames WHEN NEW.F_ID = 2500 "
            "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END;"));
        const QString message =
            errorOf([&] { auditAllDisks(audit.catalogue, audit.folder.path(), audit.observer()); });
        QVERIFY2(containsAll(message, {audit.catalogue.path(), QStringLiteral("disk is full")}),
                 qPrintable(message));
        QCOMPARE(audit.left.size(), 2499);
        // Every image is missing: the codes read 0 up to where the last commit ended, then 1.
        // Batches end by count or by time, so where depends on the machine's speed (a build
        // under the sanitizers commits sooner); at least one ends before disk 2500.
        const QStringList codes = audit.codes();
        const qsizetype kept = codes.indexOf(QStringLiteral("1"));
        QVERIFY(kept > 0);
        QVERIFY(kept < 2500);
        QCOMPARE(codes.mid(kept), QStringList(3000 - kept, QStringLiteral("1")));
        QVERIFY2(message.contains(QStringLiteral(" %1 changed codes").arg(kept)),
                 qPrintable(message));
    }

    // A commit that another program's lock refuses stops the walk too; nothing of the batch
    // reaches the file, and the connection is left out of any transaction.
    void aFailedCommitStopsTheWalk() {
        Audited audit(QStringLiteral("INSERT INTO Dnames VALUES (1, 1, 'G', 'D', '1', 'st'),"
                                     " (2, 1, 'G', 'D', '2', 'st');"));
        QStringList codes;
        {
            const HeldReader reader(audit.catalogue);
            QVERIFY(reader.reading());
            const QString message = errorOf(
                [&] { auditAllDisks(audit.catalogue, audit.folder.path(), audit.observer()); });
            QVERIFY2(
                containsAll(message, {audit.catalogue.path(), QStringLiteral(" 0 changed codes")}),
                qPrintable(message));
            QCOMPARE(sqlite3_get_autocommit(audit.catalogue.handle()), 1);
        }
        QCOMPARE(audit.codes(), (QStringList{"1", "1"}));
    }

    // The question before an audit: a root folder that is not set, missing, empty or without
    // any of the disks' folders (matched as the audit matches them) would make every disk
    // unavailable.
    void rootFolderProblems_data() {
        QTest::addColumn<QString>("root");     // "-": not set; under the test folder otherwise
        QTest::addColumn<QStringList>("made"); // under the root; "x/" a folder
        QTest::addColumn<QString>("problem");  // a part of the text; "" for none
        QTest::newRow("not set") << "-" << QStringList{} << "is not set";
        QTest::newRow("missing") << "root" << QStringList{} << "does not exist";
        QTest::newRow("empty") << "root" << QStringList{"."} << "is empty";
        QTest::newRow("hidden file only") << "root" << QStringList{".mounted"} << "holds none";
        QTest::newRow("other folders")
            << "root" << QStringList{"Other/", "Auto.st"} << "holds none";
        QTest::newRow("a file named as a folder") << "root" << QStringList{"Auto"} << "holds none";
        QTest::newRow("one folder, other case") << "root" << QStringList{"AUTO/"} << "";
        QTest::newRow("nested folder") << "root" << QStringList{"sub/DEEP/"} << "";
        QTest::newRow("root with separator") << "root/" << QStringList{"Auto/"} << "";
    }
    void rootFolderProblems() {
        QFETCH(QString, root);
        QFETCH(QStringList, made);
        QFETCH(QString, problem);
        Audited audit(QStringLiteral("INSERT INTO Dnames VALUES (1, 0, 'Auto', 'A', '1', 'st'),"
                                     " (2, 0, 'Sub/Deep', 'B', '1', 'st'),"
                                     " (3, 0, 'Auto', 'A', '2', 'st');"));
        const QString rootPath = root == u'-' ? QString() : audit.folder.file(root);
        for (const QString& entry : made) {
            if (entry == u'.' || entry.endsWith(u'/'))
                QVERIFY(QDir().mkpath(rootPath + u'/' + entry));
            else
                QVERIFY(writeFileBytes(rootPath + u'/' + entry));
        }
        const QString text = rootFolderProblemText(audit.catalogue, rootPath);
        if (problem.isEmpty()) {
            QCOMPARE(text, QString());
        } else {
            QVERIFY2(text.contains(problem) && text.contains(rootPath) &&
                         text.contains(QStringLiteral("every disk")),
                     qPrintable(text));
        }
    }

    void nothingToAuditIsRefused() {
        Audited audit(QStringLiteral("SELECT 1;"));
        const QString root = audit.folder.path();
        QVERIFY_THROWS_EXCEPTION(Refusal, auditAllDisks(audit.catalogue, root, {}));
        QVERIFY_THROWS_EXCEPTION(Refusal,
                                 auditGroup(audit.catalogue, QStringLiteral("x"), root, {}));
    }
};

KESTREL_TEST(DiskAuditTest)
#include "DiskAuditTest.moc"
