#include "core/settings/SettingsStore.h"

#include "common/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Running as root ignores file permissions, so the failure cannot be staged there.
bool canCreateIn(const QString& folder) {
    QFile probe(QDir(folder).filePath(QStringLiteral("probe")));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.remove();
    return true;
}

// A value long enough to be cut, varied so that the cut position shows.
QString longValue(int length) {
    QString value;
    for (int i = 0; i < length; ++i)
        value += QChar(u'a' + i % 26);
    return value;
}

// A hand-kept file with everything a write must leave alone.
const QByteArray handKept = "; Kestrel settings\n"
                            ";   edited by hand\n"
                            "\n"
                            "[Window]\n"
                            "Left=10\n"
                            "Top=20\n"
                            "\t; indented comment\n"
                            "Width = 800 \n"
                            "\n"
                            "\n"
                            "[Paths]\n"
                            "Catalogue=\"C:\\Program Files\\Kestrel\\disks.dat\"\n"
                            "odd line without equals\n"
                            "[Recent]\n"
                            "1=first.dat\n";

} // namespace

// The settings file read and written one value at a time: a missing part reads as the
// default, a write keeps every other line as it was.
class SettingsStoreTest : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> m_dir;
    QString m_ini;

private Q_SLOTS:
    void init() {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
        m_ini = m_dir->filePath(QStringLiteral("Rummage.ini"));
    }

    void read_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        const QString dflt = QStringLiteral("dflt");
        auto row = [&](const char* name, const QByteArray& file, const QString& expected,
                       const QString& section = QStringLiteral("Sec"),
                       const QString& key = QStringLiteral("Key")) {
            QTest::newRow(name) << true << file << section << key << expected;
        };

        // Missing things give the default, "dflt".
        QTest::newRow("missing file") << false << QByteArray() << "Sec"
                                      << "Key" << dflt;
        row("empty file", "", dflt);
        row("missing section", "[Other]\nKey=1\n", dflt);
        row("missing key", "[Sec]\nOther=1\n", dflt);
        row("key only in another section", "[A]\nKey=1\n[Sec]\nOther=2\n", dflt);
        row("key before any section", "Key=1\n[Sec]\n", dflt);
        row("key name is a prefix", "[Sec]\nKey1=1\n", dflt);
        row("commented-out key", "[Sec]\n;Key=1\n  ; Key=2\n", dflt);
        row("key in a later duplicate section", "[Sec]\nA=1\n[Sec]\nKey=2\n", dflt);
        row("blank value", "[Sec]\nKey=  \t\n", QString());
        row("empty quoted value", "[Sec]\nKey=\"\"\n", QString());

        // Names; how names are matched is also what every write row reads back.
        row("non-ASCII name case", "[Sec]\n\xC3\x89t\xC3\xA9=1\n", "1", "SEC", "\u00E9t\u00E9");
        row("blanks around names in the file", "  [ Sec ]  \n\t Key \t=1\n", "1");

        // Values.
        row("blanks around value", "[Sec]\nKey = \t value \t\n", "value");
        row("inner spaces kept", "[Paths]\nProgram=C:\\Program Files\\Kestrel\\kestrel.exe\n",
            "C:\\Program Files\\Kestrel\\kestrel.exe", "Paths", "Program");
        row("double quotes stripped", "[Sec]\nKey=\"C:\\Program Files\"\n", "C:\\Program Files");
        row("single quotes stripped", "[Sec]\nKey='quoted value'\n", "quoted value");
        row("blanks inside quotes kept", "[Sec]\nKey= \"  padded  \" \n", "  padded  ");
        row("mismatched quotes kept", "[Sec]\nKey=\"text'\n", "\"text'");
        row("lone quote kept", "[Sec]\nKey=\"\n", "\"");
        row("inner quotes kept", "[Sec]\nKey=say \"hi\" now\n", "say \"hi\" now");
        row("equals sign in value", "[Sec]\nKey=a=b\n", "a=b");
        row("semicolon in value", "[Sec]\nKey=a;b\n", "a;b");

        row("hand-kept file", handKept, "C:\\Program Files\\Kestrel\\disks.dat", "paths",
            "catalogue");
        row("numbered key, 01 and 11 apart", "[Recent]\n01=zero-one\n1=first\n11=eleven\n", "first",
            "Recent", "1");

        // Long values come back cut to 2047 characters.
        const QString longText = longValue(3000);
        for (const int length : {2047, 2048}) {
            QTest::addRow("%d characters", length)
                << true << "[Sec]\r\nKey=" + longText.left(length).toUtf8() + "\r\nNext=1\r\n"
                << "Sec"
                << "Key" << longText.left(2047);
        }
        row("quoted long value", "[Sec]\nKey=\"" + longText.toUtf8() + "\"\n", longText.left(2047));

        // A line that is not UTF-8 is Windows-1252, decided line by line.
        row("e acute at line end", "[Sec]\r\nKey=Caf\xE9\r\n", "Caf\u00E9");
        row("0x80-0x9F", "[Sec]\nKey=\x80 \x8A \x85 \x9F \x81\n",
            "\u20AC \u0160 \u2026 \u0178 \u0081");
        row("Latin-1 range", "[Sec]\nKey=x\xA0y\xC4\xFF\n", "x\u00A0y\u00C4\u00FF");
        row("Windows-1252 section name", "[Sec]\nKey=1\n[Ann\xE9\x65]\nKey=2\n", "2", "ANN\u00C9E",
            "Key");
        const QByteArray mixed = "[Sec]\nUtf8=Caf\xC3\xA9\nAnsi=Caf\xE9\n";
        row("UTF-8 line next to Windows-1252 line", mixed, "Caf\u00E9", "Sec", "Utf8");
        row("Windows-1252 line next to UTF-8 line", mixed, "Caf\u00E9", "Sec", "Ansi");
    }

    void read() {
        QFETCH(bool, exists);
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        if (exists)
            put(m_ini, file);

        QCOMPARE(readini(section, key, QStringLiteral("dflt"), m_ini), expected);

        // Reading never creates or touches the file.
        QCOMPARE(QFileInfo::exists(m_ini), exists);
        QCOMPARE(contents(m_ini), file);
    }

    // Another program, or the user, may change the file at any time; the next read must see it even
    // when size and time stamp are unchanged.
    void readSeesEveryChangeToTheFile() {
        put(m_ini, "[Sec]\nKey=one\n");
        QCOMPARE(readini("Sec", "Key", "dflt", m_ini), "one");
        put(m_ini, "[Sec]\nKey=two\n");
        QCOMPARE(readini("Sec", "Key", "dflt", m_ini), "two");
        writeini("Sec", "Key", "six", m_ini);
        QCOMPARE(readini("Sec", "Key", "dflt", m_ini), "six");
        QVERIFY(QFile::remove(m_ini));
        QCOMPARE(readini("Sec", "Key", "dflt", m_ini), "dflt");
    }

    void write_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");

        auto row = [](const char* name, const QByteArray& before, const QString& section,
                      const QString& key, const QString& value, const QByteArray& after) {
            QTest::newRow(name) << true << before << section << key << value << after;
        };

        // New files.
        QTest::newRow("missing file") << false << QByteArray() << "Sec"
                                      << "Key"
                                      << "Value" << QByteArray("[Sec]\r\nKey=Value\r\n");
        row("empty file", "", "Sec", "Key", "Value", "[Sec]\r\nKey=Value\r\n");

        // Existing keys are replaced where they stand.
        row("hand-kept file, existing key", handKept, "Window", "Top", "99",
            QByteArray(handKept).replace("Top=20\n", "Top=99\n"));
        row("key spelling kept", "[Sec]\nMyKey=old\n", "SEC", "mykey", "new", "[Sec]\nMyKey=new\n");
        row("blanks around key dropped", "[Sec]\n  Key =  old  \nNext=1\n", " sec ", "key", "new",
            "[Sec]\nKey=new\nNext=1\n");
        row("first of duplicate keys", "[Sec]\nKey=1\nKEY=2\n", "Sec", "Key", "3",
            "[Sec]\nKey=3\nKEY=2\n");
        row("first of duplicate sections", "[Sec]\nKey=1\n[Sec]\nKey=2\n", "Sec", "Key", "3",
            "[Sec]\nKey=3\n[Sec]\nKey=2\n");
        row("same key in another section untouched", "[A]\nKey=1\n[B]\nKey=2\n", "B", "Key", "3",
            "[A]\nKey=1\n[B]\nKey=3\n");
        row("empty value", "[Sec]\nKey=old\n", "Sec", "Key", "", "[Sec]\nKey=\n");

        // New keys go after the last key of their section.
        row("hand-kept file, new key", handKept, "Window", "Height", "600",
            QByteArray(handKept).replace("Width = 800 \n", "Width = 800 \nHeight=600\n"));
        row("new key before trailing blank lines", "[A]\na=1\nb=2\n\n\n[B]\nc=3\n", "A", "n", "x",
            "[A]\na=1\nb=2\nn=x\n\n\n[B]\nc=3\n");
        row("new key before trailing comment", "[A]\na=1\n; about B\n[B]\nc=3\n", "A", "n", "x",
            "[A]\na=1\nn=x\n; about B\n[B]\nc=3\n");
        row("new key before commented-out key", "[A]\na=1\n;b=2\n\n[B]\n", "A", "n", "x",
            "[A]\na=1\nn=x\n;b=2\n\n[B]\n");
        row("new key in section without keys", "[A]\n; about A\n\n[B]\nc=3\n", "a", "n", "x",
            "[A]\n; about A\nn=x\n\n[B]\nc=3\n");
        row("new key in empty last section", "[A]\na=1\n\n[B]\n", "B", "n", "x",
            "[A]\na=1\n\n[B]\nn=x\n");
        row("commented-out key stays", "[A]\n;n=old\n", "A", "n", "x", "[A]\n;n=old\nn=x\n");

        // New sections go at the end, after a blank line.
        row("new section", "[A]\na=1\n", "B", "k", "v", "[A]\na=1\n\n[B]\nk=v\n");
        row("new section after existing blank line", "[A]\na=1\n\n", "B", "k", "v",
            "[A]\na=1\n\n[B]\nk=v\n");
        row("new section in hand-kept file", handKept, "Colours", "Back", "#000000",
            handKept + "\n[Colours]\nBack=#000000\n");

        // The file's own line ending and byte order mark are kept.
        row("CRLF, existing key", "[A]\r\na=1\r\n; c\r\n\r\n", "A", "a", "2",
            "[A]\r\na=2\r\n; c\r\n\r\n");
        row("CRLF, new key", "[A]\r\na=1\r\n\r\n[B]\r\n", "A", "n", "x",
            "[A]\r\na=1\r\nn=x\r\n\r\n[B]\r\n");
        row("CRLF, new section", "[A]\r\na=1\r\n", "B", "k", "v",
            "[A]\r\na=1\r\n\r\n[B]\r\nk=v\r\n");
        row("LF, no line ending at all", "[A]\na=1", "A", "a", "2", "[A]\na=2");
        row("LF, new section, no final line ending", "[A]\na=1", "B", "k", "v",
            "[A]\na=1\n\n[B]\nk=v");
        row("UTF-8 byte order mark", "\xEF\xBB\xBF[A]\r\na=1\r\n", "A", "a", "2",
            "\xEF\xBB\xBF[A]\r\na=2\r\n");

        // Encodings: written as UTF-8, old Windows-1252 text carried over.
        row("UTF-8 value", "[A]\na=1\n", "A", "a", "Caf\u00E9 \u2019",
            "[A]\na=Caf\xC3\xA9 \xE2\x80\x99\n");
        row("Windows-1252 file becomes UTF-8", "; Caf\xE9\r\n[A]\r\na=Rock\x92n\x92Roll\r\n", "A",
            "b", "1", "; Caf\xC3\xA9\r\n[A]\r\na=Rock\xE2\x80\x99n\xE2\x80\x99Roll\r\nb=1\r\n");
    }

    void write() {
        QFETCH(bool, exists);
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        if (exists)
            put(m_ini, before);

        writeini(section, key, value, m_ini);

        QCOMPARE(contents(m_ini), after);
        QCOMPARE(readini(section, key, "dflt", m_ini), value);
        // Nothing left behind from writing the new file beside the old one.
        QCOMPARE(
            QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"Rummage.ini"});
    }

    void writeFailureChangesNothing_data() {
        QTest::addColumn<QString>("setup");
        QTest::newRow("missing folder") << "missing folder";
        QTest::newRow("folder is a file") << "folder is a file";
        QTest::newRow("file is a folder") << "file is a folder";
        QTest::newRow("read-only folder, no file") << "read-only folder";
        QTest::newRow("read-only folder") << "read-only folder, old file";
        // Unreadable: replacing it would lose every other setting in it.
        QTest::newRow("unreadable file") << "unreadable file";
    }

    // A write that cannot be done is lost without notice: nothing thrown, the old file (or none)
    // as it was, nothing left beside it.
    void writeFailureChangesNothing() {
        QFETCH(QString, setup);
        const QString folder = m_dir->filePath("settings");
        const QString ini = QDir(folder).filePath("Rummage.ini");
        const QByteArray old = "; mine\r\n[Sec]\r\nKey=old\r\n";
        const bool readOnly = setup.startsWith(u"read-only");
        if (setup == u"folder is a file")
            put(folder, "not a folder\n");
        else if (setup != u"missing folder")
            QVERIFY(QDir().mkdir(folder));
        if (setup == u"file is a folder")
            QVERIFY(QDir().mkdir(ini));
        if (setup.endsWith(u"old file") || setup == u"unreadable file")
            put(ini, old);
        if (setup == u"unreadable file")
            QVERIFY(QFile::setPermissions(ini, QFile::WriteOwner));
        if (readOnly)
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const auto restore = [&] {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QFile::setPermissions(ini, QFile::ReadOwner | QFile::WriteOwner);
        };
        const auto restoreOnExit = qScopeGuard(restore);
        if ((readOnly && canCreateIn(folder)) ||
            (setup == u"unreadable file" && QFile(ini).open(QIODevice::ReadOnly)))
            QSKIP("file permissions are not enforced for this user");
        const QStringList before =
            QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        const QByteArray bytes = contents(ini);

        QVERIFY_THROWS_NO_EXCEPTION(writeini("Sec", "Key", "new", ini));

        restore();
        QCOMPARE(contents(ini), bytes);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 before);
        QCOMPARE(QFileInfo::exists(folder), setup != u"missing folder");
        if (setup == u"folder is a file")
            QCOMPARE(contents(folder), "not a folder\n");
    }
};

KESTREL_TEST(SettingsStoreTest)
#include "SettingsStoreTest.moc"
