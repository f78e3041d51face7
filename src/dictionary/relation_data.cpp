#include "dictionary/relation_data.h"

#include "dictionary/exceptions.h"
#include "dictionary/little_endian.h"

namespace lirabo {

namespace {

constexpr size_t kRecordSize = 5;  // 1-byte kind + 32-bit target

}  // namespace

void TRelationData::ReadList(int32_t Index, int32_t SectionSize, TExtendedInfo& Relations) const
{
    const size_t size = FData.size();
    const size_t row = static_cast<size_t>(Index / SectionSize) * 4;
    if (row > size || size - row < 4)
        throw EReadError();
    size_t position = ReadUInt32LE(FData.data() + row);

    // Skip the lists of the entries before Index in its section.
    for (int32_t skip = Index % SectionSize; skip > 0; --skip) {
        for (;;) {
            if (position >= size)
                throw EReadError();
            if (FData[position] == 0)
                break;
            if (size - position < kRecordSize)
                throw EReadError();
            position += kRecordSize;
        }
        ++position;
    }

    for (;;) {
        if (position >= size)
            throw EReadError();
        const uint8_t kind = FData[position];
        if (kind == 0)
            break;
        if (size - position < kRecordSize)
            throw EReadError();
        Relations.push_back(TExtended{kind, ReadInt32LE(FData.data() + position + 1)});
        position += kRecordSize;
    }
}

}  // namespace lirabo
