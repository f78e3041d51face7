#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "dictionary/word_item.h"

namespace lirabo {

// The largest decompressed section of Count entries: a 3-byte length row,
// a 255-byte headword and a 65535-byte definition per entry.
constexpr size_t kMaxDecodedEntryBytes = 3 + TWordItem::kMaxWordLength + TWordItem::kMaxDefinitionLength;

// Splits a decompressed section into its Count entries by its length table.
// Data shorter than the table or than the lengths it promises raises the
// stream-read error; bytes after the last entry are ignored.
std::vector<TWordItem> DecodeSection(const unsigned char* Data, size_t Size, int32_t Count);

// Whether a scan keeps an entry, from its headword and definition bytes.
// Whole-dictionary scans call it on several threads at once.
using TEntryTest = std::function<bool(std::string_view Word, std::string_view Definition)>;

// The entries of a section that Test keeps, and their places in it. The
// whole length table is checked as DecodeSection checks it, but only kept
// entries are copied; without WithDefinitions only their headwords.
struct TSectionMatches {
    std::vector<TWordItem> Items;
    std::vector<int32_t> Indexes;
};
TSectionMatches DecodeMatches(const unsigned char* Data, size_t Size, int32_t Count, const TEntryTest& Test,
                              bool WithDefinitions = true);

}  // namespace lirabo
