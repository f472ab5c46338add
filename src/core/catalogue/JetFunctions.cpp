#include "core/catalogue/JetFunctions.h"

#include "core/Failures.h"
#include "core/catalogue/JetLike.h"
#include "core/catalogue/JetText.h"

#include <sqlite3.h>

#include <string>

namespace {

QString textOf(sqlite3_value* value) {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return QString::fromUtf8(bytes, sqlite3_value_bytes(value));
}

// like(pattern, text): the engine passes the pattern first. The compiled pattern is kept
// with the statement, so a LIKE over many rows compiles its pattern once.
void jetLike(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL || sqlite3_value_type(args[1]) == SQLITE_NULL)
        return; // Null in, Null out
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(args[1]));
    const int length = sqlite3_value_bytes(args[1]);
    if (const auto* cached = static_cast<const JetPattern*>(sqlite3_get_auxdata(context, 0))) {
        sqlite3_result_int(context, cached->matchesUtf8(text, length));
        return;
    }
    QString error;
    std::optional<JetPattern> pattern = JetPattern::compile(textOf(args[0]), &error);
    if (!pattern) {
        sqlite3_result_error(context, error.toUtf8().constData(), -1);
        return;
    }
    sqlite3_result_int(context, pattern->matchesUtf8(text, length));
    sqlite3_set_auxdata(context, 0, new JetPattern(std::move(*pattern)),
                        [](void* p) { delete static_cast<JetPattern*>(p); });
}

// jetcat(a, b, ...): Null counts as the empty text; the result is Null only when every
// operand is Null.
void jetConcat(sqlite3_context* context, int count, sqlite3_value** args) {
    std::string joined;
    bool any = false;
    for (int i = 0; i < count; ++i) {
        if (sqlite3_value_type(args[i]) == SQLITE_NULL)
            continue;
        any = true;
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(args[i]));
        joined.append(text, size_t(sqlite3_value_bytes(args[i])));
    }
    if (any)
        sqlite3_result_text(context, joined.data(), int(joined.size()), SQLITE_TRANSIENT);
}

int jetCollate(void*, int aLength, const void* a, int bLength, const void* b) {
    return compareJetTextUtf8(static_cast<const char*>(a), aLength, static_cast<const char*>(b),
                              bLength);
}

void check(sqlite3* db, int rc) {
    if (rc != SQLITE_OK)
        throw CatalogueError(QString::fromUtf8(sqlite3_errmsg(db)));
}

} // namespace

void registerJetFunctions(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    check(db, sqlite3_create_function_v2(db, "like", 2, flags, nullptr, jetLike, nullptr, nullptr,
                                         nullptr));
    check(db, sqlite3_create_function_v2(db, "jetcat", -1, flags, nullptr, jetConcat, nullptr,
                                         nullptr, nullptr));
    check(db, sqlite3_create_collation_v2(db, kJetCollation, SQLITE_UTF8, nullptr, jetCollate,
                                          nullptr));
}
