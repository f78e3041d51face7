#include "dictionary/section_decoder.h"

#include "dictionary/exceptions.h"
#include "dictionary/little_endian.h"

namespace lirabo {

namespace {

// Walks the entries of a section by its length table; Visit(i, word, definition).
template <typename Visit>
void ForEachEntry(const unsigned char* Data, size_t Size, int32_t Count, Visit&& Sink)
{
    // Check the table against what is really there before anyone allocates for it.
    if (Count < 0 || static_cast<size_t>(Count) > Size / 3)
        throw EReadError();
    size_t position = static_cast<size_t>(Count) * 3;
    for (size_t i = 0; i < static_cast<size_t>(Count); ++i) {
        const unsigned char* row = Data + i * 3;
        const size_t wordLength = row[0];
        const size_t definitionLength = ReadUInt16LE(row + 1);
        if (Size - position < wordLength + definitionLength)
            throw EReadError();
        const char* text = reinterpret_cast<const char*>(Data + position);
        Sink(i, std::string_view(text, wordLength), std::string_view(text + wordLength, definitionLength));
        position += wordLength + definitionLength;
    }
}

}  // namespace

std::vector<TWordItem> DecodeSection(const unsigned char* Data, size_t Size, int32_t Count)
{
    std::vector<TWordItem> items;
    if (Count >= 0 && static_cast<size_t>(Count) <= Size / 3)
        items.resize(static_cast<size_t>(Count));
    ForEachEntry(Data, Size, Count, [&](size_t i, std::string_view Word, std::string_view Definition) {
        items[i].Word.assign(Word);
        items[i].Definition.assign(Definition);
    });
    return items;
}

TSectionMatches DecodeMatches(const unsigned char* Data, size_t Size, int32_t Count, const TEntryTest& Test,
                              bool WithDefinitions)
{
    TSectionMatches matches;
    ForEachEntry(Data, Size, Count, [&](size_t i, std::string_view Word, std::string_view Definition) {
        if (!Test(Word, Definition))
            return;
        matches.Items.push_back({std::string(Word), WithDefinitions ? std::string(Definition) : std::string()});
        matches.Indexes.push_back(static_cast<int32_t>(i));
    });
    return matches;
}

}  // namespace lirabo
