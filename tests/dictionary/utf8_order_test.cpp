#include <gtest/gtest.h>

#include <random>

#include "dictionary/exceptions.h"
#include "dictionary/text_encoding.h"
#include "dictionary/text_rule.h"
#include "dictionary/utf8_text.h"
#include "dictionary/wildcard_pattern.h"
#include "dictionary/word_order.h"
#include "utf8_model.h"
#include "wildcard_reference.h"

namespace lirabo {
namespace {

using test::ModelCompare;
using test::ModelUnits;
using test::RandomText;
using test::Sign;

TEST(Utf8OrderTest, ComparisonAgreesWithTheModel)
{
    std::mt19937 random(27);
    for (int i = 0; i < 100000; ++i) {
        const std::string a = RandomText(random, 5);
        const std::string b = i % 4 == 0 ? a + RandomText(random, 2) : RandomText(random, 5);
        ASSERT_EQ(ModelCompare(a, b), Sign(CompareUtf8Words(a, b))) << "'" << a << "' '" << b << "'";
        ASSERT_EQ(ModelUnits(b).starts_with(ModelUnits(a)), Utf8StartsWith(b, a)) << "'" << a << "' '" << b << "'";
    }
}

// What the section keys promise the lookup: a key below the search text's
// prefix means the section's first headword sorts below the text, a key
// above it that the headword does not sort below; and keys of sorted
// headwords never descend, so they can be bisected.
TEST(Utf8OrderTest, SectionKeysAgreeWithTheOrder)
{
    const TTextRule rule(TTextEncoding::Utf8);
    std::mt19937 random(28);
    int certain = 0;
    for (int i = 0; i < 100000; ++i) {
        const std::string headword = RandomText(random, 5);
        const std::string text = i % 3 == 0 ? headword.substr(0, random() % (headword.size() + 1)) + RandomText(random, 2)
                                            : RandomText(random, 5);
        const auto key = rule.SectionKey(headword);
        const int byKey = rule.CompareKey(rule.KeyPrefix(text), key);
        const int exact = ModelCompare(text, headword);
        if (byKey != 0) {
            ++certain;
            if (byKey > 0)
                ASSERT_GT(exact, 0) << "text '" << text << "' headword '" << headword << "'";
            else
                ASSERT_LE(exact, 0) << "text '" << text << "' headword '" << headword << "'";
        }
        const std::string other = RandomText(random, 5);
        if (ModelCompare(headword, other) <= 0)
            ASSERT_LE(rule.CompareKey(KeyView(key), rule.SectionKey(other)), 0) << "'" << headword << "' '" << other << "'";
    }
    EXPECT_GT(certain, 50000) << "keys must decide most comparisons";
}

TEST(Utf8OrderTest, NamedCases)
{
    const TTextRule rule(TTextEncoding::Utf8);
    struct Case {
        const char* A;
        const char* B;
        int Expected;
    };
    const Case cases[] = {
        {"\u03C3\u03C0\u03AF\u03C4\u03B9", "\u03A3\u03A0\u038A\u03A4\u0399", 0},  // σπίτι, ΣΠΊΤΙ
        {"\u03C2", "\u03A3", 0},                                                 // final sigma folds to σ
        {"\u017C\u00F3\u0142w", "\u017B\u00D3\u0141W", 0},                       // żółw, ŻÓŁW
        {"stra\u00DFe", "STRASSE", 1},                                           // simple folding keeps ß
        {"\u1E9E", "\u00DF", 0},                                                 // capital sharp s
        {"\u212A", "k", 0},
        {"\u017F", "S", 0},
        {"\u0130", "i", 1},                                                      // İ has no simple folding
        {"_", "a", -1},                                                          // folded to small letters
        {"\x80", "\U0001F600", 1},                                               // a bad byte after every character
        {"\xFF", "\x80", 1},
        {"ab", "abc", -1},
        {"", "", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.Expected, Sign(rule.Compare(c.A, c.B))) << c.A << " / " << c.B;
    EXPECT_EQ(0, rule.Compare(rule.Prepare("e\u0301t\u00E9"), "\u00E9T\u00C9")) << "search text in NFC";
    EXPECT_EQ("e\u0301", TTextRule().Prepare("e\u0301")) << "Windows-1252 text is left alone";
    EXPECT_NE(0, TTextRule().Compare("\xE4", "\xC4")) << "the Windows-1252 rule is unchanged";
}

TEST(Utf8OrderTest, WildcardsMatchWholeFoldedCharacters)
{
    std::mt19937 random(29);
    const std::vector<std::string> patternPieces = {"*", "?", "[", "]", "-", "a", "A", "\u03C3", "\u03A3",
                                                    "\u5BB6", "\u0416", "\x80", "\u00DF"};
    const std::vector<std::string> textPieces = {"a", "\u03C2", "\u03C3", "\u5BB6", "\u0436", "\x80", "\u00DF", "-", "]"};
    int matches = 0;
    for (int i = 0; i < 100000; ++i) {
        const std::string pattern = RandomText(random, 6, patternPieces);
        const std::string text = RandomText(random, 5, textPieces);
        const bool expected = test::ReferenceMatch(ModelUnits(text), ModelUnits(NormalizeNfc(pattern)));
        matches += expected;
        ASSERT_EQ(expected, TWildcardPattern(pattern, TTextEncoding::Utf8).Matches(text))
            << "text '" << text << "' pattern '" << pattern << "'";
    }
    EXPECT_GT(matches, 2000);

    struct Case {
        const char* Pattern;
        const char* Text;
        bool Expected;
    };
    const Case cases[] = {
        {"???", "\u5BB6\u65E5\u5BB6", true},                 // ? is one character, not one byte
        {"??", "e\u0301", true},                              // an unnormalised text keeps its two characters
        {"?", "\u00E9", true},
        {"e\u0301", "\u00C9", true},                          // the pattern is brought to NFC
        {"[\u03B1-\u03C9]*", "\u03A3\u03C0\u03AF\u03C4\u03B9", true},  // a range of Greek letters, any case
        {"[a-z]", "\u00E4", false},
        {"\u017C*", "\u017B\u00D3\u0141W", true},
        {"*\x80", "a\x80", true},                             // a bad byte matches itself
        {"[\u03C3", "\u03C3", false},                          // an open set matches nothing
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.Expected, TWildcardPattern(c.Pattern, TTextEncoding::Utf8).Matches(c.Text))
            << c.Pattern << " / " << c.Text;
}

TEST(Utf8TextTest, BoundariesInvalidBytesAndNormalForm)
{
    struct Cut {
        std::string Text;
        size_t Limit;
        size_t Expected;
    };
    const Cut cuts[] = {
        {"ab", 5, 2},
        {"a\u00E9", 2, 1},              // inside é
        {"a\u00E9", 3, 3},
        {"\u5BB6\u5BB6", 4, 3},          // inside the second 家
        {"\U0001F600", 3, 0},
        {"a\x80\x80", 2, 2},             // stray continuation bytes are units of their own
        {"\xE2\x82x", 1, 1},             // a truncated sequence is not a character
    };
    for (const Cut& c : cuts)
        EXPECT_EQ(c.Expected, Utf8Boundary(c.Text, c.Limit)) << c.Text << " at " << c.Limit;

    struct Invalid {
        std::string Text;
        size_t Offset;
        std::string Showable;
    };
    const Invalid invalid[] = {
        {"\u017C\u00F3\u0142w", std::string::npos, "\u017C\u00F3\u0142w"},
        {"a\x80" "b", 1, "a\uFFFD" "b"},
        {"\xC0\xAF", 0, "\uFFFD\uFFFD"},           // overlong
        {"\xED\xA0\x80", 0, "\uFFFD\uFFFD\uFFFD"},  // a surrogate
        {"x\xE2\x82", 1, "x\uFFFD\uFFFD"},
    };
    for (const Invalid& c : invalid) {
        EXPECT_EQ(c.Offset, FindInvalidUtf8(c.Text)) << c.Text;
        EXPECT_EQ(c.Showable, ShowableUtf8(c.Text)) << c.Text;
    }

    EXPECT_EQ("\u00E9", NormalizeNfc("e\u0301"));
    EXPECT_EQ("\u1E69", NormalizeNfc("s\u0323\u0307")) << "marks reordered and composed";
    EXPECT_EQ("e\u0301\x80", NormalizeNfc("e\u0301\x80")) << "malformed text is kept byte for byte";
    EXPECT_EQ("plain", NormalizeNfc("plain"));
}

TEST(TextWordTest, OnlyTaggedValuesCountAndUnknownEncodingsAreRefused)
{
    const TTextDescription plain;
    for (const int32_t untagged : {0, 1, 1024, 65535, -1, -2, -65536, INT32_MIN, INT32_MAX, 0x0C0D0000,
                                   static_cast<int32_t>(0xC0C10000u), static_cast<int32_t>(0xC0E00101u)})
        EXPECT_EQ(plain, DescribeText(untagged)) << untagged;

    struct RoundTrip {
        TTextDescription Description;
        uint32_t Word;
    };
    const RoundTrip trips[] = {
        {{TTextEncoding::Windows1252, "", ""}, 0},
        {{TTextEncoding::Utf8, "", ""}, 0xC0D10000u},
        {{TTextEncoding::Utf8, "pl", "en"}, 0xC0D10000u | 129u << 8 | 38u},
        {{TTextEncoding::Windows1252, "de", "en"}, 0xC0D00000u | 33u << 8 | 38u},
        {{TTextEncoding::Utf8, "zu", "aa"}, 0xC0D10000u | 184u << 8 | 1u},
    };
    for (const RoundTrip& t : trips) {
        EXPECT_EQ(t.Word, static_cast<uint32_t>(TextWord(t.Description))) << t.Description.HeadwordLanguage;
        EXPECT_EQ(t.Description, DescribeText(static_cast<int32_t>(t.Word)));
    }
    EXPECT_EQ("", DescribeText(static_cast<int32_t>(0xC0D1FF00u)).HeadwordLanguage) << "a newer code reads as unknown";
    EXPECT_THROW(DescribeText(static_cast<int32_t>(0xC0D20000u)), EInvalidDictionary);
    EXPECT_THROW(DescribeText(static_cast<int32_t>(0xC0DF0000u)), EInvalidDictionary);
    EXPECT_THROW(TextWord({TTextEncoding::Utf8, "xx", ""}), std::invalid_argument);
    EXPECT_THROW(TextWord({TTextEncoding::Utf8, "EN", ""}), std::invalid_argument);
    EXPECT_TRUE(IsLanguageCode("el"));
    EXPECT_FALSE(IsLanguageCode("ell"));
}

}  // namespace
}  // namespace lirabo
