#pragma once

#include <string>
#include <string_view>

#include "dictionary/text_encoding.h"

namespace makrel {

// The result of reading a UTF-8 input field.
struct TDecodedField {
    std::string Text;   // UTF-8
    std::string Error;  // empty on success
};

// Reads UTF-8 Field; invalid UTF-8 is an error. With Escapes, `\\` is a
// backslash, `\n` the hard line break LineBreak and `\xNN` stands for byte NN
// of Windows-1252: below 80 hex the byte itself (below 20 hex a mark-up
// code), from 80 hex on the character that byte is in Windows-1252 (`\xE9`
// is é), as it was when dictionaries held nothing else. Any other backslash
// sequence is an error.
TDecodedField DecodeField(std::string_view Field, bool Escapes, std::string_view LineBreak = "\r");

// Dictionary text in Encoding as UTF-8 for output: bytes below 32 as `\xNN`,
// the backslash as `\\`, and in UTF-8 text each byte that does not begin a
// well-formed character as U+FFFD.
std::string EscapeForOutput(std::string_view Text,
                            lirabo::TTextEncoding Encoding = lirabo::TTextEncoding::Windows1252);

// Like EscapeForOutput, but each line break (CR LF, CR or LF) as `\n`.
std::string EscapeMultiline(std::string_view Text,
                            lirabo::TTextEncoding Encoding = lirabo::TTextEncoding::Windows1252);

}  // namespace makrel
