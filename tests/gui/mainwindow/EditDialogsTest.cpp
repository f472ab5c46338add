#include "common/TestRegistry.h"

#include "WindowHarness.h"

#include "gui/mainwindow/ResultListModel.h"
#include "core/editing/DiskEditStatements.h"
#include "gui/dialogs/AboutDialog.h"
#include "gui/dialogs/ReleaseNotesDialog.h"
#include "gui/dialogs/EditDiskSetDialog.h"
#include "gui/dialogs/EditSingleDiskDialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QTreeView>

#include <functional>

namespace {

// Acts on the main window's dialog of type D once its modal loop runs, then closes it if
// it is still open, so that no test ever waits on it. The timer dies with this object, so
// a dialog that never opened leaves nothing behind.
template <typename D> class WhenOpen {
public:
    WhenOpen(WindowHarness& h, std::function<void(D&)> act) {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [this, &h, act] {
            D* dialog = h.window->findChild<D*>();
            if (!dialog) {
                // Some other modal window: closed unread, and the test sees opened() false.
                if (QWidget* other = QApplication::activeModalWidget())
                    other->close();
                return;
            }
            // Opened as every dialog is: modal, owned by the window and centred over it.
            const QRect owner = h.window->frameGeometry();
            m_opened =
                dialog->isVisible() && dialog->isModal() &&
                dialog->parentWidget() == h.window.get() &&
                dialog->pos() == QPoint(owner.left() + (owner.width() - dialog->width()) / 2,
                                        owner.top() + (owner.height() - dialog->height()) / 2);
            act(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        m_timer.start(0);
    }
    bool opened() const { return m_opened; }

private:
    QTimer m_timer;
    bool m_opened = false;
};

void clickRow(WindowHarness& h, const char* nummer) {
    const int row = int(h.column(2).indexOf(QLatin1String(nummer)));
    QVERIFY(row >= 0);
    QTreeView* list = h.window->ListView1;
    const QRect cell = list->visualRect(h.window->resultList()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

template <typename T> T* control(QDialog& dialog, const char* name) {
    return dialog.findChild<T*>(QLatin1String(name));
}

// The stem, number and extension the Edit Single Disk dialog shows.
QStringList singleDiskFields(QDialog& dialog) {
    return {control<QLineEdit>(dialog, "Text1")->text(),
            control<QLineEdit>(dialog, "Text2")->text(),
            control<QComboBox>(dialog, "Combo1")->currentText()};
}

void clickGroup(QDialog& dialog, const char* group) {
    auto* list = control<QListWidget>(dialog, "List1");
    const QList<QListWidgetItem*> rows = list->findItems(QLatin1String(group), Qt::MatchExactly);
    QCOMPARE(rows.size(), 1);
    list->scrollToItem(rows.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(rows.first()).center());
}

QString disk(WindowHarness& h, int fId) {
    const ResultSet& rows = h.catalogue.query(
        QStringLiteral("SELECT folder, filename, filenumber, fileexten FROM Dnames WHERE F_ID = %1")
            .arg(fId));
    QStringList fields;
    for (const QVariant& value : rows.row(0))
        fields << (value.isNull() ? QStringLiteral("Null") : value.toString());
    return fields.join(u'|');
}

void writeNotes(WindowHarness& h, const QByteArray& text) {
    QFile file(h.folder.file(QStringLiteral("Instructions.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

} // namespace

class EditDialogsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void singleDiskRefusals() {
        WindowHarness h;
        h.window->show();
        QAction* single = h.find<QAction>("mnueditsingle");
        WhenOpen<EditSingleDiskDialog> never(h, [](EditSingleDiskDialog&) {});

        single->trigger(); // empty list
        h.listAll();
        single->trigger(); // listed, but no row clicked since
        clickRow(h, "4");  // undumped
        single->trigger();
        clickRow(h, "3"); // its record gone since it was listed
        h.catalogue.execute(u"DELETE FROM Compilations WHERE Nummer = 3");
        single->trigger();
        QCOMPARE(h.prompts.shownTexts(),
                 (QStringList{"No Game has been selected!", "No Game has been selected!",
                              "You cannot edit undefined/undumped games!",
                              "The catalogue holds no disk for entry 3."}));
        for (const ScriptedPrompts::Shown& shown : h.prompts.shown()) {
            QCOMPARE(shown.caption, QStringLiteral("Atari ST Kestrel"));
            QCOMPARE(shown.buttons, Prompts::Buttons::Ok);
            QCOMPARE(shown.icon, Prompts::Icon::Exclamation);
        }
        QVERIFY(!never.opened());
        QVERIFY(!h.window->findChild<EditSingleDiskDialog*>());
    }

    void singleDiskEditsTheSelectedEntrysDisk_data() {
        // Other rows take the shared result set after the click; the dialog still edits the
        // selected entry's disk.
        QTest::addColumn<QString>("statement");
        QTest::newRow("another entry's record")
            << QStringLiteral("SELECT * FROM Compilations,Dnames WHERE "
                              "Compilations.F_ID=Dnames.F_ID AND Compilations.Nummer = 3");
        QTest::newRow("a disk set lookup, no entry number") << diskSetLookupStatement("D-Bug");
    }
    void singleDiskEditsTheSelectedEntrysDisk() {
        QFETCH(QString, statement);
        WindowHarness h;
        h.window->show();
        h.listAll();
        clickRow(h, "2");
        h.catalogue.query(statement);
        WhenOpen<EditSingleDiskDialog> edit(h, [](EditSingleDiskDialog& dialog) {
            QCOMPARE(singleDiskFields(dialog), (QStringList{"AUTO", "012", "st"}));
            control<QLineEdit>(dialog, "Text1")->setText(QStringLiteral("Auto'Mat"));
            control<QLineEdit>(dialog, "Text2")->clear();
            control<QPushButton>(dialog, "Command2")->click();
        });
        h.find<QAction>("mnueditsingle")->trigger();
        QVERIFY(edit.opened());
        QVERIFY(h.prompts.shown().isEmpty());
        // The list is not refreshed, but drive B takes the new file data.
        QCOMPARE(h.window->resultList()->rowCount(), 5);
        h.find<QAction>("mnudriveB")->trigger();
        QCOMPARE(h.window->driveBImagePath(),
                 h.window->rootGameFolder() + QStringLiteral("/Auto/Auto'Mat.st"));
        QCOMPARE(disk(h, 1), QStringLiteral("Auto|Auto'Mat|Null|st"));
        QCOMPARE(disk(h, 2), QStringLiteral("Auto|AUTO|120|st"));
    }

    void diskSetFromTheMenu() {
        WindowHarness h;
        h.window->show();
        h.listAll();
        const QString status = h.window->Label3->text();
        WhenOpen<EditDiskSetDialog> edit(h, [](EditDiskSetDialog& dialog) {
            clickGroup(dialog, "Automation");
            // Filled from the disk numbered "120", the greatest.
            QCOMPARE(control<QLineEdit>(dialog, "Text6")->text(), QStringLiteral("Auto"));
            QCOMPARE(control<QLineEdit>(dialog, "Text7")->text(), QStringLiteral("AUTO"));
            control<QLineEdit>(dialog, "Text6")->setText(QStringLiteral("Automation"));
            control<QLineEdit>(dialog, "Text7")->setText(QStringLiteral("AUTOMATION"));
            control<QComboBox>(dialog, "Combo4")->setEditText(QStringLiteral("msa"));
            control<QPushButton>(dialog, "Command1")->click();
        });
        h.find<QAction>("mnueditset")->trigger();
        QVERIFY(edit.opened());
        QCOMPARE(disk(h, 1), QStringLiteral("Automation|AUTOMATION|012|msa"));
        QCOMPARE(disk(h, 2), QStringLiteral("Automation|AUTOMATION|120|msa"));
        QCOMPARE(disk(h, 3), QStringLiteral("DBug|DB|Null|msa"));
        QCOMPARE(h.window->resultList()->rowCount(), 5);
        QCOMPARE(h.window->Label3->text(), status);
    }

    void aboutFromToolbarAndMenu() {
        WindowHarness h;
        h.window->show();
        for (const char* opener : {"About", "mnuabout"}) {
            WhenOpen<AboutDialog> about(h, [&h](AboutDialog& dialog) {
                QTest::mouseClick(dialog.findChild<QLabel*>(QStringLiteral("Label3")),
                                  Qt::LeftButton);
                QCOMPARE(h.shell.opened.last(),
                         QUrl(QStringLiteral("mailto:kestrel@kestrel.invalid")));
            });
            h.find<QAction>(opener)->trigger();
            QVERIFY2(about.opened(), opener);
        }
        QCOMPARE(h.shell.opened.size(), 2);
    }

    void releaseNotesReadAtEveryOpening() {
        WindowHarness h;
        h.window->show();
        QString shown;
        const auto read = [&shown](ReleaseNotesDialog& dialog) {
            shown = dialog.findChild<QTextEdit*>(QStringLiteral("RTB1"))->toPlainText();
        };
        writeNotes(h, "<h1>Kestrel</h1>\nfirst\n");
        {
            WhenOpen<ReleaseNotesDialog> notes(h, read);
            h.find<QAction>("Help")->trigger();
            QVERIFY(notes.opened());
            QCOMPARE(shown, QStringLiteral("<h1>Kestrel</h1>\nfirst\n"));
        }
        writeNotes(h, "second\n");
        {
            WhenOpen<ReleaseNotesDialog> notes(h, read);
            h.find<QAction>("mnunotes")->trigger();
            QVERIFY(notes.opened());
            QCOMPARE(shown, QStringLiteral("second\n"));
        }
    }
};

KESTREL_TEST(EditDialogsTest)
#include "EditDialogsTest.moc"
