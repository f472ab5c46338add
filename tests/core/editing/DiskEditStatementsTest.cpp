#include "common/FixtureCatalogue.h"
#include "common/TestRegistry.h"

#include "core/editing/DiskEditStatements.h"
#include "core/images/ImagePath.h"

#include <QTest>

#include <optional>

namespace {

// The update of one field of the disks of the group "Deep Thought's".
QString setUpdate(const char* assignment, const char* beforeAnd) {
    return QStringLiteral("UPDATE Compilations,Dnames SET %1 WHERE Compilations.F_ID=Dnames.F_ID "
                          "AND ([group] LIKE 'Deep Thought''s%')%2AND ([got]<> 2)")
        .arg(QString::fromUtf8(assignment), QLatin1String(beforeAnd));
}

// The update of one field of entry 7's disk.
QString entryUpdate(const char* assignment, const char* where) {
    return QStringLiteral("UPDATE Compilations,Dnames SET %1 WHERE%2 Compilations.F_ID = "
                          "Dnames.F_ID AND ([nummer] LIKE '7')")
        .arg(QString::fromUtf8(assignment), QLatin1String(where));
}

} // namespace

// The statements of the two edit dialogs, character for character; the catalogue tests run
// them against the fixture.
class DiskEditStatementsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void diskSet() {
        QCOMPARE(diskSetLookupStatement(QStringLiteral("Deep Thought's")),
                 QStringLiteral("SELECT [folder], [filename], [filenumber],[fileexten] FROM "
                                "Compilations, Dnames WHERE  Compilations.F_ID = Dnames.F_ID AND "
                                "([group] LIKE 'Deep Thought''s%')ORDER by [filenumber] DESC"));
        // The number box is not part of this dialog; whatever it holds goes nowhere.
        QCOMPARE(
            diskSetUpdateStatements(QStringLiteral("Deep Thought's"),
                                    DiskFiles{"Deep's", "D'T", "99", "m'sa"}),
            (QStringList{setUpdate("folder= 'Deep''s'", " "), setUpdate("filename= 'D''T'", ""),
                         setUpdate("fileexten= 'm''sa'", "")}));
        // An empty stem sends nothing. Without a group the pattern would reach every disk, so
        // a stem is refused.
        QCOMPARE(diskSetUpdateStatements(std::nullopt, DiskFiles{"Adren", "", "", "st"}),
                 QStringList{});
        QCOMPARE(refusalOf([] {
                     diskSetUpdateStatements(std::nullopt, DiskFiles{"Adren", "ADR", "", "st"});
                 }).text,
                 QStringLiteral("No Group has been selected!"));
    }

    // The folder is not edited here; an empty number is written as Null.
    void singleDisk() {
        QCOMPARE(entryRecordStatement(QStringLiteral("1234")),
                 QStringLiteral("SELECT * FROM Compilations,Dnames WHERE "
                                "Compilations.F_ID=Dnames.F_ID AND Compilations.Nummer = 1234"));
        const QString seven = QStringLiteral("7");
        QCOMPARE(singleDiskUpdateStatements(seven, DiskFiles{"Folder", "Rock'n", "0'1", "s't"}),
                 (QStringList{entryUpdate("filename= 'Rock''n'", " "),
                              entryUpdate("fileexten= 's''t'", " "),
                              entryUpdate("filenumber= '0''1'", "")}));
        QCOMPARE(singleDiskUpdateStatements(seven, DiskFiles{"Folder", "MB", "", "st"}).last(),
                 entryUpdate("filenumber= Null", ""));
    }
};

KESTREL_TEST(DiskEditStatementsTest)
#include "DiskEditStatementsTest.moc"
