#include "common/TestRegistry.h"

#include "core/images/ImageLocator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Builds a tree below `root` from entries relative to it: "a/b/" a folder, "a/link -> target"
// a symbolic link (target as written), anything else an empty file; parents are made.
bool build(const QString& root, const QStringList& entries) {
    for (const QString& entry : entries) {
        const QStringList link = entry.split(QStringLiteral(" -> "));
        const QString path = root + u'/' + link.first();
        if (path.endsWith(u'/')) {
            if (!QDir().mkpath(path))
                return false;
            continue;
        }
        if (!QDir().mkpath(path.left(path.lastIndexOf(u'/'))))
            return false;
        if (link.size() == 2) {
            if (::symlink(QFile::encodeName(link.last()).constData(),
                          QFile::encodeName(path).constData()) != 0)
                return false;
            continue;
        }
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return false;
    }
    return true;
}

// Restores the current folder when a test that changed it ends.
class CurrentFolder {
public:
    explicit CurrentFolder(const QString& path) : m_previous(QDir::currentPath()) {
        QDir::setCurrent(path);
    }
    ~CurrentFolder() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

} // namespace

class ImageLocatorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each row: the tree, the path asked below the tree's folder, the answer.
    void present_data() {
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("expected");
        const QStringList menu{QStringLiteral("Crew/Menu07.st")};
        QTest::newRow("exact name") << menu << "Crew/Menu07.st" << true;
        QTest::newRow("other name") << menu << "Crew/Menu08.st" << false;
        QTest::newRow("file name differs in case") << menu << "Crew/MENU07.ST" << true;
        QTest::newRow("folder differs in case") << menu << "CREW/Menu07.st" << true;
        QTest::newRow("both differ in case") << menu << "crew/menu07.sT" << true;
        QTest::newRow("every folder differs in case")
            << QStringList{"Auto/CREW/disks/MENU07.ST"} << "auto/Crew/Disks/Menu07.st" << true;
        QTest::newRow("letters beyond ASCII differ in case")
            << QStringList{"ÉTÉ/MÉNU07.ST"} << "été/ménu07.st" << true;
        QTest::newRow("case is all that may differ") << menu << "Crew/Menu07.st.st" << false;

        // Twins differing only in case: the exact one is used as written, else the first.
        const QStringList fileTwins{"Crew/Menu07.st", "Crew/MENU07.ST"};
        QTest::newRow("file twins, first exact") << fileTwins << "Crew/Menu07.st" << true;
        QTest::newRow("file twins, second exact") << fileTwins << "Crew/MENU07.ST" << true;
        QTest::newRow("file twins, neither exact") << fileTwins << "Crew/menu07.st" << true;
        const QStringList folderAndFile{"Crew/Menu07.st/", "Crew/MENU07.ST"};
        QTest::newRow("exact folder beats file twin") << folderAndFile << "Crew/Menu07.st" << false;
        QTest::newRow("exact file beats folder twin") << folderAndFile << "Crew/MENU07.ST" << true;
        QTest::newRow("file twin of a folder counts") << folderAndFile << "Crew/menu07.st" << true;
        const QStringList folderTwins{"Crew/Menu07.st", "CREW/"};
        QTest::newRow("exact folder holds it") << folderTwins << "Crew/Menu07.st" << true;
        QTest::newRow("exact folder twin lacks it") << folderTwins << "CREW/Menu07.st" << false;
        QTest::newRow("folder twins, first in order lacks it")
            << folderTwins << "crew/Menu07.st" << false;
        QTest::newRow("folder twins, first in order holds it")
            << QStringList{"CREW/Menu07.st", "Crew/"} << "crew/Menu07.st" << true;
        QTest::newRow("exact file beats folder twin on the way")
            << QStringList{"Crew", "CREW/Menu07.st"} << "Crew/Menu07.st" << false;

        QTest::newRow("hidden file")
            << QStringList{"Crew/.Menu07.st"} << "Crew/.Menu07.st" << false;
        QTest::newRow("hidden file, other case")
            << QStringList{"Crew/.Menu07.st"} << "Crew/.MENU07.ST" << false;
        QTest::newRow("hidden folder on the way")
            << QStringList{".Crew/Menu07.st"} << ".CREW/MENU07.ST" << true;
        QTest::newRow("folder named like the image")
            << QStringList{"Crew/Menu07.st/"} << "Crew/Menu07.st" << false;
        QTest::newRow("folder named like the image, other case")
            << QStringList{"Crew/MENU07.ST/"} << "Crew/Menu07.st" << false;

        QTest::newRow("link to a file")
            << QStringList{"Crew/disk.img", "Crew/Menu07.st -> disk.img"} << "Crew/Menu07.st"
            << true;
        QTest::newRow("link to a file, other case")
            << QStringList{"Crew/disk.img", "Crew/MENU07.ST -> disk.img"} << "Crew/Menu07.st"
            << true;
        QTest::newRow("broken link")
            << QStringList{"Crew/Menu07.st -> gone.st"} << "Crew/Menu07.st" << false;
        QTest::newRow("broken link, other case")
            << QStringList{"Crew/MENU07.ST -> gone.st"} << "Crew/Menu07.st" << false;
        QTest::newRow("broken link beside a file twin")
            << QStringList{"Crew/Menu07.st -> gone.st", "Crew/MENU07.ST"} << "Crew/Menu07.st"
            << true;
        QTest::newRow("link to a folder")
            << QStringList{"Crew/disk/", "Crew/Menu07.st -> disk"} << "Crew/Menu07.st" << false;
        QTest::newRow("linked folder, other case")
            << QStringList{"Real/Menu07.st", "Crew -> Real"} << "CREW/MENU07.ST" << true;

        QTest::newRow("star") << menu << "Crew/Menu*.st" << true;
        QTest::newRow("star alone") << menu << "Crew/*" << true;
        QTest::newRow("question mark, other case") << menu << "Crew/Menu0?.ST" << true;
        QTest::newRow("question mark is one character") << menu << "Crew/Menu?.st" << false;
        QTest::newRow("star matching nothing") << menu << "Crew/Menu*8.st" << false;
        QTest::newRow("wildcard in a folder other case") << menu << "CREW/m*" << true;
        QTest::newRow("wildcard matching only a folder")
            << QStringList{"Crew/Menu07.st/"} << "Crew/Menu*" << false;
        QTest::newRow("wildcard matching only a hidden file")
            << QStringList{"Crew/.Menu07.st"} << "Crew/*Menu07.st" << false;
        QTest::newRow("question mark against a hidden file")
            << QStringList{"Crew/.Menu07.st"} << "Crew/?Menu07.st" << false;
        QTest::newRow("wildcard matching a link to a file")
            << QStringList{"Crew/disk.img", "Crew/Menu07.st -> disk.img"} << "Crew/*.st" << true;
        QTest::newRow("wildcard matching a broken link")
            << QStringList{"Crew/Menu07.st -> gone.st"} << "Crew/*.st" << false;
        QTest::newRow("brackets are plain")
            << QStringList{"Crew/Menu[1].st"} << "Crew/menu[1].s?" << true;
        QTest::newRow("brackets are no set")
            << QStringList{"Crew/Menu1.st"} << "Crew/Menu[1]*" << false;
        QTest::newRow("other signs are plain")
            << QStringList{"Crew/Menu (1)+$.st"} << "Crew/menu (1)+$.*" << true;
        QTest::newRow("signs after a star are plain")
            << QStringList{"Crew/Menu (1)+$.st"} << "Crew/M* (1)+$.ST" << true;
        QTest::newRow("dot after a star is plain")
            << QStringList{"Crew/Menu07xst"} << "Crew/M*07.st" << false;
        QTest::newRow("dot is plain") << QStringList{"Crew/Menu07xst"} << "Crew/Menu07.s*" << false;
        QTest::newRow("star in a folder is plain") << menu << "Cr*/Menu07.st" << false;
        QTest::newRow("star in a folder named so")
            << QStringList{"CR*/Menu07.st"} << "cr*/Menu07.st" << true;
        QTest::newRow("literal star name")
            << QStringList{"Crew/Menu*.st"} << "Crew/Menu*.st" << true;

        QTest::newRow("root with trailing separator") << menu << "/Crew/Menu07.st" << true;
        QTest::newRow("root with trailing separator, other case")
            << menu << "/crew/MENU07.st" << true;
        QTest::newRow("empty folder piece") << QStringList{"Menu07.st"} << "/Menu07.st" << true;
        QTest::newRow("empty folder piece, other case")
            << QStringList{"Menu07.st"} << "/MENU07.ST" << true;
        QTest::newRow("doubled separators inside") << menu << "crew//Menu07.st" << true;
        QTest::newRow("current and parent folder pieces")
            << QStringList{"Crew/Menu07.st", "Other/"} << "other/./../crew/Menu07.st" << true;
        QTest::newRow("missing root folder") << menu << "Gone/Crew/Menu07.st" << false;
        QTest::newRow("missing root folder, wildcard") << menu << "Gone/Crew/*.st" << false;
        QTest::newRow("through a file") << menu << "Crew/Menu07.st/Menu07.st" << false;
        QTest::newRow("through a file, other case") << menu << "crew/menu07.st/x.st" << false;
        QTest::newRow("trailing separator") << menu << "Crew/Menu07.st/" << false;
        QTest::newRow("a folder") << menu << "Crew" << false;
        QTest::newRow("a folder, other case") << menu << "crew" << false;
        QTest::newRow("the tree itself") << menu << "" << false;
    }
    void present() {
        QFETCH(QStringList, tree);
        QFETCH(QString, asked);
        QFETCH(bool, expected);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(build(dir.path(), tree));
        const QString path = dir.path() + u'/' + asked;
        QCOMPARE(ImageLocator().present(path), expected);
        // A second answer comes from what the first one listed, and agrees.
        ImageLocator locator;
        QCOMPARE(locator.present(path), expected);
        QCOMPARE(locator.present(path), expected);
    }

    void emptyPathIsAbsent() {
        QTemporaryDir dir;
        QVERIFY(build(dir.path(), {QStringLiteral("Menu07.st")}));
        const CurrentFolder inside(dir.path());
        ImageLocator locator;
        QVERIFY(!locator.present(QString()));
        QVERIFY(locator.present(QStringLiteral("Menu07.st")));
    }

    void relativePathsResolveInCurrentFolder_data() {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("expected");
        QTest::newRow("exact") << "Crew/Menu07.st" << true;
        QTest::newRow("other case") << "CREW/menu07.ST" << true;
        QTest::newRow("top, other case") << "TOP.ST" << true;
        QTest::newRow("wildcard at the top") << "T*" << true;
        QTest::newRow("dot first") << "./crew/Menu07.st" << true;
        QTest::newRow("missing") << "crew/Menu08.st" << false;
        QTest::newRow("a folder") << "crew" << false;
    }
    void relativePathsResolveInCurrentFolder() {
        QFETCH(QString, asked);
        QFETCH(bool, expected);
        QTemporaryDir dir;
        QVERIFY(build(dir.path(), {QStringLiteral("Crew/Menu07.st"), QStringLiteral("top.st")}));
        const CurrentFolder inside(dir.path());
        QCOMPARE(ImageLocator().present(asked), expected);
    }

    // The root is a folder like any other, listed when a name below it differs in case.
    void rootFolderMatchesWithoutCase() {
        QTemporaryDir dir;
        QVERIFY(build(dir.path(), {QStringLiteral("Crew/Menu07.st")}));
        const QString top = dir.path().section(u'/', 1, 1);
        const QString otherCase = top.toUpper() != top ? top.toUpper() : top.toLower();
        if (otherCase == top || QFileInfo::exists(u'/' + otherCase))
            QSKIP("the temporary folder has no other case to ask for");
        const QString rest = dir.path().section(u'/', 2);
        QVERIFY(ImageLocator().present(u'/' + otherCase + u'/' + rest + "/Crew/Menu07.st"));
        QVERIFY(!ImageLocator().present(u'/' + otherCase + u'/' + rest + "/Crew/Menu08.st"));
    }

    void pathAtRootIsNotLookedUpInCurrentFolder() {
        QTemporaryDir dir;
        QVERIFY(build(dir.path(), {QStringLiteral("KESTREL-TEST-MENU07.ST")}));
        QVERIFY(!QFileInfo::exists(QStringLiteral("/KESTREL-TEST-MENU07.ST")));
        const CurrentFolder inside(dir.path());
        ImageLocator locator;
        QVERIFY(locator.present(QStringLiteral("kestrel-test-menu07.st")));
        QVERIFY(!locator.present(QStringLiteral("/kestrel-test-menu07.st")));
        QVERIFY(!locator.present(QStringLiteral("//kestrel-test-menu07.st")));
    }

    // One locator asked about twin folders in any order keeps each path apart.
    void answersDoNotDependOnOrder() {
        QTemporaryDir dir;
        QVERIFY(build(dir.path(), {QStringLiteral("Crew/A.st"), QStringLiteral("CREW/B.st"),
                                   QStringLiteral("Other/C.st")}));
        const QList<std::pair<QString, bool>> asks{
            {QStringLiteral("Crew/A.st"), true},  {QStringLiteral("CREW/B.st"), true},
            {QStringLiteral("Crew/b.st"), false}, {QStringLiteral("CREW/a.st"), false},
            {QStringLiteral("crew/B.st"), true},  {QStringLiteral("crew/A.st"), false},
            {QStringLiteral("OTHER/c.ST"), true}, {QStringLiteral("other/D.st"), false},
            {QStringLiteral("Crew/a*"), true},    {QStringLiteral("CREW/a*"), false},
        };
        ImageLocator forwards;
        for (const auto& [asked, expected] : asks)
            QVERIFY2(forwards.present(dir.path() + u'/' + asked) == expected, qPrintable(asked));
        ImageLocator backwards;
        for (auto ask = asks.crbegin(); ask != asks.crend(); ++ask)
            QVERIFY2(backwards.present(dir.path() + u'/' + ask->first) == ask->second,
                     qPrintable(ask->first));
    }

    // Listings are kept for the walk, but a name as written is always looked at afresh.
    void sameLocatorSeesNewFilesUnderTheirExactName() {
        QTemporaryDir dir;
        QVERIFY(build(dir.path(), {QStringLiteral("Crew/Menu07.st")}));
        ImageLocator locator;
        QVERIFY(!locator.present(dir.path() + QStringLiteral("/crew/Menu08.st")));
        QVERIFY(!locator.present(dir.path() + QStringLiteral("/New/Menu01.st")));
        QVERIFY(
            build(dir.path(), {QStringLiteral("Crew/Menu08.st"), QStringLiteral("New/Menu01.st")}));
        QVERIFY(locator.present(dir.path() + QStringLiteral("/Crew/Menu08.st")));
        QVERIFY(locator.present(dir.path() + QStringLiteral("/New/Menu01.st")));
    }

    void nextLocatorSeesChanges() {
        QTemporaryDir dir;
        QVERIFY(build(dir.path(), {QStringLiteral("Crew/Menu07.st")}));
        const QString asked = dir.path() + QStringLiteral("/crew/menu08.st");
        QVERIFY(!ImageLocator().present(asked));
        QVERIFY(build(dir.path(), {QStringLiteral("Crew/MENU08.ST")}));
        QVERIFY(ImageLocator().present(asked));
        QVERIFY(QFile::remove(dir.path() + QStringLiteral("/Crew/MENU08.ST")));
        QVERIFY(!ImageLocator().present(asked));
    }

    void unlistableFolderHoldsNoImages() {
        if (::geteuid() == 0)
            QSKIP("the superuser lists every folder");
        QTemporaryDir dir;
        QVERIFY(build(dir.path(), {QStringLiteral("Crew/Menu07.st")}));
        const QByteArray crew = QFile::encodeName(dir.path() + QStringLiteral("/Crew"));
        // Searchable but not readable: names as written still reach their files.
        QCOMPARE(::chmod(crew.constData(), 0300), 0);
        ImageLocator locator;
        const bool exact = locator.present(dir.path() + QStringLiteral("/Crew/Menu07.st"));
        const bool otherCase = locator.present(dir.path() + QStringLiteral("/Crew/MENU07.ST"));
        const bool wildcard = locator.present(dir.path() + QStringLiteral("/Crew/*"));
        ::chmod(crew.constData(), 0700);
        QVERIFY(exact);
        QVERIFY(!otherCase);
        QVERIFY(!wildcard);
    }
};

KESTREL_TEST(ImageLocatorTest)
#include "ImageLocatorTest.moc"
