#pragma once

#include <string>
#include <string_view>

namespace makrel {

// The languages of a dictionary's headwords and definitions as the user
// names them: ISO 639-1 codes, empty when unknown. The command line's
// --languages and the builder window read them through the same rules, so
// a code one of them takes the other takes too.
struct TLanguagePair {
    std::string Headword;
    std::string Definition;
};

// Why Code cannot name a dictionary's language, for a message to the user;
// empty when it is a two-letter ISO 639-1 code of the file format's table.
// Lower case only, as the file format stores it. Never raises.
std::string LanguageCodeError(std::string_view Code);

// Reads HEAD-DEFS ("pl-en"), each side a code, "?" or nothing for a side
// that is unknown. Returns why Text is not such a pair, leaving Pair as it
// was; empty on success. Never raises.
std::string ReadLanguagePair(std::string_view Text, TLanguagePair& Pair);

}  // namespace makrel
