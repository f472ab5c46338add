#include "core/catalogue/MdbReader.h"

#include "core/Failures.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

// glib must come first: libmdb's header includes it inside its extern "C" block, where
// glib's C++ templates cannot be declared.
#include <glib.h>
#include <mdbtools.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <new>

namespace {

constexpr int kHeaderSize = 0x20;
constexpr int kVersionOffset = 0x14;
constexpr unsigned kOffsetMask = 0x1fff; // a row offset without its flag bits
constexpr int kLongValueHeader = 12;     // length and location of a memo or OLE value
constexpr int kMaxLongValuePages = 1 << 20;

MdbAffinity affinityOf(int jetType) {
    switch (jetType) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_COMPLEX:
        return MdbAffinity::Integer;
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return MdbAffinity::Real;
    case MDB_TEXT:
    case MDB_MEMO:
    case MDB_DATETIME:
    case MDB_REPID:
        return MdbAffinity::Text;
    default:
        return MdbAffinity::Blob;
    }
}

template <typename T> T littleEndian(const unsigned char* p) {
    return qFromLittleEndian<T>(p);
}

// Jet keeps a date as days since 30 December 1899; before that day the whole part counts
// back while the fraction still counts the time of day forward. Empty beyond the calendar.
QString dateText(double days) {
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        return QString();
    const double whole = std::trunc(days);
    qint64 seconds = std::llround(std::fabs(days - whole) * 86400.0);
    QDate date = QDate(1899, 12, 30).addDays(qint64(whole));
    if (seconds >= 86400) {
        seconds -= 86400;
        date = date.addDays(1);
    }
    if (!date.isValid())
        return QString();
    const int s = int(seconds);
    return QStringLiteral("%1 %2:%3:%4")
        .arg(date.toString(Qt::ISODate))
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

// Whether [start, start + size) lies within a page, for any start and size a file may give.
bool fitsPage(qint64 start, qint64 size, size_t pageSize) {
    const auto page = qint64(pageSize);
    return start >= 0 && size >= 0 && start <= page && size <= page - start;
}

void setText(MdbValue& value, const char* text) {
    value.kind = MdbValue::Kind::Text;
    value.bytes.assign(text);
}

} // namespace

CatalogueError mdbDamaged(const QString& what) {
    return CatalogueError(
        QStringLiteral("The file is damaged or incomplete (was it cut short while being "
                       "copied?): %1.")
            .arg(what));
}

CatalogueError mdbDamaged(const std::exception& error) {
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return mdbDamaged(QStringLiteral("reading it needs more memory than a catalogue can"));
    return mdbDamaged(
        QStringLiteral("reading it failed (%1)").arg(QString::fromLocal8Bit(error.what())));
}

struct MdbFileReader::Impl {
    MdbHandle* mdb = nullptr;
    qint64 pageCount = 0;
    ~Impl() {
        if (mdb)
            mdb_close(mdb);
    }
};

struct MdbTableReader::Impl {
    MdbHandle* mdb;
    MdbTableDef* table;
    std::vector<MdbField> fields;
    std::string scratch; // a long value gathered from its pages
    std::vector<char> text;

    ~Impl() { mdb_free_tabledef(table); }

    const unsigned char* page() const { return mdb->pg_buf; }
    size_t pageSize() const { return size_t(mdb->fmt->pg_size); }

    // Sizes and offsets come from the file: a damaged one gives negative or huge numbers,
    // so the check is written to be unable to wrap.
    void checkSpan(const MdbField& field, qint64 size) const {
        if (!fitsPage(field.start, size, pageSize()))
            throw mdbDamaged(QStringLiteral("a row of table %1 runs past its page")
                                 .arg(QString::fromUtf8(table->name)));
    }

    // Jet text (UTF-16, or its one-byte "compressed" form) as UTF-8.
    void convertText(const char* source, size_t size, MdbValue& value) {
        text.resize(size * 3 + 16);
        const int length = mdb_unicode2ascii(mdb, source, size, text.data(), text.size());
        value.kind = MdbValue::Kind::Text;
        value.bytes.assign(text.data(), size_t(std::max(length, 0)));
    }

    // A memo or OLE value: inline in the row, on one other page, or on a chain of pages.
    const std::string& longValue(const MdbField& field) {
        scratch.clear();
        if (field.siz < kLongValueHeader)
            return scratch;
        checkSpan(field, field.siz);
        const unsigned char* head = page() + field.start;
        const quint32 length = littleEndian<quint32>(head);
        qint32 pageRow = littleEndian<qint32>(head + 4);
        if (length & 0x80000000u) {
            scratch.assign(reinterpret_cast<const char*>(head) + kLongValueHeader,
                           size_t(field.siz - kLongValueHeader));
            return scratch;
        }
        const bool chained = (length & 0xff000000u) == 0;
        if (!chained && !(length & 0x40000000u))
            throw mdbDamaged(QStringLiteral("a memo or OLE value of table %1 is unreadable")
                                 .arg(QString::fromUtf8(table->name)));
        for (int pages = 0; pageRow != 0; ++pages) {
            void* buffer = nullptr;
            int offset = 0;
            size_t size = 0;
            if (pages > kMaxLongValuePages ||
                mdb_find_pg_row(mdb, pageRow, &buffer, &offset, &size) != 0 ||
                (chained && size < 4) || size > pageSize() ||
                !fitsPage(offset, qint64(size), pageSize()))
                throw mdbDamaged(QStringLiteral("a memo or OLE value of table %1 is missing")
                                     .arg(QString::fromUtf8(table->name)));
            const char* bytes = static_cast<const char*>(buffer) + offset;
            if (!chained) {
                scratch.assign(bytes, size);
                break;
            }
            pageRow = littleEndian<qint32>(reinterpret_cast<const unsigned char*>(bytes));
            scratch.append(bytes + 4, size - 4);
            if (scratch.size() > (length & 0x3fffffffu))
                throw mdbDamaged(QStringLiteral("a memo or OLE value of table %1 is too long")
                                     .arg(QString::fromUtf8(table->name)));
        }
        return scratch;
    }

    void convert(const MdbColumn& column, const MdbField& field, MdbValue& value) {
        // A yes/no field keeps its value in the Null bit: set means yes.
        if (column.col_type == MDB_BOOL) {
            value.kind = MdbValue::Kind::Integer;
            value.integer = field.is_null ? 0 : -1;
            return;
        }
        if (field.is_null) {
            value.kind = MdbValue::Kind::Null;
            return;
        }
        const unsigned char* p = page() + field.start;
        auto integer = [&](qint64 v) {
            value.kind = MdbValue::Kind::Integer;
            value.integer = v;
        };
        auto real = [&](double v) {
            value.kind = MdbValue::Kind::Real;
            value.real = v;
        };
        switch (column.col_type) {
        case MDB_BYTE:
            checkSpan(field, 1);
            return integer(*p);
        case MDB_INT:
            checkSpan(field, 2);
            return integer(littleEndian<qint16>(p));
        case MDB_LONGINT:
        case MDB_COMPLEX:
            checkSpan(field, 4);
            return integer(littleEndian<qint32>(p));
        case MDB_MONEY: // a whole number of ten-thousandths
            checkSpan(field, 8);
            return real(double(littleEndian<qint64>(p)) / 10000.0);
        case MDB_FLOAT:
            checkSpan(field, 4);
            return real(std::bit_cast<float>(littleEndian<quint32>(p)));
        case MDB_DOUBLE:
            checkSpan(field, 8);
            return real(std::bit_cast<double>(littleEndian<quint64>(p)));
        case MDB_DATETIME: {
            checkSpan(field, 8);
            const double days = std::bit_cast<double>(littleEndian<quint64>(p));
            const QString date = dateText(days);
            if (date.isEmpty())
                return real(days); // keep the number itself
            return setText(value, date.toLatin1().constData());
        }
        case MDB_NUMERIC: {
            checkSpan(field, 17);
            char* number =
                mdb_numeric_to_string(mdb, field.start, column.col_scale, column.col_prec);
            setText(value, number); // the column's REAL affinity makes it a number
            g_free(number);
            return;
        }
        case MDB_REPID: {
            checkSpan(field, 16);
            char* uuid = mdb_uuid_to_string(mdb->pg_buf, field.start);
            setText(value, uuid);
            g_free(uuid);
            return;
        }
        case MDB_TEXT:
            checkSpan(field, field.siz);
            return convertText(reinterpret_cast<const char*>(p), size_t(field.siz), value);
        case MDB_MEMO: {
            const std::string& raw = longValue(field);
            return convertText(raw.data(), raw.size(), value);
        }
        case MDB_OLE:
            value.kind = MdbValue::Kind::Blob;
            value.bytes = longValue(field);
            return;
        default: // binary, and types this reader does not know: the bytes as they are
            checkSpan(field, field.siz);
            value.kind = MdbValue::Kind::Blob;
            value.bytes.assign(reinterpret_cast<const char*>(p), size_t(field.siz));
            return;
        }
    }
};

MdbFileReader::MdbFileReader(const QString& path) : m_impl(std::make_unique<Impl>()) {
    const QFileInfo info(path);
    if (!info.exists())
        throw CatalogueError(QStringLiteral("The file does not exist."));
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        throw CatalogueError(QStringLiteral("The file cannot be read (no permission)."));
    const QByteArray header = file.read(kHeaderSize);
    static const char kJet[] = "\x00\x01\x00\x00Standard Jet DB";
    static const char kAce[] = "\x00\x01\x00\x00Standard ACE DB";
    if (header.size() < kHeaderSize ||
        (std::memcmp(header.constData(), kJet, sizeof kJet - 1) != 0 &&
         std::memcmp(header.constData(), kAce, sizeof kAce - 1) != 0))
        throw CatalogueError(QStringLiteral("It is not an Access database (.mdb) file."));
    const int version = static_cast<unsigned char>(header[kVersionOffset]);
    if (version > MDB_VER_ACCDB_2019)
        throw CatalogueError(
            QStringLiteral("It is an Access database of a version (%1) that cannot be read.")
                .arg(version));
    // Jet files are made of whole pages; a partial last page means the copy was cut short.
    const qint64 pageSize = version == MDB_VER_JET3 ? 2048 : 4096;
    if (file.size() % pageSize != 0 || file.size() < 3 * pageSize)
        throw mdbDamaged(QStringLiteral("it ends in the middle of a page"));
    m_impl->pageCount = file.size() / pageSize;
    file.close();

    m_impl->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!m_impl->mdb)
        throw CatalogueError(QStringLiteral("It cannot be read as an Access database."));
    MdbHandle* mdb = m_impl->mdb;
    if (!mdb_read_catalog(mdb, MDB_ANY))
        throw mdbDamaged(QStringLiteral("its list of tables cannot be read"));

    // The list of objects is itself a table; every row of it must have been read.
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE &&
            std::strcmp(entry->object_name, "MSysObjects") == 0) {
            MdbTableDef* objects = mdb_read_table(entry);
            const bool whole = objects && objects->num_rows == mdb->num_catalog;
            if (objects)
                mdb_free_tabledef(objects);
            if (!whole)
                throw mdbDamaged(QStringLiteral("its list of tables is not whole"));
        }
        if (mdb_is_user_table(entry))
            m_tableNames << QString::fromUtf8(entry->object_name);
    }
}

MdbFileReader::~MdbFileReader() = default;

std::unique_ptr<MdbTableReader> MdbFileReader::openTable(const QString& name) {
    MdbHandle* mdb = m_impl->mdb;
    const QByteArray utf8 = name.toUtf8();
    MdbCatalogEntry* found = nullptr;
    for (unsigned i = 0; i < mdb->num_catalog && !found; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (mdb_is_user_table(entry) && utf8 == entry->object_name)
            found = entry;
    }
    if (!found)
        throw CatalogueError(QStringLiteral("It has no table %1.").arg(name));
    MdbTableDef* table = mdb_read_table(found);
    if (!table)
        throw mdbDamaged(QStringLiteral("the definition of table %1 cannot be read").arg(name));
    auto impl = std::make_unique<MdbTableReader::Impl>();
    impl->mdb = mdb;
    impl->table = table;
    if (!mdb_read_columns(table) || table->num_cols == 0)
        throw mdbDamaged(QStringLiteral("the columns of table %1 cannot be read").arg(name));

    // The table's map of data pages must not point past the end of the file: libmdb would
    // otherwise stop early and quietly return fewer rows.
    const unsigned char* map = table->usage_map;
    const size_t mapSize = table->map_sz;
    bool mapInFile = map && mapSize >= 5;
    if (mapInFile && map[0] == 0) {
        const qint64 first = littleEndian<quint32>(map + 1);
        for (size_t bit = 0; bit < (mapSize - 5) * 8; ++bit)
            if ((map[5 + bit / 8] >> (bit % 8)) & 1)
                mapInFile = mapInFile && first + qint64(bit) < m_impl->pageCount;
    } else if (mapInFile && map[0] == 1) {
        for (size_t at = 1; at + 4 <= mapSize; at += 4)
            mapInFile = mapInFile && littleEndian<quint32>(map + at) < m_impl->pageCount;
    }
    if (!mapInFile)
        throw mdbDamaged(QStringLiteral("the pages of table %1 are missing").arg(name));

    std::vector<MdbColumnInfo> columns;
    for (unsigned c = 0; c < table->num_cols; ++c) {
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, c));
        columns.push_back({QString::fromUtf8(column->name), affinityOf(column->col_type)});
    }
    impl->fields.resize(table->num_cols);
    mdb_rewind_table(table);
    const qint64 rows = table->num_rows;
    return std::unique_ptr<MdbTableReader>(
        new MdbTableReader(std::move(impl), name, std::move(columns), rows));
}

MdbTableReader::MdbTableReader(std::unique_ptr<Impl> impl, QString name,
                               std::vector<MdbColumnInfo> columns, qint64 expectedRows)
    : m_impl(std::move(impl)), m_name(std::move(name)), m_columns(std::move(columns)),
      m_expectedRows(expectedRows), m_values(m_columns.size()) {}

MdbTableReader::~MdbTableReader() = default;

bool MdbTableReader::next() {
    Impl& d = *m_impl;
    if (!mdb_fetch_row(d.table))
        return false;
    // The fetch leaves the row's page in the buffer and its number one behind the cursor.
    // Cracking it again tells a Null text from an empty one, which the bound values cannot.
    int start = 0;
    size_t size = 0;
    if (mdb_find_row(d.mdb, int(d.table->cur_row) - 1, &start, &size) != 0)
        throw mdbDamaged(QStringLiteral("a row of table %1 cannot be found").arg(m_name));
    start &= int(kOffsetMask);
    if (size > d.pageSize() || !fitsPage(start, qint64(size), d.pageSize()))
        throw mdbDamaged(QStringLiteral("a row of table %1 runs past its page").arg(m_name));
    if (mdb_crack_row(d.table, start, size, d.fields.data()) < 0)
        throw mdbDamaged(QStringLiteral("a row of table %1 cannot be read").arg(m_name));
    for (size_t c = 0; c < m_values.size(); ++c) {
        const auto* column =
            static_cast<const MdbColumn*>(g_ptr_array_index(d.table->columns, guint(c)));
        d.convert(*column, d.fields[c], m_values[c]);
    }
    return true;
}
