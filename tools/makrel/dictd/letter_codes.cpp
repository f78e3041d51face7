#include "makrel/dictd/letter_codes.h"

#include <array>

#include "dictionary/ansi_codec.h"
#include "dictionary/utf8_text.h"

namespace makrel {

namespace {

struct TNamedCode {
    std::string_view Code;
    std::string_view Text;
};

// The signs of the old pronunciation keys that stand for two letters ("ng",
// "th", "oo" without a mark, the semilong "a") keep their plain letters:
// Unicode has no one character that reads as they do.
constexpr std::array<TNamedCode, 20> kNamed = {{
    {"ae", "\xC3\xA6"},
    {"AE", "\xC3\x86"},
    {"oe", "\xC5\x93"},
    {"OE", "\xC5\x92"},
    {"=ae", "\xC7\xA3"},
    {"aum", "\xC3\xA4"},
    {"eth", "\xC3\xB0"},
    {"thorn", "\xC3\xBE"},
    {"deg", "\xC2\xB0"},
    {"sect", "\xC2\xA7"},
    {"ng", "ng"},
    {"th", "th"},
    {"imac", "\xC4\xAB"},
    {"oo", "oo"},
    {"=oo", "o\xCD\x9Eo"},  // the long oo: a double macron over both
    {"oo^", "o\xCD\x9Do"},  // the short oo: a double breve
    {"asl", "a"},
    {"udd", "\xE1\xB9\xB3"},
    {"yogh", "\xC8\x9D"},
    {"add", "a\xCC\xA4"},  // a with a diaeresis below
}};

// The combining mark each code's mark stands for. A mark written before
// its letter: acute, grave, circumflex, diaeresis, tilde, cedilla, macron
// (as = or as the bar -) and dot above; "*" is a mark no key explains, so
// it leaves the plain letter.
struct TMark {
    char Sign;
    char32_t Combining;  // 0: none
};
constexpr std::array<TMark, 10> kMarks = {{
    {'\'', 0x0301},
    {'`', 0x0300},
    {'^', 0x0302},
    {'"', 0x0308},
    {'~', 0x0303},
    {',', 0x0327},
    {'=', 0x0304},
    {'-', 0x0304},
    {'.', 0x0307},
    {'*', 0},
}};
// A breve is written after its letter ("[i^]").
constexpr char32_t kBreve = 0x0306;

// The letters that carry marks in the pronunciations and loanwords these
// codes spell. A mark over anything else is text in brackets that merely
// looks like a code: "[^x]" in a pattern, "[-s]" for an optional ending.
bool IsVowel(char c)
{
    return std::string_view("aeiouyAEIOUY").find(c) != std::string_view::npos;
}

// The consonants a mark makes a letter of: n with a tilde, c with a cedilla.
bool IsMarkedConsonant(char Sign, char c)
{
    return (Sign == '~' && (c == 'n' || c == 'N')) || (Sign == ',' && (c == 'c' || c == 'C'));
}

// Appends Letter with Mark, as one character where Unicode has one.
void AppendMarked(std::string& Out, char Letter, char32_t Mark)
{
    if (Mark == 0) {
        Out += Letter;
        return;
    }
    std::string marked(1, Letter);
    lirabo::AppendUtf8(marked, Mark);
    Out += lirabo::NormalizeNfc(marked);
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
    if (IsVowel(Code[0]) && Code[1] == '^') {
        AppendMarked(Out, Code[0], kBreve);
        return true;
    }
    for (const TMark& mark : kMarks) {
        if (mark.Sign != Code[0])
            continue;
        if (!IsVowel(Code[1]) && !IsMarkedConsonant(mark.Sign, Code[1]))
            return false;
        AppendMarked(Out, Code[1], mark.Combining);
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
