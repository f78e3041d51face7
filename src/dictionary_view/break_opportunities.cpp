#include "dictionary_view/break_opportunities.h"

#include "dictionary_view/char_class.h"
#include "dictionary_view/markup.h"
#include "dictionary_view/text_boundaries.h"

namespace lirabo {

namespace {

// Whether a byte belongs to the stretch: characters and the codes that
// neither end a line nor the text.
bool InStretch(unsigned char Byte)
{
    if (Byte > ' ')
        return true;
    if (Byte == ' ' || Byte == mcEnd || Byte == mcBody || Byte == mcLineBreak || Byte == mcSoftBreak)
        return false;
    return !IsInvalidCode(Byte);
}

// Characters from U+0800 on: a break beside one of them is one the spaces
// of alphabetic text would not give.
bool BeyondAlphabets(char32_t Char)
{
    return Char >= 0x800;
}

}  // namespace

void TBreakOpportunities::Reset()
{
    FBegin = FEnd = 0;
    FPositions.clear();
}

void TBreakOpportunities::Cover(std::string_view Text, size_t At)
{
    if (At >= FBegin && At < FEnd)
        return;
    FBegin = At;
    while (FBegin > 0 && InStretch(static_cast<unsigned char>(Text[FBegin - 1])))
        --FBegin;
    FEnd = At;
    while (FEnd < Text.size() && InStretch(static_cast<unsigned char>(Text[FEnd])))
        ++FEnd;
    FPositions.clear();
    FPlain.clear();
    FSource.clear();
    for (size_t i = FBegin; i < FEnd; ++i) {
        if (static_cast<unsigned char>(Text[i]) < ' ')
            continue;
        FPlain.push_back(Text[i]);
        FSource.push_back(static_cast<uint32_t>(i));
    }
    LineBreaks(FPlain, FBreaks);
    for (const uint32_t at : FBreaks) {
        size_t next = at;
        const char32_t after = NextChar(FPlain, next);
        size_t before = at - 1;
        while (before > 0 && at - before < 4 && (static_cast<unsigned char>(FPlain[before]) & 0xC0) == 0x80)
            --before;
        size_t end = before;
        const char32_t previous = NextChar(FPlain, end);
        // A damaged sequence read from its middle is no character to break beside.
        if (end != at)
            continue;
        if (BeyondAlphabets(previous) || BeyondAlphabets(after))
            FPositions.push_back(FSource[at - 1] + 1);
    }
}

}  // namespace lirabo
