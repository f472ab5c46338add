// The name search from the search box's text to a statement run on a small catalogue: the
// statement runs or fails cleanly, and the user's text never leaves its quoted literals.
#include "core/Failures.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueSchema.h"
#include "core/search/SearchRequest.h"

#include <QSet>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

Catalogue& catalogue() {
    static QTemporaryDir folder;
    static Catalogue open;
    if (!open.isOpen()) {
        const QString path = folder.filePath(QStringLiteral("catalogue.sqlite"));
        sqlite3* db = nullptr;
        sqlite3_open(path.toUtf8().constData(), &db);
        createCatalogueSchema(db);
        sqlite3_exec(db,
                     "INSERT INTO Dnames VALUES (1, 1, 'A', 'a', '1', 'st');"
                     "INSERT INTO Compilations VALUES (1, 'Automation 12', 'Dragon Ninja', 0, 1);"
                     "INSERT INTO Compilations VALUES (2, 'Medway Boys 9', '\xC3\x89lite', -1, 1);"
                     "INSERT INTO Compilations VALUES (3, 'Pompey', NULL, 0, 1);",
                     nullptr, nullptr, nullptr);
        sqlite3_close(db);
        open.open(path);
    }
    return open;
}

// What the builders write outside quotes; anything else there came from the user's text.
bool outsideLiteralsIsOurs(const QString& statement) {
    static const QSet<QString> ours{"SELECT",     "*",
                                    "FROM",       "Compilations,Dnames",
                                    "WHERE",      "Compilations.F_ID",
                                    "=",          "Dnames.F_ID",
                                    "AND",        "OR",
                                    "NOT",        "LIKE",
                                    "[Game]",     "[Group]",
                                    "&",          "ORDER",
                                    "by",         "Game",
                                    "Group",      "DESC",
                                    "Dnames.got", "<>",
                                    "0",          "1",
                                    "2"};
    QString outside;
    bool quoted = false;
    for (qsizetype i = 0; i < statement.size(); ++i) {
        const QChar c = statement[i];
        if (c == u'\'') {
            if (quoted && i + 1 < statement.size() && statement[i + 1] == u'\'') {
                ++i;
                continue;
            }
            quoted = !quoted;
            outside += u' ';
            continue;
        }
        if (!quoted)
            outside += (c == u'(' || c == u')') ? QChar(u' ') : c;
    }
    if (quoted)
        return false;
    for (const QString& word : outside.split(u' ', Qt::SkipEmptyParts)) {
        if (!ours.contains(word))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    static const QString operators[] = {QStringLiteral("contains"), QStringLiteral("precise"),
                                        QStringLiteral("starts with"), QStringLiteral("ends with")};
    const uint8_t choice = data[0];
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    SearchCriteria criteria;
    criteria.operatorText = operators[choice & 3];
    // The same text may also name the group and the disk: every quoted piece is the user's.
    const qsizetype cut = text.size() / 2;
    criteria.searchText = (choice & 4) ? text.left(cut) : text;
    if (choice & 4)
        criteria.groupText = text.mid(cut);
    if (choice & 8)
        criteria.diskText = text.mid(cut / 2);
    criteria.descending = choice & 16;
    criteria.sortCaption = (choice & 32) ? QStringLiteral("Group") : QStringLiteral("Game");
    try {
        const PreparedSearch search = prepareSearch({true, criteria});
        if (!outsideLiteralsIsOurs(search.statement)) {
            std::fprintf(stderr, "user text outside its literal: %s\n",
                         qPrintable(search.statement));
            std::abort();
        }
        RowStream rows = catalogue().stream(search.statement);
        while (rows.next()) {
        }
    } catch (const Refusal&) {
    } catch (const CatalogueError&) {
    }
    return 0;
}
