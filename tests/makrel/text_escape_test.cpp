#include <gtest/gtest.h>

#include "text_escape.h"

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
