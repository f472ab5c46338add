#include "core/catalogue/CatalogueUpgrade.h"

#include "core/Failures.h"
#include "core/catalogue/CatalogueSchema.h"
#include "core/catalogue/JetFunctions.h"
#include "core/catalogue/RowStream.h"
#include "core/catalogue/SqlText.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <sqlite3.h>

#include <algorithm>
#include <vector>

namespace {

void run(sqlite3* db, const QString& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error);
        sqlite3_free(error);
        throw CatalogueError(message);
    }
}

int pragmaValue(sqlite3* db, const char* pragma) {
    RowStream value(db, QStringLiteral("PRAGMA ") + QLatin1String(pragma));
    return value.next() ? int(value.integer(0)) : 0;
}

// Earlier builds of the demo generator marked their files in user_version, which now holds the
// layout's version. A mark of another program moves to application_id, where such marks belong,
// when that is free.
void keepMark(sqlite3* db, int userVersion) {
    if (userVersion > kCatalogueVersion && pragmaValue(db, "application_id") == 0)
        run(db, QStringLiteral("PRAGMA application_id = %1").arg(userVersion));
}

QString quotedName(const QString& name) {
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// A definition without the collation of earlier builds.
QString withoutOwnCollation(QString sql) {
    static const QRegularExpression collate(
        QStringLiteral("\\s+COLLATE\\s+[\"'`\\[]?%1[\"'`\\]]?").arg(QLatin1String(kJetCollation)),
        QRegularExpression::CaseInsensitiveOption);
    return sql.remove(collate);
}

// "file.2026-12-07.backup", or with a number when that is taken.
QString backupPath(const QString& path) {
    const QString dated = path + u'.' + QDate::currentDate().toString(Qt::ISODate);
    QString candidate = dated + QStringLiteral(".backup");
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = dated + QStringLiteral("-%1.backup").arg(n);
    return candidate;
}

struct TableToRebuild {
    QString name;
    QString sql;
    QStringList indexes;  // other than the program's own, which are made anew
    QStringList triggers; // dropped with the table, so made again
};

std::vector<TableToRebuild> tablesToRebuild(sqlite3* db) {
    std::vector<TableToRebuild> tables;
    RowStream rows(db, QStringLiteral("SELECT name, sql FROM sqlite_schema WHERE type = 'table' "
                                      "AND sql LIKE '%%1%'")
                           .arg(QLatin1String(kJetCollation)));
    while (rows.next())
        tables.push_back({rows.text(0), rows.text(1), {}, {}});
    for (TableToRebuild& table : tables) {
        const QString owner = u'\'' + quoteDoubled(table.name) + u'\'';
        RowStream triggers(db, QStringLiteral("SELECT sql FROM sqlite_schema WHERE type = "
                                              "'trigger' AND sql IS NOT NULL AND tbl_name = %1")
                                   .arg(owner));
        while (triggers.next())
            table.triggers << withoutOwnCollation(triggers.text(0));
        RowStream indexes(db, QStringLiteral("SELECT name, sql FROM sqlite_schema WHERE type = "
                                             "'index' AND sql IS NOT NULL AND tbl_name = %1")
                                  .arg(owner));
        while (indexes.next()) {
            const QString name = indexes.text(0);
            const bool ours =
                std::any_of(std::begin(kIndexNames), std::end(kIndexNames),
                            [&](const char* own) { return name == QLatin1String(own); });
            if (!ours)
                table.indexes << withoutOwnCollation(indexes.text(1));
        }
    }
    return tables;
}

// The table under a new name, filled, then put in the old one's place (SQLite's own recipe
// for changing a table's definition).
void rebuild(sqlite3* db, const TableToRebuild& table) {
    static const QRegularExpression head(
        QStringLiteral(
            "^\\s*CREATE\\s+TABLE\\s+(\"(?:[^\"]|\"\")*\"|\\[[^\\]]*\\]|`[^`]*`|[^\\s(]+)"
            "\\s*\\("),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = head.match(table.sql);
    if (!match.hasMatch())
        throw CatalogueError(
            QStringLiteral("The definition of table %1 is not understood.").arg(table.name));
    const QString building = QStringLiteral("kestrel_upgrading");
    run(db, QStringLiteral("CREATE TABLE %1 (").arg(building) +
                withoutOwnCollation(table.sql.mid(match.capturedEnd())));
    run(db,
        QStringLiteral("INSERT INTO %1 SELECT * FROM %2").arg(building, quotedName(table.name)));
    run(db, QStringLiteral("DROP TABLE %1").arg(quotedName(table.name)));
    // Views and triggers that name the table would make the rename refuse while it is gone;
    // under the old rules the rename leaves them alone, and the name they use comes back.
    run(db, QStringLiteral("PRAGMA legacy_alter_table = ON"));
    run(db, QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(building, quotedName(table.name)));
    run(db, QStringLiteral("PRAGMA legacy_alter_table = OFF"));
    for (const QString& index : table.indexes)
        run(db, index);
    for (const QString& trigger : table.triggers)
        run(db, trigger);
}

} // namespace

QString upgradeCatalogue(sqlite3* db, const QString& path) {
    const int version = pragmaValue(db, "user_version");
    if (version >= kCatalogueVersion && tablesToRebuild(db).empty())
        return QString();
    const QFileInfo file(path);
    if (!file.isWritable() || !QFileInfo(file.absolutePath()).isWritable()) {
        qWarning("The catalogue %s is of an earlier build and cannot be upgraded here: it is "
                 "read-only.",
                 qUtf8Printable(path));
        return QString();
    }
    const QString backup = backupPath(path);
    if (!QFile::copy(path, backup)) {
        qWarning("The catalogue %s is of an earlier build; it is not upgraded, since no copy of "
                 "it could be made.",
                 qUtf8Printable(path));
        return QString();
    }
    try {
        run(db, QStringLiteral("BEGIN IMMEDIATE"));
        for (const TableToRebuild& table : tablesToRebuild(db))
            rebuild(db, table);
        keepMark(db, version);
        createCatalogueIndexes(db);
        run(db, QStringLiteral("COMMIT"));
    } catch (const CatalogueError& error) {
        sqlite3_exec(db, "ROLLBACK; PRAGMA legacy_alter_table = OFF", nullptr, nullptr, nullptr);
        QFile::remove(backup); // nothing changed
        qWarning("The catalogue %s could not be upgraded: %s", qUtf8Printable(path),
                 qUtf8Printable(error.message()));
        return QString();
    }
    return QStringLiteral("Catalogue upgraded for this version; the previous file is kept as %1")
        .arg(QFileInfo(backup).fileName());
}
