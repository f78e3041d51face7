#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lirabo::network {

// What a link in the minibrowser leads to.
enum class TDownloadKind { None = 0, Dictionary = 1, LanguageFile = 2 };

// The kind of a link by its address's extension, taken the way a file
// name's extension is taken: the text from the last ".", "\" or ":" when
// that character is a "."; ".ldi" is a dictionary and ".lng" a language
// file, in any letter case. Everything else is None.
TDownloadKind LinkKind(std::string_view Address);

// The name under which the file at Url is stored in the Dictionaries or Lang
// folder, or nothing when no safe name results: the last segment of the
// address's path (without query or fragment), percent-decoded once, must not
// be empty, "." or "..", must hold no "/", "\", control character, NUL or
// any of : * ? " < > |, must be valid UTF-8 of at most 255 bytes, and must
// end in ".ldi" (Dictionary) or ".lng" (LanguageFile), in any letter case,
// after something else. Never raises; any input is safe.
std::optional<std::string> DownloadFileName(std::string_view Url, TDownloadKind Kind);

}  // namespace lirabo::network
