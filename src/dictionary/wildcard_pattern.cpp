#include "dictionary/wildcard_pattern.h"

namespace lirabo {

namespace {

enum class SetResult { Hit, Miss };

// The reading rules of a set for one text byte T, starting after the `[`.
SetResult ReadSet(std::string_view Pattern, size_t Position, unsigned T)
{
    unsigned previous = 0;
    size_t i = Position;
    while (i < Pattern.size()) {
        const auto b = static_cast<unsigned char>(Pattern[i]);
        if (b == ']')
            return SetResult::Miss;
        if (b == '-') {
            if (i + 1 >= Pattern.size() || Pattern[i + 1] == ']')
                return SetResult::Miss;
            const auto bound = static_cast<unsigned char>(Pattern[i + 1]);
            if (previous <= T && T <= bound)
                return SetResult::Hit;
            previous = bound;
            if (bound == T)
                return SetResult::Hit;
            ++i;  // the bound is read again as the next set byte
            continue;
        }
        previous = b;
        if (b == T)
            return SetResult::Hit;
        ++i;
    }
    return SetResult::Miss;
}

}  // namespace

TWildcardPattern::Token TWildcardPattern::CompileSet(std::string_view Pattern, size_t First,
                                                     size_t& Next)
{
    Token token;
    const size_t close = Pattern.find(']', First);
    if (close == std::string_view::npos) {
        // Never read past the end: an unterminated set accepts nothing.
        Next = Pattern.size();
        return token;
    }
    // Reading stops at the first `]`, so every hit continues after it.
    Next = close + 1;
    for (unsigned t = 0; t < 256; ++t)
        token.Bytes[t] = ReadSet(Pattern, First, t) == SetResult::Hit;
    return token;
}

TWildcardPattern::TWildcardPattern(std::string_view Pattern)
{
    size_t i = 0;
    while (i < Pattern.size()) {
        const auto c = static_cast<unsigned char>(Pattern[i]);
        if (c == '*') {
            // Consecutive stars match what one star matches.
            if (FTokens.empty() || !FTokens.back().Star)
                FTokens.push_back(Token{true, {}});
            ++i;
        } else if (c == '?') {
            FTokens.push_back(Token{false, std::bitset<256>().set()});
            ++i;
        } else if (c == '[') {
            FTokens.push_back(CompileSet(Pattern, i + 1, i));
        } else {
            Token token;
            token.Bytes[c] = true;
            FTokens.push_back(token);
            ++i;
        }
    }
}

bool TWildcardPattern::Matches(std::string_view Text) const
{
    // Greedy matching with a single backtrack point: the last star seen.
    // A later star makes every earlier choice final, so this is exact.
    size_t t = 0;
    size_t p = 0;
    size_t starToken = SIZE_MAX;
    size_t starText = 0;
    const size_t m = FTokens.size();
    while (t < Text.size()) {
        if (p < m && FTokens[p].Star) {
            starToken = p++;
            starText = t;
        } else if (p < m && FTokens[p].Bytes[static_cast<unsigned char>(Text[t])]) {
            ++p;
            ++t;
        } else if (starToken != SIZE_MAX) {
            p = starToken + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < m && FTokens[p].Star)
        ++p;
    return p == m;
}

bool TWildcardPattern::BytesAt(size_t Index, std::bitset<256>& Bytes) const
{
    for (size_t i = 0; i <= Index; ++i)
        if (i >= FTokens.size() || FTokens[i].Star)
            return false;
    Bytes = FTokens[Index].Bytes;
    return true;
}

bool WildcardMatch(std::string_view Text, std::string_view Pattern)
{
    return TWildcardPattern(Pattern).Matches(Text);
}

}  // namespace lirabo
