#include "common/TestRegistry.h"

#include "gui/dialogs/Form2.h"
#include "gui/dialogs/Form3.h"
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

QColor linkColour(const Form2& about) {
    return about.Label3->palette().color(QPalette::WindowText);
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

} // namespace

class AboutAndNotesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aboutShowsTitleVersionAndCredits() {
        RecordingShell shell;
        Form2 about(nullptr, shell);
        about.Form_Load();
        QCOMPARE(about.windowTitle(), QStringLiteral("About"));
        QCOMPARE(about.Label1->text(), QStringLiteral("The Atari ST Kestrel"));
        QCOMPARE(about.Label2->text(), QStringLiteral("v2.0"));
        QCOMPARE(about.Label4->text(),
                 QStringLiteral("Programming and design: the Kestrel project"));
        QCOMPARE(about.Label6->text(), QStringLiteral("Catalogue listing: compiled by its users"));
        QCOMPARE(about.Label3->text(), QStringLiteral("mailto: kestrel@kestrel.invalid"));
        QVERIFY(!about.Image1->pixmap().isNull());
        for (const char* name : {"Picture1", "Shape1", "Image1"})
            QVERIFY2(about.findChild<QWidget*>(QLatin1String(name)), name);
    }

    void linkFollowsThePointer() {
        RecordingShell shell;
        Form2 about(nullptr, shell);
        about.Form_Load();
        about.show();
        QCOMPARE(linkColour(about), QColor(0, 0, 255));

        moveOver(about.Label3, QPoint(2, 2));
        QCOMPARE(linkColour(about), QColor(255, 0, 0));
        QCOMPARE(about.cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(about.cursor().pixmap().size(), QSize(32, 32));
        QCOMPARE(about.cursor().hotSpot(), QPoint(10, 1));

        // The background: the window's margin, outside every control.
        QVERIFY(!about.childAt(QPoint(1, 1)));
        moveOver(&about, QPoint(1, 1));
        QCOMPARE(linkColour(about), QColor(0, 0, 255));
        QCOMPARE(about.cursor().shape(), Qt::ArrowCursor);

        moveOver(about.Label3, QPoint(3, 3));
        QCOMPARE(linkColour(about), QColor(255, 0, 0));
        QCOMPARE(about.cursor().shape(), Qt::BitmapCursor);
        QVERIFY(shell.opened.isEmpty());
    }

    void clickingTheLinkOpensTheMailAddress() {
        RecordingShell shell;
        Form2 about(nullptr, shell);
        about.Form_Load();
        about.show();
        QTest::mouseClick(about.Label1, Qt::LeftButton);
        QVERIFY(shell.opened.isEmpty());
        QTest::mouseClick(about.Label3, Qt::LeftButton);
        QCOMPARE(shell.opened, QList<QUrl>{QUrl(QStringLiteral("mailto:kestrel@kestrel.invalid"))});
        QCOMPARE(shell.opened[0].toString(), QStringLiteral("mailto:kestrel@kestrel.invalid"));
        QVERIFY(shell.started.isEmpty());
    }

    void notesShowMarkupAsText() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Instructions.txt"));
        const QByteArray text = "<b>Bold?</b> &amp; {\\rtf1 not rich}\n<p>Crew’s notes</p>\n";
        writeFile(path, text);
        Form3 notes(nullptr, path);
        notes.Form_Load();
        notes.show();
        QCOMPARE(notes.windowTitle(), QStringLiteral("Release Notes"));
        QCOMPARE(notes.RTB1->toPlainText(), QString::fromUtf8(text));
    }

    void notesAreReadAtEveryOpening() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Instructions.txt"));
        writeFile(path, "First edition\n");
        {
            Form3 notes(nullptr, path);
            notes.Form_Load();
            QCOMPARE(notes.RTB1->toPlainText(), QStringLiteral("First edition\n"));
        }
        writeFile(path, "Second edition\n");
        Form3 notes(nullptr, path);
        notes.Form_Load();
        QCOMPARE(notes.RTB1->toPlainText(), QStringLiteral("Second edition\n"));
    }

    void missingNotesOpenEmpty() {
        QTemporaryDir folder;
        Form3 notes(nullptr, folder.filePath(QStringLiteral("Instructions.txt")));
        notes.Form_Load();
        notes.show();
        QVERIFY(notes.isVisible());
        QCOMPARE(notes.RTB1->toPlainText(), QString());
    }
};

KESTREL_TEST(AboutAndNotesTest)
#include "AboutAndNotesTest.moc"
