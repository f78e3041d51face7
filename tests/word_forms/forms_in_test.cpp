#include <gtest/gtest.h>

#include "dictionary/dictionary_store.h"
#include "hunspell_fixture.h"
#include "makrel_test_folder.h"
#include "test_dictionary.h"
#include "word_forms/word_forms.h"

namespace lirabo {
namespace {

using Strings = std::vector<std::string>;

// The headwords both test dictionaries share, as the writer takes them
// (Windows-1252 bytes for the one, UTF-8 for the other).
const std::vector<test::Entry> kAsciiEntries = {
    {"ax", "1"},     {"axe", "2"}, {"axis", "3"},  {"go", "4"},   {"house", "5"}, {"Mouse", "6"},
    {"mouse", "6b"}, {"run", "7"}, {"study", "8"}, {"tall", "9"}, {"Haus", "10"}, {"Kind", "11"},
};

class FormsInTest : public ::testing::TestWithParam<bool> {
protected:
    makrel::test::TTestFolder Folder{"forms_in"};
    TDictionaryStore Store;

    bool Utf8() const { return GetParam(); }

    void SetUp() override
    {
        test::WriteHunspellDictionary(Folder.File("hunspell"), "de_DE", false);
        std::vector<test::Entry> entries = kAsciiEntries;
        makrel::TWriterOptions options = test::FastOptions();
        if (Utf8()) {
            options.Encoding = makrel::TEncodingChoice::Utf8;
            entries.push_back({"Ćma", "12"});
            entries.push_back({"Fuß", "13"});
        } else {
            entries.push_back({"Fu\xDF", "13"});
        }
        // Three entries a section: the forms lie in different sections.
        test::Open(Store, test::BuildDictionary(entries, 3, {}, options));
        ASSERT_EQ(Utf8(), Store.Rule().Utf8());
    }
};

TEST_P(FormsInTest, OnlyHeadwordsAsTheDictionaryWritesThem)
{
    enum TFiles { kBoth, kUtf8Only, kWindows1252Only };
    struct Case {
        std::string Word;
        std::string Language;
        Strings Forms;
        TFiles Files = kBoth;
    };
    const Case cases[] = {
        {"houses", "en", {"house"}},
        {"went", "en", {"go"}},
        {"RUNNING", "en", {"run"}},
        {"studies", "en", {"study"}},
        {"taller", "en", {"tall"}},
        // Most likely first: the irregular plurals, then the verb "axe".
        {"axes", "en", {"ax", "axis", "axe"}},
        // The first of a group of equal headwords names it.
        {"Mice", "en", {"Mouse"}},
        // A headword itself, and a word with no form in the dictionary.
        {"house", "en", {}},
        {"trees", "en", {}},
        // Hunspell's "Haus" and "haus" are one headword.
        {"Häuser", "de", {"Haus"}},
        {"Kinder", "de", {"Kind"}},
        {"Füße", "de", {"Fuß"}},
        // A stem that the file's encoding cannot hold is passed over.
        {"Ćmas", "de", {"Ćma"}, kUtf8Only},
        {"Ćmas", "de", {}, kWindows1252Only},
        {"houses", "fr", {}},
        {"houses", "", {}},
        {"", "en", {}},
        {"\xFF", "en", {}},
    };
    TWordForms forms({Folder.File("hunspell")});
    for (const Case& c : cases) {
        if (c.Files == (Utf8() ? kWindows1252Only : kUtf8Only))
            continue;
        EXPECT_EQ(c.Forms, forms.FormsIn(Store, c.Word, c.Language)) << c.Word << " " << c.Language;
    }
}

TEST_P(FormsInTest, NothingOpenHasNoForms)
{
    Store.Clear();
    TWordForms forms({Folder.File("hunspell")});
    EXPECT_TRUE(forms.FormsIn(Store, "houses", "en").empty());
    EXPECT_TRUE(forms.FormsIn(Store, "Häuser", "de").empty());
}

INSTANTIATE_TEST_SUITE_P(Encodings, FormsInTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& Info) {
                             return Info.param ? "Utf8" : "Windows1252";
                         });

}  // namespace
}  // namespace lirabo
