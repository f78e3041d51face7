// The border between what the program shows (UTF-8) and what a file holds.

#include <gtest/gtest.h>

#include "dictionary/display_text.h"

namespace lirabo {
namespace {

TEST(DisplayTextTest, TextReachesAWindows1252FileOnlyWhenEveryCharacterHasItsPlace)
{
    const struct {
        const char* Utf8;
        const char* Stored;   // nullptr: does not fit
        char32_t FirstUnfit;
    } cases[] = {
        {"Straße", "Stra\337e", 0},
        {"€ 5", "\x80 5", 0},
        {"cafe\u0301", "caf\xE9", 0},  // decomposed as some systems copy it: composed first
        {"a\ab", "a\ab", 0},  // mark-up bytes pass
        {"żółw", nullptr, U'ż'},
        {"aΣż", nullptr, U'Σ'},
        {"😀", nullptr, U'\U0001F600'},
        {"\u0301", nullptr, U'\u0301'},  // a mark with no letter to join
        {"a\xFF", nullptr, U'\uFFFD'},   // not UTF-8
    };
    for (const auto& c : cases) {
        const TStoredText stored = ToStoredText(c.Utf8, TTextEncoding::Windows1252);
        EXPECT_EQ(stored.Fits, c.Stored != nullptr) << c.Utf8;
        EXPECT_EQ(stored.FirstUnfit, c.FirstUnfit) << c.Utf8;
        if (c.Stored) {
            EXPECT_EQ(stored.Text, c.Stored) << c.Utf8;
        }
    }
    // UTF-8 holds everything; damage never reaches a search.
    EXPECT_EQ(ToStoredText("ΣΠΊΤΙ", TTextEncoding::Utf8).Text, "ΣΠΊΤΙ");
    EXPECT_EQ(ToStoredText("a\xFF", TTextEncoding::Utf8).Text, "a\uFFFD");
    // Stored text shows as the file meant it, a definition search's upper-cased piece too.
    EXPECT_EQ(ToDisplayText("MA\xDF", TTextEncoding::Windows1252), "MAß");
    EXPECT_EQ(ToDisplayText("b\377d", TTextEncoding::Utf8), "b\uFFFDd");
}

}  // namespace
}  // namespace lirabo
