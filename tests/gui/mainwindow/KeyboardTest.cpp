#include "common/TestRegistry.h"

#include "WindowHarness.h"

#include "gui/mainwindow/ResultList.h"

#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTestEventList>

namespace {

// The root game folder with the two disks' files and a TOS image, which Play checks for.
const QString& playRoot() {
    static QTemporaryDir dir;
    static const QString path = [] {
        for (const char* file : {"/tos.img", "/Auto/AUTO012.st", "/Auto/AUTO200.st"})
            writeFileBytes(dir.path() + QLatin1String(file));
        return dir.path();
    }();
    return path;
}

// Every row listed, by game: Alpha Centauri, alpha Wave, Beta Blast, Cyber Run, Dragon Ninja,
// Zork. Cyber Run's disk (AUTO200.st) is made available, so that two disks can be played.
struct KeyboardWindow : WindowHarness {
    KeyboardWindow()
        : WindowHarness({{"settings", "rootfolder", playRoot()},
                         {"settings", "Hatari", "/bin/hatari"},
                         {"Kestrel", "TosImage", playRoot() + "/tos.img"}}) {
        catalogue.execute(QStringLiteral("UPDATE Dnames SET got = 1 WHERE F_ID = 4"));
        search(QStringLiteral(" "));
        // Keys and focus reach only the active window.
        QApplication::setActiveWindow(window.get());
    }
    QTreeView* list() const { return find<QTreeView>("ListView1"); }
    QString played() const {
        return shell.started.isEmpty() ? QString() : shell.started.last().arguments.last();
    }
};

} // namespace

// The result list by the keyboard: the row reached is the one the actions take.
class KeyboardTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // After a click on Cyber Run, the keys move to another row of AUTO012.st; Enter plays
    // that one. Tab into the list with nothing clicked makes the first row current.
    void theRowReachedIsTheOnePlayed_data() {
        QTest::addColumn<bool>("clickFirst");
        QTest::addColumn<QTestEventList>("keys");
        QTest::addColumn<QString>("game");
        const auto keys = [](std::initializer_list<Qt::Key> list) {
            QTestEventList events;
            for (Qt::Key key : list)
                events.addKeyClick(key);
            return events;
        };
        QTest::newRow("arrows") << true << keys({Qt::Key_Up, Qt::Key_Up, Qt::Key_Return})
                                << "alpha Wave";
        QTest::newRow("End, keypad Enter")
            << true << keys({Qt::Key_End, Qt::Key_Up, Qt::Key_Enter}) << "Dragon Ninja";
        QTest::newRow("Page Down")
            << true << keys({Qt::Key_PageDown, Qt::Key_Up, Qt::Key_Return}) << "Dragon Ninja";
        QTestEventList typed;
        typed.addKeyClicks(QStringLiteral("dr"));
        typed.addKeyClick(Qt::Key_Return);
        QTest::newRow("type-ahead") << true << typed << "Dragon Ninja";
        QTest::newRow("Tab in") << false << keys({Qt::Key_Down, Qt::Key_Return}) << "alpha Wave";
    }
    void theRowReachedIsTheOnePlayed() {
        QFETCH(bool, clickFirst);
        QFETCH(QTestEventList, keys);
        QFETCH(QString, game);
        KeyboardWindow h;
        if (clickFirst)
            h.clickRow(QStringLiteral("6"));
        h.list()->setFocus(Qt::TabFocusReason);
        keys.simulate(h.list());
        QCOMPARE(h.text("Panel1"), game);
        QCOMPARE(h.played(), playRoot() + "/Auto/AUTO012.st");
        QCOMPARE(h.shell.started.size(), 1);
    }

    // A click chooses its row once, whether it makes it current or it was current already;
    // a double click plays it.
    void clicksChooseOnceAndDoubleClickPlays() {
        KeyboardWindow h;
        QSignalSpy chosen(h.window->findChild<ResultList*>(), &ResultList::rowChosen);
        h.clickRow(QStringLiteral("1"));
        h.clickRow(QStringLiteral("1"));
        QCOMPARE(chosen.size(), 2);
        // The second press of a double click arrives as a double-click event.
        h.clickRow(QStringLiteral("6"));
        const QPoint cyberRun = h.list()->visualRect(h.list()->currentIndex()).center();
        QMouseEvent second(QEvent::MouseButtonDblClick, cyberRun,
                           h.list()->viewport()->mapToGlobal(cyberRun), Qt::LeftButton,
                           Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(h.list()->viewport(), &second);
        QTest::mouseRelease(h.list()->viewport(), Qt::LeftButton, {}, cyberRun);
        QCOMPARE(chosen.size(), 3);
        QCOMPARE(h.lastPrompt(), QString());
        QCOMPARE(h.played(), playRoot() + "/Auto/AUTO200.st");
    }

    // The menu opens under the current row, wherever the pointer is; over an empty list none.
    void menuKeysOpenThePopupAtTheRow_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Menu") << int(Qt::Key_Menu) << int(Qt::NoModifier);
        QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
    }
    void menuKeysOpenThePopupAtTheRow() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        KeyboardWindow h;
        auto* popup = h.find<QMenu>("mnufav");
        h.list()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(h.list(), Qt::Key_Down);
        QTest::keyClick(h.list(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(popup->isVisible());
        const QRect row = h.list()->visualRect(h.list()->currentIndex());
        // The menu's left edge may be moved to keep it on the screen.
        QCOMPARE(popup->y(), h.list()->viewport()->mapToGlobal(row.bottomLeft()).y());
        popup->hide();
        h.find<QPushButton>("Command1")->click(); // Reset empties the list
        QTest::keyClick(h.list(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(!popup->isVisible());
    }

    // The user types a title and Enter straight away; F1 opens the release notes.
    void startsInTheSearchBoxAndF1Helps() {
        WindowHarness h;
        QApplication::setActiveWindow(h.window.get());
        QWidget* focused = h.window->focusWidget();
        QVERIFY(focused == h.find<QComboBox>("Combo8") ||
                focused == h.find<QComboBox>("Combo8")->lineEdit());
        QTest::keyClicks(focused, QStringLiteral("zork"));
        QTest::keyClick(focused, Qt::Key_Return);
        QCOMPARE(h.column(0), QStringList{"Zork"});
        QCOMPARE(h.withDialog([&] { QTest::keyClick(focused, Qt::Key_F1); }),
                 QStringLiteral("Form3"));
    }
};

KESTREL_TEST(KeyboardTest)
#include "KeyboardTest.moc"
