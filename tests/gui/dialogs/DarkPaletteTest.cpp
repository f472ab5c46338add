#include "common/TestRegistry.h"

#include "gui/dialogs/AboutDialog.h"
#include "gui/platform/Shell.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QTest>

// On a dark desktop the About link takes the desktop's link colour, and under the pointer a red
// light enough to read on the window.
class DarkPaletteTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void linkReadsOnADarkWindow() {
        const QPalette light = QApplication::palette();
        const auto restore = qScopeGuard([&] { QApplication::setPalette(light); });
        QPalette dark = light;
        dark.setColor(QPalette::Window, QColor(40, 40, 40));
        dark.setColor(QPalette::WindowText, QColor(220, 220, 220));
        dark.setColor(QPalette::Link, QColor(100, 170, 255));
        QApplication::setPalette(dark);

        RecordingShell shell;
        AboutDialog about(nullptr, shell);
        about.show();
        auto* link = about.findChild<QLabel*>(QStringLiteral("Label3"));
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(100, 170, 255));
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(link->mapToGlobal(QPoint(2, 2))),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(link, &move);
        const QColor hovered = link->palette().color(QPalette::WindowText);
        QCOMPARE(hovered.hue(), 0);
        QVERIFY(hovered.lightness() > 128);
    }
};

KESTREL_TEST(DarkPaletteTest)
#include "DarkPaletteTest.moc"
