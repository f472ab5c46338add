#include "core/catalogue/MdbImport.h"

#include "core/Failures.h"
#include "core/catalogue/CatalogueSchema.h"
#include "core/catalogue/JetFunctions.h"
#include "core/catalogue/MdbReader.h"
#include "core/catalogue/MdbReaderProcess.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr qint64 kProgressEvery = 4096;

QString quoted(const QString& name) {
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

QString declaredType(MdbAffinity affinity) {
    switch (affinity) {
    case MdbAffinity::Integer:
        return QStringLiteral("INTEGER");
    case MdbAffinity::Real:
        return QStringLiteral("REAL");
    case MdbAffinity::Text:
        return QStringLiteral("TEXT");
    case MdbAffinity::Blob:
        break;
    }
    return QStringLiteral("BLOB");
}

// The new catalogue under a name of its own beside the target; removed unless it was put
// in place.
class TemporaryCatalogue {
public:
    explicit TemporaryCatalogue(const QString& target) {
        // Created like any new file of the user's (not private like QTemporaryFile's), and
        // unique, so that two imports never write into one file.
        for (int attempt = 0;; ++attempt) {
            m_path = QStringLiteral("%1.%2-%3.importing")
                         .arg(target)
                         .arg(QCoreApplication::applicationPid())
                         .arg(attempt);
            const int fd = ::open(QFile::encodeName(m_path).constData(),
                                  O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                ::close(fd);
                return;
            }
            if (errno != EEXIST || attempt == 100) {
                const QString reason = systemError();
                m_path.clear();
                throw CatalogueError(
                    QStringLiteral("The new catalogue cannot be created in the folder %1: %2.")
                        .arg(QFileInfo(target).absolutePath(), reason));
            }
        }
    }
    ~TemporaryCatalogue() {
        if (!m_path.isEmpty())
            QFile::remove(m_path);
    }
    TemporaryCatalogue(const TemporaryCatalogue&) = delete;
    TemporaryCatalogue& operator=(const TemporaryCatalogue&) = delete;

    const QString& path() const { return m_path; }

    // On disk before the rename, so that a crash never leaves a half-written catalogue
    // under the real name.
    void moveTo(const QString& target, MdbImportTarget mode) {
        const QByteArray from = QFile::encodeName(m_path);
        const int fd = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
        const bool synced = fd >= 0 && ::fsync(fd) == 0;
        if (fd >= 0)
            ::close(fd);
        if (!synced)
            throw CatalogueError(
                QStringLiteral("The new catalogue cannot be written: %1.").arg(systemError()));
        if (mode == MdbImportTarget::MustBeNew && QFileInfo::exists(target))
            throw CatalogueError(
                QStringLiteral("The working catalogue appeared while importing:\n%1").arg(target));
        if (std::rename(from.constData(), QFile::encodeName(target).constData()) != 0)
            throw CatalogueError(
                QStringLiteral("The new catalogue cannot be put in place: %1.").arg(systemError()));
        m_path.clear();
    }

private:
    QString m_path;
};

class Statement {
public:
    Statement(sqlite3* db, const QString& sql) {
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT,
                               &m_stmt, nullptr) != SQLITE_OK)
            throw CatalogueError(QStringLiteral("The new catalogue cannot be written: %1.")
                                     .arg(QString::fromUtf8(sqlite3_errmsg(db))));
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return m_stmt; }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

// The connection to the new file, with the dialect's functions (the text columns' collation
// needs them). Nothing is journalled: a failed import throws the whole file away.
class NewCatalogue {
public:
    explicit NewCatalogue(const QString& path) {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE,
                            nullptr) != SQLITE_OK)
            fail();
        registerJetFunctions(m_db);
        exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN");
    }
    ~NewCatalogue() { sqlite3_close_v2(m_db); }
    NewCatalogue(const NewCatalogue&) = delete;
    NewCatalogue& operator=(const NewCatalogue&) = delete;

    sqlite3* handle() const { return m_db; }

    void exec(const QString& sql) {
        if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            fail();
    }

    void commitAndClose() {
        exec(QStringLiteral("COMMIT"));
        const int rc = sqlite3_close(m_db);
        if (rc != SQLITE_OK)
            fail();
        m_db = nullptr;
    }

    [[noreturn]] void fail() const {
        throw CatalogueError(QStringLiteral("The new catalogue cannot be written: %1.")
                                 .arg(QString::fromUtf8(sqlite3_errmsg(m_db))));
    }

private:
    sqlite3* m_db = nullptr;
};

struct SchemaColumn {
    QString name;
    bool rowKey; // the rowid itself: a Null would silently become a new number
};

std::vector<SchemaColumn> schemaColumns(sqlite3* db, const QString& table) {
    Statement info(db, QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table)));
    std::vector<SchemaColumn> columns;
    while (sqlite3_step(info.get()) == SQLITE_ROW) {
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 1));
        const auto* type = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 2));
        const bool key = sqlite3_column_int(info.get(), 5) == 1 &&
                         QString::fromUtf8(type).compare(u"INTEGER", Qt::CaseInsensitive) == 0;
        columns.push_back({QString::fromUtf8(name), key});
    }
    return columns;
}

// One table of the original and where its rows go.
struct TableCopy {
    const MdbTableHeader* source;
    QString target;     // the table's name in the new catalogue
    bool schemaTable;   // Compilations or Dnames, created by the program's schema
    int keyColumn = -1; // the source's column that becomes the rowid, if any
    std::unique_ptr<Statement> insert = nullptr;
    qint64 rows = 0;
};

// Makes the table (or the missing columns of a schema table) and returns the insert.
QString prepareTable(NewCatalogue& db, TableCopy& copy) {
    const std::vector<MdbColumnInfo>& columns = copy.source->columns;
    QStringList names;
    QStringList definitions;
    for (const MdbColumnInfo& column : columns) {
        names << quoted(column.name);
        definitions << quoted(column.name) + u' ' + declaredType(column.affinity);
    }
    if (!copy.schemaTable) {
        db.exec(QStringLiteral("CREATE TABLE %1 (%2)")
                    .arg(quoted(copy.target), definitions.join(QStringLiteral(", "))));
    } else {
        const std::vector<SchemaColumn> present = schemaColumns(db.handle(), copy.target);
        for (size_t c = 0; c < columns.size(); ++c) {
            auto match = std::find_if(present.begin(), present.end(), [&](const SchemaColumn& s) {
                return s.name.compare(columns[c].name, Qt::CaseInsensitive) == 0;
            });
            if (match == present.end())
                db.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                            .arg(quoted(copy.target), definitions[qsizetype(c)]));
            else if (match->rowKey)
                copy.keyColumn = int(c);
        }
    }
    QStringList marks;
    for (qsizetype c = 0; c < names.size(); ++c)
        marks << QStringLiteral("?");
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(quoted(copy.target), names.join(QStringLiteral(", ")), marks.join(u','));
}

void bind(sqlite3_stmt* insert, int index, const MdbValue& value) {
    switch (value.kind) {
    case MdbValue::Kind::Null:
        sqlite3_bind_null(insert, index);
        break;
    case MdbValue::Kind::Integer:
        sqlite3_bind_int64(insert, index, value.integer);
        break;
    case MdbValue::Kind::Real:
        sqlite3_bind_double(insert, index, value.real);
        break;
    case MdbValue::Kind::Text:
        sqlite3_bind_text(insert, index, value.bytes.data(), int(value.bytes.size()),
                          SQLITE_STATIC);
        break;
    case MdbValue::Kind::Blob:
        sqlite3_bind_blob(insert, index, value.bytes.data(), int(value.bytes.size()),
                          SQLITE_STATIC);
        break;
    }
}

struct Progress {
    const MdbImportProgress& report;
    qint64 done = 0;
    qint64 total = 0;

    void step() {
        if (++done % kProgressEvery == 0 && report)
            report(done, total);
    }
};

// The rows of one table as the reading process sends them.
void copyRows(NewCatalogue& db, MdbReaderProcess& reader, TableCopy& copy, Progress& progress) {
    const MdbTableHeader& table = *copy.source;
    std::vector<MdbValue> values;
    sqlite3_stmt* insert = copy.insert->get();
    while (reader.nextRow(values)) {
        const qint64 row = ++copy.rows;
        if (copy.keyColumn >= 0 && values[size_t(copy.keyColumn)].kind == MdbValue::Kind::Null)
            throw CatalogueError(
                QStringLiteral("Row %1 of table %2 has no %3; every row needs one.")
                    .arg(row)
                    .arg(table.name, table.columns[size_t(copy.keyColumn)].name));
        for (size_t c = 0; c < values.size(); ++c)
            bind(insert, int(c) + 1, values[c]);
        if (sqlite3_step(insert) != SQLITE_DONE)
            throw CatalogueError(
                QStringLiteral("Row %1 of table %2 cannot be stored: %3.")
                    .arg(row)
                    .arg(table.name, QString::fromUtf8(sqlite3_errmsg(db.handle()))));
        sqlite3_reset(insert);
        progress.step();
    }
    // libmdb ends a table quietly at a page it cannot read; the definition's count tells.
    if (copy.rows < table.expectedRows)
        throw mdbDamaged(QStringLiteral("table %1 holds %2 rows, but only %3 could be read")
                             .arg(table.name)
                             .arg(table.expectedRows)
                             .arg(copy.rows));
}

// The two catalogue tables (checked for every field the program uses), then the others.
std::vector<TableCopy> planTables(const std::vector<MdbTableHeader>& sources) {
    std::vector<TableCopy> tables;
    QStringList missing;
    std::vector<const MdbTableHeader*> remaining;
    for (const MdbTableHeader& source : sources)
        remaining.push_back(&source);
    for (const RequiredFields& required : kRequiredFields) {
        const QString table = QString::fromLatin1(required.table);
        const auto found =
            std::find_if(remaining.begin(), remaining.end(), [&](const MdbTableHeader* t) {
                return t->name.compare(table, Qt::CaseInsensitive) == 0;
            });
        if (found == remaining.end()) {
            missing << QStringLiteral("It has no table %1.").arg(table);
            continue;
        }
        const MdbTableHeader* source = *found;
        remaining.erase(found);
        for (const char* const* field = required.fields; *field; ++field) {
            const QString name = QString::fromLatin1(*field);
            if (std::none_of(source->columns.begin(), source->columns.end(),
                             [&](const MdbColumnInfo& c) {
                                 return c.name.compare(name, Qt::CaseInsensitive) == 0;
                             }))
                missing << QStringLiteral("Its table %1 has no field %2.").arg(table, name);
        }
        tables.push_back({source, table, true});
    }
    if (!missing.isEmpty())
        throw CatalogueError(QStringLiteral("It is not a catalogue of compilation disks.\n") +
                             missing.join(u'\n'));
    for (const MdbTableHeader* source : remaining)
        tables.push_back({source, source->name, false});
    return tables;
}

MdbImportCounts importInto(const QString& mdbPath, const QString& sqlitePath,
                           const MdbImportProgress& report, MdbImportTarget mode) {
    if (mode == MdbImportTarget::MustBeNew && QFileInfo::exists(sqlitePath))
        throw CatalogueError(
            QStringLiteral("The working catalogue already exists:\n%1").arg(sqlitePath));
    MdbReaderProcess reader(mdbPath);
    std::vector<TableCopy> tables = planTables(reader.tables());

    Progress progress{report};
    for (const TableCopy& copy : tables)
        progress.total += copy.source->expectedRows;
    if (report)
        report(0, progress.total);

    MdbImportCounts counts;
    TemporaryCatalogue temporary(sqlitePath);
    {
        NewCatalogue db(temporary.path());
        createCatalogueSchema(db.handle());
        for (TableCopy& copy : tables)
            copy.insert = std::make_unique<Statement>(db.handle(), prepareTable(db, copy));
        // The rows come in the file's order of tables.
        for (const MdbTableHeader& source : reader.tables()) {
            const auto copy = std::find_if(tables.begin(), tables.end(),
                                           [&](const TableCopy& t) { return t.source == &source; });
            copyRows(db, reader, *copy, progress);
        }
        reader.finish();
        for (TableCopy& copy : tables) {
            copy.insert.reset();
            counts.tables.push_back({copy.target, copy.rows});
        }
        db.commitAndClose();
    }
    temporary.moveTo(sqlitePath, mode);
    if (report)
        report(progress.done, std::max(progress.done, progress.total));
    return counts;
}

CatalogueError refused(const QString& mdbPath, const QString& reason) {
    return CatalogueError(
        QStringLiteral("The catalogue cannot be imported from:\n%1\n\n%2").arg(mdbPath, reason));
}

} // namespace

qint64 MdbImportCounts::totalRows() const {
    qint64 total = 0;
    for (const Table& table : tables)
        total += table.rows;
    return total;
}

MdbImportCounts importMdb(const QString& mdbPath, const QString& sqlitePath,
                          const MdbImportProgress& progress, MdbImportTarget target) {
    try {
        return importInto(mdbPath, sqlitePath, progress, target);
    } catch (const CatalogueError& error) {
        throw refused(mdbPath, error.message());
    } catch (const std::exception& error) {
        // Out of memory or a size beyond reason: what a damaged file leads to.
        throw refused(mdbPath, mdbDamaged(error).message());
    }
}
