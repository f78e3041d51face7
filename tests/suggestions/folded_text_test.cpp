#include <gtest/gtest.h>

#include "suggestions/folded_text.h"
#include "suggestions/suggestion_rank.h"

namespace lirabo {
namespace {

TEST(FoldedTextTest, CharactersAreFoldedWholeAfterComposing)
{
    const struct {
        std::string Utf8;
        std::u32string Folded;
    } cases[] = {
        {"\xC3\x84rger", U"\u00E4rger"},   // Ärger: one character, folded
        {"A\xCC\x88rger", U"\u00E4rger"},  // A + combining diaeresis, composed first
        {"\xCE\xA3\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1", U"\u03C3\u03BF\u03C6\u03AF\u03B1"},  // Σοφία
        {"\xD0\x96\xD0\x98\xD0\x97\xD0\x9D\xD0\xAC", U"\u0436\u0438\u0437\u043D\u044C"},  // ЖИЗНЬ
        {"\xE5\xAE\xB6\xF0\x9F\x98\x80", U"\u5BB6\U0001F600"},  // three- and four-byte characters
        {"a\xFF"
         "b",
         U"a\uFFFDb"},  // a stray byte is one replacement character
        {"", U""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Folded, FoldedCharacters(c.Utf8)) << c.Utf8;
}

TEST(FoldedTextTest, FoldingIntoABufferStopsPastItsCapacity)
{
    char32_t out[4];
    EXPECT_EQ(4u, FoldCharacters("ABCD", out, 4));
    EXPECT_EQ(std::u32string(U"abcd"), std::u32string(out, 4));
    EXPECT_EQ(5u, FoldCharacters("ABCDE", out, 4)) << "too long: capacity plus one, nothing written past it";
    EXPECT_EQ(0u, FoldCharacters("", out, 4));
}

TEST(FoldedTextTest, BaseLettersDropOnlyCombiningMarks)
{
    const struct {
        char32_t Folded;
        char32_t Base;
    } cases[] = {
        {U'\u00E9', U'e'},       // é
        {U'\u01D6', U'u'},       // ǖ: two marks
        {U'\u03CE', U'\u03C9'},  // ώ -> ω
        {U'\u0439', U'\u0438'},  // й -> и
        {U'\u00E5', U'a'},       // å
        {U'\u00DF', U'\u00DF'},  // ß is a letter of its own
        {U'\u00F8', U'\u00F8'},  // ø has no decomposition
        {U'\uD55C', U'\uD55C'},  // a Hangul syllable decomposes into letters, not marks
        {U'\u5BB6', U'\u5BB6'}, {U'z', U'z'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<uint32_t>(c.Base), static_cast<uint32_t>(BaseLetter(c.Folded)))
            << std::hex << static_cast<uint32_t>(c.Folded);
}

TEST(FoldedTextTest, RankMeasuresAccentsAndBeginningsOnBaseLetters)
{
    const struct {
        std::u32string Word;
        std::u32string Candidate;
        int Distance;
        TSuggestionRank Expected;
    } cases[] = {
        {U"recieve", U"receive", 1, {1, 1, 3, 0}},
        {U"recieve", U"relieve", 1, {1, 1, 2, 0}},
        {U"uber", U"\u00FCber", 1, {1, 0, 4, 0}},  // the accent left off costs nothing as base letters
        {U"\u00FCber", U"uberx", 2, {2, 1, 4, 1}},
        {U"strasse", U"stra\u00DFe", 2, {2, 2, 4, 1}},  // ß is no accented s
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Expected, TSuggestionRank::Of(c.Word, BaseLetters(c.Word), c.Candidate, c.Distance))
            << std::string(c.Candidate.begin(), c.Candidate.end()).size();
}

}  // namespace
}  // namespace lirabo
