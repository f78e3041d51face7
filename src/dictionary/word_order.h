#pragma once

#include <array>
#include <string>
#include <string_view>

namespace lirabo {

// Headword order: bytes compared as unsigned values after mapping only the
// ASCII letters a-z to A-Z; a string sorts before every longer string that
// begins with it. No locale rules apply.

inline unsigned char UpperAscii(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c;
}

// Negative, zero or positive as A sorts before, equal to or after B.
int CompareWords(std::string_view A, std::string_view B);

// A four-byte section key as a string, zero bytes included.
inline std::string_view KeyView(const std::array<unsigned char, 4>& Key)
{
    return {reinterpret_cast<const char*>(Key.data()), Key.size()};
}

// A copy with the ASCII letters upper-cased and every other byte kept.
std::string UpperCaseAscii(std::string_view S);

}  // namespace lirabo
