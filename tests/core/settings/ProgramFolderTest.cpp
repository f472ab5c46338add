#include "core/settings/InstalledFiles.h"
#include "core/settings/ProgramFolder.h"

#include "common/TestFolder.h"
#include "common/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QString kCatalogue = QStringLiteral("AtariST Compilation Listing v1.sqlite");
const QString kOriginal = QStringLiteral("AtariST Compilation Listing v1.mdb");
const QString kSettings = QStringLiteral("Rummage.ini");

// A machine in a folder: an install (bin/ beside share/kestrel/), the user's XDG folders, and
// a folder of the user's own. The environment points at them while it lives.
struct Machine {
    TestFolder root;
    QString bin = root.file(QStringLiteral("bin"));
    QString shipped = root.file(QStringLiteral("share/kestrel"));
    QString data = root.file(QStringLiteral("home/data/kestrel"));
    QString config = root.file(QStringLiteral("home/config/kestrel"));
    QString own = root.file(QStringLiteral("own"));

    Machine() {
        for (const QString& folder : {bin, shipped, own})
            QDir().mkpath(folder);
        qputenv("XDG_DATA_HOME", root.file(QStringLiteral("home/data")).toUtf8());
        qputenv("XDG_CONFIG_HOME", root.file(QStringLiteral("home/config")).toUtf8());
        qunsetenv("KESTREL_FOLDER");
    }
    ~Machine() {
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("KESTREL_FOLDER");
    }
    // The folder's name in the rows: where a path points.
    QString nameOf(const QString& path) const {
        for (const auto& [name, folder] : {std::pair{"bin", bin},
                                           {"shipped", shipped},
                                           {"data", data},
                                           {"config", config},
                                           {"own", own}})
            if (path == folder)
                return QLatin1String(name);
        return path;
    }
    static QStringList files(const QString& folder) {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }
};

} // namespace

// Where the programs' files are: the portable folder holds everything, an install keeps the
// user's files in the XDG folders with the shipped defaults copied there, a named folder wins.
// A read-only portable folder needs a user other than root: CliUserFoldersTest runs it.
class ProgramFolderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void folders_data() {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("environment");
        QTest::addColumn<QStringList>("expected"); // program, data, settings folder
        QTest::newRow("portable") << false << ""
                                  << "" << QStringList{"bin", "bin", "bin"};
        QTest::newRow("installed") << true << ""
                                   << "" << QStringList{"shipped", "data", "config"};
        QTest::newRow("--folder") << true << "own"
                                  << "" << QStringList{"own", "own", "own"};
        QTest::newRow("KESTREL_FOLDER") << true << ""
                                        << "own" << QStringList{"own", "own", "own"};
        QTest::newRow("--folder before KESTREL_FOLDER")
            << false << "own"
            << "bin" << QStringList{"own", "own", "own"};
    }
    void folders() {
        QFETCH(bool, installed);
        QFETCH(QString, option);
        QFETCH(QString, environment);
        QFETCH(QStringList, expected);
        Machine m;
        for (const QString& name : {kCatalogue, kSettings})
            writeFileBytes((installed ? m.shipped : m.bin) + u'/' + name, name.toUtf8());
        if (!installed)
            QDir(m.shipped).removeRecursively();
        if (!environment.isEmpty())
            qputenv("KESTREL_FOLDER", m.root.file(environment).toUtf8());
        QStringList arguments{"kestrel-cli", "search"};
        if (!option.isEmpty())
            arguments << "--folder" << m.root.file(option);
        const ProgramFolder folder = ProgramFolder::fromArguments(arguments, m.bin);
        QCOMPARE(folder.error, QString());
        QCOMPARE(arguments, (QStringList{"kestrel-cli", "search"}));
        QCOMPARE((QStringList{m.nameOf(folder.path), m.nameOf(folder.dataFolder()),
                              m.nameOf(folder.configFolder())}),
                 expected);
        QCOMPARE(folder.settings().file(), folder.configFolder() + u'/' + kSettings);
        // Only an install touches the XDG folders, and then finds the defaults there.
        QCOMPARE(QFileInfo::exists(m.root.file(QStringLiteral("home"))), expected[1] == "data");
        if (expected[1] == "data") {
            QCOMPARE(fileBytes(folder.dataFile(kCatalogue)), kCatalogue.toUtf8());
            QCOMPARE(fileBytes(folder.settings().file()), kSettings.toUtf8());
        }
    }

    // The working catalogue of a new user: the original .mdb when the install has one (the
    // import turns it into the catalogue), else the demo; none once the user has either.
    void defaultCatalogue_data() {
        QTest::addColumn<QStringList>("shipped");
        QTest::addColumn<QStringList>("users");
        QTest::addColumn<QStringList>("after");
        const QString upper = kOriginal.toUpper();
        QTest::newRow("demo") << QStringList{kCatalogue} << QStringList{}
                              << QStringList{kCatalogue};
        QTest::newRow("original first")
            << QStringList{kCatalogue, kOriginal} << QStringList{} << QStringList{kOriginal};
        QTest::newRow("user's catalogue kept")
            << QStringList{kCatalogue, kOriginal} << QStringList{kCatalogue}
            << QStringList{kCatalogue};
        QTest::newRow("user's original kept, any case")
            << QStringList{kCatalogue, kOriginal} << QStringList{upper} << QStringList{upper};
        QTest::newRow("nothing shipped") << QStringList{} << QStringList{} << QStringList{};
    }
    void defaultCatalogue() {
        QFETCH(QStringList, shipped);
        QFETCH(QStringList, users);
        QFETCH(QStringList, after);
        Machine m;
        for (const QString& name : shipped) {
            writeFileBytes(m.shipped + u'/' + name, "shipped");
            QFile::setPermissions(m.shipped + u'/' + name, QFile::ReadOwner | QFile::ReadOther);
        }
        for (const QString& name : users)
            writeFileBytes(m.data + u'/' + name, "user's");
        const ProgramFolder folder = ProgramFolder::locate(QString(), m.bin);
        QCOMPARE(folder.error, QString());
        QCOMPARE(Machine::files(m.data), after);
        for (const QString& name : after) {
            QCOMPARE(fileBytes(m.data + u'/' + name),
                     QByteArray(users.isEmpty() ? "shipped" : "user's"));
            QVERIFY(QFileInfo(m.data + u'/' + name).isWritable());
        }
    }

    void aFailedCopySaysWhichFile() {
        Machine m;
        writeFileBytes(m.shipped + u'/' + kSettings, "[order]\n");
        writeFileBytes(m.root.file(QStringLiteral("home/config")), "a file, not a folder");
        const ProgramFolder folder = ProgramFolder::locate(QString(), m.bin);
        QVERIFY2(folder.error.startsWith(QStringLiteral("Kestrel cannot copy its default file\n") +
                                         m.shipped + u'/' + kSettings + QStringLiteral("\nto\n") +
                                         m.config + u'/' + kSettings),
                 qPrintable(folder.error));
    }

    void helpersBesideTheProgramOrInstalled() {
        Machine m;
        const QString installed = m.root.file(QStringLiteral("libexec/kestrel/helper"));
        QCOMPARE(helperProgram(m.bin, QStringLiteral("helper")), installed);
        writeFileBytes(m.bin + QStringLiteral("/helper"));
        QCOMPARE(helperProgram(m.bin, QStringLiteral("helper")), m.bin + QStringLiteral("/helper"));
        QCOMPARE(installedDataFolder(m.bin), m.shipped);
        QCOMPARE(installedDataFolder(m.shipped), QString());
    }
};

KESTREL_TEST(ProgramFolderTest)
#include "ProgramFolderTest.moc"
