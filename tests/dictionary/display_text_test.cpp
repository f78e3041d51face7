// The border between what the program shows (UTF-8) and what a file holds.

#include <gtest/gtest.h>

#include "dictionary/display_text.h"

namespace lirabo {
namespace {

constexpr TTextEncoding kAnsi = TTextEncoding::Windows1252;
constexpr TTextEncoding kUtf8 = TTextEncoding::Utf8;

TEST(DisplayTextTest, TextReachesAFileOnlyWhenEveryCharacterHasItsPlace)
{
    const struct {
        const char* Name;
        const char* Utf8;
        TTextEncoding Encoding;
        std::string Stored;
        char32_t FirstUnfit;  // 0: it fits
    } cases[] = {
        {"ascii", "house", kAnsi, "house", 0},
        {"Latin-1",
         "Stra\xC3\x9F"
         "e",
         kAnsi,
         "Stra\xDF"
         "e",
         0},
        {"the code page's own", "\xE2\x82\xAC 5", kAnsi, "\x80 5", 0},
        {"decomposed: composed first", "cafe\xCC\x81", kAnsi, "caf\xE9", 0},
        {"mark-up bytes pass",
         "a\x07"
         "b",
         kAnsi,
         "a\x07"
         "b",
         0},
        {"Polish", "\xC5\xBC\xC3\xB3\xC5\x82w", kAnsi, "", U'\u017C'},
        {"first of several", "a\xCE\xA3\xC5\xBC", kAnsi, "", U'\u03A3'},
        {"beyond the plane", "\xF0\x9F\x98\x80", kAnsi, "", U'\U0001F600'},
        {"mark without a letter to join", "\xCC\x81", kAnsi, "", U'\u0301'},
        {"not UTF-8", "a\xFF", kAnsi, "", U'\uFFFD'},
        {"UTF-8 holds everything", "\xCE\xA3\xCE\xA0\xCE\x8A\xCE\xA4\xCE\x99", kUtf8,
         "\xCE\xA3\xCE\xA0\xCE\x8A\xCE\xA4\xCE\x99", 0},
        {"damage never reaches a search", "a\xFF", kUtf8, "a\xEF\xBF\xBD", 0},
    };
    for (const auto& c : cases) {
        const TStoredText stored = ToStoredText(c.Utf8, c.Encoding);
        EXPECT_EQ(stored.Fits, c.FirstUnfit == 0) << c.Name;
        EXPECT_EQ(stored.FirstUnfit, c.FirstUnfit) << c.Name;
        if (stored.Fits) {
            EXPECT_EQ(stored.Text, c.Stored) << c.Name;
        }
    }
}

TEST(DisplayTextTest, StoredTextShowsAsTheFileMeantIt)
{
    const struct {
        std::string Stored;
        TTextEncoding Encoding;
        const char* Shown;
    } cases[] = {
        {"Stra\xDF"
         "e",
         kAnsi,
         "Stra\xC3\x9F"
         "e"},
        {"MA\xDF", kAnsi, "MA\xC3\x9F"},  // a definition search's upper-cased piece
        {"\x81", kAnsi, "\xC2\x81"},      // every byte has a character
        {"\xCF\x83\xCF\x80", kUtf8, "\xCF\x83\xCF\x80"},
        {"b\xFF"
         "d",
         kUtf8,
         "b\xEF\xBF\xBD"
         "d"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToDisplayText(c.Stored, c.Encoding), c.Shown) << c.Shown;
}

}  // namespace
}  // namespace lirabo
