#include <gtest/gtest.h>

#include "dictionary/ansi_codec.h"

namespace lirabo {
namespace {

TEST(AnsiCodecTest, EveryByteRoundTrips)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const TAnsiConversion back = Utf8ToAnsi(AnsiToUtf8(all));
    EXPECT_TRUE(back.ValidUtf8);
    EXPECT_EQ(0u, back.Unmappable);
    EXPECT_EQ(all, back.Text);
}

TEST(AnsiCodecTest, TheUpperControlRangeHoldsTypography)
{
    EXPECT_EQ(U'\u20AC', AnsiToUnicode(0x80));
    EXPECT_EQ(U'\u201C', AnsiToUnicode(0x93));
    EXPECT_EQ(U'\u0178', AnsiToUnicode(0x9F));
    EXPECT_EQ(std::string("\x80\xE4", 2), Utf8ToAnsi("\u20AC\u00E4").Text);
}

TEST(AnsiCodecTest, UnmappableAndInvalidInputIsReported)
{
    const TAnsiConversion ipa = Utf8ToAnsi("a\u0259b\u028Ac");
    EXPECT_EQ("abc", ipa.Text);
    EXPECT_EQ(2u, ipa.Unmappable);
    EXPECT_EQ(U'\u0259', ipa.FirstUnmappable);
    for (const char* bad : {"\xC3", "\xC0\x80", "\xED\xA0\x80", "\xF5\x80\x80\x80", "a\x80"})
        EXPECT_FALSE(Utf8ToAnsi(bad).ValidUtf8) << bad;
}

}  // namespace
}  // namespace lirabo
