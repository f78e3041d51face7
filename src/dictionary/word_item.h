#pragma once

#include <string>

namespace lirabo {

// One dictionary entry. Text is Windows-1252 bytes; every byte below 32 in
// Definition is a mark-up code.
struct TWordItem {
    static constexpr size_t kMaxWordLength = 255;
    static constexpr size_t kMaxDefinitionLength = 65535;

    std::string Word;
    std::string Definition;

    bool operator==(const TWordItem&) const = default;
};

}  // namespace lirabo
