#include "common/TestRegistry.h"

#include "WindowHarness.h"

#include "gui/mainwindow/ResultListModel.h"
#include "core/search/Listing.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <memory>

namespace {

// Favourites on an available (1), an unavailable (3) and an undumped disk (4).
const char* const kCatalogue =
    "INSERT INTO Dnames VALUES (1, 1, 'Auto', 'AUTO', '012', 'st'),"
    " (2, 0, 'Auto', 'AUTO', '120', 'st'), (3, 2, 'DBug', 'DB', NULL, 'msa');"
    "INSERT INTO Compilations VALUES (1, 'Automation 12', 'Dragon Ninja', -1, 1),"
    " (2, 'Automation 12', 'Alpha Wave', 0, 1), (3, 'Automation 120', 'Zork', -1, 2),"
    " (4, 'D-Bug 3', 'Beta Blast', -1, 3), (5, 'D-Bug 3', 'Dragon Slayer', 0, 3);";

std::unique_ptr<WindowHarness> window() {
    auto h =
        std::make_unique<WindowHarness>(TestFolder::defaultSettings(), QLatin1String(kCatalogue));
    h->window->show();
    return h;
}

void openFavourites(WindowHarness& h) {
    h.find<QAction>("Favourites")->trigger();
}

void search(WindowHarness& h, const QString& text) {
    h.window->Combo8->setEditText(text);
    QTest::mouseClick(h.window->OKButton, Qt::LeftButton);
}

void select(WindowHarness& h, const char* nummer) {
    const int row = int(h.column(2).indexOf(QLatin1String(nummer)));
    QVERIFY2(row >= 0, nummer);
    h.window->ListView1->selectionModel()->setCurrentIndex(h.window->resultList()->index(row, 0),
                                                           QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
}

void popup(WindowHarness& h, const char* item) {
    h.find<QAction>(item)->trigger();
}

// Entry numbers flagged in the catalogue, smallest first.
QList<int> flagged(WindowHarness& h) {
    ResultSet& rows = h.catalogue.query(
        QStringLiteral("SELECT Nummer FROM Compilations WHERE favourite = -1 ORDER BY Nummer"));
    QList<int> numbers;
    for (rows.moveFirst(); !rows.atEnd(); rows.moveNext())
        numbers << rows.field(u"Nummer").toInt();
    return numbers;
}

bool panelShown(const WindowHarness& h) {
    return h.window->Frame1->isVisibleTo(h.window.get());
}

} // namespace

class FavouritesWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listingShowsFavourites_data() {
        QTest::addColumn<bool>("available");
        QTest::addColumn<bool>("unavailable");
        QTest::addColumn<bool>("undumped");
        QTest::addColumn<QStringList>("games");
        QTest::addColumn<QString>("count");
        QTest::newRow("no filter")
            << false << false << false << QStringList{"Beta Blast", "Dragon Ninja", "Zork"}
            << "   Favourites: 3 results";
        QTest::newRow("no unavailable")
            << false << true << false << QStringList{"Beta Blast", "Dragon Ninja"}
            << "   Favourites: 2 results";
        QTest::newRow("only available")
            << false << true << true << QStringList{"Dragon Ninja"} << "   Favourites: 1 results";
        QTest::newRow("nothing passes")
            << true << true << true << QStringList{} << "  Favourites: no results ";
    }
    void listingShowsFavourites() {
        QFETCH(bool, available);
        QFETCH(bool, unavailable);
        QFETCH(bool, undumped);
        QFETCH(QStringList, games);
        QFETCH(QString, count);
        auto h = window();
        Form1* w = h->window.get();
        search(*h, QStringLiteral("dragon"));
        select(*h, "5");
        QTest::mouseClick(w->ListView1->viewport(), Qt::LeftButton, {},
                          w->ListView1->visualRect(w->ListView1->currentIndex()).center());
        QCOMPARE(w->selectedFlag(), qint16(1));
        w->searchtime = 1500;
        h->clock.set(70000);
        w->Check2->setChecked(available);
        w->Check3->setChecked(unavailable);
        w->Check4->setChecked(undumped);

        openFavourites(*h);
        QCOMPARE(h->column(0), games);
        QCOMPARE(w->Label3->text(), count);
        QCOMPARE(panelShown(*h), games.isEmpty());
        QCOMPARE(w->Label14->text(), foundInText(0));
        QCOMPARE(w->starttime, 70000u);
        QCOMPARE(w->searchtime, 0u);
        QCOMPARE(w->listMode(), QStringLiteral("Favourites"));
        QVERIFY(!w->Frame3->isVisible());
        // The listing keeps the selected flag although it replaces the shared result set.
        QCOMPARE(w->selectedFlag(), qint16(1));
        QVERIFY(h->prompts.shown().isEmpty());
    }

    void welcomePanelGivesWayToFavourites() {
        auto h = window();
        QVERIFY(h->window->Frame3->isVisible());
        openFavourites(*h);
        QVERIFY(!h->window->Frame3->isVisible());
        QCOMPARE(h->column(2), (QStringList{"4", "1", "3"}));
    }

    void addMarksTheEntryAndShowsNothing_data() {
        QTest::addColumn<bool>("favouritesListed");
        QTest::addColumn<QByteArray>("entry");
        QTest::newRow("search results") << false << QByteArray("5");
        QTest::newRow("favourites, already one") << true << QByteArray("1");
    }
    void addMarksTheEntryAndShowsNothing() {
        QFETCH(bool, favouritesListed);
        QFETCH(QByteArray, entry);
        auto h = window();
        Form1* w = h->window.get();
        if (favouritesListed)
            openFavourites(*h);
        else
            search(*h, QStringLiteral("dragon"));
        const QStringList rows = h->column(2);
        const QString count = w->Label3->text();
        const QString time = w->Label14->text();
        select(*h, entry.constData());
        popup(*h, "mnufavadd");
        QCOMPARE(flagged(*h), favouritesListed ? (QList<int>{1, 3, 4}) : (QList<int>{1, 3, 4, 5}));
        QCOMPARE(h->column(2), rows);
        QCOMPARE(w->Label3->text(), count);
        QCOMPARE(w->Label14->text(), time);
        QVERIFY(h->prompts.shown().isEmpty());
    }

    void removeUnmarksTheEntry_data() {
        QTest::addColumn<bool>("favouritesListed");
        QTest::addColumn<QStringList>("rowsLeft");
        // Only a favourites list loses the row; the count is the list's either way.
        QTest::newRow("favourites") << true << QStringList{"4", "3"};
        QTest::newRow("search results") << false << QStringList{"1", "5"};
    }
    void removeUnmarksTheEntry() {
        QFETCH(bool, favouritesListed);
        QFETCH(QStringList, rowsLeft);
        auto h = window();
        Form1* w = h->window.get();
        if (favouritesListed)
            openFavourites(*h);
        else
            search(*h, QStringLiteral("dragon"));
        select(*h, "1");
        popup(*h, "mnufavrem");
        QCOMPARE(flagged(*h), (QList<int>{3, 4}));
        QCOMPARE(h->column(2), rowsLeft);
        QCOMPARE(w->Label3->text(), QStringLiteral("  2 results"));
        QVERIFY(!panelShown(*h));
        QVERIFY(h->prompts.shown().isEmpty());
    }

    void removingTheLastFavouriteShowsThePanel() {
        auto h = window();
        Form1* w = h->window.get();
        w->Check3->setChecked(true);
        w->Check4->setChecked(true);
        openFavourites(*h);
        QCOMPARE(h->column(2), QStringList{"1"});
        select(*h, "1");
        popup(*h, "mnufavrem");
        QCOMPARE(w->resultList()->rowCount(), 0);
        QVERIFY(panelShown(*h));
        QCOMPARE(w->Label3->text(), QStringLiteral("  no results "));
        QCOMPARE(flagged(*h), (QList<int>{3, 4}));
    }

    void clearAsksFirst_data() {
        QTest::addColumn<bool>("favouritesListed");
        QTest::addColumn<bool>("yes");
        QTest::newRow("favourites, Yes") << true << true;
        QTest::newRow("favourites, No") << true << false;
        QTest::newRow("search results, Yes") << false << true;
        QTest::newRow("search results, No") << false << false;
    }
    void clearAsksFirst() {
        QFETCH(bool, favouritesListed);
        QFETCH(bool, yes);
        auto h = window();
        Form1* w = h->window.get();
        if (favouritesListed)
            openFavourites(*h);
        else
            search(*h, QStringLiteral("dragon"));
        const QStringList rows = h->column(2);
        const QString count = w->Label3->text();
        const bool panel = panelShown(*h);
        select(*h, "1");
        h->prompts.setNextAnswer(yes ? Prompts::Answer::Yes : Prompts::Answer::No);
        popup(*h, "mnufavclear");

        const QList<ScriptedPrompts::Shown>& shown = h->prompts.shown();
        QCOMPARE(shown.size(), yes ? 2 : 1);
        QCOMPARE(shown[0].text, QStringLiteral("Are you sure you want to clear your Favourites?"));
        QCOMPARE(shown[0].caption, QStringLiteral("Confirm Delete"));
        QVERIFY(shown[0].buttons == Prompts::Buttons::YesNo);
        QVERIFY(shown[0].icon == Prompts::Icon::Question);
        QVERIFY(shown[0].defaultAnswer == Prompts::Answer::Yes);
        if (yes) {
            QCOMPARE(shown[1].text, QStringLiteral("Favourites have been cleared!"));
            QCOMPARE(shown[1].caption, QStringLiteral("Success"));
            QVERIFY(shown[1].buttons == Prompts::Buttons::Ok);
            QVERIFY(shown[1].icon == Prompts::Icon::Exclamation);
        }
        QCOMPARE(flagged(*h), yes ? QList<int>{} : (QList<int>{1, 3, 4}));
        QCOMPARE(h->column(2), yes && favouritesListed ? QStringList{} : rows);
        // Clearing leaves the texts and panels alone, even when it empties the list.
        QCOMPARE(w->Label3->text(), count);
        QCOMPARE(panelShown(*h), panel);
    }

    void withoutSelectedRowNothingHappens_data() {
        QTest::addColumn<QByteArray>("item");
        QTest::newRow("add") << QByteArray("mnufavadd");
        QTest::newRow("remove") << QByteArray("mnufavrem");
        QTest::newRow("clear") << QByteArray("mnufavclear");
    }
    void withoutSelectedRowNothingHappens() {
        QFETCH(QByteArray, item);
        auto h = window();
        search(*h, QStringLiteral("dragon"));
        const QString count = h->window->Label3->text();
        h->window->ListView1->clearSelection();
        h->prompts.setNextAnswer(Prompts::Answer::Yes);
        popup(*h, item.constData());
        QCOMPARE(flagged(*h), (QList<int>{1, 3, 4}));
        QCOMPARE(h->column(2), (QStringList{"1", "5"}));
        QCOMPARE(h->window->Label3->text(), count);
        QVERIFY(h->prompts.shown().isEmpty());
    }

    // Only the exact list mode "Favourites" lets a removal take the row away.
    void removalComparesTheListModeExactly() {
        auto h = window();
        Form1* w = h->window.get();
        search(*h, QStringLiteral("dragon"));
        w->Text1->setText(QStringLiteral("favourites"));
        select(*h, "1");
        popup(*h, "mnufavrem");
        QCOMPARE(h->column(2), (QStringList{"1", "5"}));

        w->Text1->setText(QStringLiteral("Favourites"));
        select(*h, "5");
        popup(*h, "mnufavrem");
        QCOMPARE(h->column(2), QStringList{"1"});
        QCOMPARE(w->Label3->text(), QStringLiteral("  1 results"));
    }
};

KESTREL_TEST(FavouritesWindowTest)
#include "FavouritesWindowTest.moc"
