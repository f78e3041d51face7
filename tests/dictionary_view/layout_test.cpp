#include <gtest/gtest.h>

#include <random>

#include "dictionary/dictionary_store.h"
#include "dictionary_view/dictionary_styles.h"
#include "dictionary_view/entry_layout.h"
#include "dictionary_view/layout_cache.h"
#include "dictionary_view/text_helpers.h"
#include "dictionary_view/text_highlight.h"
#include "test_metrics.h"

namespace lirabo {
namespace {

using testing::Markup;
using testing::StyledMarkup;
using testing::TFakeMetrics;
using testing::UnevenMetrics;
using testing::UniformMetrics;

// Characters 10 pixels wide, lines 20 high, the body column at x = 100.
class EntryLayoutTest : public ::testing::Test {
protected:
    EntryLayoutTest() : layout(styles)
    {
        layout.SetMetrics(&metrics);
        layout.SetIndent(100);
    }

    TProcessedItem Wrap(const std::string& Text, int W)
    {
        TProcessedItem item;
        layout.WrapEntry(item, Text, W);
        EXPECT_EQ(layout.CountLines(Text, W), item.Lines) << "counting and wrapping disagree";
        return item;
    }

    TFakeMetrics metrics = UniformMetrics(10, 20, 20);
    TDictionaryStyles styles;
    TEntryLayout layout;
};

TEST_F(EntryLayoutTest, ShortHeadwordAndBodyShareOneLine)
{
    const TProcessedItem item = Wrap(Markup("cat|a small animal"), 300);
    EXPECT_EQ(item.Text, Markup("cat|a small animal"));
    EXPECT_EQ(item.Lines, 1);
}

TEST_F(EntryLayoutTest, HeadwordReachingTheIndentPutsTheBodyOnTheNextLine)
{
    // Nine characters end at x = 95, short of the column at 100; ten pass it.
    EXPECT_EQ(Wrap(Markup("abcdefghi|body"), 300).Lines, 1);
    const TProcessedItem item = Wrap(Markup("abcdefghij|body"), 300);
    EXPECT_EQ(item.Text, Markup("abcdefghij~|body"));
    EXPECT_EQ(item.Lines, 2);
    // With the column at 95 the nine characters reach it exactly.
    layout.SetIndent(95);
    EXPECT_EQ(Wrap(Markup("abcdefghi|body"), 300).Text, Markup("abcdefghi~|body"));
}

TEST_F(EntryLayoutTest, WrapsAfterTheSpacesBeforeTheOverflowingWord)
{
    // "aaa bbb " ends at 180; "ccc" would end at 210.
    EXPECT_EQ(Wrap(Markup("h|aaa bbb ccc"), 200).Text, Markup("h|aaa bbb ~ccc"));
    EXPECT_EQ(Wrap(Markup("h|aaa bbb ccc"), 210).Lines, 1);  // text may reach the limit itself
    // Both spaces stay on the finished line.
    EXPECT_EQ(Wrap(Markup("h|aaaaaa  bbb"), 200).Text, Markup("h|aaaaaa  ~bbb"));
    // The carried part of the word counts on the new line: "bbbbbbbbb" wraps
    // again only when it passes the limit from the indent.
    const TProcessedItem item = Wrap(Markup("h|aaaaaaa bbbbbbbbb cc"), 200);
    EXPECT_EQ(item.Text, Markup("h|aaaaaaa ~bbbbbbbbb ~cc"));
    EXPECT_EQ(item.Lines, 3);
}

TEST_F(EntryLayoutTest, AWordWithoutASpaceBeforeItOnItsLineRunsPastTheLimit)
{
    // After the hard break the long word has no break point on its line and
    // is not wrapped back to the space of the line before.
    const TProcessedItem item = Wrap(Markup("h|aa bb/xxxxxxxxxxxxxxx yy"), 200);
    EXPECT_EQ(item.Text, Markup("h|aa bb/xxxxxxxxxxxxxxx ~yy"));
    EXPECT_EQ(item.Lines, 3);

    const std::string huge = "h" + Markup("|") + std::string(65535, 'w');
    const TProcessedItem one = Wrap(huge, 200);
    EXPECT_EQ(one.Lines, 1);
    EXPECT_EQ(one.Text, huge);
}

TEST_F(EntryLayoutTest, CodesTakeNoWidthAndEndTheTextWhenInvalid)
{
    EXPECT_EQ(Wrap(Markup("h|") + "\x03\x07\x08\x0A\x05\x06", 200).Lines, 1);
    EXPECT_EQ(Wrap(Markup("h|abc") + "\x10" + "def", 200).Text, Markup("h|abc"));
    EXPECT_EQ(Wrap(Markup("h|abc") + "\x02" + "def", 200).Text, Markup("h|abc"));
    EXPECT_EQ(Wrap(Markup("h|abc") + std::string(1, '\0') + "def", 200).Text, Markup("h|abc"));
    EXPECT_EQ(Wrap("", 200).Lines, 1);
}

TEST_F(EntryLayoutTest, WidthStylesFollowElementsTogglesAndLinks)
{
    // Bold characters are 20 wide: "aaaa" bold ends at 180, plain at 140.
    styles.SetElementStyle(deDefinition, fsBold | fsUnderline);
    EXPECT_EQ(Wrap(Markup("h|aaaa b"), 190).Lines, 2);
    EXPECT_EQ(Wrap(Markup("h|\x03"
                          "aaaa b"),
                   190)
                  .Lines,
              1);  // bold toggled off
    styles.SetElementStyle(deDefinition, 0);
    EXPECT_EQ(Wrap(Markup("h|\x04"
                          "aaaa b"),
                   190)
                  .Lines,
              1);  // italic: same width here
    // A link is measured in the link's style and the style before it returns.
    styles.SetElementStyle(deLink, fsBold);
    EXPECT_EQ(Wrap(Markup("h|[aa] aaaa b"), 205).Lines, 2);
    EXPECT_EQ(Wrap(Markup("h|[aa]aaaa b"), 205).Lines, 1);
    // Grammar and field select their own styles.
    styles.SetElementStyle(deField, fsBold);
    EXPECT_EQ(Wrap(Markup("h|\x0A"
                          "aaaa b"),
                   190)
                  .Lines,
              2);
    EXPECT_EQ(Wrap(Markup("h|\x0A"
                          "aa\x08"
                          "aa b"),
                   190)
                  .Lines,
              1);
}

TEST_F(EntryLayoutTest, HeadwordSpacesStayBreakPointsWhenTheBodyFollowsOnItsLine)
{
    const TProcessedItem item = Wrap(Markup("ab cd|xxxxxxxxxxxx"), 200);
    EXPECT_EQ(item.Text, Markup("ab ~cd|xxxxxxxxxxxx"));
    EXPECT_EQ(item.Lines, 2);
}

TEST_F(EntryLayoutTest, RandomTextNeverLosesBytesAndCountsAgree)
{
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 300, ' ');
        for (char& c : text)
            c = static_cast<char>(random() % 4 == 0 ? random() % 33 : 'a' + random() % 26);
        const int w = 20 + static_cast<int>(random() % 300);
        const TProcessedItem item = Wrap(text, w);
        // Up to where the text ends, every byte reaches the output in order.
        size_t end = 0;
        while (end < text.size() && text[end] != 0 && text[end] != 2 && !(text[end] >= 16 && text[end] < 32))
            ++end;
        const TCharSet softBreaks = TCharSet().set(14);
        EXPECT_EQ(RemoveChars(item.Text, softBreaks), RemoveChars(text.substr(0, end), softBreaks));
        EXPECT_GE(item.Lines, 1);
    }
}

// Widths on which text can end on any pixel (UnevenMetrics: letters 7 plain,
// 11 bold, 9 italic, 13 bold italic; spaces 4, 6, 5, 8), lines 17 high, the
// body column at x = 60. Each case ends exactly at a limit and is tried with
// the limit one pixel further and one pixel nearer.
class BoundaryLayoutTest : public ::testing::Test {
protected:
    BoundaryLayoutTest() : layout(styles)
    {
        layout.SetMetrics(&metrics);
        layout.SetIndent(60);
    }

    TProcessedItem Wrap(const std::string& Text, int W)
    {
        TProcessedItem item;
        layout.WrapEntry(item, StyledMarkup(Text), W);
        EXPECT_EQ(layout.CountLines(StyledMarkup(Text), W), item.Lines) << "counting and wrapping disagree";
        return item;
    }

    // Text, whose last word ends exactly at End, stays on one line up to a
    // limit of End and wraps that word at End - 1.
    void ExpectEndsAt(const std::string& Text, int End, int Lines = 1)
    {
        EXPECT_EQ(Wrap(Text, End + 1).Lines, Lines) << Text << " at " << End + 1;
        EXPECT_EQ(Wrap(Text, End).Lines, Lines) << Text << " at " << End;
        EXPECT_EQ(Wrap(Text, End - 1).Lines, Lines + 1) << Text << " at " << End - 1;
    }

    TFakeMetrics metrics = UnevenMetrics(17);
    TDictionaryStyles styles;
    TEntryLayout layout;
};

TEST_F(BoundaryLayoutTest, WordEndingExactlyAtTheRightLimitStaysOnItsLine)
{
    // "aaa bb" from the column: three letters, a space and two letters of the
    // definition's width style.
    const std::pair<TFontStyles, int> ends[] = {{0, 60 + 21 + 4 + 14},
                                                {fsBold, 60 + 33 + 6 + 22},
                                                {fsItalic, 60 + 27 + 5 + 18},
                                                {fsBold | fsItalic, 60 + 39 + 8 + 26}};
    for (const auto& [style, end] : ends) {
        styles.SetElementStyle(deDefinition, style);
        EXPECT_EQ(Wrap("h|aaa bb", end).Text, Markup("h|aaa bb")) << StyleToLetters(style);
        EXPECT_EQ(Wrap("h|aaa bb", end - 1).Text, Markup("h|aaa ~bb")) << StyleToLetters(style);
        ExpectEndsAt("h|aaa bb", end);
    }
}

TEST_F(BoundaryLayoutTest, ACarriedWordCountsFromItsNewLineStartUpToTheExactLimit)
{
    // "bbb" moves to a line of its own at the column (60..81); " cc" ends at 99.
    EXPECT_EQ(Wrap("h|aaaa bbb cc", 100).Text, Markup("h|aaaa ~bbb cc"));
    EXPECT_EQ(Wrap("h|aaaa bbb cc", 99).Text, Markup("h|aaaa ~bbb cc"));
    EXPECT_EQ(Wrap("h|aaaa bbb cc", 98).Text, Markup("h|aaaa ~bbb ~cc"));
    // A headword's continuation starts at the left margin: "bb cc" there is 5..37.
    EXPECT_EQ(Wrap("aaaa bb cc", 37).Text, Markup("aaaa ~bb cc"));
    EXPECT_EQ(Wrap("aaaa bb cc", 36).Text, Markup("aaaa ~bb ~cc"));
}

TEST_F(BoundaryLayoutTest, HeadwordEndingExactlyAtTheColumnPutsTheBodyOnTheNextLine)
{
    // "aaaa" from the left margin, in the headword's width style.
    const std::pair<TFontStyles, int> ends[] = {
        {0, 5 + 28}, {fsBold, 5 + 44}, {fsItalic, 5 + 36}, {fsBold | fsItalic, 5 + 52}};
    for (const auto& [style, end] : ends) {
        styles.SetElementStyle(deEntry, style);
        layout.SetIndent(end + 1);
        EXPECT_EQ(Wrap("aaaa|b", 300).Text, Markup("aaaa|b")) << StyleToLetters(style);
        layout.SetIndent(end);
        EXPECT_EQ(Wrap("aaaa|b", 300).Text, Markup("aaaa~|b")) << StyleToLetters(style);
        layout.SetIndent(end - 1);
        EXPECT_EQ(Wrap("aaaa|b", 300).Text, Markup("aaaa~|b")) << StyleToLetters(style);
    }
}

TEST_F(BoundaryLayoutTest, UnderlineStrikeOutAndSelectionMarksTakeNoWidth)
{
    ExpectEndsAt("h|_aaa_ =bb=", 99);
    ExpectEndsAt("h|_=aaa bb", 99);
    ExpectEndsAt("h|a{aa b}b", 99);
}

TEST_F(BoundaryLayoutTest, BoldAndItalicTogglesMeasureExactlyTheTextBetweenTheirCodes)
{
    ExpectEndsAt("h|^aa^ bb", 60 + 18 + 4 + 14);
    ExpectEndsAt("h|*aa* bb", 60 + 22 + 4 + 14);
    ExpectEndsAt("h|*^aa^* bb", 60 + 26 + 4 + 14);
    // Overlapping: bold a, bold italic a, italic b, then plain.
    ExpectEndsAt("h|*a^a*b^ bb", 60 + 11 + 13 + 9 + 4 + 14);
    // A toggle switches off a style the element has, and on again.
    styles.SetElementStyle(deDefinition, fsBold);
    ExpectEndsAt("h|*aa* bb", 60 + 14 + 6 + 22);
    styles.SetElementStyle(deDefinition, fsItalic);
    ExpectEndsAt("h|^aa^ bb", 60 + 14 + 5 + 18);
    // The body starts in the definition's style whatever the headword toggled.
    styles.SetElementStyle(deDefinition, 0);
    ExpectEndsAt("^*h|aaa bb", 60 + 21 + 4 + 14);
}

TEST_F(BoundaryLayoutTest, AToggledStyleRunsOnAcrossAHardBreakAndResumesAfterALink)
{
    // The second line: "bb" still italic or bold, then plain " cc".
    ExpectEndsAt("h|^aa/bb^ cc", 60 + 18 + 4 + 14, 2);
    ExpectEndsAt("h|*aa/bb* cc", 60 + 22 + 4 + 14, 2);
    // The link is measured in its own style; italic comes back after it.
    ExpectEndsAt("h|^aa [ll] bbb^ c", 60 + 18 + 5 + 14 + 5 + 27 + 4 + 7);
    styles.SetElementStyle(deLink, fsBold);
    ExpectEndsAt("h|^aa [ll] bbb^ c", 60 + 18 + 5 + 22 + 5 + 27 + 4 + 7);
    // A toggle inside a link ends with it.
    ExpectEndsAt("h|[l^l] b", 60 + 11 + 13 + 4 + 7);
}

TEST(DictionaryStylesTest, LettersReadAnywhereAndWriteInOrder)
{
    EXPECT_EQ(StyleFromLetters("bu"), fsBold | fsUnderline);
    EXPECT_EQ(StyleFromLetters("ub"), fsBold | fsUnderline);
    EXPECT_EQ(StyleToLetters(StyleFromLetters("ub")), "bu");
    EXPECT_EQ(StyleFromLetters("B x s"), fsStrikeOut);  // letters are case-sensitive
    EXPECT_EQ(StyleToLetters(fsBold | fsItalic | fsUnderline | fsStrikeOut), "bius");
    EXPECT_EQ(StyleToLetters(0), "");
    EXPECT_EQ(ElementOfSetting(2), deField);
    EXPECT_EQ(ElementOfSetting(3), deGrammar);
    EXPECT_EQ(ElementOfSetting(5), 0);

    TDictionaryStyles styles;
    int changes = 0;
    styles.SetOnStyleChanged([&] { ++changes; });
    styles.SetElementStyle(deLink, fsBold);
    styles.SetElementStyle(deLink, fsBold);
    styles.SetElementColor(deLink, 0x800000);
    styles.SetElementStyle(9, fsBold);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(styles.ElementColor(deLink), 0x800000u);
    EXPECT_EQ(styles.ElementStyle(9), 0);
}

TEST(TextHelpersTest, RemoveCharsAndWordDelimiters)
{
    EXPECT_EQ(RemoveChars(Markup("a|b/c~d"), CharsBelow32()), "abcd");
    EXPECT_EQ(RemoveChars(Markup("a|b/c") + std::string(1, '\0'), CharsBelow32ButBody()), Markup("a|bc"));
    for (const char c : std::string(" !(),./:;?[\\]{}\x01\x02\x07\x1F", 20))
        EXPECT_TRUE(WordDelimiters().test(static_cast<unsigned char>(c))) << int(c);
    for (const char c : std::string("'\"-a\x03\x06\x7F\xE9"))
        EXPECT_FALSE(WordDelimiters().test(static_cast<unsigned char>(c))) << int(c);
    EXPECT_TRUE(WordDelimiters().test(0));
}

// The layout cache over a store showing an entry list.
class LayoutCacheTest : public ::testing::Test {
protected:
    LayoutCacheTest() : layout(styles), cache(store, layout)
    {
        layout.SetMetrics(&metrics);
        layout.SetIndent(100);
        std::vector<TWordItem> items;
        for (int i = 0; i < 50; ++i)
            items.push_back({"w" + std::to_string(i), i % 3 == 0 ? "aaaa bbbb cccc dddd" : "short"});
        store.SetItems(items);
    }

    TFakeMetrics metrics = UniformMetrics(10, -1, 20);
    TDictionaryStore store;
    TDictionaryStyles styles;
    TEntryLayout layout;
    TLayoutCache cache;
};

TEST_F(LayoutCacheTest, CoversTheLinesAskedForPlusTheHiddenOnes)
{
    // At W = 200 entries 0, 3, 6, ... take two lines, the others one.
    cache.ProcessEntries(5, 200, 0, 0);
    EXPECT_EQ(cache.ProcessedFirst(), 0);
    EXPECT_EQ(cache.ProcessedCount(), 4);  // 2 + 1 + 1 + 2 lines
    EXPECT_EQ(cache.ProcessedLines(), 6);
    cache.ProcessEntries(5, 200, 3, 1);  // six lines needed from entry 3
    EXPECT_EQ(cache.ProcessedFirst(), 3);
    EXPECT_EQ(cache.ProcessedLines(), 6);
    EXPECT_EQ(cache.ProcessedCount(), 4);
}

TEST_F(LayoutCacheTest, ReusesItemsWhileScrollingAndRelaysWhenStale)
{
    cache.ProcessEntries(10, 200, 0, 0);
    const uint64_t generation = cache.Generation();
    cache.Item(2).Text = "marked";  // a laid-out item moves unchanged
    cache.ProcessEntries(10, 200, 2, 0);
    EXPECT_EQ(cache.Generation(), generation);
    EXPECT_EQ(cache.Item(0).Text, "marked");

    cache.MarkStale();
    cache.ProcessEntries(10, 200, 2, 0);
    EXPECT_NE(cache.Generation(), generation);
    EXPECT_EQ(cache.Item(0).Text, Markup("w2|short"));

    cache.ProcessEntries(10, 300, 45, 0);  // near the end: fewer entries than lines
    EXPECT_EQ(cache.ProcessedCount(), 5);
    cache.ProcessEntries(10, 300, 60, 0);  // past the end
    EXPECT_EQ(cache.ProcessedCount(), 0);
}

TEST_F(LayoutCacheTest, LineCountsComeFromTheCacheOnlyWhileItIsFresh)
{
    cache.ProcessEntries(10, 200, 0, 0);
    EXPECT_EQ(cache.EntryLineCount(0, 200), 2);
    EXPECT_EQ(cache.EntryLineCount(0, 1000), 2);   // cached: W is not compared
    EXPECT_EQ(cache.EntryLineCount(30, 1000), 1);  // outside the cache: counted
    EXPECT_EQ(cache.EntryLineCount(30, 200), 2);
    EXPECT_EQ(cache.EntryLineCount(-1, 200), 1);
    EXPECT_EQ(cache.EntryLineCount(50, 200), 1);
    cache.MarkStale();
    EXPECT_EQ(cache.EntryLineCount(0, 1000), 1);
}

// Markup() writes the selection codes a highlight puts in as '{' and '}'.
TEST(TextHighlightTest, MarksMatchesOfThePlainTextAcrossCodesAndBreaksOnce)
{
    std::string text = StyledMarkup("w1|the *Riv*er/Bank of rivers");
    MarkPieces(text, {"RIVER BANK", "RIVER", "", "ABSENT"});
    // The first match holds the second: one mark; the codes inside stay.
    EXPECT_EQ(text, StyledMarkup("w1|the *{Riv*er/Bank} of {river}s"));
    EXPECT_EQ(WithoutMarks(text), StyledMarkup("w1|the *Riv*er/Bank of rivers"));

    std::string touching = StyledMarkup("w|abcd abab");
    MarkPieces(touching, {"CD", "AB"});
    EXPECT_EQ(touching, StyledMarkup("w|{abcd} {abab}"));

    std::string unchanged = StyledMarkup("w|nothing here");
    MarkPieces(unchanged, {"RIVER"});
    EXPECT_EQ(unchanged, StyledMarkup("w|nothing here"));
    MarkPieces(unchanged, {});
    EXPECT_EQ(unchanged, StyledMarkup("w|nothing here"));
}

TEST_F(LayoutCacheTest, HighlightIsLaidInWithoutChangingTheLines)
{
    cache.ProcessEntries(10, 200, 0, 0);
    const int lines = cache.ProcessedLines();
    cache.SetHighlight({"BBBB C"});
    cache.ProcessEntries(10, 200, 0, 0);
    EXPECT_EQ(cache.ProcessedLines(), lines);
    EXPECT_EQ(WithoutMarks(cache.Item(0).Text), Markup("w0|aaaa bbbb ~cccc dddd"));
    EXPECT_NE(cache.Item(0).Text.find('\x0B'), std::string::npos);
    EXPECT_EQ(cache.Item(1).Text, Markup("w1|short"));
    cache.SetHighlight({});
    cache.ProcessEntries(10, 200, 0, 0);
    EXPECT_EQ(cache.Item(0).Text.find('\x0B'), std::string::npos);
}

}  // namespace
}  // namespace lirabo
