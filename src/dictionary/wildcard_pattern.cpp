#include "dictionary/wildcard_pattern.h"

#include "dictionary/utf8_text.h"
#include "dictionary/word_order.h"

namespace lirabo {

namespace {

enum class SetResult { Hit, Miss };

template <typename Text>
uint32_t ValueAt(const Text& Pattern, size_t i)
{
    if constexpr (sizeof(Pattern[i]) == 1)
        return static_cast<unsigned char>(Pattern[i]);
    else
        return static_cast<uint32_t>(Pattern[i]);
}

// The reading rules of a set for one text byte or character T, starting
// after the `[`.
template <typename Text>
SetResult ReadSet(const Text& Pattern, size_t Position, uint32_t T)
{
    uint32_t previous = 0;
    size_t i = Position;
    while (i < Pattern.size()) {
        const uint32_t b = ValueAt(Pattern, i);
        if (b == ']')
            return SetResult::Miss;
        if (b == '-') {
            if (i + 1 >= Pattern.size() || Pattern[i + 1] == ']')
                return SetResult::Miss;
            const uint32_t bound = ValueAt(Pattern, i + 1);
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

// Greedy matching with a single backtrack point: the last star seen. A later
// star makes every earlier choice final, so this is exact.
template <typename IsStar, typename Accepts>
bool MatchGreedy(size_t TextSize, size_t TokenCount, IsStar&& Star, Accepts&& Accept)
{
    size_t t = 0;
    size_t p = 0;
    size_t starToken = SIZE_MAX;
    size_t starText = 0;
    while (t < TextSize) {
        if (p < TokenCount && Star(p)) {
            starToken = p++;
            starText = t;
        } else if (p < TokenCount && Accept(p, t)) {
            ++p;
            ++t;
        } else if (starToken != SIZE_MAX) {
            p = starToken + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < TokenCount && Star(p))
        ++p;
    return p == TokenCount;
}

void AppendFoldedUnits(std::u32string& Out, std::string_view Text)
{
    size_t i = 0;
    while (i < Text.size())
        Out.push_back(FoldUnit(NextUnit(Text, i)));
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

TWildcardPattern::TWildcardPattern(std::string_view Pattern, TTextEncoding Encoding)
    : FUtf8(Encoding == TTextEncoding::Utf8)
{
    if (FUtf8)
        CompileUnits(Pattern);
    else
        *this = TWildcardPattern(UpperCaseAscii(Pattern));
}

void TWildcardPattern::CompileUnits(std::string_view Pattern)
{
    std::u32string units;
    AppendFoldedUnits(units, NormalizeNfc(Pattern));
    size_t i = 0;
    while (i < units.size()) {
        const char32_t c = units[i];
        UnitToken token;
        if (c == '*') {
            if (FUnitTokens.empty() || FUnitTokens.back().Kind != UnitToken::Star) {
                token.Kind = UnitToken::Star;
                FUnitTokens.push_back(token);
            }
            ++i;
            continue;
        }
        if (c == '?') {
            token.Kind = UnitToken::Any;
            ++i;
        } else if (c == '[') {
            const size_t close = units.find(U']', i + 1);
            if (close == std::u32string::npos) {
                token.Kind = UnitToken::Nothing;
                i = units.size();
            } else {
                token.Kind = UnitToken::Set;
                token.Units = units.substr(i + 1, close - i);  // the `]` included
                i = close + 1;
            }
        } else {
            token.Units.assign(1, c);
            ++i;
        }
        FUnitTokens.push_back(std::move(token));
    }
}

bool TWildcardPattern::Matches(std::string_view Text) const
{
    if (FUtf8) {
        thread_local std::u32string units;
        units.clear();
        AppendFoldedUnits(units, Text);
        return MatchesUnits(units);
    }
    return MatchGreedy(
        Text.size(), FTokens.size(), [&](size_t p) { return FTokens[p].Star; },
        [&](size_t p, size_t t) { return FTokens[p].Bytes[static_cast<unsigned char>(Text[t])]; });
}

bool TWildcardPattern::MatchesUnits(std::u32string_view Text) const
{
    const auto star = [&](size_t p) { return FUnitTokens[p].Kind == UnitToken::Star; };
    const auto accept = [&](size_t p, size_t t) {
        const UnitToken& token = FUnitTokens[p];
        switch (token.Kind) {
            case UnitToken::Any:
                return true;
            case UnitToken::One:
                return token.Units[0] == Text[t];
            case UnitToken::Set:
                return ReadSet(token.Units, 0, static_cast<uint32_t>(Text[t])) == SetResult::Hit;
            default:
                return false;
        }
    };
    return MatchGreedy(Text.size(), FUnitTokens.size(), star, accept);
}

bool TWildcardPattern::BytesAt(size_t Index, std::bitset<256>& Bytes) const
{
    if (FUtf8)
        return false;
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
