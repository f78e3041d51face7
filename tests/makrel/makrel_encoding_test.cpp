#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "makrel_runner.h"
#include "makrel_test_folder.h"

namespace makrel {
namespace {

using test::RunCommand;
using test::TRun;
using test::WithoutIndices;

const std::string kZolw = "\xC5\xBC\xC3\xB3\xC5\x82w";                     // żółw
const std::string kZolwUpper = "\xC5\xBB\xC3\x93\xC5\x81W";                // ŻÓŁW
const std::string kSpiti = "\xCF\x83\xCF\x80\xCE\xAF\xCF\x84\xCE\xB9";      // σπίτι
const std::string kSpitiUpper = "\xCE\xA3\xCE\xA0\xCE\x8A\xCE\xA4\xCE\x99";  // ΣΠΊΤΙ
const std::string kIe = "\xE5\xAE\xB6";                                    // 家
const std::string kCafe = "caf\xC3\xA9";

// The line of `makrel info` output that starts with Field.
std::string InfoLine(const std::string& File, const std::string& Field)
{
    const std::string out = RunCommand({"info", File}).Out;
    const size_t at = out.find(Field + ": ");
    return at == std::string::npos ? "" : out.substr(at, out.find('\n', at) - at);
}

class MakrelEncodingTest : public ::testing::Test {
protected:
    test::TTestFolder Folder{"makrel_encoding"};
    // Words beyond Windows-1252, and words that fit it.
    std::string Wide = Folder.Write("wide.tsv", kZolw + "\tturtle\\x07 " + kZolw.substr(0, 2) + "\n" + kSpiti +
                                                    "\thouse\n" + kIe + "\tie\n" + kCafe + "\tcoffee\n");
    std::string Narrow = Folder.Write("narrow.tsv", kCafe + "\tcoffee\n\xC3\x84pfel\tapples\napple\tfruit\n");
    std::string Utf8File = Folder.File("wide.ldi");
    std::string AnsiFile = Folder.File("narrow.ldi");

    void SetUp() override
    {
        Folder.Write("wide-relations.tsv", kZolwUpper + "\t1\t" + kSpiti + "\n");
        Folder.Write("narrow-relations.tsv", kCafe + "\t1\tapple\n");
        for (const auto& [input, relations, output] :
             {std::tuple{Wide, "wide-relations.tsv", Utf8File}, {Narrow, "narrow-relations.tsv", AnsiFile}}) {
            const TRun r = RunCommand({"build", "--relations", Folder.File(relations), input, output});
            ASSERT_EQ(0, r.Code) << r.Err;
        }
    }
};

TEST_F(MakrelEncodingTest, BuildTakesAnEncodingAndLanguages)
{
    const struct {
        std::vector<std::string> Options;
        bool WideInput;
        std::string Summary;  // or the start of the error
        std::string Encoding, Languages;
    } cases[] = {
        {{}, true, "entries: 4, relations: 0, replaced characters: 0, shortened entries: 0\n", "utf-8", "unknown"},
        {{}, false, "entries: 3, relations: 0, replaced characters: 0", "windows-1252", "unknown"},
        {{"--encoding", "windows-1252"}, true, "entries: 4, relations: 0, replaced characters: 9, ", "windows-1252",
         "unknown"},
        {{"--encoding", "utf-8"}, false, "entries: 3", "utf-8", "unknown"},
        {{"--languages", "pl-en"}, true, "entries: 4", "utf-8", "pl-en"},
        {{"--languages", "?-en"}, false, "entries: 3", "windows-1252", "unknown-en"},
        {{"--languages", "el-"}, true, "entries: 4", "utf-8", "el-unknown"},
        {{"--languages", "-?"}, true, "entries: 4", "utf-8", "unknown"},
        {{"--name", "S\xC5\x82ownik"}, false, "entries: 3", "utf-8", "unknown"},
        {{"--encoding", "latin1"}, true, "makrel: --encoding: unknown encoding \"latin1\"", "", ""},
        {{"--languages", "pl"}, true, "makrel: --languages: expected HEAD-DEFS", "", ""},
        {{"--languages", "pl-en-de"}, true, "makrel: --languages: expected HEAD-DEFS", "", ""},
        {{"--languages", "xx-en"}, true, "makrel: --languages: \"xx\" is not a two-letter ISO 639-1", "", ""},
        {{"--languages", "pl-EN"}, true, "makrel: --languages: \"EN\" is not", "", ""},
        {{"--name", "bad \xFF"}, true, "makrel: --name: invalid UTF-8", "", ""},
    };
    const std::string output = Folder.File("out.ldi");
    for (const auto& c : cases) {
        std::remove(output.c_str());
        std::vector<std::string> args = {"build"};
        args.insert(args.end(), c.Options.begin(), c.Options.end());
        args.insert(args.end(), {c.WideInput ? Wide : Narrow, output});
        const TRun r = RunCommand(args);
        const std::string label = c.Options.empty() ? "none" : c.Options.back();
        if (c.Encoding.empty()) {
            EXPECT_EQ(2, r.Code) << label;
            EXPECT_EQ(0u, r.Err.rfind(c.Summary, 0)) << label << ": " << r.Err;
            EXPECT_FALSE(std::ifstream(output).good()) << label;
            continue;
        }
        ASSERT_EQ(0, r.Code) << label << ": " << r.Err;
        EXPECT_EQ(0u, r.Out.rfind(c.Summary, 0)) << label << ": " << r.Out;
        EXPECT_EQ("Encoding: " + c.Encoding, InfoLine(output, "Encoding")) << label;
        EXPECT_EQ("Languages: " + c.Languages, InfoLine(output, "Languages")) << label;
        EXPECT_EQ(0, RunCommand({"verify", output}).Code) << label;
        if (!c.Options.empty() && c.Options.front() == "--name") {
            EXPECT_EQ("Name: " + c.Options.back(), InfoLine(output, "Name"));
        }
    }
}

// Arguments are UTF-8 for files of either encoding, and so is the output.
TEST_F(MakrelEncodingTest, CommandsSpeakUtf8WhateverTheFileHolds)
{
    const std::string cannot = "character U+017C cannot occur in this dictionary, whose text is Windows-1252";
    const struct {
        std::vector<std::string> Args;
        int Code;
        std::string Out, Err;
    } cases[] = {
        {{"lookup", "--exact", Utf8File, kZolwUpper}, 0, "#\t" + kZolw + "\tturtle\\x07 \xC5\xBC\n", ""},
        {{"lookup", "--exact", Utf8File, kSpitiUpper}, 0, "#\t" + kSpiti + "\thouse\n", ""},
        {{"lookup", Utf8File, kIe}, 0, "#\t" + kIe + "\tie\n", ""},
        {{"search", Utf8File, "\xC5\xBB*"}, 0, "#\t" + kZolw + "\n", ""},
        {{"find", Utf8File, "\xC5\xBB", "TURTLE"}, 0, "#\t" + kZolw + "\n", ""},
        {{"relations", Utf8File, kZolw}, 0, "-3\tNoun\n-2\tAntonym\n#\t" + kSpiti + "\n", ""},
        {{"lookup", "--exact", AnsiFile, "CAF\xC3\xA9"}, 0, "#\t" + kCafe + "\tcoffee\n", ""},
        {{"lookup", "--exact", AnsiFile, "\xC3\x84PFEL"}, 0, "#\t\xC3\x84pfel\tapples\n", ""},
        {{"search", AnsiFile, "*\xC3\xA9"}, 0, "#\t" + kCafe + "\n", ""},
        {{"relations", AnsiFile, kCafe}, 0, "-3\tNoun\n-2\tAntonym\n#\tapple\n", ""},
        // Characters a Windows-1252 file cannot hold are named, not dropped.
        {{"lookup", "--exact", AnsiFile, kZolw}, 1, "", "not found: " + cannot + "\n"},
        {{"lookup", AnsiFile, kZolw}, 2, "", "makrel: " + kZolw + ": " + cannot + "\n"},
        {{"search", AnsiFile, "\xC5\xBC*"}, 2, "", "makrel: \xC5\xBC*: " + cannot + "\n"},
        {{"find", AnsiFile, "coffee", "\xC5\xBC"}, 2, "", "makrel: \xC5\xBC: " + cannot + "\n"},
        {{"relations", AnsiFile, kZolw}, 1, "", "makrel: " + kZolw + ": not found: " + cannot + "\n"},
        {{"lookup", Utf8File, "bad \xFF"}, 2, "", "makrel: bad \xFF: invalid UTF-8\n"},
    };
    for (const auto& c : cases) {
        const TRun r = RunCommand(c.Args);
        const std::string label = c.Args[0] + " " + c.Args.back();
        EXPECT_EQ(c.Code, r.Code) << label;
        EXPECT_EQ(c.Out, WithoutIndices(r.Out)) << label;
        EXPECT_EQ(c.Err, r.Err) << label;
    }
}

}  // namespace
}  // namespace makrel
