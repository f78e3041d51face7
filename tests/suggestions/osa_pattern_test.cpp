#include <gtest/gtest.h>

#include <random>

#include "distance_model.h"
#include "suggestions/osa_pattern.h"

namespace lirabo {
namespace {

// Characters below and above the pattern's table, so both lookups are used.
const std::u32string kAlphabet = U"abcé\u03C3\u0436\u5BB6\u4EBA\U0001F600";

std::u32string RandomWord(std::mt19937& Random, size_t MaxLength)
{
    std::u32string word;
    for (size_t n = Random() % (MaxLength + 1); n > 0; --n)
        word.push_back(kAlphabet[Random() % kAlphabet.size()]);
    return word;
}

TEST(OsaPatternTest, DistancesAgreeWithTheModelUpToSixtyFourCharacters)
{
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        // Long patterns reach the last bit of the machine word; short texts
        // against them, and the other way round.
        const size_t longest = round % 3 == 0 ? TOsaPattern::kMaxLength : 8;
        std::u32string pattern = RandomWord(random, longest);
        if (pattern.empty())
            pattern.push_back(U'a');
        std::u32string text = RandomWord(random, longest + 2);
        // Near copies, so that small distances and swaps occur often.
        if (round % 2 == 0) {
            text = pattern;
            for (int edits = static_cast<int>(random() % 4); edits > 0 && !text.empty(); --edits) {
                const size_t at = random() % text.size();
                if (random() % 2 == 0 && at + 1 < text.size())
                    std::swap(text[at], text[at + 1]);
                else
                    text[at] = kAlphabet[random() % kAlphabet.size()];
            }
        }
        const int expected = test::ModelDistance(pattern, text);
        const TOsaPattern compiled(pattern);
        const int limit = static_cast<int>(random() % 5);
        const int found = compiled.Distance(text.data(), text.size(), limit);
        if (expected <= limit)
            EXPECT_EQ(expected, found) << "round " << round;
        else
            EXPECT_EQ(limit + 1, found) << "round " << round;
        EXPECT_EQ(expected, compiled.Distance(text.data(), text.size(), 200)) << "round " << round;
    }
}

TEST(OsaPatternTest, KnownDistances)
{
    struct Case {
        std::u32string Pattern;
        std::u32string Text;
        int Limit;
        int Expected;
    };
    const Case cases[] = {
        {U"recieve", U"receive", 2, 1},  // one swap
        {U"ca", U"abc", 5, 3},           // optimal string alignment edits nothing twice
        {U"abc", U"abc", 2, 0},
        {U"abc", U"", 5, 3},
        {U"a", U"bbbbbb", 2, 3},  // past the limit: the limit plus one
        {U"\u5BB6\u4EBA", U"\u4EBA\u5BB6", 2, 1},
        {U"\U0001F600x", U"x\U0001F600", 1, 1},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const TOsaPattern pattern(c.Pattern);
        EXPECT_EQ(c.Expected, pattern.Distance(c.Text.data(), c.Text.size(), c.Limit)) << "case " << i;
    }
}

}  // namespace
}  // namespace lirabo
