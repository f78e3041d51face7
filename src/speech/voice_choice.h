#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lirabo {

// One language a voice speaks, as the synthesiser lists it ("en-gb" with
// priority 2); lower priorities are the better voices for that language.
struct TVoiceLanguage {
    std::string Voice;  // what selects the voice ("gmw/en")
    std::string Language;
    int Priority = 0;
};

// The voice for Language, an ISO 639-1 code ("en"), optionally with a region
// ("pt-br"), in either case: the best voice listed for exactly that language,
// else the best for a regional form of it ("en" finds "en-us"); empty when
// none speaks it or Language is not such a code.
std::string ChooseVoice(const std::vector<TVoiceLanguage>& Voices, std::string_view Language);

}  // namespace lirabo
