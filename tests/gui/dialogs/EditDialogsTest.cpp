#include "common/TestRegistry.h"

#include "common/FixtureCatalogue.h"

#include "core/editing/DiskEditStatements.h"
#include "core/images/ImagePath.h"
#include "core/search/GroupLists.h"
#include "gui/dialogs/EditDiskSetDialog.h"
#include "gui/dialogs/EditSingleDiskDialog.h"
#include "gui/platform/Prompts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

// The folder, stem and extension boxes of Edit Disk Set; the stem, number and extension boxes
// of Edit Single Disk.
const QStringList kSetBoxes{"Text6", "Text7", "Combo4"};
const QStringList kSingleBoxes{"Text1", "Text2", "Combo1"};

// A small catalogue, fresh for each test, and an edit dialog shown over it; its controls by
// their objectNames. Disks (folder, stem, number, extension, code) and their titles:
//   1  Adrenalin 1     available             4  Adrenalin UK 2   shares the group's name
//   2  Adrenalin 7     the group's greatest  5  Automation 12    another group
//   3  Adrenalin 3     undumped
struct EditDialogs {
    TestFolder folder;
    Catalogue catalogue;
    ScriptedPrompts prompts;
    std::unique_ptr<QDialog> dialog;

    EditDialogs() {
        folder.createCatalogue(QStringLiteral(
            "INSERT INTO Dnames VALUES (1, 1, 'Adrenalin', 'ADR', '1', 'st'),"
            " (2, 0, 'Adren', 'ADRN', '7', 'msa'), (3, 2, 'Adrenalin', 'ADR', '3', 'st'),"
            " (4, 0, 'UK', 'AUK', '2', 'st'), (5, 1, 'Automation', 'AUTO', '12', 'msa');"
            "INSERT INTO Compilations VALUES (1, 'Adrenalin 1', 'Alpha Run', 0, 1),"
            " (2, 'Adrenalin 1', 'Beta Bash', 0, 1), (3, 'Adrenalin 7', 'Gamma Grid', 0, 2),"
            " (4, 'Adrenalin 3', 'Delta Dash', 0, 3), (5, 'Adrenalin UK 2', 'Epsilon', 0, 4),"
            " (6, 'Automation 12', 'Zeta Zone', 0, 5);"));
        catalogue.open(folder.cataloguePath());
    }

    void openDiskSet() {
        dialog = std::make_unique<EditDiskSetDialog>(nullptr, catalogue, prompts);
        dialog->show();
    }
    // On entry 6 (Automation 12), filled from the entry's record as the main window fills it.
    void openSingleDisk() {
        const QString six = QStringLiteral("6");
        dialog = std::make_unique<EditSingleDiskDialog>(
            nullptr, catalogue, prompts, six,
            DiskFiles::fromCurrentRow(catalogue.query(entryRecordStatement(six))));
        dialog->show();
    }

    template <typename T> T* child(const QString& name) const {
        return dialog->findChild<T*>(name);
    }
    QListWidget* groups() const { return child<QListWidget>(QStringLiteral("List1")); }
    void choose(const QString& group) {
        groups()->setCurrentItem(groups()->findItems(group, Qt::MatchExactly).value(0));
    }
    void press(const char* button) { child<QPushButton>(QLatin1String(button))->click(); }

    QStringList texts(const QStringList& boxes) const {
        QStringList texts;
        for (const QString& box : boxes)
            texts << (child<QLineEdit>(box) ? child<QLineEdit>(box)->text()
                                            : child<QComboBox>(box)->currentText());
        return texts;
    }
    void type(const QStringList& boxes, const QStringList& texts) {
        for (qsizetype i = 0; i < boxes.size(); ++i)
            if (auto* line = child<QLineEdit>(boxes[i]))
                line->setText(texts[i]);
            else
                child<QComboBox>(boxes[i])->setEditText(texts[i]);
    }

    // Every disk, in F_ID order, as "folder|stem|number|extension|code" ("Null" for a Null).
    QStringList disks() {
        return rowTexts(catalogue, QStringLiteral("SELECT folder, filename, filenumber, fileexten,"
                                                  " got FROM Dnames ORDER BY F_ID"));
    }
};

} // namespace

// The two dialogs that edit disk records: Edit Disk Set (Form5) and Edit Single Disk (Form6).
class EditDialogsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The groups in their own order, none chosen; a group without disks leaves the fields.
    void diskSetOpensWithNoGroupChosen() {
        EditDialogs d;
        d.openDiskSet();
        QStringList rows;
        for (int i = 0; i < d.groups()->count(); ++i)
            rows << d.groups()->item(i)->text();
        QCOMPARE(rows, diskSetGroupNames());
        QVERIFY(d.groups()->selectedItems().isEmpty());
        d.choose(QStringLiteral("Adrenalin"));
        d.choose(QStringLiteral("Zuul"));
        QCOMPARE(d.texts(kSetBoxes), (QStringList{"Adren", "ADRN", "msa"}));
    }

    // Opened twice, the group chosen fills the fields from its disk with the greatest number,
    // and they are edited the same way: Cancel writes nothing; Ok every disk of the group but
    // the undumped one.
    void diskSetWritesTheGroup() {
        EditDialogs d;
        QStringList disks = d.disks();
        for (const char* button : {"Command2", "Command1"}) { // Cancel, then Ok
            d.openDiskSet();
            d.choose(QStringLiteral("Adrenalin"));
            QCOMPARE(d.texts(kSetBoxes), (QStringList{"Adren", "ADRN", "msa"}));
            d.type(kSetBoxes, {"New", "NEW", "MSA"});
            d.press(button);
            QVERIFY(!d.dialog->isVisible());
        }
        disks[0] = QStringLiteral("New|NEW|1|MSA|1");
        disks[1] = QStringLiteral("New|NEW|7|MSA|0");
        disks[3] = QStringLiteral("New|NEW|2|MSA|0");
        QCOMPARE(d.disks(), disks);
        QVERIFY(d.prompts.shown().isEmpty());
    }

    // The refusal reaches the user and the dialog stays, so that a group can be chosen; a
    // row chosen and then deselected is no choice either.
    void diskSetRefusesOkWithoutAGroup() {
        EditDialogs d;
        const QStringList disks = d.disks();
        d.openDiskSet();
        d.type(kSetBoxes, {"All", "ALL", "st"});
        d.press("Command1");
        d.choose(QStringLiteral("Adrenalin"));
        d.groups()->clearSelection();
        d.type(kSetBoxes, {"All", "ALL", "st"});
        d.press("Command1");
        QCOMPARE(d.prompts.shownTexts(),
                 QStringList(2, QStringLiteral("No Group has been selected!")));
        QVERIFY(d.dialog->isVisible());
        QCOMPARE(d.disks(), disks);
    }

    // Typed over the listed "msa" and confirmed with Enter, which ends the edit and presses
    // OK: the typed case is what the catalogue gets, and the list keeps its four.
    void typedExtensionStaysAsTyped() {
        EditDialogs d;
        d.openDiskSet();
        d.choose(QStringLiteral("Automation"));
        QLineEdit* typed = d.child<QComboBox>(QStringLiteral("Combo4"))->lineEdit();
        typed->selectAll();
        QTest::keyClicks(typed, QStringLiteral("ST"));
        QTest::keyClick(typed, Qt::Key_Return);
        QCOMPARE(d.dialog->result(), int(QDialog::Accepted));
        QCOMPARE(d.child<QComboBox>(QStringLiteral("Combo4"))->count(), 4);
        QCOMPARE(d.disks()[4], QStringLiteral("Automation|AUTO|12|ST|1"));
    }

    // Opened twice, edited the same way: Cancel writes nothing; Ok writes only the entry's
    // disk, its folder and code never, and a cleared number as Null.
    void singleDiskWritesTheEntrysDisk() {
        EditDialogs d;
        QStringList disks = d.disks();
        for (const char* button : {"Command1", "Command2"}) { // Cancel, then Ok
            d.openSingleDisk();
            QCOMPARE(d.texts(kSingleBoxes), (QStringList{"AUTO", "12", "msa"}));
            d.type(kSingleBoxes, {"NEW", "", "zip"});
            d.press(button);
            QVERIFY(!d.dialog->isVisible());
        }
        disks[4] = QStringLiteral("Automation|NEW|Null|zip|1");
        QCOMPARE(d.disks(), disks);
        QVERIFY(d.prompts.shown().isEmpty());
    }

    void singleDiskReportsARejectedUpdateAndStays() {
        EditDialogs d;
        d.openSingleDisk();
        d.catalogue.execute(u"DROP TABLE Dnames");
        d.press("Command2");
        QCOMPARE(d.prompts.shown().size(), 1);
        QVERIFY(d.dialog->isVisible());
    }

    // A catalogue that refuses writes (SQLite's query_only on the dialog's connection): Ok
    // names the file and the reason, changes nothing and the dialog stays with what was typed.
    void editsThatCannotBeWrittenSayWhyAndStay() {
        for (const bool diskSet : {true, false}) {
            EditDialogs d;
            const QStringList disks = d.disks();
            refuseWrites(d.catalogue);
            if (diskSet) {
                d.openDiskSet();
                d.choose(QStringLiteral("Adrenalin"));
                d.type(kSetBoxes, {"New", "NEW", "MSA"});
                d.press("Command1");
            } else {
                d.openSingleDisk();
                d.type(kSingleBoxes, {"NEW", "", "zip"});
                d.press("Command2");
            }
            QCOMPARE(d.prompts.shown().size(), 1);
            const QString shown = d.prompts.shownTexts()[0];
            QVERIFY2(shown.contains(d.folder.cataloguePath()) &&
                         shown.contains(QStringLiteral("readonly")),
                     qPrintable(shown));
            QVERIFY(d.dialog->isVisible());
            QCOMPARE(d.disks(), disks);
        }
    }
};

KESTREL_TEST(EditDialogsTest)
#include "EditDialogsTest.moc"
