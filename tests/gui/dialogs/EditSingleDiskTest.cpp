#include "common/TestRegistry.h"

#include "EditCatalogue.h"

#include "core/Failures.h"
#include "gui/dialogs/Form6.h"
#include "core/images/ImagePath.h"
#include "gui/platform/Prompts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

QStringList fields(const Form6& dialog) {
    return {dialog.Text1->text(), dialog.Text2->text(), dialog.Combo1->currentText()};
}

} // namespace

class EditSingleDiskTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensWithTheEntrysDisk() {
        EditCatalogue db;
        ScriptedPrompts prompts;
        // Whatever the shared result set held before, the entry's own record is read.
        db.catalogue.query(u"SELECT * FROM Compilations,Dnames WHERE "
                           u"Compilations.F_ID = Dnames.F_ID AND Compilations.Nummer = 1");
        Form6 dialog(nullptr, db.catalogue, prompts, QStringLiteral("7"));
        dialog.Form_Load();
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit Single Disk"));
        QCOMPARE(dialog.Command2->text(), QStringLiteral("Ok"));
        QCOMPARE(dialog.Command1->text(), QStringLiteral("Cancel"));
        QCOMPARE(fields(dialog), (QStringList{"DT", "4", "msa"}));
        QStringList extensions;
        for (int i = 0; i < dialog.Combo1->count(); ++i)
            extensions << dialog.Combo1->itemText(i);
        QCOMPARE(extensions, (QStringList{"st", "msa", "dim", "zip"}));
    }

    void okWritesStemExtensionAndNumber() {
        EditCatalogue db;
        ScriptedPrompts prompts;
        QStringList disks = db.disks();
        Form6 dialog(nullptr, db.catalogue, prompts, QStringLiteral("7"));
        dialog.Form_Load();
        dialog.show();
        dialog.Text1->setText(QStringLiteral("DEEP"));
        dialog.Text2->setText(QStringLiteral("04"));
        dialog.Combo1->setEditText(QStringLiteral("zip"));
        dialog.Command2->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(prompts.shown().isEmpty());
        // The shared result set holds the edited entry's fresh record for later readers.
        QCOMPARE(db.catalogue.results().field(u"Nummer").toString(), QStringLiteral("7"));
        QCOMPARE(DiskFiles::fromCurrentRow(db.catalogue.results()).filename,
                 QStringLiteral("DEEP"));
        // Only that disk changed; its folder and code stay.
        disks[5] = QStringLiteral("Deep|DEEP|04|zip|0");
        QCOMPARE(db.disks(), disks);

        // The other entry of that disk opens with the new data.
        Form6 other(nullptr, db.catalogue, prompts, QStringLiteral("8"));
        other.Form_Load();
        QCOMPARE(fields(other), (QStringList{"DEEP", "04", "zip"}));
    }

    void nullNumberRoundTrip() {
        EditCatalogue db;
        ScriptedPrompts prompts;
        QCOMPARE(db.disk(9), QStringLiteral("Medway|MB|Null|st|1"));
        {
            Form6 dialog(nullptr, db.catalogue, prompts, QStringLiteral("11"));
            dialog.Form_Load();
            QCOMPARE(fields(dialog), (QStringList{"MB", "", "st"}));
            dialog.Command2->click();
        }
        QCOMPARE(db.disk(9), QStringLiteral("Medway|MB|Null|st|1"));

        // Clearing a number writes Null, not an empty text.
        Form6 dialog(nullptr, db.catalogue, prompts, QStringLiteral("3"));
        dialog.Form_Load();
        QCOMPARE(fields(dialog), (QStringList{"ADRN", "7", "msa"}));
        dialog.Text2->clear();
        dialog.Command2->click();
        QCOMPARE(db.disk(2), QStringLiteral("Adren|ADRN|Null|msa|0"));
        QCOMPARE(relativeImagePath(DiskFiles::fromCurrentRow(db.catalogue.results())),
                 QStringLiteral("Adren/ADRN.msa"));
    }

    void apostropheStemStoredOnce() {
        EditCatalogue db;
        ScriptedPrompts prompts;
        Form6 dialog(nullptr, db.catalogue, prompts, QStringLiteral("1"));
        dialog.Form_Load();
        dialog.Text1->setText(QStringLiteral("Rock'n'Roll"));
        dialog.Command2->click();
        QCOMPARE(db.disk(1), QStringLiteral("Adrenalin|Rock'n'Roll|1|st|1"));
        Form6 again(nullptr, db.catalogue, prompts, QStringLiteral("2"));
        again.Form_Load();
        QCOMPARE(again.Text1->text(), QStringLiteral("Rock'n'Roll"));
    }

    void cancelChangesNothing() {
        EditCatalogue db;
        ScriptedPrompts prompts;
        const QStringList disks = db.disks();
        Form6 dialog(nullptr, db.catalogue, prompts, QStringLiteral("6"));
        dialog.Form_Load();
        dialog.show();
        dialog.Text1->setText(QStringLiteral("X"));
        dialog.Text2->clear();
        dialog.Command1->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(db.disks(), disks);
    }

    void anEntryWithoutARecordCannotLoad() {
        EditCatalogue db;
        ScriptedPrompts prompts;
        Form6 dialog(nullptr, db.catalogue, prompts, QStringLiteral("999"));
        QVERIFY_THROWS_EXCEPTION(CatalogueError, dialog.Form_Load());
    }
};

KESTREL_TEST(EditSingleDiskTest)
#include "EditSingleDiskTest.moc"
