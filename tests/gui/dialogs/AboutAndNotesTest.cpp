#include "common/TestRegistry.h"

#include "common/TestFolder.h"

#include "gui/dialogs/AboutDialog.h"
#include "gui/dialogs/ReleaseNotesDialog.h"
#include "gui/platform/Shell.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

namespace {

// The pointer passing over `widget` at `at`, no button held; then the link's colour and the
// dialog's pointer shape.
std::pair<QColor, Qt::CursorShape> moveOver(const AboutDialog& about, QWidget* widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
    return {
        about.findChild<QLabel*>(QStringLiteral("Label3"))->palette().color(QPalette::WindowText),
        about.cursor().shape()};
}

} // namespace

class AboutAndNotesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Over the link it turns red under the hand; over the background, outside every control,
    // it is blue again under the arrow. Only a click on the link opens the address it shows.
    void linkFollowsThePointerAndOpensItsAddress() {
        RecordingShell shell;
        AboutDialog about(nullptr, shell);
        about.show();
        auto* link = about.findChild<QLabel*>(QStringLiteral("Label3"));
        QCOMPARE(moveOver(about, link, QPoint(2, 2)),
                 std::pair(QColor(255, 0, 0), Qt::BitmapCursor));
        QVERIFY(!about.childAt(QPoint(1, 1)));
        QCOMPARE(moveOver(about, &about, QPoint(1, 1)),
                 std::pair(QColor(0, 0, 255), Qt::ArrowCursor));

        QTest::mouseClick(about.findChild<QLabel*>(QStringLiteral("Label1")), Qt::LeftButton);
        QVERIFY(shell.opened.isEmpty());
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(shell.opened.size(), 1);
        QCOMPARE(shell.opened[0].scheme(), QStringLiteral("mailto"));
        QCOMPARE(link->text(), QStringLiteral("mailto: ") + shell.opened[0].path());
    }

    void notesShowTheFileAsPlainText_data() {
        QTest::addColumn<QByteArray>("file"); // empty: there is none
        QTest::newRow("markup stays text")
            << QByteArray("<b>Bold?</b> &amp; {\\rtf1 not rich}\n<p>Crew’s notes</p>\n");
        QTest::newRow("no file") << QByteArray();
    }
    void notesShowTheFileAsPlainText() {
        QFETCH(QByteArray, file);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Instructions.txt"));
        if (!file.isEmpty())
            QVERIFY(writeFileBytes(path, file));
        ReleaseNotesDialog notes(nullptr, path);
        QCOMPARE(notes.findChild<QTextEdit*>(QStringLiteral("RTB1"))->toPlainText(),
                 QString::fromUtf8(file));
    }
};

KESTREL_TEST(AboutAndNotesTest)
#include "AboutAndNotesTest.moc"
