#include "core/catalogue/CatalogueSummary.h"

#include "core/catalogue/Catalogue.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <sqlite3.h>

namespace {

qint64 count(Catalogue& catalogue, const char* table) {
    RowStream rows =
        catalogue.stream(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table)));
    return rows.next() ? rows.integer(0) : 0;
}

// Reads the mark of the open file; earlier builds kept it in user_version.
bool hasDemoMark(sqlite3* db) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT application_id, user_version FROM pragma_application_id, "
                           "pragma_user_version",
                           -1, &statement, nullptr) != SQLITE_OK)
        return false;
    const bool demo = sqlite3_step(statement) == SQLITE_ROW &&
                      (sqlite3_column_int(statement, 0) == kDemoCatalogueMark ||
                       sqlite3_column_int(statement, 1) == kDemoCatalogueMark);
    sqlite3_finalize(statement);
    return demo;
}

} // namespace

bool isDemoCatalogue(const QString& path) {
    sqlite3* db = nullptr;
    const bool opened = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                        SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK;
    const bool demo = opened && hasDemoMark(db);
    sqlite3_close(db);
    return demo;
}

QString CatalogueSummary::text() const {
    const QLocale locale;
    return QStringLiteral("Catalogue in use: %1%2, %3 entries on %4 disks")
        .arg(QFileInfo(path).fileName(), demo ? QStringLiteral(" (demo)") : QString(),
             locale.toString(entries), locale.toString(disks));
}

CatalogueSummary summarise(Catalogue& catalogue) {
    CatalogueSummary summary;
    summary.path = catalogue.path();
    summary.entries = count(catalogue, "Compilations");
    summary.disks = count(catalogue, "Dnames");
    summary.demo = hasDemoMark(catalogue.handle());
    return summary;
}
