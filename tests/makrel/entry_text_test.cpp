#include <gtest/gtest.h>

#include <string>

#include "makrel/core/ansi_transliterator.h"
#include "makrel/core/entry_text.h"

namespace makrel {
namespace {

struct TCase {
    std::string Input;
    bool KeepLineBreaks;
    std::string Expected;
    size_t Changed;
};

TEST(EntryTextTest, ControlsBecomeSpacesBreaksOrNothingAndEveryOtherCharacterStays)
{
    const TCase cases[] = {
        {"a\tb", false, "a b", 0},
        {"a\nb\r\nc\rd\xE2\x80\xA8x\xE2\x80\xA9y", true, "a\rb\rc\rd\rx\ry", 0},
        {"a\nb\r\nc\rd\xE2\x80\xA8x\xE2\x80\xA9y", false, "a b c d x y", 0},
        {"\r\n\r\n", true, "\r\r", 0},  // each CR LF one break, even at the end
        {"x\x01\x02\x0F\x10\x1F\x7Fy", false, "xy", 6},
        {std::string("a\0b", 3), false, "ab", 1},
        // C1 controls and bytes that are not UTF-8 are Windows-1252 bytes.
        {"a\xC2\x85z", false, "a\xE2\x80\xA6z", 1},
        {"\xC2\x80\xC2\x9F", false, "\xE2\x82\xAC\xC5\xB8", 2},
        {"caf\xE9 \x80", false, "caf\xC3\xA9 \xE2\x82\xAC", 2},
        {"\xE2\x82", false, "\xC3\xA2\xE2\x80\x9A", 2},  // a sequence cut short: two bytes
        {"\x81\xC2\x8D|\x9D", false, "|", 3},            // undefined in the code page: gone
        {"\xEF\xBB\xBFword", false, "word", 1},          // a byte-order mark
        // Scripts, IPA and marks as they are.
        {"\xC5\x81\xC3\xB3\x64\xC5\xBA \xCE\xBB\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x82 \xD1\x81\xD0\xBB\xD0\xBE\xD0\xB2"
         "\xD0\xBE \xE8\xA8\x80\xE8\x91\x89 /\xCB\x88\xCA\x83\xC9\xAAp/ \xF0\x9F\x98\x80",
         false,
         "\xC5\x81\xC3\xB3\x64\xC5\xBA \xCE\xBB\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x82 \xD1\x81\xD0\xBB\xD0\xBE\xD0\xB2"
         "\xD0\xBE \xE8\xA8\x80\xE8\x91\x89 /\xCB\x88\xCA\x83\xC9\xAAp/ \xF0\x9F\x98\x80",
         0},
        // Joiners, non-joiners and direction marks shape the text around them.
        {"\xD9\x85\xDB\x8C\xE2\x80\x8C\xD8\xAE\xD9\x88\xD8\xA7\xD9\x87\xD9\x85", false,
         "\xD9\x85\xDB\x8C\xE2\x80\x8C\xD8\xAE\xD9\x88\xD8\xA7\xD9\x87\xD9\x85", 0},
        {"\xE0\xA4\x95\xE0\xA5\x8D\xE2\x80\x8D \xE2\x80\x8E\xE2\x80\x8B", false,
         "\xE0\xA4\x95\xE0\xA5\x8D\xE2\x80\x8D \xE2\x80\x8E\xE2\x80\x8B", 0},
        // Decomposed letters are composed, as searches compose what they look for.
        {"e\xCC\x81 A\xCC\x8A\xEF\xA4\x80", false, "\xC3\xA9 \xC3\x85\xE8\xB1\x88", 0},
        {"y\xCC\x86", false, "y\xCC\x86", 0},  // no composed letter: kept as it is
    };
    for (const TCase& c : cases) {
        TEntryText text;
        EXPECT_EQ(c.Expected, text.Convert(c.Input, c.KeepLineBreaks)) << c.Input;
        EXPECT_EQ(c.Changed, text.Changed()) << c.Input;
    }
}

TEST(EntryTextTest, AppendComposesOnlyWhatItAppends)
{
    TEntryText text;
    std::string out = "e";  // a base letter already written stays as it is
    text.Append(out, "\xCC\x81\t\x01");
    EXPECT_EQ("e\xCC\x81 ", out);
    EXPECT_EQ("e\xCC\x81", TEntryText(false).Convert("e\xCC\x81"));
}

// The transliterator takes its control rules from the entry text and counts
// what they change as replaced; its own rules apply to the rest.
TEST(EntryTextTest, TheTransliteratorSharesTheControlRules)
{
    const TCase cases[] = {
        {"a\tb\nc\r\nd", true, "a b\rc\rd", 0},
        {"x\x01\x7F\xEF\xBB\xBFy", false, "xy", 3},
        {"a\xC2\x85z\xE9", false, "a\x85z\xE9", 2},
        {"\xD9\x85\xE2\x80\x8C\xD9\x85", false, "??", 3},  // no joiner in Windows-1252
    };
    for (const TCase& c : cases) {
        TAnsiTransliterator t;
        EXPECT_EQ(c.Expected, t.Convert(c.Input, c.KeepLineBreaks)) << c.Input;
        EXPECT_EQ(c.Changed, t.Replaced()) << c.Input;
    }
}

}  // namespace
}  // namespace makrel
