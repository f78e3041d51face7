#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lirabo {

// One relation of an entry: its kind (never 0; the top three bits give the
// part of speech) and the entry number it points to.
struct TExtended {
    uint8_t Kind = 0;
    int32_t Target = 0;

    bool operator==(const TExtended&) const = default;
};

using TExtendedInfo = std::vector<TExtended>;

// A row of a relation listing, as the relations panel receives it.
struct TRelationRow {
    static constexpr int32_t kPartOfSpeechHeading = -3;  // Text "+-" and the number
    static constexpr int32_t kRelationHeading = -2;      // Text "+" and the code

    std::string Text;
    int32_t Mark = 0;  // a heading mark, or the related entry's number

    bool operator==(const TRelationRow&) const = default;
};

using TRelationRows = std::vector<TRelationRow>;

}  // namespace lirabo
