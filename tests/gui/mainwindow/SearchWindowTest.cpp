#include "common/TestRegistry.h"

#include "WindowHarness.h"

#include "gui/mainwindow/ResultListModel.h"
#include "core/search/Listing.h"
#include "core/search/OperatorHelp.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

std::unique_ptr<WindowHarness> fixtureWindow() {
    auto h = std::make_unique<WindowHarness>(TestFolder::defaultSettings(),
                                             QStringLiteral("catalogue.sql"));
    h->window->show();
    return h;
}

void chooseGroup(WindowHarness& h, const char* group) {
    const int row = h.window->Combo6->findText(QLatin1String(group));
    QVERIFY2(row >= 0, group);
    h.window->Combo6->setCurrentIndex(row);
}

void search(WindowHarness& h, const QString& text) {
    h.window->Combo8->setEditText(text);
    QTest::mouseClick(h.window->OKButton, Qt::LeftButton);
}

// The entry numbers in the list, smallest first.
QList<int> listed(const WindowHarness& h) {
    QList<int> numbers;
    for (const QString& number : h.column(2))
        numbers << number.toInt();
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

QStringList historyRows(const WindowHarness& h) {
    QStringList rows;
    for (int row = 0; row < h.window->Combo8->count(); ++row)
        rows << h.window->Combo8->itemText(row);
    return rows;
}

QStringList sorted(QStringList texts) {
    texts.sort();
    return texts;
}

} // namespace

class SearchWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void searchListsTheRows_data() {
        QTest::addColumn<int>("key"); // 0: the Search button
        QTest::newRow("Search button") << 0;
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    }
    void searchListsTheRows() {
        QFETCH(int, key);
        auto h = fixtureWindow();
        Form1* w = h->window.get();
        w->Text1->setText(QStringLiteral("Favourites"));
        w->Combo8->setEditText(QStringLiteral("*dragon"));
        if (key == 0)
            QTest::mouseClick(w->OKButton, Qt::LeftButton);
        else
            QTest::keyClick(w->Combo8->lineEdit(), Qt::Key(key));
        QCOMPARE(listed(*h), (QList<int>{1, 8}));
        QCOMPARE(w->Label3->text(), QStringLiteral("  2 results"));
        QCOMPARE(w->Label14->text(), foundInText(0));
        QVERIFY(!w->Frame1->isVisible());
        QVERIFY(!w->Frame3->isVisible());
        QCOMPARE(w->listMode(), QString());
        QVERIFY(h->prompts.shown().isEmpty());
    }

    void otherKeysDoNotSearch() {
        auto h = fixtureWindow();
        QTest::keyClick(h->window->Combo8->lineEdit(), Qt::Key_D);
        QCOMPARE(h->window->Combo8->currentText(), QStringLiteral("d"));
        QCOMPARE(h->window->resultList()->rowCount(), 0);
        QVERIFY(h->window->Frame3->isVisible());
        QCOMPARE(h->window->Label3->text(), QStringLiteral(" Status: Ready To Search"));

        // One Enter is one search: a refused one shows its message once.
        h->window->Combo8->setEditText(QString());
        QTest::keyClick(h->window->Combo8->lineEdit(), Qt::Key_Return);
        QCOMPARE(h->prompts.shown().size(), 1);
    }

    void emptyResultShowsThePanel_data() {
        QTest::addColumn<bool>("alpha");
        QTest::addColumn<QString>("emptyText");
        QTest::newRow("name") << false << "  no results ";
        QTest::newRow("alphanumeric") << true << "  no results";
    }
    void emptyResultShowsThePanel() {
        QFETCH(bool, alpha);
        QFETCH(QString, emptyText);
        auto h = fixtureWindow();
        Form1* w = h->window.get();
        if (alpha)
            w->Option1->click();
        w->Combo3->setCurrentIndex(w->Combo3->findText(QStringLiteral("q")));
        search(*h, QStringLiteral("xyzzy"));
        QCOMPARE(w->resultList()->rowCount(), 0);
        QVERIFY(w->Frame1->isVisible());
        QCOMPARE(w->Label3->text(), emptyText);

        w->Combo3->setCurrentIndex(w->Combo3->findText(QStringLiteral("k")));
        search(*h, QStringLiteral("kick"));
        QCOMPARE(listed(*h), alpha ? (QList<int>{3, 6, 10, 27}) : (QList<int>{6}));
        QVERIFY(!w->Frame1->isVisible());
    }

    void refusalsLeaveTheListAlone_data() {
        QTest::addColumn<bool>("alpha");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("exact");
        QTest::newRow("no search string")
            << false << ""
            << "You must specify a search string if searching all groups" << true;
        QTest::newRow("no letter")
            << true << "dragon"
            << "You must specify a letter/number if searching all groups" << true;
        // The limit is the one thing this message must carry.
        QTest::newRow("too many terms") << false << QString(51, u' ') << "51" << false;
    }
    void refusalsLeaveTheListAlone() {
        QFETCH(bool, alpha);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(bool, exact);
        auto h = fixtureWindow();
        Form1* w = h->window.get();
        search(*h, QStringLiteral("dragon"));
        QCOMPARE(w->resultList()->rowCount(), 7);
        const QStringList history = historyRows(*h);
        if (alpha)
            w->Option1->click();
        search(*h, text);
        QCOMPARE(h->prompts.shown().size(), 1);
        const ScriptedPrompts::Shown& shown = h->prompts.shown()[0];
        QVERIFY2(exact ? shown.text == message : shown.text.contains(message),
                 qPrintable(shown.text));
        QCOMPARE(shown.caption, QStringLiteral("Operation Disallowed"));
        QVERIFY(shown.buttons == Prompts::Buttons::Ok);
        QVERIFY(shown.icon == Prompts::Icon::Exclamation);
        QCOMPARE(w->resultList()->rowCount(), 7);
        QCOMPARE(w->Label3->text(), QStringLiteral("  7 results"));
        QCOMPARE(historyRows(*h), history);
        QCOMPARE(h->setting("searchbox", "2"), QStringLiteral("dragon"));
    }

    void searchBoxShowsTheSearchedTextAndTheHistory() {
        auto h = fixtureWindow();
        Form1* w = h->window.get();
        search(*h, QStringLiteral("+dragon ninja"));
        QCOMPARE(listed(*h), (QList<int>{1, 4, 7, 8, 11, 12}));
        QCOMPARE(w->Combo8->currentText(), QStringLiteral("dragon ninja"));
        QCOMPARE(historyRows(*h), (QStringList{"dragon ninja", "", "", "", "", "", "", "", ""}));
        QCOMPARE(h->setting("searchbox", "2"), QStringLiteral("dragon ninja"));

        search(*h, QStringLiteral("ninja"));
        search(*h, QStringLiteral("dragon ninja"));
        QCOMPARE(historyRows(*h),
                 (QStringList{"dragon ninja", "ninja", "", "", "", "", "", "", ""}));
        QCOMPARE(h->setting("searchbox", "3"), QStringLiteral("ninja"));
        QCOMPARE(h->setting("searchbox", "1"), QStringLiteral("endmru"));

        // A lone "+" matches every titled entry and leaves nothing to remember.
        search(*h, QStringLiteral("+"));
        QCOMPARE(w->resultList()->rowCount(), 26);
        QCOMPARE(w->Combo8->currentText(), QString());
        QCOMPARE(h->setting("searchbox", "2"), QStringLiteral("dragon ninja"));

        // Nor does the alphanumeric search touch the history.
        w->Option1->click();
        w->Combo3->setCurrentIndex(w->Combo3->findText(QStringLiteral("d")));
        search(*h, QStringLiteral("unused"));
        QCOMPARE(listed(*h), (QList<int>{1, 2, 13, 14}));
        QCOMPARE(historyRows(*h),
                 (QStringList{"dragon ninja", "ninja", "", "", "", "", "", "", ""}));
    }

    void rejectedStatementIsReported() {
        auto h = fixtureWindow();
        Form1* w = h->window.get();
        search(*h, QStringLiteral("dragon"));
        const QString count = w->Label3->text();
        const QString time = w->Label14->text();
        const QStringList history = historyRows(*h);
        search(*h, QStringLiteral("[abc"));
        QCOMPARE(h->prompts.shown().size(), 1);
        QVERIFY2(h->prompts.shown()[0].text.contains(QStringLiteral("Invalid pattern string")),
                 qPrintable(h->prompts.shown()[0].text));
        QCOMPARE(w->resultList()->rowCount(), 0);
        QCOMPARE(w->Label3->text(), count);
        QCOMPARE(w->Label14->text(), time);
        QCOMPARE(historyRows(*h), history);
        QCOMPARE(h->setting("searchbox", "2"), QStringLiteral("dragon"));
        QCOMPARE(h->setting("searchbox", "3"), QString());
    }

    void groupBoxFillsTheDiskBox() {
        auto h = fixtureWindow();
        Form1* w = h->window.get();
        chooseGroup(*h, "Automation");
        QVERIFY(w->Combo1->isEnabled());
        QStringList disks;
        for (int row = 0; row < w->Combo1->count(); ++row)
            disks << w->Combo1->itemText(row);
        QCOMPARE(disks, (QStringList{"All", "Automation 12", "Automation 120", "Automation 130"}));
        QCOMPARE(w->Combo1->currentText(), QStringLiteral("All"));
        // Choosing a group searches nothing.
        QCOMPARE(w->resultList()->rowCount(), 0);
        QVERIFY(w->Frame3->isVisible());

        w->Combo1->setCurrentIndex(2);
        search(*h, QStringLiteral("ninja"));
        QCOMPARE(listed(*h), (QList<int>{5, 7, 8}));

        chooseGroup(*h, "ALL");
        QVERIFY(!w->Combo1->isEnabled());
        QCOMPARE(w->Combo1->count(), 4);
        QCOMPARE(w->Combo1->currentText(), QStringLiteral("All"));

        chooseGroup(*h, "Deep Thought's");
        QCOMPARE(w->Combo1->count(), 2);
        QCOMPARE(w->Combo1->itemText(1), QStringLiteral("Deep Thought's 4"));
    }

    void compressorListsOneLinePerDisk() {
        auto h = fixtureWindow();
        Form1* w = h->window.get();
        QAction* compress = h->find<QAction>("compressor");
        QVERIFY(compress);

        // With "ALL" nothing happens at all.
        compress->trigger();
        QCOMPARE(w->Label3->text(), QStringLiteral(" Status: Ready To Search"));
        QVERIFY(h->prompts.shown().isEmpty());

        chooseGroup(*h, "Automation");
        w->Label14->setText(QStringLiteral("untouched"));
        compress->trigger();
        QCOMPARE(sorted(h->column(1)),
                 (QStringList{"Automation 12", "Automation 120", "Automation 130"}));
        QCOMPARE(w->Label3->text(), QStringLiteral("  3 results"));
        QCOMPARE(w->Label14->text(), QStringLiteral("untouched"));
        QVERIFY(w->Frame3->isVisible());
        QCOMPARE(w->listMode(), QStringLiteral("Text1"));

        // After a search that found nothing the panel stays up through a compression.
        search(*h, QStringLiteral("xyzzy"));
        QVERIFY(w->Frame1->isVisible());
        w->Check2->setChecked(true);
        compress->trigger();
        QCOMPARE(sorted(h->column(1)), (QStringList{"Automation 120", "Automation 130"}));
        QVERIFY(w->Frame1->isVisible());

        // A group without rows counts 0 and shows no panel.
        search(*h, QStringLiteral("ninja"));
        chooseGroup(*h, "D-Bug");
        compress->trigger();
        QCOMPARE(w->resultList()->rowCount(), 0);
        QCOMPARE(w->Label3->text(), QStringLiteral("  0 results"));
        QVERIFY(!w->Frame1->isVisible());

        chooseGroup(*h, "ALL");
        w->Check2->setChecked(false);
        search(*h, QStringLiteral("ninja"));
        compress->trigger();
        QCOMPARE(w->resultList()->rowCount(), 8);
        QCOMPARE(w->Label3->text(), QStringLiteral("  8 results"));
    }

    void operatorBoxAndModes() {
        auto h = fixtureWindow();
        Form1* w = h->window.get();
        for (int row : {1, 2, 3, 0}) {
            w->Combo9->setCurrentIndex(row);
            QCOMPARE(w->Label12->text(), operatorHelpText(w->Combo9->currentText()));
            QCOMPARE(w->Label12->text().contains(QStringLiteral("No special characters")),
                     row != 0);
        }
        w->Option1->click();
        QVERIFY(!w->Combo9->isEnabled());
        w->Option2->click();
        QVERIFY(w->Combo9->isEnabled());

        w->Combo9->setCurrentIndex(w->Combo9->findText(QStringLiteral("starts with")));
        search(*h, QStringLiteral("dragon n"));
        QCOMPARE(listed(*h), QList<int>{1});
    }

    void reversingColumnsRunsTheSearchAgain() {
        auto h = fixtureWindow();
        Form1* w = h->window.get();
        search(*h, QStringLiteral("*dragon"));
        QCOMPARE(h->column(0), (QStringList{"Dragon Ninja", "Rock'n'Roll Dragon Ninja Warrior"}));
        // Only a new search can pick this entry up.
        h->catalogue.execute(
            QStringLiteral("UPDATE Compilations SET Game = 'Dragon' WHERE Nummer = 3"));
        QTest::mouseClick(w->Check1, Qt::LeftButton);
        QCOMPARE(h->headers(), (QStringList{"Group", "Game", "Nummer"}));
        QCOMPARE(h->column(1),
                 (QStringList{"Dragon", "Dragon Ninja", "Rock'n'Roll Dragon Ninja Warrior"}));
        QCOMPARE(h->column(0), (QStringList{"Automation 12", "Automation 12", "Automation 120"}));
        QCOMPARE(w->Label3->text(), QStringLiteral("  3 results"));
    }
};

KESTREL_TEST(SearchWindowTest)
#include "SearchWindowTest.moc"
