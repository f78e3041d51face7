#include <gtest/gtest.h>

#include <string>

#include "dictd_fixture.h"

namespace makrel {
namespace {

using test::RunCommand;

constexpr size_t kColumn = 64;

// Text wrapped greedily at kColumn, as the tools that made these sources
// wrap: the first line after First, the rest after Indent.
std::string Wrap(const std::string& Text, const std::string& First, const std::string& Indent)
{
    std::string out;
    std::string line = First;
    bool empty = true;
    for (size_t start = 0; start < Text.size();) {
        size_t end = Text.find(' ', start);
        if (end == std::string::npos)
            end = Text.size();
        const std::string word = Text.substr(start, end - start);
        start = end + 1;
        if (!empty && line.size() + 1 + word.size() > kColumn) {
            out += line + "\n";
            line = Indent;
            empty = true;
        }
        line += (empty ? "" : " ") + word;
        empty = false;
    }
    return out + line + "\n";
}

// A dictionary of wrapped prose in the shape of the old unabridged
// dictionaries: headlines with a syllabified form, numbered senses,
// indented quotations with their sources, and a citation after each part.
class DictdProseTest : public test::DictdFixture {
protected:
    void SetUp() override
    {
        Article({"00-database-short"}, "00-database-short\n     Tiny Prose Dictionary\n");
        Article({"00-database-info"},
                "00-database-info\nBegin file 1 of 1\n\nTiny is free text; you can redistribute it and/or modify "
                "it\nunder the terms of the Free Text Licence as published by the\nTiny Foundation. Thanks.\n");
        Article({"Lodge"},
                Wrap("Lodge \\Lodge\\ (l[o^]j), n.; pl. {Lodges}. [OE. loge, from an older word for a hut; see "
                     "{Hut}, and cf. {Loggia}.]",
                     "", "   ") +
                    Wrap("1. A small house in a park or forest, kept for shelter by hunters or for the use of "
                         "those who tend the grounds; a cottage near the gate of an estate.",
                         "   ", "      ") +
                    "      [1913 Webster]\n\n"
                    "            The lodge stood quiet at the edge of the wood.\n"
                    "                                                  --Anon.\n"
                    "      [1913 Webster]\n\n"
                    "            Smoke rose thin above the roof of reeds\n"
                    "            And dogs lay sleeping by the door. --Old Song.\n"
                    "      [1913 Webster]\n\n"
                    "   2. A den or cave of a wild beast.\n      [Obs.]\n      [PJC]\n\n"
                    "   3. [Obs.] The hall of C[ae]sar's guard. [With an adj., as great.] [Old 1900]\n"
                    "      [1913 Webster]\n\n"
                    "   Syn: Hut; cabin; shelter. See {Cottage}.\n        [1913 Webster]\n\n");
        // One article under spellings that differ only in case, and under two spellings.
        Article({"Announce", "announce", "announce"},
                "Announce \\An*nounce\"\\, v. t.\n   To give public notice of.\n   [1913 Webster]\n\n");
        Article({"Aard-vark", "aardvark"}, "aardvark \\aard\"vark`\\ n.\n   An African burrowing mammal.\n\n");
        // Running text enough to show where the source wraps.
        for (int i = 0; i < 8; ++i)
            Article({"Filler" + std::to_string(i)},
                    "Filler" + std::to_string(i) + " \\Fill\"er\\, n.\n" +
                        Wrap("That which fills a space between other things, as the words of a sentence fill "
                             "the line from one margin to the other, and then again on the next line, so that "
                             "a reader can see where the source was wrapped.",
                             "   ", "   "));
    }
};

TEST_F(DictdProseTest, WrappedProseReadsAsParagraphsWithQuietCitations)
{
    const std::string file = Build("tiny.dict", false);
    EXPECT_EQ("entries: 12, relations: 0, replaced characters: 0, shortened entries: 0\n", Summary);
    EXPECT_EQ("#\tLodge\t\\x04Lodge\\x04 (l\xC5\x8Fj), n.; pl. \\x09Lodges\\x0F. [OE. loge, from an older "
              "word for a hut; see \\x09Hut\\x0F, and cf. \\x09Loggia\\x0F.]\\x0D"
              "1. A small house in a park or forest, kept for shelter by hunters or for the use of those who tend "
              "the grounds; a cottage near the gate of an estate. \\x08[1913\xC2\xA0Webster]\\x07\\x0D"
              "The lodge stood quiet at the edge of the wood. --Anon. \\x08[1913\xC2\xA0Webster]\\x07\\x0D"
              "Smoke rose thin above the roof of reeds\\x0D"
              "And dogs lay sleeping by the door. --Old Song. \\x08[1913\xC2\xA0Webster]\\x07\\x0D"
              "2. A den or cave of a wild beast. \\x08[Obs.]\\x07 \\x08[PJC]\\x07\\x0D"
              "3. \\x0AObs.\\x07 The hall of C\xC3\xA6sar's guard. [With an adj., as great.] [Old 1900] "
              "\\x08[1913\xC2\xA0Webster]\\x07\\x0D"
              "\\x0ASyn:\\x07 Hut; cabin; shelter. See \\x09Cottage\\x0F. \\x08[1913\xC2\xA0Webster]\\x07\n",
              Lookup(file, "Lodge"))
        << "the headline's form is its pronunciation; the wrapped headline, senses and quotation are whole "
           "lines; verse keeps its lines; each citation goes quietly after what it cites, in one piece; letter "
           "codes are letters; a long bracket is a remark, a short one a label";
    EXPECT_EQ("#\tFiller0\t\\x04Fill\xC2\xB4"
              "er\\x04, n.\\x0DThat which fills a space between other things, as the words of a sentence fill the "
              "line from one margin to the other, and then again on the next line, so that a reader can see where "
              "the source was wrapped.\n",
              Lookup(file, "Filler0"));
}

TEST_F(DictdProseTest, IndexSpellingsStayAndCaseTwinsGo)
{
    const std::string file = Build("tiny.dict", false);
    EXPECT_EQ("#\tAnnounce\t\\x04An\xC2\xB7nounce\xC2\xB4\\x04, v. t.\\x0DTo give public notice of. "
              "\\x08[1913\xC2\xA0Webster]\\x07\n",
              Lookup(file, "announce"))
        << "an index that keeps case lists spellings: one entry for those alike but for case, the syllable "
           "dot and stress mark shown";
    EXPECT_EQ("#\tAard-vark\t\\x04aard\xC2\xB4vark`\\x04 n.\\x0DAn African burrowing mammal.\n",
              Lookup(file, "Aard-vark"));
    EXPECT_EQ("#\taardvark\t\\x04aard\xC2\xB4vark`\\x04 n.\\x0DAn African burrowing mammal.\n",
              Lookup(file, "aardvark"));
    const std::string info = RunCommand({"info", file}).Out;
    EXPECT_NE(std::string::npos,
              info.find("Notice: Tiny Prose Dictionary \xE2\x80\x93 Tiny is free text; you can redistribute it "
                        "and/or modify it under the terms of the Free Text Licence as published by the Tiny "
                        "Foundation.\n"))
        << info;
    EXPECT_EQ(0, RunCommand({"verify", file}).Code);
}

// A computing dictionary's article beside the letter codes of the old
// ones: programs and tables aligned in columns keep every character, while
// prose still reads its letter codes and nothing that only looks like one.
TEST_F(DictdProseTest, AlignedLinesKeepEveryCharacter)
{
    struct TCase {
        std::string Source;    // a body line
        std::string Expected;  // as the entry shows it
    };
    const TCase cases[] = {
        {"      grep '[^a]*[-s]' file      lines without an a", "grep '[^a]*[-s]' file      lines without an a"},
        {"      [^x]   [-s]   [,c]   [ae]   ['e]   [o^]", "[^x]   [-s]   [,c]   [ae]   ['e]   [o^]"},
        {"      #include <stdio.h>    /* {x} and /usr/ */", "#include <stdio.h>    /* {x} and /usr/ */"},
        {"      s/[=o]/[i^]/g   Note: [-e]", "s/[=o]/[i^]/g   Note: [-e]"},
        {"   In prose r['e]sum['e] and C[ae]sar are letters.",
         "In prose r\xC3\xA9sum\xC3\xA9 and C\xC3\xA6sar are letters."},
        {"   A class [^x] stays, as do [-s] and [,s].", "A class [^x] stays, as do [-s] and [,s]."},
        {"   Even a pattern's [^a] reads as a letter here.", "Even a pattern's \xC3\xA2 reads as a letter here."},
    };
    std::string article = "regular expression\n";
    std::string expected = "#\tregular expression\t";
    for (const TCase& c : cases) {
        article += "\n" + c.Source + "\n";
        expected += c.Expected + (&c == &cases[std::size(cases) - 1] ? "\n" : "\\x0D");
    }
    Article({"regular expression"}, article);
    const std::string file = Build("tiny.dict", false);
    EXPECT_EQ(expected, Lookup(file, "regular expression"));
}

// FreeDict's layout: a translation or an example a line, whatever its
// length, and labels on lines of their own. None of it is wrapped prose.
class DictdLinesTest : public test::DictdFixture {
protected:
    void SetUp() override
    {
        Article({"geduldsfaden"}, "Geduldsfaden /\xC9\xA1\xC9\x99"
                                  "d\xCB\x88\xCA\x8Altsf\xC9\x91\xCB\x90"
                                  "d\xC9\x99n/ <masc, n, sg>\n [ugs.]\n"
                                  "      \"jdm. rei\xC3\x9Ft der Geduldsfaden\"  - sb. is at the end of his/her "
                                  "tether, having waited far too long for it\n"
                                  "      \"Mir rei\xC3\x9Ft der Geduldsfaden.\"  - My patience is wearing thin.\n");
        Article({"mache"}, "Mache /m\xCB\x88"
                           "ax\xC9\x99/ <fem, n, sg>\n [ugs.]\n");
        Article({"gleis"}, "Gleis /\xC9\xA1la\xC9\xAAs/ <neut, n, sg>\n"
                           " track; rail track; railway line; line of rails laid on sleepers, for trains\n"
                           " platform\n [Br.]\n\n see: {Gleise}\n");
        Article({"abfall"}, "Abfall /\xCB\x88"
                            "apfal/ <masc, n, sg>\n"
                            " 1. waste; refuse; rubbish; garbage; trash; litter left behind by visitors\n 2. slope\n"
                            " Note: [ugs.] also used figuratively\n Syn: {M\xC3\xBCll}\n Usage: rare\n");
        for (int i = 0; i < 24; ++i) {
            std::string translation;
            for (int n = 0; n <= i % 5; ++n)
                translation += "a translation of some length ";
            Article({"wort" + std::to_string(i)}, "Wort" + std::to_string(i) + " /v\xC9\x94\xCA\x81t/ <neut, n, sg>\n " +
                                                      translation + "\n short\n");
        }
    }
};

TEST_F(DictdLinesTest, LinesThatCarryMeaningStayAsTheyWere)
{
    // The importer's output before paragraphs were joined, byte for byte.
    const std::string file = Build("tiny.dict", false);
    EXPECT_EQ("#\tGleis\t\\x04/\xC9\xA1la\xC9\xAAs/\\x04 \\x08neut, n, sg\\x07\\x0D"
              "track; rail track; railway line; line of rails laid on sleepers, for trains\\x0Dplatform\\x0D"
              "\\x0ABr.\\x07\\x0D\\x0Asee:\\x07 \\x09Gleise\\x0F\n",
              Lookup(file, "Gleis"))
        << "a long line and the next stay apart; a bracket after a line is a label, not a citation";
    EXPECT_EQ("#\tAbfall\t\\x04/\xCB\x88"
              "apfal/\\x04 \\x08masc, n, sg\\x07\\x0D"
              "1. waste; refuse; rubbish; garbage; trash; litter left behind by visitors\\x0D2. slope\\x0D"
              "\\x0ANote:\\x07 \\x0Augs.\\x07 also used figuratively\\x0DSyn: \\x09M\xC3\xBCll\\x0F\\x0D"
              "Usage: rare\n",
              Lookup(file, "Abfall"))
        << "the labels of prose are not FreeDict's";
    EXPECT_EQ("#\tGeduldsfaden\t\\x04/\xC9\xA1\xC9\x99"
              "d\xCB\x88\xCA\x8Altsf\xC9\x91\xCB\x90"
              "d\xC9\x99n/\\x04 \\x08masc, n, sg\\x07\\x0D\\x0Augs.\\x07\\x0D"
              "\\x04\"jdm. rei\xC3\x9Ft der Geduldsfaden\"\\x04 - sb. is at the end of his/her tether, having "
              "waited far too long for it\\x0D\\x04\"Mir rei\xC3\x9Ft der Geduldsfaden.\"\\x04 - My patience is "
              "wearing thin.\n",
              Lookup(file, "Geduldsfaden"));
    EXPECT_EQ("#\tMache\t\\x04/m\xCB\x88"
              "ax\xC9\x99/\\x04 \\x08"
              "fem, n, sg\\x07\\x0D\\x0Augs.\\x07\n",
              Lookup(file, "Mache"))
        << "a label closing the article labels the headword";
    EXPECT_EQ("#\tWort1\t\\x04/v\xC9\x94\xCA\x81t/\\x04 \\x08neut, n, sg\\x07\\x0D"
              "a translation of some length a translation of some length\\x0Dshort\n",
              Lookup(file, "Wort1"));
}

TEST_F(DictdLinesTest, IndexWordsThatNameOneHeadlineGiveOneEntry)
{
    // Both fold to the headline's "tea-time"; the headline spelling is the headword of each.
    Article({"tea time", "tea-time"}, "tea-time\ntea time\n   a break for tea\n");
    const std::string file = Build("tiny.dict", false);
    EXPECT_EQ("#\ttea-time\ttea time\\x0Da break for tea\n", Lookup(file, "tea-time"));
    EXPECT_EQ(0u, Summary.find("entries: 29,")) << Summary;
}

}  // namespace
}  // namespace makrel
