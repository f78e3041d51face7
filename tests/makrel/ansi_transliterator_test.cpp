#include <gtest/gtest.h>

#include "makrel/core/ansi_transliterator.h"
#include "makrel/core/dictionary_writer.h"
#include "makrel/core/entry_limits.h"
#include "makrel/core/entry_text.h"
#include "makrel/stardict/html_converter.h"

namespace makrel {
namespace {

struct Case {
    const char* Input;
    const char* Expected;
    size_t Replaced;
};

TEST(AnsiTransliteratorTest, ReplacesWhatTheCodePageLacksAndCountsIt)
{
    const Case cases[] = {
        {"caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC", "caf\xE9 \x93quoted\x94 \x80", 0},
        {"/\xC9\xA1\xCB\x88\xCA\x8A"
         "d/",
         "/g'Ud/", 3},  // IPA: X-SAMPA, stress mark
        {"\xCB\x88"
         "apf\xC9\x99l \xCB\x8C"
         "a\xCB\x90",
         "'apf@l ,a:", 4},  // primary, secondary, length
        {"\xC5\x81\xC3\xB3"
         "d\xC5\xBA",
         "L\xF3"
         "dz",
         2},                                                 // diacritics outside the page
        {"\xCE\xB1-Teilchen \xCE\xB8", "a-Teilchen th", 2},  // Greek
        {"\xD0\x96\xD1\x83\xD0\xBA", "Zhuk", 3},             // Cyrillic
        {"a\xC2\x85"
         "b",
         "a\x85"
         "b",
         1},                                      // C1 control taken as the byte
        {"\xE9t\xE9", "\xE9t\xE9", 2},            // not UTF-8: Windows-1252 bytes
        {"e\xCC\x81 x\xE2\x80\x8By", "e xy", 2},  // combining mark, zero width
        {"\xF0\x9F\x98\x80!", "?!", 1},           // nothing better than ?
        {"1\xE2\x88\x92"
         "2 \xE2\x86\x92 \xE2\x85\x93",
         "1-2 -> 1/3", 3},  // symbols
    };
    for (const Case& c : cases) {
        TAnsiTransliterator t;
        EXPECT_EQ(c.Expected, t.Convert(c.Input)) << c.Input;
        EXPECT_EQ(c.Replaced, t.Replaced()) << c.Input;
    }
}

TEST(AnsiTransliteratorTest, NoControlCharacterSurvivesAsMarkUp)
{
    TAnsiTransliterator t;
    EXPECT_EQ("a b\rc\rd\re", t.Convert("a\tb\nc\r\nd\re", true));
    EXPECT_EQ("a b c d e", t.Convert("a\tb\nc\r\nd\re", false));
    EXPECT_EQ(0u, t.Replaced());
    EXPECT_EQ("xy", t.Convert("x\x01\x02\x0F\x10\x1F\x7Fy"));
    EXPECT_EQ(6u, t.Replaced()) << "each dropped control counts";
    EXPECT_EQ("ab", t.Convert(std::string("a\0b", 3)));
}

TEST(HtmlConverterTest, SimpleMarkUpBecomesEntryCodes)
{
    TEntryText t;
    THtmlConverter html(t);
    const auto convert = [&](const char* Html) {
        std::string out;
        html.Append(out, Html);
        return out;
    };
    EXPECT_EQ(
        "\x03"
        "bold\x03 and \x04it\x04 \x05u\x05 \x06s\x06",
        convert("<b>bold</b> and <em>it</em> <u>u</u> <s>s</s>"));
    EXPECT_EQ(
        "\x03"
        "a b\x03",
        convert("<b>a <strong>b</strong></b>"))
        << "nested bold toggles once";
    EXPECT_EQ("see \x09word\x0F here", convert("see <a href=\"bword://word\">word</a>\n  here"));
    EXPECT_EQ("one\rtwo\rthree", convert("<p>one</p><p>two<br/>three</p>"));
    EXPECT_EQ("x < y & \"z\" \xC3\xA4\xC2\xA0!", convert("x &lt; y &amp; &quot;z&quot; &auml;&#xA0;&#33;"));
    EXPECT_EQ("a < b &bogus; c", convert("a < b &bogus; c"));
    EXPECT_EQ("kept", convert("<script>alert(1)</script><!-- note -->kept<style>p{}</style>"));
    EXPECT_EQ(
        "\x09open\x03"
        "b\x0F\x03",
        convert("<a>open<b>b"))
        << "open link and bold are closed";
    EXPECT_EQ("\xEF\xBF\xBD", convert("&#0;")) << "a reference to no character";
    EXPECT_EQ("a\r\nb", html.PlainText("<i>a</i><br>b"));
}

TEST(EntryLimitsTest, OverlongEntriesAreShortenedWithAWarning)
{
    TDictionaryWriter writer({});
    TImportReport report;
    std::string definition(65530, 'x');
    definition += "\x09link text that runs over";
    AddShortened(writer, report, std::string(300, 'w'), definition);
    AddShortened(writer, report, "fine", std::string(65535, 'y'));
    EXPECT_EQ(2u, report.Entries);
    EXPECT_EQ(1u, report.ShortenedEntries);
    ASSERT_EQ(2u, report.Warnings.size());
    EXPECT_NE(std::string::npos, report.Warnings[0].find("(300 bytes) shortened to 255"))
        << report.Warnings[0];
    EXPECT_NE(std::string::npos, report.Warnings[1].find("(65555 bytes) shortened to 65535"))
        << report.Warnings[1];

    const std::vector<unsigned char> file = writer.Build();
    EXPECT_GT(file.size(), 0u);
    EXPECT_EQ(0, writer.FindFirst(std::string(255, 'w')));
    EXPECT_EQ(-1, writer.FindFirst(std::string(300, 'w')));

    for (int i = 0; i < 30; ++i)
        AddWarning(report, "w");
    EXPECT_EQ(21u, report.Warnings.size());
    EXPECT_EQ("further warnings of this import are not shown", report.Warnings.back());
}

}  // namespace
}  // namespace makrel
