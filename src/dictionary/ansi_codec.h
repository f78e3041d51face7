#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lirabo {

// Dictionary text is Windows-1252. These convert at the edges of the
// program (the lookup box, the clipboard, makrel's input and output). The
// five bytes the code page leaves undefined (81, 8D, 8F, 90, 9D hex) map to
// the C1 control characters of the same value, as the platform does, so
// every byte survives a round trip.

// The Unicode character of a Windows-1252 byte.
char32_t AnsiToUnicode(unsigned char Byte);

// The Windows-1252 byte of a Unicode character, or nothing when it has none.
std::optional<unsigned char> UnicodeToAnsi(char32_t Character);

// Windows-1252 text as UTF-8.
std::string AnsiToUtf8(std::string_view Text);

// The result of converting UTF-8 to Windows-1252.
struct TAnsiConversion {
    std::string Text;              // unmappable characters left out
    size_t Unmappable = 0;         // characters without a Windows-1252 byte
    char32_t FirstUnmappable = 0;  // the first of them
    bool ValidUtf8 = true;         // false: an invalid byte sequence was met
};

TAnsiConversion Utf8ToAnsi(std::string_view Text);

// Decodes the UTF-8 character at Text[Position] and moves Position past it;
// false (Position unchanged) on an invalid or overlong sequence or a
// surrogate. Position must lie inside Text.
bool DecodeUtf8(std::string_view Text, size_t& Position, char32_t& Character);

// Appends Character to Out as UTF-8.
void AppendUtf8(std::string& Out, char32_t Character);

}  // namespace lirabo
