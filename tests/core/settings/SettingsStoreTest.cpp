#include "core/settings/SettingsStore.h"

#include "common/FixtureCatalogue.h"
#include "common/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTest>

#include <optional>

namespace {

// A file's bytes stand for no file at all when they are these (as fileBytes() gives them).
const QByteArray missing = "<missing>";

// A hand-kept file with everything a write must leave alone.
const QByteArray handKept =
    "; Kestrel settings\n\n[Window]\nLeft=10\nTop=20\n\t; indented comment\n"
    "Width = 800 \n\n\n[Paths]\nodd line without equals\n[Recent]\n1=a\n";

} // namespace

// The settings file read and written one value at a time: a missing part reads as the
// default, a write keeps every other line as it was.
class SettingsStoreTest : public QObject {
    Q_OBJECT
    std::optional<TestFolder> m_dir;
    QString m_ini;

private Q_SLOTS:
    void init() { m_ini = m_dir.emplace().settingsPath(); }

    void read_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QString dflt = QStringLiteral("dflt");
        auto row = [&](const char* name, const QByteArray& file, const QString& expected,
                       const QString& section = QStringLiteral("Sec"),
                       const QString& key = QStringLiteral("Key")) {
            QTest::newRow(name) << file << section << key << expected;
        };
        // Missing things give the default, "dflt".
        row("missing file", missing, dflt);
        row("key only in another section", "[A]\nKey=1\n[Sec]\nOther=2\n", dflt);
        row("key name is a prefix", "[Sec]\nKey1=1\n", dflt);
        row("commented-out key", "[Sec]\n;Key=1\n  ; Key=2\n", dflt);
        row("key in a later duplicate section", "[Sec]\nA=1\n[Sec]\nKey=2\n", dflt);
        row("empty quoted value", "[Sec]\nKey=\"\"\n", QString());
        // Names; how names are matched is also what every write row reads back.
        row("non-ASCII name case", "[Sec]\n\xC3\x89t\xC3\xA9=1\n", "1", "SEC", "\u00E9t\u00E9");
        row("numbered key, 01 and 11 apart", "[Recent]\n01=zero-one\n1=first\n11=eleven\n", "first",
            "Recent", "1");
        // Values.
        row("blanks around names and value", "  [ Sec ]  \n\t Key \t= \t a  b \t\n", "a  b");
        row("double quotes stripped", "[Sec]\nKey=\"C:\\Program Files\"\n", "C:\\Program Files");
        row("single quotes stripped", "[Sec]\nKey='quoted value'\n", "quoted value");
        row("blanks inside quotes kept", "[Sec]\nKey= \"  padded  \" \n", "  padded  ");
        row("mismatched quotes kept", "[Sec]\nKey=\"text'\n", "\"text'");
        row("lone quote kept", "[Sec]\nKey=\"\n", "\"");
        row("equals and semicolon in value", "[Sec]\nKey=a=b;c\n", "a=b;c");
        // Long values come back cut to 2047 characters, quoted ones after the quotes go.
        // Varied, so that the cut position shows.
        const QString longText = QStringLiteral("abcdefghijklmnopqrstuvwxyz").repeated(100);
        row("2048 characters", "[Sec]\r\nKey=" + longText.left(2048).toUtf8() + "\r\nNext=1\r\n",
            longText.left(2047));
        row("quoted long value", "[Sec]\nKey=\"" + longText.toUtf8() + "\"\n", longText.left(2047));
        // A line that is not UTF-8 is Windows-1252, decided line by line.
        row("e acute at line end", "[Sec]\r\nKey=Caf\xE9\r\n", "Caf\u00E9");
        row("0x80-0xFF", "[Sec]\nKey=\x80 \x8A \x85 \x9F \x81 \xA0\xC4\xFF\n",
            "\u20AC \u0160 \u2026 \u0178 \u0081 \u00A0\u00C4\u00FF");
        row("UTF-8 line next to Windows-1252 line", "[Sec]\nKey=Caf\xC3\xA9\nAnsi=Caf\xE9\n",
            "Caf\u00E9");
    }

    void read() {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        if (file != missing)
            QVERIFY(writeFileBytes(m_ini, file));

        QCOMPARE(readini(section, key, QStringLiteral("dflt"), m_ini), expected);

        // Reading never creates or touches the file.
        QCOMPARE(fileBytes(m_ini), file);
    }

    // Another program, or the user, may change the file at any time; the next read must see it even
    // when size and time stamp are unchanged.
    void readSeesEveryChangeToTheFile() {
        QVERIFY(writeFileBytes(m_ini, "[Sec]\nKey=one\n"));
        QCOMPARE(readini("Sec", "Key", "dflt", m_ini), "one");
        QVERIFY(writeFileBytes(m_ini, "[Sec]\nKey=two\n"));
        QCOMPARE(readini("Sec", "Key", "dflt", m_ini), "two");
        writeini("Sec", "Key", "six", m_ini);
        QCOMPARE(readini("Sec", "Key", "dflt", m_ini), "six");
        QVERIFY(QFile::remove(m_ini));
        QCOMPARE(readini("Sec", "Key", "dflt", m_ini), "dflt");
    }

    void write_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        auto row = [](const char* name, const QByteArray& before, const QString& section,
                      const QString& key, const QString& value, const QByteArray& after) {
            QTest::newRow(name) << before << section << key << value << after;
        };
        row("missing file", missing, "Sec", "Key", "Value", "[Sec]\r\nKey=Value\r\n");
        // Existing keys are replaced where they stand.
        row("key spelling kept, blanks dropped", "[Sec]\n  MyKey =  old  \nNext=1\n", " SEC ",
            "mykey", "new", "[Sec]\nMyKey=new\nNext=1\n");
        row("first of duplicate keys", "[Sec]\nKey=1\nKEY=2\n", "Sec", "Key", "3",
            "[Sec]\nKey=3\nKEY=2\n");
        // New keys go after the last key of their section.
        row("hand-kept file, new key", handKept, "Window", "Height", "600",
            QByteArray(handKept).replace("Width = 800 \n", "Width = 800 \nHeight=600\n"));
        row("new key before trailing comment", "[A]\na=1\n; about B\n[B]\nc=3\n", "A", "n", "x",
            "[A]\na=1\nn=x\n; about B\n[B]\nc=3\n");
        row("new key in section without keys", "[A]\n; about A\n\n[B]\nc=3\n", "a", "n", "x",
            "[A]\n; about A\nn=x\n\n[B]\nc=3\n");
        row("new key in empty last section", "[A]\na=1\n\n[B]\n", "B", "n", "x",
            "[A]\na=1\n\n[B]\nn=x\n");
        // New sections go at the end, after a blank line.
        row("new section after existing blank line", "[A]\na=1\n\n", "B", "k", "v",
            "[A]\na=1\n\n[B]\nk=v\n");
        // The file's own line ending and byte order mark are kept.
        row("CRLF, new section", "[A]\r\na=1\r\n", "B", "k", "v",
            "[A]\r\na=1\r\n\r\n[B]\r\nk=v\r\n");
        row("LF, new section, no final line ending", "[A]\na=1", "B", "k", "v",
            "[A]\na=1\n\n[B]\nk=v");
        row("UTF-8 byte order mark", "\xEF\xBB\xBF[A]\r\na=1\r\n", "A", "a", "2",
            "\xEF\xBB\xBF[A]\r\na=2\r\n");
        // Written as UTF-8, old Windows-1252 text carried over.
        row("Windows-1252 file becomes UTF-8", "; Caf\xE9\r\n[A]\r\na=Rock\x92n\x92Roll\r\n", "A",
            "b", "1", "; Caf\xC3\xA9\r\n[A]\r\na=Rock\xE2\x80\x99n\xE2\x80\x99Roll\r\nb=1\r\n");
    }

    void write() {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        if (before != missing)
            QVERIFY(writeFileBytes(m_ini, before));

        writeini(section, key, value, m_ini);

        QCOMPARE(fileBytes(m_ini), after);
        QCOMPARE(readini(section, key, "dflt", m_ini), value);
        // Nothing left behind from writing the new file beside the old one.
        QCOMPARE(folderEntries(m_dir->path()), QStringList{"Rummage.ini"});
    }

    void writeFailureChangesNothing_data() {
        QTest::addColumn<QString>("setup");
        for (const char* setup : {"missing folder", "file is a folder", "unreadable file"})
            QTest::newRow(setup) << QString::fromLatin1(setup);
    }

    // A write that cannot be done says so, naming the file, and leaves the old file (or none)
    // as it was, nothing left beside it. An unreadable file is kept too: replacing it would
    // lose every other setting in it.
    void writeFailureChangesNothing() {
        QFETCH(QString, setup);
        const QString folder = m_dir->file("settings");
        const QString ini = QDir(folder).filePath("Rummage.ini");
        if (setup != u"missing folder")
            QVERIFY(QDir().mkdir(folder));
        if (setup == u"file is a folder")
            QVERIFY(QDir().mkdir(ini));
        const bool unreadable = setup == u"unreadable file";
        const QByteArray old = unreadable ? "; mine\r\n[Sec]\r\nKey=old\r\n" : missing;
        if (unreadable)
            QVERIFY(writeFileBytes(ini, old) && QFile::setPermissions(ini, QFile::WriteOwner));
        const auto restore = [&] {
            QFile::setPermissions(ini, QFile::ReadOwner | QFile::WriteOwner);
        };
        const auto restoreOnExit = qScopeGuard(restore);
        if (unreadable && QFile(ini).open(QIODevice::ReadOnly))
            QSKIP("file permissions are not enforced for this user");
        const QStringList before = folderEntries(folder);

        const QString message = errorOf<FileError>([&] { writeini("Sec", "Key", "new", ini); });
        QVERIFY2(message.contains(ini), qPrintable(message));

        restore();
        QCOMPARE(fileBytes(ini), old);
        QCOMPARE(folderEntries(folder), before);
        QCOMPARE(QFileInfo::exists(folder), setup != u"missing folder");
    }
};

KESTREL_TEST(SettingsStoreTest)
#include "SettingsStoreTest.moc"
