#pragma once

#include <QString>
#include <QStringList>

#include <sqlite3.h>

#include <memory>

// A connection as another SQLite tool makes it: nothing of the program's registered.
struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;

inline Database openDatabase(const QString& path,
                             int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    return Database(db);
}

// Every row of a statement, its fields joined with "|", each with its type ("Null", 7, 'x');
// or the engine's message in place of the rows when it refuses.
inline QStringList rawRows(sqlite3* db, const QString& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
        return {QString::fromUtf8(sqlite3_errmsg(db))};
    QStringList rows;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        QStringList fields;
        for (int c = 0; c < sqlite3_column_count(statement); ++c) {
            const QString text =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, c)));
            const int type = sqlite3_column_type(statement, c);
            fields << (type == SQLITE_NULL   ? QStringLiteral("Null")
                       : type == SQLITE_TEXT ? u'\'' + text + u'\''
                                             : text);
        }
        rows << fields.join(u'|');
    }
    if (rc != SQLITE_DONE)
        rows = QStringList{QString::fromUtf8(sqlite3_errmsg(db))};
    sqlite3_finalize(statement);
    return rows;
}

// Runs statements: "ok", or the engine's message.
inline QString rawExec(sqlite3* db, const QString& sql) {
    char* error = nullptr;
    sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    const QString message = error ? QString::fromUtf8(error) : QStringLiteral("ok");
    sqlite3_free(error);
    return message;
}
