#include "suggestions/osa_pattern.h"

#include <algorithm>

namespace lirabo {

TOsaPattern::TOsaPattern(std::u32string_view Word) : FLength(std::min(Word.size(), kMaxLength))
{
    for (size_t i = 0; i < FLength; ++i) {
        const char32_t c = Word[i];
        const uint64_t bit = uint64_t{1} << i;
        if (c < kTableUnits) {
            FTable[c] |= bit;
            continue;
        }
        const auto at = std::lower_bound(FOthers.begin(), FOthers.end(), c,
                                         [](const auto& Entry, char32_t Key) { return Entry.first < Key; });
        if (at != FOthers.end() && at->first == c)
            at->second |= bit;
        else
            FOthers.insert(at, {c, bit});
    }
}

uint64_t TOsaPattern::Rows(char32_t C) const
{
    if (C < kTableUnits)
        return FTable[C];
    const auto at = std::lower_bound(FOthers.begin(), FOthers.end(), C,
                                     [](const auto& Entry, char32_t Key) { return Entry.first < Key; });
    return at != FOthers.end() && at->first == C ? at->second : 0;
}

int TOsaPattern::Distance(const char32_t* Text, size_t Length, int Limit) const
{
    if (FLength == 0)
        return static_cast<int>(Length) <= Limit ? static_cast<int>(Length) : Limit + 1;
    // The column of the distance table is kept as its vertical steps: VP
    // marks rows one more than the row above, VN rows one less. D0 marks the
    // rows whose diagonal step is zero; a swap is possible where the previous
    // column matched the row below and this one the row above.
    uint64_t vp = ~uint64_t{0};
    uint64_t vn = 0;
    uint64_t d0 = 0;
    uint64_t previousRows = 0;
    const uint64_t last = uint64_t{1} << (FLength - 1);
    int score = static_cast<int>(FLength);
    for (size_t j = 0; j < Length; ++j) {
        const uint64_t rows = Rows(Text[j]);
        const uint64_t swap = ((~d0 & rows) << 1) & previousRows;
        d0 = (((rows & vp) + vp) ^ vp) | rows | vn | swap;
        uint64_t hp = vn | ~(d0 | vp);
        uint64_t hn = d0 & vp;
        if (hp & last)
            ++score;
        else if (hn & last)
            --score;
        // Each remaining character lowers the last row by one at most.
        if (score - static_cast<int>(Length - j - 1) > Limit)
            return Limit + 1;
        hp = (hp << 1) | 1;
        hn <<= 1;
        vp = hn | ~(d0 | hp);
        vn = hp & d0;
        previousRows = rows;
    }
    return score <= Limit ? score : Limit + 1;
}

}  // namespace lirabo
