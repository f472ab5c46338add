#include "common/TestRegistry.h"

#include "common/FixtureCatalogue.h"

#include "common/MemoryRows.h"

#include "core/catalogue/ResultSet.h"
#include "core/search/GroupBrowse.h"
#include "core/search/Listing.h"

#include <QTest>

// The disk box of a chosen group, and the compression to one line per disk; the browser
// tests run the compression against a catalogue.
class GroupBrowseTest : public QObject {
    Q_OBJECT
    OpenCatalogue m_db;

private Q_SLOTS:
    void diskBox_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("nested prefixes")
            << QStringLiteral("Automation")
            << QStringList{"All", "Automation 12", "Automation 120", "Automation 130"};
        QTest::newRow("differing only in case")
            << QStringLiteral("Pompey Pirates")
            << QStringList{"All", "POMPEY PIRATES 20", "Pompey Pirates 20"};
        // The disk box reads the games' table alone.
        QTest::newRow("no disk-image row")
            << QStringLiteral("Lost Boys") << QStringList{"All", "Lost Boys 1"};
    }
    void diskBox() {
        QFETCH(QString, group);
        QFETCH(QStringList, entries);
        ResultSet& rows = m_db.catalogue.query(groupBrowseStatement(group));
        QCOMPARE(diskBoxEntries(rows), entries);
        // Entries numbered 100000 and above stay out.
        QVERIFY(!fieldValues(rows).contains(QStringLiteral("100001")));
    }

    // The compression takes the group and the availability filters, and nothing else.
    void statements() {
        QCOMPARE(groupBrowseStatement(QStringLiteral("Deep Thought's")),
                 QStringLiteral("SELECT * FROM Compilations WHERE nummer < 100000 AND [Group] LIKE "
                                "'Deep Thought''s%' ORDER by Group"));
        SearchCriteria c;
        c.groupText = QStringLiteral("Deep Thought's");
        c.diskText = QStringLiteral("Deep Thought's 4");
        c.searchText = QStringLiteral("dragon");
        c.letterText = QStringLiteral("a");
        c.descending = true;
        c.availability = {true, false, true};
        QCOMPARE(compressorStatement(c),
                 kJoin + QStringLiteral(" AND [Group] LIKE 'Deep Thought''s%' AND Dnames.got <> 1 "
                                        "AND Dnames.got <> 2 ORDER by Group"));
    }

    // A row without a title adds no disk and forms no line, not even first, and does not end
    // the run around it.
    void rowsWithoutATitle() {
        // Rows with only the fields the disk box and the compression read.
        const QStringList columns{"Nummer", "Group", "Game", "got"};
        QList<QVariantList> listed;
        for (const QVariant& group : {QVariant(), QVariant("A"), QVariant("A"), QVariant("a"),
                                      QVariant(), QVariant("a"), QVariant("B"), QVariant("B")})
            listed << QVariantList{int(listed.size()) + 1, group, QStringLiteral("game"), 1};
        std::vector<ResultSet::Row> rows;
        for (const QVariantList& row : listed)
            rows.emplace_back(row.begin(), row.end());
        ResultSet boxRows(columns, std::move(rows));
        QCOMPARE(diskBoxEntries(boxRows), (QStringList{"All", "A", "a", "B"}));
        MemoryRows memory;
        RowStream stream = memory.stream(columns, listed);
        QStringList kept;
        listRows(
            stream, {"Group", "Game", "Nummer"},
            [&](const ListedRowView& line) { kept << QString::fromUtf8(line.columns[2]); },
            FirstOfEachDisk());
        QCOMPARE(kept, (QStringList{"2", "4", "7"}));
    }
};

KESTREL_TEST(GroupBrowseTest)
#include "GroupBrowseTest.moc"
