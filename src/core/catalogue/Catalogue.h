#pragma once

#include "core/catalogue/JetDialect.h"
#include "core/catalogue/ResultSet.h"
#include "core/catalogue/RowStream.h"

#include <QString>

#include <initializer_list>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

// The one connection to the catalogue and the shared result set that every query replaces.
// Statements are written in the catalogue's dialect and translated just before they run.
class Catalogue {
public:
    static QString fileName() { return QStringLiteral("AtariST Compilation Listing v1.sqlite"); }

    Catalogue() = default;
    ~Catalogue();
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    // Opens an existing catalogue file. Throws CatalogueError with a message that names the
    // file and says what is wrong (missing, unreadable, locked, not a catalogue).
    void open(const QString& path);
    bool isOpen() const { return m_db != nullptr; }
    // What the opening did to a file of an earlier build ("" when it was current): a line for
    // the status line and the terminal.
    const QString& upgradeNotice() const { return m_upgradeNotice; }
    const QString& path() const { return m_path; }

    // Runs a statement that returns rows; they become the shared result set, with the
    // cursor on the first row. Throws CatalogueError when the engine rejects it (the shared
    // result set is then empty).
    ResultSet& query(QStringView jet);

    // Starts a statement whose rows are read one at a time (listings, audits); the shared
    // result set stays. Throws CatalogueError when the engine rejects it.
    // `wanted` names the only fields the caller reads (see translateJet()).
    RowStream stream(QStringView jet, const QStringList& wanted = {});

    // Runs a statement that changes rows; returns how many. The shared result set stays.
    // Throws CatalogueError naming the file and the engine's reason (writeFailure()).
    int execute(QStringView jet);

    // Throws CatalogueError, as writeFailure() words it, when the catalogue cannot be changed
    // at all now: a read-only file or folder, a lock another program holds. Changes nothing;
    // for work that would otherwise run a long way before its first write failed.
    void checkWritable();
    // A failed change of this catalogue in words for the user: the file, then `reason`.
    QString writeFailure(const QString& reason) const;

    ResultSet& results() { return m_results; }

    // A statement that changes rows, prepared once and run many times with its "?"
    // parameters bound to whole numbers in order; for walks that write row by row.
    class Update {
    public:
        ~Update();
        Update(const Update&) = delete;
        Update& operator=(const Update&) = delete;
        // Returns how many rows changed; throws CatalogueError.
        int run(std::initializer_list<qlonglong> values);

    private:
        friend class Catalogue;
        Update(sqlite3* db, const QString& sql);
        sqlite3* m_db;
        sqlite3_stmt* m_stmt = nullptr;
    };
    std::unique_ptr<Update> prepareUpdate(QStringView jet);

    // The engine's text of a dialect statement, for diagnostics and tests.
    QString translate(QStringView jet) const;
    // How the engine means to run a dialect statement: its query plan, one step per line,
    // indented by two blanks per level ("SCAN Compilations", "  SEARCH Dnames USING ...").
    QStringList queryPlan(QStringView jet);

    sqlite3* handle() const { return m_db; }

private:
    void loadSchema();

    sqlite3* m_db = nullptr;
    QString m_path;
    QString m_upgradeNotice;
    JetSchema m_schema;
    ResultSet m_results;
};
