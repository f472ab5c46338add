#include "core/catalogue/JetLike.h"

#include <QChar>

namespace {

char32_t fold(char32_t c) {
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    return QChar::toCaseFolded(c);
}

std::vector<char32_t> codePoints(QStringView text) {
    std::vector<char32_t> out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out.push_back(QChar::surrogateToUcs4(c, text[i + 1]));
            ++i;
        } else {
            out.push_back(c.unicode());
        }
    }
    return out;
}

void foldUtf8Into(const char* text, int length, std::vector<char32_t>& out) {
    out.clear();
    const auto* at = reinterpret_cast<const unsigned char*>(text);
    const auto* end = at + length;
    while (at < end) {
        const unsigned char lead = *at++;
        if (lead < 0x80) {
            out.push_back(fold(lead));
            continue;
        }
        int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t cp = lead & (0x3F >> extra);
        while (extra-- > 0 && at < end && (*at & 0xC0) == 0x80)
            cp = (cp << 6) | (*at++ & 0x3F);
        out.push_back(fold(cp));
    }
}

QString textOf(const std::vector<char32_t>& cps, size_t from, size_t to) {
    return QString::fromUcs4(cps.data() + from, qsizetype(to - from));
}

// The second line of the message for a "[" at `open` that no "]" closes: where it is, and how
// to write the character itself.
QString unclosedSet(const std::vector<char32_t>& cps, size_t open) {
    const QString pattern = textOf(cps, 0, cps.size());
    QString before = textOf(cps, 0, open);
    while (before.startsWith(u'%'))
        before.remove(0, 1);
    const QString where =
        before.isEmpty() ? QStringLiteral("The \"[\" at the start of \"%1\"").arg(pattern)
                         : QStringLiteral("The \"[\" after \"%1\" in \"%2\"").arg(before, pattern);
    return where + QStringLiteral(" is never closed; to find a \"[\" itself, write \"[[]\".");
}

QString reversedRange(const std::vector<char32_t>& cps, char32_t low, char32_t high) {
    const QString from = QString::fromUcs4(&low, 1);
    const QString to = QString::fromUcs4(&high, 1);
    return QStringLiteral("The range \"%1-%2\" in \"%3\" runs backwards; write it \"%2-%1\".")
        .arg(from, to, textOf(cps, 0, cps.size()));
}

} // namespace

std::optional<JetPattern> JetPattern::compile(QStringView pattern, QString* error) {
    const std::vector<char32_t> cps = codePoints(pattern);
    JetPattern result;
    auto fail = [&](const QString& where) -> std::optional<JetPattern> {
        if (error)
            *error = QString::fromLatin1(kInvalidPatternMessage) + u'\n' + where;
        return std::nullopt;
    };

    for (size_t i = 0; i < cps.size(); ++i) {
        const char32_t c = cps[i];
        if (c == '%') {
            // Runs of "%" mean the same as one; keeping one keeps the matcher simple.
            if (result.m_tokens.empty() || result.m_tokens.back().kind != Token::AnyRun)
                result.m_tokens.push_back({Token::AnyRun});
        } else if (c == '_') {
            result.m_tokens.push_back({Token::One});
        } else if (c == '[') {
            size_t j = i + 1;
            Token set{Token::Set};
            if (j < cps.size() && (cps[j] == '!' || cps[j] == '^')) {
                set.negated = true;
                ++j;
            }
            set.firstRange = int(result.m_ranges.size());
            bool closed = false;
            for (; j < cps.size(); ++j) {
                if (cps[j] == ']') {
                    closed = true;
                    break;
                }
                char32_t low = cps[j];
                char32_t high = low;
                // A "-" between two members is a range; first or last it stands for itself.
                if (j + 2 < cps.size() && cps[j + 1] == '-' && cps[j + 2] != ']') {
                    high = cps[j + 2];
                    j += 2;
                    if (high < low)
                        return fail(reversedRange(cps, low, high));
                }
                result.m_ranges.push_back({low, high});
            }
            if (!closed)
                return fail(unclosedSet(cps, i));
            set.rangeCount = int(result.m_ranges.size()) - set.firstRange;
            // "[]" matches the empty text, so it adds nothing to the pattern.
            if (set.rangeCount > 0 || set.negated)
                result.m_tokens.push_back(set);
            i = j;
        } else {
            Token literal{Token::Literal};
            literal.literal = fold(c);
            result.m_tokens.push_back(literal);
        }
    }
    return result;
}

bool JetPattern::inSet(const Token& token, char32_t folded) const {
    // The set keeps its members as written, so try each case of the character.
    const char32_t upper = QChar::toUpper(folded);
    const char32_t lower = QChar::toLower(folded);
    bool found = false;
    for (int r = token.firstRange; r < token.firstRange + token.rangeCount && !found; ++r) {
        const Range& range = m_ranges[size_t(r)];
        for (char32_t c : {folded, upper, lower}) {
            if (c >= range.low && c <= range.high) {
                found = true;
                break;
            }
        }
    }
    return found != token.negated;
}

bool JetPattern::matchesFolded(const std::vector<char32_t>& text) const {
    // Classic wildcard walk: every token but "%" takes exactly one character, so remembering
    // the last "%" and retrying one character further is enough.
    size_t t = 0;
    size_t p = 0;
    size_t starToken = size_t(-1);
    size_t starText = 0;
    while (t < text.size()) {
        bool step = false;
        if (p < m_tokens.size()) {
            const Token& token = m_tokens[p];
            switch (token.kind) {
            case Token::AnyRun:
                starToken = p++;
                starText = t;
                continue;
            case Token::One:
                step = true;
                break;
            case Token::Literal:
                step = token.literal == text[t];
                break;
            case Token::Set:
                step = inSet(token, text[t]);
                break;
            }
        }
        if (step) {
            ++p;
            ++t;
        } else if (starToken != size_t(-1)) {
            p = starToken + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < m_tokens.size() && m_tokens[p].kind == Token::AnyRun)
        ++p;
    return p == m_tokens.size();
}

bool JetPattern::matches(QStringView text) const {
    std::vector<char32_t> folded = codePoints(text);
    for (char32_t& c : folded)
        c = fold(c);
    return matchesFolded(folded);
}

bool JetPattern::matchesUtf8(const char* text, int length) const {
    thread_local std::vector<char32_t> buffer;
    foldUtf8Into(text, length, buffer);
    return matchesFolded(buffer);
}
