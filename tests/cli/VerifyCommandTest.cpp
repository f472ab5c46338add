#include "common/TestDisks.h"
#include "common/TestRegistry.h"

#include "cli/CliTable.h"

#include "core/settings/SettingsStore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// The verify and files commands on images made by real tools: disk 1 a good .st, disk 2 the
// same disk as .msa, disk 3 the .st cut short, disk 4 missing.
class VerifyCommandTest : public QObject {
    Q_OBJECT
    TestFolder m_folder;
    QString m_root;
    QString m_sha1;

    QString image(const char* name) const { return m_root + QLatin1String(name); }

private Q_SLOTS:
    void initTestCase() {
        if (const QString missing = TestDisks::missingTools(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        m_folder.createCatalogue(QStringLiteral(
            "INSERT INTO Dnames VALUES (1, 1, 'A', 'M', '1', 'st'), (2, 1, 'A', 'M', '2', 'msa'),"
            " (3, 1, 'A', 'M', '3', 'st'), (4, 0, 'B', 'M', '4', 'st');"
            "INSERT INTO Compilations VALUES (1, 'Crew 1', 'a', 0, 1), (2, 'Crew 2', 'b', 0, 2),"
            " (3, 'Other 3', 'c', 0, 3), (4, 'Other 4', 'd', 0, 4);"));
        m_folder.writeSettings(TestFolder::defaultSettings());
        m_root = m_folder.file(QStringLiteral("root"));
        writeini(QStringLiteral("settings"), QStringLiteral("rootfolder"), m_root,
                 m_folder.settingsPath());
        QVERIFY(TestDisks::makeDisk(image("/A/M1.st"), image("/A/M2.msa")));
        const QByteArray st = fileBytes(image("/A/M1.st"));
        QVERIFY(writeFileBytes(image("/A/M3.st"), st.left(1260 * 512)));
        m_sha1 =
            QString::fromLatin1(QCryptographicHash::hash(st, QCryptographicHash::Sha1).toHex());
        // A reference set holding disk 1 (by SHA-1, in upper case as some DAT tools write it)
        // and an image nobody has.
        QVERIFY(writeFileBytes(m_folder.file("set.dat"),
                               "<?xml version=\"1.0\"?>\n<datafile><header><name>Test set</name>"
                               "</header><game name=\"Zool Menu\"><rom name=\"M1.st\" "
                               "size=\"737280\" sha1=\"" +
                                   m_sha1.toUpper().toLatin1() +
                                   "\"/></game><game name=\"Lost\"><rom name=\"X.st\" "
                                   "crc=\"0badf00d\"/></game></datafile>\n"));
        QVERIFY(writeFileBytes(m_folder.file("broken.dat"), "<datafile><game>"));
    }

    // Every disk said, each image read once; the availability codes stay as they were.
    void verifySaysEachDisk() {
        const CliRun first = runCli(m_folder, {"verify"});
        QCOMPARE(first.status, 0);
        QCOMPARE(first.lines.size(), 4);
        QVERIFY2(
            first.lines[0].startsWith("1 -- " + image("/A/M1.st") + " -- good -- ST 2x80x9 ") &&
                first.lines[0].endsWith(m_sha1),
            qPrintable(first.lines[0]));
        QVERIFY2(first.lines[1].startsWith("2 -- " + image("/A/M2.msa") + " -- good -- MSA") &&
                     first.lines[1].endsWith(m_sha1),
                 qPrintable(first.lines[1]));
        QCOMPARE(first.lines[2], "3 -- " + image("/A/M3.st") +
                                     " -- damaged: boot sector says 1440 sectors but the file "
                                     "holds 1260");
        QCOMPARE(first.lines[3], "4 -- " + image("/B/M4.st") + " -- missing");
        QVERIFY2(first.errors.contains("4 disks verified: 2 good, 1 damaged, 0 not disk images, "
                                       "0 unsupported, 1 missing (3 read anew)"),
                 qPrintable(first.errors));
        QCOMPARE(queryColumn(m_folder.cataloguePath(), "SELECT got FROM Dnames ORDER BY F_ID"),
                 (QStringList{"1", "1", "1", "0"}));

        const CliRun again = runCli(m_folder, {"verify", "--group", "Crew", "--format", "json"});
        QCOMPARE(again.status, 0);
        QVERIFY2(again.errors.contains("2 disks verified: 2 good") &&
                     again.errors.contains("(0 read anew)"),
                 qPrintable(again.errors));
        const QJsonArray disks = QJsonDocument::fromJson(again.lines.join(u'\n').toUtf8()).array();
        QCOMPARE(disks.size(), 2);
        QCOMPARE(disks[1].toObject().value("format").toString(), QStringLiteral("MSA"));
        QCOMPARE(disks[1].toObject().value("sha1").toString(), m_sha1);
    }

    void duplicatesAndFiles_data() {
        addCliColumns();
        const QString zool = QStringLiteral(" -- GAMES\\ZOOL.PRG -- 3000 -- ");
        cliRow("duplicates", {"verify", "--duplicates"}, 0,
               {"<sha1> -- 1 -- <root>/A/M1.st", "<sha1> -- 2 -- <root>/A/M2.msa"});
        cliRow("files of an entry", {"files", "--entry", "2"}, 0,
               {"HELLO.TXT -- 6 -- ", "GAMES -- <folder> -- ", "GAMES\\ZOOL.PRG -- 3000 -- "});
        cliRow("disks with a file", {"files", "--name", "zool%"}, 0,
               {"1 -- <root>/A/M1.st" + zool, "2 -- <root>/A/M2.msa" + zool});
        cliRow("files of a damaged disk", {"files", "--entry", "3"}, 1, {}, "damaged: boot sector");
        cliRow("broken pattern", {"files", "--name", "[a"}, 1, {}, "Invalid pattern string");
        cliRow("files without a choice", {"files"}, 2, {}, "either --entry");
        cliRow("no such entry", {"verify", "--entry", "99"}, 1, {}, "no entry number 99");
        cliRow("unknown format", {"verify", "--format", "xml"}, 2, {}, "--format");
        cliRow("reference set", {"verify", "--dat", "<folder>/set.dat"}, 0,
               {"1 -- <root>/A/M1.st -- Zool Menu/M1.st", "2 -- <root>/A/M2.msa -- Zool Menu/M1.st",
                "not on the drive -- Lost/X.st"},
               "1 of 2 images of Test set are on the drive");
        cliRow("broken reference set", {"verify", "--dat", "<folder>/broken.dat"}, 1, {},
               "not a DAT file");
    }
    void duplicatesAndFiles() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QStringList, lines);
        QFETCH(QString, message);
        arguments.replaceInStrings("<folder>", m_folder.path());
        const CliRun run = runCli(m_folder, arguments);
        QCOMPARE(run.status, status);
        lines.replaceInStrings("<root>", m_root).replaceInStrings("<sha1>", m_sha1);
        // File lines end in the time mcopy kept, which the test does not know.
        QStringList got = run.lines;
        for (qsizetype i = 0; i < got.size() && i < lines.size(); ++i)
            if (got[i].startsWith(lines[i]) && arguments[0] == QLatin1String("files"))
                got[i] = lines[i];
        QCOMPARE(got, lines);
        QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
    }
};

KESTREL_TEST(VerifyCommandTest)
#include "VerifyCommandTest.moc"
