#include "common/TestRegistry.h"

#include "WindowHarness.h"

#include "gui/mainwindow/ResultListModel.h"
#include "core/settings/SettingsStore.h"
#include "core/catalogue/Catalogue.h"
#include "gui/dialogs/SettingsDialog.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>

namespace {

// Three disks: Auto/AUTO012.st (available), Auto/AUTO120.st (unavailable), DBug/DB.msa
// (undumped), and a fourth with no code.
const char* const kCatalogue =
    "INSERT INTO Dnames VALUES (1, 1, 'Auto', 'AUTO', '012', 'st'),"
    " (2, 0, 'Auto', 'AUTO', '120', 'st'), (3, 2, 'DBug', 'DB', NULL, 'msa'),"
    " (4, NULL, 'Auto', 'AUTO', '200', 'st');"
    "INSERT INTO Compilations VALUES (1, 'Automation 12', 'Dragon Ninja', 0, 1),"
    " (2, 'Automation 12', 'Alpha Wave', 0, 1), (3, 'Automation 120', 'Zork', -1, 2),"
    " (4, 'D-Bug 3', 'Beta Blast', 0, 3), (5, 'Automation 200', 'Cyber Run', 0, 4);";

QString settingsWithRoot(const QString& root, const QString& selected = QStringLiteral("steem")) {
    TestFolder scratch;
    scratch.writeSettings(TestFolder::defaultSettings());
    writeini(QStringLiteral("settings"), QStringLiteral("rootfolder"), root,
             scratch.settingsPath());
    writeini(QStringLiteral("settings"), QStringLiteral("selected"), selected,
             scratch.settingsPath());
    writeini(QStringLiteral("settings"), QStringLiteral("STeem"),
             QStringLiteral("C:\\Emu\\Steem.exe"), scratch.settingsPath());
    writeini(QStringLiteral("settings"), QStringLiteral("Hatari"),
             QStringLiteral("/usr/bin/hatari"), scratch.settingsPath());
    return scratch.readFile(QStringLiteral("Rummage.ini"));
}

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

int rowOf(WindowHarness& h, const char* nummer) {
    const QStringList numbers = h.column(2);
    return int(numbers.indexOf(QLatin1String(nummer)));
}

void clickRow(WindowHarness& h, const char* nummer) {
    const int row = rowOf(h, nummer);
    QVERIFY(row >= 0);
    QTreeView* list = h.window->ListView1;
    const QRect cell = list->visualRect(h.window->resultList()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

QVariant codeOf(WindowHarness& h, int fId) {
    return h.catalogue.query(QStringLiteral("SELECT got FROM Dnames WHERE F_ID = %1").arg(fId))
        .row(0)[0];
}

} // namespace

class ImagesWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_root;

private Q_SLOTS:
    void rowClickShowsTheDisk() {
        WindowHarness h(settingsWithRoot(QStringLiteral("/st")), QLatin1String(kCatalogue));
        h.window->show();
        h.listAll();
        QCOMPARE(h.window->selectedFlag(), qint16(0));
        clickRow(h, "3");
        QCOMPARE(h.window->selectedFlag(), qint16(1));
        QCOMPARE(h.window->StatusPanels[0]->text(), QStringLiteral("Zork"));
        QCOMPARE(h.window->StatusPanels[1]->text(), QStringLiteral("Unavailable"));
        QCOMPARE(h.window->StatusPanels[2]->text(), QStringLiteral("Auto/AUTO120.st"));
        QCOMPARE(h.window->selectedImagePath(), QStringLiteral("/st/Auto/AUTO120.st"));

        // The tooltip of the status bar now names the whole path.
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(h.window->StatusBar1, &move);
        QCOMPARE(h.window->StatusBar1->toolTip(), QStringLiteral("/st/Auto/AUTO120.st"));

        clickRow(h, "4");
        QCOMPARE(h.window->StatusPanels[1]->text(), QStringLiteral("Undumped"));
        QCOMPARE(h.window->StatusPanels[2]->text(), QStringLiteral("DBug/DB.msa"));
    }

    void playChecksInOrderThenStarts() {
        WindowHarness h(settingsWithRoot(QStringLiteral("/st")), QLatin1String(kCatalogue));
        h.window->show();
        QAction* play = h.find<QAction>("mnuplay");
        play->trigger();
        QCOMPARE(h.prompts.shownTexts().last(), QStringLiteral("No Game has been selected!"));

        h.listAll();
        clickRow(h, "3"); // unavailable
        play->trigger();
        QCOMPARE(h.prompts.shownTexts().last(),
                 QStringLiteral("You do not appear to have the disk image for this game!"));

        clickRow(h, "1"); // available, Steem configured
        h.find<QAction>("Play")->trigger();
        QCOMPARE(h.shell.started.size(), 1);
        QCOMPARE(h.shell.started[0].program, QStringLiteral("C:\\Emu\\Steem.exe"));
        QCOMPARE(h.shell.started[0].arguments, QStringList{"/st/Auto/AUTO012.st"});

        // Drive B comes from the clicked row's record, and Hatari takes it too.
        clickRow(h, "5");
        h.find<QAction>("mnudriveB")->trigger();
        QCOMPARE(h.window->driveBImagePath(), QStringLiteral("/st/Auto/AUTO200.st"));
        h.find<QAction>("mnuhatari")->trigger();
        QCOMPARE(h.setting("settings", "selected"), QStringLiteral("hatari"));
        clickRow(h, "1");
        play->trigger();
        QCOMPARE(h.shell.started.size(), 2);
        QCOMPARE(h.shell.started[1].program, QStringLiteral("/usr/bin/hatari"));
        QCOMPARE(h.shell.started[1].arguments,
                 (QStringList{"--disk-b", "/st/Auto/AUTO200.st", "/st/Auto/AUTO012.st"}));

        // A misnamed program is refused before anything starts; a failed start is reported.
        h.find<QAction>("mnusaint")->trigger();
        play->trigger();
        QCOMPARE(h.prompts.shownTexts().last(),
                 QStringLiteral("You have not configured SainT correctly!"));
        QCOMPARE(h.shell.started.size(), 2);
        h.find<QAction>("mnusteem")->trigger();
        h.shell.failure = QStringLiteral("the program does not exist");
        play->trigger();
        QVERIFY(h.prompts.shownTexts().last().contains(QStringLiteral("C:\\Emu\\Steem.exe")));
        QVERIFY(
            h.prompts.shownTexts().last().contains(QStringLiteral("the program does not exist")));

        // A new search needs a new click.
        h.listAll();
        h.window->OKButton->click();
        play->trigger();
        QCOMPARE(h.prompts.shownTexts().last(), QStringLiteral("No Game has been selected!"));
    }

    void settingsInUseChangeOnlyWhenTheDialogCloses() {
        WindowHarness h(settingsWithRoot(QStringLiteral("/st")), QLatin1String(kCatalogue));
        // Once read, the values hold until the dialog closes, even against a hand edit; the
        // dialog opens with them. Cancel then reads the file again, Ok stores the boxes first.
        QCOMPARE(h.window->rootGameFolder(), QStringLiteral("/st"));
        writeini(QStringLiteral("settings"), QStringLiteral("rootfolder"),
                 QStringLiteral("/by/hand"), h.folder.settingsPath());
        QCOMPARE(h.window->rootGameFolder(), QStringLiteral("/st"));
        QString shown;
        QPoint offCentre; // from the place centred over the window
        const auto typeRootAndPress = [&](const char* button) {
            QTimer::singleShot(0, [&, button] {
                auto* dialog = h.window->findChild<SettingsDialog*>();
                const QRect owner = h.window->frameGeometry();
                offCentre =
                    dialog->pos() - QPoint(owner.left() + (owner.width() - dialog->width()) / 2,
                                           owner.top() + (owner.height() - dialog->height()) / 2);
                auto* root = dialog->findChild<QLineEdit*>(QStringLiteral("Text2"));
                shown = root->text();
                root->setText(QStringLiteral("/games/st"));
                dialog->findChild<QPushButton*>(QLatin1String(button))->click();
            });
        };
        typeRootAndPress("Command5");
        h.find<QAction>("Settings")->trigger();
        QCOMPARE(offCentre, QPoint());
        QCOMPARE(shown, QStringLiteral("/st"));
        QCOMPARE(h.window->rootGameFolder(), QStringLiteral("/by/hand"));

        typeRootAndPress("Command3");
        h.find<QAction>("mnusettings")->trigger();
        QCOMPARE(shown, QStringLiteral("/by/hand"));
        QCOMPARE(h.setting("settings", "rootfolder"), QStringLiteral("/games/st"));
        QCOMPARE(h.window->rootGameFolder(), QStringLiteral("/games/st"));
    }

    void fullAuditFollowsTheDrive() {
        const QString root = m_root.path() + QStringLiteral("/full");
        touch(root + QStringLiteral("/Auto/auto120.ST")); // other case: present
        touch(root + QStringLiteral("/DBug/DB.msa"));     // undumped stays undumped
        touch(root + QStringLiteral("/Auto/AUTO200.st")); // no code stays without
        WindowHarness h(settingsWithRoot(root), QLatin1String(kCatalogue));
        h.window->show();
        h.listAll();
        h.window->Text1->setText(QStringLiteral("Favourites")); // as after listing favourites
        clickRow(h, "1");
        h.find<QAction>("mnuaudit")->trigger();
        QVERIFY(h.prompts.shown().isEmpty());
        QCOMPARE(codeOf(h, 1), QVariant(0));
        QCOMPARE(codeOf(h, 2), QVariant(1));
        QCOMPARE(codeOf(h, 3), QVariant(2));
        QVERIFY(codeOf(h, 4).isNull());
        QCOMPARE(h.window->StatusPanels[0]->text(), QStringLiteral("Finished"));
        QCOMPARE(h.window->StatusPanels[1]->text(), QStringLiteral("Disks left to scan... 0"));
        QVERIFY(h.window->StatusPanels[2]->text().startsWith(QStringLiteral(" Audited in: ")));
        QVERIFY(!h.window->ProgressBar1->isVisible());
        QCOMPARE(h.window->selectedFlag(), qint16(0));
    }

    void auditsAskBeforeAMissingRoot() {
        WindowHarness h(settingsWithRoot(m_root.path() + QStringLiteral("/not-mounted")),
                        QLatin1String(kCatalogue));
        h.prompts.setNextAnswer(Prompts::Answer::No);
        h.find<QAction>("Audit")->trigger();
        QCOMPARE(h.prompts.shown().size(), 1);
        QCOMPARE(h.prompts.shown()[0].buttons, Prompts::Buttons::YesNo);
        QCOMPARE(h.prompts.shown()[0].defaultAnswer, Prompts::Answer::No); // the safe choice
        QVERIFY(h.prompts.shown()[0].text.contains(QStringLiteral("not-mounted")));
        QCOMPARE(codeOf(h, 1), QVariant(1));
        h.prompts.setNextAnswer(Prompts::Answer::Yes);
        h.find<QAction>("Audit")->trigger();
        QCOMPARE(codeOf(h, 1), QVariant(0));
    }

    void groupAndGameAudits() {
        const QString root = m_root.path() + QStringLiteral("/group");
        touch(root + QStringLiteral("/Auto/AUTO120.st"));
        WindowHarness h(settingsWithRoot(root), QLatin1String(kCatalogue));
        h.window->show();
        h.find<QAction>("mnuauditgroup")->trigger();
        QCOMPARE(h.prompts.shownTexts().last(),
                 QStringLiteral("No Group has been selected to audit!"));

        h.window->Combo6->setCurrentText(QStringLiteral("D-Bug"));
        h.find<QAction>("mnuauditgroup")->trigger();
        QCOMPARE(codeOf(h, 1), QVariant(1)); // other groups untouched
        QCOMPARE(codeOf(h, 3), QVariant(2));

        // A search result is listed again after the audit, as the Search button would.
        h.window->Combo6->setCurrentText(QStringLiteral("Automation"));
        h.window->OKButton->click();
        QCOMPARE(h.window->resultList()->rowCount(), 4);
        h.find<QAction>("mnuauditgroup")->trigger();
        QCOMPARE(codeOf(h, 1), QVariant(0));
        QCOMPARE(codeOf(h, 2), QVariant(1));
        QCOMPARE(h.window->resultList()->row(rowOf(h, "3")).icon, int(AvailableIcon));

        // One game: an undumped row is refused with its own caption.
        clickRow(h, "1");
        touch(root + QStringLiteral("/Auto/AUTO012.st"));
        h.find<QAction>("mnuauditgame")->trigger();
        QCOMPARE(codeOf(h, 1), QVariant(1));
        QCOMPARE(h.window->resultList()->row(rowOf(h, "1")).icon, int(AvailableIcon));
        QCOMPARE(h.window->selectedFlag(), qint16(0));

        h.window->Combo6->setCurrentText(QStringLiteral("D-Bug"));
        h.window->OKButton->click();
        clickRow(h, "4");
        h.find<QAction>("mnuauditgame")->trigger();
        QCOMPARE(h.prompts.shown().last().caption, QStringLiteral("Audit Info"));
        QCOMPARE(codeOf(h, 3), QVariant(2));
    }
};

KESTREL_TEST(ImagesWindowTest)
#include "ImagesWindowTest.moc"
