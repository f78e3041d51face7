#include "makrel/core/language_pair.h"

#include "dictionary/text_encoding.h"

namespace makrel {

std::string LanguageCodeError(std::string_view Code)
{
    if (lirabo::IsLanguageCode(Code))
        return {};
    return "\"" + std::string(Code) + "\" is not a two-letter ISO 639-1 language code in lower case";
}

std::string ReadLanguagePair(std::string_view Text, TLanguagePair& Pair)
{
    const size_t dash = Text.find('-');
    if (dash == std::string_view::npos || Text.find('-', dash + 1) != std::string_view::npos)
        return "expected HEAD-DEFS, e.g. pl-en, with ? for a side that is unknown";
    TLanguagePair read{std::string(Text.substr(0, dash)), std::string(Text.substr(dash + 1))};
    for (std::string* side : {&read.Headword, &read.Definition}) {
        if (*side == "?")
            side->clear();
        if (side->empty())
            continue;
        std::string error = LanguageCodeError(*side);
        if (!error.empty())
            return error;
    }
    Pair = std::move(read);
    return {};
}

}  // namespace makrel
