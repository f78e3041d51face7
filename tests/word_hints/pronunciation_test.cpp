// What Pronounce speaks, in which language, and why it cannot.

#include <gtest/gtest.h>

#include "test_folder.h"
#include "word_hints/pronunciation.h"

namespace lirabo::test {
namespace {

using TAvailability = TSpeech::TAvailability;

TEST(PronunciationTest, WordMenuSpeaksTheMarkedDefinitionWordElseTheHeadword)
{
    struct TCase {
        const char* Name;
        QString Marked;
        bool InDefinition;
        QString Headword;
        QString Text;
        std::string Language;
    } cases[] = {
        {"a word of the definition", "dog", true, "Hund", "dog", "en"},
        {"a word of the headword", "ice", false, "ice cream", "ice cream", "de"},
        {"a link names a headword", "Katze", false, "", "Katze", "de"},
        {"a delimiter picks no word", "", true, "Hund", "Hund", "de"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TPronunciation p = TPronunciation::ForWordMenu(c.Marked, c.InDefinition, c.Headword, "de", "en");
        EXPECT_EQ(p.Text, c.Text);
        EXPECT_EQ(p.Language, c.Language);
    }
}

TEST(PronunciationTest, KeySpeaksTheCurrentHeadwordElseTheLookupWord)
{
    EXPECT_EQ(TPronunciation::ForKey("house", "hous", "en").Text, "house");
    EXPECT_EQ(TPronunciation::ForKey("", "  Haus ", "de").Text, "Haus");
    EXPECT_EQ(TPronunciation::ForKey("", "  ", "de").Text, "");
    EXPECT_EQ(TPronunciation::ForKey("", "Haus", "de").Language, "de");
}

TEST(PronunciationTest, ReasonsNameWhatIsMissing)
{
    const TSpeechTexts texts{"no library", "no voice for %s", "unknown language"};
    struct TCase {
        TAvailability Availability;
        std::string Language;
        QString Reason;
    } cases[] = {
        {TAvailability::Ready, "en", ""},
        {TAvailability::NoLibrary, "en", "no library"},
        {TAvailability::NoLibrary, "", "no library"},
        {TAvailability::NoVoice, "de", "no voice for German"},
        {TAvailability::NoVoice, "en", "no voice for English"},
        // Not a language Qt knows: the code is all there is to show.
        {TAvailability::NoVoice, "qq", "no voice for qq"},
        {TAvailability::NoVoice, "", "unknown language"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Language);
        EXPECT_EQ(TPronunciation::UnavailableReason(c.Availability, c.Language, texts), c.Reason);
    }
}

}  // namespace
}  // namespace lirabo::test
