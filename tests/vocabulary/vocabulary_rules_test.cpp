// Rows, the shuffle and the score: the rules of the trainer without windows.

#include <gtest/gtest.h>

#include <algorithm>

#include "language/language.h"
#include "vocabulary/vocabulary_row.h"
#include "vocabulary/vocabulary_score.h"
#include "vocabulary/vocabulary_shuffle.h"

namespace lirabo {
namespace {

TEST(VocabularyRow, SourceEndsAtTheFirstEquals)
{
    EXPECT_EQ(RowSource("a=b=c"), "a");
    EXPECT_EQ(RowTarget("a=b=c"), "b=c");
    EXPECT_EQ(RowSource("no equals"), "");
    EXPECT_EQ(RowTarget("no equals"), "");
    EXPECT_EQ(RowTarget("=only target"), "only target");
    EXPECT_TRUE(IsBlankRow("="));
    EXPECT_TRUE(IsBlankRow("=target"));
    EXPECT_FALSE(IsBlankRow("no equals"));
    EXPECT_FALSE(IsBlankRow("source="));
    // What would change the list on the next reading becomes a blank.
    EXPECT_EQ(MakeRow("E=mc2", "line\r\nbreak"), "E mc2=line  break");
    EXPECT_EQ(MakeRow("a", "b=c"), "a=b=c");
}

TEST(VocabularyRow, EntryGivesTheLineThatTranslatesTheHeadword)
{
    constexpr TTextEncoding kAnsi = TTextEncoding::Windows1252;
    constexpr TTextEncoding kUtf8 = TTextEncoding::Utf8;
    // A translation dictionary: pronunciation and gender are not the answer.
    EXPECT_EQ(EntryRow("house", "\x04/h'aUs/\x04\rHaus \x08neut\x07\r\x04\"build a house\"\x04 - ein Haus bauen", kAnsi),
              "house=Haus");
    EXPECT_EQ(EntryRow("Haus", "\x04/h'aUs/\x04 \x08neut, n, sg\x07\r\x0A" "adm.\x07 establishment \x08n\x07, institution", kAnsi),
              "Haus=establishment, institution");
    // A monolingual one: the first sense, without its number and examples.
    EXPECT_EQ(EntryRow("house", "\x08noun\x07\r1. a dwelling for families; \x04\"he has a house\"\x04\r2. a firm", kAnsi),
              "house=a dwelling for families");
    // Links keep their words; the file's text becomes Unicode by its own encoding.
    EXPECT_EQ(EntryRow("caf\xE9", "\x09" "coffee\x0F shop", kAnsi), QString::fromUtf8("café=coffee shop"));
    EXPECT_EQ(EntryRow("σπίτι", "\x08ουσ.\x07 1. house; \x04το\x04", kUtf8), QString::fromUtf8("σπίτι=house"));
    // A damaged UTF-8 file never hands a list invalid text.
    EXPECT_EQ(EntryRow("b\xFF" "d", "ok \xC3", kUtf8), QString::fromUtf8("b\uFFFDd=ok \uFFFD"));
    // Only notes and examples: the first line with any text.
    EXPECT_EQ(EntryRow("x", "\r\x04" "an example\x04\rmore", kAnsi), "x=more");
    EXPECT_EQ(EntryRow("y", "\x08" "adj\x07", kAnsi), "y=adj");
    EXPECT_EQ(EntryRow("empty", "", kAnsi), "empty=");
}

TEST(VocabularyShuffle, KeepsTheRowsAndFollowsTheDraws)
{
    QStringList none;
    ShuffleRows(none);
    EXPECT_TRUE(none.isEmpty());
    QStringList one{"a=1"};
    ShuffleRows(one);
    EXPECT_EQ(one, QStringList{"a=1"});

    // Draws of 2 never compare as less: the first pass reverses the rows,
    // then the parts on either side are exchanged once more (traced by hand).
    QStringList two{"a=1", "b=2"};
    ShuffleRows(two, [] { return 2; });
    EXPECT_EQ(two, QStringList({"b=2", "a=1"}));
    QStringList three{"a=1", "b=2", "c=3"};
    ShuffleRows(three, [] { return 2; });
    EXPECT_EQ(three, QStringList({"c=3", "b=2", "a=1"}));
    QStringList five{"a=1", "b=2", "c=3", "d=4", "e=5"};
    ShuffleRows(five, [] { return 2; });
    EXPECT_EQ(five, QStringList({"d=4", "e=5", "c=3", "a=1", "b=2"}));

    QStringList many;
    for (int i = 0; i < 500; ++i)
        many << QStringLiteral("w%1=%1").arg(i);
    QStringList shuffled = many;
    ShuffleRows(shuffled);
    EXPECT_NE(shuffled, many);
    std::sort(shuffled.begin(), shuffled.end());
    QStringList sorted = many;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(shuffled, sorted);
}

TEST(VocabularyScore, PercentBandsChooseTheComment)
{
    EXPECT_EQ(ScoreCommentKey(ScorePercent(1, 1)), 8015);
    EXPECT_EQ(ScoreCommentKey(ScorePercent(1, 2)), 8012);
    EXPECT_EQ(ScorePercent(1, 3), 33);
    EXPECT_EQ(ScoreCommentKey(ScorePercent(1, 3)), 8012);
    EXPECT_EQ(ScorePercent(2, 3), 66);
    EXPECT_EQ(ScoreCommentKey(ScorePercent(2, 3)), 8013);
    EXPECT_EQ(ScoreCommentKey(0), 8011);
    EXPECT_EQ(ScoreCommentKey(30), 8011);
    EXPECT_EQ(ScoreCommentKey(31), 8012);
    EXPECT_EQ(ScoreCommentKey(50), 8012);
    EXPECT_EQ(ScoreCommentKey(51), 8013);
    EXPECT_EQ(ScoreCommentKey(70), 8013);
    EXPECT_EQ(ScoreCommentKey(71), 8014);
    EXPECT_EQ(ScoreCommentKey(99), 8014);
    EXPECT_EQ(ScorePercent(99, 100), 99);
    EXPECT_EQ(ScorePercent(0, 0), 0);
}

TEST(VocabularyScore, NumbersFillPlaceholdersInOrder)
{
    EXPECT_EQ(TLanguage::FillNumbers("so far: (%d of %d)", {2, 3}), "so far: (2 of 3)");
    EXPECT_EQ(TLanguage::FillNumbers("%d percent", {100}), "100 percent");
    // Too many placeholders stay visible; too few numbers are dropped.
    EXPECT_EQ(TLanguage::FillNumbers("%d and %d", {1}), "1 and %d");
    EXPECT_EQ(TLanguage::FillNumbers("none", {1, 2}), "none");
}

}  // namespace
}  // namespace lirabo
