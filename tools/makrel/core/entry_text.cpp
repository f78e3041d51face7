#include "makrel/core/entry_text.h"

#include <algorithm>

#include "dictionary/ansi_codec.h"
#include "dictionary/markup_codes.h"
#include "dictionary/utf8_text.h"

namespace makrel {

namespace {

constexpr char32_t kByteOrderMark = 0xFEFF;

bool IsPlainAscii(char c)
{
    return c >= 0x20 && c < 0x7F;
}

bool IsLineEnd(char32_t c)
{
    return c == '\n' || c == '\r' || c == 0x2028 || c == 0x2029;
}

bool IsC1(char32_t c)
{
    return c >= 0x80 && c < 0xA0;
}

}  // namespace

std::string TEntryText::Convert(std::string_view Text, bool KeepLineBreaks)
{
    std::string out;
    Append(out, Text, KeepLineBreaks);
    return out;
}

void TEntryText::Append(std::string& Out, std::string_view Text, bool KeepLineBreaks)
{
    const size_t start = Out.size();
    Out.reserve(start + Text.size());
    bool composable = false;  // whether anything beyond ASCII was written
    size_t i = 0;
    while (i < Text.size()) {
        if (IsPlainAscii(Text[i])) {
            const size_t end =
                std::find_if_not(Text.begin() + static_cast<std::ptrdiff_t>(i), Text.end(), IsPlainAscii) -
                Text.begin();
            Out.append(Text.substr(i, end - i));
            i = end;
            continue;
        }
        char32_t c = 0;
        if (!lirabo::DecodeUtf8(Text, i, c)) {
            c = lirabo::AnsiToUnicode(static_cast<unsigned char>(Text[i++]));
            ++FChanged;
            if (!IsC1(c)) {
                lirabo::AppendUtf8(Out, c);
                composable = true;
            }
            continue;
        }
        if (IsLineEnd(c)) {
            if (c == '\r' && i < Text.size() && Text[i] == '\n')
                continue;  // the LF of this CR LF makes the break
            Out += KeepLineBreaks ? lirabo::markup::kLineBreak : ' ';
            continue;
        }
        if (c == '\t') {
            Out += ' ';
            continue;
        }
        if (c < 0x20 || c == 0x7F || c == kByteOrderMark) {
            ++FChanged;
            continue;
        }
        if (IsC1(c)) {
            ++FChanged;
            c = lirabo::AnsiToUnicode(static_cast<unsigned char>(c));
            if (IsC1(c))
                continue;
        }
        lirabo::AppendUtf8(Out, c);
        composable = true;
    }
    if (FCompose && composable) {
        std::string composed = lirabo::NormalizeNfc(std::string_view(Out).substr(start));
        Out.replace(start, std::string::npos, composed);
    }
}

}  // namespace makrel
