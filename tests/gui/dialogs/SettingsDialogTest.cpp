#include "common/TestRegistry.h"

#include "common/FileSizeLimit.h"
#include "common/TestFolder.h"

#include "core/settings/SettingsStore.h"
#include "gui/dialogs/SettingsDialog.h"
#include "gui/platform/Prompts.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

// The path boxes by the settings key each one shows.
const std::pair<const char*, const char*> kBoxes[] = {{"Text1", "STeem"},
                                                      {"Text3", "STew"},
                                                      {"Text4", "SainT"},
                                                      {"Text5", "Hatari"},
                                                      {"Text2", "rootfolder"}};

// The dialog over a settings file whose every path is "/old/" and its key, opened with the
// values read from that file as the main window reads them.
struct SettingsDialogOnFile {
    TestFolder folder;
    ScriptedPrompts prompts;
    Settings settings{folder.settingsPath()};
    std::unique_ptr<SettingsDialog> dialog;

    SettingsDialogOnFile() {
        for (const auto& [box, key] : kBoxes)
            writeini(QStringLiteral("settings"), QLatin1String(key),
                     QStringLiteral("/old/") + QLatin1String(key), settings.file());
    }
    void open() {
        dialog =
            std::make_unique<SettingsDialog>(nullptr, prompts, settings, settings.programPaths());
        dialog->show();
    }
    QLineEdit* box(const char* name) const {
        return dialog->findChild<QLineEdit*>(QLatin1String(name));
    }
    void press(const char* button) {
        dialog->findChild<QPushButton*>(QLatin1String(button))->click();
    }
};

} // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Opened twice and edited the same way: each box shows its setting; a browse fills its box
    // with the choice exactly as made, a cancelled one leaves it. Cancel stores nothing, Ok
    // every box.
    void okStoresTheBoxesAndCancelNothing() {
        SettingsDialogOnFile d;
        const QByteArray stored = fileBytes(d.settings.file());
        for (const char* button : {"Command5", "Command3"}) { // Cancel, then Ok
            d.open();
            for (const auto& [box, key] : kBoxes) {
                QCOMPARE(d.box(box)->text(), QStringLiteral("/old/") + QLatin1String(key));
                d.box(box)->setText(QStringLiteral("/new/") + QLatin1String(key));
            }
            d.prompts.setNextFileName(QStringLiteral("/opt/emu/Steem.exe"));
            d.press("Command1");
            d.press("Command4"); // cancelled
            d.prompts.setNextFolder(QStringLiteral("/games/st/"));
            d.press("Command2");
            d.press("Command2"); // cancelled
            d.press(button);
            QVERIFY(!d.dialog->isVisible());
            QCOMPARE(fileBytes(d.settings.file()) == stored, button == QLatin1String("Command5"));
        }
        QStringList values;
        for (const auto& [box, key] : kBoxes)
            values << readini(QStringLiteral("settings"), QLatin1String(key), QString(),
                              d.settings.file());
        QCOMPARE(values, (QStringList{"/opt/emu/Steem.exe", "/new/STew", "/new/SainT",
                                      "/new/Hatari", "/games/st/"}));
    }

    // Ok on a settings file that cannot be written says so, naming the file, and the dialog
    // stays open with what was typed.
    void okThatCannotSaveSaysWhy() {
        SettingsDialogOnFile d;
        const QByteArray stored = fileBytes(d.settings.file());
        d.open();
        d.box("Text2")->setText(QStringLiteral("/new/games"));
        {
            const FileSizeLimit limit(16);
            d.press("Command3");
        }
        QCOMPARE(d.prompts.shown().size(), 1);
        QVERIFY2(d.prompts.shownTexts()[0].contains(d.settings.file()),
                 qPrintable(d.prompts.shownTexts()[0]));
        QVERIFY(d.dialog->isVisible());
        QCOMPARE(d.box("Text2")->text(), QStringLiteral("/new/games"));
        QCOMPARE(fileBytes(d.settings.file()), stored);
    }
};

KESTREL_TEST(SettingsDialogTest)
#include "SettingsDialogTest.moc"
