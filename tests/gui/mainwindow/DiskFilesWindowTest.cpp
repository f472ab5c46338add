#include "common/TestDisks.h"
#include "common/TestRegistry.h"

#include "WindowHarness.h"

#include <QTreeWidget>

// Verify Disk Images from the window, and the selected entry's disk in the files panel: hidden
// until asked for, then the disk's state in a line and its files as a tree.
class DiskFilesWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void verifiedDiskShowsItsFiles() {
        if (const QString missing = TestDisks::missingTools(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        WindowHarness h;
        const QString root = h.folder.file(QStringLiteral("root"));
        writeini("settings", "rootfolder", root, h.folder.settingsPath());
        // Disk 1 (entries 1 and 2) is a real disk; disk 3 (entries 4 and 5) an empty file.
        QVERIFY(TestDisks::makeDisk(root + "/Auto/AUTO012.st"));
        QVERIFY(writeFileBytes(root + "/DBug/DB.msa"));
        Catalogue reopened;
        h.window = h.open(reopened); // reads the new root folder
        auto* panel = h.find<QWidget>("DiskFilesPanel");
        QVERIFY(!panel->isVisibleTo(h.window.get()));

        h.trigger("mnuverify");
        QVERIFY(panel->isVisibleTo(h.window.get()));
        QCOMPARE(h.lastPrompt(), QStringLiteral("4 disks verified: 1 good, 0 damaged, 1 not disk "
                                                "images, 0 unsupported, 2 missing"));
        QCOMPARE(queryColumn(h.folder.cataloguePath(), "SELECT got FROM Dnames ORDER BY F_ID"),
                 (QStringList{"1", "0", "2", "Null"}));

        h.search(QStringLiteral("a"));
        h.clickRow(QStringLiteral("2"));
        QVERIFY2(h.text("DiskFilesSummary")
                     .startsWith("AUTO012.st: good, ST 2 sides x 80 tracks x 9 sectors, 3 files"),
                 qPrintable(h.text("DiskFilesSummary")));
        auto* tree = h.find<QTreeWidget>("DiskFilesTree");
        QCOMPARE(tree->topLevelItemCount(), 2);
        QCOMPARE(tree->topLevelItem(1)->text(0), QStringLiteral("GAMES"));
        QCOMPARE(tree->topLevelItem(1)->child(0)->text(0), QStringLiteral("ZOOL.PRG"));
        QCOMPARE(tree->topLevelItem(1)->child(0)->text(1), QLocale().toString(3000));

        h.clickRow(QStringLiteral("5"));
        QCOMPARE(h.text("DiskFilesSummary"),
                 QStringLiteral("DB.msa: not a disk image: the file is empty"));
        QCOMPARE(tree->topLevelItemCount(), 0);

        // Shown it comes back at the next start; hidden, it stays hidden.
        h.window->close();
        Catalogue again;
        h.window = h.open(again);
        QVERIFY(h.find<QWidget>("DiskFilesPanel")->isVisibleTo(h.window.get()));
        h.trigger("mnudiskfiles"); // unticks it
        QVERIFY(!h.find<QWidget>("DiskFilesPanel")->isVisibleTo(h.window.get()));
    }
};

KESTREL_TEST(DiskFilesWindowTest)
#include "DiskFilesWindowTest.moc"
