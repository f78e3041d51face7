#include <gtest/gtest.h>

#include "dictionary_view/hit_test.h"
#include "dictionary_view/screen_text.h"
#include "test_metrics.h"

namespace lirabo {
namespace {

using testing::Markup;
using testing::StyledMarkup;
using testing::TFakeMetrics;
using testing::UniformMetrics;

constexpr int kBarLeft = 400;
constexpr int kHeight = 300;

// Characters 10 pixels wide, lines 20 high, the body column at x = 100: a
// line of the body holds 29 characters before the scroll bar.
class ScreenTextTest : public ::testing::Test {
protected:
    ScreenTextTest() : layout(styles), screen(layout)
    {
        layout.SetMetrics(&metrics);
        layout.SetIndent(100);
    }

    // Entries laid out as the view lays them out, the first at entry 7.
    void Read(const std::vector<std::string>& Texts, int TopLine = 0, int Height = kHeight)
    {
        items.clear();
        for (const std::string& text : Texts) {
            TProcessedItem item;
            layout.WrapEntry(item, Markup(text), kBarLeft - kLeftMargin);
            items.push_back(std::move(item));
        }
        screen.Build(items, 7, TopLine, Height, kBarLeft);
    }

    TFakeMetrics metrics = UniformMetrics(10, -1, 20);
    TDictionaryStyles styles;
    TEntryLayout layout;
    TScreenText screen;
    std::vector<TProcessedItem> items;
};

struct TTextCase {
    const char* Name;
    std::vector<std::string> Entries;
    int TopLine;
    int Height;
    std::string Expected;
};

TEST_F(ScreenTextTest, ReadsWhatTheScreenShowsLineByLine)
{
    const std::string longBody = "one two three four five six seven eight nine ten";
    const TTextCase cases[] = {
        {"headword, space, body", {"cat|a small animal"}, 0, kHeight, "cat a small animal"},
        {"entries on lines of their own", {"cat|a", "dog|b"}, 0, kHeight, "cat a\ndog b"},
        {"a wrap ends a line",
         {"w|" + longBody},
         0,
         kHeight,
         "w one two three four five six\nseven eight nine ten"},
        {"a hard break ends a line", {"cat|one/two"}, 0, kHeight, "cat one\ntwo"},
        {"an empty line between hard breaks", {"cat|one//two"}, 0, kHeight, "cat one\n\ntwo"},
        {"codes are not read", {StyledMarkup("*cat*|^a^ [kit_ten_] =x=")}, 0, kHeight, "cat a kitten x"},
        {"a long headword puts the body on a line of its own",
         {"abcdefghijkl|body"},
         0,
         kHeight,
         "abcdefghijkl\nbody"},
        {"a scrolled top entry keeps its headword beside the rest",
         {"cat|one/two/three", "dog|b"},
         1,
         kHeight,
         "cat two\nthree\ndog b"},
        {"scrolled to its last line", {"cat|one/two/three", "dog|b"}, 2, kHeight, "cat three\ndog b"},
        {"a long headword scrolled past its body",
         {"abcdefghijkl|body", "dog|b"},
         1,
         kHeight,
         "abcdefghijkl\ndog b"},
        {"lines below the view are not read", {"cat|one/two/three", "dog|b"}, 0, 45, "cat one\ntwo\n"},
        {"an entry below the view is not read", {"cat|a", "dog|b"}, 0, 25, "cat a"},
        {"Greek", {"λόγος|ο λόγος"}, 0, kHeight, "λόγος ο λόγος"},
        {"Arabic in text order, not screen order", {"كتاب|كتب جديدة"}, 0, kHeight, "كتاب كتب جديدة"},
        {"a character outside the basic plane", {"𝄞|clef"}, 0, kHeight, "𝄞 clef"},
        {"nothing laid out", {}, 0, kHeight, ""},
    };
    for (const TTextCase& c : cases) {
        Read(c.Entries, c.TopLine, c.Height);
        EXPECT_EQ(screen.Text().toStdString(), c.Expected) << c.Name;
    }
}

struct TOffsetCase {
    const char* Name;
    std::vector<std::string> Entries;
    int TopLine;
    TScreenPosition Position;
    int Offset;
};

TEST_F(ScreenTextTest, BytesMapToTheCharactersHoldingThem)
{
    const TOffsetCase cases[] = {
        {"the first character", {"cat|a"}, 0, {7, 0}, 0},
        {"the body mark is the space", {"cat|a"}, 0, {7, 3}, 3},
        {"the body", {"cat|a"}, 0, {7, 4}, 4},
        {"an entry's end is its line break", {"cat|a", "dog|b"}, 0, {7, 5}, 5},
        {"the next entry", {"cat|a", "dog|b"}, 0, {8, 1}, 7},
        {"the last entry's end is the text's end", {"cat|a", "dog|b"}, 0, {8, 5}, 11},
        {"the second byte of a Greek letter", {"λό|x"}, 0, {7, 1}, 0},
        {"the next Greek letter", {"λό|x"}, 0, {7, 2}, 1},
        {"after two-byte letters", {"λό|x"}, 0, {7, 5}, 3},
        {"inside a four-byte character", {"𝄞|x"}, 0, {7, 2}, 0},
        {"after a surrogate pair", {"𝄞|x"}, 0, {7, 5}, 3},
        {"a code: the character after it", {StyledMarkup("*cat*|x")}, 0, {7, 0}, 0},
        {"a hidden line: the first character after it", {"cat|one/two"}, 1, {7, 5}, 4},
        {"an entry not on screen", {"cat|a"}, 0, {9, 0}, -1},
    };
    for (const TOffsetCase& c : cases) {
        Read(c.Entries, c.TopLine);
        EXPECT_EQ(screen.OffsetOf(c.Position), c.Offset) << c.Name;
    }
}

TEST_F(ScreenTextTest, EveryOffsetRoundTripsThroughItsPosition)
{
    Read({"λόγος|ο 𝄞 [link] one two three four five six seven eight nine", "كتاب|كتب جديدة/x",
          "e\u0301te\u0301|ok"});
    ASSERT_GT(screen.Length(), 40);
    for (int offset = 0; offset < screen.Length(); ++offset) {
        const int start = screen.Text()[offset].isLowSurrogate() ? offset - 1 : offset;
        const TScreenPosition position = screen.PositionAt(offset);
        EXPECT_EQ(screen.OffsetOf(position), start) << offset;
    }
    EXPECT_EQ(screen.PositionAt(screen.Length()),
              (TScreenPosition{9, static_cast<int>(items[2].Text.size())}));
    EXPECT_EQ(screen.PositionAt(-3), (TScreenPosition{7, 0}));
}

TEST_F(ScreenTextTest, RectanglesAndPointsAgreeWithTheHitTest)
{
    Read({"cat|aaa bbb ccc ddd eee fff ggg hhh iii jjj", "كتاب|كتب جديدة", "e\u0301te\u0301|x"}, 0);
    EXPECT_EQ(screen.CharacterRect(0), (TRect{5, 5, 15, 25}));    // "c"
    EXPECT_EQ(screen.CharacterRect(3), (TRect{35, 5, 100, 25}));  // the gap read as a space
    const int lineEnd = screen.Text().indexOf(u'\n');
    EXPECT_EQ(screen.CharacterRect(lineEnd), (TRect{370, 5, kBarLeft, 25}));
    EXPECT_EQ(screen.CharacterRect(screen.Length()), kNoRect);

    int checked = 0;
    for (int offset = 0; offset < screen.Length(); ++offset) {
        if (screen.Text()[offset] == u'\n' || screen.Text()[offset].isLowSurrogate())
            continue;
        const TRect rect = screen.CharacterRect(offset);
        ASSERT_NE(rect, kNoRect) << offset;
        const int x = (rect.Left + rect.Right) / 2;
        const int y = (rect.Top + rect.Bottom) / 2;
        const TScreenPosition position = screen.PositionAt(offset);
        const int slot = position.Entry - 7;
        int top = kTopMargin;
        for (int j = 0; j < slot; ++j)
            top += items[static_cast<size_t>(j)].Lines * 20;
        const THit hit = HitTest(layout, items[static_cast<size_t>(slot)], x, y, top, 0, kBarLeft);
        // A cluster of several characters is hit at its first one.
        const TScreenPosition first = screen.PositionAt(screen.OffsetAt(x, y));
        EXPECT_EQ(first, (TScreenPosition{position.Entry, hit.Index})) << offset;
        EXPECT_EQ(screen.CharacterRect(screen.OffsetAt(x, y)), rect) << offset;
        ++checked;
    }
    EXPECT_GT(checked, 50);
    EXPECT_EQ(screen.OffsetAt(200, 4), -1);    // the top margin
    EXPECT_EQ(screen.OffsetAt(200, 290), -1);  // below the last entry
}

TEST_F(ScreenTextTest, AScrolledTopEntryIsHitWhereItsBodyGoesOn)
{
    Read({"cat|one/two/three", "dog|b"}, 1);
    ASSERT_EQ(screen.Text().toStdString(), "cat two\nthree\ndog b");
    EXPECT_EQ(screen.CharacterRect(4), (TRect{100, 5, 110, 25}));  // "t" beside the headword
    EXPECT_EQ(screen.OffsetAt(105, 10), 4);
    EXPECT_EQ(screen.OffsetAt(105, 30), 8);  // "three"
    EXPECT_EQ(screen.OffsetAt(10, 50), 14);  // "dog"
    EXPECT_EQ(screen.PositionAt(8), (TScreenPosition{7, static_cast<int>(items[0].Text.find("three"))}));
}

}  // namespace
}  // namespace lirabo
