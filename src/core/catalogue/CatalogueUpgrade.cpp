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

int userVersion(sqlite3* db) {
    RowStream version(db, QStringLiteral("PRAGMA user_version"));
    return version.next() ? int(version.integer(0)) : 0;
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
    QStringList indexes; // other than the program's own, which are made anew
};

std::vector<TableToRebuild> tablesToRebuild(sqlite3* db) {
    std::vector<TableToRebuild> tables;
    RowStream rows(db, QStringLiteral("SELECT name, sql FROM sqlite_schema WHERE type = 'table' "
                                      "AND sql LIKE '%%1%'")
                           .arg(QLatin1String(kJetCollation)));
    while (rows.next())
        tables.push_back({rows.text(0), rows.text(1), {}});
    for (TableToRebuild& table : tables) {
        RowStream indexes(db, QStringLiteral("SELECT name, sql FROM sqlite_schema WHERE type = "
                                             "'index' AND sql IS NOT NULL AND tbl_name = %1")
                                  .arg(u'\'' + quoteDoubled(table.name) + u'\''));
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
    run(db, QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(building, quotedName(table.name)));
    for (const QString& index : table.indexes)
        run(db, index);
}

} // namespace

QString upgradeCatalogue(sqlite3* db, const QString& path) {
    if (userVersion(db) >= kCatalogueVersion && tablesToRebuild(db).empty())
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
        createCatalogueIndexes(db);
        run(db, QStringLiteral("COMMIT"));
    } catch (const CatalogueError& error) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        QFile::remove(backup); // nothing changed
        qWarning("The catalogue %s could not be upgraded: %s", qUtf8Printable(path),
                 qUtf8Printable(error.message()));
        return QString();
    }
    return QStringLiteral("Catalogue upgraded for this version; the previous file is kept as %1")
        .arg(QFileInfo(backup).fileName());
}
