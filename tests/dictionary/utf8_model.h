#pragma once

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/utf8_text.h"

namespace lirabo::test {

// The model of the UTF-8 order, decoded with ICU's own macro rather than the
// engine's decoder: every character folded, every byte that does not begin a
// well-formed character one unit above all characters.
inline std::u32string ModelUnits(std::string_view Text)
{
    std::u32string units;
    const auto* bytes = reinterpret_cast<const uint8_t*>(Text.data());
    const auto length = static_cast<int32_t>(Text.size());
    int32_t i = 0;
    while (i < length) {
        const int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) {
            units.push_back(kInvalidUnit + bytes[start]);
            i = start + 1;
        } else {
            units.push_back(static_cast<char32_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT)));
        }
    }
    return units;
}

inline int ModelCompare(std::string_view A, std::string_view B)
{
    const int c = ModelUnits(A).compare(ModelUnits(B));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

inline int Sign(int Value)
{
    return (Value > 0) - (Value < 0);
}

// Pieces that make the order hard: case pairs whose folding changes the byte
// length (K and the Kelvin sign, s and long s), the three sigmas, dotted and
// dotless i, sharp s, a combining mark, four-byte characters, and every kind
// of malformed sequence.
inline const std::vector<std::string> kPieces = {
    "a", "A", "z", "_", "s", "S", "k", "K", "\u212A", "\u017F", "\u00DF", "\u1E9E", "\u03C3", "\u03C2",
    "\u03A3", "\u03AF", "\u038A", "\u0416", "\u0436", "\u017C", "\u017B", "\u00F3", "\u00D3", "\u0142",
    "\u5BB6", "\u65E5", "\u0301", "\u0130", "i", "\u0131", "\U0001F600", "\x80", "\xC3", "\xE2\x82",
    "\xFF", "\xED\xA0\x80", "\xC0\xAF", "\xF4\x90\x80\x80",
};

inline std::string RandomText(std::mt19937& Random, int MaxPieces, const std::vector<std::string>& Pieces = kPieces)
{
    std::string text;
    for (unsigned n = Random() % static_cast<unsigned>(MaxPieces + 1); n > 0; --n)
        text += Pieces[Random() % Pieces.size()];
    return text;
}

}  // namespace lirabo::test
