#include "common/TestRegistry.h"

#include "WindowHarness.h"

#include "core/images/StartWatch.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

// A window whose Hatari is a script of the test's, started for real, on a root folder holding
// entry 1's disk (unless told otherwise) and a TOS image.
struct PlayHarness {
    QTemporaryDir dir;
    SystemShell system;
    std::unique_ptr<WindowHarness> h;

    explicit PlayHarness(const QByteArray& script, bool diskThere = true) {
        const QString program = file("emu/hatari");
        QVERIFY(writeFileBytes(program, "#!/bin/sh\ncd '" + dir.path().toUtf8() + "'\n" + script));
        QVERIFY(
            QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(writeFileBytes(file("tos.img")));
        if (diskThere)
            QVERIFY(writeFileBytes(file("st/Auto/AUTO012.st")));
        h = std::make_unique<WindowHarness>(std::initializer_list<std::array<QString, 3>>{
            {"settings", "Hatari", program},
            {"settings", "rootfolder", file("st")},
            {"Kestrel", "TosImage", file("tos.img")}});
        h->shell.then = &system;
        h->search(QStringLiteral(" "));
        h->clickRow(QStringLiteral("1"));
        h->trigger("Play");
    }
    QString file(const char* name) const { return dir.filePath(QLatin1String(name)); }
    bool watching() const { return h->window->findChild<StartWatch*>() != nullptr; }
};

} // namespace

// Play with an emulator that really runs: a quick failure is shown with what it printed, one
// that keeps running is let go, a disk that is gone is refused before anything starts.
class PlayWatchWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The last 15 lines of what it printed, on both channels, and how it ended.
    void quickFailureIsShown() {
        PlayHarness p("echo starting\nfor i in $(seq 1 20); do echo \"line $i\" >&2; done\n"
                      "echo \"Image '$2' not found\" >&2\nexit 1\n");
        QTRY_VERIFY(!p.h->prompts.shown().isEmpty());
        const QString message = p.h->lastPrompt();
        for (const QString& text : {QStringLiteral("exit status 1"), QStringLiteral("line 7\n"),
                                    QStringLiteral("line 20\nImage '"), p.file("emu/hatari")})
            QVERIFY2(message.contains(text), qPrintable(message));
        QVERIFY2(!message.contains(QStringLiteral("line 6\n")), qPrintable(message));
        QTRY_VERIFY(!p.watching());
        QCOMPARE(p.h->prompts.shown().size(), 1);
    }

    // Past the watch, a failure is the emulator's own business.
    void runningEmulatorIsLetGo() {
        PlayHarness p("touch started\nwhile [ ! -e stop ]; do sleep 0.05; done\n"
                      "echo late >&2\ntouch ended\nexit 1\n");
        QTRY_VERIFY(QFile::exists(p.file("started")));
        QVERIFY(p.watching());
        p.h->clock.advance(kStartWatchMilliseconds);
        QTRY_VERIFY(!p.watching());
        QVERIFY(writeFileBytes(p.file("stop")));
        QTRY_VERIFY(QFile::exists(p.file("ended")));
        QCoreApplication::processEvents();
        QCOMPARE(p.h->prompts.shownTexts(), QStringList{});
    }

    void missingDiskIsRefused() {
        PlayHarness p("touch started\n", false);
        QVERIFY2(p.h->lastPrompt().contains(p.file("st/Auto/AUTO012.st")),
                 qPrintable(p.h->lastPrompt()));
        QCOMPARE(p.h->shell.started.size(), 0);
        QVERIFY(!p.watching());
    }
};

KESTREL_TEST(PlayWatchWindowTest)
#include "PlayWatchWindowTest.moc"
