#include "common/ProgramRun.h"
#include "common/TestFolder.h"
#include "common/TestRegistry.h"

#include "core/catalogue/Catalogue.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

namespace {

const QString kCatalogue = QStringLiteral("AtariST Compilation Listing v1.sqlite");

bool isFavourite5(const QString& catalogue) {
    return queryColumn(catalogue, "SELECT favourite FROM Compilations WHERE Nummer = 5") ==
           QStringList{"-1"};
}

// kestrel-cli copied into a portable folder of its own with a catalogue and the delivered
// settings, a home folder, and a folder of the user's own. Root can write any folder, so as
// root the program runs as "nobody", who owns the home but not the program folder.
struct Machine {
    TestFolder fixture;
    TestFolder root;
    QString program = root.file(QStringLiteral("program"));
    QString home = root.file(QStringLiteral("home"));
    QString own = root.file(QStringLiteral("own"));
    const passwd* nobody = ::geteuid() == 0 ? ::getpwnam("nobody") : nullptr;

    Machine() {
        fixture.createCatalogue();
        fixture.writeSettings(TestFolder::defaultSettings());
        for (const QString& folder : {program, home, own}) {
            QDir().mkpath(folder);
            QFile::copy(fixture.cataloguePath(), folder + u'/' + kCatalogue);
            QFile::copy(fixture.settingsPath(), folder + QStringLiteral("/Rummage.ini"));
        }
        QFile::remove(home + u'/' + kCatalogue);
        QFile::remove(home + QStringLiteral("/Rummage.ini"));
        QFile::copy(QStringLiteral(KESTREL_BUILD_DIR "/kestrel-cli"), program + "/kestrel-cli");
        QFile::setPermissions(root.path(), QFile::permissions(root.path()) | QFile::ExeOther);
        if (nobody)
            for (const QString& path : {home, own, own + u'/' + kCatalogue})
                (void)::chown(path.toUtf8().constData(), nobody->pw_uid, nobody->pw_gid);
    }
    // Else the temporary folder cannot be removed.
    ~Machine() { setProgramFolderWritable(true); }

    void setProgramFolderWritable(bool writable) {
        const auto readable =
            QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
        QFile::setPermissions(program, writable ? readable | QFile::WriteOwner : readable);
        if (nobody && writable)
            for (const QString& path : {program, program + u'/' + kCatalogue})
                (void)::chown(path.toUtf8().constData(), nobody->pw_uid, nobody->pw_gid);
    }
    CliRun run(const QStringList& arguments) const {
        QStringList command{program + QStringLiteral("/kestrel-cli")};
        if (nobody)
            command = QStringList{"setpriv", "--reuid=nobody",
                                  "--regid=" + QString::number(nobody->pw_gid), "--clear-groups"} +
                      command;
        const QString executable = command.takeFirst();
        const ProgramRun run = runProgram(executable, command + arguments, homeEnvironment(home));
        return {run.status, run.out.split(u'\n'), run.err};
    }
};

} // namespace

// Where kestrel-cli's changes go, and that the next run sees them: a program folder the
// user can write keeps everything; a read-only one sends the catalogue to ~/.local/share and
// the settings to ~/.config; a --folder is used as it is.
class CliUserFoldersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void favouriteLandsAndStays_data() {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("folderOption");
        QTest::addColumn<QString>("changed"); // the catalogue that holds the new favourite
        QTest::newRow("read-only") << false << false << ".local/share/kestrel";
        QTest::newRow("writable") << true << false << "program";
        QTest::newRow("--folder wins") << false << true << "own";
    }
    void favouriteLandsAndStays() {
        QFETCH(bool, writable);
        QFETCH(bool, folderOption);
        QFETCH(QString, changed);
        Machine m;
        if (::geteuid() == 0 && !m.nobody)
            QSKIP("no user \"nobody\" to run the program as");
        m.setProgramFolderWritable(writable);
        const QStringList folder =
            folderOption ? QStringList{QStringLiteral("--folder"), m.own} : QStringList{};
        const CliRun before = m.run(folder + QStringList{"favourites", "list"});
        const CliRun added = m.run(folder + QStringList{"favourites", "add", "5"});
        QVERIFY2(added.status == 0, qPrintable(added.errors));
        const CliRun after = m.run(folder + QStringList{"favourites", "list"});
        QCOMPARE(after.lines.size(), before.lines.size() + 1);

        const QString target =
            changed.startsWith(u'.') ? m.home + u'/' + changed : m.root.file(changed);
        QVERIFY(isFavourite5(target + u'/' + kCatalogue));
        for (const QString& other : {m.program, m.own})
            if (other != target)
                QVERIFY(!isFavourite5(other + u'/' + kCatalogue));
        // The settings follow the catalogue; nothing goes to the home folder otherwise.
        const QString settings = m.home + QStringLiteral("/.config/kestrel/Rummage.ini");
        QCOMPARE(QFileInfo::exists(settings), target.startsWith(m.home));
        QCOMPARE(QDir(m.home).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 !target.startsWith(m.home));
    }
};

KESTREL_TEST(CliUserFoldersTest)
#include "CliUserFoldersTest.moc"
