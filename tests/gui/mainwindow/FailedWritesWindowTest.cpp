#include "common/TestRegistry.h"

#include "WindowHarness.h"

#include "common/FileSizeLimit.h"
#include "common/FixtureCatalogue.h"

#include <QActionGroup>

namespace {

QStringList flagged(WindowHarness& h) {
    return queryColumn(h.folder.cataloguePath(),
                       "SELECT Nummer FROM Compilations WHERE favourite = -1 ORDER BY Nummer");
}

// Whether the last message names `file` and says why.
bool namesFile(const WindowHarness& h, const QString& file, const QString& reason) {
    const QString shown = h.lastPrompt();
    if (shown.contains(file) && shown.contains(reason))
        return true;
    qWarning("last message: %s", qPrintable(shown));
    return false;
}

} // namespace

// Changes that cannot be written: the window stops there and says what failed, in a message
// box naming the file and the reason. The catalogue refuses writes through SQLite's query_only
// on the window's own connection; the settings file through a file size limit too small for it.
class FailedWritesWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void favouritesThatCannotBeWritten() {
        WindowHarness h;
        h.search(QStringLiteral("alpha"));
        h.clickRow(QStringLiteral("2"));
        refuseWrites(h.catalogue);
        const QString file = h.folder.cataloguePath();
        h.trigger("mnufavadd");
        QVERIFY(namesFile(h, file, QStringLiteral("readonly")));
        h.prompts.clear();
        h.trigger("mnufavrem");
        QVERIFY(namesFile(h, file, QStringLiteral("readonly")));
        QCOMPARE(h.rows(), 2);
        h.prompts.setNextAnswer(Prompts::Answer::Yes);
        h.trigger("mnufavclear");
        QCOMPARE(h.prompts.shown().size(), 3); // the question, then the failure, no "cleared"
        QVERIFY(namesFile(h, file, QStringLiteral("readonly")));
        QCOMPARE(flagged(h), QStringList{"3"});
    }

    // The audit is refused before it starts; no code changes and it does not finish.
    void auditOfACatalogueThatCannotBeWritten() {
        TestFolder root;
        QVERIFY(writeFileBytes(root.file(QStringLiteral("Auto/AUTO120.st"))));
        WindowHarness h({{"settings", "rootfolder", root.path()}});
        refuseWrites(h.catalogue);
        h.trigger("Audit");
        QVERIFY(namesFile(h, h.folder.cataloguePath(), QStringLiteral("readonly")));
        QVERIFY(h.text("Panel1") != QStringLiteral("Finished"));
        QCOMPARE(queryColumn(h.folder.cataloguePath(), "SELECT got FROM Dnames ORDER BY F_ID"),
                 (QStringList{"1", "0", "2", "Null"}));
    }

    // A choice of emulator that cannot be saved is not taken; a search still lists its rows
    // and then says the history could not be kept.
    void settingsThatCannotBeSaved() {
        WindowHarness h;
        const Emulator before = h.window->browser().emulator();
        const char* other = before == Emulator::Hatari ? "mnusteem" : "mnuhatari";
        const QString file = h.folder.settingsPath();
        {
            const FileSizeLimit limit(16);
            h.trigger(other);
            QVERIFY(namesFile(h, file, QString()));
            h.prompts.clear();
            h.search(QStringLiteral("alpha"));
            QVERIFY(namesFile(h, file, QString()));
        }
        QCOMPARE(h.window->browser().emulator(), before);
        QVERIFY(!h.find<QAction>(other)->isChecked());
        QCOMPARE(h.rows(), 2);
    }
};

KESTREL_TEST(FailedWritesWindowTest)
#include "FailedWritesWindowTest.moc"
