#include "common/TestRegistry.h"

#include "common/TestFolder.h"

#include "core/catalogue/Catalogue.h"
#include "core/images/ImagePath.h"
#include "gui/dialogs/EditDiskSetDialog.h"
#include "gui/dialogs/EditSingleDiskDialog.h"
#include "gui/dialogs/SettingsDialog.h"
#include "gui/platform/Prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

// One of the dialogs over a throw-away program folder, shown and active.
struct OpenDialog {
    TestFolder folder;
    Catalogue catalogue;
    ScriptedPrompts prompts;
    std::unique_ptr<QDialog> dialog;

    explicit OpenDialog(const QString& which) {
        folder.createCatalogue(QStringLiteral("SELECT 'empty'"));
        catalogue.open(folder.cataloguePath());
        const Settings settings(folder.settingsPath());
        if (which == QLatin1String("Form4"))
            dialog = std::make_unique<SettingsDialog>(nullptr, prompts, settings,
                                                      settings.programPaths());
        else if (which == QLatin1String("Form5"))
            dialog = std::make_unique<EditDiskSetDialog>(nullptr, catalogue, prompts);
        else
            dialog = std::make_unique<EditSingleDiskDialog>(nullptr, catalogue, prompts,
                                                            QStringLiteral("1"), DiskFiles{});
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
    }
    QWidget* child(const QString& name) const { return dialog->findChild<QWidget*>(name); }
};

} // namespace

// The dialogs by the keyboard: Alt+letter reaches a box, Escape cancels, and the buttons read
// as they always did.
class DialogKeysTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keysReachTheBoxesAndEscapeCancels_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("letter");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QStringList>("buttons"); // Ok's name and caption, Cancel's
        QTest::newRow("Settings, root folder")
            << "Form4" << int(Qt::Key_R) << "Text2"
            << QStringList{"Command3", "Ok", "Command5", "Cancel"};
        QTest::newRow("Settings, SainT") << "Form4" << int(Qt::Key_A) << "Text4"
                                         << QStringList{"Command3", "Ok", "Command5", "Cancel"};
        QTest::newRow("Settings, TOS image") << "Form4" << int(Qt::Key_T) << "tosImageBox"
                                             << QStringList{"Command3", "Ok", "Command5", "Cancel"};
        QTest::newRow("Settings, extra arguments")
            << "Form4" << int(Qt::Key_E) << "extraArgumentsBox"
            << QStringList{"Command3", "Ok", "Command5", "Cancel"};
        QTest::newRow("Edit Disk Set") << "Form5" << int(Qt::Key_N) << "Text7"
                                       << QStringList{"Command1", "OK", "Command2", "Cancel"};
        QTest::newRow("Edit Single Disk") << "Form6" << int(Qt::Key_N) << "Text2"
                                          << QStringList{"Command2", "Ok", "Command1", "Cancel"};
    }
    void keysReachTheBoxesAndEscapeCancels() {
        QFETCH(QString, dialog);
        QFETCH(int, letter);
        QFETCH(QString, box);
        QFETCH(QStringList, buttons);
        OpenDialog d(dialog);
        QTest::keyClick(d.dialog.get(), Qt::Key(letter), Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), d.child(box));

        auto* buttonBox = d.dialog->findChild<QDialogButtonBox*>();
        auto* ok = qobject_cast<QPushButton*>(d.child(buttons[0]));
        auto* cancel = qobject_cast<QPushButton*>(d.child(buttons[2]));
        QCOMPARE(buttonBox->buttonRole(ok), QDialogButtonBox::AcceptRole);
        QCOMPARE(buttonBox->buttonRole(cancel), QDialogButtonBox::RejectRole);
        QVERIFY(ok->isDefault());
        // The mnemonic's mark is not shown as a character.
        QCOMPARE(QString(ok->text()).remove(u'&'), buttons[1]);
        QCOMPARE(QString(cancel->text()).remove(u'&'), buttons[3]);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!d.dialog->isVisible());
        QCOMPARE(d.dialog->result(), int(QDialog::Rejected));
    }
};

KESTREL_TEST(DialogKeysTest)
#include "DialogKeysTest.moc"
