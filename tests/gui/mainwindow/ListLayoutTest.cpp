#include "common/TestRegistry.h"

#include "WindowHarness.h"

#include <QHeaderView>
#include <QScreen>

// The result list's columns and rows, and the window's size and state across a restart.
class ListLayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Without kept keys: the delivered width (2700 twips at 96 dpi), the second column to the
    // list's edge, the window centred. Nothing is written before the window closes.
    void firstStartKeepsTheDeliveredLayout() {
        WindowHarness h;
        auto* list = h.find<QTreeView>("ListView1");
        QCOMPARE(list->columnWidth(0), 180);
        QCOMPARE(list->columnWidth(0) + list->columnWidth(1), list->viewport()->width());
        const QRect screen = h.window->screen()->geometry();
        QCOMPARE(h.window->pos(),
                 QPoint(screen.left() + (screen.width() - h.window->width()) / 2,
                        screen.top() + (screen.height() - h.window->height()) / 2));
        QCOMPARE(h.setting("Kestrel", "FirstColumnWidth"), QString());
    }

    // What the user left comes back at the next start; the window is centred with its size.
    void layoutComesBackAfterARestart_data() {
        QTest::addColumn<bool>("maximised");
        QTest::newRow("normal") << false;
        QTest::newRow("maximised") << true;
    }
    void layoutComesBackAfterARestart() {
        QFETCH(bool, maximised);
        WindowHarness h;
        h.window->resize(720, 450);
        if (maximised)
            h.window->showMaximized();
        h.find<QTreeView>("ListView1")->header()->resizeSection(0, 250);
        h.window->close();
        Catalogue again;
        const std::unique_ptr<MainWindow> next = h.open(again);
        QCOMPARE(next->isMaximized(), maximised);
        QCOMPARE(next->normalGeometry().size(), QSize(720, 450));
        QCOMPARE(next->findChild<QTreeView*>(QStringLiteral("ListView1"))->columnWidth(0), 250);
    }

    // A group's disks listed by title, the first without a code and so without a mark; every
    // row is still as high as the marks.
    void rowsHoldTheMarksWhateverComesFirst() {
        WindowHarness h;
        h.catalogue.execute(QStringLiteral("UPDATE Dnames SET got = NULL WHERE F_ID = 1"));
        auto* list = h.find<QTreeView>("ListView1");
        // Text lower than the marks, as with small fonts.
        QFont small = list->font();
        small.setPixelSize(8);
        list->setFont(small);
        Q_EMIT list->header()->sectionClicked(1); // by the disk title
        h.find<QComboBox>("Combo6")->setCurrentText(QStringLiteral("Automation"));
        h.trigger("compressor");
        QCOMPARE(h.column(1).first(), QStringLiteral("Automation 12"));
        QVERIFY(list->model()->index(1, 0).data(Qt::DecorationRole).isValid());
        for (int row = 0; row < h.rows(); ++row)
            QVERIFY(list->visualRect(list->model()->index(row, 0)).height() >=
                    list->iconSize().height());
    }

    // Well below the old 926 by 525, and every control gets at least the width it asks for.
    void theWindowGoesSmall() {
        WindowHarness h;
        const QSize smallest = h.window->minimumSizeHint();
        QVERIFY2(smallest.width() <= 720 && smallest.height() <= 440,
                 qPrintable(QStringLiteral("%1x%2").arg(smallest.width()).arg(smallest.height())));
        h.window->resize(smallest);
        QCoreApplication::processEvents();
        for (QWidget* control : h.window->findChildren<QWidget*>()) {
            const bool usable = qobject_cast<QAbstractButton*>(control) ||
                                qobject_cast<QComboBox*>(control) || qobject_cast<QLabel*>(control);
            if (usable && control->isVisible())
                QVERIFY2(control->width() >= control->minimumSizeHint().width() &&
                             control->height() > 0,
                         qPrintable(control->objectName()));
        }
        // The syntax panel, over the criteria, fits as well.
        h.trigger("mnusyntax");
        QCoreApplication::processEvents();
        QCOMPARE(h.window->size(), smallest);
    }
};

KESTREL_TEST(ListLayoutTest)
#include "ListLayoutTest.moc"
