#include "dictionary_view/word_pick.h"

#include <algorithm>
#include <string>
#include <vector>

#include "dictionary_view/char_class.h"
#include "dictionary_view/markup.h"
#include "dictionary_view/text_boundaries.h"

namespace lirabo {

namespace {

// The first byte of the character that ends at End (a damaged byte is a
// character of its own).
size_t PreviousChar(std::string_view Text, size_t End)
{
    size_t begin = End - 1;
    while (begin > 0 && End - begin < 4 && (static_cast<unsigned char>(Text[begin]) & 0xC0) == 0x80)
        --begin;
    size_t next = begin;
    NextChar(Text, next);
    return next == End ? begin : End - 1;
}

// Within [Begin, End), the word around Anchor by the Unicode word rules,
// read without the codes.
TPickedWord CutByWordRules(std::string_view Text, size_t Begin, size_t End, size_t Anchor)
{
    std::string plain;
    std::vector<size_t> source;
    size_t anchor = std::string::npos;
    for (size_t i = Begin; i < End; ++i) {
        if (static_cast<unsigned char>(Text[i]) < ' ')
            continue;
        if (i >= Anchor && anchor == std::string::npos)
            anchor = plain.size();
        plain.push_back(Text[i]);
        source.push_back(i);
    }
    if (anchor == std::string::npos)
        return {Begin, End};
    const TWordBounds bounds = WordAround(plain, anchor);
    if (bounds.End <= bounds.Begin)
        return {Begin, End};
    return {source[bounds.Begin], source[bounds.End - 1] + 1};
}

}  // namespace

TPickedWord PickWord(std::string_view Text, size_t Anchor)
{
    if (Anchor >= Text.size())
        return {};
    size_t next = Anchor;
    if (IsWordDelimiter(NextChar(Text, next)))
        return {};
    const size_t body = std::min(Text.find(static_cast<char>(mcBody)), Text.size());
    if (Anchor < body)
        return {0, body};

    size_t begin = Anchor;
    bool noSpaces = false;
    while (begin > 0) {
        const size_t previous = PreviousChar(Text, begin);
        size_t at = previous;
        const char32_t c = NextChar(Text, at);
        if (IsWordDelimiter(c))
            break;
        noSpaces |= BreaksWithoutSpaces(c);
        begin = previous;
    }
    size_t end = Anchor;
    while (end < Text.size()) {
        size_t at = end;
        const char32_t c = NextChar(Text, at);
        if (IsWordDelimiter(c))
            break;
        noSpaces |= BreaksWithoutSpaces(c);
        end = at;
    }
    if (!noSpaces)
        return {begin, end};
    return CutByWordRules(Text, begin, end, Anchor);
}

}  // namespace lirabo
