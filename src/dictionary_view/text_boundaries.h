#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace lirabo {

// The Unicode text boundaries the view needs, from ICU's break iterators
// working on UTF-8 in place. Each thread keeps one iterator of each kind, so
// a call costs no set-up. Text is UTF-8 without mark-up codes; a byte that
// begins no well-formed character counts as one character. Never raises:
// when ICU cannot help, each character is its own piece.

// Where Text's grapheme clusters end (a base character with its marks, a
// Hangul syllable of jamo, an emoji sequence), ascending; the last is
// Text.size(). Empty for empty text.
void ClusterEnds(std::string_view Text, std::vector<uint32_t>& Out);

// The offsets strictly inside Text where a line may break under the Unicode
// line-breaking rules (never before closing punctuation such as 。、」).
// Out is cleared first.
void LineBreaks(std::string_view Text, std::vector<uint32_t>& Out);

// The word of Text holding the byte at Offset, under the Unicode word rules
// (which know words of Chinese, Japanese and Thai without spaces between
// them): its first byte and the byte after it.
struct TWordBounds {
    size_t Begin = 0;
    size_t End = 0;
};
TWordBounds WordAround(std::string_view Text, size_t Offset);

}  // namespace lirabo
