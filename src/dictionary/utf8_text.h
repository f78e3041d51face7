#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace lirabo {

// The text rules of UTF-8 dictionaries. Text is compared as a sequence of
// units: each well-formed character is its code point after Unicode's simple
// case folding (so ß stays ß, and Σ, σ and ς are one letter); each byte that
// does not begin a well-formed character is one unit of its own, 0x110000
// plus the byte, above every character. So a damaged file still has one
// order that sorting, lookup and verification agree on.

constexpr char32_t kInvalidUnit = 0x110000;  // plus the byte

// The unit at Text[Position], unfolded, moving Position past it.
char32_t NextUnit(std::string_view Text, size_t& Position);

// The simple case folding of a unit; invalid-byte units stay as they are.
char32_t FoldUnit(char32_t Unit);

// Negative, zero or positive as A sorts before, equal to or after B: folded
// units compared by value, a string before every longer one it begins.
// Allocates nothing.
int CompareUtf8Words(std::string_view A, std::string_view B);

// Whether the first units of Text are those of Prefix, folded.
bool Utf8StartsWith(std::string_view Text, std::string_view Prefix);

// Appends Text's folded units as bytes whose plain byte order is the unit
// order: characters as UTF-8, an invalid byte b as F8+(b>>6), 80+(b&3F).
// Neither byte of the latter can begin a character, so a search for
// well-formed text in the result never matches inside one.
void AppendFoldedBytes(std::string& Out, std::string_view Text);

// The first Bytes folded bytes of Text (fewer when it is shorter), cut
// anywhere: what section keys are made of and compared with.
std::string FoldedPrefix(std::string_view Text, size_t Bytes);

// The four-byte section key of a headword: its folded prefix padded with
// zero bytes.
std::array<unsigned char, 4> Utf8SectionKey(std::string_view Headword);

// Text in Unicode normalisation form C. Text that is not well-formed UTF-8
// comes back unchanged, since normalising would have to drop its bytes.
std::string NormalizeNfc(std::string_view Text);

// Whether Text is well-formed UTF-8, and the offset of its first bad byte
// (npos when there is none).
size_t FindInvalidUtf8(std::string_view Text);

// The largest length not above Limit that ends Text between characters.
size_t Utf8Boundary(std::string_view Text, size_t Limit);

// Text with every byte that does not begin a well-formed character replaced
// by U+FFFD, for showing.
std::string ShowableUtf8(std::string_view Text);

}  // namespace lirabo
