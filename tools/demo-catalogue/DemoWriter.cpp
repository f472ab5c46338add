#include "DemoWriter.h"

#include "DemoDisks.h"
#include "DemoEntries.h"

#include "core/Failures.h"
#include "core/catalogue/CatalogueSchema.h"
#include "core/catalogue/JetFunctions.h"

#include <QByteArray>
#include <QFile>

#include <sqlite3.h>

#include <memory>
#include <optional>

namespace {

void check(sqlite3* db, int rc, int expected = SQLITE_OK) {
    if (rc != expected)
        throw CatalogueError(QString::fromUtf8(sqlite3_errmsg(db)));
}

struct CloseDb {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct FinalizeStatement {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

Statement prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    check(db, sqlite3_prepare_v2(db, sql, -1, &statement, nullptr));
    return Statement(statement);
}

void bindText(sqlite3_stmt* statement, int index, const std::optional<QString>& text) {
    if (!text) {
        sqlite3_bind_null(statement, index);
        return;
    }
    const QByteArray bytes = text->toUtf8();
    // An empty title is text all the same, never Null.
    sqlite3_bind_text(statement, index, bytes.isNull() ? "" : bytes.constData(), int(bytes.size()),
                      SQLITE_TRANSIENT);
}

void bindInt(sqlite3_stmt* statement, int index, const std::optional<int>& value) {
    if (value)
        sqlite3_bind_int(statement, index, *value);
    else
        sqlite3_bind_null(statement, index);
}

void run(sqlite3* db, sqlite3_stmt* statement) {
    check(db, sqlite3_step(statement), SQLITE_DONE);
    sqlite3_reset(statement);
}

} // namespace

void writeDemoCatalogue(const QString& path, const std::vector<DemoDisk>& disks,
                        const std::vector<DemoEntry>& entries) {
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const std::unique_ptr<sqlite3, CloseDb> db(raw);
    check(raw, opened);
    // The file is renamed into place only when complete, so no journal is needed.
    check(raw, sqlite3_exec(raw, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;", nullptr,
                            nullptr, nullptr));
    registerJetFunctions(raw);
    createCatalogueSchema(raw);

    check(raw, sqlite3_exec(raw, "BEGIN", nullptr, nullptr, nullptr));
    {
        const Statement disk = prepare(raw, "INSERT INTO Dnames (F_ID, got, folder, filename, "
                                            "filenumber, fileexten) VALUES (?, ?, ?, ?, ?, ?)");
        int fId = 0;
        for (const DemoDisk& d : disks) {
            sqlite3_bind_int(disk.get(), 1, ++fId);
            bindInt(disk.get(), 2, d.got);
            bindText(disk.get(), 3, d.folder);
            bindText(disk.get(), 4, d.filename);
            bindText(disk.get(), 5, d.filenumber);
            bindText(disk.get(), 6, d.exten);
            run(raw, disk.get());
        }

        const Statement entry = prepare(raw, "INSERT INTO Compilations (Nummer, [Group], Game, "
                                             "favourite, F_ID) VALUES (?, ?, ?, ?, ?)");
        int nummer = 0;
        for (const DemoEntry& e : entries) {
            sqlite3_bind_int(entry.get(), 1, ++nummer);
            bindText(entry.get(), 2, disks[e.disk].title);
            bindText(entry.get(), 3, e.game);
            sqlite3_bind_int(entry.get(), 4, e.favourite ? -1 : 0);
            sqlite3_bind_int(entry.get(), 5, int(e.disk) + 1);
            run(raw, entry.get());
        }
    }
    check(raw, sqlite3_exec(raw, "COMMIT", nullptr, nullptr, nullptr));
    const QByteArray mark = "PRAGMA application_id = " + QByteArray::number(kDemoCatalogueMark);
    check(raw, sqlite3_exec(raw, mark.constData(), nullptr, nullptr, nullptr));
}
