#include "common/ProgramRun.h"
#include "common/TestRegistry.h"

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString kData = QStringLiteral(KESTREL_SOURCE_DATA "/");

ProgramRun run(const QString& program, const QStringList& arguments) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MANPAGER"), QStringLiteral("cat"));
    env.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
    return runProgram(program, arguments, env);
}

// The words bash completion offers after the command line `words` (the last one is being
// typed), one per line.
QStringList completions(const QStringList& words) {
    QString script = QStringLiteral("source \"$1\"; COMP_WORDS=(kestrel-cli");
    for (const QString& word : words)
        script += QStringLiteral(" '%1'").arg(word);
    script += QStringLiteral("); COMP_CWORD=%1; _kestrel_cli; printf '%s\\n' \"${COMPREPLY[@]}\"")
                  .arg(words.size());
    return run(QStringLiteral("bash"), {QStringLiteral("-c"), script, QStringLiteral("bash"),
                                        kData + QStringLiteral("completion/kestrel-cli")})
        .out.split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

// What an install adds for the desktop and the terminal: the desktop entry and the AppStream
// metainfo pass their validators, the manual pages format without a warning, and bash
// completes kestrel-cli's commands and options.
class InstalledTextsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void validators_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop entry")
            << "desktop-file-validate" << QStringList{kData + "io.github.kestrel.desktop"};
        QTest::newRow("metainfo") << "appstreamcli"
                                  << QStringList{"validate", "--no-net",
                                                 kData + "io.github.kestrel.metainfo.xml"};
        for (const char* page : {"kestrel.1", "kestrel-cli.1"}) {
            QTest::addRow("groff %s", page)
                << "groff" << QStringList{"-man", "-ww", "-z", kData + "man/" + page};
            QTest::addRow("man %s", page)
                << "man" << QStringList{"--warnings", "-l", kData + "man/" + page};
        }
    }
    void validators() {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        if (QStandardPaths::findExecutable(program).isEmpty())
            QSKIP(qPrintable(program + " is not installed (scripts/install-deps.sh installs it)"));
        const ProgramRun result = run(program, arguments);
        QVERIFY2(result.status == 0, qPrintable(result.out + result.err));
        // desktop-file-validate says its hints and exits 0; the man tools warn on stderr.
        if (program != QLatin1String("appstreamcli"))
            QVERIFY2(result.err.isEmpty() &&
                         (program == QLatin1String("man") || result.out.isEmpty()),
                     qPrintable(result.out + result.err));
    }

    // The metainfo's desktop entry is the installed file, named as the window says it is.
    void metainfoNamesTheDesktopEntry() {
        QFile metainfo(kData + QStringLiteral("io.github.kestrel.metainfo.xml"));
        QVERIFY(metainfo.open(QIODevice::ReadOnly));
        const QByteArray text = metainfo.readAll();
        QVERIFY(text.contains("<id>io.github.kestrel</id>"));
        QVERIFY(text.contains(
            "<launchable type=\"desktop-id\">io.github.kestrel.desktop</launchable>"));
        QVERIFY(QFile::exists(kData + QStringLiteral("io.github.kestrel.desktop")));
    }

    void completion_data() {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("offered");
        QTest::newRow("commands") << QStringList{""}
                                  << QStringList{"--folder", "--help",   "--version", "help",
                                                 "search",   "compress", "audit",     "favourites",
                                                 "import",   "play",     "verify",    "files"};
        QTest::newRow("after --folder")
            << QStringList{"--folder", "/tmp", "fa"} << QStringList{"favourites"};
        QTest::newRow("search option") << QStringList{"search", "--fo"} << QStringList{"--format"};
        QTest::newRow("formats") << QStringList{"compress", "--format", ""}
                                 << QStringList{"text", "tsv", "json"};
        QTest::newRow("operators")
            << QStringList{"search", "--operator", "s"} << QStringList{"starts-with"};
        QTest::newRow("audit") << QStringList{"audit", "--"}
                               << QStringList{"--group", "--entry", "--force"};
        QTest::newRow("favourites")
            << QStringList{"favourites", ""} << QStringList{"list", "add", "remove", "clear"};
        QTest::newRow("favourites list")
            << QStringList{"favourites", "list", ""} << QStringList{"--format"};
        QTest::newRow("no number to guess")
            << QStringList{"favourites", "add", ""} << QStringList{};
        QTest::newRow("import") << QStringList{"import", "--"} << QStringList{"--replace"};
        QTest::newRow("play") << QStringList{"play", "12", ""} << QStringList{"--drive-b"};
        QTest::newRow("verify formats")
            << QStringList{"verify", "--format", ""} << QStringList{"text", "json"};
    }
    void completion() {
        QFETCH(QStringList, words);
        QFETCH(QStringList, offered);
        QCOMPARE(completions(words), offered);
    }

    // A command or option kestrel-cli's help names that the completion does not know.
    void completionKnowsWhatTheHelpNames() {
        const ProgramRun help = run(QStringLiteral(KESTREL_BUILD_DIR "/kestrel-cli"), {"help"});
        QCOMPARE(help.status, 0);
        QFile script(kData + QStringLiteral("completion/kestrel-cli"));
        QVERIFY(script.open(QIODevice::ReadOnly));
        const QString known = QString::fromUtf8(script.readAll());
        static const QRegularExpression named(QStringLiteral("^  ([a-z]+) |--[a-z][a-z-]*[a-z]"),
                                              QRegularExpression::MultilineOption);
        for (const QRegularExpressionMatch& match : named.globalMatch(help.out)) {
            const QString word = match.captured(1).isEmpty() ? match.captured() : match.captured(1);
            QVERIFY2(known.contains(QRegularExpression(QStringLiteral("[ \"]") +
                                                       QRegularExpression::escape(word))),
                     qPrintable(word));
        }
    }
};

KESTREL_TEST(InstalledTextsTest)
#include "InstalledTextsTest.moc"
