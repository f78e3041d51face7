#include <gtest/gtest.h>

#include "hunspell_fixture.h"
#include "makrel_test_folder.h"
#include "scoped_environment.h"
#include "word_forms/word_forms.h"

namespace lirabo {
namespace {

using Strings = std::vector<std::string>;

class WordFormsTest : public ::testing::Test {
protected:
    makrel::test::TTestFolder Folder{"word_forms"};

    void SetUp() override
    {
        test::WriteHunspellDictionary(Folder.File("utf8"), "de_DE", false);
        test::WriteHunspellDictionary(Folder.File("latin1"), "de_DE", true);
    }
};

TEST_F(WordFormsTest, OtherLanguagesAskHunspell)
{
    struct Case {
        std::string Word;
        std::string Language;
        Strings Utf8;
        Strings Latin1;
    };
    const Case cases[] = {
        {"Häuser", "de", {"Haus", "haus"}, {"Haus", "haus"}},
        {"HÄUSER", "de", {"Haus", "haus"}, {"Haus", "haus"}},
        // Decomposed, as some systems copy text: the dictionary's letter is
        // the composed one.
        {"Ha\xCC\x88user", "de", {"Haus", "haus"}, {"Haus", "haus"}},
        {"Füße", "de", {"Fuß"}, {"Fuß"}},
        {"Ćmas", "de", {"Ćma"}, {}},
        // A word that is its own stem has no other form.
        {"Haus", "de", {}, {}},
        {"Häuser", "DE", {"Haus", "haus"}, {"Haus", "haus"}},
        // No dictionary for the language, or no language at all.
        {"maisons", "fr", {}, {}},
        {"Häuser", "", {}, {}},
        {"Häuser", "de_DE", {}, {}},
        {"Häuser", "../utf8/de", {}, {}},
    };
    TWordForms utf8({Folder.File("utf8")});
    TWordForms latin1({Folder.File("latin1")});
    for (const Case& c : cases) {
        const auto sorted = [](Strings Forms) {
            std::sort(Forms.begin(), Forms.end());
            return Forms;
        };
        EXPECT_EQ(sorted(c.Utf8), sorted(utf8.Candidates(c.Word, c.Language))) << c.Word << " " << c.Language;
        EXPECT_EQ(sorted(c.Latin1), sorted(latin1.Candidates(c.Word, c.Language)))
            << c.Word << " " << c.Language;
    }
}

TEST_F(WordFormsTest, WhichLanguagesAreKnown)
{
    TWordForms forms({Folder.File("utf8")});
    const std::pair<const char*, bool> cases[] = {{"en", true}, {"EN", true}, {"de", true},  {"fr", false},
                                                  {"", false},  {"e", false}, {"de/", false}};
    for (const auto& [language, known] : cases)
        EXPECT_EQ(known, forms.HasLanguage(language)) << language;
    TWordForms none(std::vector<std::string>{});
    EXPECT_TRUE(none.HasLanguage("en"));
    EXPECT_FALSE(none.HasLanguage("de"));
    EXPECT_TRUE(none.Candidates("Häuser", "de").empty());
}

TEST_F(WordFormsTest, ADictionaryIsReadOnceAndKept)
{
    TWordForms forms({Folder.File("utf8")});
    EXPECT_EQ(Strings{"Kind"}, forms.Candidates("Kinder", "de"));
    // Opened on first need and kept: removing the files changes nothing.
    std::filesystem::remove_all(Folder.File("utf8"));
    EXPECT_EQ(Strings{"Kind"}, forms.Candidates("Kinder", "de"));
    // A language without one is not searched for again either.
    EXPECT_TRUE(forms.Candidates("maisons", "fr").empty());
    test::WriteHunspellDictionary(Folder.File("utf8"), "fr_FR", false);
    EXPECT_TRUE(forms.Candidates("Kinder", "fr").empty());
    EXPECT_EQ(Strings{"Kind"}, TWordForms({Folder.File("utf8")}).Candidates("Kinder", "fr"));
}

TEST_F(WordFormsTest, SillyWordsGiveNothing)
{
    TWordForms forms({Folder.File("utf8")});
    const std::string longest(TWordForms::kMaxWordBytes - 1, 'a');
    struct Case {
        std::string Word;
        std::string Language;
        bool Any;
    };
    const Case cases[] = {
        {"", "en", false},
        {"", "de", false},
        {longest + "s", "en", true},
        {longest + "ss", "en", false},
        {std::string(100000, 'x') + "s", "en", false},
        {std::string(100000, 'x') + "er", "de", false},
        {"house\xFFs", "en", false},
        {"\xC3", "en", false},
        {"H\xE4user", "de", false},
        {std::string("mice\0", 5), "en", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.Any, !forms.Candidates(c.Word, c.Language).empty()) << c.Word.size() << " bytes";
    EXPECT_EQ(Strings{longest}, forms.Candidates(longest + "s", "en"));
}

TEST(DefaultHunspellFoldersTest, TheUsersFolderThenTheSharedOnesThenMyspells)
{
    using Value = std::optional<std::string>;
    struct Case {
        Value Home;
        Value DataHome;
        Value DataFolders;
        Strings Expected;
    };
    const Strings myspell = {"/usr/share/myspell/dicts", "/usr/share/myspell"};
    const auto with = [&](Strings Folders) {
        Folders.insert(Folders.end(), myspell.begin(), myspell.end());
        return Folders;
    };
    const Case cases[] = {
        {"/home/u", std::nullopt, std::nullopt,
         with({"/home/u/.local/share/hunspell", "/usr/local/share/hunspell", "/usr/share/hunspell"})},
        {"/home/u", "/data", "/a:/b", with({"/data/hunspell", "/a/hunspell", "/b/hunspell"})},
        // Relative and empty values are no folders; a folder named twice counts once.
        {"/home/u", "data", "/a:relative::/a", with({"/home/u/.local/share/hunspell", "/a/hunspell"})},
        {std::nullopt, "", "", with({"/usr/local/share/hunspell", "/usr/share/hunspell"})},
        {"/home/u", "/home/u/.local/share", "/usr/share:/usr/share",
         with({"/home/u/.local/share/hunspell", "/usr/share/hunspell"})},
    };
    for (const Case& c : cases) {
        const test::TScopedEnvironment home("HOME", c.Home);
        const test::TScopedEnvironment dataHome("XDG_DATA_HOME", c.DataHome);
        const test::TScopedEnvironment dataFolders("XDG_DATA_DIRS", c.DataFolders);
        EXPECT_EQ(c.Expected, TWordForms::DefaultHunspellFolders())
            << c.DataHome.value_or("-") << " " << c.DataFolders.value_or("-");
    }
}

}  // namespace
}  // namespace lirabo
