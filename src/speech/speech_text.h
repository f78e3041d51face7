#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lirabo {

// The most text spoken at once: a long entry, not a whole dictionary page.
// Its sound (about three minutes) is synthesised in a fifth of a second.
constexpr size_t kMaxSpeechTextBytes = 4096;

// Text from a dictionary file made safe to hand to the synthesiser as plain
// UTF-8: cut to MaxBytes at a character boundary, every invalid byte
// sequence replaced by U+FFFD, and control characters (the synthesiser's
// ctrl-A commands among them, and NUL, which would end the text) by spaces.
// Leading and trailing spaces are dropped, so text of spaces alone is empty.
std::string CleanSpeechText(std::string_view Text, size_t MaxBytes = kMaxSpeechTextBytes);

}  // namespace lirabo
