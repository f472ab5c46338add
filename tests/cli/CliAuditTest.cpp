#include "common/TestRegistry.h"

#include "cli/CliTable.h"

#include "core/settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <csignal>

namespace {

// The disks' codes in F_ID order ("1 0 2 0"), or those of the available disks below 25000.
const char* const kCodes = "SELECT got FROM Dnames ORDER BY F_ID";
const char* const kAvailable = "SELECT F_ID FROM Dnames WHERE got = 1 AND F_ID < 25000 "
                               "ORDER BY F_ID";

// Default settings, the root game folder at "root" of the program folder.
QString makeRoot(TestFolder& folder) {
    folder.writeSettings(TestFolder::defaultSettings());
    const QString root = folder.file(QStringLiteral("root"));
    writeini(QStringLiteral("settings"), QStringLiteral("rootfolder"), root, folder.settingsPath());
    return root;
}

} // namespace

// The audit command, and the codes after it.
class CliAuditTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void run_data() {
        addCliColumns();
        QTest::addColumn<QString>("after"); // the codes of disks 1 to 4
        const QString unchanged = QStringLiteral("0 1 2 0");
        cliRow("missing root refused", {}, 1, {}, "--force") << unchanged;
        cliRow("missing root forced", {"--force"}, 0, {}, "4 disks audited")
            << QStringLiteral("0 0 2 0");
        cliRow("one group", {"--group", "Crew"}, 0, {}, "3 disks audited")
            << QStringLiteral("1 0 2 0");
        cliRow("one entry", {"--entry", "4"}, 0, {"4 -- Available"}) << QStringLiteral("0 1 2 1");
        cliRow("undumped entry refused", {"--entry", "3"}, 1, {},
               "undefined and/or requires dumping")
            << unchanged;
        cliRow("ALL is no group", {"--group", "ALL"}, 1, {}, "No Group has been selected to audit!")
            << unchanged;
        cliRow("group without a name", {"--group"}, 2, {}, "--group") << unchanged;
        cliRow("group and entry", {"--group", "Crew", "--entry", "1"}, 2, {}, "cannot be combined")
            << unchanged;
        cliRow("entry not a number", {"--entry", "x"}, 2, {}, "entry number") << unchanged;
    }
    void run() {
        QFETCH(QString, after);
        TestFolder folder;
        folder.createCatalogue(QStringLiteral(
            "INSERT INTO Dnames VALUES (1, 0, 'A', 'M', '1', 'st'), (2, 1, 'A', 'M', '2', 'st'),"
            " (3, 2, 'A', 'M', '3', 'st'), (4, 0, 'B', 'M', '4', 'st');"
            "INSERT INTO Compilations VALUES (1, 'Crew 1', 'a', 0, 1), (2, 'Crew 2', 'b', 0, 2),"
            " (3, 'Crew 3', 'c', 0, 3), (4, 'Other 1', 'd', 0, 4);"));
        const QString root = makeRoot(folder);
        // The root game folder holds disks 1 and 4, but where it is said to be missing.
        if (!QByteArray(QTest::currentDataTag()).startsWith("missing root")) {
            QVERIFY(writeFileBytes(root + "/A/M1.st") && writeFileBytes(root + "/B/m4.ST"));
        }
        runCliRow(folder, QStringLiteral("audit"));
        QCOMPARE(queryColumn(folder.cataloguePath(), kCodes).join(u' '), after);
    }

    // A root game folder that is there but empty, or holds none of the disks' folders, is
    // refused as a missing one unless forced.
    void rootWithoutTheDiskFolders_data() {
        addCliColumns();
        QTest::addColumn<QString>("made"); // under the root; "" for nothing
        QTest::addColumn<QString>("after");
        cliRow("empty root refused", {}, 1, {}, "is empty") << ""
                                                            << "0 1 2 0";
        cliRow("other folders refused", {}, 1, {}, "holds none") << "Other/M1.st"
                                                                 << "0 1 2 0";
        cliRow("empty root forced", {"--force"}, 0, {}, "4 disks audited") << ""
                                                                           << "0 0 2 0";
    }
    void rootWithoutTheDiskFolders() {
        QFETCH(QString, made);
        QFETCH(QString, after);
        TestFolder folder;
        folder.createCatalogue(QStringLiteral(
            "INSERT INTO Dnames VALUES (1, 0, 'A', 'M', '1', 'st'), (2, 1, 'A', 'M', '2', 'st'),"
            " (3, 2, 'A', 'M', '3', 'st'), (4, 0, 'B', 'M', '4', 'st');"));
        const QString root = makeRoot(folder);
        QVERIFY(QDir().mkpath(root));
        if (!made.isEmpty())
            QVERIFY(writeFileBytes(root + u'/' + made));
        const CliRun run = runCliRow(folder, QStringLiteral("audit"));
        if (run.status == 1)
            QVERIFY2(run.errors.contains(root) && run.errors.contains(QStringLiteral("--force")),
                     qPrintable(run.errors));
        QCOMPARE(queryColumn(folder.cataloguePath(), kCodes).join(u' '), after);
    }

    // An audit that cannot write its codes ends with status 1 and says why on standard error,
    // naming the catalogue, instead of reporting the disks as audited. The catalogue's own
    // trigger refuses the writes: every one (found before the walk) or disk 4's (mid-walk).
    void auditsThatCannotWriteFail_data() {
        QTest::addColumn<QString>("refused"); // the trigger's condition
        QTest::addColumn<QString>("message");
        QTest::newRow("before the walk") << "1"
                                         << "database or disk is full";
        QTest::newRow("mid-walk") << "NEW.F_ID = 4"
                                  << " 0 changed codes";
    }
    void auditsThatCannotWriteFail() {
        QFETCH(QString, refused);
        QFETCH(QString, message);
        TestFolder folder;
        folder.createCatalogue(
            QStringLiteral("INSERT INTO Dnames VALUES (1, 1, 'A', 'M', '1', 'st'),"
                           " (2, 1, 'A', 'M', '2', 'st'), (3, 2, 'A', 'M', '3', 'st'),"
                           " (4, 1, 'B', 'M', '4', 'st');"
                           "CREATE TRIGGER full BEFORE UPDATE ON Dnames WHEN %1 BEGIN"
                           " SELECT RAISE(ABORT, 'database or disk is full'); END;")
                .arg(refused));
        QVERIFY(QDir().mkpath(makeRoot(folder) + QStringLiteral("/A")));
        const CliRun run = runCli(folder, {QStringLiteral("audit")});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.errors.contains(folder.cataloguePath()) && run.errors.contains(message) &&
                     !run.errors.contains(QStringLiteral("audited")),
                 qPrintable(run.errors));
        QCOMPARE(queryColumn(folder.cataloguePath(), kCodes).join(u' '), QStringLiteral("1 1 2 1"));
    }

    // Killing the program in the middle of a full audit leaves a whole catalogue in which
    // the disks audited before the stop have their new codes: a prefix of the walk.
    void aCrashMidAuditLosesNothingElse() {
        TestFolder folder;
        const QString catalogue = folder.cataloguePath();
        QCOMPARE(
            QProcess::execute(QStringLiteral(KESTREL_BUILD_DIR "/kestrel-demo-catalogue"),
                              {QStringLiteral("--entries"), QStringLiteral("90000"), catalogue}),
            0);
        // An empty, existing root, audited all the same: every disk that was available becomes
        // unavailable.
        QVERIFY(QDir().mkpath(makeRoot(folder)));
        const QString original = catalogue + QStringLiteral(".before");
        QVERIFY(QFile::copy(catalogue, original));
        const QStringList available = queryColumn(original, kAvailable); // in walk order

        for (int attempt = 0; attempt < 12; ++attempt) {
            QFile::remove(catalogue);
            QVERIFY(QFile::copy(original, catalogue));
            QProcess audit;
            audit.start(QStringLiteral(KESTREL_BUILD_DIR "/kestrel-cli"),
                        {QStringLiteral("--folder"), folder.path(), QStringLiteral("audit"),
                         QStringLiteral("--force")});
            QVERIFY(audit.waitForStarted());
            QTest::qWait(30 + attempt * 15);
            const bool running = audit.state() == QProcess::Running;
            if (running)
                ::kill(pid_t(audit.processId()), SIGKILL);
            audit.waitForFinished();

            QCOMPARE(queryColumn(catalogue, "PRAGMA integrity_check"), QStringList{"ok"});
            // What is still available is the walk less a prefix of it.
            const QStringList left = queryColumn(catalogue, kAvailable);
            QCOMPARE(left, available.mid(available.size() - left.size()));
            if (running && !left.isEmpty() && left.size() < available.size())
                return;
        }
        QSKIP("no audit could be stopped after its first batch and before its end");
    }
};

KESTREL_TEST(CliAuditTest)
#include "CliAuditTest.moc"
