#include "dictionary/section_decoder.h"

#include "dictionary/exceptions.h"
#include "dictionary/little_endian.h"

namespace lirabo {

std::vector<TWordItem> DecodeSection(const unsigned char* Data, size_t Size, int32_t Count)
{
    // Check the table against what is really there before allocating for it.
    if (Count < 0 || static_cast<size_t>(Count) > Size / 3)
        throw EReadError();
    const size_t tableSize = static_cast<size_t>(Count) * 3;
    std::vector<TWordItem> items(static_cast<size_t>(Count));
    size_t position = tableSize;
    for (size_t i = 0; i < items.size(); ++i) {
        const unsigned char* row = Data + i * 3;
        const size_t wordLength = row[0];
        const size_t definitionLength = ReadUInt16LE(row + 1);
        if (Size - position < wordLength + definitionLength)
            throw EReadError();
        const char* text = reinterpret_cast<const char*>(Data + position);
        items[i].Word.assign(text, wordLength);
        items[i].Definition.assign(text + wordLength, definitionLength);
        position += wordLength + definitionLength;
    }
    return items;
}

}  // namespace lirabo
