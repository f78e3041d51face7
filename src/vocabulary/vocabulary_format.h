#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lirabo {

// The bytes of a .lvf file and its lines, in standard C++ so that the
// fuzzer reads files without Qt. One line per row, each ended by CR LF, no
// header. Reading splits at CR LF, a lone CR or a lone LF, keeps a last
// line without its end and stops at the first NUL.
//
// The 8-bit code page of such files is Windows-1252. A list that holds
// characters outside it is written as UTF-8 instead of losing them, and a
// file that is valid UTF-8 is read as such; a list whose Windows-1252 bytes
// would read back as other UTF-8 text is written as UTF-8 too, so whatever
// is saved reads back as it was. Lines here are UTF-8.

// No list comes near this; a larger file is not a vocabulary list, and
// reading it would only fill the grid with noise.
constexpr size_t kMaxVocabularyFileSize = 4 * 1024 * 1024;

// The lines of Bytes; false (Lines untouched) when Bytes are not a list:
// control bytes other than line ends and tabs before the first NUL, or
// more than kMaxVocabularyFileSize bytes before it.
bool ParseVocabulary(std::string_view Bytes, std::vector<std::string>& Lines);

// The file's bytes for Lines, which hold no line ends or NULs.
std::string SerializeVocabulary(const std::vector<std::string>& Lines);

}  // namespace lirabo
