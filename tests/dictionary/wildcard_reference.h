#pragma once

#include <string_view>

namespace lirabo::test {

// A direct, recursive transcription of the matching procedure, exponential
// on purpose: the model that the compiled matcher must agree with. Both
// strings are upper-cased already. A set left open at the pattern's end
// matches nothing.
inline bool ReferenceMatch(std::string_view Text, size_t T, std::string_view Pattern, size_t P)
{
    for (;;) {
        if (P >= Pattern.size())
            return T >= Text.size();
        const auto ch = static_cast<unsigned char>(Pattern[P++]);
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
            const auto t = static_cast<unsigned char>(Text[T++]);
            unsigned previous = 0;
            for (;;) {
                if (P >= Pattern.size())
                    return false;
                const auto b = static_cast<unsigned char>(Pattern[P]);
                if (b == ']')
                    return false;
                if (b == '-') {
                    if (P + 1 >= Pattern.size() || Pattern[P + 1] == ']')
                        return false;
                    const auto bound = static_cast<unsigned char>(Pattern[P + 1]);
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
        if (T < Text.size() && static_cast<unsigned char>(Text[T]) == ch) {
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

}  // namespace lirabo::test
