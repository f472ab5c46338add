#include "common/TestRegistry.h"

#include "WindowHarness.h"

#include "common/FileSizeLimit.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QTreeView>

namespace {

QList<int> flagged(WindowHarness& h) {
    ResultSet& rows = h.catalogue.query(
        QStringLiteral("SELECT Nummer FROM Compilations WHERE favourite = -1 ORDER BY Nummer"));
    QList<int> numbers;
    for (rows.moveFirst(); !rows.atEnd(); rows.moveNext())
        numbers << rows.field(u"Nummer").toInt();
    return numbers;
}

const QString kAllLines = QStringLiteral(
    "Alpha Centauri -- D-Bug 3\r\nalpha Wave -- Automation 12\r\nBeta Blast -- D-Bug 3\r\n"
    "Dragon Ninja -- Automation 12\r\nZork -- Automation 120\r\n");

} // namespace

// The toolbar, menu and pop-up commands: each reaches its action, and what the window shows
// afterwards.
class CommandsWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A menu item that repeats a toolbar command triggers that toolbar button.
    void menuItemsTriggerTheirToolbarButton_data() {
        QTest::addColumn<QByteArray>("item");
        QTest::addColumn<QByteArray>("button");
        for (auto [item, button] : {std::pair{"mnuplay", "Play"},
                                    {"mnuaudit", "Audit"},
                                    {"mnusave", "Save"},
                                    {"mnupaste", "Paste"},
                                    {"mnureport", "Report"},
                                    {"mnunotes", "Help"},
                                    {"mnuabout", "About"}})
            QTest::newRow(item) << QByteArray(item) << QByteArray(button);
    }
    void menuItemsTriggerTheirToolbarButton() {
        QFETCH(QByteArray, item);
        QFETCH(QByteArray, button);
        WindowHarness h(WindowHarness::settingsWith({{"settings", "rootfolder", "/"}}));
        QSignalSpy pressed(h.find<QAction>(button.constData()), &QAction::triggered);
        h.withDialog([&] { h.trigger(item.constData()); });
        QCOMPARE(pressed.size(), 1);
    }

    void favouritesFromTheToolbarAndPopup() {
        WindowHarness h;
        h.trigger("Favourites");
        QCOMPARE(h.column(0), QStringList{"Zork"});
        QCOMPARE(h.text("Label3"), QStringLiteral("   Favourites: 1 results"));
        QCOMPARE(h.find<QLineEdit>("Text1")->text(), QStringLiteral("Favourites"));
        QVERIFY(!h.shown("Frame3"));

        h.search(QStringLiteral("alpha"));
        h.clickRow(QStringLiteral("2"));
        h.trigger("mnufavadd");
        QCOMPARE(flagged(h), (QList<int>{2, 3}));
        QCOMPARE(h.rows(), 2); // adding shows nothing
        h.trigger("mnufavrem");
        QCOMPARE(flagged(h), QList<int>{3});
        QCOMPARE(h.rows(), 2); // a search's rows stay
        QCOMPARE(h.text("Label3"), QStringLiteral("  2 results"));

        h.trigger("Favourites");
        h.clickRow(QStringLiteral("3"));
        h.trigger("mnufavrem"); // the last favourite goes from the list
        QCOMPARE(h.rows(), 0);
        QVERIFY(h.shown("Frame1"));
        QCOMPARE(h.text("Label3"), QStringLiteral("  no results "));
    }

    void clearAsksFirst() {
        WindowHarness h;
        h.trigger("mnufavclear"); // nothing selected: nothing asked
        QVERIFY(h.prompts.shown().isEmpty());
        h.trigger("Favourites");
        h.clickRow(QStringLiteral("3"));
        h.prompts.setNextAnswer(Prompts::Answer::No);
        h.trigger("mnufavclear");
        QCOMPARE(h.prompts.shown().size(), 1);
        QCOMPARE(h.prompts.shown()[0].caption, QStringLiteral("Confirm Delete"));
        QVERIFY(h.prompts.shown()[0].defaultAnswer == Prompts::Answer::Yes);
        QCOMPARE(flagged(h), QList<int>{3});
        h.prompts.setNextAnswer(Prompts::Answer::Yes);
        h.trigger("mnufavclear");
        QCOMPARE(h.prompts.shownTexts().last(), QStringLiteral("Favourites have been cleared!"));
        QCOMPARE(flagged(h), QList<int>{});
        QCOMPARE(h.rows(), 0);
    }

    void saveAndPaste() {
        WindowHarness h;
        h.search(QStringLiteral(" "));
        h.trigger("Save"); // cancelled: silent
        QVERIFY(h.prompts.shown().isEmpty());
        const QString path = h.folder.file(QStringLiteral("results.txt"));
        h.prompts.setNextFileName(path);
        h.trigger("mnusave");
        QCOMPARE(fileBytes(path), kAllLines.toUtf8());
        QCOMPARE(h.text("Label3"), QStringLiteral(" Results Saved To File"));

        h.trigger("Paste");
        QCOMPARE(QGuiApplication::clipboard()->text(), kAllLines);
        QCOMPARE(h.find<QTextEdit>("RTB1")->toPlainText(), QString(kAllLines).remove(u'\r'));
        QCOMPARE(fileBytes(h.folder.file(QStringLiteral("Rummage.temp"))), kAllLines.toUtf8());
        QCOMPARE(h.text("Label3"), QStringLiteral(" Results sent to clipboard"));

        // The report describes the boxes as they stand, not as they were for the list.
        h.find<QComboBox>("Combo8")->setEditText(QStringLiteral("zork"));
        h.trigger("Report");
        const QString stamped = QGuiApplication::clipboard()->text();
        QVERIFY(stamped.startsWith(kAllLines + QStringLiteral("\r\n---")));
        QVERIFY2(stamped.contains(QStringLiteral("search string: [zork]\r\n")),
                 qPrintable(stamped));
        QVERIFY(stamped.endsWith(QStringLiteral("produced: 5 results\r\n") + QString(43, u'-')));
        QCOMPARE(h.text("Label3"), QStringLiteral(" Search report stamped to clipboard"));
    }

    void failedSaveSaysWhyAndKeepsTheFile() {
        WindowHarness h;
        h.search(QStringLiteral(" "));
        const QString path = h.folder.file(QStringLiteral("results.txt"));
        QVERIFY(writeFileBytes(path, "old\r\n"));
        h.prompts.setNextFileName(path);
        {
            const FileSizeLimit limit(16);
            h.trigger("Save");
        }
        QCOMPARE(h.prompts.shown().size(), 1);
        QVERIFY(h.prompts.shown()[0].text.startsWith(
            QStringLiteral("The results could not be saved to \"") + path));
        QCOMPARE(h.text("Label3"), QStringLiteral("  5 results"));
        QCOMPARE(fileBytes(path), QByteArray("old\r\n"));
    }

    void editSingleDisk() {
        WindowHarness h;
        h.trigger("mnueditsingle");
        QCOMPARE(h.prompts.shownTexts().last(), QStringLiteral("No Game has been selected!"));
        h.search(QStringLiteral(" "));
        h.clickRow(QStringLiteral("4")); // undumped
        h.trigger("mnueditsingle");
        QCOMPARE(h.prompts.shownTexts().last(),
                 QStringLiteral("You cannot edit undefined/undumped games!"));

        h.clickRow(QStringLiteral("2"));
        const QString opened =
            h.withDialog([&] { h.trigger("mnueditsingle"); },
                         [](QWidget* d) {
                             QCOMPARE(d->findChild<QLineEdit*>(QStringLiteral("Text2"))->text(),
                                      QStringLiteral("012"));
                             d->findChild<QLineEdit*>(QStringLiteral("Text2"))->clear();
                             d->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
                         });
        QCOMPARE(opened, QStringLiteral("Form6"));
        QVERIFY(
            h.catalogue.query(u"SELECT filenumber FROM Dnames WHERE F_ID = 1").row(0)[0].isNull());
        // Drive B now reads the edited disk, not the record of the click.
        h.trigger("mnudriveB");
        QCOMPARE(h.window->browser().driveBImagePath().section(u'/', -2),
                 QStringLiteral("Auto/AUTO.st"));
    }

    void otherDialogsOpen_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("disk set") << QByteArray("mnueditset") << "Form5";
        QTest::newRow("settings") << QByteArray("Settings") << "Form4";
        QTest::newRow("about") << QByteArray("About") << "Form2";
        QTest::newRow("release notes") << QByteArray("Help") << "Form3";
    }
    void otherDialogsOpen() {
        QFETCH(QByteArray, command);
        QFETCH(QString, dialog);
        WindowHarness h;
        QCOMPARE(h.withDialog([&] { h.trigger(command.constData()); }), dialog);
    }

    void releaseNotesAreReadAtEveryOpening() {
        WindowHarness h;
        const QString notes = h.folder.file(QStringLiteral("Instructions.txt"));
        for (const QByteArray& text : {QByteArray("first {\\rtf1 notes}"), QByteArray("second")}) {
            QVERIFY(writeFileBytes(notes, text));
            QString shown;
            h.withDialog([&] { h.trigger("mnunotes"); },
                         [&](QWidget* d) {
                             shown =
                                 d->findChild<QTextEdit*>(QStringLiteral("RTB1"))->toPlainText();
                         });
            QCOMPARE(shown, QString::fromUtf8(text));
        }
    }

    void exitClosesTheWindow() {
        WindowHarness h;
        h.trigger("mnuexit");
        QVERIFY(!h.window->isVisible());
    }
};

KESTREL_TEST(CommandsWindowTest)
#include "CommandsWindowTest.moc"
