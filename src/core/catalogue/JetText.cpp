#include "core/catalogue/JetText.h"

#include <QChar>
#include <QList>
#include <QString>

#include <algorithm>
#include <array>
#include <atomic>
#include <compare>

namespace {

// Walks a UTF-8 text code point by code point. A byte that does not start a well-formed
// sequence (stray continuation, truncated, overlong, surrogate, beyond U+10FFFF) is read as
// the one character of its value, as a Latin-1 text would be.
struct Utf8Reader {
    const unsigned char* at;
    const unsigned char* end;

    // Whether a byte carries on a character begun before it rather than starting one.
    static bool continues(unsigned char byte) { return (byte & 0xC0) == 0x80; }

    bool done() const { return at >= end; }
    char32_t next() {
        const unsigned char lead = *at++;
        if (lead < 0x80)
            return lead;
        const int extra = lead < 0xC2 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : lead < 0xF5 ? 3 : 0;
        if (extra == 0 || end - at < extra)
            return lead;
        char32_t cp = lead & (0x3F >> extra);
        for (int i = 0; i < extra; ++i) {
            if ((at[i] & 0xC0) != 0x80)
                return lead;
            cp = (cp << 6) | (at[i] & 0x3F);
        }
        const char32_t least = extra == 1 ? 0x80 : extra == 2 ? 0x800 : 0x10000;
        if (cp < least || cp > 0x10FFFF || QChar::isSurrogate(cp))
            return lead;
        at += extra;
        return cp;
    }
};

// Walks a UTF-16 text; a lone surrogate stands for itself.
struct Utf16Reader {
    const char16_t* at;
    const char16_t* end;

    static bool continues(char16_t unit) { return QChar::isLowSurrogate(unit); }

    bool done() const { return at >= end; }
    char32_t next() {
        const char16_t c = *at++;
        if (QChar::isHighSurrogate(c) && at < end && QChar::isLowSurrogate(*at))
            return QChar::surrogateToUcs4(c, *at++);
        return c;
    }
};

char32_t asciiFold(char32_t c) {
    return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}

char32_t fold(char32_t c) {
    return c < 0x80 ? asciiFold(c) : QChar::toCaseFolded(c);
}

// The letters one character counts as at the first level: none for an accent, "ss" for "ß",
// three jamo for a Hangul syllable (the most any character gives).
struct Letters {
    std::array<char32_t, 3> at{};
    unsigned char size = 0;
};

// Letters without a decomposition that readers take as two letters or as their base: sharp
// s, ae, oe, and o, d, l with stroke (their capitals fold to them first).
struct Spelling {
    char32_t letter;
    const char* as;
};
constexpr Spelling kSpelledOut[] = {{0x00DF, "ss"}, {0x00E6, "ae"}, {0x0153, "oe"},
                                    {0x00F8, "o"},  {0x0111, "d"},  {0x0142, "l"}};

void appendLetters(char32_t c, Letters& out) {
    if (QChar::decompositionTag(c) == QChar::Canonical) {
        for (const char32_t part : QChar::decomposition(c).toUcs4())
            appendLetters(part, out);
        return;
    }
    if (QChar::category(c) == QChar::Mark_NonSpacing)
        return;
    // The folded character goes through the same steps (Unicode has none that decomposes).
    const char32_t folded = QChar::toCaseFolded(c);
    if (folded != c) {
        appendLetters(folded, out);
        return;
    }
    const auto put = [&out](char32_t letter) {
        Q_ASSERT(out.size < out.at.size());
        out.at[out.size++] = letter;
    };
    const auto* spelling = std::find_if(std::begin(kSpelledOut), std::end(kSpelledOut),
                                        [c](const Spelling& s) { return s.letter == c; });
    if (spelling == std::end(kSpelledOut)) {
        put(c);
        return;
    }
    for (const char* letter = spelling->as; *letter; ++letter)
        put(char32_t(*letter));
}

// The letters of every character, worked out a block of 256 at a time on first use. Blocks
// are shared between threads (the engine may sort on any), published once and never freed.
struct LetterBlock {
    std::array<Letters, 256> of;
};
constexpr int kBlockCount = (0x10FFFF >> 8) + 1;
std::array<std::atomic<const LetterBlock*>, kBlockCount> letterBlocks{};

const Letters& lettersOf(char32_t c) {
    std::atomic<const LetterBlock*>& slot = letterBlocks[c >> 8];
    const LetterBlock* block = slot.load(std::memory_order_acquire);
    if (!block) {
        auto* made = new LetterBlock;
        for (char32_t i = 0; i < 256; ++i)
            appendLetters((c & ~char32_t(0xFF)) | i, made->of[i]);
        if (slot.compare_exchange_strong(block, made, std::memory_order_acq_rel))
            block = made;
        else
            delete made; // another thread was first; `block` is its copy
    }
    return block->of[c & 0xFF];
}

// A text's letters one at a time.
template <typename Reader> class LetterReader {
public:
    explicit LetterReader(Reader text) : m_text(text) {}

    bool next(char32_t& letter) {
        while (m_pending == m_end) {
            if (m_text.done())
                return false;
            const char32_t c = m_text.next();
            if (c < 0x80) {
                letter = asciiFold(c);
                return true;
            }
            const Letters& letters = lettersOf(c);
            m_pending = letters.at.data();
            m_end = m_pending + letters.size;
        }
        letter = *m_pending++;
        return true;
    }

private:
    Reader m_text;
    const char32_t* m_pending = nullptr;
    const char32_t* m_end = nullptr;
};

template <typename Reader> int compareLetters(Reader a, Reader b) {
    LetterReader<Reader> x(a), y(b);
    for (;;) {
        char32_t p = 0, q = 0;
        const bool moreA = x.next(p);
        const bool moreB = y.next(q);
        if (!moreA || !moreB)
            return moreA ? 1 : moreB ? -1 : 0;
        if (p != q)
            return p < q ? -1 : 1;
    }
}

template <typename Reader, typename Map> int compareMapped(Reader a, Reader b, Map map) {
    while (!a.done() && !b.done()) {
        const char32_t x = map(a.next());
        const char32_t y = map(b.next());
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.done() ? (b.done() ? 0 : -1) : 1;
}

int sign(std::strong_ordering order) {
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

template <typename Reader, typename Unit>
int compareTexts(const Unit* a, qsizetype aLength, const Unit* b, qsizetype bLength) {
    // Plain ASCII, by far the most titles, and stretches the texts share unit for unit need
    // no letters worked out: letters, folded and stored characters are all compared in one
    // pass, the first difference in case kept for a tie.
    const qsizetype common = std::min(aLength, bLength);
    int caseOrder = 0;
    qsizetype i = 0;
    for (; i < common; ++i) {
        const char32_t x = a[i];
        const char32_t y = b[i];
        if (x == y)
            continue;
        if ((x | y) >= 0x80)
            break;
        const char32_t fx = asciiFold(x);
        const char32_t fy = asciiFold(y);
        if (fx != fy)
            return fx < fy ? -1 : 1;
        if (caseOrder == 0)
            caseOrder = x < y ? -1 : 1;
    }
    if (i == common) {
        if (aLength == bLength)
            return caseOrder;
        // One text is the other's start. If a character of the longer one starts there, it
        // has more letters, or as many (accents alone) and more characters: it comes last.
        if (!Reader::continues(aLength > bLength ? a[i] : b[i]))
            return aLength < bLength ? -1 : 1;
    }

    // What went before is the same in both texts at every level (identical characters, or
    // ASCII letters differing in case, which the case order holds), so every level can resume
    // at the start of the character where they part.
    while (i > 0 &&
           ((i < aLength && Reader::continues(a[i])) || (i < bLength && Reader::continues(b[i]))))
        --i;
    const Reader x{a + i, a + aLength};
    const Reader y{b + i, b + bLength};
    if (const int order = compareLetters(x, y))
        return order;
    if (const int order = compareMapped(x, y, fold))
        return order;
    if (caseOrder != 0)
        return caseOrder;
    if (const int order = compareMapped(x, y, [](char32_t c) { return c; }))
        return order;
    // Only a malformed UTF-8 byte and the well-formed character of its value read alike.
    return sign(std::lexicographical_compare_three_way(a + i, a + aLength, b + i, b + bLength));
}

} // namespace

int compareJetText(QStringView a, QStringView b) {
    return compareTexts<Utf16Reader>(a.utf16(), a.size(), b.utf16(), b.size());
}

int compareJetTextUtf8(const char* a, int aLength, const char* b, int bLength) {
    return compareTexts<Utf8Reader>(reinterpret_cast<const unsigned char*>(a), aLength,
                                    reinterpret_cast<const unsigned char*>(b), bLength);
}
