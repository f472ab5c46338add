#include "common/TestRegistry.h"

#include "WindowHarness.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>

namespace {

void clickHeader(WindowHarness& h, int section) {
    QHeaderView* header = h.find<QTreeView>("ListView1")->header();
    const QPoint centre(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
}

} // namespace

// How the search controls reach the browser and how its answers are shown; what a search
// finds is tested without a window.
class SearchWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The box shows the text as searched, and the history puts it first. Enter in the box
    // searches, pressed where the focus is when the user types; another key only types.
    void searchButtonAndEnterList() {
        WindowHarness h;
        h.search(QStringLiteral("+alpha"));
        QCOMPARE(h.column(0), (QStringList{"Alpha Centauri", "alpha Wave"}));
        QCOMPARE(h.text("Label3"), QStringLiteral("  2 results"));
        QVERIFY(h.text("Label14").startsWith(QStringLiteral(" found in: ")));
        QVERIFY(!h.shown("Frame3") && !h.shown("Frame1"));
        QCOMPARE(h.find<QLineEdit>("Text1")->text(), QString());
        auto* box = h.find<QComboBox>("Combo8");
        QCOMPARE(box->currentText(), QStringLiteral("alpha"));
        QCOMPARE(box->itemText(0), QStringLiteral("alpha"));
        QTest::keyClick(box->lineEdit(), Qt::Key_End);
        QTest::keyClicks(box->lineEdit(), QStringLiteral("x"));
        QCOMPARE(h.rows(), 2);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(h.rows(), 0);
        QVERIFY(h.shown("Frame1"));
    }

    // A program folder without its settings file: the window searches in the delivered column
    // order, and the search history it writes brings back every other setting.
    void searchWithoutSettingsFile() {
        WindowHarness h;
        h.window.reset();
        QVERIFY(QFile::remove(h.folder.settingsPath()));
        h.window = h.open(h.catalogue);
        h.search(QStringLiteral("+alpha"));
        QCOMPARE(h.headers().mid(0, 2), (QStringList{"Game", "Group"}));
        QCOMPARE(h.column(0), (QStringList{"Alpha Centauri", "alpha Wave"}));
        QCOMPARE(h.setting("searchbox", "2"), QStringLiteral("alpha"));
        QCOMPARE(h.setting("colorder", "1") + u' ' + h.setting("colorder", "2") + u' ' +
                     h.setting("settings", "selected"),
                 QStringLiteral("Game Group hatari"));
    }

    // A refused search leaves the list, one the catalogue rejects empties it; both say why.
    void refusalsAndRejectionsAreShown() {
        WindowHarness h;
        h.search(QStringLiteral("dragon"));
        h.search(QString());
        QVERIFY(h.lastPrompt().startsWith(QStringLiteral("You must specify a search string")));
        QCOMPARE(h.rows(), 1);
        const QString count = h.text("Label3");
        h.search(QStringLiteral("[abc"));
        QVERIFY(h.lastPrompt().contains(QStringLiteral("Invalid pattern string\nThe \"[\" at the "
                                                       "start of \"%[abc%\" is never closed")));
        QCOMPARE(h.rows(), 0);
        QCOMPARE(h.text("Label3"), count);
        QCOMPARE(h.setting("searchbox", "2"), QStringLiteral("dragon"));
    }

    void groupBoxFillsTheDiskBox() {
        WindowHarness h;
        auto* disks = h.find<QComboBox>("Combo1");
        h.find<QComboBox>("Combo6")->setCurrentText(QStringLiteral("Automation"));
        QVERIFY(disks->isEnabled());
        QCOMPARE(disks->count(), 4); // "All" and three titles
        QCOMPARE(h.rows(), 0);       // choosing a group searches nothing
        disks->setCurrentIndex(2);
        h.search(QStringLiteral(" "), QStringLiteral("Automation"));
        QCOMPARE(h.column(2), QStringList{"3"});
        h.find<QComboBox>("Combo6")->setCurrentText(QStringLiteral("ALL"));
        QVERIFY(!disks->isEnabled());
        QCOMPARE(disks->currentText(), QStringLiteral("All"));
    }

    void compressorListsOneLinePerDisk() {
        WindowHarness h;
        h.find<QComboBox>("Combo6")->setCurrentText(QStringLiteral("Automation"));
        h.trigger("compressor");
        // In the list's order, by game.
        QCOMPARE(h.column(1), (QStringList{"Automation 200", "Automation 12", "Automation 120"}));
        QCOMPARE(h.text("Label3"), QStringLiteral("  3 results"));
        QVERIFY(h.shown("Frame3"));
    }

    // The operator shows its help and narrows a name search; a letter search has none and
    // leaves the history alone.
    void operatorBoxAndModes() {
        WindowHarness h;
        auto* operators = h.find<QComboBox>("Combo9");
        operators->setCurrentText(QStringLiteral("starts with"));
        QVERIFY(h.text("Label12").contains(QStringLiteral("No special characters")));
        h.search(QStringLiteral("a"));
        QCOMPARE(h.column(0), (QStringList{"Alpha Centauri", "alpha Wave"}));
        h.find<QRadioButton>("Option1")->click();
        QVERIFY(!operators->isEnabled());
        h.find<QComboBox>("Combo3")->setCurrentText(QStringLiteral("z"));
        h.search(QStringLiteral("not used"));
        QCOMPARE(h.column(0), QStringList{"Zork"});
        QCOMPARE(h.setting("searchbox", "2"), QStringLiteral("a"));
        h.find<QRadioButton>("Option2")->click();
        QVERIFY(operators->isEnabled());
    }

    void resetClearsEverything() {
        WindowHarness h;
        h.search(QStringLiteral("alpha"));
        h.find<QComboBox>("Combo9")->setCurrentIndex(2);
        h.find<QRadioButton>("Option1")->click();
        h.find<QPushButton>("Command1")->click();
        QCOMPARE(h.rows(), 0);
        QVERIFY(h.shown("Frame3"));
        QCOMPARE(h.text("Label3"), QStringLiteral(" Status: Ready To Search"));
        QCOMPARE(h.text("Label14"), QString());
        QCOMPARE(h.find<QComboBox>("Combo8")->currentText(), QString());
        QCOMPARE(h.find<QComboBox>("Combo9")->currentText(), QStringLiteral("contains"));
        QVERIFY(h.find<QRadioButton>("Option2")->isChecked());
        QCOMPARE(h.find<QLineEdit>("Text1")->text(), QStringLiteral("Favourites"));
    }

    void headerClicksSortTheList() {
        WindowHarness h;
        h.search(QStringLiteral(" "));
        QCOMPARE(h.column(0).first(), QStringLiteral("Alpha Centauri"));
        clickHeader(h, 0); // the same header again: descending
        QCOMPARE(h.column(0).first(), QStringLiteral("Zork"));
        clickHeader(h, 1); // another header keeps the direction
        QCOMPARE(h.column(1).first(), QStringLiteral("D-Bug 3"));
        // The next search asks the catalogue for that order.
        h.search(QStringLiteral(" "));
        QCOMPARE(h.column(1).last(), QStringLiteral("Automation 12"));
    }

    // An empty list only gets new headers; a listed one is searched again, so the new search
    // picks up what changed since.
    void reversingColumnsSearchesAgain() {
        WindowHarness h;
        h.find<QCheckBox>("Check1")->click();
        QCOMPARE(h.headers(), (QStringList{"Group", "Game", "Nummer"}));
        QVERIFY(h.shown("Frame3"));
        QCOMPARE(h.setting("order", "value"), QStringLiteral("1"));
        h.find<QCheckBox>("Check1")->click();

        h.search(QStringLiteral("*dragon"));
        h.catalogue.execute(
            QStringLiteral("UPDATE Compilations SET Game = 'Dragon' WHERE Nummer = 3"));
        h.find<QCheckBox>("Check1")->click();
        QCOMPARE(h.column(1), (QStringList{"Dragon", "Dragon Ninja"}));
        QCOMPARE(h.column(0), (QStringList{"Automation 120", "Automation 12"}));
    }

    void popupOnlyOverANonEmptyList() {
        WindowHarness h;
        QWidget* viewport = h.find<QTreeView>("ListView1")->viewport();
        auto* popup = h.find<QMenu>("mnufav");
        QTest::mousePress(viewport, Qt::RightButton, {}, QPoint(20, 10));
        QVERIFY(!popup->isVisible());
        h.search(QStringLiteral(" "));
        QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(20, 10));
        QVERIFY(!popup->isVisible());
        QTest::mousePress(viewport, Qt::RightButton, {}, QPoint(20, 10));
        QVERIFY(popup->isVisible());
        popup->hide();
    }
};

KESTREL_TEST(SearchWindowTest)
#include "SearchWindowTest.moc"
