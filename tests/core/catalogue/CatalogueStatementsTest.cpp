#include "CatalogueTestSupport.h"

#include "core/Failures.h"
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
        for (auto row = rows.cbegin(); row != rows.cend(); ++row) {
            QStringList fields;
            for (const QVariant& value : *row)
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

// The start of every search over the two tables.
const QString search =
    QStringLiteral("SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID = Dnames.F_ID");

} // namespace

// Every statement shape the program sends, run as written against the fixture.
class CatalogueStatementsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void queries_data();
    void queries();
    void diskCount();
    void updates_data();
    void updates();
};

void CatalogueStatementsTest::queries_data() {
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("rows");

    const QString n = QStringLiteral("Nummer");
    const QString selection = QStringLiteral("SELECT * FROM Compilations,Dnames WHERE "
                                             "Compilations.F_ID=Dnames.F_ID AND "
                                             "Compilations.Nummer = ");
    const QString browse =
        QStringLiteral("SELECT * FROM Compilations WHERE nummer < 100000 AND [Group] LIKE ");

    // Name search.
    QTest::newRow("worked name search")
        << search + " AND [Game] LIKE '%Rock''n''Roll%'"
                    " AND ( ' ' & [Game] & ' ' NOT LIKE '%demo%' OR ' ' & [Game] & ' ' LIKE"
                    " '% demo %' )  AND ' ' & [Game] & ' ' LIKE '% ninja warrior %'"
                    " AND [Game] LIKE '%dragon%' AND ' ' & [Game] & ' ' NOT LIKE '% dragon %'"
                    " AND [Group] LIKE 'Automation%' AND Dnames.got <> 1 ORDER by Game DESC"
        << n << "11 | 7";
    QTest::newRow("precise, ignoring case")
        << search + " AND [Game] LIKE 'xenon' ORDER by Game" << n << "22 | 21";
    QTest::newRow("starts with, group, disk, availability")
        << search + " AND [Game] LIKE 'dragon%' AND [Group] LIKE 'Automation%'"
                    " AND [Group] LIKE '%12%' AND Dnames.got <> 0 ORDER by Game"
        << n << "1 | 2";
    QTest::newRow("ends with, descending")
        << search + " AND [Game] LIKE '%warrior' ORDER by Game DESC" << n << "11 | 4 | 8 | 5";
    QTest::newRow("complete term")
        << search + " AND ' ' & [Game] & ' ' LIKE '% ninja %' ORDER by Group" << n
        << "1 4 | 5 7 8 | 11 12";
    QTest::newRow("incomplete term")
        << search + " AND [Game] LIKE '%ninja%' AND ' ' & [Game] & ' ' NOT LIKE '% ninja %'" << n
        << "15";
    QTest::newRow("excluded incomplete term")
        << search + " AND ( ' ' & [Game] & ' ' NOT LIKE '%demo%' OR ' ' & [Game] & ' ' LIKE"
                    " '% demo %' )  AND [Group] LIKE 'Automatix%' ORDER by Game"
        << n << "13 | 27 | 15";
    // A missing title is padded to "  ", so it is not a whole-word match...
    QTest::newRow("excluded complete term keeps a missing title")
        << search +
               " AND ' ' & [Game] & ' ' NOT LIKE '% ninja %' AND [Group] LIKE 'Automation 130%'"
        << n << "9 10";
    // ...but a plain LIKE on it is Null either way.
    QTest::newRow("excluded all-occurrence term drops a missing title")
        << search + " AND [Game] NOT LIKE '%ninja%' AND [Group] LIKE 'Automation 130%'" << n
        << "10";
    QTest::newRow("empty precise text") << search + " AND [Game] LIKE ''" << n << "19";
    QTest::newRow("only spaces: every title but a missing one")
        << search + " AND [Game] LIKE '%%' AND [Group] LIKE 'Automation 130%'" << n << "10 11 12";

    // Alphanumeric search.
    QTest::newRow("digits, by group")
        << search + " AND ([game] LIKE '0%' OR [game] LIKE '1%' OR [game] LIKE '2%'"
                    " OR [game] LIKE '3%' OR [game] LIKE '4%' OR [game] LIKE '5%'"
                    " OR [game] LIKE '6%' OR [game] LIKE '7%' OR [game] LIKE '8%'"
                    " OR [game] LIKE '9%') ORDER by Group"
        << n << "25 | 17 18 | 24 | 23";
    QTest::newRow("letter k, by game")
        << search + " AND [group] LIKE 'Automation%' AND [game] LIKE 'k%' AND Dnames.got <> 2"
                    " ORDER by Game"
        << n << "6 | 3";

    // Group browse and compressor.
    QTest::newRow("group browse, nested prefix")
        << browse + "'Automation 12%' ORDER by Group" << n << "1 2 3 4 | 5 6 7 8";
    QTest::newRow("group browse, titles differing in case")
        << browse + "'Pompey%' ORDER by Group" << n << "22 24 | 21 23";
    QTest::newRow("compressor, not available")
        << search + " AND [Group] LIKE 'Automation%' AND Dnames.got <> 1 ORDER by Group" << n
        << "5 6 7 8 | 9 10 11 12";
    QTest::newRow("compressor, Null got is left out")
        << search + " AND [Group] LIKE 'Medway%' AND Dnames.got <> 0 ORDER by Group" << n << "";

    // Selection.
    QTest::newRow("selection") << selection + "20" << n << "20";
    QTest::newRow("selection above the browse bound") << selection + "100001" << n << "100001";
    QTest::newRow("selection without a Dnames row") << selection + "26" << n << "";

    // Audits.
    QTest::newRow("full audit walk")
        << QStringLiteral("SELECT * FROM Dnames WHERE F_ID < 25000") << QStringLiteral("F_ID")
        << QStringLiteral("1 2 3 4 6 7 8 1234");
    QTest::newRow("group audit, substring")
        << search + " AND compilations.[group] LIKE '%Automation 12%' ORDER by group" << n
        << "1 2 3 4 100001 | 5 6 7 8";
    QTest::newRow("group audit, apostrophe")
        << search + " AND compilations.[group] LIKE '%Thought''s%' ORDER by group" << n
        << "16 17 18";

    // Favourites.
    QTest::newRow("favourites") << search + " AND favourite = -1" << n << "2 16";
    QTest::newRow("favourites not available")
        << search + " AND favourite = -1 AND Dnames.got <> 1" << n << "16";

    // Edit disk set: file numbers compare as text, greatest first.
    QTest::newRow("disk set files")
        << QStringLiteral("SELECT [folder], [filename], [filenumber],[fileexten] FROM "
                          "Compilations, Dnames WHERE  Compilations.F_ID = Dnames.F_ID AND "
                          "([group] LIKE 'Automat%')ORDER by [filenumber] DESC")
        << QStringLiteral("filenumber")
        << QStringLiteral("3 3 3 3 | 130 130 130 130 | 120 120 120 120 | 12 12 12 12 12");
}

void CatalogueStatementsTest::queries() {
    QFETCH(QString, statement);
    QFETCH(QString, field);
    QFETCH(QString, rows);

    OpenCatalogue open;
    QVERIFY_THROWS_NO_EXCEPTION(open.catalogue.query(statement));
    const ResultSet& results = open.catalogue.results();
    QVERIFY2(results.columnIndex(field) >= 0, qPrintable(results.columns().join(u',')));
    QCOMPARE(inRuns(fieldValues(results, field), rows), normalisedRuns(rows));
}

// The full audit's count covers the disks it does not visit.
void CatalogueStatementsTest::diskCount() {
    OpenCatalogue open;
    const ResultSet& results = open.catalogue.query(u"SELECT COUNT(F_ID) FROM Dnames");
    QCOMPARE(results.rowCount(), 1);
    QCOMPARE(results.row(0).at(0).toLongLong(), 9);
}

void CatalogueStatementsTest::updates_data() {
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QList<qlonglong>>("changed");
    QTest::addColumn<int>("count");

    const QString c = QStringLiteral("Compilations");
    const QString d = QStringLiteral("Dnames");
    const QString one = QStringLiteral(" Compilations.F_ID = Dnames.F_ID AND ([nummer] LIKE '");
    const QVariant null;

    QTest::newRow("full audit") << "UPDATE Dnames SET got = 1 WHERE (F_ID = 1234)" << d << "got"
                                << QVariant(1LL) << QList<qlonglong>{1234} << 1;
    QTest::newRow("single-game audit, entry 5 not 15")
        << "UPDATE Compilations,Dnames SET got= 1 WHERE Compilations.F_ID=Dnames.F_ID AND Nummer "
           "LIKE '5'"
        << d << "got" << QVariant(1LL) << QList<qlonglong>{2} << 1;
    QTest::newRow("single-game audit, no Dnames row")
        << "UPDATE Compilations,Dnames SET got= 1 WHERE Compilations.F_ID=Dnames.F_ID AND Nummer "
           "LIKE '26'"
        << d << "got" << QVariant(1LL) << QList<qlonglong>{} << 0;

    QTest::newRow("favourite set")
        << "UPDATE compilations SET favourite = -1 WHERE Nummer LIKE '5'" << c << "favourite"
        << QVariant(-1LL) << QList<qlonglong>{5} << 1;
    QTest::newRow("favourite cleared")
        << "UPDATE compilations SET favourite = 0 WHERE Nummer LIKE '16'" << c << "favourite"
        << QVariant(0LL) << QList<qlonglong>{16} << 1;
    QTest::newRow("favourites all cleared")
        << "UPDATE Compilations SET favourite= 0" << c << "favourite" << QVariant(0LL)
        << QList<qlonglong>{2, 16} << 28;

    // Edit disk set: every disk of the group except undumped (and Null) ones.
    QTest::newRow("disk set folder")
        << "UPDATE Compilations,Dnames SET folder= 'Auto Disks' WHERE "
           "Compilations.F_ID=Dnames.F_ID AND ([group] LIKE 'Automation%') AND ([got]<> 2)"
        << d << "folder" << QVariant(QStringLiteral("Auto Disks")) << QList<qlonglong>{1, 2} << 2;
    QTest::newRow("disk set filename")
        << "UPDATE Compilations,Dnames SET filename= 'AUTOMATION' WHERE "
           "Compilations.F_ID=Dnames.F_ID AND ([group] LIKE 'Automation 12%')AND ([got]<> 2)"
        << d << "filename" << QVariant(QStringLiteral("AUTOMATION")) << QList<qlonglong>{1, 2} << 2;
    QTest::newRow("disk set fileexten, group in either case")
        << "UPDATE Compilations,Dnames SET fileexten= 'st' WHERE Compilations.F_ID=Dnames.F_ID "
           "AND ([group] LIKE 'pompey%')AND ([got]<> 2)"
        << d << "fileexten" << QVariant(QStringLiteral("st")) << QList<qlonglong>{7, 8} << 2;
    QTest::newRow("disk set, apostrophe")
        << "UPDATE Compilations,Dnames SET fileexten= 'st' WHERE Compilations.F_ID=Dnames.F_ID "
           "AND ([group] LIKE 'Deep Thought''s%')AND ([got]<> 2)"
        << d << "fileexten" << QVariant(QStringLiteral("st")) << QList<qlonglong>{1234} << 1;
    QTest::newRow("disk set skips Null got")
        << "UPDATE Compilations,Dnames SET folder= 'x' WHERE Compilations.F_ID=Dnames.F_ID AND "
           "([group] LIKE 'Medway%') AND ([got]<> 2)"
        << d << "folder" << QVariant(QStringLiteral("x")) << QList<qlonglong>{} << 0;

    // Edit single disk.
    QTest::newRow("single disk filename")
        << "UPDATE Compilations,Dnames SET filename= 'NINJA' WHERE " + one + "5')" << d
        << "filename" << QVariant(QStringLiteral("NINJA")) << QList<qlonglong>{2} << 1;
    QTest::newRow("single disk fileexten")
        << "UPDATE Compilations,Dnames SET fileexten= 'msa' WHERE " + one + "15')" << d
        << "fileexten" << QVariant(QStringLiteral("msa")) << QList<qlonglong>{4} << 1;
    QTest::newRow("single disk filenumber")
        << "UPDATE Compilations,Dnames SET filenumber= '09' WHERE" + one + "20')" << d
        << "filenumber" << QVariant(QStringLiteral("09")) << QList<qlonglong>{6} << 1;
    QTest::newRow("single disk filenumber Null")
        << "UPDATE Compilations,Dnames SET filenumber= Null WHERE" + one + "5')" << d
        << "filenumber" << null << QList<qlonglong>{2} << 1;
}

// The statement changes `field` to `value` in exactly the `changed` rows of `table`, and
// nothing else in either table.
void CatalogueStatementsTest::updates() {
    QFETCH(QString, statement);
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(QList<qlonglong>, changed);
    QFETCH(int, count);

    OpenCatalogue open;
    Table compilations = read(open.catalogue, QStringLiteral("Compilations"));
    Table dnames = read(open.catalogue, QStringLiteral("Dnames"));
    Table& target = table == QLatin1String("Dnames") ? dnames : compilations;
    const qsizetype index = target.columns.indexOf(field);
    QVERIFY(index >= 0);
    for (qlonglong key : changed) {
        QVERIFY(target.rows.contains(key));
        QVariant& stored = target.rows[key][size_t(index)];
        QVERIFY2(stored != value, "the fixture row already holds the new value");
        stored = value;
    }

    int changedRows = -1;
    QVERIFY_THROWS_NO_EXCEPTION(changedRows = open.catalogue.execute(statement));
    QCOMPARE(changedRows, count);
    QCOMPARE(read(open.catalogue, QStringLiteral("Compilations")).lines(), compilations.lines());
    QCOMPARE(read(open.catalogue, QStringLiteral("Dnames")).lines(), dnames.lines());
}

KESTREL_TEST(CatalogueStatementsTest)
#include "CatalogueStatementsTest.moc"
