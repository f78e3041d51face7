#pragma once

#include <cstdint>
#include <vector>

#include "dictionary/relation.h"

namespace lirabo {

// The decompressed relation block of a dictionary: a table of 32-bit offsets,
// one per section, then one list per entry of 5-byte records (kind, target)
// closed by a zero byte. Every read is checked against the data's end.
class TRelationData {
public:
    explicit TRelationData(std::vector<unsigned char> Data) : FData(std::move(Data)) {}

    // Appends the relations of entry Index (section size SectionSize) to
    // Relations, in file order. Data that end before the offset, a skipped
    // list or the entry's own list is complete raise the stream-read error.
    void ReadList(int32_t Index, int32_t SectionSize, TExtendedInfo& Relations) const;

    size_t Size() const { return FData.size(); }

private:
    std::vector<unsigned char> FData;
};

}  // namespace lirabo
