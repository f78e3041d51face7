#include "makrel/core/language_pair.h"

#include <gtest/gtest.h>

#include <string>

#include "dictionary/text_encoding.h"

namespace makrel {
namespace {

// The command line's tests cover the messages; here: what a refusal leaves.
TEST(LanguagePairTest, ARefusedPairLeavesWhatWasThereAndEveryStoredCodeIsTaken)
{
    struct TCase {
        const char* Text;
        const char* Headword;  // nullptr: refused
        const char* Definition;
    };
    const TCase cases[] = {
        {"pl-en", "pl", "en"},        {"?-en", "", "en"},          {"-", "", ""},
        {"pol-en", nullptr, nullptr}, {"pl-??", nullptr, nullptr}, {"pl-en-de", nullptr, nullptr},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text);
        TLanguagePair pair{"de", "fr"};
        const std::string error = ReadLanguagePair(c.Text, pair);
        EXPECT_EQ(error.empty(), c.Headword != nullptr) << error;
        EXPECT_EQ(pair.Headword, c.Headword ? c.Headword : "de");
        EXPECT_EQ(pair.Definition, c.Definition ? c.Definition : "fr");
    }
    for (const std::string_view code : lirabo::LanguageCodes())
        EXPECT_EQ(LanguageCodeError(code), "") << code;
    for (const char* code : {"", "?", "DE", "deu", "de ", "qq"})
        EXPECT_NE(LanguageCodeError(code), "") << code;
}

}  // namespace
}  // namespace makrel
