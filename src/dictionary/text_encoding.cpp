#include "dictionary/text_encoding.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "dictionary/exceptions.h"

namespace lirabo {

namespace {

// Stored as indexes, so this order is part of the file format: never sort
// or remove; a code ISO adds later goes at the end.
constexpr std::array<std::string_view, 184> kLanguages = {
    "aa", "ab", "ae", "af", "ak", "am", "an", "ar", "as", "av", "ay", "az", "ba", "be", "bg", "bh", "bi",
    "bm", "bn", "bo", "br", "bs", "ca", "ce", "ch", "co", "cr", "cs", "cu", "cv", "cy", "da", "de", "dv",
    "dz", "ee", "el", "en", "eo", "es", "et", "eu", "fa", "ff", "fi", "fj", "fo", "fr", "fy", "ga", "gd",
    "gl", "gn", "gu", "gv", "ha", "he", "hi", "ho", "hr", "ht", "hu", "hy", "hz", "ia", "id", "ie", "ig",
    "ii", "ik", "io", "is", "it", "iu", "ja", "jv", "ka", "kg", "ki", "kj", "kk", "kl", "km", "kn", "ko",
    "kr", "ks", "ku", "kv", "kw", "ky", "la", "lb", "lg", "li", "ln", "lo", "lt", "lu", "lv", "mg", "mh",
    "mi", "mk", "ml", "mn", "mr", "ms", "mt", "my", "na", "nb", "nd", "ne", "ng", "nl", "nn", "no", "nr",
    "nv", "ny", "oc", "oj", "om", "or", "os", "pa", "pi", "pl", "ps", "pt", "qu", "rm", "rn", "ro", "ru",
    "rw", "sa", "sc", "sd", "se", "sg", "si", "sk", "sl", "sm", "sn", "so", "sq", "sr", "ss", "st", "su",
    "sv", "sw", "ta", "te", "tg", "th", "ti", "tk", "tl", "tn", "to", "tr", "ts", "tt", "tw", "ty", "ug",
    "uk", "ur", "uz", "ve", "vi", "vo", "wa", "wo", "xh", "yi", "yo", "za", "zh", "zu"};

constexpr uint32_t kEncodingCount = 2;

int LanguageIndex(std::string_view Code)
{
    if (Code.empty())
        return 0;
    const auto it = std::find(kLanguages.begin(), kLanguages.end(), Code);
    if (it == kLanguages.end())
        throw std::invalid_argument("\"" + std::string(Code) + "\" is not a two-letter ISO 639-1 language code");
    return static_cast<int>(it - kLanguages.begin()) + 1;
}

std::string LanguageAt(uint32_t Index)
{
    return Index == 0 || Index > kLanguages.size() ? std::string() : std::string(kLanguages[Index - 1]);
}

}  // namespace

TTextDescription DescribeText(int32_t Word)
{
    const auto bits = static_cast<uint32_t>(Word);
    TTextDescription description;
    if (bits >> 20 != kTextTag)
        return description;
    const uint32_t encoding = (bits >> 16) & 0xF;
    if (encoding >= kEncodingCount)
        throw EInvalidDictionary("the file's text is in an encoding this version does not know (number " +
                                 std::to_string(encoding) + "); a newer Lirabo may read it");
    description.Encoding = static_cast<TTextEncoding>(encoding);
    description.HeadwordLanguage = LanguageAt((bits >> 8) & 0xFF);
    description.DefinitionLanguage = LanguageAt(bits & 0xFF);
    return description;
}

int32_t TextWord(const TTextDescription& Description)
{
    const auto head = static_cast<uint32_t>(LanguageIndex(Description.HeadwordLanguage));
    const auto definitions = static_cast<uint32_t>(LanguageIndex(Description.DefinitionLanguage));
    const auto encoding = static_cast<uint32_t>(Description.Encoding);
    if (encoding == 0 && head == 0 && definitions == 0)
        return 0;
    return static_cast<int32_t>(kTextTag << 20 | encoding << 16 | head << 8 | definitions);
}

bool IsLanguageCode(std::string_view Code)
{
    return std::find(kLanguages.begin(), kLanguages.end(), Code) != kLanguages.end();
}

std::span<const std::string_view> LanguageCodes()
{
    return kLanguages;
}

const char* EncodingName(TTextEncoding Encoding)
{
    return Encoding == TTextEncoding::Utf8 ? "utf-8" : "windows-1252";
}

}  // namespace lirabo
