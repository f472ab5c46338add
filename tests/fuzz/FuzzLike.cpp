// The LIKE matcher, the text order and the dialect adapter on any input: no crash, and the
// UTF-16 and UTF-8 entry points agree wherever the bytes are valid UTF-8.
#include "core/catalogue/JetDialect.h"
#include "core/catalogue/JetLike.h"
#include "core/catalogue/JetText.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    // "pattern \0 text"; without a zero byte the text is empty.
    const char* zero = static_cast<const char*>(std::memchr(bytes, 0, size));
    const qsizetype patternSize = zero ? zero - bytes : qsizetype(size);
    const QByteArray patternBytes(bytes, patternSize);
    const QByteArray textBytes =
        zero ? QByteArray(zero + 1, qsizetype(size) - patternSize - 1) : QByteArray();
    const QString pattern = QString::fromUtf8(patternBytes);
    const QString text = QString::fromUtf8(textBytes);
    const bool validText = text.toUtf8() == textBytes;

    if (const std::optional<JetPattern> compiled = JetPattern::compile(pattern)) {
        const bool wide = compiled->matches(text);
        const bool narrow = compiled->matchesUtf8(textBytes.constData(), int(textBytes.size()));
        if (validText && wide != narrow)
            fail("matches() and matchesUtf8() disagree");
    }

    const int wide = compareJetText(pattern, text);
    if (sign(wide) != -sign(compareJetText(text, pattern)))
        fail("the text order is not antisymmetric");
    if ((wide == 0) != (pattern == text))
        fail("different texts compare equal");
    const bool validPattern = pattern.toUtf8() == patternBytes;
    if (validPattern && validText &&
        sign(wide) != sign(compareJetTextUtf8(patternBytes.constData(), int(patternBytes.size()),
                                              textBytes.constData(), int(textBytes.size()))))
        fail("the UTF-16 and UTF-8 orders disagree");

    JetSchema schema;
    schema.addColumn(QStringLiteral("Compilations"), QStringLiteral("Game"));
    schema.addColumn(QStringLiteral("Compilations"), QStringLiteral("Group"));
    schema.addColumn(QStringLiteral("Compilations"), QStringLiteral("Nummer"),
                     QStringLiteral("INTEGER"));
    schema.addColumn(QStringLiteral("Dnames"), QStringLiteral("got"), QStringLiteral("INTEGER"));
    translateJet(pattern + text, schema, {QStringLiteral("Game"), QStringLiteral("got")});
    return 0;
}
