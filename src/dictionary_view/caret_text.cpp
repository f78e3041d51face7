#include "dictionary_view/caret_text.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "dictionary_view/char_class.h"
#include "dictionary_view/markup.h"
#include "dictionary_view/text_boundaries.h"

namespace lirabo {

namespace {

unsigned char At(std::string_view Text, int Index)
{
    return static_cast<unsigned char>(Text[static_cast<size_t>(Index)]);
}

bool IsCode(unsigned char Byte)
{
    return Byte < 32;
}

// The body mark and a hard break stand where a character would: the caret
// stops before and after them.
bool IsStop(unsigned char Byte)
{
    return Byte == mcBody || Byte == mcLineBreak;
}

// Where the walk ends the text: the first invalid code, or the end.
int Limit(std::string_view Text)
{
    for (size_t i = 0; i < Text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(Text[i]);
        if (byte == mcEnd || IsInvalidCode(byte))
            return static_cast<int>(i);
    }
    return static_cast<int>(Text.size());
}

int SkipSilentCodes(std::string_view Text, int Index, int End)
{
    while (Index < End && IsCode(At(Text, Index)) && !IsStop(At(Text, Index)))
        ++Index;
    return Index;
}

// The run of text between codes that holds Index: [Begin, End).
std::pair<int, int> Segment(std::string_view Text, int Index, int Limit)
{
    int begin = Index;
    while (begin > 0 && !IsCode(At(Text, begin - 1)))
        --begin;
    int end = Index;
    while (end < Limit && !IsCode(At(Text, end)))
        ++end;
    return {begin, end};
}

// The cluster boundaries of Text's run [Begin, End), from Begin on.
std::vector<uint32_t> Boundaries(std::string_view Text, int Begin, int End)
{
    std::vector<uint32_t> ends;
    ClusterEnds(Text.substr(static_cast<size_t>(Begin), static_cast<size_t>(End - Begin)), ends);
    return ends;
}

int CharStart(std::string_view Text, int Index)
{
    int start = Index - 1;
    while (start > 0 && Index - start < 4 && (At(Text, start) & 0xC0) == 0x80)
        --start;
    return std::max(start, 0);
}

bool DelimiterAt(std::string_view Text, int Index)
{
    size_t position = static_cast<size_t>(Index);
    return IsWordDelimiter(lirabo::NextChar(Text, position));
}

int CharEnd(std::string_view Text, int Index)
{
    size_t position = static_cast<size_t>(Index);
    lirabo::NextChar(Text, position);
    return static_cast<int>(position);
}

}  // namespace

int TCaretText::ToLaid(std::string_view Text, int Plain, bool BeforeBreak)
{
    int passed = 0;
    int i = 0;
    const int size = static_cast<int>(Text.size());
    for (; i < size && passed < Plain; ++i)
        if (At(Text, i) != mcSoftBreak)
            ++passed;
    while (!BeforeBreak && i < size && At(Text, i) == mcSoftBreak)
        ++i;
    return i;
}

int TCaretText::ToPlain(std::string_view Text, int Laid)
{
    const int end = std::clamp(Laid, 0, static_cast<int>(Text.size()));
    int plain = 0;
    for (int i = 0; i < end; ++i)
        if (At(Text, i) != mcSoftBreak)
            ++plain;
    return plain;
}

int TCaretText::Snap(std::string_view Text, int Index)
{
    const int limit = Limit(Text);
    Index = std::clamp(Index, 0, limit);
    if (Index == limit || IsCode(At(Text, Index)) || Index == 0 || IsCode(At(Text, Index - 1)))
        return Index;
    const auto [begin, end] = Segment(Text, Index, limit);
    int stop = begin;
    for (uint32_t boundary : Boundaries(Text, begin, end)) {
        if (begin + static_cast<int>(boundary) > Index)
            break;
        stop = begin + static_cast<int>(boundary);
    }
    return stop;
}

int TCaretText::NextChar(std::string_view Text, int Index)
{
    const int limit = Limit(Text);
    int i = SkipSilentCodes(Text, std::clamp(Index, 0, limit), limit);
    if (i >= limit)
        return limit;
    if (IsStop(At(Text, i))) {
        ++i;
    } else {
        const auto [begin, end] = Segment(Text, i, limit);
        for (uint32_t boundary : Boundaries(Text, begin, end))
            if (begin + static_cast<int>(boundary) > i) {
                i = begin + static_cast<int>(boundary);
                break;
            }
    }
    return SkipSilentCodes(Text, i, limit);
}

int TCaretText::PrevChar(std::string_view Text, int Index)
{
    const int limit = Limit(Text);
    int i = std::clamp(Index, 0, limit);
    while (i > 0 && IsCode(At(Text, i - 1)) && !IsStop(At(Text, i - 1)))
        --i;
    if (i == 0)
        return 0;
    if (IsStop(At(Text, i - 1)))
        return i - 1;
    const auto [begin, end] = Segment(Text, i - 1, limit);
    int stop = begin;
    for (uint32_t boundary : Boundaries(Text, begin, end)) {
        if (begin + static_cast<int>(boundary) >= i)
            break;
        stop = begin + static_cast<int>(boundary);
    }
    return stop;
}

int TCaretText::NextWord(std::string_view Text, int Index)
{
    const int limit = Limit(Text);
    int i = std::clamp(Index, 0, limit);
    while (i < limit && !DelimiterAt(Text, i))
        i = CharEnd(Text, i);
    while (i < limit && DelimiterAt(Text, i))
        i = CharEnd(Text, i);
    return Snap(Text, i);
}

int TCaretText::PrevWord(std::string_view Text, int Index)
{
    const int limit = Limit(Text);
    const int from = std::clamp(Index, 0, limit);
    int i = from;
    while (i > 0 && DelimiterAt(Text, CharStart(Text, i)))
        i = CharStart(Text, i);
    while (i > 0 && !DelimiterAt(Text, CharStart(Text, i)))
        i = CharStart(Text, i);
    // A word that begins with a style toggle begins, for the caret, at its first letter.
    const int first = SkipSilentCodes(Text, i, from);
    return Snap(Text, first < from ? first : i);
}

}  // namespace lirabo
