#pragma once

#include <bitset>
#include <string>
#include <string_view>

namespace lirabo {

// A set of byte values, one bit per value 0..255.
using TCharSet = std::bitset<256>;

// Text without the bytes of CharSet, the rest in order.
std::string RemoveChars(std::string_view Text, const TCharSet& CharSet);

// Every byte below 32: the mark-up codes.
const TCharSet& CharsBelow32();
// Every byte below 32 except 1, which separates a headword from its body.
const TCharSet& CharsBelow32ButBody();
// What ends a word for the right-click word pick: 0, 1, 2, 7..31 and
// space ! ( ) , . / : ; ? [ \ ] { }. The style toggles 3..6 sit inside words,
// and quotes, apostrophes and hyphens belong to the word.
const TCharSet& WordDelimiters();

}  // namespace lirabo
