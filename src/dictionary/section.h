#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "dictionary/word_item.h"

namespace lirabo {

// One row of the section table of an open dictionary, or the entry list of a
// store in list mode (where Offset and Key play no part).
struct TSection {
    int32_t Offset = 0;
    std::array<unsigned char, 4> Key{};  // first four bytes of the first headword, zero-filled
    std::optional<std::vector<TWordItem>> Items;  // empty while not decoded
    int32_t Count = 0;
};

using TSectionArray = std::vector<TSection>;

}  // namespace lirabo
