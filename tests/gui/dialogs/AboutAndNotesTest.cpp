#include "common/TestRegistry.h"

#include "gui/dialogs/AboutDialog.h"
#include "gui/dialogs/ReleaseNotesDialog.h"
#include "gui/platform/Shell.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

namespace {

// A move with no button held, as the pointer passing over `widget` at `at`.
void moveOver(QWidget* widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

QLabel* mailLink(const AboutDialog& about) {
    return about.findChild<QLabel*>(QStringLiteral("Label3"));
}

QColor linkColour(const AboutDialog& about) {
    return mailLink(about)->palette().color(QPalette::WindowText);
}

} // namespace

class AboutAndNotesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void linkFollowsThePointer() {
        RecordingShell shell;
        AboutDialog about(nullptr, shell);
        about.show();
        QCOMPARE(linkColour(about), QColor(0, 0, 255));

        moveOver(mailLink(about), QPoint(2, 2));
        QCOMPARE(linkColour(about), QColor(255, 0, 0));
        QCOMPARE(about.cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(about.cursor().pixmap().size(), QSize(32, 32));
        QCOMPARE(about.cursor().hotSpot(), QPoint(10, 1));

        // The background: the window's margin, outside every control.
        QVERIFY(!about.childAt(QPoint(1, 1)));
        moveOver(&about, QPoint(1, 1));
        QCOMPARE(linkColour(about), QColor(0, 0, 255));
        QCOMPARE(about.cursor().shape(), Qt::ArrowCursor);

        moveOver(mailLink(about), QPoint(3, 3));
        QCOMPARE(linkColour(about), QColor(255, 0, 0));
        QCOMPARE(about.cursor().shape(), Qt::BitmapCursor);
        QVERIFY(shell.opened.isEmpty());
    }

    void clickingTheLinkOpensTheAddressItShows() {
        RecordingShell shell;
        AboutDialog about(nullptr, shell);
        about.show();
        QTest::mouseClick(about.findChild<QLabel*>(QStringLiteral("Label1")), Qt::LeftButton);
        QVERIFY(shell.opened.isEmpty());
        QTest::mouseClick(mailLink(about), Qt::LeftButton);
        QCOMPARE(shell.opened.size(), 1);
        QCOMPARE(shell.opened[0].scheme(), QStringLiteral("mailto"));
        QCOMPARE(mailLink(about)->text(), QStringLiteral("mailto: ") + shell.opened[0].path());
        QVERIFY(shell.started.isEmpty());
    }

    void notesShowTheFileAsPlainText_data() {
        QTest::addColumn<QByteArray>("file"); // empty: there is none
        const QByteArray markup = "<b>Bold?</b> &amp; {\\rtf1 not rich}\n<p>Crew’s notes</p>\n";
        QTest::newRow("markup stays text") << markup;
        QTest::newRow("no file") << QByteArray();
    }
    void notesShowTheFileAsPlainText() {
        QFETCH(QByteArray, file);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Instructions.txt"));
        if (!file.isEmpty()) {
            QFile notes(path);
            QVERIFY(notes.open(QIODevice::WriteOnly));
            notes.write(file);
        }
        ReleaseNotesDialog notes(nullptr, path);
        QCOMPARE(notes.findChild<QTextEdit*>(QStringLiteral("RTB1"))->toPlainText(),
                 QString::fromUtf8(file));
    }
};

KESTREL_TEST(AboutAndNotesTest)
#include "AboutAndNotesTest.moc"
