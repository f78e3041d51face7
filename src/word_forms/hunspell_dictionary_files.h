#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lirabo {

// Where the Hunspell dictionary of a language is: its .aff and .dic files.
struct THunspellDictionaryFiles {
    std::string AffixFile;
    std::string WordFile;
};

// The dictionary of Language (an ISO 639 code, lower case) in the first of
// Folders that has one: LANG_COUNTRY.aff with its .dic, the country that
// shares the language's name first (de_DE before de_AT, fr_FR before
// fr_BE), then the other countries in name order, then a plain LANG.aff.
// Nothing for a code that is not two or three lower-case letters, so that a
// language never reaches the file system as a path. Never raises: an
// unreadable folder is passed over.
std::optional<THunspellDictionaryFiles> FindHunspellDictionary(const std::vector<std::string>& Folders,
                                                               std::string_view Language);

}  // namespace lirabo
