#include "makrel/core/ansi_transliterator.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "dictionary/ansi_codec.h"

namespace makrel {

namespace {

struct Replacement {
    char32_t Character;
    const char* Text;  // Windows-1252
};

// Sorted by character; looked up by binary search.
constexpr Replacement kReplacements[] = {
    {0x0132, "IJ"},
    {0x0133, "ij"},
    {0x0149, "'n"},
    {0x014A, "N"},
    {0x014B, "N"},
    {0x018F, "E"},
    {0x01CD, "A"},
    {0x01CE, "a"},
    {0x01CF, "I"},
    {0x01D0, "i"},
    {0x01D1, "O"},
    {0x01D2, "o"},
    {0x01D3, "U"},
    {0x01D4, "u"},
    {0x01D5, "\xDC"},
    {0x01D6, "\xFC"},
    {0x01D7, "\xDC"},
    {0x01D8, "\xFC"},
    {0x01D9, "\xDC"},
    {0x01DA, "\xFC"},
    {0x01DB, "\xDC"},
    {0x01DC, "\xFC"},
    {0x0218, "S"},
    {0x0219, "s"},
    {0x021A, "T"},
    {0x021B, "t"},
    // IPA
    {0x0250, "6"},
    {0x0251, "A"},
    {0x0252, "Q"},
    {0x0253, "b"},
    {0x0254, "O"},
    {0x0255, "s"},
    {0x0256, "d"},
    {0x0257, "d"},
    {0x0258, "@"},
    {0x0259, "@"},
    {0x025A, "@r"},
    {0x025B, "E"},
    {0x025C, "3"},
    {0x025D, "3r"},
    {0x025E, "3"},
    {0x025F, "J"},
    {0x0260, "g"},
    {0x0261, "g"},
    {0x0262, "G"},
    {0x0263, "G"},
    {0x0264, "7"},
    {0x0265, "H"},
    {0x0266, "h"},
    {0x0267, "x"},
    {0x0268, "1"},
    {0x0269, "I"},
    {0x026A, "I"},
    {0x026B, "l"},
    {0x026C, "K"},
    {0x026D, "l"},
    {0x026E, "K"},
    {0x026F, "M"},
    {0x0270, "M"},
    {0x0271, "F"},
    {0x0272, "J"},
    {0x0273, "n"},
    {0x0274, "N"},
    {0x0275, "8"},
    {0x0276, "&"},
    {0x0277, "U"},
    {0x0278, "f"},
    {0x0279, "r"},
    {0x027A, "l"},
    {0x027B, "r"},
    {0x027C, "r"},
    {0x027D, "r"},
    {0x027E, "r"},
    {0x027F, "z"},
    {0x0280, "R"},
    {0x0281, "R"},
    {0x0282, "s"},
    {0x0283, "S"},
    {0x0284, "j"},
    {0x0285, "z"},
    {0x0286, "S"},
    {0x0287, "t"},
    {0x0288, "t"},
    {0x0289, "}"},
    {0x028A, "U"},
    {0x028B, "v"},
    {0x028C, "V"},
    {0x028D, "W"},
    {0x028E, "L"},
    {0x028F, "Y"},
    {0x0290, "z"},
    {0x0291, "z"},
    {0x0292, "Z"},
    {0x0293, "Z"},
    {0x0294, "?"},
    {0x0295, "?"},
    {0x0296, "?"},
    {0x0297, "!"},
    {0x0298, "O"},
    {0x0299, "B"},
    {0x029A, "3"},
    {0x029B, "G"},
    {0x029C, "H"},
    {0x029D, "j"},
    {0x029E, "k"},
    {0x029F, "L"},
    {0x02A0, "q"},
    {0x02A1, "?"},
    {0x02A2, "?"},
    {0x02A3, "dz"},
    {0x02A4, "dZ"},
    {0x02A5, "dz"},
    {0x02A6, "ts"},
    {0x02A7, "tS"},
    {0x02A8, "ts"},
    {0x02B0, "h"},
    {0x02B2, "'"},
    {0x02B7, "w"},
    {0x02BB, "'"},
    {0x02BC, "'"},
    {0x02BE, "'"},
    {0x02BF, "'"},
    {0x02C8, "'"},
    {0x02CC, ","},
    {0x02D0, ":"},
    {0x02D1, ":"},
    {0x0303, "~"},
    // Greek with accents
    {0x0386, "A"},
    {0x0388, "E"},
    {0x0389, "E"},
    {0x038A, "I"},
    {0x038C, "O"},
    {0x038E, "Y"},
    {0x038F, "O"},
    {0x0390, "i"},
    {0x03AA, "I"},
    {0x03AB, "Y"},
    {0x03AC, "a"},
    {0x03AD, "e"},
    {0x03AE, "e"},
    {0x03AF, "i"},
    {0x03B0, "y"},
    {0x03CA, "i"},
    {0x03CB, "y"},
    {0x03CC, "o"},
    {0x03CD, "y"},
    {0x03CE, "o"},
    {0x0401, "Yo"},
    {0x0451, "yo"},
    // punctuation and symbols
    {0x2010, "-"},
    {0x2011, "-"},
    {0x2012, "-"},
    {0x2015, "\x97"},
    {0x2016, "||"},
    {0x201B, "'"},
    {0x201F, "\""},
    {0x2032, "'"},
    {0x2033, "\""},
    {0x2035, "`"},
    {0x2043, "-"},
    {0x2044, "/"},
    {0x2070, "0"},
    {0x2071, "i"},
    {0x2074, "4"},
    {0x2075, "5"},
    {0x2076, "6"},
    {0x2077, "7"},
    {0x2078, "8"},
    {0x2079, "9"},
    {0x207A, "+"},
    {0x207B, "-"},
    {0x2080, "0"},
    {0x2081, "1"},
    {0x2082, "2"},
    {0x2083, "3"},
    {0x2084, "4"},
    {0x2085, "5"},
    {0x2086, "6"},
    {0x2087, "7"},
    {0x2088, "8"},
    {0x2089, "9"},
    {0x20A4, "\xA3"},
    {0x20B9, "Rs"},
    {0x2103,
     "\xB0"
     "C"},
    {0x2109,
     "\xB0"
     "F"},
    {0x2116, "No."},
    {0x2117, "(P)"},
    {0x2120, "SM"},
    {0x2126, "Ohm"},
    {0x2153, "1/3"},
    {0x2154, "2/3"},
    {0x215B, "1/8"},
    {0x215C, "3/8"},
    {0x215D, "5/8"},
    {0x215E, "7/8"},
    {0x2190, "<-"},
    {0x2191, "^"},
    {0x2192, "->"},
    {0x2193, "v"},
    {0x2194, "<->"},
    {0x21D0, "<="},
    {0x21D2, "=>"},
    {0x21D4, "<=>"},
    {0x2212, "-"},
    {0x2215, "/"},
    {0x2217, "*"},
    {0x221A, "sqrt"},
    {0x221E, "inf"},
    {0x2223, "|"},
    {0x2248, "~"},
    {0x2260, "!="},
    {0x2261, "=="},
    {0x2264, "<="},
    {0x2265, ">="},
    {0x22C5, "\xB7"},
    {0x2300, "\xD8"},
    {0x25CF, "\x95"},
    {0x266D, "b"},
    {0x266F, "#"},
    {0xFB00, "ff"},
    {0xFB01, "fi"},
    {0xFB02, "fl"},
    {0xFB03, "ffi"},
    {0xFB04, "ffl"},
};

// U+0100..U+017F without their diacritics; the code page's own letters of
// this block never get here.
constexpr std::string_view kLatinExtendedA =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi??JjKkkLlLlLlL"
    "lLlNnNnNn?NnOoOoOoOoRrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";

// U+0391..U+03A9 and U+03B1..U+03C9; the gap at U+03A2 stays empty.
constexpr std::array<const char*, 25> kGreekUpper = {"A", "B", "G", "D",  "E",  "Z",  "E", "Th", "I",
                                                     "K", "L", "M", "N",  "X",  "O",  "P", "R",  "",
                                                     "S", "T", "Y", "Ph", "Ch", "Ps", "O"};
constexpr std::array<const char*, 25> kGreekLower = {"a", "b", "g", "d",  "e",  "z",  "e", "th", "i",
                                                     "k", "l", "m", "n",  "x",  "o",  "p", "r",  "s",
                                                     "s", "t", "y", "ph", "ch", "ps", "o"};

// U+0430..U+044F; capitals (U+0410..U+042F) capitalise the first letter.
constexpr std::array<const char*, 32> kCyrillic = {
    "a", "b", "v", "g", "d", "e",  "zh", "z",  "i",  "y",    "k",  "l", "m", "n", "o",  "p",
    "r", "s", "t", "u", "f", "kh", "ts", "ch", "sh", "shch", "\"", "y", "'", "e", "yu", "ya"};

bool IsDropped(char32_t c)
{
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x200B && c <= 0x200F) || c == 0x2060 ||
           (c >= 0xFE00 && c <= 0xFE0F);
}

bool IsSpace(char32_t c)
{
    return (c >= 0x2000 && c <= 0x200A) || c == 0x205F || c == 0x3000;
}

// The stand-in of a character the code page lacks (possibly empty).
std::string_view StandIn(char32_t c)
{
    const auto it = std::lower_bound(std::begin(kReplacements), std::end(kReplacements), c,
                                     [](const Replacement& r, char32_t x) { return r.Character < x; });
    if (it != std::end(kReplacements) && it->Character == c)
        return it->Text;
    if (c >= 0x0100 && c <= 0x017F && kLatinExtendedA[c - 0x0100] != '?')
        return kLatinExtendedA.substr(c - 0x0100, 1);
    if (c >= 0x0391 && c <= 0x03A9)
        return kGreekUpper[c - 0x0391];
    if (c >= 0x03B1 && c <= 0x03C9)
        return kGreekLower[c - 0x03B1];
    if (c >= 0xFF01 && c <= 0xFF5E) {
        static constexpr std::string_view kAscii =
            "!\"#$%&'()*+,-./"
            "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~";
        return kAscii.substr(c - 0xFF01, 1);
    }
    if (IsDropped(c))
        return "";
    if (IsSpace(c))
        return " ";
    if (c == 0x202F)
        return "\xA0";
    return "?";
}

}  // namespace

std::string TAnsiTransliterator::Convert(std::string_view Utf8, bool KeepLineBreaks)
{
    std::string out;
    Append(out, Utf8, KeepLineBreaks);
    return out;
}

void TAnsiTransliterator::Append(std::string& Out, std::string_view Utf8, bool KeepLineBreaks)
{
    // Control characters and bytes that are not UTF-8 follow the rules of
    // all entry text; what is left is well-formed, with line breaks as the
    // mark-up byte.
    const size_t changedBefore = FEntryText.Changed();
    FClean.clear();
    FEntryText.Append(FClean, Utf8, KeepLineBreaks);
    FReplaced += FEntryText.Changed() - changedBefore;

    Out.reserve(Out.size() + FClean.size());
    size_t i = 0;
    while (i < FClean.size()) {
        char32_t c = 0;
        if (!lirabo::DecodeUtf8(FClean, i, c)) {
            ++i;  // cannot happen: the entry text is well-formed
            continue;
        }
        if (c < 0x80) {
            Out += static_cast<char>(c);
            continue;
        }
        if (const auto byte = lirabo::UnicodeToAnsi(c)) {
            Out += static_cast<char>(*byte);
            continue;
        }
        ++FReplaced;
        if (c >= 0x0410 && c <= 0x042F) {
            std::string capital = kCyrillic[c - 0x0410];
            capital[0] =
                static_cast<char>(capital[0] >= 'a' && capital[0] <= 'z' ? capital[0] - 32 : capital[0]);
            Out += capital;
        } else if (c >= 0x0430 && c <= 0x044F) {
            Out += kCyrillic[c - 0x0430];
        } else {
            Out += StandIn(c);
        }
    }
}

}  // namespace makrel
