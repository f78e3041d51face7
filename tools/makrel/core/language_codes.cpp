#include "makrel/core/language_codes.h"

#include <algorithm>
#include <iterator>

namespace makrel {

namespace {

struct TLanguageCode {
    std::string_view Three;
    std::string_view Two;
};

// Sorted by the three-letter code; looked up by binary search. Every ISO
// 639-1 language has its ISO 639-3 code here and, where it differs, its
// ISO 639-2/B code; a macrolanguage also has the member its texts are
// nearly always written in.
constexpr TLanguageCode kLanguageCodes[] = {
    {"aar", "aa"}, {"abk", "ab"}, {"afr", "af"}, {"aka", "ak"}, {"alb", "sq"}, {"als", "sq"}, {"amh", "am"},
    {"ara", "ar"}, {"arb", "ar"}, {"arg", "an"}, {"arm", "hy"}, {"asm", "as"}, {"ava", "av"}, {"ave", "ae"},
    {"aym", "ay"}, {"ayr", "ay"}, {"azb", "az"}, {"aze", "az"}, {"azj", "az"}, {"bak", "ba"}, {"bam", "bm"},
    {"baq", "eu"}, {"bel", "be"}, {"ben", "bn"}, {"bih", "bh"}, {"bis", "bi"}, {"bod", "bo"}, {"bos", "bs"},
    {"bre", "br"}, {"bul", "bg"}, {"bur", "my"}, {"cat", "ca"}, {"ces", "cs"}, {"cha", "ch"}, {"che", "ce"},
    {"chi", "zh"}, {"chu", "cu"}, {"chv", "cv"}, {"ckb", "ku"}, {"cmn", "zh"}, {"cor", "kw"}, {"cos", "co"},
    {"cre", "cr"}, {"cym", "cy"}, {"cze", "cs"}, {"dan", "da"}, {"deu", "de"}, {"div", "dv"}, {"dut", "nl"},
    {"dzo", "dz"}, {"ekk", "et"}, {"ell", "el"}, {"eng", "en"}, {"epo", "eo"}, {"est", "et"}, {"eus", "eu"},
    {"ewe", "ee"}, {"fao", "fo"}, {"fas", "fa"}, {"fat", "ak"}, {"fij", "fj"}, {"fin", "fi"}, {"fra", "fr"},
    {"fre", "fr"}, {"fry", "fy"}, {"ful", "ff"}, {"gaz", "om"}, {"geo", "ka"}, {"ger", "de"}, {"gla", "gd"},
    {"gle", "ga"}, {"glg", "gl"}, {"glv", "gv"}, {"gre", "el"}, {"grn", "gn"}, {"gug", "gn"}, {"guj", "gu"},
    {"hat", "ht"}, {"hau", "ha"}, {"heb", "he"}, {"her", "hz"}, {"hin", "hi"}, {"hmo", "ho"}, {"hrv", "hr"},
    {"hun", "hu"}, {"hye", "hy"}, {"ibo", "ig"}, {"ice", "is"}, {"ido", "io"}, {"iii", "ii"}, {"ike", "iu"},
    {"iku", "iu"}, {"ile", "ie"}, {"ina", "ia"}, {"ind", "id"}, {"ipk", "ik"}, {"isl", "is"}, {"ita", "it"},
    {"jav", "jv"}, {"jpn", "ja"}, {"kal", "kl"}, {"kan", "kn"}, {"kas", "ks"}, {"kat", "ka"}, {"kau", "kr"},
    {"kaz", "kk"}, {"khk", "mn"}, {"khm", "km"}, {"kik", "ki"}, {"kin", "rw"}, {"kir", "ky"}, {"kmr", "ku"},
    {"kom", "kv"}, {"kon", "kg"}, {"kor", "ko"}, {"kpv", "kv"}, {"kua", "kj"}, {"kur", "ku"}, {"lao", "lo"},
    {"lat", "la"}, {"lav", "lv"}, {"lim", "li"}, {"lin", "ln"}, {"lit", "lt"}, {"ltz", "lb"}, {"lub", "lu"},
    {"lug", "lg"}, {"lvs", "lv"}, {"mac", "mk"}, {"mah", "mh"}, {"mal", "ml"}, {"mao", "mi"}, {"mar", "mr"},
    {"may", "ms"}, {"mkd", "mk"}, {"mlg", "mg"}, {"mlt", "mt"}, {"mon", "mn"}, {"mri", "mi"}, {"msa", "ms"},
    {"mya", "my"}, {"nau", "na"}, {"nav", "nv"}, {"nbl", "nr"}, {"nde", "nd"}, {"ndo", "ng"}, {"nep", "ne"},
    {"nld", "nl"}, {"nno", "nn"}, {"nob", "nb"}, {"nor", "no"}, {"npi", "ne"}, {"nya", "ny"}, {"oci", "oc"},
    {"oji", "oj"}, {"ori", "or"}, {"orm", "om"}, {"ory", "or"}, {"oss", "os"}, {"pan", "pa"}, {"pbu", "ps"},
    {"per", "fa"}, {"pes", "fa"}, {"pli", "pi"}, {"plt", "mg"}, {"pol", "pl"}, {"por", "pt"}, {"prs", "fa"},
    {"pus", "ps"}, {"que", "qu"}, {"roh", "rm"}, {"ron", "ro"}, {"rum", "ro"}, {"run", "rn"}, {"rus", "ru"},
    {"sag", "sg"}, {"san", "sa"}, {"sin", "si"}, {"slk", "sk"}, {"slo", "sk"}, {"slv", "sl"}, {"sme", "se"},
    {"smo", "sm"}, {"sna", "sn"}, {"snd", "sd"}, {"som", "so"}, {"sot", "st"}, {"spa", "es"}, {"sqi", "sq"},
    {"srd", "sc"}, {"srp", "sr"}, {"ssw", "ss"}, {"sun", "su"}, {"swa", "sw"}, {"swe", "sv"}, {"swh", "sw"},
    {"tah", "ty"}, {"tam", "ta"}, {"tat", "tt"}, {"tel", "te"}, {"tgk", "tg"}, {"tgl", "tl"}, {"tha", "th"},
    {"tib", "bo"}, {"tir", "ti"}, {"ton", "to"}, {"tsn", "tn"}, {"tso", "ts"}, {"tuk", "tk"}, {"tur", "tr"},
    {"twi", "tw"}, {"uig", "ug"}, {"ukr", "uk"}, {"urd", "ur"}, {"uzb", "uz"}, {"uzn", "uz"}, {"ven", "ve"},
    {"vie", "vi"}, {"vol", "vo"}, {"wel", "cy"}, {"wln", "wa"}, {"wol", "wo"}, {"xho", "xh"}, {"ydd", "yi"},
    {"yid", "yi"}, {"yor", "yo"}, {"zha", "za"}, {"zho", "zh"}, {"zsm", "ms"}, {"zul", "zu"}};

}  // namespace

std::string TwoLetterLanguage(std::string_view Code)
{
    const auto it = std::lower_bound(std::begin(kLanguageCodes), std::end(kLanguageCodes), Code,
                                     [](const TLanguageCode& c, std::string_view x) { return c.Three < x; });
    return it != std::end(kLanguageCodes) && it->Three == Code ? std::string(it->Two) : std::string();
}

}  // namespace makrel
