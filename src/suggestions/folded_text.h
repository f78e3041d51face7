#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lirabo {

// How spelling suggestions see text: as whole characters after Unicode's
// simple case folding, the folding the engine compares UTF-8 headwords by,
// whatever the file's encoding. So "Ärger" and "ärger" are one word, and a
// distance counts characters, never bytes.

// The folded characters of UTF-8 text. Bytes that begin no well-formed
// character count as U+FFFD, as the headwords shown to the reader do; the
// text is brought to NFC first, so a typed "u" plus a combining diaeresis is
// the "ü" of the dictionary.
std::u32string FoldedCharacters(std::string_view Utf8);

// The folded characters of well-formed UTF-8 (a headword as shown) into
// Out, without allocating: how many there are, or Capacity + 1 as soon as
// there are more than Capacity.
size_t FoldCharacters(std::string_view Utf8, char32_t* Out, size_t Capacity);

// The letter Folded is written with when its accents are left off: the
// first character of its canonical decomposition when everything after it
// is a combining mark ("é" -> "e", "ǖ" -> "u", "ώ" -> "ω"), else Folded
// itself. Letters such as "ß", "ø" or a Hangul syllable are letters of their
// own and stay.
char32_t BaseLetter(char32_t Folded);

// Folded with every character replaced by its base letter.
std::u32string BaseLetters(std::u32string_view Folded);

}  // namespace lirabo
