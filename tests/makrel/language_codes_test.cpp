#include <gtest/gtest.h>

#include <set>
#include <string>

#include "dictionary/text_encoding.h"
#include "makrel/core/language_codes.h"
#include "makrel/dictd/dictd_importer.h"

namespace makrel {
namespace {

TEST(LanguageCodesTest, ThreeLetterCodesNameTheirTwoLetterLanguage)
{
    struct TCase {
        const char* Code;
        const char* Expected;
    };
    const TCase cases[] = {
        {"deu", "de"},
        {"ger", "de"},
        {"eng", "en"},
        {"fra", "fr"},
        {"fre", "fr"},
        {"ces", "cs"},
        {"cze", "cs"},
        {"ell", "el"},
        {"gre", "el"},
        {"rus", "ru"},
        {"jpn", "ja"},
        {"pol", "pl"},
        {"zho", "zh"},
        {"chi", "zh"},
        {"cmn", "zh"},
        {"swa", "sw"},
        {"swh", "sw"},
        {"nob", "nb"},
        {"nor", "no"},
        {"kur", "ku"},
        {"lat", "la"},
        {"bih", "bh"},
        {"aar", "aa"},
        {"zul", "zu"},
        // Languages without a two-letter code, and what is no code at all.
        {"grc", ""},
        {"ast", ""},
        {"haw", ""},
        {"xxx", ""},
        {"DEU", ""},
        {"de", ""},
        {"deut", ""},
        {"", ""},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(c.Expected, TwoLetterLanguage(c.Code)) << c.Code;
}

TEST(LanguageCodesTest, EveryTwoLetterLanguageHasAThreeLetterCode)
{
    std::set<std::string> named;
    std::string code = "aaa";
    for (code[0] = 'a'; code[0] <= 'z'; ++code[0])
        for (code[1] = 'a'; code[1] <= 'z'; ++code[1])
            for (code[2] = 'a'; code[2] <= 'z'; ++code[2])
                if (const std::string two = TwoLetterLanguage(code); !two.empty()) {
                    EXPECT_TRUE(lirabo::IsLanguageCode(two)) << code << " names " << two;
                    named.insert(two);
                }
    std::string two = "aa";
    for (two[0] = 'a'; two[0] <= 'z'; ++two[0])
        for (two[1] = 'a'; two[1] <= 'z'; ++two[1])
            EXPECT_EQ(lirabo::IsLanguageCode(two), named.count(two) == 1) << two;
}

TEST(LanguageCodesTest, ADictdIndexNamedForItsLanguagesGivesThem)
{
    struct TCase {
        const char* Index;
        const char* Headword;
        const char* Definition;
    };
    const TCase cases[] = {
        {"/usr/share/dictd/freedict-deu-eng.index", "de", "en"},
        {"deu-eng.index", "de", "en"},
        {"FreeDict-Fra-Deu.index", "fr", "de"},
        {"ger-eng.index", "de", "en"},
        {"dir/freedict-jpn-rus", "ja", "ru"},
        // Not two known codes: nothing is guessed.
        {"tiny.index", "", ""},
        {"deu-eng-wikdict.index", "", ""},
        {"freedict-deu-xyz.index", "", ""},
        {"freedict-grc-eng.index", "", ""},
        {"deu_eng.index", "", ""},
        {"de-en.index", "", ""},
        {"/data/deu-eng/tiny.index", "", ""},
        {"", "", ""},
    };
    for (const TCase& c : cases) {
        const TDictdImporter::TLanguages languages = TDictdImporter::LanguagesOf(c.Index);
        EXPECT_EQ(c.Headword, languages.Headword) << c.Index;
        EXPECT_EQ(c.Definition, languages.Definition) << c.Index;
    }
}

}  // namespace
}  // namespace makrel
