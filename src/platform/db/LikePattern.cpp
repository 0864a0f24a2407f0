#include "LikePattern.h"

#include "PolishCollation.h"

namespace dao::detail
{

std::optional<LikePattern> LikePattern::Compile(const QString &pattern)
{
    const QList<uint> chars = pattern.toUcs4();
    LikePattern like;
    for (qsizetype i = 0; i < chars.size(); ++i) {
        const char32_t c = chars.at(i);
        Token token;
        if (c == U'*') {
            if (!like.tokens_.empty() && like.tokens_.back().kind == Kind::AnyRun)
                continue;
            token.kind = Kind::AnyRun;
        } else if (c == U'?') {
            token.kind = Kind::AnyOne;
        } else if (c == U'#') {
            token.kind = Kind::Digit;
        } else if (c == U'[') {
            qsizetype j = i + 1;
            token.kind = Kind::Set;
            if (j < chars.size() && chars.at(j) == U'!') {
                token.negated = true;
                ++j;
            }
            const qsizetype first = j;
            // A ']' right after the opening is a member, as in the old engine.
            while (j < chars.size() && (chars.at(j) != U']' || j == first))
                ++j;
            if (j >= chars.size())
                return std::nullopt;
            for (qsizetype k = first; k < j; ++k) {
                const quint32 low = PolishCollation::Key(chars.at(k));
                if (k + 2 < j && chars.at(k + 1) == U'-') {
                    token.ranges.emplace_back(low, PolishCollation::Key(chars.at(k + 2)));
                    k += 2;
                } else {
                    token.ranges.emplace_back(low, low);
                }
            }
            i = j;
        } else {
            token.folded = PolishCollation::Fold(c);
        }
        like.tokens_.push_back(std::move(token));
    }
    return like;
}

bool LikePattern::matchesAt(const Token &token, char32_t c) const
{
    switch (token.kind) {
    case Kind::Literal:
        return PolishCollation::Fold(c) == token.folded;
    case Kind::AnyOne:
        return true;
    case Kind::Digit:
        return c >= U'0' && c <= U'9';
    case Kind::Set: {
        const quint32 key = PolishCollation::Key(c);
        bool member = false;
        for (const auto &[low, high] : token.ranges)
            member = member || (key >= low && key <= high);
        return member != token.negated;
    }
    case Kind::AnyRun:
        break;
    }
    return false;
}

bool LikePattern::Matches(const QString &text) const
{
    const QList<uint> chars = text.toUcs4();
    // Greedy match that returns to the last '*' on a mismatch; every other
    // token takes exactly one character, so this is complete.
    size_t t = 0;
    qsizetype s = 0;
    size_t starToken = size_t(-1);
    qsizetype starText = 0;
    while (s < chars.size()) {
        if (t < tokens_.size() && tokens_[t].kind == Kind::AnyRun) {
            starToken = t++;
            starText = s;
        } else if (t < tokens_.size() && matchesAt(tokens_[t], chars.at(s))) {
            ++t;
            ++s;
        } else if (starToken != size_t(-1)) {
            t = starToken + 1;
            s = ++starText;
        } else {
            return false;
        }
    }
    while (t < tokens_.size() && tokens_[t].kind == Kind::AnyRun)
        ++t;
    return t == tokens_.size();
}

} // namespace dao::detail
