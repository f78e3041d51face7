#pragma once

#include <cstdint>
#include <string_view>
#include <type_traits>

namespace lirabo::test {

template <typename Char>
uint32_t ReferenceValue(Char C)
{
    return static_cast<std::make_unsigned_t<Char>>(C);
}

// A direct, recursive transcription of the matching procedure, exponential
// on purpose: the model that the compiled matcher must agree with. Both
// strings are upper-cased (bytes) or folded (characters) already. A set
// left open at the pattern's end matches nothing.
template <typename Char>
bool ReferenceMatch(std::basic_string_view<Char> Text, size_t T, std::basic_string_view<Char> Pattern, size_t P)
{
    for (;;) {
        if (P >= Pattern.size())
            return T >= Text.size();
        const uint32_t ch = ReferenceValue(Pattern[P++]);
        if (ch == '*') {
            for (size_t k = T; k <= Text.size(); ++k)
                if (ReferenceMatch(Text, k, Pattern, P))
                    return true;
            return false;
        }
        if (ch == '?') {
            if (T >= Text.size())
                return false;
            ++T;
            continue;
        }
        if (ch == '[') {
            if (T >= Text.size())
                return false;
            const uint32_t t = ReferenceValue(Text[T++]);
            uint32_t previous = 0;
            for (;;) {
                if (P >= Pattern.size())
                    return false;
                const uint32_t b = ReferenceValue(Pattern[P]);
                if (b == ']')
                    return false;
                if (b == '-') {
                    if (P + 1 >= Pattern.size() || Pattern[P + 1] == ']')
                        return false;
                    const uint32_t bound = ReferenceValue(Pattern[P + 1]);
                    ++P;
                    if (previous <= t && t <= bound)
                        break;
                    previous = bound;
                    if (bound == t)
                        break;
                    continue;
                }
                previous = b;
                if (b == t)
                    break;
                ++P;
            }
            // A hit: skip the rest of the set up to and including its `]`.
            ++P;
            while (P < Pattern.size() && Pattern[P] != ']')
                ++P;
            if (P >= Pattern.size())
                return false;
            ++P;
            continue;
        }
        if (T < Text.size() && ReferenceValue(Text[T]) == ch) {
            ++T;
            continue;
        }
        return false;
    }
}

inline bool ReferenceMatch(std::string_view Text, std::string_view Pattern)
{
    return ReferenceMatch(Text, 0, Pattern, 0);
}

inline bool ReferenceMatch(std::u32string_view Text, std::u32string_view Pattern)
{
    return ReferenceMatch(Text, 0, Pattern, 0);
}

}  // namespace lirabo::test
