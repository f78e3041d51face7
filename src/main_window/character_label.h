#pragma once

#include <QString>

namespace lirabo {

// A character as a message names it: the character and its code point,
// "ż (U+017C)". One that shows nothing by itself (a control or format
// character, a blank, a code point that is no character) is named by its
// code point alone, and a combining mark stands on a dotted circle, so that
// the reader sees what the message is about. Never raises.
QString CharacterLabel(char32_t Character);

}  // namespace lirabo
