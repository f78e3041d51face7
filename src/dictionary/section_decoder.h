#pragma once

#include <cstddef>
#include <cstdint>
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

}  // namespace lirabo
