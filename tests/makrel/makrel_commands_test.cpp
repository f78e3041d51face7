#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "makrel/cli/makrel_commands.h"
#include "makrel_test_folder.h"

namespace makrel {
namespace {

struct Result {
    int Code;
    std::string Out;
    std::string Err;
};

Result Makrel(std::vector<std::string> Args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunMakrel(Args, out, err);
    return {code, out.str(), err.str()};
}

constexpr const char* kWords =
    "apple\t\\x08n.\\x07 a fruit\n"
    "Banana\tyellow\\nfruit\n"
    "banana\tsecond \\\\ entry\n"
    "\n"
    "cherry\tred\r\n"
    "\xC3\xA4pfel\tGerman \xE2\x80\x9Cquoted\xE2\x80\x9D\n";

class MakrelTest : public ::testing::Test {
protected:
    test::TTestFolder Folder{"makrel"};
    std::string Dictionary = Folder.File("words.ldi");

    void SetUp() override
    {
        Folder.Write("words.tsv", kWords);
        Folder.Write("relations.tsv", "apple\t1\tcherry\nAPPLE\t33\tbanana\napple\t2\tbanana\n");
        const Result r = Makrel({"build", "--section-size", "2", "--name", "Fruit", "--notice", "Free",
                              "--url", "https://example.org", "--information", "one\\ntwo",
                              "--relations", Folder.File("relations.tsv"), Folder.File("words.tsv"), Dictionary});
        ASSERT_EQ(0, r.Code) << r.Err;
        EXPECT_EQ("entries: 5, relations: 3, replaced characters: 0, shortened entries: 0\n", r.Out);
    }
};

TEST_F(MakrelTest, InfoDescribesTheFile)
{
    const Result r = Makrel({"info", Dictionary});
    EXPECT_EQ(0, r.Code);
    EXPECT_EQ("Name: Fruit\nNotice: Free\nURL: https://example.org\nInformation: one\\ntwo\n"
              "Encoding: windows-1252\nLanguages: unknown\n"
              "Words: 5\nSections: 3\nSectionSize: 2\nRelations: yes\nCRC: ok\n",
              r.Out);
}

TEST_F(MakrelTest, LookupListsTheGroupWithEscapes)
{
    Result r = Makrel({"lookup", Dictionary, "BANANA"});
    EXPECT_EQ(0, r.Code);
    EXPECT_EQ("1\tBanana\tyellow\\x0Dfruit\n2\tbanana\tsecond \\\\ entry\n", r.Out);

    r = Makrel({"lookup", Dictionary, "b"});
    EXPECT_EQ("1\tBanana\tyellow\\x0Dfruit\n2\tbanana\tsecond \\\\ entry\n", r.Out) << "the following group";

    r = Makrel({"lookup", Dictionary, "apple"});
    EXPECT_EQ("0\tapple\t\\x08n.\\x07 a fruit\n", r.Out);

    r = Makrel({"lookup", Dictionary, "\xC3\x84PFEL"});
    EXPECT_EQ("4\t\xC3\xA4pfel\tGerman \xE2\x80\x9Cquoted\xE2\x80\x9D\n", r.Out)
        << "accented letters are not case variants: the last entry follows";

    r = Makrel({"lookup", "--exact", Dictionary, "bana"});
    EXPECT_EQ(1, r.Code);
    EXPECT_EQ("", r.Out);
    EXPECT_EQ("not found\n", r.Err);
}

TEST_F(MakrelTest, BuildKeepsEscapesThatOpenCloseOrMakeUpADefinition)
{
    const std::string words = Folder.Write("edges.tsv",
                                           "closed\tn. a fruit\\x07\n"
                                           "opened\t\\x08n.\\x07 a fruit\n"
                                           "only\t\\x07\n"
                                           "broken\tline\\n\n"
                                           "slash\tback\\\\\n"
                                           "linked\tsee \\x09apple\\x0F\n"
                                           "lower\tend\\x0f\n"
                                           "windows\tend\\x07\r\n");
    const std::string edges = Folder.File("edges.ldi");
    const Result built = Makrel({"build", words, edges});
    ASSERT_EQ(0, built.Code) << built.Err;
    EXPECT_EQ("entries: 8, relations: 0, replaced characters: 0, shortened entries: 0\n", built.Out);
    const std::pair<std::string, std::string> entries[] = {{"closed", "n. a fruit\\x07"},
                                                           {"opened", "\\x08n.\\x07 a fruit"},
                                                           {"only", "\\x07"},
                                                           {"broken", "line\\x0D"},
                                                           {"slash", "back\\\\"},
                                                           {"linked", "see \\x09apple\\x0F"},
                                                           {"lower", "end\\x0F"},
                                                           {"windows", "end\\x07"}};
    for (const auto& [word, definition] : entries) {
        const Result r = Makrel({"lookup", "--exact", edges, word});
        EXPECT_EQ(0, r.Code) << word;
        EXPECT_EQ(word + "\t" + definition + "\n", r.Out.substr(r.Out.find('\t') + 1)) << word;
    }
}

TEST_F(MakrelTest, BuildRejectsAnEscapeCutShortByTheEndOfTheLine)
{
    for (const auto& [line, column] : {std::pair<std::string, std::string>{"a\tshort \\x0\n", "7"},
                                       {"a\tshort \\x\n", "7"},
                                       {"a\tend\\\n", "4"},
                                       {"a\t\\x7\r\n", "1"}}) {
        const std::string input = Folder.Write("cut.tsv", "ok\tfine\\x07\n" + line);
        const Result r = Makrel({"build", input, Folder.File("cut.ldi")});
        EXPECT_EQ(2, r.Code) << line;
        EXPECT_EQ(0u, r.Err.rfind(
                          "makrel: " + input + ": line 2: definition: unknown escape at column " + column, 0))
            << r.Err;
    }
}

TEST_F(MakrelTest, BatchLookupAnswersEachLineOfInput)
{
    std::istringstream words("banana\ndurian\r\n\xC3\xA4pfel\n\xC9\x99\n");
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(0, RunMakrel({"lookup", "--batch", "--exact", Dictionary}, out, err, false, words));
    EXPECT_EQ("1\tBanana\tyellow\\x0Dfruit\n2\tbanana\tsecond \\\\ entry\n\n"
              "\n"
              "4\t\xC3\xA4pfel\tGerman \xE2\x80\x9Cquoted\xE2\x80\x9D\n\n"
              "\n",
              out.str());
    EXPECT_EQ("makrel: \xC9\x99: character U+0259 cannot occur in this dictionary, whose text is Windows-1252\n",
              err.str());
}

TEST_F(MakrelTest, SearchListsMatchesInDictionaryOrder)
{
    EXPECT_EQ("1\tBanana\n2\tbanana\n", Makrel({"search", Dictionary, "b*A"}).Out);
    EXPECT_EQ("0\tapple\n1\tBanana\n2\tbanana\n", Makrel({"search", Dictionary, "*a*"}).Out);
    const Result none = Makrel({"search", Dictionary, "xyz"});
    EXPECT_EQ(0, none.Code);
    EXPECT_EQ("", none.Out);
}

TEST_F(MakrelTest, FindLooksInsideDefinitions)
{
    EXPECT_EQ("1\tBanana\n", Makrel({"find", Dictionary, "FRUIT", "yel"}).Out) << "every word, anywhere, any case";
    EXPECT_EQ("1\tBanana\n", Makrel({"find", Dictionary, "*yellow fruit"}).Out) << "a pattern reads a line break as a space";
    const Result none = Makrel({"find", Dictionary, "fruit", "xyz"});
    EXPECT_EQ(0, none.Code);
    EXPECT_EQ("", none.Out);
    EXPECT_EQ(2, Makrel({"find", Dictionary}).Code);
}

TEST_F(MakrelTest, SuggestListsCloseHeadwordsBestFirst)
{
    const struct {
        std::string Word;
        std::string Out;
    } cases[] = {
        {"apfel", "\xC3\xA4pfel\napple\n"},  // one edit, then two
        {"chery", "cherry\n"},
        {"BANANA", ""},                      // the headword itself, in other case
        {"xyz", ""},
    };
    for (const auto& c : cases) {
        const Result r = Makrel({"suggest", Dictionary, c.Word});
        EXPECT_EQ(0, r.Code) << c.Word;
        EXPECT_EQ(c.Out, r.Out) << c.Word;
        EXPECT_EQ("", r.Err) << c.Word;
    }
    const Result invalid = Makrel({"suggest", Dictionary, "ab\xFF"});
    EXPECT_EQ(2, invalid.Code);
    EXPECT_EQ("makrel: ab\xEF\xBF\xBD: invalid UTF-8\n", invalid.Err);
    const std::string missing = Folder.File("missing.ldi");
    const Result unreadable = Makrel({"suggest", missing, "a"});
    EXPECT_EQ(2, unreadable.Code);
    EXPECT_EQ(0u, unreadable.Err.rfind("makrel: " + missing + ": Cannot open file", 0)) << unreadable.Err;
}

TEST_F(MakrelTest, RelationsAreNamedLikeThePanel)
{
    Result r = Makrel({"relations", Dictionary, "Apple"});
    EXPECT_EQ(0, r.Code) << r.Err;
    EXPECT_EQ("-3\tNoun\n-2\tAntonym\n3\tcherry\n-2\tType of\n1\tBanana\n-3\tVerb\n-2\tType of\n1\tBanana\n",
              r.Out);
    // A related headword that looks like a heading is still a headword.
    Folder.Write("signs.tsv", "+1\tplus one\napple\tfruit\n");
    Folder.Write("signs-relations.tsv", "apple\t2\t+1\n");
    ASSERT_EQ(0, Makrel({"build", "--relations", Folder.File("signs-relations.tsv"), Folder.File("signs.tsv"),
                         Folder.File("signs.ldi")})
                     .Code);
    r = Makrel({"relations", Folder.File("signs.ldi"), "apple"});
    EXPECT_EQ("-3\tNoun\n-2\tType of\n0\t+1\n", r.Out);

    r = Makrel({"relations", Dictionary, "durian"});
    EXPECT_EQ(1, r.Code);
    EXPECT_EQ("", r.Out);

    ASSERT_EQ(0, Makrel({"build", Folder.File("words.tsv"), Folder.File("plain.ldi")}).Code);
    r = Makrel({"relations", Folder.File("plain.ldi"), "apple"});
    EXPECT_EQ(1, r.Code);
    EXPECT_EQ("", r.Out);
}

TEST_F(MakrelTest, VerifyFindsDamage)
{
    Result r = Makrel({"verify", Dictionary});
    EXPECT_EQ(0, r.Code) << r.Out;

    // Damage the last section's data: the checksum and the section both fail.
    std::string bytes;
    {
        std::ifstream in(Dictionary, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    bytes[bytes.size() - 60] ^= 0x10;
    Folder.Write("damaged.ldi", bytes);
    r = Makrel({"verify", Folder.File("damaged.ldi")});
    EXPECT_EQ(2, r.Code);
    EXPECT_NE(std::string::npos, r.Out.find("checksum mismatch")) << r.Out;

    Folder.Write("junk.ldi", "not a dictionary");
    r = Makrel({"verify", Folder.File("junk.ldi")});
    EXPECT_EQ(2, r.Code);
    EXPECT_NE(std::string::npos, r.Out.find("Stream read error")) << r.Out;
}

TEST_F(MakrelTest, FailuresAreOneLineAndExitTwo)
{
    auto expectFailure = [](const Result& r, const std::string& start) {
        EXPECT_EQ(2, r.Code);
        EXPECT_EQ("", r.Out);
        EXPECT_EQ(0u, r.Err.rfind(start, 0)) << r.Err;
    };
    const std::string missing = Folder.File("missing.ldi");
    expectFailure(Makrel({"info", missing}), "makrel: " + missing + ": Cannot open file");
    expectFailure(Makrel({"lookup", missing, "a"}), "makrel: " + missing + ": Cannot open file");
    expectFailure(Makrel({"frobnicate"}), "makrel: frobnicate: unknown command");
    expectFailure(Makrel({"lookup", Dictionary}), "makrel: lookup: wrong number of arguments");

    const std::string junk = Folder.Write("junk.ldi", std::string(100, 'x'));
    expectFailure(Makrel({"info", junk}), "makrel: " + junk + ": not a dictionary file (format");

    const std::string bad = Folder.Write("bad.tsv", "ok\tfine\nschwa\t\xC9 x\n");
    expectFailure(Makrel({"build", bad, Folder.File("bad.ldi")}),
                  "makrel: " + bad + ": line 2: definition: invalid UTF-8");
    EXPECT_FALSE(std::ifstream(Folder.File("bad.ldi")).good()) << "no output on failure";

    const std::string escape = Folder.Write("escape.tsv", "a\tbad \\q escape\n");
    expectFailure(Makrel({"build", escape, Folder.File("e.ldi")}), "makrel: " + escape + ": line 1: definition: unknown escape");
    const std::string notab = Folder.Write("notab.tsv", "a\tb\nlonely\n");
    expectFailure(Makrel({"build", notab, Folder.File("e.ldi")}), "makrel: " + notab + ": line 2: no tab");
    const std::string longWord = Folder.Write("long.tsv", std::string(256, 'w') + "\tx\n");
    expectFailure(Makrel({"build", longWord, Folder.File("e.ldi")}), "makrel: " + longWord + ": line 1: the headword is 256 bytes");

    const std::string relations = Folder.Write("r.tsv", "apple\t1\tdurian\n");
    expectFailure(Makrel({"build", "--relations", relations, Folder.File("words.tsv"), Folder.File("e.ldi")}),
                  "makrel: " + relations + ": line 1: \"durian\" is not a headword");
    expectFailure(Makrel({"build", "--section-size", "0", Folder.File("words.tsv"), Folder.File("e.ldi")}),
                  "makrel: ");
    expectFailure(Makrel({"build", Folder.File("words.tsv"), Folder.File("no/such/folder/e.ldi")}),
                  "makrel: " + Folder.File("no/such/folder/e.ldi") + ": cannot write");
}

TEST_F(MakrelTest, TheProgramRunsTheSameCommands)
{
    const std::string command = std::string(MAKREL_PATH) + " lookup --exact '" + Dictionary + "' cherry";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(nullptr, pipe);
    char line[256] = {};
    ASSERT_NE(nullptr, fgets(line, sizeof line, pipe));
    EXPECT_STREQ("3\tcherry\tred\n", line);
    EXPECT_EQ(0, pclose(pipe));
    EXPECT_EQ(2, WEXITSTATUS(system((std::string(MAKREL_PATH) + " info /nonexistent 2>/dev/null").c_str())));
}

}  // namespace
}  // namespace makrel
