#include "suggestions/suggestion_rank.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "suggestions/folded_text.h"

namespace lirabo {

TSuggestionRank TSuggestionRank::Of(std::u32string_view Word, std::u32string_view WordBase,
                                    std::u32string_view Candidate, int Distance)
{
    const std::u32string base = BaseLetters(Candidate);
    TSuggestionRank rank;
    rank.Distance = Distance;
    rank.BaseDistance = OsaDistance(WordBase, base);
    const auto mismatch = std::mismatch(WordBase.begin(), WordBase.end(), base.begin(), base.end());
    rank.CommonBeginning = static_cast<int>(mismatch.first - WordBase.begin());
    rank.LengthGap = std::abs(static_cast<int>(Candidate.size()) - static_cast<int>(Word.size()));
    return rank;
}

std::weak_ordering TSuggestionRank::operator<=>(const TSuggestionRank& Other) const
{
    if (Distance != Other.Distance)
        return Distance <=> Other.Distance;
    if (BaseDistance != Other.BaseDistance)
        return BaseDistance <=> Other.BaseDistance;
    if (CommonBeginning != Other.CommonBeginning)
        return Other.CommonBeginning <=> CommonBeginning;  // more shared first
    return LengthGap <=> Other.LengthGap;
}

int OsaDistance(std::u32string_view A, std::u32string_view B)
{
    const size_t m = A.size();
    const size_t n = B.size();
    // Three rows of the table: the swap looks two rows back.
    std::vector<int> before(n + 1), above(n + 1), row(n + 1);
    for (size_t j = 0; j <= n; ++j)
        above[j] = static_cast<int>(j);
    for (size_t i = 1; i <= m; ++i) {
        row[0] = static_cast<int>(i);
        for (size_t j = 1; j <= n; ++j) {
            const int cost = A[i - 1] == B[j - 1] ? 0 : 1;
            row[j] = std::min({above[j] + 1, row[j - 1] + 1, above[j - 1] + cost});
            if (i > 1 && j > 1 && A[i - 1] == B[j - 2] && A[i - 2] == B[j - 1])
                row[j] = std::min(row[j], before[j - 2] + 1);
        }
        std::swap(before, above);
        std::swap(above, row);
    }
    return above[n];
}

}  // namespace lirabo
