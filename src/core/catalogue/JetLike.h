#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

// A LIKE pattern of the catalogue's dialect: "%" any run, "_" one character, "[abc]",
// "[a-z]", "[!abc]" or "[^abc]" one character of (or not of) a set; every other character,
// "*", "?" and "#" included, stands for itself. Matching ignores case.
class JetPattern {
public:
    // The pattern compiled, or nothing with `error` set to the engine's message when it is
    // malformed (an unclosed "[" or a reversed range): kInvalidPatternMessage, then a line that
    // says where the pattern is broken and how to mend it.
    static std::optional<JetPattern> compile(QStringView pattern, QString* error = nullptr);

    bool matches(QStringView text) const;
    bool matchesUtf8(const char* text, int length) const;

private:
    struct Range {
        char32_t low;
        char32_t high;
    };
    struct Token {
        enum Kind { AnyRun, One, Literal, Set };
        Kind kind;
        char32_t literal = 0; // folded, for Literal
        int firstRange = 0;   // for Set: its ranges in m_ranges
        int rangeCount = 0;
        bool negated = false;
    };

    bool matchesFolded(const std::vector<char32_t>& text) const;
    bool inSet(const Token& token, char32_t folded) const;

    std::vector<Token> m_tokens;
    std::vector<Range> m_ranges;
};

inline const char* const kInvalidPatternMessage = "Invalid pattern string";
