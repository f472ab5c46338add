#include "common/TestRegistry.h"

#include "WindowHarness.h"

#include "core/catalogue/CatalogueSummary.h"

#include <QDir>

namespace {

const QString kOriginal = QStringLiteral("AtariST Compilation Listing v1.mdb");

QStringList backups(const TestFolder& folder) {
    return QDir(folder.path()).entryList({QStringLiteral("*.bak")}, QDir::Files);
}

// The text the About box gives of the loaded catalogue.
QString aboutSummary(WindowHarness& h) {
    QString summary;
    h.withDialog([&] { h.trigger("mnuabout"); },
                 [&](QWidget* dialog) {
                     summary = dialog->findChild<QLabel*>(QStringLiteral("catalogueInfo"))->text();
                 });
    return summary;
}

} // namespace

// The user's own catalogue imported from the window, and offered at start-up when it lies
// beside the demo catalogue: the catalogue replaced only when asked and complete, the one it
// replaced kept, the window on the new one at once.
class CatalogueImportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        if (!QFileInfo::exists(sharedFixture("catalogue-v2000.mdb")))
            QSKIP("The shared fixtures (../shared/fixtures/mdb) are not here.");
    }

    void importFromTheMenu_data() {
        QTest::addColumn<QString>("original"); // "": the file dialog is cancelled
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QString>("said");  // in the last message shown
        QTest::addColumn<QString>("holds"); // the About box afterwards
        const QString demo = QStringLiteral("6 entries on 4 disks");
        QTest::newRow("imported") << "catalogue-v2000.mdb" << true << "30 entries on 12 disks"
                                  << "30 entries on 12 disks";
        QTest::newRow("not confirmed") << "catalogue-v2000.mdb" << false << "in place of" << demo;
        QTest::newRow("cancelled") << "" << true << "" << demo;
        QTest::newRow("damaged") << "damaged/negative-text-length.mdb" << true
                                 << "damaged or incomplete" << demo;
        QTest::newRow("not a catalogue")
            << "not-a-catalogue.mdb" << true << "It has no table Dnames." << demo;
    }
    void importFromTheMenu() {
        QFETCH(QString, original);
        QFETCH(bool, confirmed);
        QFETCH(QString, said);
        QFETCH(QString, holds);
        WindowHarness h;
        const QByteArray before = fileBytes(h.folder.cataloguePath());
        h.prompts.setNextFileName(original.isEmpty() ? QString()
                                                     : sharedFixture(qPrintable(original)));
        h.prompts.setNextAnswer(confirmed ? Prompts::Answer::Yes : Prompts::Answer::No);
        h.trigger("mnuimport");
        const bool imported = QTest::currentDataTag() == QByteArrayView("imported");
        QVERIFY2(h.lastPrompt().contains(said), qPrintable(h.lastPrompt()));
        if (imported)
            QVERIFY2(h.lastPrompt().contains(h.folder.file(backups(h.folder).value(0))),
                     qPrintable(h.lastPrompt()));
        QCOMPARE(backups(h.folder).size(), imported ? 1 : 0);
        if (imported)
            QCOMPARE(fileBytes(h.folder.file(backups(h.folder)[0])), before);
        else
            QCOMPARE(fileBytes(h.folder.cataloguePath()), before);
        // The window reads the catalogue it now has.
        QVERIFY2(aboutSummary(h).endsWith(holds), qPrintable(aboutSummary(h)));
    }

    // Beside the demo catalogue the original is offered; turned down, it is not offered again
    // until the file changes.
    void originalBesideTheDemoIsOffered_data() {
        QTest::addColumn<bool>("accepted");
        QTest::newRow("accepted") << true;
        QTest::newRow("declined") << false;
    }
    void originalBesideTheDemoIsOffered() {
        QFETCH(bool, accepted);
        StartupHarness start;
        start.folder.createCatalogue(
            QStringLiteral("PRAGMA application_id = %1;").arg(kDemoCatalogueMark));
        QVERIFY(QFile::copy(sharedFixture("catalogue-v2000.mdb"), start.folder.file(kOriginal)));
        start.prompts.setNextAnswer(accepted ? Prompts::Answer::Yes : Prompts::Answer::No);
        QCOMPARE(start.run(), 0);
        QCOMPARE(start.prompts.shown().value(0).defaultAnswer, Prompts::Answer::Yes);
        QVERIFY(start.prompts.shownTexts().value(0).contains(kOriginal));
        QCOMPARE(queryColumn(start.folder.cataloguePath(), "SELECT COUNT(*) FROM Compilations"),
                 QStringList{accepted ? "30" : "0"});
        QCOMPARE(backups(start.folder).size(), accepted ? 1 : 0);

        start.window.reset();
        start.prompts.clear();
        QCOMPARE(start.run(), 0);
        // An imported catalogue is the user's own; a declined offer is remembered.
        QCOMPARE(start.prompts.shownTexts(), QStringList());
    }
};

KESTREL_TEST(CatalogueImportTest)
#include "CatalogueImportTest.moc"
