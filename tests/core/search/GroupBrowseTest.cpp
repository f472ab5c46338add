#include "common/TestRegistry.h"

#include "SearchCatalogue.h"

#include "core/catalogue/ResultSet.h"
#include "core/search/GroupBrowse.h"
#include "core/search/Listing.h"

#include <QTest>

#include <memory>

namespace {

// Rows with only the fields the disk box and the compression read.
ResultSet titles(const QList<QVariant>& groups) {
    std::vector<ResultSet::Row> rows;
    int number = 0;
    for (const QVariant& group : groups)
        rows.push_back({++number, group, QStringLiteral("game"), 1});
    return ResultSet({QStringLiteral("Nummer"), QStringLiteral("Group"), QStringLiteral("Game"),
                      QStringLiteral("got")},
                     std::move(rows));
}

const QStringList kCaptions{QStringLiteral("Group"), QStringLiteral("Game"),
                            QStringLiteral("Nummer")};

} // namespace

class GroupBrowseTest : public QObject {
    Q_OBJECT
    std::unique_ptr<SearchCatalogue> m_db;

private Q_SLOTS:
    void initTestCase() { m_db = std::make_unique<SearchCatalogue>(); }

    void groupStatement() {
        QCOMPARE(groupBrowseStatement(QStringLiteral("Automation")),
                 QStringLiteral("SELECT * FROM Compilations WHERE nummer < 100000 AND [Group] "
                                "LIKE 'Automation%' ORDER by Group"));
        QCOMPARE(groupBrowseStatement(QStringLiteral("Deep Thought's")),
                 QStringLiteral("SELECT * FROM Compilations WHERE nummer < 100000 AND [Group] "
                                "LIKE 'Deep Thought''s%' ORDER by Group"));
    }

    void diskBox_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("nested prefixes")
            << QStringLiteral("Automation")
            << QStringList{"All", "Automation 12", "Automation 120", "Automation 130"};
        QTest::newRow("differing only in case")
            << QStringLiteral("Pompey Pirates")
            << QStringList{"All", "POMPEY PIRATES 20", "Pompey Pirates 20"};
        QTest::newRow("quote") << QStringLiteral("Deep Thought's")
                               << QStringList{"All", "Deep Thought's 4"};
        // The disk box reads the games' table alone.
        QTest::newRow("no disk-image row")
            << QStringLiteral("Lost Boys") << QStringList{"All", "Lost Boys 1"};
        QTest::newRow("unknown group") << QStringLiteral("Nobody") << QStringList{"All"};
    }
    void diskBox() {
        QFETCH(QString, group);
        QFETCH(QStringList, entries);
        QCOMPARE(diskBoxEntries(m_db->catalogue.query(groupBrowseStatement(group))), entries);
    }

    void diskBoxLeavesOutHighNumbers() {
        SearchCatalogue db(
            QStringLiteral("INSERT INTO Compilations VALUES (99999, 'Bonus 1', 'a', 0, 1),"
                           " (100000, 'Bonus 2', 'b', 0, 1), (100001, 'Bonus 3', 'c', 0, 1);"));
        QCOMPARE(diskBoxEntries(db.catalogue.query(groupBrowseStatement(QStringLiteral("Bonus")))),
                 (QStringList{"All", "Bonus 1"}));
        QVERIFY(
            !m_db->numbers(groupBrowseStatement(QStringLiteral("Automation"))).contains(100001));
    }

    void diskBoxSkipsRowsWithoutATitle() {
        ResultSet rows = titles({QStringLiteral("A"), QVariant(), QStringLiteral("A"),
                                 QStringLiteral("a"), QVariant(), QStringLiteral("B")});
        QCOMPARE(diskBoxEntries(rows), (QStringList{"All", "A", "a", "B"}));
        ResultSet none = titles({QVariant()});
        QCOMPARE(diskBoxEntries(none), QStringList{"All"});
    }

    void compressorStatementLeavesOtherControlsOut() {
        SearchCriteria c;
        c.groupText = QStringLiteral("Deep Thought's");
        c.diskText = QStringLiteral("Deep Thought's 4");
        c.searchText = QStringLiteral("dragon");
        c.letterText = QStringLiteral("a");
        c.sortCaption = QStringLiteral("Game");
        c.descending = true;
        c.availability = {true, false, true};
        QCOMPARE(compressorStatement(c),
                 QStringLiteral("SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID = "
                                "Dnames.F_ID AND [Group] LIKE 'Deep Thought''s%' AND Dnames.got "
                                "<> 1 AND Dnames.got <> 2 ORDER by Group"));
    }

    void compression_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<bool>("excludeAvailable");
        QTest::addColumn<QStringList>("disks");
        const QString automation = QStringLiteral("Automation");
        QTest::newRow("one line per disk")
            << automation << false
            << QStringList{"Automation 12", "Automation 120", "Automation 130"};
        // Disk 12 is available: its rows go before the compression, so it has no line.
        QTest::newRow("availability first")
            << automation << true << QStringList{"Automation 120", "Automation 130"};
        QTest::newRow("differing only in case")
            << QStringLiteral("Pompey Pirates") << false
            << QStringList{"POMPEY PIRATES 20", "Pompey Pirates 20"};
        QTest::newRow("nothing found") << QStringLiteral("Nobody") << false << QStringList{};
    }
    void compression() {
        QFETCH(QString, group);
        QFETCH(bool, excludeAvailable);
        QFETCH(QStringList, disks);
        SearchCriteria c;
        c.groupText = group;
        c.availability.excludeAvailable = excludeAvailable;
        ResultSet& rows = m_db->catalogue.query(compressorStatement(c));
        QStringList lines;
        for (const ListedRow& line : listedRows(rows, kCaptions, FirstOfEachDisk()))
            lines << line.text;
        QCOMPARE(lines, disks);
    }

    void compressionKeepsTheFirstRowOfEachRun() {
        ResultSet rows =
            titles({QVariant(), QStringLiteral("A"), QStringLiteral("A"), QStringLiteral("a"),
                    QVariant(), QStringLiteral("a"), QStringLiteral("B"), QStringLiteral("B")});
        QStringList kept;
        for (const ListedRow& line : listedRows(rows, kCaptions, FirstOfEachDisk()))
            kept << line.sub2;
        // A row without a title forms no line, not even first, and does not end the run
        // around it.
        QCOMPARE(kept, (QStringList{"2", "4", "7"}));
    }
};

KESTREL_TEST(GroupBrowseTest)
#include "GroupBrowseTest.moc"
