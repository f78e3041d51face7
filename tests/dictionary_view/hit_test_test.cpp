#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "dictionary_view/hit_test.h"
#include "dictionary_view/link_recorder.h"
#include "dictionary_view/text_walker.h"
#include "test_metrics.h"

namespace lirabo {
namespace {

using testing::Markup;
using testing::StyledMarkup;
using testing::TFakeMetrics;
using testing::UnevenMetrics;
using testing::UniformMetrics;

constexpr int kBarLeft = 400;

// Characters 10 pixels wide, lines 20 high, the body column at x = 100.
class HitTestTest : public ::testing::Test {
protected:
    HitTestTest() : layout(styles)
    {
        layout.SetMetrics(&metrics);
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

    TFakeMetrics metrics = UniformMetrics(10, -1, 20);
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

// Uneven widths (letters 7 plain, 11 bold, 9 italic, 13 bold italic; spaces
// 4, 6, 5, 8), lines 17 high, the body column at x = 60, the bar at x = 300:
// every edge is probed on the pixel itself and on both sides of it.
class BoundaryHitTest : public ::testing::Test {
protected:
    static constexpr int kBar = 300;

    BoundaryHitTest() : layout(styles)
    {
        layout.SetMetrics(&metrics);
        layout.SetIndent(60);
    }

    THit Hit(const TProcessedItem& Item, int X, int Y)
    {
        return HitTest(layout, Item, X, Y, kTopMargin, 0, kBar);
    }

    std::vector<TLinkRect> Links(const TProcessedItem& Item)
    {
        TLinkRecorder recorder(layout.LineHeight());
        recorder.BeginEntry(Item.Text);
        TTextWalker(layout).Walk(Item.Text, Item.Lines, kTopMargin, 0, recorder);
        return recorder.Links();
    }

    TProcessedItem Wrapped(const std::string& Text, int W)
    {
        TProcessedItem item;
        layout.WrapEntry(item, StyledMarkup(Text), W);
        return item;
    }

    TFakeMetrics metrics = UnevenMetrics(17);
    TDictionaryStyles styles;
    TEntryLayout layout;
};

// "cat" 5..26, the gap to the column, "aaa bbb" 60..106 on the line 5..22,
// "ccc" 60..81 on the line 22..39.
const TProcessedItem kUneven{Markup("cat|aaa bbb ~ccc"), 2};

TEST_F(BoundaryHitTest, ACharacterOwnsThePointsUpToAndIncludingItsRightEdge)
{
    EXPECT_EQ(Hit(kUneven, 12, 10).Index, 0);
    EXPECT_EQ(Hit(kUneven, 13, 10).Index, 1);
    EXPECT_EQ(Hit(kUneven, 19, 10).Index, 1);
    EXPECT_EQ(Hit(kUneven, 20, 10).Index, 2);
    EXPECT_EQ(Hit(kUneven, 19, 10).Rect, (TRect{12, 5, 19, 22}));
    // Bold and italic characters are wider: "a" is 12..23 and 12..21.
    const TProcessedItem bold{StyledMarkup("c*a*t|x"), 1};
    EXPECT_EQ(Hit(bold, 23, 10).Index, 2);
    EXPECT_EQ(Hit(bold, 23, 10).Rect, (TRect{12, 5, 23, 22}));
    EXPECT_EQ(Hit(bold, 24, 10).Index, 4);
    const TProcessedItem italic{StyledMarkup("c^a^t|x"), 1};
    EXPECT_EQ(Hit(italic, 21, 10).Index, 2);
    EXPECT_EQ(Hit(italic, 22, 10).Index, 4);
    EXPECT_EQ(Hit(italic, 22, 10).Rect, (TRect{21, 5, 28, 22}));
}

TEST_F(BoundaryHitTest, TheBodyMarkOwnsTheGapUpToAndIncludingTheColumn)
{
    EXPECT_EQ(Hit(kUneven, 26, 10).Index, 2);
    EXPECT_EQ(Hit(kUneven, 27, 10).Index, 3);
    EXPECT_EQ(Hit(kUneven, 27, 10).Rect, (TRect{26, 5, 60, 22}));
    EXPECT_EQ(Hit(kUneven, 60, 10).Index, 3);
    EXPECT_EQ(Hit(kUneven, 61, 10).Index, 4);
}

TEST_F(BoundaryHitTest, LineEndsAndTheContinuationIndentMeetTheTextAtItsExactEdges)
{
    // The end of the first line: "b" up to 106, then the space before the break.
    EXPECT_EQ(Hit(kUneven, 106, 10).Index, 10);
    EXPECT_EQ(Hit(kUneven, 107, 10).Index, 11);
    EXPECT_EQ(Hit(kUneven, 107, 10).Rect, (TRect{106, 5, kBar, 22}));
    // The indent of the second line belongs to that space, up to the column.
    EXPECT_EQ(Hit(kUneven, 59, 30).Index, 11);
    EXPECT_EQ(Hit(kUneven, 60, 30).Index, 11);
    EXPECT_EQ(Hit(kUneven, 60, 30).Rect, (TRect{5, 22, 60, 39}));
    EXPECT_EQ(Hit(kUneven, 61, 30).Index, 13);
    // The end of the text.
    EXPECT_EQ(Hit(kUneven, 81, 30).Index, 15);
    EXPECT_EQ(Hit(kUneven, 82, 30).Index, 16);
    EXPECT_EQ(Hit(kUneven, 82, 30).Rect, (TRect{81, 22, kBar, 39}));
    // The line tops and bottoms.
    EXPECT_EQ(Hit(kUneven, 70, 4).Index, -1);
    EXPECT_EQ(Hit(kUneven, 70, 5).Index, 5);
    EXPECT_EQ(Hit(kUneven, 70, 21).Index, 5);
    EXPECT_EQ(Hit(kUneven, 70, 22).Index, 14);
    EXPECT_EQ(Hit(kUneven, 70, 38).Index, 14);
    EXPECT_EQ(Hit(kUneven, 70, 39).Index, -1);
}

TEST_F(BoundaryHitTest, TheSpaceBeforeAHardBreakOwnsTheRestOfItsLine)
{
    // "aa" 60..74; the space before the break is not drawn as part of the line.
    const TProcessedItem item{Markup("h|aa /bb"), 2};
    EXPECT_EQ(Hit(item, 74, 10).Index, 3);
    EXPECT_EQ(Hit(item, 75, 10).Index, 4);
    EXPECT_EQ(Hit(item, 75, 10).Rect, (TRect{74, 5, kBar, 22}));
    EXPECT_EQ(Hit(item, 60, 30).Index, 4);
    EXPECT_EQ(Hit(item, 61, 30).Index, 6);
}

TEST_F(BoundaryHitTest, ALinkPieceOwnsItsLeftEdgeButNotItsRightEdge)
{
    // "see " 60..85, "big" 85..106 before the soft break, "cat" 60..81 after it.
    const TProcessedItem item{Markup("h|see [big ~cat] now"), 2};
    std::vector<TLinkRect> links = Links(item);
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].Rect, (TRect{85, 5, 106, 22}));
    EXPECT_EQ(links[1].Rect, (TRect{60, 22, 81, 39}));
    for (const auto& [x, y, inside] : {std::tuple{84, 10, false},
                                       {85, 10, true},
                                       {105, 10, true},
                                       {106, 10, false},
                                       {59, 30, false},
                                       {60, 30, true},
                                       {80, 30, true},
                                       {81, 30, false},
                                       {90, 4, false},
                                       {90, 21, true},
                                       {70, 22, true},
                                       {70, 38, true},
                                       {70, 39, false}})
        EXPECT_EQ(links[0].Rect.Contains(x, y) || links[1].Rect.Contains(x, y), inside) << x << "," << y;
    // In a bold link style the pieces are measured bold.
    styles.SetElementStyle(deLink, fsBold);
    links = Links(item);
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].Rect, (TRect{85, 5, 118, 22}));
    EXPECT_EQ(links[1].Rect, (TRect{60, 22, 93, 39}));
}

TEST_F(BoundaryHitTest, ALinkEndingExactlyAtTheRightLimitStaysOnePiece)
{
    // "big cat" is 85..131.
    for (const int w : {132, 131}) {
        const TProcessedItem item = Wrapped("h|see [big cat] now", w);
        EXPECT_EQ(item.Text, Markup("h|see [big cat] ~now")) << w;
        const std::vector<TLinkRect> links = Links(item);
        ASSERT_EQ(links.size(), 1u) << w;
        EXPECT_EQ(links[0].Rect, (TRect{85, 5, 131, 22})) << w;
    }
    const TProcessedItem item = Wrapped("h|see [big cat] now", 130);
    EXPECT_EQ(item.Text, Markup("h|see [big ~cat] now"));
    const std::vector<TLinkRect> links = Links(item);
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].Rect, (TRect{85, 5, 106, 22}));
    EXPECT_EQ(links[1].Rect, (TRect{60, 22, 81, 39}));
    EXPECT_EQ(links[1].Link, "big cat");
}

// The runs a walk reports, as "text@x/style" per run and "|" per line.
class TRunLog : public TLineVisitor {
public:
    explicit TRunLog(const std::string& Text) : FText(Text) {}
    bool Run(const TTextRun& Run) override
    {
        Log += (Log.empty() || Log.back() == '|' ? "" : " ") +
               FText.substr(static_cast<size_t>(Run.Begin), static_cast<size_t>(Run.End - Run.Begin)) + "@" +
               std::to_string(Run.Left) + "/" + std::to_string(Run.Style);
        return true;
    }
    bool NextLine(int, unsigned char, int, int, bool, int) override
    {
        Log += "|";
        return true;
    }
    std::string Log;

private:
    std::string FText;
};

TEST_F(BoundaryHitTest, TheWalkDrawsEachRunInTheWidthStyleItWasMeasuredIn)
{
    const auto runs = [&](const std::string& Text) {
        const std::string text = StyledMarkup(Text);
        TRunLog log(text);
        TTextWalker(layout).Walk(text, 3, kTopMargin, 0, log);
        return log.Log;
    };
    // Style 1 is bold, 2 italic, 3 both.
    EXPECT_EQ(runs("h|^aa^ bb"), "h@5/0 aa@60/2  bb@78/0");
    EXPECT_EQ(runs("h|*a^a*b^ b"), "h@5/0 a@60/1 a@71/3 b@84/2  b@93/0");
    EXPECT_EQ(runs("h|^aa /bb^ cc"), "h@5/0 aa@60/2|bb@60/2  cc@78/0");
    styles.SetElementStyle(deLink, fsBold);
    EXPECT_EQ(runs("h|^aa [ll] bb^ c"), "h@5/0 aa @60/2 ll@83/1  bb@105/2  c@128/0");
    styles.SetElementStyle(deDefinition, fsItalic);
    EXPECT_EQ(runs("^h^|^aa^ bb"), "h@5/2 aa@60/0  bb@74/2");
}

}  // namespace
}  // namespace lirabo
