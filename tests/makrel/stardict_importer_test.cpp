#include <gtest/gtest.h>

#include "stardict_fixture.h"

namespace makrel {
namespace {

using test::BigEndian;
using test::RunCommand;
using test::WithoutIndices;

using StarDictImporterTest = test::StarDictFixture;

TEST_F(StarDictImporterTest, PlainTextArticlesAndSynonyms)
{
    Article("apple", "a fruit\nred or green");
    Article("banana", "yellow \xE2\x80\x94 curved");
    Article("\xCE\xB1-particle", "helium nucleus");
    Folder.Write("tiny.syn",
                 std::string("pomme") + '\0' + BigEndian(0, 4) + "nowhere" + '\0' + BigEndian(7, 4));
    const test::TRun r = Build(
        "version=2.4.2\nbookname=Tiny StarDict\nwordcount=3\nsametypesequence=m\n"
        "website=https://example.org/sd\ndescription=First line<br>Second &amp; last\n"
        "author=Someone\n");
    ASSERT_EQ(0, r.Code) << r.Err;
    EXPECT_EQ("entries: 4, relations: 0, replaced characters: 0, shortened entries: 0\n", r.Out);
    EXPECT_NE(std::string::npos, r.Err.find("synonym \"nowhere\" points to no word")) << r.Err;
    EXPECT_EQ("#\tapple\ta fruit\\x0Dred or green\n", Lookup("apple"));
    EXPECT_EQ("#\tbanana\tyellow \xE2\x80\x94 curved\n", Lookup("banana"));
    EXPECT_EQ("#\t\xCE\xB1-particle\thelium nucleus\n", Lookup("\xCE\xB1-particle"));
    EXPECT_EQ(
        "#\tpomme\t\\x09"
        "apple\\x0F\\x0D"
        "a fruit\\x0Dred or green\n",
        Lookup("pomme"))
        << "a synonym names its word as a link, then repeats the article";
    EXPECT_EQ(0u, RunCommand({"info", Output})
                      .Out.find("Name: Tiny StarDict\nNotice: \nURL: https://example.org/sd\n"
                                "Information: First line\\nSecond & last\\nAuthor: Someone\n"));
    EXPECT_EQ(0, RunCommand({"verify", Output}).Code);
}

TEST_F(StarDictImporterTest, TypedFieldsWithWideOffsetsAndCompressedData)
{
    OffsetBits = 64;
    Article("zebra", std::string("t") +
                         "\xCB\x88zi\xCB\x90"
                         "br\xC9\x99" +
                         '\0' + "h<b>striped</b> &amp; <a href=\"bword://horse\">horse</a>-like<br>animal" +
                         '\0' + "W" + BigEndian(3, 4) + "\x01\x02\x03" + "m" + "last" + '\0');
    Article("quagga", std::string("x") + "<k>quagga</k><tr>kw</tr> extinct, see <kref>zebra</kref>" + '\0');
    const test::TRun r = Build("version=3.0.0\nbookname=Typed\nidxoffsetbits=64\n", true);
    ASSERT_EQ(0, r.Code) << r.Err;
    EXPECT_NE(std::string::npos, r.Err.find("1 data fields of type 'W' (not text) left out")) << r.Err;
    EXPECT_EQ(
        "#\tzebra\t\\x04[\xCB\x88zi\xCB\x90"
        "br\xC9\x99]\\x04\\x0D\\x03striped\\x03 & \\x09horse\\x0F-like\\x0Danimal\\x0Dlast\n",
        Lookup("zebra"));
    EXPECT_EQ("#\tquagga\t[kw] extinct, see \\x09zebra\\x0F\n", Lookup("quagga"));
}

TEST_F(StarDictImporterTest, DamagedFilesAreErrorsOrWarnings)
{
    Article("apple", "fruit");
    Idx += "broken";  // a word without its terminator and numbers
    test::TRun r = Build("sametypesequence=m\n");
    EXPECT_EQ(2, r.Code);
    EXPECT_NE(std::string::npos, r.Err.find("the index is damaged after 1 words")) << r.Err;

    Idx.clear();
    Data.clear();
    Article("apple", std::string("mfruit") + '\0');
    Idx += std::string("pear") + '\0' + BigEndian(3, 4) + BigEndian(100, 4);  // past the end
    Article("typed", std::string("h<b>ok</b>") + '\0' + "H" + BigEndian(999, 4) + "x");
    r = Build("wordcount=9\n");
    ASSERT_EQ(0, r.Code) << r.Err;
    EXPECT_NE(std::string::npos, r.Err.find("announces 9 words, the index holds 3")) << r.Err;
    EXPECT_NE(std::string::npos, r.Err.find("\"pear\" lies beyond the end")) << r.Err;
    EXPECT_NE(std::string::npos, r.Err.find("1 articles with damaged fields kept in part")) << r.Err;
    EXPECT_EQ("#\ttyped\t\\x03ok\\x03\n", Lookup("typed"));

    Folder.Write("tiny.ifo", "not an ifo\n");
    r = RunCommand({"build", "--format", "stardict", Folder.File("tiny.ifo"), Output});
    EXPECT_NE(std::string::npos, r.Err.find("not a StarDict .ifo file")) << r.Err;
    Folder.Write("tiny.ifo", "StarDict's dict ifo file\nidxoffsetbits=48\n");
    r = RunCommand({"build", "--format", "stardict", Folder.File("tiny.ifo"), Output});
    EXPECT_NE(std::string::npos, r.Err.find("idxoffsetbits must be 32 or 64")) << r.Err;
}

}  // namespace
}  // namespace makrel
