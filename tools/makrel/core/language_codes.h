#pragma once

#include <string>
#include <string_view>

namespace makrel {

// The two-letter ISO 639-1 code of a language named by a three-letter code,
// or an empty string when the code names none that has one. Takes ISO 639-3
// codes (which are ISO 639-2/T codes where both exist: "deu", "fra"), the
// bibliographic ISO 639-2/B codes older sources use ("ger", "fre", "cze"),
// and the chief member of a macrolanguage ("cmn" zh, "arb" ar, "swh" sw).
// Lower case only.
std::string TwoLetterLanguage(std::string_view Code);

}  // namespace makrel
