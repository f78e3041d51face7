#pragma once

#include <string>
#include <string_view>

namespace makrel {

// Replaces the bracketed letter codes with which old plain-text
// dictionaries write letters that ASCII lacks: a diacritic before the letter
// ("['e]" é, "[`a]" à, "[^o]" ô, "[\"u]" ü, "[~n]" ñ, "[,c]" ç; a macron,
// dot or bar as "[=o]", "[.a]", "[-e]"), a breve after it ("[i^]"), and a
// few names ("[ae]" æ, "[oe]" œ, "[aum]" ä, "[eth]" ð, "[thorn]" þ,
// "[deg]" °, "[sect]" §). The result is UTF-8 with each letter whole and
// composed ("[=o]" ō, "[i^]" ĭ, "[.a]" ȧ), whatever code page the
// dictionary is written in later. A mark is a code only over a vowel, or
// where it makes the consonant a letter ("[~n]" ñ, "[,c]" ç). Any other
// bracket, "[^x]" or "[-s]" among them, is left as it is.
std::string ReplaceLetterCodes(std::string_view Text);

}  // namespace makrel
