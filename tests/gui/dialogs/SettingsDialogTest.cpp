#include "common/TestRegistry.h"

#include "common/TestFolder.h"

#include "core/settings/SettingsStore.h"
#include "gui/dialogs/SettingsDialog.h"
#include "gui/platform/Prompts.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

const QStringList kKeys{"STeem", "STew", "SainT", "Hatari", "rootfolder"};

// The dialog over a settings file whose every path is "/old/" and its key, shown with the
// values read from that file as the main window reads them.
struct SettingsDialogOnFile {
    TestFolder folder;
    ScriptedPrompts prompts;
    Settings settings{folder.settingsPath()};
    std::unique_ptr<SettingsDialog> dialog;

    SettingsDialogOnFile() {
        for (const QString& key : kKeys)
            writeini(QStringLiteral("settings"), key, QStringLiteral("/old/") + key,
                     settings.file());
        dialog =
            std::make_unique<SettingsDialog>(nullptr, prompts, settings, settings.programPaths());
        dialog->show();
    }
    QLineEdit* box(const QString& name) const { return dialog->findChild<QLineEdit*>(name); }
    void press(const char* button) {
        dialog->findChild<QPushButton*>(QLatin1String(button))->click();
    }
    QString stored(const QString& key) const {
        return readini(QStringLiteral("settings"), key, QString(), settings.file());
    }
};

} // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachBoxShowsAndOkStoresItsSetting_data() {
        QTest::addColumn<QString>("key"); // of the box the row is named after
        QTest::newRow("Text1") << QStringLiteral("STeem");
        QTest::newRow("Text3") << QStringLiteral("STew");
        QTest::newRow("Text4") << QStringLiteral("SainT");
        QTest::newRow("Text5") << QStringLiteral("Hatari");
        QTest::newRow("Text2") << QStringLiteral("rootfolder");
    }
    void eachBoxShowsAndOkStoresItsSetting() {
        QFETCH(QString, key);
        const QString box = QLatin1String(QTest::currentDataTag());
        SettingsDialogOnFile d;
        QCOMPARE(d.box(box)->text(), QStringLiteral("/old/") + key);
        d.box(box)->setText(QStringLiteral("/new/path"));
        d.press("Command3");
        QCOMPARE(d.dialog->result(), int(QDialog::Accepted));
        for (const QString& other : kKeys)
            QCOMPARE(d.stored(other),
                     other == key ? QStringLiteral("/new/path") : QStringLiteral("/old/") + other);
    }

    void browsingFillsTheBoxesAndCancelStoresNothing() {
        SettingsDialogOnFile d;
        const QByteArray stored = fileBytes(d.settings.file());
        d.prompts.setNextFileName(QStringLiteral("/opt/emu/Steem.exe"));
        d.press("Command1");
        d.press("Command4"); // cancelled
        // A folder is taken exactly as chosen, its trailing separator too.
        d.prompts.setNextFolder(QStringLiteral("/games/st/"));
        d.press("Command2");
        d.press("Command2"); // cancelled
        QCOMPARE(d.box(QStringLiteral("Text1"))->text(), QStringLiteral("/opt/emu/Steem.exe"));
        QCOMPARE(d.box(QStringLiteral("Text3"))->text(), QStringLiteral("/old/STew"));
        QCOMPARE(d.dialog->paths().rootFolder, QStringLiteral("/games/st/"));
        d.press("Command5");
        QCOMPARE(d.dialog->result(), int(QDialog::Rejected));
        QCOMPARE(fileBytes(d.settings.file()), stored);
    }
};

KESTREL_TEST(SettingsDialogTest)
#include "SettingsDialogTest.moc"
