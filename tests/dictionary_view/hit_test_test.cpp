#include <gtest/gtest.h>

#include <random>

#include "dictionary_view/hit_test.h"
#include "dictionary_view/link_recorder.h"
#include "dictionary_view/text_walker.h"
#include "test_metrics.h"

namespace lirabo {
namespace {

using testing::Markup;
using testing::UniformWidths;

constexpr int kBarLeft = 400;

// Characters 10 pixels wide, lines 20 high, the body column at x = 100.
class HitTestTest : public ::testing::Test {
protected:
    HitTestTest() : layout(styles)
    {
        layout.SetMetrics(UniformWidths(10), 20);
        layout.SetIndent(100);
    }

    THit Hit(const TProcessedItem& Item, int X, int Y, int Hidden = 0)
    {
        return HitTest(layout, Item, X, Y, kTopMargin, Hidden, kBarLeft);
    }

    std::vector<TLinkRect> Links(const std::string& Text, int Lines, int Hidden = 0)
    {
        TLinkRecorder recorder(layout.LineHeight());
        recorder.BeginEntry(Text);
        TTextWalker(layout).Walk(Text, Lines, kTopMargin, Hidden, recorder);
        return recorder.Links();
    }

    TDictionaryStyles styles;
    TEntryLayout layout;
};

// "cat" 5..35, the body "aaa bbb" 100..170 on line one, "ccc" 100..130 on line two.
const TProcessedItem kWrapped{Markup("cat|aaa bbb ~ccc"), 2};

TEST_F(HitTestTest, CharactersAreHitWhenTheirRightEdgeReachesThePoint)
{
    EXPECT_EQ(Hit(kWrapped, 12, 10).Index, 0);
    EXPECT_EQ(Hit(kWrapped, 12, 10).Rect, (TRect{5, 5, 15, 25}));
    EXPECT_EQ(Hit(kWrapped, 15, 10).Index, 0);
    EXPECT_EQ(Hit(kWrapped, 16, 10).Index, 1);
    EXPECT_EQ(Hit(kWrapped, 0, 10).Index, 0);  // the left margin belongs to the first character
    EXPECT_EQ(Hit(kWrapped, 105, 10).Index, 4);
    EXPECT_EQ(Hit(kWrapped, 105, 30).Index, 13);
    EXPECT_EQ(Hit(kWrapped, 105, 4).Index, -1);   // the top margin
    EXPECT_EQ(Hit(kWrapped, 105, 45).Index, -1);  // below the entry
}

TEST_F(HitTestTest, TheGapBeforeTheColumnIsTheBodyMark)
{
    EXPECT_EQ(Hit(kWrapped, 60, 10).Index, 3);
    EXPECT_EQ(Hit(kWrapped, 100, 10).Index, 3);
}

TEST_F(HitTestTest, LineEndsAndIndentAreasBelongToTheLineBefore)
{
    // Right of "aaa bbb": the space before the break, up to the scroll bar.
    const THit end = Hit(kWrapped, 300, 10);
    EXPECT_EQ(end.Index, 11);
    EXPECT_EQ(end.Rect, (TRect{170, 5, kBarLeft, 25}));
    // The indent area of the continuation line.
    const THit indent = Hit(kWrapped, 50, 30);
    EXPECT_EQ(indent.Index, 11);
    EXPECT_EQ(indent.Rect, (TRect{5, 25, 100, 45}));
    // Past the last line's text: the end of the text.
    const THit last = Hit(kWrapped, 300, 30);
    EXPECT_EQ(last.Index, 16);
    EXPECT_EQ(last.Rect, (TRect{130, 25, kBarLeft, 45}));
}

TEST_F(HitTestTest, HiddenBodyLinesOfTheTopEntryAreSkippedLikeThePainterSkipsThem)
{
    // Two of three body lines scrolled away: the headword stays and the third
    // body line shows beside it.
    const TProcessedItem item{Markup("cat|l1 ~l2 ~l3"), 3};
    EXPECT_EQ(Hit(item, 10, 10, 2).Index, 0);
    EXPECT_EQ(Hit(item, 60, 10, 2).Index, 3);
    EXPECT_EQ(Hit(item, 105, 10, 2).Index, 12);
    EXPECT_EQ(Hit(item, 300, 10, 2).Index, 14);
    EXPECT_EQ(Hit(item, 105, 30, 2).Index, -1);
    // A wrapped headword whose lines cover what is left: only its lines show.
    const TProcessedItem tall{Markup("aaaa ~bbbb~|x ~y"), 4};
    EXPECT_EQ(Hit(tall, 10, 10, 3).Index, 0);
    EXPECT_EQ(Hit(tall, 10, 30, 3).Index, -1);
}

TEST_F(HitTestTest, InvalidCodesEndTheEntry)
{
    const TProcessedItem item{Markup("h|ab") + "\x10" + "cd", 1};
    EXPECT_EQ(Hit(item, 105, 10).Index, 2);
    EXPECT_EQ(Hit(item, 200, 10).Index, -1);
}

TEST_F(HitTestTest, ALinkWrappedOverTwoLinesGivesTwoPiecesWithTheWholeText)
{
    const std::vector<TLinkRect> links = Links(Markup("h|see [big ~cat] now"), 2);
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].Rect, (TRect{140, 5, 170, 25}));
    EXPECT_EQ(links[1].Rect, (TRect{100, 25, 130, 45}));
    EXPECT_EQ(links[0].Link, "big cat");
    EXPECT_EQ(links[1].Link, "big cat");
}

TEST_F(HitTestTest, LinkTextsLoseTheirMarkupAndBrokenLinksCannotBeHit)
{
    EXPECT_EQ(Links(Markup("h|[a\x03"
                           "b\x04]"),
                    1)
                  .at(0)
                  .Link,
              "ab");
    EXPECT_EQ(Links(Markup("h|[]"), 1).at(0).Link, "");

    const std::vector<TLinkRect> open = Links(Markup("h|[abc"), 1);
    ASSERT_EQ(open.size(), 1u);
    EXPECT_FALSE(open[0].Rect.Contains(105, 10));

    const std::vector<TLinkRect> nested = Links(Markup("h|[a[b]"), 1);
    ASSERT_EQ(nested.size(), 2u);
    EXPECT_FALSE(nested[0].Rect.Contains(105, 10));
    EXPECT_EQ(nested[1].Link, "b");
    EXPECT_TRUE(nested[1].Rect.Contains(115, 10));

    // A link on a hidden body line has no width.
    const std::vector<TLinkRect> hidden = Links(Markup("h|[one] ~two"), 2, 1);
    ASSERT_EQ(hidden.size(), 1u);
    EXPECT_EQ(hidden[0].Rect.Right, hidden[0].Rect.Left);
}

// A walk that stops at the first line break, as the painter stops below the view.
class TFirstLineOnly : public TLinkRecorder {
public:
    using TLinkRecorder::TLinkRecorder;
    bool NextLine(int Index, unsigned char Code, int X, int Y, bool Visible, int LineStart) override
    {
        TLinkRecorder::NextLine(Index, Code, X, Y, Visible, LineStart);
        CutOff(Index);
        return false;
    }
};

TEST_F(HitTestTest, ALinkCutOffAtTheBottomStillCarriesItsWholeText)
{
    for (const auto& [text, expected] :
         {std::pair<std::string, std::string>{Markup("h|see [big ~cat] now"), "big cat"},
          {Markup("h|see [big ~cat"), ""}}) {
        const std::string laidOut = text;
        TFirstLineOnly recorder(layout.LineHeight());
        recorder.BeginEntry(laidOut);
        TTextWalker(layout).Walk(laidOut, 2, kTopMargin, 0, recorder);
        ASSERT_FALSE(recorder.Links().empty());
        const TLinkRect& first = recorder.Links()[0];
        EXPECT_EQ(first.Link, expected);
        EXPECT_EQ(first.Rect.Right > first.Rect.Left, !expected.empty())
            << "an unfinished link cannot be hit";
    }
}

TEST_F(HitTestTest, RandomTextsNeverHitOutsideTheText)
{
    std::mt19937 random(11);
    for (int round = 0; round < 500; ++round) {
        std::string text(random() % 200, ' ');
        for (char& c : text)
            c = static_cast<char>(random() % 3 == 0 ? random() % 33 : 'a' + random() % 26);
        TProcessedItem item;
        layout.WrapEntry(item, text, 300);
        const int hidden = static_cast<int>(random() % static_cast<unsigned>(item.Lines));
        for (int probe = 0; probe < 20; ++probe) {
            const THit hit =
                Hit(item, static_cast<int>(random() % 420), static_cast<int>(random() % 200), hidden);
            EXPECT_GE(hit.Index, -1);
            EXPECT_LE(hit.Index, static_cast<int>(item.Text.size()));
        }
        Links(item.Text, item.Lines, hidden);
    }
}

}  // namespace
}  // namespace lirabo
