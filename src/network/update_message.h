#pragma once

#include <string>
#include <string_view>

namespace lirabo::network {

// Limits of a server's message as shown: enough for any notice, small
// enough that the box fits on a screen.
inline constexpr size_t kMaxMessageCharacters = 2000;
inline constexpr size_t kMaxMessageLines = 30;

// The text of a "MESSAGE" reply as the program shows it, in UTF-8: the
// argument read as UTF-8 when it is valid UTF-8, else as Windows-1252; line
// ends (CR LF, CR, LF) as LF; other control characters left out; cut after
// kMaxMessageCharacters characters or kMaxMessageLines lines, with "…"
// marking the cut; trailing blanks and line ends dropped. Empty when nothing
// is left to show. The result is plain text and must be shown as such.
std::string UpdateMessageText(std::string_view Argument);

}  // namespace lirabo::network
