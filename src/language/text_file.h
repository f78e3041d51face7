#pragma once

#include <string>
#include <string_view>

namespace lirabo {

// The files people write for the program by hand (interface languages, the
// list of online dictionaries) were Windows-1252 before any script was
// allowed. A UTF-8 file says so with a byte-order mark at its start: read as
// Windows-1252 those three bytes would begin the text with "ï»¿", which no
// older file does, so every older file keeps its reading.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The text of such a file as UTF-8. After a byte-order mark the rest is
// UTF-8, the mark itself dropped and each byte that begins no well-formed
// character shown as U+FFFD, so a damaged file never hands invalid text on;
// without a mark each byte is its Windows-1252 character. ASCII bytes
// (line ends, NUL, "[", "=") stay where they were either way. The result is
// at most three times as long as Bytes.
std::string TextFileToUtf8(std::string_view Bytes);

}  // namespace lirabo
