#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionary/utf8_text.h"
#include "makrel/dictd/dictd_notice.h"
#include "makrel/dictd/letter_codes.h"
#include "makrel/dictd/paragraph_reflow.h"
#include "makrel/dictd/wrap_column.h"

namespace makrel {
namespace {

// The reflowed lines of Text, one a string.
std::vector<std::string> Reflow(const std::string& Text, int Column)
{
    std::vector<std::string> result;
    for (const TParagraphReflow::TParagraph& p : TParagraphReflow(Column).Reflow(TParagraphReflow::Split(Text)))
        result.push_back(p.Text);
    return result;
}

using Lines = std::vector<std::string>;

TEST(WrapColumnTest, AWallOfLineEndsIsAColumnAndASpreadIsNot)
{
    // Greedy wrapping at 40 of running text: most lines end in the last few columns.
    const std::string words =
        "the quick brown fox jumps over the lazy dog while seven wizards quietly judge boxing matches ";
    std::string prose;
    std::string line;
    for (int i = 0; i < 60; ++i) {
        for (size_t start = 0; start < words.size();) {
            const size_t end = words.find(' ', start);
            const std::string word = words.substr(start, end - start);
            start = end + 1;
            if (line.size() + 1 + word.size() > 40) {
                prose += line + "\n";
                line.clear();
            }
            line += (line.empty() ? "" : " ") + word;
        }
    }
    TWrapColumn wrapped;
    wrapped.Add(prose);
    EXPECT_EQ(40, wrapped.Column());

    // One translation a line, of every length: no wall.
    TWrapColumn spread;
    for (int i = 0; i < 400; ++i)
        spread.Add(std::string(5 + (i * 37) % 120, 'x') + "\n");
    EXPECT_EQ(0, spread.Column());

    TWrapColumn few;
    few.Add(prose.substr(0, 200));
    EXPECT_EQ(0, few.Column()) << "a handful of lines says nothing";

    EXPECT_EQ(5, TWrapColumn::Width("caf\xC3\xA9s"));
}

TEST(WrapColumnTest, WidthCountsTheColumnsOfFixedWidthType)
{
    struct TCase {
        const char* Text;
        int Width;
    };
    const TCase cases[] = {
        {"a\tb", 3},
        {"cafe\xCC\x81s", 5},                             // a combining mark takes no column
        {"\xD0\xA1\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xBE", 5},  // Cyrillic
        {"\xE8\xA8\x80\xE8\x91\x89 x", 6},                // wide ideographs
        {"\xED\x95\x9C\xEA\xB8\x80", 4},                  // Hangul
        {"\xEF\xBC\xA1", 2},                              // a full-width letter
        {"\xD9\x85\xE2\x80\x8C\xD9\x85", 2},              // a non-joiner takes no column
        {"caf\xE9 \xA3", 6},                              // a legacy code page's letters count one each
    };
    for (const TCase& c : cases)
        EXPECT_EQ(c.Width, TWrapColumn::Width(c.Text)) << c.Text;
}

TEST(ParagraphReflowTest, WrappedLinesJoinWhereTheColumnBrokeThem)
{
    // Column 30. "full" lines would have taken the next word past it.
    EXPECT_EQ(Lines({"A structure intended or used as a habitation or a shelter for animals."}),
              Reflow("A structure intended or used\nas a habitation or a shelter\nfor animals.\n", 30));
    EXPECT_EQ(Lines({"1. A structure intended or used as a dwelling.", "2. Household affairs."}),
              Reflow("1. A structure intended or\n   used as a dwelling.\n2. Household affairs.\n", 30))
        << "a hanging indent under the sense's text continues it; the next number starts anew";
    EXPECT_EQ(Lines({"Short lines of verse,", "each its own line."}),
              Reflow("Short lines of verse,\neach its own line.\n", 30))
        << "a line the next word would have fitted on was ended on purpose";
    EXPECT_EQ(Lines({"one two three four five six", "seven"}), Reflow("one two three four five six\n\nseven\n", 30))
        << "a blank line ends a paragraph";
    EXPECT_EQ(Lines({"Without a column every line stays", "a line of its own"}),
              Reflow("Without a column every line stays\n  a line of its own\n", 0));
}

TEST(ParagraphReflowTest, WhatStartsALineOfItsOwnKeepsItsBreak)
{
    const std::string full = "twenty-nine characters, wide,";  // no next word fits at 30
    for (const std::string next : {"2. a numbered sense", "b) a lettered one", "(c) in parentheses",
                                   "* a list item", "- another", "Note: a label", "Usage: another label",
                                   "[bot.] a field label", "<n> grammar", "[1913 Webster]"}) {
        EXPECT_EQ(2u, Reflow(full + "\n" + next + "\n", 30).size()) << next;
    }
    EXPECT_EQ(Lines({full + " e.g. not a sense"}), Reflow(full + "\ne.g. not a sense\n", 30));
    EXPECT_EQ(Lines({full, "a deeper quotation"}), Reflow(full + "\n        a deeper quotation\n", 30));
    EXPECT_EQ(Lines({"[Purdue]", "Text after a note."}), Reflow("[Purdue]\nText after a note.\n", 8))
        << "a bracketed note never takes the next line in";
}

TEST(ParagraphReflowTest, SourcesLinksAndBlanksAreJoinedAsTheyRead)
{
    EXPECT_EQ(Lines({"Houses are built to live in; not to look on. --Bacon."}),
              Reflow("   Houses are built to live in; not to look on.\n"
                     "                                     --Bacon.\n",
                     60))
        << "a source joins its quotation wherever it stands";
    EXPECT_EQ(Lines({"Palladius wished him to house all the Helots. --Sir P. Sidney."}),
              Reflow("Palladius wished him to house all the Helots. --Sir\n"
                     "                                          P. Sidney.\n",
                     50))
        << "the wrapped rest of a source joins it too";
    EXPECT_EQ(Lines({"converted to {machine language} by {ELIZA effect}."}),
              Reflow("converted to {machine\nlanguage} by {\nELIZA effect}.\n", 18))
        << "a link broken over two lines is whole again";
    EXPECT_EQ(Lines({"Do Caesar what he can. --Shak."}), Reflow("Do Caesar what he can.         --Shak.\n", 60))
        << "blanks that aligned a source go";
    EXPECT_EQ(Lines({"A drawing follows, and the columns must stay:", "o----+   +---o + D", "|   |      | U"}),
              Reflow("A drawing follows, and the columns must stay:\no----+   +---o + D\n|   |      | U\n", 20))
        << "lines aligned in columns keep their breaks and blanks";
}

TEST(ParagraphReflowTest, OnlyLinesAlignedInColumnsAreMarkedAligned)
{
    struct TCase {
        const char* Text;
        int Column;
        std::vector<bool> Aligned;  // of each paragraph
    };
    const TCase cases[] = {
        {"grep '[^a]*[-s]' file      lines without an a\n", 40, {true}},
        {"o----+   +---o + D\nA line of running text\n|   |      | U\n", 20, {true, false, true}},
        {"Do Caesar what he can.         --Shak.\n", 60, {false}},  // a source set flush right is prose
        {"grep '[^a]*[-s]' file\n", 40, {false}},
        {"a   b\nc   d\n", 0, {false, false}},  // without a column every line is kept as it is anyway
    };
    for (const TCase& c : cases) {
        std::vector<bool> aligned;
        const auto lines = TParagraphReflow::Split(c.Text);
        for (const TParagraphReflow::TParagraph& p : TParagraphReflow(c.Column).Reflow(lines))
            aligned.push_back(p.Aligned);
        EXPECT_EQ(c.Aligned, aligned) << c.Text;
    }
}

TEST(DictdNoticeTest, TheSentenceThatNamesTheRightsFollowsTheName)
{
    const std::string gpl =
        "Begin file 1 of 26\r\n\r\nGCIDE is free software; you can redistribute it\r\n"
        "and/or modify it under the terms of the GNU General\r\nPublic License. More follows.\r\n";
    EXPECT_EQ(
        "GCIDE \xE2\x80\x93 GCIDE is free software; you can redistribute it and/or modify it under the terms "
        "of the GNU General Public License.",
        DictdNotice("GCIDE", gpl, "http://example.org/"))
        << "gathered over the wrapped lines from the sentence's start to its end";
    EXPECT_EQ("D \xE2\x80\x93 Copyright (c): Frank Richter <f.r.example.org>",
              DictdNotice("D",
                          "# Version :: 1\r\n# Copyright (c) :: Frank Richter <f.r.example.org>,\r\n"
                          "# 1995 - 2023\r\n# License :: GPL\r\n",
                          ""))
        << "comment marks, a key-value separator and a dangling comma go";
    EXPECT_EQ("E \xE2\x80\x93 Available under the GNU General Public License ver. 2.0 or later.",
              DictdNotice("E", "Available under the GNU General Public License ver. 2.0 or later.", ""))
        << "a full stop before a digit does not end the sentence";
    std::string longer = "This text is in the public domain";
    for (int i = 0; i < 30; ++i)
        longer += " and more words";
    const std::string notice = DictdNotice("", longer + ".", "");
    EXPECT_EQ(0u, notice.find("This text is in the public domain")) << notice;
    EXPECT_TRUE(notice.ends_with("\xE2\x80\xA6")) << "a long sentence is cut with an ellipsis";
    EXPECT_LE(notice.size(), 163u);
    // Characters are counted, and none is cut in two.
    std::string cyrillic = "\xD0\xAD\xD1\x82\xD0\xBE\xD1\x82 copyright";
    for (int i = 0; i < 40; ++i)
        cyrillic += " \xD1\x81\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xBE";
    const std::string cut = DictdNotice("", cyrillic + ".", "");
    EXPECT_EQ(std::string::npos, lirabo::FindInvalidUtf8(cut)) << cut;
    EXPECT_EQ(159u, TWrapColumn::Width(cut)) << "the words within 160 characters and the ellipsis: " << cut;
    EXPECT_EQ("H \xE2\x80\x93 Licence: free.",
              DictdNotice("H", "Ver. 2.0 of the text. Licence: free. \xCE\xA4his is all.", ""))
        << "a capital beyond ASCII starts a sentence too";
    EXPECT_EQ("F \xE2\x80\x93 https://example.org/f",
              DictdNotice("F", "Nothing about rights.", "https://example.org/f"));
    EXPECT_EQ("G", DictdNotice("G", "", ""));
    EXPECT_EQ("", DictdNotice("", "", ""));
}

TEST(LetterCodesTest, BracketedLetterCodesBecomeLetters)
{
    EXPECT_EQ("C\xC3\xA6sar, r\xC3\xA9sum\xC3\xA9, fa\xC3\xA7" "ade, ma\xC3\xB1" "ana, Pr\xC3\xBC"
              "fung, \xC5\x93uvre, \xC3\xB0 \xC3\xBE",
              ReplaceLetterCodes("C[ae]sar, r['e]sum['e], fa[,c]ade, ma[~n]ana, Pr[\"u]fung, [oe]uvre, [eth] [thorn]"));
    EXPECT_EQ("(l\xC5\x8Dj), (\xC4\x83t), b\xC8\xA7", ReplaceLetterCodes("(l[=o]j), ([a^]t), b[.a]"))
        << "marks Windows-1252 has no letters for give their Unicode letters";
    const std::string plain = "[R.] [Obs.] [1913 Webster] [He] [ab] [ [x] [\"1] [unclosed";
    EXPECT_EQ(plain, ReplaceLetterCodes(plain)) << "labels and other brackets stay";
    EXPECT_EQ("[\xC3\xA9", ReplaceLetterCodes("[['e]"));
}

TEST(LetterCodesTest, AMarkOverALetterThatCannotCarryItIsNoCode)
{
    struct TCase {
        const char* Text;
        const char* Expected;
    };
    const TCase cases[] = {
        // Codes: a mark over a vowel, or a letter Latin-1 has.
        {"[^a]", "\xC3\xA2"},
        {"[^E]", "\xC3\x8A"},
        {"[~n]", "\xC3\xB1"},
        {"[,C]", "\xC3\x87"},
        {"['y]", "\xC3\xBD"},
        {"[~e]", "\xE1\xBA\xBD"},
        {"[-e]", "\xC4\x93"},
        {"[=O]", "\xC5\x8C"},
        {"[.u]", "u\xCC\x87"},  // no composed letter: u and the dot
        {"[*a]", "a"},
        {"[y^]", "y\xCC\x86"},
        {"[i^]", "\xC4\xAD"},
        {"[=oo]", "o\xCD\x9Eo"},
        {"[udd] [yogh] [imac] [=ae]", "\xE1\xB9\xB3 \xC8\x9D \xC4\xAB \xC7\xA3"},
        // Not codes: patterns, optional endings and other bracketed text.
        {"[^x]", "[^x]"},
        {"[-s]", "[-s]"},
        {"[=n]", "[=n]"},
        {"[.s]", "[.s]"},
        {"[*x]", "[*x]"},
        {"[x^]", "[x^]"},
        {"[~x]", "[~x]"},
        {"[,s]", "[,s]"},
        {"['n]", "['n]"},
        {"[^1]", "[^1]"},
        {"[-]", "[-]"},
        {"grep '[^x]*[-s]' or [^a]", "grep '[^x]*[-s]' or \xC3\xA2"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(c.Expected, ReplaceLetterCodes(c.Text)) << c.Text;
}

}  // namespace
}  // namespace makrel
