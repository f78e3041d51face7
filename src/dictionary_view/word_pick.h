#pragma once

#include <cstddef>
#include <string_view>

namespace lirabo {

// What a right click marks in laid-out entry text (UTF-8 with codes).
struct TPickedWord {
    size_t Begin = 0;  // bytes [Begin, End); empty when nothing is picked
    size_t End = 0;
    bool Empty() const { return Begin >= End; }
};

// The word under the character at Anchor (the first byte of a character):
// nothing when that character is a word delimiter (char_class.h
// IsWordDelimiter); the whole headword when Anchor lies before the body
// mark; otherwise the characters around Anchor up to the delimiters on
// either side. Where those hold characters of a script written without
// spaces, the Unicode word boundaries cut the word out of them, rather than
// taking the whole run of text. Never raises.
TPickedWord PickWord(std::string_view Text, size_t Anchor);

}  // namespace lirabo
