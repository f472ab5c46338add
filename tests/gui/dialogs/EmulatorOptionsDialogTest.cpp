#include "common/TestRegistry.h"

#include "common/TestFolder.h"

#include "core/settings/SettingsStore.h"
#include "gui/dialogs/SettingsDialog.h"
#include "gui/platform/Prompts.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// Hatari's TOS image and the extra arguments in the Settings dialog, kept in a section of the
// program's own.
class EmulatorOptionsDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each row: the stored values ("-" for a missing key), what the boxes then get (a browse
    // for the TOS image when it names a file), and what the file holds after Ok.
    void okStoresTheOptions_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("browsed");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("typed") << QStringList{"-", "-"} << QStringList{"/t.img", "--mono"} << ""
                               << QStringList{"/t.img", "--mono"};
        QTest::newRow("browsed") << QStringList{"/old.img", "-x"} << QStringList{"", ""}
                                 << "/emutos/etos1024k.img"
                                 << QStringList{"/emutos/etos1024k.img", ""};
        // A file that never had them is not given empty keys.
        QTest::newRow("never set")
            << QStringList{"-", "-"} << QStringList{"", ""} << "" << QStringList{"-", "-"};
    }
    void okStoresTheOptions() {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, typed);
        QFETCH(QString, browsed);
        QFETCH(QStringList, after);
        TestFolder folder;
        const Settings settings(folder.settingsPath());
        const QStringList keys{"TosImage", "ExtraArguments"};
        for (int i = 0; i < 2; ++i)
            if (stored[i] != u"-")
                writeini(QStringLiteral("Kestrel"), keys[i], stored[i], settings.file());
        ScriptedPrompts prompts;
        SettingsDialog dialog(nullptr, prompts, settings, settings.programPaths());
        auto* tos = dialog.findChild<QLineEdit*>(QStringLiteral("tosImageBox"));
        auto* extra = dialog.findChild<QLineEdit*>(QStringLiteral("extraArgumentsBox"));
        for (QString& value : stored)
            value = value == u"-" ? QString() : value;
        QCOMPARE((QStringList{tos->text(), extra->text()}), stored);
        tos->setText(typed[0]);
        extra->setText(typed[1]);
        if (!browsed.isEmpty()) {
            prompts.setNextFileName(browsed);
            dialog.findChild<QPushButton*>(QStringLiteral("tosImageBrowse"))->click();
        }
        dialog.findChild<QPushButton*>(QStringLiteral("Command3"))->click();
        QStringList found;
        for (const QString& key : keys)
            found << readini(QStringLiteral("Kestrel"), key, QStringLiteral("-"), settings.file());
        QCOMPARE(found, after);
    }
};

KESTREL_TEST(EmulatorOptionsDialogTest)
#include "EmulatorOptionsDialogTest.moc"
