#include <gtest/gtest.h>

#include <filesystem>

#include "dictd_fixture.h"
#include "makrel/core/dictionary_writer.h"
#include "makrel/core/import_report.h"
#include "makrel/dictd/dictd_importer.h"
#include "makrel/dictd/dictd_index.h"

namespace makrel {
namespace {

using test::RunCommand;

// A dictionary in FreeDict's layout, articles in data order, index sorted
// by folded word (so not in data order).
class DictdImporterTest : public test::DictdFixture {
protected:
    void SetUp() override
    {
        Article({"00databaseshort"}, "00-database-short\n     Tiny Test Dictionary\n");
        Article({"00databaseurl"}, "00-database-url\n     https://example.org/tiny\n");
        Article({"haus"},
                "Haus\xE2\x80\xA6 /h\xCB\x88"
                "a\xCA\x8As/ <adj>\ndomestic <adj>, home /h\xCB\x88\xC9\x99\xCA\x8Am/ and/or 1 / 2\n"
                "         Note: [ugs.] informal\n\n");
        Article({"apfel"},
                "Apfel /\xCB\x88"
                "apf\xC9\x99l/ <masc, n, sg>\n [bot.] apple <n>\n"
                "      \"einen Apfel sch\xC3\xA4len\"  - peel an apple\n"
                "   Synonyms: {Malus}, {Kulturapfel}\n\n see: {\xC3\x84pfel}\n\n");
        Article({"folio", "2"},
                "Folio /f\xCB\x88o\xCB\x90li\xCB\x8Co\xCB\x90/ (fo /f\xCB\x88o\xCB\x90/, ) "
                "(2\xC2\xB0 /tsv\xCB\x88"
                "a\xC9\xAA/) <neut, n, sg>\nfolio\n");
        // "BC" and "B.C." fold alike: one index word, listed once per spelling (and once too often).
        Article({"bc", "bc", "bc"}, "before Christ /b/ (BC /bi/, ) (B.C. /bi/)\nvor Christus\n");
        Article({"mismatch"}, "Something else\nplain\ttext\x01with a control, 1 < 2 > 0\n");
    }
};

TEST_F(DictdImporterTest, HeadlinesGiveHeadwordPronunciationAndGrammar)
{
    const std::string file = Build("tiny.dict", false);
    EXPECT_EQ("entries: 7, relations: 0, replaced characters: 0, shortened entries: 0\n", Summary)
        << "IPA letters and stress marks stay what they are, and a dropped control character is no "
           "replacement";
    auto lookup = [&](const std::string& Word) { return Lookup(file, Word); };
    EXPECT_EQ(
        "#\tApfel\t\\x04/\xCB\x88"
        "apf\xC9\x99l/\\x04 \\x08masc, n, sg\\x07\\x0D\\x0Abot.\\x07 apple \\x08n\\x07\\x0D"
        "\\x04\"einen Apfel sch\xC3\xA4len\"\\x04 - peel an apple\\x0D"
        "\\x0ASynonyms:\\x07 \\x09Malus\\x0F, \\x09Kulturapfel\\x0F\\x0D\\x0Asee:\\x07 "
        "\\x09\xC3\x84pfel\\x0F\n",
        lookup("Apfel"))
        << "the headword keeps its case; index words are folded";
    EXPECT_EQ(
        "#\tHaus\xE2\x80\xA6\t\\x04/h\xCB\x88"
        "a\xCA\x8As/\\x04 \\x08"
        "adj\\x07\\x0Ddomestic \\x08"
        "adj\\x07, home \\x04/h\xCB\x88\xC9\x99\xCA\x8Am/\\x04 and/or 1 / 2\\x0D"
        "\\x0ANote:\\x07 \\x0Augs.\\x07 informal\n",
        lookup("Haus\xE2\x80\xA6"));
    EXPECT_EQ(
        "#\tFolio\t\\x04/f\xCB\x88o\xCB\x90li\xCB\x8Co\xCB\x90/\\x04 (fo \\x04/f\xCB\x88o\xCB\x90/\\x04, ) "
        "(2\xC2\xB0 \\x04/tsv\xCB\x88"
        "a\xC9\xAA/\\x04) "
        "\\x08neut, n, sg\\x07\\x0Dfolio\n",
        lookup("Folio"));
    EXPECT_EQ(
        "#\t2\xC2\xB0\tFolio \\x04/f\xCB\x88o\xCB\x90li\xCB\x8Co\xCB\x90/\\x04 (fo "
        "\\x04/f\xCB\x88o\xCB\x90/\\x04, ) (2\xC2\xB0 \\x04/tsv\xCB\x88"
        "a\xC9\xAA/\\x04) "
        "\\x08neut, n, sg\\x07\\x0Dfolio\n",
        lookup("2\xC2\xB0"))
        << "an index word naming a variant takes the variant's spelling and keeps the headline";
    EXPECT_EQ(
        "#\tBC\tbefore Christ \\x04/b/\\x04 (BC \\x04/bi/\\x04, ) (B.C. \\x04/bi/\\x04)\\x0Dvor Christus\n"
        "#\tB.C.\tbefore Christ \\x04/b/\\x04 (BC \\x04/bi/\\x04, ) (B.C. \\x04/bi/\\x04)\\x0Dvor Christus\n",
        lookup("bc") + lookup("b.c."))
        << "each index line takes the next spelling; the third has none left and adds nothing";
    EXPECT_EQ("#\tmismatch\tSomething else\\x0Dplain textwith a control, 1 < 2 > 0\n", lookup("mismatch"))
        << "no headline matches: the index word is the headword; tabs and controls never become codes, "
           "and brackets spaced like prose stay text";

    const std::string info = RunCommand({"info", file}).Out;
    EXPECT_EQ(0u, info.find("Name: Tiny Test Dictionary\nNotice: Tiny Test Dictionary \xE2\x80\x93 "
                            "https://example.org/tiny\nURL: https://example.org/tiny\n"))
        << "without a notice or a description naming its rights, the notice is the name and the URL: " << info;
    EXPECT_EQ(1, RunCommand({"lookup", "--exact", file, "00databaseshort"}).Code);
    EXPECT_EQ(0, RunCommand({"verify", file}).Code);
}

TEST_F(DictdImporterTest, DictzipDataGivesTheSameDictionary)
{
    const std::string plain = Build("tiny.dict", false);
    const std::string compressed = Build("tiny.dict.dz", true);
    const std::string words = RunCommand({"search", compressed, "*"}).Out;
    EXPECT_EQ(RunCommand({"search", plain, "*"}).Out, words);
    EXPECT_EQ(7, std::count(words.begin(), words.end(), '\n'));
    EXPECT_EQ(RunCommand({"lookup", plain, "a"}).Out, RunCommand({"lookup", compressed, "a"}).Out);
}

TEST_F(DictdImporterTest, ArticlesOutsideTheDataAreLeftOutWithAWarning)
{
    Index +=
        "beyond\t" + makrel::test::DictdNumber(Data.size() - 3) + "\t" + makrel::test::DictdNumber(10) + "\n";
    Index +=
        "huge\t" + makrel::test::DictdNumber(0) + "\t" + makrel::test::DictdNumber(uint64_t{1} << 40) + "\n";
    const std::string file = Build("tiny.dict.dz", true);
    EXPECT_NE(std::string::npos, Warnings.find("\"beyond\" lies beyond the end of")) << Warnings;
    EXPECT_NE(std::string::npos, Warnings.find("\"huge\" lies beyond the end of")) << Warnings;
    EXPECT_EQ(0u, Summary.find("entries: 7,")) << Summary;
}

TEST_F(DictdImporterTest, DamagedInputIsAnError)
{
    Folder.Write("bad.index", "good\tA\tB\nbad line without numbers\n");
    Folder.Write("bad.dict", "x");
    test::TRun r = RunCommand({"build", "--format", "dictd", Folder.File("bad.index"), Folder.File("o.ldi")});
    EXPECT_EQ(2, r.Code);
    EXPECT_NE(std::string::npos, r.Err.find("line 2: expected headword, offset and length")) << r.Err;

    Folder.Write("lonely.index", "word\tA\tB\n");
    r = RunCommand({"build", "--format", "dictd", Folder.File("lonely.index"), Folder.File("o.ldi")});
    EXPECT_NE(std::string::npos, r.Err.find("no data file")) << r.Err;

    // A data file that claims to be gzip but is cut short.
    test::WriteGzip(Folder.File("cut.dict.dz"), std::string(100000, 'z') + "tail");
    std::string bytes;
    {
        std::ifstream in(Folder.File("cut.dict.dz"), std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    Folder.Write("cut.dict.dz", bytes.substr(0, bytes.size() / 2));
    Folder.Write("cut.index", "tail\t" + makrel::test::DictdNumber(100000) + "\tE\n");
    r = RunCommand({"build", "--format", "dictd", Folder.File("cut.index"), Folder.File("o.ldi")});
    EXPECT_EQ(2, r.Code);
    EXPECT_NE(std::string::npos, r.Err.find("compressed data ends early")) << r.Err;
    EXPECT_FALSE(std::filesystem::exists(Folder.File("o.ldi")));
}

TEST_F(DictdImporterTest, AnIndexThatRepeatsOneArticleEndlesslyIsStopped)
{
    // Each of these lines would add the whole data as one more entry.
    std::string index;
    for (int i = 0; i < 1000; ++i)
        index += "w" + std::to_string(i) + "\tA\t" + makrel::test::DictdNumber(Data.size()) + "\n";
    Folder.Write("many.index", index);
    Folder.Write("many.dict", Data);
    TDictionaryWriter writer({});
    TImportReport report;
    report.MaxTextBytes = 100000;
    EXPECT_THROW(TDictdImporter().Import(Folder.File("many.index"), writer, report, {}), EInputError);
    EXPECT_LE(report.TextBytes, report.MaxTextBytes + 1000);
}

TEST(DictdIndexTest, NumbersAreCheckedBeforeUse)
{
    std::istringstream good("a b\tBA\t/\n\nlast\tA\tA\r\n");
    const std::vector<TDictdIndexEntry> entries = ReadDictdIndex(good);
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ("a b", entries[0].Word);
    EXPECT_EQ(64u, entries[0].Offset);
    EXPECT_EQ(63u, entries[0].Length);
    EXPECT_EQ("last", entries[1].Word);

    for (const char* bad : {"w\tA\n", "w\tA\t\n", "w\tA!\tB\n", "w\t////////////\tA\n"}) {
        std::istringstream in(bad);
        EXPECT_THROW(ReadDictdIndex(in), EInputError) << bad;
    }
    EXPECT_TRUE(IsDictdMetadata("00-database-info"));
    EXPECT_TRUE(IsDictdMetadata("00databaseurl"));
    EXPECT_FALSE(IsDictdMetadata("00 gauge"));
}

}  // namespace
}  // namespace makrel
