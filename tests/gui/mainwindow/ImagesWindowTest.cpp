#include "common/TestRegistry.h"

#include "WindowHarness.h"

#include "core/images/DiskAudit.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QStatusBar>
#include <QTemporaryDir>

namespace {

QString codes(WindowHarness& h) {
    return queryColumn(h.folder.cataloguePath(), "SELECT got FROM Dnames ORDER BY F_ID").join(u' ');
}

// The status bar's tip after the pointer moved over it; "unchanged" when it was left alone.
QString tipAfterHover(WindowHarness& h) {
    auto* bar = h.find<QStatusBar>("StatusBar1");
    bar->setToolTip(QStringLiteral("unchanged"));
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &move);
    return bar->toolTip();
}

} // namespace

// The disk actions of the window: the row click, Play, drive B, the emulator menu, the
// Settings dialog as the holder of the paths, and the three audits.
class ImagesWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_root;

private Q_SLOTS:
    void rowClickShowsTheDisk() {
        WindowHarness h({{"settings", "rootfolder", "/st"}});
        QCOMPARE(tipAfterHover(h), QStringLiteral("unchanged")); // nothing selected yet
        h.search(QStringLiteral(" "));
        h.clickRow(QStringLiteral("3"));
        QCOMPARE((QStringList{h.text("Panel1"), h.text("Panel2"), h.text("Panel3")}),
                 (QStringList{"Zork", "Unavailable", "Auto/AUTO120.st"}));
        QCOMPARE(tipAfterHover(h), QStringLiteral("/st/Auto/AUTO120.st"));
    }

    // Refusals and the shell's failure reach the user; the plan of the emulator chosen in
    // the menu reaches the shell, with the disk placed in drive B.
    void playDriveBAndTheEmulatorMenu() {
        const QString st = m_root.path() + QStringLiteral("/st");
        const QString tos = st + QStringLiteral("/tos.img");
        for (const QString& file : {tos, st + "/Auto/AUTO012.st", st + "/Auto/AUTO200.st"})
            QVERIFY(writeFileBytes(file));
        WindowHarness h({{"settings", "rootfolder", st},
                         {"settings", "selected", "steem"},
                         {"settings", "Hatari", "/usr/bin/hatari"},
                         {"Kestrel", "TosImage", tos}});
        h.trigger("Play");
        QCOMPARE(h.lastPrompt(), QStringLiteral("No Game has been selected!"));
        h.search(QStringLiteral(" "));
        h.clickRow(QStringLiteral("6"));
        h.trigger("mnudriveB");
        h.trigger("mnuhatari");
        h.clickRow(QStringLiteral("1"));
        h.trigger("Play");
        QCOMPARE(h.shell.started.size(), 1);
        QCOMPARE(h.shell.started[0].program, QStringLiteral("/usr/bin/hatari"));
        QCOMPARE(h.shell.started[0].arguments,
                 (QStringList{"--tos", tos, "--disk-b", st + "/Auto/AUTO200.st",
                              st + "/Auto/AUTO012.st"}));
        h.shell.failure = QStringLiteral("the program does not exist");
        h.trigger("Play");
        QVERIFY(h.lastPrompt().contains(QStringLiteral("does not exist")));
    }

    // The paths in use are those of the settings file as last loaded: at their first use, and
    // again whenever the dialog closes, by Cancel or by Ok, which stores the dialog's.
    void settingsDialogReloadsThePaths() {
        WindowHarness h({{"settings", "rootfolder", "/st"}});
        const auto setRoot = [&](const char* command, const char* root, const char* button) {
            return h.withDialog([&] { h.trigger(command); },
                                [&](QWidget* dialog) {
                                    dialog->findChild<QLineEdit*>(QStringLiteral("Text2"))
                                        ->setText(QLatin1String(root));
                                    dialog->findChild<QPushButton*>(QLatin1String(button))->click();
                                });
        };
        h.search(QStringLiteral("zork"));
        h.clickRow(QStringLiteral("3"));
        writeini(QStringLiteral("settings"), QStringLiteral("rootfolder"), QStringLiteral("/new"),
                 h.folder.settingsPath());
        QCOMPARE(tipAfterHover(h), QStringLiteral("/st/Auto/AUTO120.st"));
        QCOMPARE(setRoot("Settings", "/typed", "Command5"), QStringLiteral("Form4"));
        QCOMPARE(tipAfterHover(h), QStringLiteral("/new/Auto/AUTO120.st"));
        setRoot("mnusettings", "/games", "Command3");
        QCOMPARE(h.setting("settings", "rootfolder"), QStringLiteral("/games"));
        QCOMPARE(tipAfterHover(h), QStringLiteral("/games/Auto/AUTO120.st"));
    }

    // Before a missing root folder the user is asked. The bar ends at its maximum, hidden;
    // the favourites are listed again, with the codes found.
    void fullAudit() {
        const QString root = m_root.path() + QStringLiteral("/full");
        WindowHarness h({{"settings", "rootfolder", root}});
        h.trigger("Favourites");
        h.prompts.setNextAnswer(Prompts::Answer::No);
        h.trigger("Audit");
        QVERIFY(h.lastPrompt().contains(root));
        QCOMPARE(codes(h), QStringLiteral("1 0 2 Null"));
        h.prompts.setNextAnswer(Prompts::Answer::Yes);
        h.trigger("Audit");
        QCOMPARE(codes(h), QStringLiteral("0 0 2 Null"));
        QVERIFY(writeFileBytes(root + QStringLiteral("/Auto/AUTO120.st")));
        h.trigger("Audit");
        QCOMPARE(h.prompts.shown().size(), 2);
        QCOMPARE(codes(h), QStringLiteral("0 1 2 Null"));
        QCOMPARE(h.text("Panel1"), QStringLiteral("Finished"));
        QCOMPARE(h.text("Panel2"), QStringLiteral("Disks left to scan... 0"));
        QVERIFY(h.text("Panel3").startsWith(QStringLiteral(" Audited in: ")));
        QVERIFY(!h.find<QProgressBar>("ProgressBar1")->isVisible());
        QCOMPARE(h.find<QProgressBar>("ProgressBar1")->value(), kAuditBarMaximum);
        h.clickRow(QStringLiteral("3"));
        QCOMPARE(h.text("Panel2"), QStringLiteral("Available"));
    }

    // A root folder that is there but empty (an unmounted drive's mount point), or that holds
    // none of the disk folders, is asked about as a missing one, No by default, saying which.
    void rootWithoutTheDiskFoldersAsksFirst() {
        const QString root = m_root.path() + QStringLiteral("/unmounted");
        QVERIFY(QDir().mkpath(root));
        WindowHarness h({{"settings", "rootfolder", root}});
        for (const char* expected : {"is empty", "holds none of the folders"}) {
            h.trigger("Audit");
            QCOMPARE(h.prompts.shown().size(), 1);
            const ScriptedPrompts::Shown& asked = h.prompts.shown().first();
            QVERIFY2(asked.text.contains(root) && asked.text.contains(QLatin1String(expected)),
                     qPrintable(asked.text));
            QCOMPARE(asked.buttons, Prompts::Buttons::YesNo);
            QCOMPARE(asked.defaultAnswer, Prompts::Answer::No);
            QCOMPARE(codes(h), QStringLiteral("1 0 2 Null"));
            h.prompts.clear();
            QVERIFY(writeFileBytes(root + QStringLiteral("/Other/AUTO012.st")));
        }
        h.prompts.setNextAnswer(Prompts::Answer::Yes);
        h.trigger("Audit");
        QCOMPARE(codes(h), QStringLiteral("0 0 2 Null"));
        QCOMPARE(h.text("Panel1"), QStringLiteral("Finished"));
    }

    // A search result is listed again after the audit, as the Search button would.
    void groupAndGameAudits() {
        const QString root = m_root.path() + QStringLiteral("/group");
        QVERIFY(writeFileBytes(root + QStringLiteral("/Auto/AUTO120.st")));
        WindowHarness h({{"settings", "rootfolder", root}});
        h.trigger("mnuauditgroup");
        QCOMPARE(h.lastPrompt(), QStringLiteral("No Group has been selected to audit!"));
        h.search(QStringLiteral(" "), QStringLiteral("Automation"));
        h.trigger("mnuauditgroup");
        QCOMPARE(codes(h), QStringLiteral("0 1 2 Null"));
        h.clickRow(QStringLiteral("3"));
        QCOMPARE(h.text("Panel2"), QStringLiteral("Available"));

        QVERIFY(writeFileBytes(root + QStringLiteral("/Auto/AUTO012.st")));
        h.clickRow(QStringLiteral("1"));
        h.trigger("mnuauditgame");
        QCOMPARE(codes(h), QStringLiteral("1 1 2 Null"));
        h.search(QStringLiteral(" "), QStringLiteral("D-Bug"));
        h.clickRow(QStringLiteral("4"));
        h.trigger("mnuauditgame");
        QCOMPARE(h.prompts.shown().last().caption, QStringLiteral("Audit Info"));
    }
};

KESTREL_TEST(ImagesWindowTest)
#include "ImagesWindowTest.moc"
