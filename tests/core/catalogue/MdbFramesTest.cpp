#include "common/TestRegistry.h"

#include "core/catalogue/MdbFrames.h"

#include <QTemporaryFile>
#include <QTest>

#include <functional>

namespace {

// The bytes a writer gives.
QByteArray framesOf(const std::function<void(MdbFrameWriter&)>& write) {
    QTemporaryFile file;
    if (!file.open())
        return {};
    {
        MdbFrameWriter writer(file.handle());
        write(writer);
        writer.flush();
    }
    file.seek(0);
    return file.readAll();
}

// Puts the bytes in a file, ready to be read from its start.
bool holding(QTemporaryFile& file, const QByteArray& bytes) {
    return file.open() && file.write(bytes) == bytes.size() && file.flush() && file.seek(0);
}

// Every frame status a reader gives for these bytes, up to the first that is not a frame.
QStringList statuses(const QByteArray& bytes, qint64 limit = 1 << 20) {
    QTemporaryFile file;
    if (!holding(file, bytes))
        return {QStringLiteral("no file")};
    MdbFrameReader reader(file.handle(), limit);
    QStringList seen;
    for (;;) {
        switch (reader.next()) {
        case MdbFrameReader::Status::Frame:
            seen << QString(QLatin1Char(reader.kind()));
            continue;
        case MdbFrameReader::Status::End:
            return seen << QStringLiteral("end");
        case MdbFrameReader::Status::Truncated:
            return seen << QStringLiteral("truncated");
        case MdbFrameReader::Status::Malformed:
            return seen << QStringLiteral("malformed");
        case MdbFrameReader::Status::TooLong:
            return seen << QStringLiteral("too long");
        }
    }
}

MdbValue value(MdbValue::Kind kind, qint64 integer = 0, double real = 0, std::string bytes = {}) {
    return {kind, integer, real, std::move(bytes)};
}

const std::vector<MdbTableHeader> kTables{
    {QStringLiteral("Dnames"),
     2,
     {{QStringLiteral("F_ID"), MdbAffinity::Integer},
      {QStringLiteral("folder"), MdbAffinity::Text},
      {QStringLiteral("size"), MdbAffinity::Real},
      {QStringLiteral("picture"), MdbAffinity::Blob}}},
    {QStringLiteral("Empty \u00E9"), 0, {}},
};

const std::vector<MdbValue> kRow{value(MdbValue::Kind::Integer, -40000),
                                 value(MdbValue::Kind::Text, 0, 0, "D-Bug \xC3\xA9"),
                                 value(MdbValue::Kind::Real, 0, 0.25),
                                 value(MdbValue::Kind::Blob, 0, 0, std::string("a\0b", 3))};

QByteArray wholeStream() {
    return framesOf([](MdbFrameWriter& out) {
        out.header(kTables);
        out.row(QStringLiteral("Dnames"), kRow);
        out.row(QStringLiteral("Dnames"), std::vector<MdbValue>(4));
        out.endOfTable();
        out.endOfTable();
    });
}

} // namespace

// The stream between the reading process and the importer: what goes in comes out, and any
// cut or malformed stream is told apart from a whole one.
class MdbFramesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void carriesTablesAndRowsExactly() {
        QTemporaryFile file;
        const QByteArray bytes = wholeStream();
        QVERIFY(holding(file, bytes));
        MdbFrameReader reader(file.handle(), bytes.size());

        QCOMPARE(reader.next(), MdbFrameReader::Status::Frame);
        QCOMPARE(reader.kind(), MdbFrame::Header);
        std::vector<MdbTableHeader> tables;
        QVERIFY(decodeMdbHeader(reader.payload(), tables));
        QCOMPARE(tables.size(), size_t(2));
        QCOMPARE(tables[0].name, QStringLiteral("Dnames"));
        QCOMPARE(tables[0].expectedRows, 2);
        QCOMPARE(tables[0].columns.size(), size_t(4));
        QCOMPARE(tables[0].columns[3].name, QStringLiteral("picture"));
        QCOMPARE(tables[0].columns[3].affinity, MdbAffinity::Blob);
        QCOMPARE(tables[1].name, QStringLiteral("Empty \u00E9"));

        QCOMPARE(reader.next(), MdbFrameReader::Status::Frame);
        QCOMPARE(reader.kind(), MdbFrame::Row);
        std::vector<MdbValue> values;
        QVERIFY(decodeMdbRow(reader.payload(), 4, values));
        QCOMPARE(values[0].kind, MdbValue::Kind::Integer);
        QCOMPARE(values[0].integer, -40000);
        QCOMPARE(values[1].kind, MdbValue::Kind::Text);
        QCOMPARE(values[1].bytes, std::string("D-Bug \xC3\xA9"));
        QCOMPARE(values[2].real, 0.25);
        QCOMPARE(values[3].kind, MdbValue::Kind::Blob);
        QCOMPARE(values[3].bytes, std::string("a\0b", 3));
        // A row decodes only with its table's number of columns.
        QVERIFY(!decodeMdbRow(reader.payload(), 3, values));
        QVERIFY(!decodeMdbRow(reader.payload(), 5, values));

        QCOMPARE(reader.next(), MdbFrameReader::Status::Frame);
        QVERIFY(decodeMdbRow(reader.payload(), 4, values));
        QCOMPARE(values[2].kind, MdbValue::Kind::Null);
        QCOMPARE(statuses(bytes), (QStringList{"H", "R", "R", "E", "E", "end"}));
    }

    // Made ready before and sent without allocating, after the frames already gathered.
    void sendsAPreparedRefusalLast() {
        const QByteArray bytes = framesOf([](MdbFrameWriter& out) {
            out.prepareRefusal(QStringLiteral("Out of memory."));
            out.header(kTables);
            out.sendPreparedRefusal();
        });
        QCOMPARE(statuses(bytes), (QStringList{"H", "X", "end"}));
        QVERIFY(bytes.endsWith("Out of memory."));
    }

    // Cut anywhere, the stream ends early or mid-frame, and never reads as more than it is.
    void tellsACutStream() {
        const QByteArray bytes = wholeStream();
        for (qsizetype size = 0; size < bytes.size(); ++size) {
            const QStringList seen = statuses(bytes.left(size));
            QVERIFY2(seen.size() < 6 && (seen.last() == "end" || seen.last() == "truncated"),
                     qPrintable(QString::number(size) + u' ' + seen.join(u',')));
        }
    }

    // A size beyond any frame, and a frame past what the stream may hold.
    void refusesMalformedFrames() {
        QCOMPARE(statuses("y\ny\ny\ny\n"), QStringList{"malformed"});
        const qint64 header = framesOf([](MdbFrameWriter& out) { out.header(kTables); }).size();
        QCOMPARE(statuses(wholeStream(), header + 3), (QStringList{"H", "too long"}));
    }

    // Payloads that do not decode exactly: short, long, or with values out of range.
    void refusesMalformedPayloads() {
        std::vector<MdbTableHeader> tables;
        QVERIFY(decodeMdbHeader(QByteArray(4, '\0'), tables));
        QVERIFY(tables.empty());
        QVERIFY(!decodeMdbHeader(QByteArray(3, '\0'), tables));
        QVERIFY(!decodeMdbHeader(QByteArray(5, '\0'), tables));
        QVERIFY(!decodeMdbHeader(QByteArray("\xff\xff\xff\xff", 4), tables));
        // One table "T", 0 rows, one column "c" of affinity 9.
        QByteArray header("\1\0\0\0\1\0\0\0T\0\0\0\0\0\0\0\0\1\0\0\0\1\0\0\0c\x09", 27);
        QVERIFY(!decodeMdbHeader(header, tables));
        header[26] = '\3';
        QVERIFY(decodeMdbHeader(header, tables));
        header[16] = '\x80'; // a negative row count
        QVERIFY(!decodeMdbHeader(header, tables));

        std::vector<MdbValue> values;
        QVERIFY(decodeMdbRow(QByteArray(1, '\0'), 1, values));
        QVERIFY(!decodeMdbRow(QByteArray(1, '\x05'), 1, values)); // no such kind
        QVERIFY(!decodeMdbRow(QByteArray("\3\xff\xff\xff\x7f", 5), 1, values));
        QVERIFY(!decodeMdbRow(QByteArray("\1\0\0\0", 4), 1, values));
    }
};

KESTREL_TEST(MdbFramesTest)
#include "MdbFramesTest.moc"
