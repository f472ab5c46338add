#include "core/catalogue/JetDialect.h"

#include "core/catalogue/JetFunctions.h"

#include <sqlite3.h>

#include <vector>

void JetSchema::addColumn(const QString& table, const QString& column,
                          const QString& declaredType) {
    const QString key = column.toLower();
    if (!declaredType.contains(QLatin1String("INT"), Qt::CaseInsensitive))
        textColumns.insert(key);
    const auto known = columnTable.constFind(key);
    if (known == columnTable.cend())
        columnTable.insert(key, table);
    else if (known->compare(table, Qt::CaseInsensitive) != 0)
        columnTable.insert(key, QString());
}

bool JetSchema::hasColumn(QStringView column) const {
    return columnTable.contains(column.toString().toLower());
}

bool JetSchema::isText(QStringView column) const {
    return textColumns.contains(column.toString().toLower());
}

QString JetSchema::tableOf(QStringView column) const {
    return columnTable.value(column.toString().toLower());
}

namespace {

struct Token {
    enum Kind { Space, String, Bracketed, Word, Number, Symbol };
    Kind kind;
    QString text;
};

bool isWordStart(QChar c) {
    return c.isLetter() || c == u'_';
}
bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

std::vector<Token> tokenize(QStringView s) {
    std::vector<Token> tokens;
    qsizetype i = 0;
    while (i < s.size()) {
        const qsizetype start = i;
        const QChar c = s[i];
        Token::Kind kind;
        if (c.isSpace()) {
            while (i < s.size() && s[i].isSpace())
                ++i;
            kind = Token::Space;
        } else if (c == u'\'') {
            // A quote inside a literal is written twice.
            ++i;
            while (i < s.size()) {
                if (s[i] == u'\'') {
                    if (i + 1 < s.size() && s[i + 1] == u'\'') {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            kind = Token::String;
        } else if (c == u'[') {
            while (i < s.size() && s[i] != u']')
                ++i;
            i = qMin(i + 1, s.size());
            kind = Token::Bracketed;
        } else if (isWordStart(c)) {
            while (i < s.size() && isWordChar(s[i]))
                ++i;
            kind = Token::Word;
        } else if (c.isDigit()) {
            while (i < s.size() && (s[i].isDigit() || s[i] == u'.'))
                ++i;
            kind = Token::Number;
        } else {
            ++i;
            if (i < s.size() &&
                ((c == u'<' && (s[i] == u'>' || s[i] == u'=')) || (c == u'>' && s[i] == u'=') ||
                 (c == u'!' && s[i] == u'=') || (c == u'|' && s[i] == u'|')))
                ++i;
            kind = Token::Symbol;
        }
        tokens.push_back({kind, s.mid(start, i - start).toString()});
    }
    return tokens;
}

bool isKeyword(const QString& word) {
    const QByteArray utf8 = word.toUtf8();
    return sqlite3_keyword_check(utf8.constData(), int(utf8.size())) != 0;
}

bool isWord(const Token& token, const char* word) {
    return token.kind == Token::Word &&
           token.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isSymbol(const Token& token, QChar symbol) {
    return token.kind == Token::Symbol && token.text.size() == 1 && token.text[0] == symbol;
}

QString columnName(const Token& token) {
    if (token.kind == Token::Bracketed)
        return token.text.mid(1, token.text.size() - 2);
    return token.text;
}

size_t skipSpace(const std::vector<Token>& tokens, size_t i) {
    while (i < tokens.size() && tokens[i].kind == Token::Space)
        ++i;
    return i;
}

// A bare column name that the engine reads as a keyword ("ORDER by Group") gets brackets.
void bracketReservedColumns(std::vector<Token>& tokens, const JetSchema& schema) {
    for (Token& token : tokens) {
        if (token.kind == Token::Word && schema.hasColumn(token.text) && isKeyword(token.text)) {
            token.text = u'[' + token.text + u']';
            token.kind = Token::Bracketed;
        }
    }
}

// UPDATE A,B SET col = v ... WHERE cond  ->  UPDATE <owner> SET col = v ... FROM <other> WHERE cond
void rewriteJoinedUpdate(std::vector<Token>& tokens, const JetSchema& schema) {
    size_t i = skipSpace(tokens, 0);
    if (i >= tokens.size() || !isWord(tokens[i], "UPDATE"))
        return;
    const size_t firstTable = skipSpace(tokens, i + 1);
    const size_t comma = skipSpace(tokens, firstTable + 1);
    const size_t secondTable = skipSpace(tokens, comma + 1);
    const size_t set = skipSpace(tokens, secondTable + 1);
    if (set >= tokens.size() || !isSymbol(tokens[comma], u',') || !isWord(tokens[set], "SET"))
        return;
    const size_t column = skipSpace(tokens, set + 1);
    if (column >= tokens.size())
        return;
    // A qualified "Table.col" names its table; a bare column is looked up.
    QString owner;
    const size_t dot = column + 1;
    if (dot + 1 < tokens.size() && isSymbol(tokens[dot], u'.'))
        owner = columnName(tokens[column]);
    else
        owner = schema.tableOf(columnName(tokens[column]));
    const QString a = columnName(tokens[firstTable]);
    const QString b = columnName(tokens[secondTable]);
    QString other;
    if (owner.compare(a, Qt::CaseInsensitive) == 0)
        other = tokens[secondTable].text;
    else if (owner.compare(b, Qt::CaseInsensitive) == 0)
        other = tokens[firstTable].text;
    else
        return; // leave it to the engine to report

    int depth = 0;
    size_t where = tokens.size();
    for (size_t k = set + 1; k < tokens.size(); ++k) {
        if (isSymbol(tokens[k], u'('))
            ++depth;
        else if (isSymbol(tokens[k], u')'))
            --depth;
        else if (depth == 0 && isWord(tokens[k], "WHERE")) {
            where = k;
            break;
        }
    }

    std::vector<Token> out;
    out.push_back(tokens[i]);
    out.push_back({Token::Space, QStringLiteral(" ")});
    out.push_back({Token::Word, owner});
    out.push_back({Token::Space, QStringLiteral(" ")});
    out.insert(out.end(), tokens.begin() + std::ptrdiff_t(set),
               tokens.begin() + std::ptrdiff_t(where));
    if (out.back().kind != Token::Space)
        out.push_back({Token::Space, QStringLiteral(" ")});
    out.push_back({Token::Word, QStringLiteral("FROM")});
    out.push_back({Token::Space, QStringLiteral(" ")});
    out.push_back({Token::Word, other});
    if (where < tokens.size()) {
        out.push_back({Token::Space, QStringLiteral(" ")});
        out.insert(out.end(), tokens.begin() + std::ptrdiff_t(where), tokens.end());
    }
    tokens = std::move(out);
}

Token space() {
    return {Token::Space, QStringLiteral(" ")};
}

// Where the (possibly qualified) column name that ends at `last` begins; `last` itself when
// it is not a name.
size_t startOfColumn(const std::vector<Token>& tokens, size_t last) {
    size_t first = last;
    while (first >= 2 && isSymbol(tokens[first - 1], u'.') &&
           (tokens[first - 2].kind == Token::Word || tokens[first - 2].kind == Token::Bracketed))
        first -= 2;
    return first;
}

bool isTextColumn(const Token& token, const JetSchema& schema) {
    return (token.kind == Token::Word || token.kind == Token::Bracketed) &&
           schema.isText(columnName(token));
}

// "ORDER BY a, b DESC": each text column is ordered by the catalogue's collation. Indexes
// cannot give that order, so SQLite reads the matching rows once and sorts them once, which
// beats walking an index and fetching every row at random.
void collateOrderTerms(std::vector<Token>& tokens, const JetSchema& schema) {
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (!isWord(tokens[i], "ORDER"))
            continue;
        const size_t by = skipSpace(tokens, i + 1);
        if (by >= tokens.size() || !isWord(tokens[by], "BY"))
            continue;
        size_t term = by + 1;
        while (term < tokens.size()) {
            // One term: up to a comma, a closing parenthesis or the end.
            size_t end = term;
            int depth = 0;
            while (end < tokens.size()) {
                if (isSymbol(tokens[end], u'('))
                    ++depth;
                else if (isSymbol(tokens[end], u')') && depth-- == 0)
                    break;
                else if (depth == 0 && isSymbol(tokens[end], u','))
                    break;
                ++end;
            }
            // The column is the last name before an optional ASC or DESC.
            size_t last = end;
            while (last > term && tokens[last - 1].kind == Token::Space)
                --last;
            if (last > term &&
                (isWord(tokens[last - 1], "ASC") || isWord(tokens[last - 1], "DESC"))) {
                --last;
                while (last > term && tokens[last - 1].kind == Token::Space)
                    --last;
            }
            const bool single =
                last > term && skipSpace(tokens, term) == startOfColumn(tokens, last - 1);
            if (single && isTextColumn(tokens[last - 1], schema)) {
                const std::vector<Token> collate{space(),
                                                 {Token::Word, QStringLiteral("COLLATE")},
                                                 space(),
                                                 {Token::Word, QString::fromLatin1(kJetCollation)}};
                tokens.insert(tokens.begin() + std::ptrdiff_t(last), collate.begin(),
                              collate.end());
                end += collate.size();
            }
            if (end >= tokens.size() || !isSymbol(tokens[end], u','))
                break;
            term = end + 1;
        }
    }
}

QString literalText(const Token& token) {
    return token.text.mid(1, token.text.size() - 2)
        .replace(QStringLiteral("''"), QStringLiteral("'"));
}

QString quotedLiteral(const QString& text) {
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}

// The part of a LIKE pattern that every match starts with, in lower case, cut where the NOCASE
// order of SQLite and the case folding of our like() could part: at a wildcard, at a letter
// beyond ASCII, and at "s" and "k" (long s and the Kelvin sign fold to them).
QString rangePrefix(const QString& pattern) {
    QString prefix;
    for (const QChar c : pattern) {
        const char16_t u = c.unicode();
        if (u == u'%' || u == u'_' || u == u'[' || u >= 0x7F || u < 0x20)
            break;
        const QChar lower = (u >= u'A' && u <= u'Z') ? QChar(char16_t(u + 32)) : c;
        if (lower == u's' || lower == u'k')
            break;
        prefix += lower;
    }
    return prefix;
}

// "col LIKE 'prefix%'" -> "(col LIKE 'prefix%' AND col >= 'prefix' COLLATE NOCASE AND
// col < 'prefiy' COLLATE NOCASE)": a range an index can answer. Every text that folds to the
// prefix lies in it; texts in it that do not match are still refused by like().
void addPrefixRanges(std::vector<Token>& tokens, const JetSchema& schema) {
    for (size_t like = 0; like < tokens.size(); ++like) {
        if (!isWord(tokens[like], "LIKE"))
            continue;
        const size_t pattern = skipSpace(tokens, like + 1);
        if (pattern >= tokens.size() || tokens[pattern].kind != Token::String || like < 2 ||
            tokens[like - 1].kind != Token::Space)
            continue;
        const size_t column = like - 2;
        if (!isTextColumn(tokens[column], schema))
            continue;
        const size_t first = startOfColumn(tokens, column);
        // The left side must be the column alone, not the end of a "&" chain.
        size_t before = first;
        while (before > 0 && tokens[before - 1].kind == Token::Space)
            --before;
        if (before > 0 && isSymbol(tokens[before - 1], u'&'))
            continue;
        const QString prefix = rangePrefix(literalText(tokens[pattern]));
        if (prefix.isEmpty())
            continue;
        QString after = prefix;
        after.back() = QChar(char16_t(after.back().unicode() + 1));

        QString columnText;
        for (size_t k = first; k <= column; ++k)
            columnText += tokens[k].text;
        const QString range = QStringLiteral(" AND %1 >= %2 COLLATE NOCASE AND %1 < %3 COLLATE "
                                             "NOCASE)")
                                  .arg(columnText, quotedLiteral(prefix), quotedLiteral(after));
        const std::vector<Token> rangeTokens = tokenize(range);
        tokens.insert(tokens.begin() + std::ptrdiff_t(pattern) + 1, rangeTokens.begin(),
                      rangeTokens.end());
        tokens.insert(tokens.begin() + std::ptrdiff_t(first), {Token::Symbol, QStringLiteral("(")});
        like = pattern + 1 + rangeTokens.size();
    }
}

// "SELECT * FROM" -> "SELECT [a], [b] FROM" for the wanted fields that exist.
void selectOnly(std::vector<Token>& tokens, const JetSchema& schema, const QStringList& wanted) {
    if (wanted.isEmpty())
        return;
    const size_t select = skipSpace(tokens, 0);
    const size_t star = skipSpace(tokens, select + 1);
    const size_t from = skipSpace(tokens, star + 1);
    if (from >= tokens.size() || !isWord(tokens[select], "SELECT") ||
        !isSymbol(tokens[star], u'*') || !isWord(tokens[from], "FROM"))
        return;
    QStringList fields;
    QSet<QString> seen;
    for (const QString& field : wanted) {
        if (!schema.hasColumn(field) || seen.contains(field.toLower()))
            continue;
        if (schema.tableOf(field).isEmpty())
            return; // in more than one table: which one is meant is the engine's to say
        seen.insert(field.toLower());
        fields << u'[' + field + u']';
    }
    if (!fields.isEmpty())
        tokens[star] = {Token::Symbol, fields.join(QStringLiteral(", "))};
}

class ConcatRewriter {
public:
    explicit ConcatRewriter(const std::vector<Token>& tokens) : m_tokens(tokens) {}

    QString rewrite(size_t begin, size_t end) const {
        QString out;
        size_t i = begin;
        while (i < end) {
            const size_t primaryEnd = endOfPrimary(i, end);
            if (primaryEnd == i) {
                out += m_tokens[i++].text;
                continue;
            }
            // Collect "p & p & p" starting at this primary.
            std::vector<std::pair<size_t, size_t>> operands{{i, primaryEnd}};
            size_t next = primaryEnd;
            for (;;) {
                const size_t amp = skipSpaceUntil(next, end);
                if (amp >= end || !isSymbol(m_tokens[amp], u'&'))
                    break;
                const size_t operand = skipSpaceUntil(amp + 1, end);
                const size_t operandEnd = operand < end ? endOfPrimary(operand, end) : operand;
                if (operandEnd == operand)
                    break;
                operands.emplace_back(operand, operandEnd);
                next = operandEnd;
            }
            if (operands.size() == 1) {
                out += primaryText(i, primaryEnd);
            } else {
                out += QStringLiteral("jetcat(");
                for (size_t k = 0; k < operands.size(); ++k) {
                    if (k > 0)
                        out += QStringLiteral(", ");
                    out += primaryText(operands[k].first, operands[k].second);
                }
                out += u')';
            }
            i = next;
        }
        return out;
    }

private:
    size_t skipSpaceUntil(size_t i, size_t end) const {
        while (i < end && m_tokens[i].kind == Token::Space)
            ++i;
        return i;
    }

    size_t matchingParen(size_t open, size_t end) const {
        int depth = 0;
        for (size_t k = open; k < end; ++k) {
            if (isSymbol(m_tokens[k], u'('))
                ++depth;
            else if (isSymbol(m_tokens[k], u')') && --depth == 0)
                return k;
        }
        return end;
    }

    // One operand of "&": a literal, a number, a possibly qualified name, a call or a
    // parenthesised expression. Returns `i` itself when no primary starts there.
    size_t endOfPrimary(size_t i, size_t end) const {
        const Token& t = m_tokens[i];
        // Null is a keyword to the engine but an operand to "&" ("a & Null" is "a").
        if (t.kind == Token::String || t.kind == Token::Number || isWord(t, "NULL"))
            return i + 1;
        if (isSymbol(t, u'(')) {
            const size_t close = matchingParen(i, end);
            return close < end ? close + 1 : i;
        }
        const bool name =
            t.kind == Token::Bracketed || (t.kind == Token::Word && !isKeyword(t.text));
        if (!name)
            return i;
        size_t k = i + 1;
        while (k + 1 < end && isSymbol(m_tokens[k], u'.') &&
               (m_tokens[k + 1].kind == Token::Word || m_tokens[k + 1].kind == Token::Bracketed))
            k += 2;
        if (k < end && isSymbol(m_tokens[k], u'(')) {
            const size_t close = matchingParen(k, end);
            if (close < end)
                k = close + 1;
        }
        return k;
    }

    // A primary's text, with chains inside its parentheses rewritten too.
    QString primaryText(size_t begin, size_t end) const {
        QString out;
        size_t i = begin;
        while (i < end) {
            if (isSymbol(m_tokens[i], u'(')) {
                const size_t close = matchingParen(i, end);
                out += u'(' + rewrite(i + 1, close) + u')';
                i = close + 1;
            } else {
                out += m_tokens[i++].text;
            }
        }
        return out;
    }

    const std::vector<Token>& m_tokens;
};

} // namespace

QString translateJet(QStringView jet, const JetSchema& schema, const QStringList& wanted) {
    std::vector<Token> tokens = tokenize(jet);
    selectOnly(tokens, schema, wanted);
    rewriteJoinedUpdate(tokens, schema);
    bracketReservedColumns(tokens, schema);
    collateOrderTerms(tokens, schema);
    addPrefixRanges(tokens, schema);
    return ConcatRewriter(tokens).rewrite(0, tokens.size());
}
