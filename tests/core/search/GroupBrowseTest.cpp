#include "common/TestRegistry.h"

#include "common/FixtureCatalogue.h"

#include "common/MemoryRows.h"

#include "core/catalogue/ResultSet.h"
#include "core/search/GroupBrowse.h"
#include "core/search/Listing.h"

#include <QTest>

namespace {

// Rows with only the fields the disk box and the compression read.
ResultSet titles(const QList<QVariant>& groups) {
    std::vector<ResultSet::Row> rows;
    int number = 0;
    for (const QVariant& group : groups)
        rows.push_back({++number, group, QStringLiteral("game"), 1});
    return ResultSet({"Nummer", "Group", "Game", "got"}, std::move(rows));
}

} // namespace

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
        ResultSet rows =
            titles({QVariant(), QStringLiteral("A"), QStringLiteral("A"), QStringLiteral("a"),
                    QVariant(), QStringLiteral("a"), QStringLiteral("B"), QStringLiteral("B")});
        QCOMPARE(diskBoxEntries(rows), (QStringList{"All", "A", "a", "B"}));
        QList<QVariantList> listed;
        for (qsizetype i = 0; i < rows.rowCount(); ++i)
            listed << QVariantList(rows.row(i).begin(), rows.row(i).end());
        MemoryRows memory;
        RowStream stream = memory.stream(rows.columns(), listed);
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
