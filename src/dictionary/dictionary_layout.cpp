#include "dictionary/dictionary_layout.h"

#include <algorithm>
#include <string>

#include "dictionary/section_decoder.h"

#include "dictionary/exceptions.h"

namespace lirabo {

namespace {

constexpr int64_t kSectionRowSize = 8;        // 32-bit offset + 4-byte key
constexpr int64_t kRelationRecordSize = 5;    // 1-byte kind + 32-bit target
constexpr int64_t kRelationsPerEntryCap = 256;
// Absolute ceilings, so that a small hostile file cannot claim gigabytes.
constexpr int64_t kMaxRelationBlock = int64_t{128} << 20;  // 25 relations for each of 1M entries
constexpr int64_t kMaxSectionBytes = int64_t{64} << 20;

[[noreturn]] void Reject(const std::string& Reason)
{
    throw EInvalidDictionary(Reason);
}

}  // namespace

void CheckHeaderLayout(const TDictionaryHeader& Header, int64_t FileLength)
{
    if (Header.WordCount < 0)
        Reject("the word count is negative (" + std::to_string(Header.WordCount) + ")");
    if (Header.SectionSize < 1 || Header.SectionSize > kMaxSectionSize)
        Reject("the section size is " + std::to_string(Header.SectionSize) + "; it must lie between 1 and " +
               std::to_string(kMaxSectionSize));
    const int64_t expected = (int64_t{Header.WordCount} + Header.SectionSize - 1) / Header.SectionSize;
    if (Header.SectionCount != expected)
        Reject("the header gives " + std::to_string(Header.SectionCount) + " sections where " +
               std::to_string(Header.WordCount) + " words in sections of " +
               std::to_string(Header.SectionSize) + " need " + std::to_string(expected));
    const int64_t tableEnd = Header.SectionTableOffset() + kSectionRowSize * Header.SectionCount;
    if (Header.RelationsStart < tableEnd || Header.RelationsStart > FileLength)
        Reject("the relation data start (" + std::to_string(Header.RelationsStart) +
               ") lies outside the file body");
    if (Header.RelationsEnd != 0 &&
        (Header.RelationsEnd < Header.RelationsStart || Header.RelationsEnd > FileLength))
        Reject("the relation data end (" + std::to_string(Header.RelationsEnd) +
               ") lies outside the file body");
}

void CheckSectionTable(const TDictionaryHeader& Header, const TSectionArray& Sections)
{
    const int64_t tableEnd = Header.SectionTableOffset() + kSectionRowSize * Header.SectionCount;
    int64_t previous = tableEnd - 1;
    for (size_t i = 0; i < Sections.size(); ++i) {
        const int64_t offset = Sections[i].Offset;
        if (offset <= previous || offset >= Header.RelationsStart)
            Reject("section " + std::to_string(i) + " starts at " + std::to_string(offset) +
                   ", outside the order of the sections between " + std::to_string(tableEnd) +
                   " and " + std::to_string(Header.RelationsStart));
        previous = offset;
    }
}

int32_t SectionEntryCount(const TDictionaryHeader& Header, int32_t Index)
{
    const int32_t remainder = Header.WordCount % Header.SectionSize;
    if (Index == Header.SectionCount - 1 && remainder > 0)
        return remainder;
    return Header.SectionSize;
}

int64_t MaxRelationBytes(const TDictionaryHeader& Header)
{
    return std::min(kMaxRelationBlock, 4 * int64_t{Header.SectionCount} +
                                           int64_t{Header.WordCount} * (1 + kRelationRecordSize * kRelationsPerEntryCap));
}

int64_t MaxSectionBytes(int32_t Count)
{
    return std::min(kMaxSectionBytes, int64_t{Count} * static_cast<int64_t>(kMaxDecodedEntryBytes));
}

}  // namespace lirabo
