#include <gtest/gtest.h>

#include <filesystem>

#include "makrel/wordnet/wordnet_importer.h"
#include "makrel_runner.h"
#include "makrel_test_folder.h"
#include "written_entries.h"

namespace makrel {
namespace {

using test::RunCommand;
using test::WithoutIndices;

constexpr const char* kLicence = "  1 This software and database is being provided to you\n";

// Two senses of "dog" (the index puts the second first), lexical antonyms
// between "good" and "bad" that must not reach "goodness", a doubled
// hypernym pointer, a domain, a case variant and inflected forms.
constexpr const char* kNouns =
    "00000001 05 n 02 dog 0 domestic_dog 0 003 @ 00000002 n 0000 ;c 00000004 n 0000 @ 00000002 n 0000 "
    "| a domesticated canid; \"the dog barked\"  \n"
    "00000002 05 n 01 canine 0 001 ~ 00000001 n 0000 | a mammal of the dog family  \n"
    "00000003 07 n 02 good 0 goodness 0 002 ! 00000005 n 0101 = 00000010 a 0000 | moral excellence  \n"
    "00000004 05 n 01 zoology 0 000 | the study of animals  \n"
    "00000005 07 n 02 bad 0 badness 0 001 ! 00000003 n 0101 | that which is below standard  \n"
    "00000006 05 n 02 goose 0 Goose 0 000 | web-footed bird  \n"
    "00000007 18 n 01 dog 0 000 | an unattractive person  \n";
constexpr const char* kAdjectives =
    "00000010 00 a 01 good(a) 0 002 ! 00000011 a 0101 + 00000003 n 0101 | having desirable qualities  \n"
    "00000011 00 a 01 bad 0 001 ! 00000010 a 0101 | having undesirable qualities  \n";
constexpr const char* kVerbs =
    "00000020 29 v 01 dog 0 001 @ 00000021 v 0000 01 + 02 00 | go after with the intent to catch  \n"
    "00000021 29 v 01 pursue 0 000 01 + 02 00 | follow in order to overtake  \n";

class WordNetImporterTest : public ::testing::Test {
protected:
    test::TTestFolder Folder{"wordnet"};
    std::string Output = Folder.File("wn.ldi");

    void SetUp() override
    {
        Folder.Write("data.noun", std::string(kLicence) + kNouns);
        Folder.Write("data.adj", std::string(kLicence) + kAdjectives);
        Folder.Write("data.verb", std::string(kLicence) + kVerbs);
        Folder.Write("data.adv", kLicence);
        Folder.Write("index.noun", std::string(kLicence) + "dog n 2 1 @ 2 0 00000007 00000001  \n");
        Folder.Write("noun.exc", "geese goose\ndogs dog\n");
        Folder.Write("adj.exc", "better good\n");
    }

    test::TRun Build() { return RunCommand({"build", "--format", "wordnet", Folder.File(""), Output}); }
    std::string Relations(const std::string& Word)
    {
        return WithoutIndices(RunCommand({"relations", Output, Word}).Out);
    }
    std::string Entries(const std::string& Word)
    {
        return WithoutIndices(RunCommand({"lookup", "--exact", Output, Word}).Out);
    }
};

TEST_F(WordNetImporterTest, PointersBecomeRelationsOfEachLemma)
{
    const test::TRun r = Build();
    ASSERT_EQ(0, r.Code) << r.Err;
    EXPECT_EQ("entries: 14, relations: 12, replaced characters: 0, shortened entries: 0\n", r.Out);
    EXPECT_NE(std::string::npos, r.Err.find("1 pointers without a relation code left out: adjective + (1)"))
        << r.Err;

    EXPECT_EQ(
        "-3\tNoun\n-2\tType of\n#\tcanine\n-2\tCategories\n#\tzoology\n"
        "-3\tVerb\n-2\tType of\n#\tpursue\n",
        Relations("dog"))
        << "the doubled hypernym is listed once";
    EXPECT_EQ(Relations("dog").substr(0, 40), Relations("domestic dog").substr(0, 40))
        << "semantic pointers belong to every lemma of the synset";
    EXPECT_EQ("-3\tNoun\n-2\tTypes\n#\tdog\n#\tdomestic dog\n", Relations("canine"));
    EXPECT_EQ("-3\tNoun\n-2\tAntonym\n#\tbad\n-3\tAdjective\n-2\tAntonym\n#\tbad\n", Relations("good"))
        << "the attribute good -> good would point at itself and is left out";
    EXPECT_EQ("-3\tNoun\n-2\tAttribute\n#\tgood\n", Relations("goodness"))
        << "the lexical antonym names only good; the semantic attribute holds for goodness too";
    EXPECT_EQ(0, RunCommand({"verify", Output}).Code);
}

TEST_F(WordNetImporterTest, BodiesListSensesInIndexOrderWithLinks)
{
    ASSERT_EQ(0, Build().Code);
    EXPECT_EQ(
        "#\tdog\t\\x08noun\\x07\\x0D1. an unattractive person\\x0D"
        "2. \\x0Azoology\\x07 a domesticated canid; \\x04\"the dog barked\"\\x04"
        "\\x0D\\x0ASynonyms:\\x07 \\x09domestic dog\\x0F\\x0D"
        "\\x08verb\\x07\\x0D1. go after with the intent to catch\n",
        Entries("dog"));
    EXPECT_EQ(
        "#\tgood\t\\x08noun\\x07\\x0D1. moral excellence\\x0D\\x0ASynonyms:\\x07 \\x09goodness\\x0F\\x0D"
        "\\x08adjective\\x07\\x0D1. having desirable qualities\n",
        Entries("good"))
        << "the adjective marker (a) is gone";
    EXPECT_EQ(
        "#\tgoose\t\\x08noun\\x07\\x0D1. web-footed bird\\x0D\\x0ASynonyms:\\x07 \\x09Goose\\x0F\n"
        "#\tGoose\t\\x08noun\\x07\\x0D1. web-footed bird\\x0D\\x0ASynonyms:\\x07 \\x09goose\\x0F\n",
        Entries("goose"))
        << "case variants are entries of one group, lower case first";
    EXPECT_EQ("#\tgeese\t\\x0AForm of:\\x07 \\x09goose\\x0F \\x08noun\\x07\n", Entries("geese"));
    EXPECT_NE(std::string::npos, Entries("dogs").find("Form of:\\x07 \\x09dog\\x0F"));
}

TEST_F(WordNetImporterTest, DamagedFilesAreErrorsNamingTheLine)
{
    Folder.Write("data.verb", std::string(kLicence) + "00000020 29 v 05 dog 0 | too few words\n");
    test::TRun r = Build();
    EXPECT_EQ(2, r.Code);
    EXPECT_NE(std::string::npos, r.Err.find("data.verb line 2: the line ends early")) << r.Err;

    Folder.Write("data.verb", "00000020 29 v 01 dog 0 002 @ 00000021 v 0000 | pointer count too high\n");
    r = Build();
    EXPECT_NE(std::string::npos, r.Err.find("data.verb line 1: the line ends early")) << r.Err;

    Folder.Write("data.verb", "00000020 29 n 01 dog 0 000 | noun in the verb file\n");
    r = Build();
    EXPECT_NE(std::string::npos, r.Err.find("does not belong in this file")) << r.Err;

    Folder.Write("data.verb", "0000002x 29 v 01 dog 0 000 | bad offset\n");
    r = Build();
    EXPECT_NE(std::string::npos, r.Err.find("bad synset offset")) << r.Err;

    std::filesystem::remove(Folder.File("data.verb"));
    r = Build();
    EXPECT_NE(std::string::npos, r.Err.find("cannot open data.verb")) << r.Err;
    EXPECT_FALSE(std::filesystem::exists(Output));
}

TEST_F(WordNetImporterTest, PointersToMissingSynsetsAreLeftOutWithAWarning)
{
    Folder.Write("data.verb", "00000020 29 v 01 dog 0 001 @ 00000099 v 0000 | dangling\n");
    const test::TRun r = Build();
    ASSERT_EQ(0, r.Code) << r.Err;
    EXPECT_NE(std::string::npos, r.Err.find("1 pointers to synsets that do not exist left out")) << r.Err;
}

TEST_F(WordNetImporterTest, GlossesReachTheWriterWhole)
{
    Folder.Write("data.noun",
                 std::string(kLicence) +
                     "00000001 05 n 01 caf\xC3\xA9 0 000 | a small restaurant\t(/k\xC3\xA6\xCB\x88"
                     "fe\xC9\xAA/); \"a na\xC3\xAFve caf\xC3\xA9\"  \n");
    TDictionaryWriter writer(test::Utf8Options());
    TImportReport report;
    TWordNetImporter().Import(Folder.File(""), writer, report, {});
    EXPECT_EQ(
        "\x08noun\x07\r1. a small restaurant (/k\xC3\xA6\xCB\x88"
        "fe\xC9\xAA/); \x04\"a na\xC3\xAFve caf\xC3\xA9\"\x04",
        test::ReadBack(writer).Definition("caf\xC3\xA9"));
}

// The languages reach the file only through a writer that writes them.
TEST_F(WordNetImporterTest, WordNetIsEnglish)
{
    TDictionaryWriter writer(test::Utf8Options());
    TImportReport report;
    TWordNetImporter().Import(Folder.File(""), writer, report, {});
    const lirabo::TTextDescription text = test::ReadBack(writer).Header.Text;
    EXPECT_EQ("en", text.HeadwordLanguage);
    EXPECT_EQ("en", text.DefinitionLanguage);
}

TEST(WordNetImporterRealTest, GoodHasBadAsAntonymAndDogIsACanine)
{
    const std::string folder = "/usr/share/wordnet";
    if (!std::filesystem::exists(folder + "/data.noun"))
        GTEST_SKIP() << "the WordNet package is not installed";
    test::TTestFolder out("wordnet_real");
    const std::string file = out.File("wordnet.ldi");
    const test::TRun r = RunCommand({"build", "--format", "wordnet", folder, file});
    ASSERT_EQ(0, r.Code) << r.Err;
    const std::string good = RunCommand({"relations", file, "good"}).Out;
    const size_t antonym = good.find("-2\tAntonym\n");
    ASSERT_NE(std::string::npos, antonym) << good;
    EXPECT_NE(std::string::npos, good.find("\tbad\n", antonym)) << good;
    const std::string dog = RunCommand({"relations", file, "dog"}).Out;
    const size_t typeOf = dog.find("-2\tType of\n");
    ASSERT_NE(std::string::npos, typeOf) << dog;
    EXPECT_LT(dog.find("\tcanine\n", typeOf), dog.find("\n-2\t", typeOf + 1)) << dog;
    EXPECT_EQ("", RunCommand({"verify", file}).Err);
    EXPECT_EQ(0, RunCommand({"verify", file}).Code);
}

}  // namespace
}  // namespace makrel
