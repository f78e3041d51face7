#pragma once

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

// A copy with the ASCII letters upper-cased and every other byte kept.
std::string UpperCaseAscii(std::string_view S);

}  // namespace lirabo
