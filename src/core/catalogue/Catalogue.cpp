#include "core/catalogue/Catalogue.h"

#include "core/Failures.h"
#include "core/catalogue/CatalogueSchema.h"
#include "core/catalogue/JetFunctions.h"

#include <QFileInfo>

#include <sqlite3.h>

namespace {

// Another copy of the program may hold the file for a moment while it writes.
constexpr int kBusyTimeoutMs = 5000;

QString cannotOpen(const QString& path, const QString& reason) {
    return QStringLiteral("The catalogue cannot be opened:\n%1\n\n%2").arg(path, reason);
}

// The engine's complaint, in words a user can act on for the cases a user can meet.
QString engineError(sqlite3* db) {
    switch (sqlite3_errcode(db)) {
    case SQLITE_NOTADB:
        return QStringLiteral(
            "The file is not a Kestrel catalogue (it is not an SQLite database).");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("The catalogue is locked by another program; try again when it "
                              "has finished.");
    default:
        return QString::fromUtf8(sqlite3_errmsg(db));
    }
}

} // namespace

// A prepared statement that finalises itself.
struct Catalogue::Statement {
    sqlite3_stmt* stmt = nullptr;

    Statement(sqlite3* db, const QString& sql) {
        const QByteArray utf8 = sql.toUtf8();
        const char* tail = nullptr;
        if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt, &tail) != SQLITE_OK)
            throw CatalogueError(engineError(db));
        if (!stmt)
            throw CatalogueError(QStringLiteral("The statement is empty."));
    }
    ~Statement() { sqlite3_finalize(stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
};

Catalogue::~Catalogue() {
    sqlite3_close_v2(m_db);
}

void Catalogue::open(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        throw CatalogueError(cannotOpen(path, QStringLiteral("The file does not exist.")));
    if (!info.isFile())
        throw CatalogueError(cannotOpen(path, QStringLiteral("It is not a file.")));
    if (!info.isReadable())
        throw CatalogueError(
            cannotOpen(path, QStringLiteral("The file cannot be read (no permission).")));

    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        throw CatalogueError(cannotOpen(path, reason));
    }
    // Opening another catalogue lets the one open so far go.
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = db;
    m_path = path;
    try {
        sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
        registerJetFunctions(m_db);
        loadSchema();
    } catch (const CatalogueError& error) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        m_path.clear();
        throw CatalogueError(cannotOpen(path, error.message()));
    }
    m_results = ResultSet();
}

void Catalogue::loadSchema() {
    // The first read of the file is where a file that is not a database, or one locked by
    // another program, shows itself.
    m_schema = JetSchema();
    for (const RequiredFields& required : kRequiredFields) {
        const QString table = QString::fromLatin1(required.table);
        Statement info(m_db, QStringLiteral("PRAGMA table_info(%1)").arg(table));
        QStringList present;
        int rc;
        while ((rc = sqlite3_step(info.stmt)) == SQLITE_ROW) {
            const QString column =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(info.stmt, 1)));
            present << column;
            m_schema.addColumn(table, column);
        }
        if (rc != SQLITE_DONE)
            throw CatalogueError(engineError(m_db));
        if (present.isEmpty())
            throw CatalogueError(
                QStringLiteral("The file is not a Kestrel catalogue: it has no table %1.")
                    .arg(table));
        for (const char* const* field = required.fields; *field; ++field) {
            if (!present.contains(QString::fromLatin1(*field), Qt::CaseInsensitive))
                throw CatalogueError(
                    QStringLiteral("The file is not a Kestrel catalogue: table %1 has no field %2.")
                        .arg(table, QString::fromLatin1(*field)));
        }
    }
}

QString Catalogue::translate(QStringView jet) const {
    return translateJet(jet, m_schema);
}

ResultSet& Catalogue::query(QStringView jet) {
    m_results = ResultSet();
    Statement statement(m_db, translate(jet));
    sqlite3_stmt* stmt = statement.stmt;
    const int count = sqlite3_column_count(stmt);
    QStringList columns;
    for (int c = 0; c < count; ++c)
        columns << QString::fromUtf8(sqlite3_column_name(stmt, c));

    std::vector<ResultSet::Row> rows;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        ResultSet::Row row;
        row.reserve(size_t(count));
        for (int c = 0; c < count; ++c) {
            switch (sqlite3_column_type(stmt, c)) {
            case SQLITE_INTEGER:
                row.emplace_back(qlonglong(sqlite3_column_int64(stmt, c)));
                break;
            case SQLITE_FLOAT:
                row.emplace_back(sqlite3_column_double(stmt, c));
                break;
            case SQLITE_TEXT:
                row.emplace_back(
                    QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, c)),
                                      sqlite3_column_bytes(stmt, c)));
                break;
            case SQLITE_BLOB:
                row.emplace_back(QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, c)),
                                            sqlite3_column_bytes(stmt, c)));
                break;
            default:
                row.emplace_back();
                break;
            }
        }
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        throw CatalogueError(engineError(m_db));
    m_results = ResultSet(std::move(columns), std::move(rows));
    return m_results;
}

int Catalogue::execute(QStringView jet) {
    Statement statement(m_db, translate(jet));
    int rc;
    while ((rc = sqlite3_step(statement.stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        throw CatalogueError(engineError(m_db));
    return sqlite3_changes(m_db);
}

Catalogue::Update::Update(sqlite3* db, const QString& sql) : m_db(db) {
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr) != SQLITE_OK)
        throw CatalogueError(engineError(db));
}

Catalogue::Update::~Update() {
    sqlite3_finalize(m_stmt);
}

int Catalogue::Update::run(std::initializer_list<qlonglong> values) {
    sqlite3_reset(m_stmt);
    int index = 0;
    for (qlonglong value : values)
        sqlite3_bind_int64(m_stmt, ++index, value);
    const int rc = sqlite3_step(m_stmt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw CatalogueError(engineError(m_db));
    return sqlite3_changes(m_db);
}

std::unique_ptr<Catalogue::Update> Catalogue::prepareUpdate(QStringView jet) {
    return std::unique_ptr<Update>(new Update(m_db, translate(jet)));
}
