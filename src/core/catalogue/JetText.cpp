#include "core/catalogue/JetText.h"

#include <QChar>

namespace {

// Walks a UTF-8 text code point by code point; malformed bytes stand for themselves.
struct Utf8Reader {
    const unsigned char* at;
    const unsigned char* end;

    bool done() const { return at >= end; }
    char32_t next() {
        const unsigned char lead = *at++;
        if (lead < 0x80)
            return lead;
        int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t cp = lead & (0x3F >> extra);
        while (extra-- > 0 && at < end && (*at & 0xC0) == 0x80)
            cp = (cp << 6) | (*at++ & 0x3F);
        return cp;
    }
};

struct Utf16Reader {
    const QChar* at;
    const QChar* end;

    bool done() const { return at >= end; }
    char32_t next() {
        const QChar c = *at++;
        if (c.isHighSurrogate() && at < end && at->isLowSurrogate())
            return QChar::surrogateToUcs4(c, *at++);
        return c.unicode();
    }
};

char32_t fold(char32_t c) {
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    return QChar::toCaseFolded(c);
}

template <typename Reader> int compareFolded(Reader a, Reader b) {
    while (!a.done() && !b.done()) {
        const char32_t x = fold(a.next());
        const char32_t y = fold(b.next());
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.done() ? (b.done() ? 0 : -1) : 1;
}

template <typename Reader> int compareExact(Reader a, Reader b) {
    while (!a.done() && !b.done()) {
        const char32_t x = a.next();
        const char32_t y = b.next();
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.done() ? (b.done() ? 0 : -1) : 1;
}

template <typename Reader> int compareTexts(Reader a, Reader b) {
    const int folded = compareFolded(a, b);
    return folded != 0 ? folded : compareExact(a, b);
}

} // namespace

int compareJetText(QStringView a, QStringView b) {
    return compareTexts(Utf16Reader{a.data(), a.data() + a.size()},
                        Utf16Reader{b.data(), b.data() + b.size()});
}

int compareJetTextUtf8(const char* a, int aLength, const char* b, int bLength) {
    const auto* ua = reinterpret_cast<const unsigned char*>(a);
    const auto* ub = reinterpret_cast<const unsigned char*>(b);
    return compareTexts(Utf8Reader{ua, ua + aLength}, Utf8Reader{ub, ub + bLength});
}
