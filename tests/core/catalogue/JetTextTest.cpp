#include "core/catalogue/JetText.h"
#include "common/TestRegistry.h"

#include <QHash>
#include <QTest>

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

int sign(int order) {
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

int compareUtf16(const QString& a, const QString& b) {
    return sign(compareJetText(a, b));
}

int compareUtf8(const QByteArray& a, const QByteArray& b) {
    return sign(compareJetTextUtf8(a.constData(), int(a.size()), b.constData(), int(b.size())));
}

// The order worked out the long way, a whole text at a time, to check the character at a
// time comparison against: letters (decomposed, accents dropped, folded, a few letters
// spelled out), then folded characters, then characters.
using Key = std::tuple<std::vector<char32_t>, std::vector<char32_t>, std::vector<char32_t>>;

Key referenceKey(const QString& text) {
    static const QHash<char32_t, QString> spelled{{U'\u00DF', "ss"}, {U'\u00E6', "ae"},
                                                  {U'\u0153', "oe"}, {U'\u00F8', "o"},
                                                  {U'\u0111', "d"},  {U'\u0142', "l"}};
    Key key;
    auto& [letters, folded, stored] = key;
    for (const char32_t c : text.normalized(QString::NormalizationForm_D).toUcs4()) {
        if (QChar::category(c) == QChar::Mark_NonSpacing)
            continue;
        const char32_t f = QChar::toCaseFolded(c);
        if (spelled.contains(f)) {
            for (const char32_t s : spelled.value(f).toUcs4())
                letters.push_back(s);
        } else {
            letters.push_back(f);
        }
    }
    for (const char32_t c : text.toUcs4()) {
        folded.push_back(QChar::toCaseFolded(c));
        stored.push_back(c);
    }
    return key;
}

// Every text of up to three characters over a few that each take a different path: ASCII
// letters and a capital, a precomposed and a combining accent, a letter spelled out as two, a
// capital spelled out, a character outside the BMP.
QStringList shortTexts() {
    const QStringList alphabet{"a", "e",      "E",      "\u00E9",    "\u0301",
                               "s", "\u00DF", "\u00C6", "\U0001F600"};
    QStringList texts{QString()};
    for (qsizetype from = 0, length = 1; length <= 3; ++length) {
        const qsizetype to = texts.size();
        for (qsizetype i = from; i < to; ++i) {
            for (const QString& c : alphabet)
                texts << texts[i] + c;
        }
        from = to;
    }
    return texts;
}

// Texts that exercise the rarer paths: a Hangul syllable and its jamo, characters outside the
// BMP that decompose or have a case, one that decomposes into one outside it, ligatures,
// strokes (separated by spaces).
const QStringList kRareTexts =
    QString::fromUtf8(
        "\uAC01 \u1100\u1161\u11A8 \U0001D15E \U0001D157 \U0001D157\U0001D165 \U00010400b "
        "\U00010428a \uFA6C \U000242EE \uFB01 fi \u1E9E SS \u0141\u00F3d\u017A Lodz \u0110akovo "
        "Dakar \u00D8st Ost \u0152uvre Oeuvre \u0130 i \u212B \u00E5 a\u030A")
        .split(u' ');

} // namespace

// The catalogue's text order: letters first, case and accents aside; then folded
// characters, then characters, so only identical texts tie.
class JetTextTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each row is a list in its expected order, sorted from two other orders through both
    // entry points.
    void order_data() {
        QTest::addColumn<QStringList>("order");
        QTest::newRow("accent among its letter")
            << QStringList{"Eagle", "\u00C9clair", "Edge", "\u00C9lite", "Elixir"};
        QTest::newRow("sharp s as ss")
            << QStringList{"STRASSE", "Strasse", "STRA\u1E9EE", "Stra\u00DFe", "Strassen"};
        QTest::newRow("after U, before Z") << QStringList{"Uber", "\u00DCber", "Ubik", "Zorro"};
        // Texts alike but for case and accents: unaccented first, then capital first; a
        // decomposed accent between.
        QTest::newRow("case and accent variants")
            << QStringList{"Ecole", "ecole", "E\u0301cole", "\u00C9cole", "\u00E9cole", "Ecoles"};
        QTest::newRow("ae") << QStringList{"Encyclopaedia", "Encyclop\u00C6dia",
                                           "Encyclop\u00E6dia", "Encyclopaedias"};
        QTest::newRow("oe, o with a stroke")
            << QStringList{"Oeuvre", "\u0152uvre", "Oslo", "\u00D8stfold", "Oxford"};
        QTest::newRow("d, l with a stroke") << QStringList{
            "Dakar", "\u0110akovo", "Dallas", "Lodz", "\u0141\u00F3d\u017A", "Lodzer"};
        QTest::newRow("plain text keeps its order") << QStringList{
            "",           "100% Dynamite", "1943",  "2 Hot 2 Handle", "apple",        "Demo",
            "Demolition", "XENON",         "Xenon", "xenon",          "Xenon Deluxe", "Zebra"};
        QTest::newRow("beyond the BMP")
            << QStringList{"Z", "\uFFFD", "\U0001F600", "\U0001F600a", "\U0001F601"};
    }
    void order() {
        QFETCH(QStringList, order);
        for (const bool utf8 : {false, true}) {
            const auto less = [utf8](const QString& a, const QString& b) {
                return (utf8 ? compareUtf8(a.toUtf8(), b.toUtf8()) : compareUtf16(a, b)) < 0;
            };
            QStringList reversed(order.crbegin(), order.crend());
            std::sort(reversed.begin(), reversed.end(), less);
            QCOMPARE(reversed, order);
            QStringList rotated = order.mid(order.size() / 2) + order.mid(0, order.size() / 2);
            std::sort(rotated.begin(), rotated.end(), less);
            QCOMPARE(rotated, order);
        }
    }

    // Every pair of many short texts against the order worked out the long way: both entry
    // points agree with it, and with themselves the other way round.
    void matchesTheLongWay() {
        const QStringList texts = shortTexts() + kRareTexts;
        std::vector<Key> keys;
        std::vector<QByteArray> utf8;
        for (const QString& text : texts) {
            keys.push_back(referenceKey(text));
            utf8.push_back(text.toUtf8());
        }
        for (qsizetype i = 0; i < texts.size(); ++i) {
            for (qsizetype j = 0; j < texts.size(); ++j) {
                const size_t x = size_t(i), y = size_t(j);
                const int expected = keys[x] < keys[y] ? -1 : keys[y] < keys[x] ? 1 : 0;
                const int utf16Order = compareUtf16(texts[i], texts[j]);
                const int utf8Order = compareUtf8(utf8[x], utf8[y]);
                if (utf16Order != expected || utf8Order != expected)
                    QFAIL(qPrintable(QStringLiteral("'%1' against '%2': %3 (UTF-16), %4 (UTF-8), "
                                                    "expected %5")
                                         .arg(texts[i], texts[j])
                                         .arg(utf16Order)
                                         .arg(utf8Order)
                                         .arg(expected)));
            }
        }
    }

    // A total order, lone surrogates included: the other way round gives the opposite, only
    // identical texts tie, and sorted texts stand in order pair by pair.
    void totalOrder() {
        QStringList texts = kRareTexts;
        texts += QStringList{"", "a", "A", "\u00E1", "a\u0301", "\U0001F600", "\U0001F600z"};
        for (const char16_t lone : {u'\xD83D', u'\xDE00'}) {
            const QString alone(QChar{lone});
            texts << alone << alone + u'z' << QStringLiteral("z") + alone << alone + alone;
        }
        for (const QString& a : texts) {
            for (const QString& b : texts) {
                QCOMPARE(compareUtf16(a, b), -compareUtf16(b, a));
                QCOMPARE(compareUtf16(a, b) == 0, a == b);
            }
        }
        std::sort(texts.begin(), texts.end(),
                  [](const QString& a, const QString& b) { return compareUtf16(a, b) < 0; });
        texts.erase(std::unique(texts.begin(), texts.end()), texts.end());
        for (qsizetype i = 0; i < texts.size(); ++i) {
            for (qsizetype j = i + 1; j < texts.size(); ++j)
                QVERIFY2(compareUtf16(texts[i], texts[j]) < 0,
                         qPrintable(texts[i] + " / " + texts[j]));
        }
    }

    // Malformed UTF-8 bytes stand for the characters of their values, so the entry points
    // give the same answers; where two byte texts read alike, their bytes decide.
    void entryPointsAgree() {
        // A Latin-1 accent, a byte that never leads, a stray continuation byte, truncated and
        // cut short, overlong (one from a byte that never leads), a surrogate, beyond U+10FFFF,
        // an o with stroke as Latin-1.
        std::vector<std::pair<QByteArray, QString>> texts;
        for (const char* bytes :
             {"\xC9lite", "Ab\xFF", "x\x80y", "\xE2\x82", "\xC3", "\xE2\x82z", "\xC0\xAF",
              "\xE0\x80\xAF", "\xF0\x8F\xBF\xBF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF8"})
            texts.emplace_back(bytes, QString::fromLatin1(bytes));
        for (const char* text : {"\u00C9lite", "Elite", "elite", "\u00C1", "\u00C1b", "Ab\u00FF",
                                 "Aby", "o", "\u00F8", "p", "x\u0080y", "\u00E2", "\U0001F600",
                                 "\U0001F600\U0001F601", "\uD7FF", "\uE000", "\u00ED"})
            texts.emplace_back(text, QString::fromUtf8(text));
        for (const auto& [a8, a16] : texts) {
            for (const auto& [b8, b16] : texts) {
                const int expected = a16 != b16 ? compareUtf16(a16, b16)
                                     : a8 < b8  ? -1
                                     : b8 < a8  ? 1
                                                : 0;
                QVERIFY2(compareUtf8(a8, b8) == expected && compareUtf8(b8, a8) == -expected,
                         (a8.toHex(' ') + " against " + b8.toHex(' ')).constData());
            }
        }
    }
};

KESTREL_TEST(JetTextTest)
#include "JetTextTest.moc"
