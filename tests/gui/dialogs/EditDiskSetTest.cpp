#include "common/TestRegistry.h"

#include "EditCatalogue.h"

#include "core/search/GroupLists.h"
#include "gui/dialogs/EditDiskSetDialog.h"
#include "gui/platform/Prompts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QTest>

namespace {

using DiskChanges = QMap<int, QString>; // disk index: its fields after OK

// The dialog, shown, over a fresh catalogue; its controls by their objectNames.
struct DiskSetDialog {
    EditCatalogue db;
    ScriptedPrompts prompts;
    EditDiskSetDialog dialog{nullptr, db.catalogue, prompts};
    QListWidget* groups = dialog.findChild<QListWidget*>(QStringLiteral("List1"));
    QLineEdit* folder = dialog.findChild<QLineEdit*>(QStringLiteral("Text6"));
    QLineEdit* stem = dialog.findChild<QLineEdit*>(QStringLiteral("Text7"));
    QComboBox* extension = dialog.findChild<QComboBox*>(QStringLiteral("Combo4"));

    DiskSetDialog() { dialog.show(); }

    void choose(const QString& group) {
        const QList<QListWidgetItem*> rows = groups->findItems(group, Qt::MatchExactly);
        QCOMPARE(rows.size(), 1);
        groups->setCurrentItem(rows.first());
    }
    void press(const QString& button) { dialog.findChild<QPushButton*>(button)->click(); }
    QStringList fields() const { return {folder->text(), stem->text(), extension->currentText()}; }
    void type(const QString& folderText, const QString& stemText, const QString& extensionText) {
        folder->setText(folderText);
        stem->setText(stemText);
        extension->setEditText(extensionText);
    }
};

} // namespace

class EditDiskSetTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensWithNoGroupChosen() {
        DiskSetDialog d;
        QStringList rows;
        for (int i = 0; i < d.groups->count(); ++i)
            rows << d.groups->item(i)->text();
        QCOMPARE(rows, diskSetGroupNames()); // in their own order, not sorted by the list
        QVERIFY(d.groups->selectedItems().isEmpty());
        QCOMPARE(d.fields(), (QStringList{"", "", ""}));
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

    void closingWritesTheGroupExceptUndumped_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("typed"); // folder, stem, extension
        QTest::addColumn<QString>("button");    // OK (Command1) or Cancel (Command2)
        QTest::addColumn<DiskChanges>("changed");
        // Adrenalin 1, 7 and UK 2 change; number and code never; the undumped Adrenalin 3,
        // Automation and "Best Of Adrenalin" stay.
        QTest::newRow("prefix of other titles")
            << "Adrenalin" << QStringList{"Adrenalin Disks", "ADRENALIN", "MSA"} << "Command1"
            << DiskChanges{{0, "Adrenalin Disks|ADRENALIN|1|MSA|1"},
                           {1, "Adrenalin Disks|ADRENALIN|7|MSA|0"},
                           {3, "Adrenalin Disks|ADRENALIN|2|MSA|0"}};
        QTest::newRow("apostrophes")
            << "Deep Thought's" << QStringList{"Deep Thought's", "DT'S", ""} << "Command1"
            << DiskChanges{{5, "Deep Thought's|DT'S|4||0"}};
        QTest::newRow("every disk undumped")
            << "Zapped" << QStringList{"New", "NEW", "st"} << "Command1" << DiskChanges{};
        QTest::newRow("empty stem")
            << "Adrenalin" << QStringList{"Elsewhere", "", "zip"} << "Command1" << DiskChanges{};
        QTest::newRow("cancel") << "Adrenalin" << QStringList{"X", "Y", "zip"} << "Command2"
                                << DiskChanges{};
    }
    void closingWritesTheGroupExceptUndumped() {
        QFETCH(QString, group);
        QFETCH(QStringList, typed);
        QFETCH(QString, button);
        QFETCH(DiskChanges, changed);
        DiskSetDialog d;
        QStringList disks = d.db.disks();
        d.choose(group);
        d.type(typed[0], typed[1], typed[2]);
        d.press(button);
        QCOMPARE(d.dialog.result(),
                 int(button == u"Command1" ? QDialog::Accepted : QDialog::Rejected));
        QVERIFY(!d.dialog.isVisible());
        QVERIFY(d.prompts.shown().isEmpty());
        for (auto disk = changed.cbegin(); disk != changed.cend(); ++disk)
            disks[disk.key()] = disk.value();
        QCOMPARE(d.db.disks(), disks);
    }

    void okWithoutAGroupIsRefused() {
        DiskSetDialog d;
        const QStringList disks = d.db.disks();
        d.type(QStringLiteral("All"), QStringLiteral("ALL"), QStringLiteral("st"));
        d.press(QStringLiteral("Command1"));
        QCOMPARE(d.prompts.shownTexts(), QStringList{"No Group has been selected!"});
        QCOMPARE(d.prompts.shown()[0].caption, QStringLiteral("Atari ST Kestrel"));
        QCOMPARE(d.prompts.shown()[0].icon, Prompts::Icon::Exclamation);
        QVERIFY(d.dialog.isVisible()); // the user can still choose one
        QCOMPARE(d.db.disks(), disks);

        // A row chosen and then deselected is no choice either.
        d.choose(QStringLiteral("Adrenalin"));
        d.groups->clearSelection();
        d.type(QStringLiteral("All"), QStringLiteral("ALL"), QStringLiteral("st"));
        d.press(QStringLiteral("Command1"));
        QCOMPARE(d.prompts.shown().size(), 2);
        QCOMPARE(d.db.disks(), disks);
    }

    void typedExtensionStaysAsTyped() {
        DiskSetDialog d;
        d.choose(QStringLiteral("Automation"));
        // Typed over the listed "msa" and confirmed with Enter, which ends the edit and
        // presses OK: the typed case is what the catalogue gets, and the list keeps its four.
        d.extension->lineEdit()->selectAll();
        QTest::keyClicks(d.extension->lineEdit(), QStringLiteral("ST"));
        QTest::keyClick(d.extension->lineEdit(), Qt::Key_Return);
        QCOMPARE(d.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(d.extension->count(), 4);
        QCOMPARE(d.db.disk(5), QStringLiteral("Automation|AUTO|12|ST|1"));
    }
};

KESTREL_TEST(EditDiskSetTest)
#include "EditDiskSetTest.moc"
