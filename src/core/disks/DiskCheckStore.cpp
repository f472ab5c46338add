#include "core/disks/DiskCheckStore.h"

#include "core/Failures.h"
#include "core/catalogue/Catalogue.h"

#include <sqlite3.h>

#include <memory>

namespace {

constexpr const char* kTables = R"sql(
CREATE TABLE IF NOT EXISTS ImageChecks (
    F_ID INTEGER PRIMARY KEY, path TEXT, missing INTEGER, format TEXT, state INTEGER,
    reason TEXT, sides INTEGER, tracks INTEGER, sectors INTEGER, crc32 TEXT, sha1 TEXT,
    size INTEGER, modified INTEGER, files INTEGER, reference TEXT);
CREATE INDEX IF NOT EXISTS ImageChecks_sha1 ON ImageChecks(sha1);
CREATE TABLE IF NOT EXISTS ImageFiles (
    F_ID INTEGER, position INTEGER, path TEXT, size INTEGER, modified TEXT, folder INTEGER,
    PRIMARY KEY (F_ID, position));
)sql";

struct Finalize {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, Finalize>;

QString text(sqlite3_stmt* statement, int column) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                             sqlite3_column_bytes(statement, column));
}

void bind(sqlite3_stmt* statement, int at, const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(statement, at, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

DiskCheck checkOf(sqlite3_stmt* row) {
    DiskCheck check;
    check.disk = sqlite3_column_int64(row, 0);
    check.path = text(row, 1);
    check.missing = sqlite3_column_int(row, 2);
    check.format = text(row, 3);
    check.state = DiskImage::State(sqlite3_column_int(row, 4));
    check.reason = text(row, 5);
    check.geometry = {sqlite3_column_int(row, 6), sqlite3_column_int(row, 7),
                      sqlite3_column_int(row, 8)};
    check.crc32 = text(row, 9);
    check.sha1 = text(row, 10);
    check.size = sqlite3_column_int64(row, 11);
    check.modified = sqlite3_column_int64(row, 12);
    check.files = sqlite3_column_int(row, 13);
    check.reference = text(row, 14);
    return check;
}

DiskDirectoryEntry entryOf(sqlite3_stmt* row, int first) {
    DiskDirectoryEntry entry;
    entry.path = text(row, first);
    entry.size = sqlite3_column_int64(row, first + 1);
    entry.modified = QDateTime::fromString(text(row, first + 2), Qt::ISODate);
    entry.folder = sqlite3_column_int(row, first + 3);
    return entry;
}

constexpr const char* kCheckColumns =
    "F_ID, path, missing, format, state, reason, sides, tracks, sectors, crc32, sha1, size, "
    "modified, files, reference";

} // namespace

DiskCheckStore::DiskCheckStore(Catalogue& catalogue) : m_catalogue(catalogue) {}

namespace {

Statement prepare(sqlite3* db, const QByteArray& sql, bool writing) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK)
        throw CatalogueError(catalogueEngineError(db, writing));
    return Statement(statement);
}

void finish(sqlite3* db, sqlite3_stmt* statement) {
    if (sqlite3_step(statement) != SQLITE_DONE)
        throw CatalogueError(catalogueEngineError(db, true));
}

bool tableExists(sqlite3* db) {
    const Statement found = prepare(
        db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'ImageChecks'", false);
    return sqlite3_step(found.get()) == SQLITE_ROW;
}

} // namespace

bool DiskCheckStore::hasTables() {
    // Once there, the tables stay for the store's life: a walk asks for every disk.
    if (!m_hasTables)
        m_hasTables = tableExists(m_catalogue.handle());
    return m_hasTables;
}

void DiskCheckStore::create() {
    char* error = nullptr;
    if (sqlite3_exec(m_catalogue.handle(), kTables, nullptr, nullptr, &error) != SQLITE_OK) {
        sqlite3_free(error);
        throw CatalogueError(catalogueEngineError(m_catalogue.handle(), true));
    }
    m_hasTables = true;
}

std::optional<DiskCheck> DiskCheckStore::load(qlonglong disk) {
    sqlite3* db = m_catalogue.handle();
    if (!hasTables())
        return std::nullopt;
    const Statement row = prepare(
        db, QByteArray("SELECT ") + kCheckColumns + " FROM ImageChecks WHERE F_ID = ?", false);
    sqlite3_bind_int64(row.get(), 1, disk);
    if (sqlite3_step(row.get()) != SQLITE_ROW)
        return std::nullopt;
    return checkOf(row.get());
}

void DiskCheckStore::save(const DiskCheck& check, const std::vector<DiskDirectoryEntry>& files) {
    sqlite3* db = m_catalogue.handle();
    const Statement put =
        prepare(db,
                QByteArray("INSERT OR REPLACE INTO ImageChecks (") + kCheckColumns +
                    ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                true);
    sqlite3_bind_int64(put.get(), 1, check.disk);
    bind(put.get(), 2, check.path);
    sqlite3_bind_int(put.get(), 3, check.missing);
    bind(put.get(), 4, check.format);
    sqlite3_bind_int(put.get(), 5, int(check.state));
    bind(put.get(), 6, check.reason);
    sqlite3_bind_int(put.get(), 7, check.geometry.sides);
    sqlite3_bind_int(put.get(), 8, check.geometry.tracks);
    sqlite3_bind_int(put.get(), 9, check.geometry.sectorsPerTrack);
    bind(put.get(), 10, check.crc32);
    bind(put.get(), 11, check.sha1);
    sqlite3_bind_int64(put.get(), 12, check.size);
    sqlite3_bind_int64(put.get(), 13, check.modified);
    sqlite3_bind_int(put.get(), 14, check.files);
    bind(put.get(), 15, check.reference);
    finish(db, put.get());

    const Statement clear = prepare(db, "DELETE FROM ImageFiles WHERE F_ID = ?", true);
    sqlite3_bind_int64(clear.get(), 1, check.disk);
    finish(db, clear.get());
    const Statement add =
        prepare(db,
                "INSERT INTO ImageFiles (F_ID, position, path, size, modified, folder) "
                "VALUES (?, ?, ?, ?, ?, ?)",
                true);
    int position = 0;
    for (const DiskDirectoryEntry& entry : files) {
        sqlite3_reset(add.get());
        sqlite3_bind_int64(add.get(), 1, check.disk);
        sqlite3_bind_int(add.get(), 2, position++);
        bind(add.get(), 3, entry.path);
        sqlite3_bind_int64(add.get(), 4, entry.size);
        bind(add.get(), 5, entry.modified.toString(Qt::ISODate));
        sqlite3_bind_int(add.get(), 6, entry.folder);
        finish(db, add.get());
    }
}

void DiskCheckStore::saveReference(qlonglong disk, const QString& reference) {
    sqlite3* db = m_catalogue.handle();
    const Statement put = prepare(db, "UPDATE ImageChecks SET reference = ? WHERE F_ID = ?", true);
    bind(put.get(), 1, reference);
    sqlite3_bind_int64(put.get(), 2, disk);
    finish(db, put.get());
}

std::vector<DiskDirectoryEntry> DiskCheckStore::files(qlonglong disk) {
    std::vector<DiskDirectoryEntry> found;
    sqlite3* db = m_catalogue.handle();
    if (!hasTables())
        return found;
    const Statement rows = prepare(db,
                                   "SELECT path, size, modified, folder FROM ImageFiles "
                                   "WHERE F_ID = ? ORDER BY position",
                                   false);
    sqlite3_bind_int64(rows.get(), 1, disk);
    while (sqlite3_step(rows.get()) == SQLITE_ROW)
        found.push_back(entryOf(rows.get(), 0));
    return found;
}

std::vector<DiskCheck> DiskCheckStore::all() {
    std::vector<DiskCheck> found;
    sqlite3* db = m_catalogue.handle();
    if (!hasTables())
        return found;
    const Statement rows = prepare(
        db, QByteArray("SELECT ") + kCheckColumns + " FROM ImageChecks ORDER BY F_ID", false);
    while (sqlite3_step(rows.get()) == SQLITE_ROW)
        found.push_back(checkOf(rows.get()));
    return found;
}

std::vector<DiskCheckStore::StoredFile> DiskCheckStore::allFiles() {
    std::vector<StoredFile> found;
    sqlite3* db = m_catalogue.handle();
    if (!hasTables())
        return found;
    const Statement rows = prepare(db,
                                   "SELECT F_ID, path, size, modified, folder FROM ImageFiles "
                                   "ORDER BY F_ID, position",
                                   false);
    while (sqlite3_step(rows.get()) == SQLITE_ROW)
        found.push_back({sqlite3_column_int64(rows.get(), 0), entryOf(rows.get(), 1)});
    return found;
}

void DiskCheckStore::begin() {
    m_catalogue.execute(u"BEGIN");
}
void DiskCheckStore::commit() {
    m_catalogue.execute(u"COMMIT");
}
void DiskCheckStore::rollback() {
    tolerate("Undoing the verification's open batch", [&] { m_catalogue.execute(u"ROLLBACK"); });
}
