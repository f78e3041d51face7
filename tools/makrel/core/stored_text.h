#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "dictionary/text_encoding.h"

namespace makrel {

// Text on its way into a dictionary file. Everything a writer is given is
// UTF-8; what it stores is either UTF-8 in NFC or, when the file ends up
// Windows-1252, the code page's bytes. Bytes below 32 are mark-up codes in
// either and pass through every function here unchanged.

// Text as well-formed UTF-8 in NFC. A byte that does not begin a well-formed
// character is read as the Windows-1252 character of that byte, which is
// what such a byte almost always is in dictionary sources.
std::string WellFormedText(std::string_view Text);

// Whether every character of well-formed UTF-8 Text has a Windows-1252 byte.
bool FitsWindows1252(std::string_view Text);

// Text converted to Windows-1252 and the number of characters that had no
// byte of their own and were transliterated.
struct TWindows1252Text {
    std::string Text;
    size_t Replaced = 0;
};

// Converts well-formed UTF-8 Text; characters without a byte go through the
// importers' transliteration, one run at a time, so mark-up codes never
// reach it.
TWindows1252Text ToWindows1252(std::string_view Text);

// The longest length not above Limit that ends Text between characters of
// Encoding.
size_t CutPoint(std::string_view Text, size_t Limit, lirabo::TTextEncoding Encoding);

// Shortens a definition over Limit bytes so that it ends with an ellipsis,
// closing a link the cut fell inside of; Limit leaves room for both.
void ShortenDefinition(std::string& Definition, size_t Limit, lirabo::TTextEncoding Encoding);

// Shortens a header text over Limit bytes, at the last line break before
// the limit when there is one.
void ShortenHeaderText(std::string& Text, size_t Limit, lirabo::TTextEncoding Encoding);

}  // namespace makrel
