#include "core/catalogue/MdbFrames.h"

#include "core/Failures.h"

#include <QtEndian>

#include <bit>
#include <cerrno>
#include <system_error>

#include <unistd.h>

namespace {

constexpr qsizetype kFrameHead = 5;         // kind and size
constexpr qsizetype kWriteAtOnce = 1 << 20; // gathered before a write

template <typename T> void put(QByteArray& out, T value) {
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

void putText(QByteArray& out, const char* bytes, size_t size) {
    put(out, quint32(size));
    out.append(bytes, qsizetype(size));
}

void putText(QByteArray& out, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    putText(out, utf8.constData(), size_t(utf8.size()));
}

void appendFrame(QByteArray& out, char kind, const QByteArray& payload) {
    out.append(kind);
    put(out, quint32(payload.size()));
    out.append(payload);
}

// Reads a payload from its start; any read past its end marks it malformed for good.
class Cursor {
public:
    explicit Cursor(const QByteArray& bytes) : m_bytes(bytes) {}

    bool ok() const { return m_ok; }
    bool atEnd() const { return m_ok && m_at == m_bytes.size(); }

    template <typename T> T number() {
        const char* p = take(sizeof(T));
        return p ? qFromLittleEndian<T>(p) : T();
    }
    std::string bytes() {
        const quint32 size = number<quint32>();
        const char* p = take(size);
        return p ? std::string(p, size) : std::string();
    }
    QString text() {
        const std::string utf8 = bytes();
        return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    }
    void fail() { m_ok = false; }

private:
    const char* take(quint64 size) {
        if (!m_ok || size > quint64(m_bytes.size() - m_at)) {
            m_ok = false;
            return nullptr;
        }
        const char* p = m_bytes.constData() + m_at;
        m_at += qsizetype(size);
        return p;
    }

    const QByteArray& m_bytes;
    qsizetype m_at = 0;
    bool m_ok = true;
};

CatalogueError rowTooLarge(const QString& table) {
    return CatalogueError(
        QStringLiteral("A row of table %1 is larger than %2 MB, more than a catalogue can hold.")
            .arg(table)
            .arg(MdbFrame::kMaxFrameSize >> 20));
}

} // namespace

MdbFrameWriter::~MdbFrameWriter() {
    flush();
}

void MdbFrameWriter::header(const std::vector<MdbTableHeader>& tables) {
    m_payload.clear();
    put(m_payload, quint32(tables.size()));
    for (const MdbTableHeader& table : tables) {
        putText(m_payload, table.name);
        put(m_payload, qint64(table.expectedRows));
        put(m_payload, quint32(table.columns.size()));
        for (const MdbColumnInfo& column : table.columns) {
            putText(m_payload, column.name);
            put(m_payload, quint8(column.affinity));
        }
    }
    frame(MdbFrame::Header, m_payload);
}

void MdbFrameWriter::row(const QString& table, const std::vector<MdbValue>& values) {
    m_payload.clear();
    for (const MdbValue& value : values) {
        put(m_payload, quint8(value.kind));
        switch (value.kind) {
        case MdbValue::Kind::Null:
            break;
        case MdbValue::Kind::Integer:
            put(m_payload, qint64(value.integer));
            break;
        case MdbValue::Kind::Real:
            put(m_payload, std::bit_cast<quint64>(value.real));
            break;
        case MdbValue::Kind::Text:
        case MdbValue::Kind::Blob:
            if (value.bytes.size() > MdbFrame::kMaxFrameSize)
                throw rowTooLarge(table);
            putText(m_payload, value.bytes.data(), value.bytes.size());
            break;
        }
        if (quint64(m_payload.size()) > MdbFrame::kMaxFrameSize)
            throw rowTooLarge(table);
    }
    frame(MdbFrame::Row, m_payload);
}

void MdbFrameWriter::endOfTable() {
    frame(MdbFrame::EndOfTable, QByteArray());
}

// Only gathered, never written here: it comes after a failure, perhaps a failed write.
void MdbFrameWriter::refusal(const QString& reason) {
    append(MdbFrame::Refusal, reason.toUtf8().left(qsizetype(MdbFrame::kMaxFrameSize)));
}

void MdbFrameWriter::prepareRefusal(const QString& reason) {
    m_prepared.clear();
    appendFrame(m_prepared, MdbFrame::Refusal, reason.toUtf8());
}

void MdbFrameWriter::sendPreparedRefusal() {
    if (flush())
        m_pending.swap(m_prepared); // no copy, no allocation
    flush();
}

void MdbFrameWriter::append(char kind, const QByteArray& payload) {
    appendFrame(m_pending, kind, payload);
}

void MdbFrameWriter::frame(char kind, const QByteArray& payload) {
    append(kind, payload);
    if (m_pending.size() >= kWriteAtOnce && !flush())
        throw std::system_error(errno, std::generic_category(), "the importer has gone");
}

bool MdbFrameWriter::flush() {
    qsizetype done = 0;
    while (done < m_pending.size()) {
        const ssize_t written =
            ::write(m_fd, m_pending.constData() + done, size_t(m_pending.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    m_pending.clear();
    return true;
}

MdbFrameReader::Status MdbFrameReader::next() {
    char head[kFrameHead];
    bool any = false;
    if (!readFully(head, kFrameHead, any))
        return any ? Status::Truncated : Status::End;
    const quint32 size = qFromLittleEndian<quint32>(head + 1);
    if (size > MdbFrame::kMaxFrameSize)
        return Status::Malformed;
    if (m_read + size > m_limit)
        return Status::TooLong;
    m_kind = head[0];
    m_payload.resize(qsizetype(size));
    return readFully(m_payload.data(), size, any) ? Status::Frame : Status::Truncated;
}

bool MdbFrameReader::readFully(char* into, qint64 size, bool& any) {
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = ::read(m_fd, into + done, size_t(size - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        any = true;
        done += got;
        m_read += got;
    }
    return true;
}

bool decodeMdbHeader(const QByteArray& payload, std::vector<MdbTableHeader>& tables) {
    tables.clear();
    Cursor in(payload);
    const quint32 count = in.number<quint32>();
    for (quint32 t = 0; t < count && in.ok(); ++t) {
        MdbTableHeader table;
        table.name = in.text();
        table.expectedRows = in.number<qint64>();
        const quint32 columns = in.number<quint32>();
        for (quint32 c = 0; c < columns && in.ok(); ++c) {
            const QString name = in.text();
            const quint8 affinity = in.number<quint8>();
            if (affinity > quint8(MdbAffinity::Blob))
                in.fail();
            table.columns.push_back({name, MdbAffinity(affinity)});
        }
        if (table.expectedRows < 0 || table.name.isEmpty())
            in.fail();
        tables.push_back(std::move(table));
    }
    return in.atEnd();
}

bool decodeMdbRow(const QByteArray& payload, size_t columns, std::vector<MdbValue>& values) {
    values.resize(columns);
    Cursor in(payload);
    for (MdbValue& value : values) {
        const quint8 kind = in.number<quint8>();
        value.kind = MdbValue::Kind(kind);
        switch (value.kind) {
        case MdbValue::Kind::Null:
            break;
        case MdbValue::Kind::Integer:
            value.integer = in.number<qint64>();
            break;
        case MdbValue::Kind::Real:
            value.real = std::bit_cast<double>(in.number<quint64>());
            break;
        case MdbValue::Kind::Text:
        case MdbValue::Kind::Blob:
            value.bytes = in.bytes();
            break;
        default:
            in.fail();
        }
        if (!in.ok())
            return false;
    }
    return in.atEnd();
}
