#include "suggestions/folded_text.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/utf16.h>

#include "dictionary/utf8_text.h"

namespace lirabo {

std::u32string FoldedCharacters(std::string_view Utf8)
{
    const std::string text = NormalizeNfc(ShowableUtf8(Utf8));
    std::u32string folded;
    folded.reserve(text.size());
    for (size_t i = 0; i < text.size();)
        folded.push_back(FoldUnit(NextUnit(text, i)));
    return folded;
}

size_t FoldCharacters(std::string_view Utf8, char32_t* Out, size_t Capacity)
{
    size_t count = 0;
    for (size_t i = 0; i < Utf8.size();) {
        if (count == Capacity)
            return Capacity + 1;
        Out[count++] = FoldUnit(NextUnit(Utf8, i));
    }
    return count;
}

char32_t BaseLetter(char32_t Folded)
{
    if (Folded < 0x80)
        return Folded;
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* nfd = unorm2_getNFDInstance(&status);
    if (U_FAILURE(status))
        return Folded;
    // A full canonical decomposition is a few characters long; one that does
    // not fit is no accented letter.
    UChar decomposed[8];
    const int32_t length = unorm2_getDecomposition(nfd, static_cast<UChar32>(Folded), decomposed, 8, &status);
    if (U_FAILURE(status) || length <= 0)
        return Folded;
    int32_t i = 0;
    UChar32 base = 0;
    U16_NEXT(decomposed, i, length, base);
    while (i < length) {
        UChar32 mark = 0;
        U16_NEXT(decomposed, i, length, mark);
        if (!(U_GET_GC_MASK(mark) & U_GC_M_MASK))
            return Folded;
    }
    return FoldUnit(static_cast<char32_t>(base));
}

std::u32string BaseLetters(std::u32string_view Folded)
{
    std::u32string base(Folded);
    for (char32_t& c : base)
        c = BaseLetter(c);
    return base;
}

}  // namespace lirabo
