#include "common/TestRegistry.h"

#include "EditCatalogue.h"

#include "core/search/GroupLists.h"
#include "gui/dialogs/Form5.h"
#include "gui/platform/Prompts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

// The dialog, loaded and shown, over a fresh catalogue.
struct DiskSetDialog {
    EditCatalogue db;
    ScriptedPrompts prompts;
    Form5 dialog{nullptr, db.catalogue, prompts};

    DiskSetDialog() {
        dialog.Form_Load();
        dialog.show();
    }

    void choose(const QString& group) {
        const QList<QListWidgetItem*> rows = dialog.List1->findItems(group, Qt::MatchExactly);
        QCOMPARE(rows.size(), 1);
        dialog.List1->setCurrentItem(rows.first());
    }
    QStringList fields() const {
        return {dialog.Text6->text(), dialog.Text7->text(), dialog.Combo4->currentText()};
    }
    void type(const QString& folder, const QString& stem, const QString& extension) {
        dialog.Text6->setText(folder);
        dialog.Text7->setText(stem);
        dialog.Combo4->setEditText(extension);
    }
};

} // namespace

class EditDiskSetTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensEmptyWithTheGroupRows() {
        DiskSetDialog d;
        Form5& dialog = d.dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit Disk Set"));
        QCOMPARE(dialog.Frame2->title(), QStringLiteral("Folder"));
        QCOMPARE(dialog.Frame1->title(), QStringLiteral("File Name"));
        QCOMPARE(dialog.Command1->text(), QStringLiteral("OK"));
        QCOMPARE(dialog.Command2->text(), QStringLiteral("Cancel"));
        QStringList rows;
        for (int i = 0; i < dialog.List1->count(); ++i)
            rows << dialog.List1->item(i)->text();
        QCOMPARE(rows, diskSetGroupNames());
        QCOMPARE(rows.size(), 160);
        QCOMPARE(rows.first(), QStringLiteral("Adrenalin"));
        QCOMPARE(rows.at(1), QStringLiteral("42-Crew"));
        QCOMPARE(rows.last(), QStringLiteral("Zuul"));
        for (const char* spelled : {"Awesome/Elite", "Compliation", "Deep Thought's",
                                    "The Cheshire Cats", "The SyndiCate"})
            QVERIFY2(rows.contains(QLatin1String(spelled)), spelled);
        QVERIFY(rows.contains(QStringLiteral("Public Enemy’s")));
        QVERIFY(rows.contains(QStringLiteral("The World’s Picture Collection")));
        QVERIFY(dialog.List1->selectedItems().isEmpty());
        QCOMPARE(d.fields(), (QStringList{"", "", ""}));
        QStringList extensions;
        for (int i = 0; i < dialog.Combo4->count(); ++i)
            extensions << dialog.Combo4->itemText(i);
        QCOMPARE(extensions, (QStringList{"st", "msa", "dim", "zip"}));
        QVERIFY(dialog.Combo4->isEditable());
    }

    void choosingFillsFromTheGreatestNumber_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("fields"); // folder, stem, extension
        QTest::newRow("prefix of other titles")
            << "Adrenalin" << QStringList{"Adren", "ADRN", "msa"};
        QTest::newRow("plain apostrophe") << "Deep Thought's" << QStringList{"Deep", "DT", "msa"};
        QTest::newRow("typographic apostrophe")
            << QStringLiteral("Public Enemy’s") << QStringList{"Public", "PE", "st"};
        QTest::newRow("undumped disks fill too") << "Zapped" << QStringList{"Zap", "ZAP", "st"};
    }
    void choosingFillsFromTheGreatestNumber() {
        QFETCH(QString, group);
        QFETCH(QStringList, fields);
        DiskSetDialog d;
        d.choose(group);
        QCOMPARE(d.fields(), fields);
    }

    void aGroupWithoutDisksKeepsTheFields() {
        DiskSetDialog d;
        d.choose(QStringLiteral("Medway Boys"));
        QCOMPARE(d.fields(), (QStringList{"Medway", "MB", "st"}));
        d.choose(QStringLiteral("Zuul"));
        QCOMPARE(d.fields(), (QStringList{"Medway", "MB", "st"}));
    }

    void okUpdatesTheGroupExceptUndumped() {
        DiskSetDialog d;
        QStringList disks = d.db.disks();
        d.choose(QStringLiteral("Adrenalin"));
        d.type(QStringLiteral("Adrenalin Disks"), QStringLiteral("ADRENALIN"),
               QStringLiteral("MSA"));
        d.dialog.Command1->click();
        QCOMPARE(d.dialog.result(), int(QDialog::Accepted));
        QVERIFY(!d.dialog.isVisible());
        QVERIFY(d.prompts.shown().isEmpty());
        // Adrenalin 1, 7 and UK 2 change; number and code never; the undumped Adrenalin 3,
        // Automation and "Best Of Adrenalin" stay.
        disks[0] = QStringLiteral("Adrenalin Disks|ADRENALIN|1|MSA|1");
        disks[1] = QStringLiteral("Adrenalin Disks|ADRENALIN|7|MSA|0");
        disks[3] = QStringLiteral("Adrenalin Disks|ADRENALIN|2|MSA|0");
        QCOMPARE(d.db.disks(), disks);
    }

    void okWithAnApostropheGroup() {
        DiskSetDialog d;
        QStringList disks = d.db.disks();
        d.choose(QStringLiteral("Deep Thought's"));
        d.type(QStringLiteral("Deep Thought's"), QStringLiteral("DT'S"), QString());
        d.dialog.Command1->click();
        disks[5] = QStringLiteral("Deep Thought's|DT'S|4||0");
        QCOMPARE(d.db.disks(), disks);
    }

    void okOnAnUndumpedGroupChangesNothing() {
        DiskSetDialog d;
        const QStringList disks = d.db.disks();
        d.choose(QStringLiteral("Zapped"));
        d.type(QStringLiteral("New"), QStringLiteral("NEW"), QStringLiteral("st"));
        d.dialog.Command1->click();
        QCOMPARE(d.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(d.db.disks(), disks);
    }

    void anEmptyStemChangesNothing() {
        DiskSetDialog d;
        const QStringList disks = d.db.disks();
        d.choose(QStringLiteral("Adrenalin"));
        d.type(QStringLiteral("Elsewhere"), QString(), QStringLiteral("zip"));
        d.dialog.Command1->click();
        QCOMPARE(d.dialog.result(), int(QDialog::Accepted));
        QVERIFY(!d.dialog.isVisible());
        QCOMPARE(d.db.disks(), disks);
    }

    void okWithoutAGroupIsRefused() {
        DiskSetDialog d;
        const QStringList disks = d.db.disks();
        d.type(QStringLiteral("All"), QStringLiteral("ALL"), QStringLiteral("st"));
        d.dialog.Command1->click();
        QCOMPARE(d.prompts.shownTexts(), QStringList{"No Group has been selected!"});
        QCOMPARE(d.prompts.shown()[0].caption, QStringLiteral("Atari ST Kestrel"));
        QCOMPARE(d.prompts.shown()[0].icon, Prompts::Icon::Exclamation);
        QVERIFY(d.dialog.isVisible()); // the user can still choose one
        QCOMPARE(d.db.disks(), disks);

        // A row chosen and then deselected is no choice either.
        d.choose(QStringLiteral("Adrenalin"));
        d.dialog.List1->clearSelection();
        d.type(QStringLiteral("All"), QStringLiteral("ALL"), QStringLiteral("st"));
        d.dialog.Command1->click();
        QCOMPARE(d.prompts.shown().size(), 2);
        QCOMPARE(d.db.disks(), disks);
    }

    void cancelChangesNothing() {
        DiskSetDialog d;
        const QStringList disks = d.db.disks();
        d.choose(QStringLiteral("Adrenalin"));
        d.type(QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("zip"));
        d.dialog.Command2->click();
        QCOMPARE(d.dialog.result(), int(QDialog::Rejected));
        QCOMPARE(d.db.disks(), disks);
    }

    void typedExtensionStaysAsTyped() {
        DiskSetDialog d;
        d.choose(QStringLiteral("Automation"));
        // Typed over the listed "msa" and confirmed with Enter, which ends the edit and
        // presses OK: the typed case is what the catalogue gets, and the list keeps its four.
        d.dialog.Combo4->lineEdit()->selectAll();
        QTest::keyClicks(d.dialog.Combo4->lineEdit(), QStringLiteral("ST"));
        QTest::keyClick(d.dialog.Combo4->lineEdit(), Qt::Key_Return);
        QCOMPARE(d.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(d.dialog.Combo4->count(), 4);
        QCOMPARE(d.db.disk(5), QStringLiteral("Automation|AUTO|12|ST|1"));
    }
};

KESTREL_TEST(EditDiskSetTest)
#include "EditDiskSetTest.moc"
