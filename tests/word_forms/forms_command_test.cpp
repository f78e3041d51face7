#include <gtest/gtest.h>

#include <sstream>

#include "hunspell_fixture.h"
#include "makrel_runner.h"
#include "makrel_test_folder.h"
#include "scoped_environment.h"

namespace makrel {
namespace {

class FormsCommandTest : public ::testing::Test {
protected:
    test::TTestFolder Folder{"forms_command"};
    // The desktop's folders point into the test's, so that what a machine
    // has installed changes nothing.
    lirabo::test::TScopedEnvironment Home{"XDG_DATA_HOME", Folder.File("home")};
    lirabo::test::TScopedEnvironment Shared{"XDG_DATA_DIRS", Folder.File("shared")};

    std::string Build(const std::string& Name, const std::string& Words, const std::string& Languages)
    {
        Folder.Write(Name + ".tsv", Words);
        std::vector<std::string> args = {"build"};
        if (!Languages.empty())
            args.insert(args.end(), {"--languages", Languages});
        args.insert(args.end(), {Folder.File(Name + ".tsv"), Folder.File(Name + ".ldi")});
        const test::TRun r = test::RunCommand(args);
        EXPECT_EQ(0, r.Code) << r.Err;
        return Folder.File(Name + ".ldi");
    }
};

TEST_F(FormsCommandTest, PrintsTheHeadwordsMostLikelyFirst)
{
    lirabo::test::WriteHunspellDictionary(Folder.File("shared/hunspell"), "de_DE", false);
    const std::string english = Build("en", "ax\t1\naxe\t2\naxis\t3\ngo\t4\nMouse\t5\n", "en-de");
    const std::string german = Build("de", "Haus\t1\nKind\t2\n", "de-en");
    struct Case {
        std::string File;
        std::string Word;
        std::string Out;
    };
    const Case cases[] = {
        {english, "axes", "ax\naxis\naxe\n"},
        {english, "went", "go\n"},
        {english, "MICE", "Mouse\n"},
        {english, "trees", ""},
        {german, "Häuser", "Haus\n"},
        {german, "Kinder", "Kind\n"},
        {german, "Bäume", ""},
    };
    for (const Case& c : cases) {
        const test::TRun r = test::RunCommand({"forms", c.File, c.Word});
        EXPECT_EQ(0, r.Code) << c.Word << ": " << r.Err;
        EXPECT_EQ(c.Out, r.Out) << c.Word;
        EXPECT_EQ("", r.Err) << c.Word;
    }
}

TEST_F(FormsCommandTest, SaysWhyNoFormsCanBeKnown)
{
    struct Case {
        std::string Languages;
        std::string Err;
    };
    const Case cases[] = {
        {"", "the headword language is unknown"},
        {"?-en", "the headword language is unknown"},
        {"fr-en", "no word forms are known for the language fr"},
    };
    for (const Case& c : cases) {
        const test::TRun r = test::RunCommand({"forms", Build("words", "maison\t1\n", c.Languages), "maisons"});
        EXPECT_EQ(1, r.Code) << c.Languages;
        EXPECT_EQ("", r.Out) << c.Languages;
        EXPECT_NE(std::string::npos, r.Err.find(c.Err)) << r.Err;
    }
}

TEST_F(FormsCommandTest, BadArgumentsFail)
{
    const std::string english = Build("en", "go\t1\n", "en-de");
    struct Case {
        std::vector<std::string> Args;
        std::string Err;
    };
    const Case cases[] = {
        {{"forms", english}, "wrong number of arguments"},
        {{"forms", english, "went", "gone"}, "wrong number of arguments"},
        {{"forms", english, "we\xFFnt"}, "invalid UTF-8"},
        {{"forms", Folder.File("none.ldi"), "went"}, "none.ldi"},
    };
    for (const Case& c : cases) {
        const test::TRun r = test::RunCommand(c.Args);
        EXPECT_EQ(2, r.Code) << c.Err;
        EXPECT_EQ("", r.Out) << c.Err;
        EXPECT_NE(std::string::npos, r.Err.find(c.Err)) << r.Err;
    }
}

}  // namespace
}  // namespace makrel
