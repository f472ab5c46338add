#include "common/TestRegistry.h"

#include "core/editing/DiskEditStatements.h"
#include "core/images/ImagePath.h"

#include <QTest>

#include <optional>

Q_DECLARE_METATYPE(DiskFiles)

namespace {

DiskFiles files(const char* folder, const char* filename, const char* filenumber,
                const char* fileexten) {
    return {QString::fromUtf8(folder), QString::fromUtf8(filename), QString::fromUtf8(filenumber),
            QString::fromUtf8(fileexten)};
}

// The update of one field of a disk set: `value` and `group` as they appear in the statement.
QString setUpdate(const char* field, const char* value, const char* group, const char* beforeAnd) {
    return QStringLiteral("UPDATE Compilations,Dnames SET %1= '%2' WHERE "
                          "Compilations.F_ID=Dnames.F_ID AND ([group] LIKE '%3%')%4AND ([got]<> 2)")
        .arg(QLatin1String(field), QString::fromUtf8(value), QString::fromUtf8(group),
             QLatin1String(beforeAnd));
}

// The update of one field of entry 7's disk.
QString entryUpdate(const char* assignment, const char* where) {
    return QStringLiteral("UPDATE Compilations,Dnames SET %1 WHERE%2 Compilations.F_ID = "
                          "Dnames.F_ID AND ([nummer] LIKE '7')")
        .arg(QString::fromUtf8(assignment), QLatin1String(where));
}

} // namespace

// The statements of the two edit dialogs, character for character.
class DiskEditStatementsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void diskSetLookup_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("plain apostrophe doubled") << "Deep Thought's"
                                                  << "Deep Thought''s";
        QTest::newRow("typographic apostrophe as it is")
            << QStringLiteral("Public Enemy’s") << QStringLiteral("Public Enemy’s");
    }
    void diskSetLookup() {
        QFETCH(QString, group);
        QFETCH(QString, pattern);
        QCOMPARE(diskSetLookupStatement(group),
                 "SELECT [folder], [filename], [filenumber],[fileexten] FROM Compilations, Dnames "
                 "WHERE  Compilations.F_ID = Dnames.F_ID AND ([group] LIKE '" +
                     pattern + "%')ORDER by [filenumber] DESC");
    }

    // The number box is not part of this dialog; whatever it holds goes nowhere.
    void diskSetUpdates_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<DiskFiles>("files");
        QTest::addColumn<QStringList>("statements");
        QTest::newRow("quotes doubled in group and values")
            << "Deep Thought's" << files("Deep's", "D'T", "99", "m'sa")
            << QStringList{setUpdate("folder", "Deep''s", "Deep Thought''s", " "),
                           setUpdate("filename", "D''T", "Deep Thought''s", ""),
                           setUpdate("fileexten", "m''sa", "Deep Thought''s", "")};
        QTest::newRow("empty folder and extension written as empty texts")
            << "Zuul" << files("", "ZU", "", "")
            << QStringList{setUpdate("folder", "", "Zuul", " "),
                           setUpdate("filename", "ZU", "Zuul", ""),
                           setUpdate("fileexten", "", "Zuul", "")};
        QTest::newRow("empty stem sends nothing")
            << "Adrenalin" << files("Adren", "", "", "st") << QStringList{};
    }
    void diskSetUpdates() {
        QFETCH(QString, group);
        QFETCH(DiskFiles, files);
        QFETCH(QStringList, statements);
        QCOMPARE(diskSetUpdateStatements(group, files), statements);
    }

    // Without a group the pattern would reach every disk: refused unless nothing is written.
    void diskSetWithoutGroup() {
        QCOMPARE(diskSetUpdateStatements(std::nullopt, files("Adren", "", "", "st")),
                 QStringList{});
        try {
            diskSetUpdateStatements(std::nullopt, files("Adren", "ADR", "", "st"));
            QFAIL("a stem without a group was not refused");
        } catch (const Refusal& refused) {
            QCOMPARE(refused.text, QStringLiteral("No Group has been selected!"));
        }
    }

    void entryRecord() {
        QCOMPARE(entryRecordStatement(QStringLiteral("1234")),
                 QStringLiteral("SELECT * FROM Compilations,Dnames WHERE "
                                "Compilations.F_ID=Dnames.F_ID AND Compilations.Nummer = 1234"));
    }

    // The folder is not edited here; whatever it holds goes nowhere.
    void singleDiskUpdates_data() {
        QTest::addColumn<DiskFiles>("files");
        QTest::addColumn<QStringList>("statements");
        QTest::newRow("quotes doubled") << files("Folder", "Rock'n", "0'1", "s't")
                                        << QStringList{entryUpdate("filename= 'Rock''n'", " "),
                                                       entryUpdate("fileexten= 's''t'", " "),
                                                       entryUpdate("filenumber= '0''1'", "")};
        QTest::newRow("empty number is Null")
            << files("Folder", "MB", "", "st")
            << QStringList{entryUpdate("filename= 'MB'", " "), entryUpdate("fileexten= 'st'", " "),
                           entryUpdate("filenumber= Null", "")};
        QTest::newRow("empty stem and extension written as empty texts")
            << files("Folder", "", "1", "")
            << QStringList{entryUpdate("filename= ''", " "), entryUpdate("fileexten= ''", " "),
                           entryUpdate("filenumber= '1'", "")};
    }
    void singleDiskUpdates() {
        QFETCH(DiskFiles, files);
        QFETCH(QStringList, statements);
        QCOMPARE(singleDiskUpdateStatements(QStringLiteral("7"), files), statements);
    }
};

KESTREL_TEST(DiskEditStatementsTest)
#include "DiskEditStatementsTest.moc"
