#pragma once

#include "core/Failures.h"
#include "core/catalogue/Catalogue.h"
#include "common/TestFolder.h"

#include <QDir>
#include <QStringList>
#include <QTest>

#include <sqlite3.h>

#include <algorithm>
#include <functional>

// A fresh catalogue made from a fixture (as TestFolder::createCatalogue takes it), opened.
struct OpenCatalogue {
    TestFolder folder;
    Catalogue catalogue;

    explicit OpenCatalogue(const QString& fixture = QStringLiteral("catalogue.sql")) {
        folder.createCatalogue(fixture);
        catalogue.open(folder.cataloguePath());
    }
};

// Makes every later change through the catalogue's own connection fail at once, as on a
// read-only file (SQLite's query_only): the program's own write paths, without waiting on a lock
// (tests run as root, so file modes stop nothing).
inline void refuseWrites(Catalogue& catalogue) {
    QCOMPARE_EQ(
        sqlite3_exec(catalogue.handle(), "PRAGMA query_only = ON", nullptr, nullptr, nullptr),
        SQLITE_OK);
}

// Another connection in the middle of a read, holding the file's shared lock: the catalogue can
// change rows in its own transaction but not commit them, as when another program reads. The
// catalogue is told not to wait for the lock.
class HeldReader {
public:
    explicit HeldReader(Catalogue& catalogue) {
        sqlite3_busy_timeout(catalogue.handle(), 0);
        sqlite3_open_v2(catalogue.path().toUtf8().constData(), &m_db, SQLITE_OPEN_READONLY,
                        nullptr);
        sqlite3_prepare_v2(m_db, "SELECT F_ID FROM Dnames", -1, &m_stmt, nullptr);
        m_reading = sqlite3_step(m_stmt) == SQLITE_ROW;
    }
    ~HeldReader() {
        sqlite3_finalize(m_stmt);
        sqlite3_close_v2(m_db);
    }
    HeldReader(const HeldReader&) = delete;
    HeldReader& operator=(const HeldReader&) = delete;
    bool reading() const { return m_reading; }

private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    bool m_reading = false;
};

// The message of the error an action throws, "<no error>" when it goes through.
template <typename Error = CatalogueError, typename Action> QString errorOf(Action&& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.message();
    }
    return QStringLiteral("<no error>");
}

// The refusal an action answers with; one with an empty text when it goes ahead.
template <typename Action> Refusal refusalOf(Action&& action) {
    try {
        action();
    } catch (const Refusal& refusal) {
        return refusal;
    }
    return {QString(), QString()};
}

// Whether a text holds every one of the parts: a message that names the file and the reason.
inline bool containsAll(const QString& text, const QStringList& parts) {
    return std::all_of(parts.cbegin(), parts.cend(),
                       [&](const QString& part) { return text.contains(part); });
}

// A folder's entries, hidden ones too: where a test looks for anything left behind.
inline QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// One field of every row, in row order, as text ("Null" for a Null field).
inline QStringList fieldValues(const ResultSet& results,
                               const QString& field = QStringLiteral("Nummer")) {
    const int index = results.columnIndex(field);
    QStringList values;
    for (qsizetype r = 0; r < results.rowCount(); ++r) {
        const QVariant value = results.row(r).at(size_t(index));
        values << (value.isNull() ? QStringLiteral("Null") : value.toString());
    }
    return values;
}

// Every row of a query, its fields joined with "|" ("Null" for a Null field).
inline QStringList rowTexts(Catalogue& catalogue, const QString& statement) {
    const ResultSet& results = catalogue.query(statement);
    QStringList rows;
    for (qsizetype r = 0; r < results.rowCount(); ++r) {
        QStringList fields;
        for (const QVariant& value : results.row(r))
            fields << (value.isNull() ? QStringLiteral("Null") : value.toString());
        rows << fields.join(u'|');
    }
    return rows;
}

// Expected rows are written as runs, "25 | 17 18 | 24": the runs come in this order and
// the rows inside one run (ties of the ORDER BY) in any order. Both sides are brought to
// that form, each run sorted, so a comparison shows the whole difference.
inline QString inRuns(const QStringList& values, const QString& runs) {
    QStringList out;
    qsizetype at = 0;
    for (const QString& run : runs.split(u'|', Qt::SkipEmptyParts)) {
        const qsizetype size = run.split(u' ', Qt::SkipEmptyParts).size();
        QStringList chunk = values.mid(at, size);
        std::sort(chunk.begin(), chunk.end());
        out << chunk.join(u' ');
        at += size;
    }
    if (at < values.size())
        out << QStringLiteral("and more: ") + values.mid(at).join(u' ');
    return out.join(QStringLiteral(" | "));
}

inline QString normalisedRuns(const QString& runs) {
    return inRuns(QString(runs).replace(u'|', u' ').split(u' ', Qt::SkipEmptyParts), runs);
}

// The query's `field` values in the form of `runs`, or the engine's message when it fails.
inline QString runsOf(Catalogue& catalogue, const QString& statement, const QString& runs,
                      const QString& field = QStringLiteral("Nummer")) {
    try {
        return inRuns(fieldValues(catalogue.query(statement), field), runs);
    } catch (const CatalogueError& error) {
        return error.message();
    }
}

// What a search builder makes of the controls: its statement and, after " => ", the rows it
// finds in the form of `runs`; or its refusal, "text (caption)".
inline QString searchOutcome(Catalogue& catalogue, const std::function<QString()>& build,
                             const QString& runs) {
    try {
        const QString statement = build();
        return statement + QStringLiteral(" => ") + runsOf(catalogue, statement, runs);
    } catch (const Refusal& refusal) {
        return refusal.text + QStringLiteral(" (") + refusal.caption + u')';
    }
}

// The start every listing statement shares.
inline const QString kJoin =
    QStringLiteral("SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID = Dnames.F_ID");
