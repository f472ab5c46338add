#include "common/TestRegistry.h"

#include "core/images/ImageLocator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

// Builds a tree below `root` from entries relative to it, separated by ", ": "a/b/" a folder,
// "a/link -> target" a symbolic link (target as written), anything else an empty file;
// parents are made.
bool build(const QString& root, const QString& tree) {
    for (const QString& entry : tree.split(QStringLiteral(", "))) {
        const QStringList link = entry.split(QStringLiteral(" -> "));
        const QString path = root + u'/' + link.first();
        if (!QDir().mkpath(path.left(path.lastIndexOf(u'/'))))
            return false;
        if (path.endsWith(u'/'))
            continue;
        if (link.size() == 2) {
            if (::symlink(QFile::encodeName(link.last()).constData(),
                          QFile::encodeName(path).constData()) != 0)
                return false;
        } else if (!QFile(path).open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            return false;
        }
    }
    return true;
}

// A locator's answers for paths below `root`, in the order asked: "y" present, "n" not.
QString answers(ImageLocator& locator, const QString& root, const QStringList& asked) {
    QString out;
    for (const QString& path : asked)
        out += locator.present(root + u'/' + path) ? u'y' : u'n';
    return out;
}

} // namespace

// Whether a disk image is present: names matched without case, wildcards, links, hidden files.
class ImageLocatorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The path is asked below the tree's folder.
    void present_data() {
        QTest::addColumn<QString>("tree");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("expected");
        const std::tuple<const char*, const char*, const char*, bool> cases[] = {
            {"exact name", "Crew/Menu07.st", "Crew/Menu07.st", true},
            {"every folder differs in case", "Auto/CREW/disks/MENU07.ST",
             "auto/Crew/Disks/Menu07.st", true},
            {"letters beyond ASCII differ in case", "ÉTÉ/MÉNU07.ST", "été/ménu07.st", true},
            {"case is all that may differ", "Crew/Menu07.st", "Crew/Menu07.st.st", false},
            // Twins differing only in case: the exact one is used as written, else the first of
            // the kind wanted.
            {"exact folder beats file twin", "Crew/Menu07.st/, Crew/MENU07.ST", "Crew/Menu07.st",
             false},
            {"file twin after a folder", "Crew/MENU07.ST/, Crew/Menu07.st", "Crew/menu07.st", true},
            {"exact folder twin lacks it", "Crew/Menu07.st, CREW/", "CREW/Menu07.st", false},
            {"folder twins, first in order lacks it", "Crew/Menu07.st, CREW/", "crew/Menu07.st",
             false},
            {"exact file beats folder twin on the way", "Crew, CREW/Menu07.st", "Crew/Menu07.st",
             false},
            {"hidden file", "Crew/.Menu07.st", "Crew/.Menu07.st", false},
            {"hidden folder on the way", ".Crew/Menu07.st", ".CREW/MENU07.ST", true},
            {"folder named like the image", "Crew/Menu07.st/", "Crew/Menu07.st", false},
            {"link to a folder named like the image", "Crew/Real/, Crew/Menu07.st -> Real",
             "Crew/Menu07.st", false},
            {"link to a file", "Crew/disk.img, Crew/Menu07.st -> disk.img", "Crew/Menu07.st", true},
            {"folder named like the image, other case", "Crew/MENU07.ST/", "Crew/Menu07.st", false},
            {"link to a file, other case", "Crew/disk.img, Crew/MENU07.ST -> disk.img",
             "Crew/Menu07.st", true},
            {"broken link", "Crew/Menu07.st -> gone.st", "Crew/Menu07.st", false},
            {"broken link beside a file twin", "Crew/Menu07.st -> gone.st, Crew/MENU07.ST",
             "Crew/Menu07.st", true},
            {"linked folder, other case", "Real/Menu07.st, Crew -> Real", "CREW/MENU07.ST", true},
            {"question mark, other case", "Crew/Menu07.st", "Crew/Menu0?.ST", true},
            {"question mark is one character", "Crew/Menu07.st", "Crew/Menu?.st", false},
            {"wildcard matches whole names", "Crew/Menu07.st", "Crew/enu0?.s", false},
            {"wildcard in a folder other case", "Crew/Menu07.st", "CREW/m*", true},
            {"wildcard matching only a folder", "Crew/Menu07.st/", "Crew/Menu*", false},
            {"wildcard matching only a hidden file", "Crew/.Menu07.st", "Crew/*Menu07.st", false},
            {"wildcard matching a link to a file", "Crew/disk.img, Crew/Menu07.st -> disk.img",
             "Crew/*.st", true},
            {"other signs are plain", "Crew/Menu[1](2)+$.st", "Crew/menu[1](2)+$.s?", true},
            {"star in a folder is plain", "Crew/Menu07.st", "Cr*/Menu07.st", false},
            {"root with trailing separator, other case", "Crew/Menu07.st", "/crew/MENU07.st", true},
            {"doubled separators inside", "Crew/Menu07.st", "crew//Menu07.st", true},
            {"current and parent folder pieces", "Crew/Menu07.st, Other/",
             "other/./../crew/Menu07.st", true},
            {"missing root folder", "Crew/Menu07.st", "Gone/Crew/Menu07.st", false},
            {"trailing separator", "Crew/Menu07.st", "Crew/Menu07.st/", false},
        };
        for (const auto& [name, tree, asked, expected] : cases)
            QTest::newRow(name) << QString::fromUtf8(tree) << QString::fromUtf8(asked) << expected;
    }
    void present() {
        QFETCH(QString, tree);
        QFETCH(QString, asked);
        QFETCH(bool, expected);
        QTemporaryDir dir;
        QVERIFY(build(dir.path(), tree));
        const QString path = dir.path() + u'/' + asked;
        // The second answer comes from what the first one listed, and agrees.
        ImageLocator locator;
        QCOMPARE(locator.present(path), expected);
        QCOMPARE(locator.present(path), expected);
    }

    // A relative path resolves in the current folder; one at the root never does.
    void relativePaths() {
        QTemporaryDir dir;
        QVERIFY(build(dir.path(), QStringLiteral("Crew/Menu07.st, KESTREL-TEST-MENU07.ST")));
        QVERIFY(!QFileInfo::exists(QStringLiteral("/KESTREL-TEST-MENU07.ST")));
        const auto back =
            qScopeGuard([previous = QDir::currentPath()] { QDir::setCurrent(previous); });
        QDir::setCurrent(dir.path());
        QVERIFY(ImageLocator().present(QStringLiteral("CREW/menu07.ST")));
        QVERIFY(ImageLocator().present(QStringLiteral("kestrel-test-menu07.st")));
        QVERIFY(ImageLocator().present(QStringLiteral("./crew/Menu07.st")));
        QVERIFY(!ImageLocator().present(QStringLiteral("//kestrel-test-menu07.st")));
    }

    // One locator asked about twin folders in any order keeps each path apart.
    void answersDoNotDependOnOrder() {
        QTemporaryDir dir;
        QVERIFY(build(dir.path(), QStringLiteral("Crew/A.st, CREW/B.st")));
        const QStringList asks{"Crew/A.st", "CREW/B.st", "Crew/b.st",
                               "CREW/a.st", "crew/B.st", "crew/A.st"};
        ImageLocator forwards;
        QCOMPARE(answers(forwards, dir.path(), asks), QStringLiteral("yynnyn"));
        ImageLocator backwards;
        QCOMPARE(answers(backwards, dir.path(), QStringList(asks.crbegin(), asks.crend())),
                 QStringLiteral("nynnyy"));
    }

    // One walk answers from the listings it took, so its answers agree with one another; the
    // next locator sees every change: a new file under its own name or another case in a
    // folder already listed, a new folder, a removed file.
    void changesAfterAListing() {
        QTemporaryDir dir;
        QVERIFY(build(dir.path(), QStringLiteral("Crew/Menu07.st")));
        const QStringList asks{"Crew/Menu07.st", "Crew/Menu08.st", "crew/menu09.st",
                               "New/Menu01.st"};
        ImageLocator walk;
        QCOMPARE(answers(walk, dir.path(), asks), QStringLiteral("ynnn"));
        QVERIFY(build(dir.path(), QStringLiteral("Crew/Menu08.st, Crew/MENU09.ST, New/Menu01.st")));
        QVERIFY(QFile::remove(dir.path() + QStringLiteral("/Crew/Menu07.st")));
        QCOMPARE(answers(walk, dir.path(), asks), QStringLiteral("ynnn"));
        ImageLocator next;
        QCOMPARE(answers(next, dir.path(), asks), QStringLiteral("nyyy"));
    }
};

KESTREL_TEST(ImageLocatorTest)
#include "ImageLocatorTest.moc"
