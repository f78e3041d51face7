#include "speech/speech_text.h"

#include <gtest/gtest.h>

namespace lirabo {
namespace {

TEST(CleanSpeechTextTest, MakesDictionaryTextSafePlainText)
{
    const struct {
        const char* Name;
        std::string Text;
        size_t MaxBytes;
        std::string Expected;
    } cases[] = {
        {"plain", "house", 100, "house"},
        {"empty", "", 100, ""},
        {"spaces alone", "  \t\n ", 100, ""},
        {"trimmed", "  a house ", 100, "a house"},
        {"multi-byte kept", "\xCF\x83\xCF\x80\xCE\xAF\xCF\x84\xCE\xB9", 100,
         "\xCF\x83\xCF\x80\xCE\xAF\xCF\x84\xCE\xB9"},
        {"four bytes kept", "a\xF0\x9F\x8F\xA0", 100, "a\xF0\x9F\x8F\xA0"},
        {"NUL would end the text", std::string("ab\0cd", 5), 100, "ab cd"},
        {"ctrl-A commands",
         "a\x01"
         "5Sb",
         100, "a 5Sb"},
        {"DEL",
         "a\x7F"
         "b",
         100, "a b"},
        {"stray continuation",
         "a\x80"
         "b",
         100,
         "a\xEF\xBF\xBD"
         "b"},
        {"truncated sequence at the end", "a\xE2\x82", 100, "a\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"overlong slash", "\xC0\xAF", 100, "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"overlong three bytes", "\xE0\x80\xAF", 100, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"surrogate", "\xED\xA0\x80", 100, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"past Unicode", "\xF4\x90\x80\x80", 100, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"cut at the limit", "abcdef", 4, "abcd"},
        {"never inside a character", "ab\xCF\x83", 3, "ab"},
        {"never inside a replacement", "ab\xFF", 4, "ab"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CleanSpeechText(c.Text, c.MaxBytes), c.Expected) << c.Name;
}

TEST(CleanSpeechTextTest, LongTextStopsAtTheDefaultLimit)
{
    const std::string clean = CleanSpeechText(std::string(3 * kMaxSpeechTextBytes, 'a'));
    EXPECT_EQ(clean.size(), kMaxSpeechTextBytes);
}

}  // namespace
}  // namespace lirabo
