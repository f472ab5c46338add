#include "common/TestRegistry.h"

#include "core/editing/DiskEditStatements.h"
#include "core/images/ImagePath.h"

#include <QTest>

#include <optional>

namespace {

DiskFiles files(const QString& folder, const QString& filename, const QString& filenumber,
                const QString& fileexten) {
    DiskFiles out;
    out.folder = folder;
    out.filename = filename;
    out.filenumber = filenumber;
    out.fileexten = fileexten;
    return out;
}

const QString kSetUpdate = QStringLiteral("UPDATE Compilations,Dnames SET ");
const QString kSetWhere =
    QStringLiteral("' WHERE Compilations.F_ID=Dnames.F_ID AND ([group] LIKE '");

} // namespace

// The statements of the two edit dialogs, character for character.
class DiskEditStatementsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void diskSetLookup_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("statement");
        const QString head = QStringLiteral(
            "SELECT [folder], [filename], [filenumber],[fileexten] FROM Compilations, Dnames "
            "WHERE  Compilations.F_ID = Dnames.F_ID AND ([group] LIKE '");
        const QString tail = QStringLiteral("%')ORDER by [filenumber] DESC");
        QTest::newRow("first row") << "Adrenalin" << head + "Adrenalin" + tail;
        QTest::newRow("plain apostrophe doubled")
            << "Deep Thought's" << head + "Deep Thought''s" + tail;
        QTest::newRow("typographic apostrophe as it is")
            << QStringLiteral("Public Enemy’s") << head + QStringLiteral("Public Enemy’s") + tail;
        QTest::newRow("slash and blank") << "Awesome/Elite" << head + "Awesome/Elite" + tail;
    }
    void diskSetLookup() {
        QFETCH(QString, group);
        QFETCH(QString, statement);
        QCOMPARE(diskSetLookupStatement(group), statement);
    }

    void diskSetUpdates_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("filename");
        QTest::addColumn<QString>("fileexten");
        QTest::addColumn<QStringList>("statements");

        QTest::newRow("three fields")
            << "Adrenalin"
            << "Adren"
            << "ADR"
            << "st"
            << QStringList{
                   kSetUpdate + "folder= 'Adren" + kSetWhere + "Adrenalin%') AND ([got]<> 2)",
                   kSetUpdate + "filename= 'ADR" + kSetWhere + "Adrenalin%')AND ([got]<> 2)",
                   kSetUpdate + "fileexten= 'st" + kSetWhere + "Adrenalin%')AND ([got]<> 2)"};
        QTest::newRow("quotes doubled in group and values")
            << "Deep Thought's"
            << "Deep's"
            << "D'T"
            << "m'sa"
            << QStringList{kSetUpdate + "folder= 'Deep''s" + kSetWhere +
                               "Deep Thought''s%') AND ([got]<> 2)",
                           kSetUpdate + "filename= 'D''T" + kSetWhere +
                               "Deep Thought''s%')AND ([got]<> 2)",
                           kSetUpdate + "fileexten= 'm''sa" + kSetWhere +
                               "Deep Thought''s%')AND ([got]<> 2)"};
        QTest::newRow("empty folder and extension written as empty texts")
            << "Zuul"
            << ""
            << "ZU"
            << ""
            << QStringList{kSetUpdate + "folder= '" + kSetWhere + "Zuul%') AND ([got]<> 2)",
                           kSetUpdate + "filename= 'ZU" + kSetWhere + "Zuul%')AND ([got]<> 2)",
                           kSetUpdate + "fileexten= '" + kSetWhere + "Zuul%')AND ([got]<> 2)"};
        QTest::newRow("empty stem sends nothing") << "Adrenalin"
                                                  << "Adren"
                                                  << ""
                                                  << "st" << QStringList{};
    }
    void diskSetUpdates() {
        QFETCH(QString, group);
        QFETCH(QString, folder);
        QFETCH(QString, filename);
        QFETCH(QString, fileexten);
        QFETCH(QStringList, statements);
        // The number box is not part of this dialog; whatever it holds goes nowhere.
        QCOMPARE(diskSetUpdateStatements(group, files(folder, filename, "99", fileexten)),
                 statements);
    }

    void diskSetWithoutGroup() {
        // Nothing to write: no reason to refuse.
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

    void singleDiskUpdates_data() {
        QTest::addColumn<QString>("nummer");
        QTest::addColumn<QString>("filename");
        QTest::addColumn<QString>("filenumber");
        QTest::addColumn<QString>("fileexten");
        QTest::addColumn<QStringList>("statements");
        const QString update = QStringLiteral("UPDATE Compilations,Dnames SET ");
        const auto entry = [](const char* nummer) {
            return QStringLiteral("Compilations.F_ID = Dnames.F_ID AND ([nummer] LIKE '") +
                   QLatin1String(nummer) + QStringLiteral("')");
        };

        QTest::newRow("with a number")
            << "7"
            << "DT"
            << "04"
            << "msa"
            << QStringList{update + "filename= 'DT' WHERE  " + entry("7"),
                           update + "fileexten= 'msa' WHERE  " + entry("7"),
                           update + "filenumber= '04' WHERE " + entry("7")};
        QTest::newRow("empty number is Null")
            << "11"
            << "MB"
            << ""
            << "st"
            << QStringList{update + "filename= 'MB' WHERE  " + entry("11"),
                           update + "fileexten= 'st' WHERE  " + entry("11"),
                           update + "filenumber= Null WHERE " + entry("11")};
        QTest::newRow("quotes doubled")
            << "7"
            << "Rock'n"
            << "0'1"
            << "s't"
            << QStringList{update + "filename= 'Rock''n' WHERE  " + entry("7"),
                           update + "fileexten= 's''t' WHERE  " + entry("7"),
                           update + "filenumber= '0''1' WHERE " + entry("7")};
        QTest::newRow("empty stem and extension written as empty texts")
            << "3"
            << ""
            << "1"
            << ""
            << QStringList{update + "filename= '' WHERE  " + entry("3"),
                           update + "fileexten= '' WHERE  " + entry("3"),
                           update + "filenumber= '1' WHERE " + entry("3")};
    }
    void singleDiskUpdates() {
        QFETCH(QString, nummer);
        QFETCH(QString, filename);
        QFETCH(QString, filenumber);
        QFETCH(QString, fileexten);
        QFETCH(QStringList, statements);
        // The folder is not edited here; whatever it holds goes nowhere.
        QCOMPARE(
            singleDiskUpdateStatements(nummer, files("Folder", filename, filenumber, fileexten)),
            statements);
    }
};

KESTREL_TEST(DiskEditStatementsTest)
#include "DiskEditStatementsTest.moc"
