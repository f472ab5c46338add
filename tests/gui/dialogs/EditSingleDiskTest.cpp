#include "common/TestRegistry.h"

#include "EditCatalogue.h"

#include "core/images/ImagePath.h"
#include "gui/dialogs/EditSingleDiskDialog.h"
#include "gui/platform/Prompts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

// The dialog for one entry, shown over a fresh catalogue and filled from the entry's record
// as the main window fills it; its controls by their objectNames.
struct SingleDiskDialog {
    EditCatalogue db;
    ScriptedPrompts prompts;
    std::unique_ptr<EditSingleDiskDialog> dialog;
    QLineEdit* stem = nullptr;
    QLineEdit* number = nullptr;
    QComboBox* extension = nullptr;

    explicit SingleDiskDialog(const QString& nummer) {
        const DiskFiles files =
            DiskFiles::fromCurrentRow(db.catalogue.query(entryRecordStatement(nummer)));
        dialog =
            std::make_unique<EditSingleDiskDialog>(nullptr, db.catalogue, prompts, nummer, files);
        stem = dialog->findChild<QLineEdit*>(QStringLiteral("Text1"));
        number = dialog->findChild<QLineEdit*>(QStringLiteral("Text2"));
        extension = dialog->findChild<QComboBox*>(QStringLiteral("Combo1"));
        dialog->show();
    }
    QStringList fields() const { return {stem->text(), number->text(), extension->currentText()}; }
    void press(const QString& button) { dialog->findChild<QPushButton*>(button)->click(); }
};

} // namespace

class EditSingleDiskTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void closingWritesTheEntrysDisk_data() {
        QTest::addColumn<QString>("nummer");
        QTest::addColumn<QStringList>("opened"); // stem, number, extension
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("button"); // Ok (Command2) or Cancel (Command1)
        QTest::addColumn<int>("fId");
        QTest::addColumn<QString>("written"); // folder, stem, number, extension, code
        QTest::newRow("stem, number and extension")
            << "7" << QStringList{"DT", "4", "msa"} << QStringList{"DEEP", "04", "zip"}
            << "Command2" << 6 << "Deep|DEEP|04|zip|0";
        QTest::newRow("Null number stays Null")
            << "11" << QStringList{"MB", "", "st"} << QStringList{"MB", "", "st"} << "Command2" << 9
            << "Medway|MB|Null|st|1";
        QTest::newRow("cleared number writes Null")
            << "3" << QStringList{"ADRN", "7", "msa"} << QStringList{"ADRN", "", "msa"}
            << "Command2" << 2 << "Adren|ADRN|Null|msa|0";
        QTest::newRow("apostrophes stored once")
            << "1" << QStringList{"ADR", "1", "st"} << QStringList{"Rock'n'Roll", "1", "st"}
            << "Command2" << 1 << "Adrenalin|Rock'n'Roll|1|st|1";
        QTest::newRow("cancel") << "6" << QStringList{"AUTO", "12", "msa"}
                                << QStringList{"X", "", "msa"} << "Command1" << 5
                                << "Automation|AUTO|12|msa|1";
    }
    void closingWritesTheEntrysDisk() {
        QFETCH(QString, nummer);
        QFETCH(QStringList, opened);
        QFETCH(QStringList, typed);
        QFETCH(QString, button);
        QFETCH(int, fId);
        QFETCH(QString, written);
        SingleDiskDialog d(nummer);
        QStringList disks = d.db.disks();
        QCOMPARE(d.fields(), opened);
        d.stem->setText(typed[0]);
        d.number->setText(typed[1]);
        d.extension->setEditText(typed[2]);
        d.press(button);
        QCOMPARE(d.dialog->result(),
                 int(button == u"Command2" ? QDialog::Accepted : QDialog::Rejected));
        QVERIFY(d.prompts.shown().isEmpty());
        // Only that disk may change; its folder and code stay.
        disks[fId - 1] = written;
        QCOMPARE(d.db.disks(), disks);
    }

    void aRejectedUpdateIsReportedAndTheDialogStays() {
        SingleDiskDialog d(QStringLiteral("6"));
        d.db.catalogue.execute(u"DROP TABLE Dnames");
        d.press(QStringLiteral("Command2"));
        QCOMPARE(d.prompts.shown().size(), 1);
        QCOMPARE(d.prompts.shown()[0].icon, Prompts::Icon::Exclamation);
        QVERIFY(d.dialog->isVisible());
    }
};

KESTREL_TEST(EditSingleDiskTest)
#include "EditSingleDiskTest.moc"
