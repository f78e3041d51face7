#include "speech/voice_choice.h"

#include <gtest/gtest.h>

namespace lirabo {
namespace {

// Shaped as espeak-ng lists its voices: several voices claim a language at
// different priorities, some only in a regional form.
const std::vector<TVoiceLanguage> kVoices = {
    {"gmw/en-029", "en-029", 5}, {"gmw/en-029", "en", 10},  {"gmw/en", "en-gb", 2},
    {"gmw/en", "en", 2},         {"gmw/en-US", "en-us", 2}, {"gmw/en-US", "en", 3},
    {"roa/pt", "pt", 5},         {"roa/pt-BR", "pt-br", 5}, {"roa/pt-BR", "pt", 6},
    {"zle/ru-LV", "ru-lv", 2},   {"sit/cmn", "zh-cmn", 5},  {"sit/yue", "zh-yue", 5},
    {"sit/yue", "zh", 8},        {"sit/cmn", "zh", 5},      {"gmw/de", "de", 5},
};

TEST(ChooseVoiceTest, PicksTheBestVoiceForTheCode)
{
    const struct {
        const char* Language;
        const char* Expected;
    } cases[] = {
        {"en", "gmw/en"},  // lowest priority of those listed for "en"
        {"EN", "gmw/en"},  // codes come in either case
        {"de", "gmw/de"},
        {"pt", "roa/pt"},
        {"pt-br", "roa/pt-BR"},  // a region asked for is matched exactly
        {"pt_BR", "roa/pt-BR"},
        {"zh", "sit/cmn"},
        {"ru", "zle/ru-LV"},  // only a regional form speaks it
        {"en-au", ""},        // a region nobody speaks is not its language
        {"fr", ""},
        {"", ""},
        {"e", ""},  // not a language code
        {"engl", ""},
        {"en-", ""},
        {"-en", ""},
        {"e n", ""},
        {"en\n", ""},
        {"\xC3\xA9n", ""},
        {"*", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseVoice(kVoices, c.Language), c.Expected) << c.Language;
}

TEST(ChooseVoiceTest, PrefixOfAnotherCodeIsNotARegion)
{
    // "zh" must not take a voice listed only for "zhx", nor "en" one for "eng".
    const std::vector<TVoiceLanguage> voices = {{"x/zhx", "zhx", 1}, {"x/eng", "eng-x", 1}};
    EXPECT_EQ(ChooseVoice(voices, "zh"), "");
    EXPECT_EQ(ChooseVoice(voices, "en"), "");
}

}  // namespace
}  // namespace lirabo
