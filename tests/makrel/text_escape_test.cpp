#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

#include "dictionary/ansi_codec.h"
#include "makrel/core/text_escape.h"

namespace makrel {
namespace {

TEST(TextEscapeTest, DecodesEscapesAndKeepsTheUtf8)
{
    EXPECT_EQ("a\\b\rc\x08" "d\xC3\xA4\xE2\x82\xAC", DecodeField("a\\\\b\\nc\\x08d\xC3\xA4\xE2\x82\xAC", true).Text);
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
    // Non-ASCII text right before a closing escape is kept too.
    EXPECT_EQ("\xC3\xA4\x07", DecodeField("\xC3\xA4\\x07", true).Text);
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
        // From 80 hex on, the character the byte is in Windows-1252.
        const std::string expected = lirabo::AnsiToUtf8(std::string(1, static_cast<char>(b)));
        EXPECT_EQ(expected, DecodeField(lower, true).Text) << lower;
        EXPECT_EQ(expected, DecodeField(upper, true).Text) << upper;
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
    // Every Windows-1252 byte survives decode(escape(x)) as its character.
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(lirabo::AnsiToUtf8(all), DecodeField(EscapeForOutput(all), true).Text);
}

// Fields hold any character now; only invalid UTF-8 is refused, and escapes
// still make the mark-up codes.
TEST(TextEscapeTest, FieldsTakeEveryCharacter)
{
    const struct {
        std::string Field;
        bool Escapes;
        std::string Text;  // when it decodes
    } cases[] = {
        {"\xC5\xBC\xC3\xB3\xC5\x82w", false, "\xC5\xBC\xC3\xB3\xC5\x82w"},  // Polish
        {"\xCF\x83\xCF\x80\xCE\xAF\xCF\x84\xCE\xB9", true, "\xCF\x83\xCF\x80\xCE\xAF\xCF\x84\xCE\xB9"},
        {"\xE5\xAE\xB6\\x07\xF0\x9F\x98\x80", true, "\xE5\xAE\xB6\x07\xF0\x9F\x98\x80"},  // CJK, emoji
        {"\\xE9\xC5\x82", true, "\xC3\xA9\xC5\x82"},
        {"\xC9\x99 \\x85", true, "\xC9\x99 \xE2\x80\xA6"},
        {"ok \xC5", true, ""},    // a lead byte without its continuation
        {"\xE5\xAE\\x07", true, ""},  // cut short by an escape
    };
    for (const auto& c : cases) {
        const TDecodedField decoded = DecodeField(c.Field, c.Escapes);
        if (c.Text.empty()) {
            EXPECT_EQ("invalid UTF-8", decoded.Error) << c.Field;
        } else {
            EXPECT_EQ("", decoded.Error) << c.Field;
            EXPECT_EQ(c.Text, decoded.Text) << c.Field;
        }
    }
}

TEST(TextEscapeTest, Utf8TextIsShownAsItIs)
{
    using lirabo::TTextEncoding;
    const std::pair<std::string, std::string> cases[] = {
        {"\xC5\xBC\xC3\xB3\xC5\x82w\x01\\", "\xC5\xBC\xC3\xB3\xC5\x82w\\x01\\\\"},
        // Each byte that begins no character is one replacement character.
        {"a\xE9" "b\xC5", "a\xEF\xBF\xBD" "b\xEF\xBF\xBD"},
        {"\xE5\xAE\x07", "\xEF\xBF\xBD\xEF\xBF\xBD\\x07"},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(shown, EscapeForOutput(text, TTextEncoding::Utf8)) << text;
    EXPECT_EQ("\xC5\xBC\\n\xE5\xAE\xB6", EscapeMultiline("\xC5\xBC\r\n\xE5\xAE\xB6", TTextEncoding::Utf8));

    // Well-formed UTF-8 with every mark-up byte survives decode(escape(x)).
    std::string all = "\xC5\xBC\\\xE5\xAE\xB6";
    for (int b = 0; b < 32; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(all, DecodeField(EscapeForOutput(all, TTextEncoding::Utf8), true).Text);
}

}  // namespace
}  // namespace makrel
