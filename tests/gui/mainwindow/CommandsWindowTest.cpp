#include "common/TestRegistry.h"

#include "WindowHarness.h"

#include "common/FileSizeLimit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextEdit>

namespace {

QStringList flagged(WindowHarness& h) {
    return queryColumn(h.folder.cataloguePath(),
                       "SELECT Nummer FROM Compilations WHERE favourite = -1 ORDER BY Nummer");
}

const QString kAllLines = QStringLiteral(
    "Alpha Centauri -- D-Bug 3\r\nalpha Wave -- Automation 12\r\nBeta Blast -- D-Bug 3\r\n"
    "Cyber Run -- Automation 200\r\nDragon Ninja -- Automation 12\r\nZork -- Automation 120\r\n");

} // namespace

// The toolbar, menu and pop-up commands that are not about disk images or the search: each
// reaches its action, and what the window shows afterwards.
class CommandsWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A menu item that repeats a toolbar command triggers that toolbar button. A dialog opens
    // modal, owned by the window and centred over it.
    void commandsReachTheirActions_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("button"); // "": none
        QTest::addColumn<QString>("dialog");
        for (auto [item, button] : {std::pair{"mnuplay", "Play"},
                                    {"mnuaudit", "Audit"},
                                    {"mnusave", "Save"},
                                    {"mnupaste", "Paste"},
                                    {"mnureport", "Report"}})
            QTest::newRow(item) << QByteArray(item) << QByteArray(button) << "";
        QTest::newRow("mnunotes") << QByteArray("mnunotes") << QByteArray("Help") << "Form3";
        QTest::newRow("mnuabout") << QByteArray("mnuabout") << QByteArray("About") << "Form2";
        QTest::newRow("mnueditset") << QByteArray("mnueditset") << QByteArray() << "Form5";
        QTest::newRow("Settings") << QByteArray("Settings") << QByteArray() << "Form4";
        QTest::newRow("mnusettings") << QByteArray("mnusettings") << QByteArray() << "Form4";
    }
    void commandsReachTheirActions() {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, button);
        QFETCH(QString, dialog);
        WindowHarness h({{"settings", "rootfolder", "/"}});
        QSignalSpy pressed(h.find<QAction>(button.isEmpty() ? "Play" : button.constData()),
                           &QAction::triggered);
        QCOMPARE(h.withDialog([&] { h.trigger(command.constData()); }), dialog);
        QCOMPARE(pressed.size(), button.isEmpty() ? 0 : 1);
    }

    void releaseNotesAreReadAtEveryOpening() {
        WindowHarness h;
        for (const QByteArray& text : {QByteArray("first {\\rtf1 notes}"), QByteArray("second")}) {
            QVERIFY(writeFileBytes(h.folder.file(QStringLiteral("Instructions.txt")), text));
            QString shown;
            h.withDialog([&] { h.trigger("mnunotes"); },
                         [&](QWidget* d) {
                             shown =
                                 d->findChild<QTextEdit*>(QStringLiteral("RTB1"))->toPlainText();
                         });
            QCOMPARE(shown, QString::fromUtf8(text));
        }
    }

    void syntaxPanelAndExit() {
        WindowHarness h;
        h.trigger("mnusyntax");
        QVERIFY(h.shown("Frame4"));
        h.find<QPushButton>("Command3")->click();
        QVERIFY(!h.shown("Frame4"));
        h.trigger("mnuexit");
        QVERIFY(!h.window->isVisible());
    }

    // Only a list of favourites loses a removed row.
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
        QCOMPARE(flagged(h), (QStringList{"2", "3"}));
        h.trigger("mnufavrem");
        QCOMPARE(flagged(h), QStringList{"3"});
        QCOMPARE(h.rows(), 2);
        QCOMPARE(h.text("Label3"), QStringLiteral("  2 results"));

        h.trigger("Favourites");
        h.clickRow(QStringLiteral("3"));
        h.trigger("mnufavrem");
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
        QCOMPARE(flagged(h), QStringList{"3"});
        h.prompts.setNextAnswer(Prompts::Answer::Yes);
        h.trigger("mnufavclear");
        QCOMPARE(h.lastPrompt(), QStringLiteral("Favourites have been cleared!"));
        QCOMPARE(flagged(h), QStringList{});
        QCOMPARE(h.rows(), 0);
    }

    // Each takes the list as shown; the report describes the boxes as they stand, not as they
    // were for the list.
    void saveAndPaste() {
        WindowHarness h;
        h.search(QStringLiteral(" "));
        h.trigger("Save"); // cancelled: silent
        QVERIFY(h.prompts.shown().isEmpty());
        const QString path = h.folder.file(QStringLiteral("results.txt"));
        h.prompts.setNextFileName(path);
        h.trigger("Save");
        QCOMPARE(fileBytes(path), kAllLines.toUtf8());
        h.prompts.setNextFileName(path);
        {
            const FileSizeLimit limit(16);
            h.trigger("Save");
        }
        QVERIFY(h.lastPrompt().startsWith(QStringLiteral("The results could not be saved to \"") +
                                          path));

        h.trigger("Paste");
        QCOMPARE(QGuiApplication::clipboard()->text(), kAllLines);
        QCOMPARE(h.find<QTextEdit>("RTB1")->toPlainText(), QString(kAllLines).remove(u'\r'));
        h.find<QComboBox>("Combo8")->setEditText(QStringLiteral("zork"));
        h.trigger("Report");
        const QString stamped = QGuiApplication::clipboard()->text();
        QVERIFY(stamped.startsWith(kAllLines + QStringLiteral("\r\n---")));
        QVERIFY2(stamped.contains(QStringLiteral("search string: [zork]\r\n")) &&
                     stamped.contains(QStringLiteral("produced: 6 results\r\n")),
                 qPrintable(stamped));
    }

    // The dialog edits the selected entry's disk; afterwards drive B reads the edited disk,
    // not the record of the click.
    void editSingleDisk() {
        QTemporaryDir root; // Play starts only on disks that are there, Hatari with a TOS
        for (const char* file : {"tos.img", "Auto/AUTO012.st", "Auto/AUTO.st"})
            QVERIFY(writeFileBytes(root.filePath(QLatin1String(file))));
        WindowHarness h({{"settings", "Hatari", "/usr/bin/hatari"},
                         {"settings", "rootfolder", root.path()},
                         {"Kestrel", "TosImage", root.filePath(QStringLiteral("tos.img"))}});
        h.trigger("mnueditsingle");
        QCOMPARE(h.lastPrompt(), QStringLiteral("No Game has been selected!"));
        h.search(QStringLiteral(" "));
        h.clickRow(QStringLiteral("2"));
        const QString opened =
            h.withDialog([&] { h.trigger("mnueditsingle"); },
                         [](QWidget* d) {
                             auto* number = d->findChild<QLineEdit*>(QStringLiteral("Text2"));
                             QCOMPARE(number->text(), QStringLiteral("012"));
                             number->clear();
                             d->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
                         });
        QCOMPARE(opened, QStringLiteral("Form6"));
        h.trigger("mnudriveB");
        h.trigger("Play");
        QCOMPARE(h.shell.started.size(), 1);
        QVERIFY(h.shell.started[0].arguments.value(3).endsWith(QStringLiteral("Auto/AUTO.st")));
    }
};

KESTREL_TEST(CommandsWindowTest)
#include "CommandsWindowTest.moc"
