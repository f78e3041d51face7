#include "makrel/dictd/letter_codes.h"

#include <array>

namespace makrel {

namespace {

struct TNamedCode {
    std::string_view Code;
    std::string_view Text;
};

constexpr std::array<TNamedCode, 20> kNamed = {{
    {"ae", "\xC3\xA6"},   {"AE", "\xC3\x86"},    {"oe", "\xC5\x93"}, {"OE", "\xC5\x92"},
    {"=ae", "\xC3\xA6"},  {"aum", "\xC3\xA4"},   {"eth", "\xC3\xB0"}, {"thorn", "\xC3\xBE"},
    {"deg", "\xC2\xB0"},  {"sect", "\xC2\xA7"},  {"ng", "ng"},       {"th", "th"},
    {"imac", "i"},        {"oo", "oo"},          {"=oo", "oo"},      {"oo^", "oo"},
    {"asl", "a"},         {"udd", "u"},          {"yogh", "y"},      {"add", "a"},
}};

// The Latin-1 letters that carry a diacritic, by mark and base letter; the
// rows follow "AEIOUaeiouNnCcYy".
constexpr std::string_view kBases = "AEIOUaeiouNnCcYy";
struct TMarkRow {
    char Mark;
    std::array<char32_t, 16> Letters;  // 0: none in Latin-1
};
constexpr std::array<TMarkRow, 6> kMarks = {{
    {'\'', {0xC1, 0xC9, 0xCD, 0xD3, 0xDA, 0xE1, 0xE9, 0xED, 0xF3, 0xFA, 0, 0, 0, 0, 0xDD, 0xFD}},
    {'`', {0xC0, 0xC8, 0xCC, 0xD2, 0xD9, 0xE0, 0xE8, 0xEC, 0xF2, 0xF9, 0, 0, 0, 0, 0, 0}},
    {'^', {0xC2, 0xCA, 0xCE, 0xD4, 0xDB, 0xE2, 0xEA, 0xEE, 0xF4, 0xFB, 0, 0, 0, 0, 0, 0}},
    {'"', {0xC4, 0xCB, 0xCF, 0xD6, 0xDC, 0xE4, 0xEB, 0xEF, 0xF6, 0xFC, 0, 0, 0, 0, 0, 0xFF}},
    {'~', {0xC3, 0, 0, 0xD5, 0, 0xE3, 0, 0, 0xF5, 0, 0xD1, 0xF1, 0, 0, 0, 0}},
    {',', {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xC7, 0xE7, 0, 0}},
}};
// Marks kept only as the plain letter.
constexpr std::string_view kDroppedMarks = "=.-*";

// The letters that carry marks in the pronunciations and loanwords these
// codes spell. A mark over anything else is text in brackets that merely
// looks like a code: "[^x]" in a pattern, "[-s]" for an optional ending.
bool IsVowel(char c)
{
    return std::string_view("aeiouyAEIOUY").find(c) != std::string_view::npos;
}

void AppendLatin1(std::string& Out, char32_t Letter)
{
    Out += static_cast<char>(0xC0 | (Letter >> 6));
    Out += static_cast<char>(0x80 | (Letter & 0x3F));
}

// Appends the letter Code stands for and returns true, or returns false.
bool AppendLetter(std::string& Out, std::string_view Code)
{
    for (const TNamedCode& named : kNamed) {
        if (named.Code == Code) {
            Out += named.Text;
            return true;
        }
    }
    if (Code.size() != 2)
        return false;
    if (IsVowel(Code[0]) && Code[1] == '^') {  // a breve after its letter
        Out += Code[0];
        return true;
    }
    if (kDroppedMarks.find(Code[0]) != std::string_view::npos) {
        if (!IsVowel(Code[1]))
            return false;
        Out += Code[1];
        return true;
    }
    const size_t base = kBases.find(Code[1]);
    for (const TMarkRow& row : kMarks) {
        if (row.Mark != Code[0])
            continue;
        if (base != std::string_view::npos && row.Letters[base] != 0)
            AppendLatin1(Out, row.Letters[base]);
        else if (IsVowel(Code[1]))
            Out += Code[1];
        else
            return false;
        return true;
    }
    return false;
}

}  // namespace

std::string ReplaceLetterCodes(std::string_view Text)
{
    constexpr size_t kLongestCode = 5;
    std::string out;
    out.reserve(Text.size());
    size_t i = 0;
    while (i < Text.size()) {
        const size_t open = Text.find('[', i);
        if (open == std::string_view::npos)
            break;
        const size_t close = Text.find(']', open + 1);
        out.append(Text.substr(i, open + 1 - i));
        i = open + 1;
        if (close == std::string_view::npos || close - open - 1 > kLongestCode)
            continue;
        out.pop_back();
        if (AppendLetter(out, Text.substr(open + 1, close - open - 1)))
            i = close + 1;
        else
            out += '[';
    }
    out.append(Text.substr(std::min(i, Text.size())));
    return out;
}

}  // namespace makrel
