#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "hunspell_fixture.h"
#include "makrel_test_folder.h"
#include "word_forms/charset_converter.h"
#include "word_forms/hunspell_dictionary_files.h"
#include "word_forms/hunspell_stemmer.h"

namespace lirabo {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

constexpr const char* kMissingLibrary[] = {"liblirabo-no-such-hunspell.so.0"};

const THunspellLibrary& SystemLibrary()
{
    const THunspellLibrary& library = THunspellLibrary::System();
    // scripts/bootstrap installs it; a machine without it must not pass by
    // testing nothing.
    EXPECT_TRUE(library.Loaded()) << "libhunspell-1.7.so.0 not found (Debian package libhunspell-1.7-0)";
    return library;
}

class HunspellTest : public ::testing::Test {
protected:
    makrel::test::TTestFolder Folder{"hunspell"};

    THunspellStemmer Stemmer(const std::string& Name, bool Latin1, const THunspellLibrary& Library)
    {
        test::WriteHunspellDictionary(Folder.File(""), Name, Latin1);
        return THunspellStemmer(Library, Folder.File(Name + ".aff"), Folder.File(Name + ".dic"));
    }
};

TEST_F(HunspellTest, StemsComeBackInUtf8WhateverTheDictionarysSet)
{
    struct Case {
        std::string Word;
        Strings Utf8Stems;
        Strings Latin1Stems;
    };
    const Case cases[] = {
        {"Häuser", {"Haus", "haus"}, {"Haus", "haus"}},
        {"Kinder", {"Kind"}, {"Kind"}},
        {"Füße", {"Fuß"}, {"Fuß"}},
        // Not in ISO8859-1: the word is not another one with a letter dropped.
        {"Ćmas", {"Ćma"}, {}},
        {"Hunde", {}, {}},
        {"", {}, {}},
        // Hunspell would stop at the zero byte and stem "Kinder".
        {std::string("Kinder\0x", 8), {}, {}},
    };
    THunspellStemmer utf8 = Stemmer("utf8", false, SystemLibrary());
    THunspellStemmer latin1 = Stemmer("latin1", true, SystemLibrary());
    for (const Case& c : cases) {
        Strings stems = utf8.Stems(c.Word);
        std::sort(stems.begin(), stems.end());
        Strings expected = c.Utf8Stems;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(expected, stems) << c.Word << " (UTF-8)";
        stems = latin1.Stems(c.Word);
        std::sort(stems.begin(), stems.end());
        expected = c.Latin1Stems;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(expected, stems) << c.Word << " (ISO8859-1)";
    }
}

TEST_F(HunspellTest, WithoutTheLibraryNothingIsFoundAndNothingFails)
{
    const THunspellLibrary missing(kMissingLibrary);
    EXPECT_FALSE(missing.Loaded());
    EXPECT_EQ(nullptr, missing.Stem);
    THunspellStemmer stemmer = Stemmer("de_DE", false, missing);
    EXPECT_TRUE(stemmer.Stems("Häuser").empty());
}

TEST_F(HunspellTest, MissingFilesFindNothing)
{
    THunspellStemmer stemmer(SystemLibrary(), Folder.File("none.aff"), Folder.File("none.dic"));
    EXPECT_TRUE(stemmer.Stems("Häuser").empty());
}

TEST(CharsetConverterTest, RefusesWhatTheOtherSideCannotHold)
{
    struct Case {
        std::string Set;
        std::string Utf8;
        std::optional<std::string> Stored;
    };
    const Case cases[] = {
        {"ISO8859-1", "Fuß", std::string("Fu\xDF")},
        {"ISO8859-15", "€", std::string("\xA4")},
        {"KOI8-R", "дом", std::string("\xC4\xCF\xCD")},
        {"microsoft-cp1251", "дом", std::string("\xE4\xEE\xEC")},
        {"ISO8859-1", "Ćma", std::nullopt},
        {"ISO8859-1", "\xFF", std::nullopt},
        {"UTF-8", "Ćma", std::string("Ćma")},
        {"utf8", "\xC3", std::nullopt},
    };
    for (const Case& c : cases) {
        const TCharsetConverter converter(c.Set);
        ASSERT_TRUE(converter.Valid()) << c.Set;
        EXPECT_EQ(c.Stored, converter.FromUtf8(c.Utf8)) << c.Set << " " << c.Utf8;
        if (c.Stored) {
            EXPECT_EQ(c.Utf8, converter.ToUtf8(*c.Stored)) << c.Set << " " << c.Utf8;
        }
    }
    EXPECT_FALSE(TCharsetConverter("no-such-set").Valid());
    EXPECT_FALSE(TCharsetConverter("no-such-set").FromUtf8("a"));
    // A byte that is no character of the set is not guessed at.
    EXPECT_FALSE(TCharsetConverter("US-ASCII").ToUtf8("\xE4"));
}

class HunspellFilesTest : public ::testing::Test {
protected:
    makrel::test::TTestFolder Folder{"hunspell_files"};

    std::string Make(const std::string& Folder, const std::string& Name, bool WithWords = true)
    {
        const fs::path path = fs::path(this->Folder.File(Folder)) / Name;
        test::WriteFile(path.string() + ".aff", "SET UTF-8\n");
        if (WithWords)
            test::WriteFile(path.string() + ".dic", "0\n");
        return path.string();
    }
};

TEST_F(HunspellFilesTest, TheLanguagesOwnCountryThenOthersByNameThenThePlainLanguage)
{
    struct Case {
        Strings Files;  // FOLDER/NAME; a trailing '-' leaves out the .dic
        std::string Language;
        std::string Expected;  // FOLDER/NAME or empty
    };
    const Case cases[] = {
        {{"a/de_AT", "a/de_DE", "a/de_CH", "a/de"}, "de", "a/de_DE"},
        {{"a/de_CH", "a/de_AT", "a/de"}, "de", "a/de_AT"},
        {{"a/de", "a/dea_DE"}, "de", "a/de"},
        {{"a/en_GB", "a/en_US"}, "en", "a/en_GB"},
        {{"a/es_419", "a/es_ES"}, "es", "a/es_ES"},
        {{"a/es_419"}, "es", "a/es_419"},
        // The first folder with any dictionary of the language wins.
        {{"a/de_AT", "b/de_DE"}, "de", "a/de_AT"},
        {{"a/fr_FR", "b/de_DE"}, "de", "b/de_DE"},
        {{"a/de_DE-", "b/de_AT"}, "de", "b/de_AT"},
        // Variants, other languages and non-codes are no LANG_COUNTRY.
        {{"a/de_DE_frami", "a/de_de", "a/de-DE", "a/fr_FR"}, "de", ""},
        {{"a/de_DE"}, "DE", ""},
        {{"a/de_DE"}, "", ""},
        {{"a/de_DE"}, "../a/de", ""},
    };
    int round = 0;
    for (const Case& c : cases) {
        const std::string base = "r" + std::to_string(round++);
        for (std::string file : c.Files) {
            const bool words = !file.ends_with('-');
            if (!words)
                file.pop_back();
            Make(base + "/" + file.substr(0, 1), file.substr(2), words);
        }
        const auto found =
            FindHunspellDictionary({Folder.File(base + "/a"), Folder.File(base + "/b")}, c.Language);
        if (c.Expected.empty()) {
            EXPECT_FALSE(found) << c.Language << " found " << found->AffixFile;
            continue;
        }
        ASSERT_TRUE(found) << c.Language << " " << c.Expected;
        const std::string expected = Folder.File(base + "/" + c.Expected);
        EXPECT_EQ(expected + ".aff", found->AffixFile);
        EXPECT_EQ(expected + ".dic", found->WordFile);
    }
}

TEST_F(HunspellFilesTest, MissingAndUnreadableFoldersArePassedOver)
{
    Make("b", "de_DE");
    const auto found =
        FindHunspellDictionary({"", Folder.File("none"), Make("a", "file") + ".aff", Folder.File("b")}, "de");
    ASSERT_TRUE(found);
    EXPECT_EQ(Folder.File("b/de_DE.dic"), found->WordFile);
}

}  // namespace
}  // namespace lirabo
