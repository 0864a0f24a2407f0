#pragma once

#include <QList>
#include <QString>

#include <optional>
#include <vector>

namespace dao::detail
{

// The LIKE of the old engine: * any run, ? one character, # one digit,
// [abc] [a-z] [!abc] one character of (or not of) a set; % and _ are plain
// characters. Letters compare without regard to case.
class LikePattern
{
public:
    // nullopt for a malformed pattern (an unclosed '[').
    static std::optional<LikePattern> Compile(const QString &pattern);
    bool Matches(const QString &text) const;

private:
    enum class Kind { Literal, AnyRun, AnyOne, Digit, Set };
    struct Token {
        Kind kind = Kind::Literal;
        char32_t folded = 0;
        bool negated = false;
        std::vector<std::pair<quint32, quint32>> ranges; // collation keys
    };
    bool matchesAt(const Token &token, char32_t c) const;

    std::vector<Token> tokens_;
};

} // namespace dao::detail
