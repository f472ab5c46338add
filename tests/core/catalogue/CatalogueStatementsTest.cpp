#include "common/FixtureCatalogue.h"

#include "common/TestRegistry.h"

#include <QMap>
#include <QTest>

namespace {

// One table as stored, row by row, keyed by its first field (Nummer or F_ID).
struct Table {
    QStringList columns;
    QMap<qlonglong, ResultSet::Row> rows;

    QStringList lines() const {
        QStringList out;
        for (const ResultSet::Row& row : rows) {
            QStringList fields;
            for (const QVariant& value : row)
                fields << (value.isNull() ? QStringLiteral("Null") : value.toString());
            out << fields.join(QStringLiteral(", "));
        }
        return out;
    }
};

Table read(Catalogue& catalogue, const QString& table) {
    const ResultSet& results = catalogue.query(QStringLiteral("SELECT * FROM ") + table);
    Table out{results.columns(), {}};
    for (qsizetype r = 0; r < results.rowCount(); ++r)
        out.rows.insert(results.row(r).at(0).toLongLong(), results.row(r));
    return out;
}

} // namespace

// The statement shapes that no builder test runs, run as written against the fixture: the
// selection, the favourites, the disk-edit dialogs and the single-game audit. The searches,
// browses and audits are run by the tests of their builders.
class CatalogueStatementsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void queries_data() {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("rows");
        const QString n = QStringLiteral("Nummer");
        const QString selection = QStringLiteral("SELECT * FROM Compilations,Dnames WHERE "
                                                 "Compilations.F_ID=Dnames.F_ID AND "
                                                 "Compilations.Nummer = ");
        QTest::newRow("selection") << selection + "20" << n << "20";
        QTest::newRow("selection above the browse bound") << selection + "100001" << n << "100001";
        QTest::newRow("selection without a Dnames row") << selection + "26" << n << "";
        QTest::newRow("favourites") << kJoin + " AND favourite = -1" << n << "2 16";
        QTest::newRow("favourites not available")
            << kJoin + " AND favourite = -1 AND Dnames.got <> 1" << n << "16";
        // Edit disk set: file numbers compare as text, greatest first.
        QTest::newRow("disk set files")
            << QStringLiteral("SELECT [folder], [filename], [filenumber],[fileexten] FROM "
                              "Compilations, Dnames WHERE  Compilations.F_ID = Dnames.F_ID AND "
                              "([group] LIKE 'Automat%')ORDER by [filenumber] DESC")
            << QStringLiteral("filenumber")
            << QStringLiteral("3 3 3 3 | 130 130 130 130 | 120 120 120 120 | 12 12 12 12 12");
    }
    void queries() {
        QFETCH(QString, statement);
        QFETCH(QString, field);
        QFETCH(QString, rows);
        OpenCatalogue open;
        QCOMPARE(runsOf(open.catalogue, statement, rows, field), normalisedRuns(rows));
    }

    void updates_data() {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QList<qlonglong>>("changed");
        QTest::addColumn<int>("count");
        const QString two = QStringLiteral(
            "UPDATE Compilations,Dnames SET %1 WHERE Compilations.F_ID=Dnames.F_ID AND ");
        const QString set = two + "([group] LIKE '%2%')AND ([got]<> 2)";
        const QString one = QStringLiteral("UPDATE Compilations,Dnames SET %1 WHERE%2 "
                                           "Compilations.F_ID = Dnames.F_ID AND ([nummer] LIKE "
                                           "'%3')");
        const QVariant null;
        using Keys = QList<qlonglong>;

        QTest::newRow("single-game audit, entry 5 not 15")
            << two.arg("got= 1") + "Nummer LIKE '5'"
            << "got" << QVariant(1LL) << Keys{2} << 1;
        QTest::newRow("single-game audit, no Dnames row") << two.arg("got= 1") + "Nummer LIKE '26'"
                                                          << "got" << QVariant(1LL) << Keys{} << 0;
        QTest::newRow("favourite set")
            << "UPDATE compilations SET favourite = -1 WHERE Nummer LIKE '5'"
            << "favourite" << QVariant(-1LL) << Keys{5} << 1;
        QTest::newRow("favourite cleared")
            << "UPDATE compilations SET favourite = 0 WHERE Nummer LIKE '16'"
            << "favourite" << QVariant(0LL) << Keys{16} << 1;
        QTest::newRow("favourites all cleared")
            << "UPDATE Compilations SET favourite= 0"
            << "favourite" << QVariant(0LL) << Keys{2, 16} << 28;

        // Edit disk set: every disk of the group except undumped (and Null) ones.
        QTest::newRow("disk set folder, blank before AND")
            << two.arg("folder= 'Auto Disks'") + "([group] LIKE 'Automation%') AND ([got]<> 2)"
            << "folder" << QVariant("Auto Disks") << Keys{1, 2} << 2;
        QTest::newRow("disk set filename, nested prefix")
            << set.arg("filename= 'AUTOMATION'", "Automation 12") << "filename"
            << QVariant("AUTOMATION") << Keys{1, 2} << 2;
        QTest::newRow("disk set fileexten, group in either case")
            << set.arg("fileexten= 'st'", "pompey") << "fileexten" << QVariant("st") << Keys{7, 8}
            << 2;
        QTest::newRow("disk set, apostrophe") << set.arg("fileexten= 'st'", "Deep Thought''s")
                                              << "fileexten" << QVariant("st") << Keys{1234} << 1;
        QTest::newRow("disk set skips Null got")
            << set.arg("folder= 'x'", "Medway") << "folder" << QVariant("x") << Keys{} << 0;

        // Edit single disk.
        QTest::newRow("single disk filename") << one.arg("filename= 'NINJA'", " ", "5")
                                              << "filename" << QVariant("NINJA") << Keys{2} << 1;
        QTest::newRow("single disk filenumber") << one.arg("filenumber= '09'", "", "20")
                                                << "filenumber" << QVariant("09") << Keys{6} << 1;
        QTest::newRow("single disk filenumber Null")
            << one.arg("filenumber= Null", "", "5") << "filenumber" << null << Keys{2} << 1;
    }
    // The statement changes `field` to `value` in exactly the `changed` rows of its table,
    // and nothing else in either table.
    void updates() {
        QFETCH(QString, statement);
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        QFETCH(QList<qlonglong>, changed);
        QFETCH(int, count);
        OpenCatalogue open;
        Table compilations = read(open.catalogue, QStringLiteral("Compilations"));
        Table dnames = read(open.catalogue, QStringLiteral("Dnames"));
        Table& target = field == u"favourite" ? compilations : dnames;
        const qsizetype index = target.columns.indexOf(field);
        QVERIFY(index >= 0);
        for (qlonglong key : changed) {
            QVariant& stored = target.rows[key][size_t(index)];
            QVERIFY2(stored != value, "the fixture row already holds the new value");
            stored = value;
        }
        int changedRows = -1;
        QVERIFY_THROWS_NO_EXCEPTION(changedRows = open.catalogue.execute(statement));
        QCOMPARE(changedRows, count);
        QCOMPARE(read(open.catalogue, QStringLiteral("Compilations")).lines(),
                 compilations.lines());
        QCOMPARE(read(open.catalogue, QStringLiteral("Dnames")).lines(), dnames.lines());
    }
};

KESTREL_TEST(CatalogueStatementsTest)
#include "CatalogueStatementsTest.moc"
