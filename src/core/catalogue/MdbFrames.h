#pragma once

#include "core/catalogue/MdbReader.h"

#include <QByteArray>
#include <QString>

#include <vector>

// The stream in which the reading process hands an .mdb file's tables to the importer.
//
//   frame  := kind:u8  size:u32  payload[size]           (little-endian, size <= kMaxFrameSize)
//   'H'    header, first:  count:u32, then per table: name:str rows:i64 columns:u32,
//                          then per column: name:str affinity:u8 (MdbAffinity)
//   'R'    a row of the current table: per column kind:u8 (MdbValue::Kind), then
//          nothing (Null), i64 (Integer), the f64's bits as u64 (Real), str (Text, Blob)
//   'E'    the current table has no more rows; the next table of the header follows
//   'X'    the file is refused: the reason as UTF-8, and nothing more
//   str    := size:u32 bytes
//
// After the header come the rows of every table in the header's order, each table closed
// by 'E'; the stream ends after the last 'E'. The importer trusts none of it: any frame that
// does not decode exactly, or comes out of turn, means the file is damaged.

namespace MdbFrame {
constexpr char Header = 'H';
constexpr char Row = 'R';
constexpr char EndOfTable = 'E';
constexpr char Refusal = 'X';
constexpr quint32 kMaxFrameSize = 64u << 20; // far above any row a catalogue holds
} // namespace MdbFrame

struct MdbTableHeader {
    QString name;
    qint64 expectedRows = 0;
    std::vector<MdbColumnInfo> columns;
};

// Frames written to a file descriptor (a pipe), gathered into large writes.
class MdbFrameWriter {
public:
    explicit MdbFrameWriter(int fd) : m_fd(fd) {}
    ~MdbFrameWriter();
    MdbFrameWriter(const MdbFrameWriter&) = delete;
    MdbFrameWriter& operator=(const MdbFrameWriter&) = delete;

    void header(const std::vector<MdbTableHeader>& tables);
    // Throws CatalogueError when the row does not fit in a frame.
    void row(const QString& table, const std::vector<MdbValue>& values);
    void endOfTable();
    // The last frame; flush() sends it.
    void refusal(const QString& reason);
    // Writes what is gathered; false when the reader has gone.
    bool flush();

    // A refusal made ready beforehand, for a moment when nothing can be allocated: what is
    // gathered is written, then the refusal, and nothing more may follow.
    void prepareRefusal(const QString& reason);
    void sendPreparedRefusal();

private:
    void append(char kind, const QByteArray& payload);
    void frame(char kind, const QByteArray& payload);

    int m_fd;
    QByteArray m_pending;
    QByteArray m_payload;
    QByteArray m_prepared;
};

// Frames read from a file descriptor, at most `limit` bytes in all.
class MdbFrameReader {
public:
    enum class Status {
        Frame,     // kind() and payload() hold the next frame
        End,       // the stream ended between frames
        Truncated, // it ended inside a frame
        Malformed, // a size beyond the limit of a frame
        TooLong,   // more bytes than the limit of the stream
    };

    MdbFrameReader(int fd, qint64 limit) : m_fd(fd), m_limit(limit) {}
    Status next();
    char kind() const { return m_kind; }
    const QByteArray& payload() const { return m_payload; }

private:
    // Reads exactly `size` bytes into `into` at `at`; false at the end of the stream.
    bool readFully(char* into, qint64 size, bool& any);

    int m_fd;
    qint64 m_limit;
    qint64 m_read = 0;
    char m_kind = 0;
    QByteArray m_payload;
};

// The payloads, decoded; false when one does not decode exactly.
bool decodeMdbHeader(const QByteArray& payload, std::vector<MdbTableHeader>& tables);
bool decodeMdbRow(const QByteArray& payload, size_t columns, std::vector<MdbValue>& values);
