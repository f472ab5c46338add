#include "core/catalogue/Catalogue.h"

#include "core/Failures.h"
#include "core/catalogue/CatalogueSchema.h"
#include "core/catalogue/CatalogueUpgrade.h"
#include "core/catalogue/JetFunctions.h"
#include "core/catalogue/RowStream.h"

#include <QFileInfo>

#include <sqlite3.h>

#include <thread>

namespace {

// Another copy of the program may hold the file for a moment while it writes.
constexpr int kBusyTimeoutMs = 5000;

QString cannotOpen(const QString& path, const QString& reason) {
    return QStringLiteral("The catalogue cannot be opened:\n%1\n\n%2").arg(path, reason);
}

} // namespace

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
    // One thread at a time uses a connection, so the engine's own locking is not needed.
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
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
        // Measured on a million entries: a second sorter thread takes a third off a sorted
        // listing of every entry; more threads, a larger page cache or memory-mapped reads
        // gained nothing and cost memory.
        if (std::thread::hardware_concurrency() > 1)
            sqlite3_exec(m_db, "PRAGMA threads = 2", nullptr, nullptr, nullptr);
        loadSchema();
        m_upgradeNotice.clear();
        m_upgradeNotice = upgradeCatalogue(m_db, path);
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
        RowStream info(m_db, QStringLiteral("PRAGMA table_info(%1)").arg(table));
        QStringList present;
        while (info.next()) {
            const QString column = info.text(1);
            present << column;
            m_schema.addColumn(table, column, info.text(2));
        }
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
    RowStream rows = stream(jet);
    const int count = rows.columnCount();
    std::vector<ResultSet::Row> kept;
    while (rows.next()) {
        ResultSet::Row row;
        row.reserve(size_t(count));
        for (int c = 0; c < count; ++c)
            row.push_back(rows.value(c));
        kept.push_back(std::move(row));
    }
    m_results = ResultSet(rows.columns(), std::move(kept));
    return m_results;
}

QStringList Catalogue::queryPlan(QStringView jet) {
    RowStream plan(m_db, QStringLiteral("EXPLAIN QUERY PLAN ") + translate(jet));
    QHash<qlonglong, int> depth; // by step id
    QStringList steps;
    while (plan.next()) {
        const int level = plan.integer(1) == 0 ? 0 : depth.value(plan.integer(1)) + 1;
        depth.insert(plan.integer(0), level);
        steps << QString(level * 2, u' ') + plan.text(3);
    }
    return steps;
}

RowStream Catalogue::stream(QStringView jet, const QStringList& wanted) {
    return RowStream(m_db, translateJet(jet, m_schema, wanted));
}

int Catalogue::execute(QStringView jet) {
    try {
        RowStream statement = stream(jet);
        while (statement.next()) {
        }
    } catch (const CatalogueError& error) {
        throw CatalogueError(writeFailure(error.message()));
    }
    return sqlite3_changes(m_db);
}

QString Catalogue::writeFailure(const QString& reason) const {
    // The engine's complaints about writing name the file already, with what to do.
    if (reason.contains(m_path))
        return reason;
    return QStringLiteral("The catalogue could not be changed:\n%1\n\n%2").arg(m_path, reason);
}

void Catalogue::checkWritable() {
    // A transaction that takes the write lock and changes one row as it stands, so that the
    // journal is made too (a read-only folder shows only there), then leaves it all undone.
    const auto run = [this](const char* sql) {
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            throw CatalogueError(writeFailure(catalogueEngineError(m_db, true)));
    };
    run("BEGIN IMMEDIATE");
    try {
        run("UPDATE Dnames SET got = got WHERE rowid = (SELECT min(rowid) FROM Dnames)");
    } catch (const CatalogueError&) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    run("ROLLBACK");
}

Catalogue::Update::Update(sqlite3* db, const QString& sql) : m_db(db) {
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr) != SQLITE_OK)
        throw CatalogueError(catalogueEngineError(db));
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
        throw CatalogueError(catalogueEngineError(m_db, true));
    return sqlite3_changes(m_db);
}

std::unique_ptr<Catalogue::Update> Catalogue::prepareUpdate(QStringView jet) {
    return std::unique_ptr<Update>(new Update(m_db, translate(jet)));
}
