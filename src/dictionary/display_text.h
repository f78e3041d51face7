#pragma once

#include <string>
#include <string_view>

#include "dictionary/text_encoding.h"

namespace lirabo {

// Everything the program shows, takes or hands on is UTF-8; a dictionary
// file holds its text in its own encoding. These convert at that border.
// The mark-up codes below 32 are the same bytes in both, so entry text
// converts whole.

// Stored text as UTF-8. A UTF-8 file's bytes that begin no well-formed
// character show as U+FFFD: a damaged file must never reach a reader, a
// clipboard or a search as invalid text.
std::string ToDisplayText(std::string_view Stored, TTextEncoding Encoding);

// UTF-8 text in the form a file of Encoding holds it: for Windows-1252
// composed first (NFC), as the files hold their text.
struct TStoredText {
    std::string Text;
    // False when a character has no place in the encoding: such text must
    // not be looked up, since dropping or replacing the character would
    // find another word. FirstUnfit is the first such character.
    bool Fits = true;
    char32_t FirstUnfit = 0;
};

TStoredText ToStoredText(std::string_view Utf8, TTextEncoding Encoding);

}  // namespace lirabo
