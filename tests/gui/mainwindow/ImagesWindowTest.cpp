#include "common/TestRegistry.h"

#include "WindowHarness.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A fourth disk, without a code, beside the harness's three.
QString catalogueWithUncodedDisk() {
    return WindowHarness::catalogueSql() +
           QStringLiteral("INSERT INTO Dnames VALUES (4, NULL, 'Auto', 'AUTO', '200', 'st');"
                          "INSERT INTO Compilations VALUES (6, 'Automation 200', 'Cyber Run', 0, "
                          "4);");
}

QString settingsWithRoot(const QString& root) {
    const QByteArray path = root.toUtf8();
    return WindowHarness::settingsWith({{"settings", "rootfolder", path.constData()},
                                        {"settings", "selected", "steem"},
                                        {"settings", "STeem", "C:\\Emu\\Steem.exe"},
                                        {"settings", "Hatari", "/usr/bin/hatari"}});
}

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

QVariant codeOf(WindowHarness& h, int fId) {
    return h.catalogue.query(QStringLiteral("SELECT got FROM Dnames WHERE F_ID = %1").arg(fId))
        .row(0)[0];
}

} // namespace

// The disk actions of the window: the row click, Play, drive B, the emulator menu, the
// Settings dialog as the holder of the paths, and the three audits.
class ImagesWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_root;

private Q_SLOTS:
    void rowClickShowsTheDisk() {
        WindowHarness h(settingsWithRoot(QStringLiteral("/st")));
        auto* bar = h.find<QStatusBar>("StatusBar1");
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        bar->setToolTip(QStringLiteral("before"));
        QCoreApplication::sendEvent(bar, &move); // nothing selected yet: no change
        QCOMPARE(bar->toolTip(), QStringLiteral("before"));

        h.search(QStringLiteral(" "));
        h.clickRow(QStringLiteral("3"));
        QCOMPARE(h.text("Panel1"), QStringLiteral("Zork"));
        QCOMPARE(h.text("Panel2"), QStringLiteral("Unavailable"));
        QCOMPARE(h.text("Panel3"), QStringLiteral("Auto/AUTO120.st"));
        QCoreApplication::sendEvent(bar, &move);
        QCOMPARE(bar->toolTip(), QStringLiteral("/st/Auto/AUTO120.st"));
        h.clickRow(QStringLiteral("4"));
        QCOMPARE(h.text("Panel2"), QStringLiteral("Undumped"));
    }

    void playDriveBAndTheEmulatorMenu() {
        WindowHarness h(settingsWithRoot(QStringLiteral("/st")), catalogueWithUncodedDisk());
        h.trigger("mnuplay");
        QCOMPARE(h.prompts.shownTexts().last(), QStringLiteral("No Game has been selected!"));
        h.search(QStringLiteral(" "));
        h.clickRow(QStringLiteral("3")); // unavailable
        h.trigger("Play");
        QCOMPARE(h.prompts.shownTexts().last(),
                 QStringLiteral("You do not appear to have the disk image for this game!"));

        h.clickRow(QStringLiteral("1"));
        h.trigger("Play");
        QCOMPARE(h.shell.started.size(), 1);
        QCOMPARE(h.shell.started[0].program, QStringLiteral("C:\\Emu\\Steem.exe"));
        QCOMPARE(h.shell.started[0].arguments, QStringList{"/st/Auto/AUTO012.st"});

        // Drive B is the clicked row's disk; Hatari takes it too, and the choice is stored.
        h.clickRow(QStringLiteral("6"));
        h.trigger("mnudriveB");
        h.trigger("mnuhatari");
        QCOMPARE(h.setting("settings", "selected"), QStringLiteral("hatari"));
        h.clickRow(QStringLiteral("1"));
        h.trigger("mnuplay");
        QCOMPARE(h.shell.started.size(), 2);
        QCOMPARE(h.shell.started[1].program, QStringLiteral("/usr/bin/hatari"));
        QCOMPARE(h.shell.started[1].arguments,
                 (QStringList{"--disk-b", "/st/Auto/AUTO200.st", "/st/Auto/AUTO012.st"}));

        h.trigger("mnusaint");
        h.trigger("mnuplay");
        QCOMPARE(h.prompts.shownTexts().last(),
                 QStringLiteral("You have not configured SainT correctly!"));
        h.trigger("mnusteem");
        h.shell.failure = QStringLiteral("the program does not exist");
        h.trigger("mnuplay");
        QVERIFY(h.prompts.shownTexts().last().contains(QStringLiteral("does not exist")));

        h.search(QStringLiteral(" ")); // a new search needs a new click
        h.trigger("mnuplay");
        QCOMPARE(h.prompts.shownTexts().last(), QStringLiteral("No Game has been selected!"));
    }

    void settingsDialogHoldsTheValues() {
        WindowHarness h(settingsWithRoot(QStringLiteral("/st")));
        h.search(QStringLiteral("zork"));
        h.clickRow(QStringLiteral("3"));
        // Edited and cancelled: the stored values stay in use.
        const QString opened =
            h.withDialog([&] { h.trigger("Settings"); },
                         [](QWidget* dialog) {
                             dialog->findChild<QLineEdit*>(QStringLiteral("Text2"))
                                 ->setText(QStringLiteral("/elsewhere"));
                             dialog->findChild<QPushButton*>(QStringLiteral("Command5"))->click();
                         });
        QCOMPARE(opened, QStringLiteral("Form4"));
        h.withDialog([&] { h.trigger("mnusettings"); },
                     [](QWidget* dialog) {
                         dialog->findChild<QLineEdit*>(QStringLiteral("Text2"))
                             ->setText(QStringLiteral("/games"));
                         dialog->findChild<QPushButton*>(QStringLiteral("Command3"))->click();
                     });
        QCOMPARE(h.setting("settings", "rootfolder"), QStringLiteral("/games"));
        h.clickRow(QStringLiteral("3"));
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(h.find<QStatusBar>("StatusBar1"), &move);
        QCOMPARE(h.find<QStatusBar>("StatusBar1")->toolTip(),
                 QStringLiteral("/games/Auto/AUTO120.st"));
    }

    void fullAuditFollowsTheDrive() {
        const QString root = m_root.path() + QStringLiteral("/full");
        touch(root + QStringLiteral("/Auto/auto120.ST")); // another case: present
        touch(root + QStringLiteral("/DBug/DB.msa"));     // undumped stays undumped
        WindowHarness h(settingsWithRoot(root), catalogueWithUncodedDisk());
        h.trigger("Favourites");
        h.trigger("mnuaudit");
        QVERIFY(h.prompts.shown().isEmpty());
        QCOMPARE(codeOf(h, 1), QVariant(0));
        QCOMPARE(codeOf(h, 2), QVariant(1));
        QCOMPARE(codeOf(h, 3), QVariant(2));
        QVERIFY(codeOf(h, 4).isNull());
        QCOMPARE(h.text("Panel1"), QStringLiteral("Finished"));
        QCOMPARE(h.text("Panel2"), QStringLiteral("Disks left to scan... 0"));
        QVERIFY(h.text("Panel3").startsWith(QStringLiteral(" Audited in: ")));
        QVERIFY(!h.find<QProgressBar>("ProgressBar1")->isVisible());
        QCOMPARE(h.find<QProgressBar>("ProgressBar1")->value(), 10000);
        // The favourites were listed again.
        QCOMPARE(h.text("Label3"), QStringLiteral("   Favourites: 1 results"));
    }

    void auditsAskBeforeAMissingRoot() {
        WindowHarness h(settingsWithRoot(m_root.path() + QStringLiteral("/not-mounted")));
        h.prompts.setNextAnswer(Prompts::Answer::No);
        h.trigger("Audit");
        QCOMPARE(h.prompts.shown().size(), 1);
        QCOMPARE(h.prompts.shown()[0].buttons, Prompts::Buttons::YesNo);
        QCOMPARE(h.prompts.shown()[0].defaultAnswer, Prompts::Answer::No); // the safe choice
        QVERIFY(h.prompts.shown()[0].text.contains(QStringLiteral("not-mounted")));
        QCOMPARE(codeOf(h, 1), QVariant(1));
        h.prompts.setNextAnswer(Prompts::Answer::Yes);
        h.trigger("Audit");
        QCOMPARE(codeOf(h, 1), QVariant(0));
    }

    void groupAndGameAudits() {
        const QString root = m_root.path() + QStringLiteral("/group");
        touch(root + QStringLiteral("/Auto/AUTO120.st"));
        WindowHarness h(settingsWithRoot(root));
        h.trigger("mnuauditgroup");
        QCOMPARE(h.prompts.shownTexts().last(),
                 QStringLiteral("No Group has been selected to audit!"));

        // A search result is listed again after the audit, as the Search button would.
        h.search(QStringLiteral(" "), QStringLiteral("Automation"));
        h.trigger("mnuauditgroup");
        QCOMPARE(codeOf(h, 1), QVariant(0));
        QCOMPARE(codeOf(h, 2), QVariant(1));
        QCOMPARE(codeOf(h, 3), QVariant(2)); // another group's disk
        h.clickRow(QStringLiteral("3"));
        QCOMPARE(h.text("Panel2"), QStringLiteral("Available"));

        touch(root + QStringLiteral("/Auto/AUTO012.st"));
        h.clickRow(QStringLiteral("1"));
        h.trigger("mnuauditgame");
        QCOMPARE(codeOf(h, 1), QVariant(1));
        h.trigger("mnuplay"); // the audit clears the selection
        QCOMPARE(h.prompts.shownTexts().last(), QStringLiteral("No Game has been selected!"));

        h.search(QStringLiteral(" "), QStringLiteral("D-Bug"));
        h.clickRow(QStringLiteral("4"));
        h.trigger("mnuauditgame");
        QCOMPARE(h.prompts.shown().last().caption, QStringLiteral("Audit Info"));
        QCOMPARE(codeOf(h, 3), QVariant(2));
    }
};

KESTREL_TEST(ImagesWindowTest)
#include "ImagesWindowTest.moc"
