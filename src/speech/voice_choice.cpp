#include "speech/voice_choice.h"

#include <cctype>

namespace lirabo {

namespace {

// A language tag in lower case, or empty when Language is not one: two or
// three letters, then optional parts of letters and digits after hyphens.
std::string NormalisedTag(std::string_view Language)
{
    std::string tag;
    size_t partLength = 0;
    bool first = true;
    for (const char c : Language) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '-' || c == '_') {
            if (partLength == 0 || (first && partLength < 2))
                return {};
            tag += '-';
            partLength = 0;
            first = false;
        } else if (std::isalpha(byte) || (!first && std::isdigit(byte))) {
            if (byte >= 0x80 || ++partLength > 8 || (first && partLength > 3))
                return {};
            tag += static_cast<char>(std::tolower(byte));
        } else {
            return {};
        }
    }
    if (partLength == 0 || (first && partLength < 2))
        return {};
    return tag;
}

std::string Lowered(std::string_view Text)
{
    std::string lowered(Text);
    for (char& c : lowered)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lowered;
}

}  // namespace

std::string ChooseVoice(const std::vector<TVoiceLanguage>& Voices, std::string_view Language)
{
    const std::string tag = NormalisedTag(Language);
    if (tag.empty())
        return {};
    const std::string regional = tag + '-';
    const TVoiceLanguage* exact = nullptr;
    const TVoiceLanguage* variant = nullptr;
    for (const TVoiceLanguage& voice : Voices) {
        const std::string language = Lowered(voice.Language);
        if (language == tag) {
            if (!exact || voice.Priority < exact->Priority)
                exact = &voice;
        } else if (language.starts_with(regional)) {
            if (!variant || voice.Priority < variant->Priority)
                variant = &voice;
        }
    }
    if (exact)
        return exact->Voice;
    return variant ? variant->Voice : std::string();
}

}  // namespace lirabo
