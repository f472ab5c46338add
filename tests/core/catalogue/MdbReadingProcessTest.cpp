#include "common/FixtureCatalogue.h"
#include "common/TestRegistry.h"

#include "core/Sanitizers.h"
#include "core/catalogue/MdbFrames.h"
#include "core/catalogue/MdbImport.h"

#include <QDir>
#include <QHash>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

using Frames = std::function<void(MdbFrameWriter&)>;

// Points the import at another reading program for the life of the value.
class ReaderProgram {
public:
    explicit ReaderProgram(const QString& program) : m_old(qgetenv("KESTREL_MDB_READER")) {
        qputenv("KESTREL_MDB_READER", QFile::encodeName(program));
    }
    ~ReaderProgram() { qputenv("KESTREL_MDB_READER", m_old); }

private:
    QByteArray m_old;
};

std::vector<MdbColumnInfo> columns(const QStringList& names, MdbAffinity affinity) {
    std::vector<MdbColumnInfo> out;
    for (const QString& name : names)
        out.push_back({name, affinity});
    return out;
}

// A small catalogue as the reading process sends it, Dnames first as a file may hold it.
const std::vector<MdbTableHeader> kTables{
    {QStringLiteral("Dnames"), 1,
     columns({"F_ID", "got", "folder", "filename", "filenumber", "fileexten"}, MdbAffinity::Text)},
    {QStringLiteral("Compilations"), 2,
     columns({"Nummer", "Group", "Game", "favourite", "F_ID"}, MdbAffinity::Integer)},
};

std::vector<MdbValue> row(std::initializer_list<qint64> numbers) {
    std::vector<MdbValue> values;
    for (const qint64 n : numbers)
        values.push_back({MdbValue::Kind::Integer, n, 0, {}});
    return values;
}

void header(MdbFrameWriter& out) {
    out.header(kTables);
}
void dnames(MdbFrameWriter& out) {
    out.row(QStringLiteral("Dnames"), row({7, 1, 2, 3, 4, 5}));
    out.endOfTable();
}
void compilations(MdbFrameWriter& out) {
    out.row(QStringLiteral("Compilations"), row({1, 10, 11, 0, 7}));
    out.row(QStringLiteral("Compilations"), row({2, 20, 21, 0, 7}));
    out.endOfTable();
}
void whole(MdbFrameWriter& out) {
    header(out);
    dnames(out);
    compilations(out);
}

QByteArray framesOf(const QList<Frames>& parts) {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("frames")));
    if (!file.open(QIODevice::ReadWrite))
        return {};
    {
        MdbFrameWriter out(file.handle());
        for (const Frames& part : parts)
            part(out);
        out.flush();
    }
    file.seek(0);
    return file.readAll();
}

// A reading program that runs `script`, "STREAM" in it naming a file that holds `frames`; no
// program at all for an empty script. Its path, in `dir`.
QString fakeReader(const QTemporaryDir& dir, QString script, const QByteArray& frames) {
    const QString stream = dir.filePath(QStringLiteral("stream"));
    const QString program = dir.filePath(QStringLiteral("reader"));
    if (writeFileBytes(stream, frames) && !script.isEmpty() &&
        writeFileBytes(
            program, "#!/bin/sh\n" +
                         script.replace(QStringLiteral("STREAM"), u'\'' + stream + u'\'').toUtf8() +
                         '\n'))
        QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
    return program;
}

} // namespace

// Whatever the process that reads the .mdb file does, the import ends in a refusal naming the
// file and leaves the folder as it was.
class MdbReadingProcessTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void refusesEveryDamagedFile_data() {
        QTest::addColumn<QString>("mdb");
        QTest::addColumn<QStringList>("reasons");
        // What each known file is refused for; any other is at least damaged.
        const QHash<QString, QString> known{
            {"negative-text-length.mdb", "a row of table Dnames runs past its page"},
            {"runaway-catalogue-memory.mdb", "needs more memory than a catalogue can"},
            {"properties-read-past-end.mdb", "the pages of table Compilations are missing"},
        };
        const QDir damaged(sharedFixture("damaged"));
        const QStringList files = damaged.entryList({QStringLiteral("*.mdb")}, QDir::Files);
        for (const QString& name : files) {
            QStringList reasons{QStringLiteral("damaged")};
            // Under the sanitizers the reading process dies at libmdb's first bad read and
            // runs without an address-space limit, so only "damaged" is certain there.
            if (known.contains(name) && !kUnderAddressSanitizer)
                reasons << known[name];
            QTest::newRow(qPrintable(name)) << damaged.filePath(name) << reasons;
        }
        if (files.isEmpty())
            QTest::newRow("none") << QString() << QStringList();
    }
    // Into a folder whose catalogue is to be replaced: it stays as it was, byte for byte.
    void refusesEveryDamagedFile() {
        QFETCH(QString, mdb);
        QFETCH(QStringList, reasons);
        if (mdb.isEmpty())
            QSKIP("The shared fixtures (../shared/fixtures/mdb) are not here.");
        TestFolder target;
        target.createCatalogue(QStringLiteral("INSERT INTO Dnames VALUES (1, 1, 'A', 'a', NULL, "
                                              "'st')"));
        const QByteArray before = fileBytes(target.cataloguePath());
        const QString message =
            errorOf([&] { importMdb(mdb, target.cataloguePath(), {}, MdbImportTarget::Replace); });
        QVERIFY2(containsAll(message, QStringList{mdb} + reasons), qPrintable(message));
        QCOMPARE(fileBytes(target.cataloguePath()), before);
        QCOMPARE(folderEntries(target.path()), QStringList{Catalogue::fileName()});
    }

    // "script" is the reading program's body; STREAM names a file holding "frames".
    void refusesWhatTheProcessGetsWrong_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QByteArray>("frames");
        QTest::addColumn<QStringList>("reasons");
        const QByteArray good = framesOf({whole});
        const QStringList damaged{QStringLiteral("damaged")};
        QTest::newRow("killed after some rows")
            << "cat STREAM; kill -KILL $$" << framesOf({header, dnames})
            << QStringList{"damaged", "Killed"};
        QTest::newRow("crashed at once")
            << "kill -SEGV $$" << QByteArray() << QStringList{"damaged", "Segmentation fault"};
        QTest::newRow("cut inside a frame") << "cat STREAM" << good.left(good.size() - 3)
                                            << QStringList{"damaged", "stopped before the end"};
        QTest::newRow("cut between tables") << "cat STREAM" << framesOf({header, dnames})
                                            << QStringList{"damaged", "stopped before the end"};
        QTest::newRow("every row, but a failure") << "cat STREAM; exit 3" << good << damaged;
        QTest::newRow("a frame after the last table")
            << "cat STREAM STREAM" << good << QStringList{"damaged", "malformed"};
        QTest::newRow("a row of the wrong width")
            << "cat STREAM"
            << framesOf({header,
                         [](MdbFrameWriter& out) { out.row(QStringLiteral("Dnames"), row({7})); }})
            << QStringList{"damaged", "malformed"};
        QTest::newRow("endless garbage")
            << "yes" << QByteArray() << QStringList{"damaged", "malformed"};
        QTest::newRow("a refusal")
            << "cat STREAM; exit 1"
            << framesOf({[](MdbFrameWriter& out) { out.refusal(QStringLiteral("No catalogue.")); }})
            << QStringList{"\n\nNo catalogue."};
        QTest::newRow("no program")
            << QString() << QByteArray() << QStringList{"cannot be started"};
    }
    void refusesWhatTheProcessGetsWrong() {
        QFETCH(QString, script);
        QFETCH(QByteArray, frames);
        QFETCH(QStringList, reasons);
        QTemporaryDir programs;
        const ReaderProgram reader(fakeReader(programs, script, frames));
        TestFolder target;
        const QString mdb = sharedFixture("catalogue-v2000.mdb");
        const QString message = errorOf([&] { importMdb(mdb, target.cataloguePath()); });
        QVERIFY2(containsAll(message, QStringList{mdb} + reasons), qPrintable(message));
        QCOMPARE(folderEntries(target.path()), QStringList());
    }

    // The same stream, whole and from a process that succeeds, is imported: the refusals
    // above come from what was wrong, not from the fake process.
    void importsAWholeStream() {
        QTemporaryDir programs;
        const ReaderProgram reader(fakeReader(programs, "cat STREAM", framesOf({whole})));
        TestFolder target;
        const MdbImportCounts counts = importMdb(QStringLiteral("any.mdb"), target.cataloguePath());
        QStringList tables;
        for (const auto& table : counts.tables)
            tables << table.name + u' ' + QString::number(table.rows);
        QCOMPARE(tables, (QStringList{"Compilations 2", "Dnames 1"}));
        QCOMPARE(queryColumn(target.cataloguePath(),
                             QStringLiteral("SELECT group_concat(Game) FROM Compilations")),
                 QStringList{"11,21"});
    }
};

KESTREL_TEST(MdbReadingProcessTest)
#include "MdbReadingProcessTest.moc"
