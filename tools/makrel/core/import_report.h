#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace makrel {

// What an import did to its input, for the summary makrel prints.
struct TImportReport {
    size_t Entries = 0;
    size_t Relations = 0;
    size_t ShortenedEntries = 0;    // headwords over 255 or definitions over 65535 bytes
    std::vector<std::string> Warnings;
    // Entry text produced so far and the most an import may produce: real
    // dictionaries stay far below, while an index that names one large
    // article millions of times would otherwise exhaust memory.
    size_t TextBytes = 0;
    size_t MaxTextBytes = size_t{2} << 30;
};

// An input that cannot be imported: the message names the line when it can.
class EInputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace makrel
