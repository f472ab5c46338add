#include "common/TestRegistry.h"

#include "WindowHarness.h"

#include "gui/mainwindow/ResultListModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>

namespace {

int markedColumns(const WindowHarness& h) {
    int marked = 0;
    for (int c = 0; c < 3; ++c)
        marked +=
            !h.window->resultList()->headerData(c, Qt::Horizontal, Qt::DecorationRole).isNull();
    return marked;
}

void clickHeader(WindowHarness& h, int section) {
    QHeaderView* header = h.window->ListView1->header();
    const QPoint centre(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
}

} // namespace

class ResultListTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listingShowsRowsCountAndTime() {
        WindowHarness h;
        h.clock.set(1000);
        h.window->starttime = 1000;
        h.clock.set(1031);
        h.listAll();
        QCOMPARE(h.window->resultList()->rowCount(), 5);
        QCOMPARE(h.window->Label3->text(), QStringLiteral("  5 results"));
        QCOMPARE(h.window->Label14->text(),
                 QLocale().toString(0.031).prepend(QStringLiteral(" found in: ")) +
                     QStringLiteral(" secs"));
        QVERIFY(!h.window->Frame1->isVisibleTo(h.window.get()));
        // Sorted by the first column (Game) ascending, letters compared without case.
        QCOMPARE(h.column(0), (QStringList{"Alpha Centauri", "alpha Wave", "Beta Blast",
                                           "Dragon Ninja", "Zork"}));
        QCOMPARE(h.column(2), (QStringList{"5", "2", "4", "1", "3"}));
        QCOMPARE(h.window->resultList()->row(0).icon, int(UndumpedIcon));
        QCOMPARE(h.window->resultList()->row(3).icon, int(AvailableIcon));
        QCOMPARE(h.window->resultList()->row(4).icon, int(UnavailableIcon));
    }

    void tickCountWrapsWithoutHarm() {
        WindowHarness h;
        h.window->starttime = 0xFFFFFFF0u;
        h.clock.set(0x10);
        h.listAll();
        QCOMPARE(h.window->searchtime, 0x20u);
    }

    void emptyListingShowsThePanel() {
        WindowHarness h;
        h.listAll();
        h.window->listStatement(
            QStringLiteral("SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID = "
                           "Dnames.F_ID AND [Game] LIKE 'nothing%'"),
            QStringLiteral("  no results "));
        QCOMPARE(h.window->resultList()->rowCount(), 0);
        QVERIFY(h.window->Frame1->isVisibleTo(h.window.get()));
        QCOMPARE(h.window->Label3->text(), QStringLiteral("  no results "));
        h.listAll();
        QVERIFY(!h.window->Frame1->isVisibleTo(h.window.get()));
    }

    void rejectedStatementKeepsTheTexts() {
        WindowHarness h;
        h.listAll();
        const QString count = h.window->Label3->text();
        const QString time = h.window->Label14->text();
        h.window->listStatement(
            QStringLiteral("SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID = "
                           "Dnames.F_ID AND [Game] LIKE '[abc'"),
            QStringLiteral("  no results "));
        QCOMPARE(h.prompts.shown().size(), 1);
        QVERIFY(h.prompts.shown()[0].text.contains(QStringLiteral("Invalid pattern string")));
        QCOMPARE(h.window->resultList()->rowCount(), 0);
        QCOMPARE(h.window->Label3->text(), count);
        QCOMPARE(h.window->Label14->text(), time);
    }

    void headerClicksSortAndMark() {
        WindowHarness h;
        h.window->show();
        h.listAll();
        clickHeader(h, 0); // same header: descending
        QCOMPARE(h.window->listSort().direction, int(ListSort::Descending));
        QCOMPARE(h.column(0).first(), QStringLiteral("Zork"));
        QCOMPARE(markedColumns(h), 1);
        const qint64 descendingMark = h.window->resultList()
                                          ->headerData(0, Qt::Horizontal, Qt::DecorationRole)
                                          .value<QIcon>()
                                          .cacheKey();
        clickHeader(h, 0); // and back
        QCOMPARE(h.window->listSort().direction, int(ListSort::Ascending));
        QCOMPARE(h.column(0).first(), QStringLiteral("Alpha Centauri"));
        QVERIFY(h.window->resultList()
                    ->headerData(0, Qt::Horizontal, Qt::DecorationRole)
                    .value<QIcon>()
                    .cacheKey() != descendingMark);

        clickHeader(h, 0);
        clickHeader(h, 1); // another header keeps the direction: descending by disk title
        QCOMPARE(h.window->listSort().column, 1);
        QCOMPARE(h.window->listSort().direction, int(ListSort::Descending));
        QCOMPARE(h.column(1).first(), QStringLiteral("D-Bug 3"));
        QCOMPARE(h.column(1).last(), QStringLiteral("Automation 12"));
        // Only the sort column shows a mark.
        QCOMPARE(markedColumns(h), 1);
        QVERIFY(
            !h.window->resultList()->headerData(1, Qt::Horizontal, Qt::DecorationRole).isNull());
    }

    void reversingColumnsKeepsTheSortField() {
        WindowHarness h;
        h.window->show();
        h.listAll();
        clickHeader(h, 0);                   // Game descending
        h.window->Text1->setText(QString()); // as after a search
        QTest::mouseClick(h.window->Check1, Qt::LeftButton);
        QCOMPARE(h.headers(), (QStringList{"Group", "Game", "Nummer"}));
        QCOMPARE(h.window->listSort().column, 1);
        QCOMPARE(h.window->listSort().direction, int(ListSort::Descending));
        QCOMPARE(h.setting("order", "value"), QStringLiteral("1"));
        QCOMPARE(h.setting("colorder", "1"), QStringLiteral("Group"));
        QCOMPARE(h.setting("colorder", "2"), QStringLiteral("Game"));
        QCOMPARE(markedColumns(h), 1);
        QVERIFY(
            !h.window->resultList()->headerData(1, Qt::Horizontal, Qt::DecorationRole).isNull());

        QTest::mouseClick(h.window->Check1, Qt::LeftButton);
        QCOMPARE(h.headers(), (QStringList{"Game", "Group", "Nummer"}));
        QCOMPARE(h.window->listSort().column, 0);
        QCOMPARE(h.window->listSort().direction, int(ListSort::Descending));
        QCOMPARE(h.setting("order", "value"), QStringLiteral("0"));
    }

    void reversingAnEmptyListOnlyRebuildsHeaders() {
        WindowHarness h;
        h.window->show();
        QTest::mouseClick(h.window->Check1, Qt::LeftButton);
        QCOMPARE(h.headers(), (QStringList{"Group", "Game", "Nummer"}));
        QCOMPARE(h.window->resultList()->rowCount(), 0);
        QVERIFY(h.window->Frame3->isVisible());
        QCOMPARE(h.window->Label3->text(), QStringLiteral(" Status: Ready To Search"));
    }

    void popupOnlyOverANonEmptyList() {
        WindowHarness h;
        h.window->show();
        QWidget* viewport = h.window->ListView1->viewport();
        QTest::mousePress(viewport, Qt::RightButton, {}, QPoint(20, 10));
        QVERIFY(!h.window->mnufav->isVisible());

        h.listAll();
        QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(20, 10));
        QVERIFY(!h.window->mnufav->isVisible());
        QTest::mousePress(viewport, Qt::RightButton, Qt::ShiftModifier, QPoint(20, 10));
        QVERIFY(h.window->mnufav->isVisible());
        h.window->mnufav->hide();
    }

    void resetClearsAFilledList() {
        WindowHarness h;
        h.window->show();
        h.listAll();
        h.window->Frame3->hide();
        h.window->Combo3->setCurrentIndex(5);
        h.window->Combo9->setCurrentIndex(2);
        h.window->Combo8->setEditText(QStringLiteral("dragon"));
        h.window->Option1->click();
        QVERIFY(!h.window->Combo9->isEnabled());

        QTest::mouseClick(h.window->Command1, Qt::LeftButton);
        QCOMPARE(h.window->resultList()->rowCount(), 0);
        QVERIFY(h.window->Frame3->isVisible());
        QVERIFY(!h.window->Frame1->isVisible());
        QCOMPARE(h.window->Label3->text(), QStringLiteral(" Status: Ready To Search"));
        QCOMPARE(h.window->Label14->text(), QString());
        QCOMPARE(h.window->Combo3->currentText(), QStringLiteral("-"));
        QCOMPARE(h.window->Combo9->currentText(), QStringLiteral("contains"));
        QCOMPARE(h.window->Combo8->currentText(), QString());
        QVERIFY(h.window->Option2->isChecked());
        QVERIFY(h.window->Combo9->isEnabled());
        QCOMPARE(h.window->listMode(), QStringLiteral("Favourites"));
        QCOMPARE(h.window->selectedFlag(), qint16(0));
    }
};

KESTREL_TEST(ResultListTest)
#include "ResultListTest.moc"
