#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

#include "makrel/core/text_escape.h"

namespace makrel {
namespace {

TEST(TextEscapeTest, DecodesEscapesAndConvertsToWindows1252)
{
    EXPECT_EQ("a\\b\rc\x08" "d\xE4\x80", DecodeField("a\\\\b\\nc\\x08d\xC3\xA4\xE2\x82\xAC", true).Text);
    EXPECT_EQ("a\\nb", DecodeField("a\\nb", false).Text) << "no escapes in headwords";
    EXPECT_EQ("x\r\ny", DecodeField("x\\ny", true, "\r\n").Text);
    EXPECT_NE("", DecodeField("bad \\x4", true).Error);
    EXPECT_NE("", DecodeField("bad \\xZZ", true).Error);
    EXPECT_NE("", DecodeField("trailing \\", true).Error);
    EXPECT_NE("", DecodeField("\xFF", false).Error);
}

TEST(TextEscapeTest, EscapesDecodeAtTheStartInTheMiddleAndAtTheVeryEndOfAField)
{
    const std::pair<std::string, std::string> escapes[] = {
        {"\\x07", "\x07"}, {"\\x0f", "\x0F"}, {"\\n", "\r"}, {"\\\\", "\\"}};
    for (const auto& [escape, byte] : escapes) {
        EXPECT_EQ(byte, DecodeField(escape, true).Text) << escape << " alone";
        EXPECT_EQ(byte + "ab", DecodeField(escape + "ab", true).Text) << escape << " first";
        EXPECT_EQ("a" + byte + "b", DecodeField("a" + escape + "b", true).Text) << escape << " inside";
        EXPECT_EQ("ab" + byte, DecodeField("ab" + escape, true).Text) << escape << " last";
        EXPECT_EQ(byte + byte, DecodeField(escape + escape, true).Text) << escape << " twice";
        EXPECT_EQ("", DecodeField("ab" + escape, true).Error) << escape;
    }
    // Non-ASCII text right before a closing escape is converted too.
    EXPECT_EQ("\xE4\x07", DecodeField("\xC3\xA4\\x07", true).Text);
}

TEST(TextEscapeTest, AnEscapeCutShortByTheEndOfTheFieldIsAnErrorNamingItsColumn)
{
    for (const std::string field : {"ab\\x0", "ab\\x", "ab\\"}) {
        const TDecodedField decoded = DecodeField(field, true);
        EXPECT_EQ(0u, decoded.Error.rfind("unknown escape at column 3", 0)) << field << ": " << decoded.Error;
    }
    EXPECT_NE("", DecodeField("\\x7", true).Error);
    EXPECT_NE("", DecodeField("\\", true).Error);
}

TEST(TextEscapeTest, HexDigitsOfBothCasesDecodeAndTheirNeighboursDoNot)
{
    for (int b = 0; b < 256; ++b) {
        char lower[5];
        char upper[5];
        std::snprintf(lower, sizeof lower, "\\x%02x", b);
        std::snprintf(upper, sizeof upper, "\\x%02X", b);
        EXPECT_EQ(std::string(1, static_cast<char>(b)), DecodeField(lower, true).Text) << lower;
        EXPECT_EQ(std::string(1, static_cast<char>(b)), DecodeField(upper, true).Text) << upper;
    }
    // The characters just outside 0-9, a-f and A-F.
    for (const char c : std::string("/:`g@G"))
        EXPECT_NE("", DecodeField(std::string("\\x0") + c, true).Error) << c;
}

TEST(TextEscapeTest, OutputEscapesControlsAndBackslash)
{
    EXPECT_EQ("a\\x01b\\\\c\\x0D", EscapeForOutput("a\x01" "b\\c\r"));
    EXPECT_EQ("\xE2\x82\xAC\xC3\xA4", EscapeForOutput("\x80\xE4"));
    EXPECT_EQ("one\\ntwo\\nthree\\nfour", EscapeMultiline("one\r\ntwo\rthree\nfour"));
    // Every byte survives decode(escape(x)).
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(all, DecodeField(EscapeForOutput(all), true).Text);
}

}  // namespace
}  // namespace makrel
