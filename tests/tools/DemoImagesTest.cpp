#include "common/TestDisks.h"
#include "common/TestRegistry.h"

#include "cli/CliTable.h"

#include "core/catalogue/Catalogue.h"
#include "core/settings/SettingsStore.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

// The script that makes images for the demo catalogue: they verify as the states it means.
class DemoImagesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void imagesVerifyAsMade() {
        if (const QString missing = TestDisks::missingTools(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        if (QStandardPaths::findExecutable("sqlite3").isEmpty())
            QSKIP("sqlite3 is not installed");
        TestFolder folder;
        QVERIFY(QFile::copy(QStringLiteral(KESTREL_BUILD_DIR "/") + Catalogue::fileName(),
                            folder.cataloguePath()));
        folder.writeSettings(TestFolder::defaultSettings());
        const QString root = folder.file("root");
        writeini("settings", "rootfolder", root, folder.settingsPath());
        QProcess script;
        script.start(QStringLiteral(KESTREL_SOURCE_DIR "/tools/demo-images/make-demo-images.sh"),
                     {folder.cataloguePath(), root, "12"});
        QVERIFY(script.waitForFinished(120000));
        QVERIFY2(script.exitCode() == 0, script.readAllStandardError().constData());
        // The seventh disk is cut short on purpose.
        const CliRun run = runCli(folder, {"verify"});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.errors.contains(QRegularExpression("\\d+ disks verified: 11 good, 1 damaged, "
                                                        "0 not disk images, 0 unsupported")),
                 qPrintable(run.errors));
    }
};

KESTREL_TEST(DemoImagesTest)
#include "DemoImagesTest.moc"
