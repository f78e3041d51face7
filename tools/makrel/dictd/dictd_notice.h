#pragma once

#include <string>
#include <string_view>

namespace makrel {

// The notice of a dictd database, which has no field for one, made from what
// it says of itself (all UTF-8): its short name and the sentence of
// its description that names a copyright or licence, else its URL. The
// description's lines are split by CR LF and hard-wrapped, so the sentence
// is gathered from the lines around the one that names it. Empty when the
// database says nothing of either.
std::string DictdNotice(std::string_view Name, std::string_view Information, std::string_view URL);

}  // namespace makrel
