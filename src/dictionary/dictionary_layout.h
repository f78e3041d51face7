#pragma once

#include <cstdint>

#include "dictionary/dictionary_header.h"
#include "dictionary/section.h"

namespace lirabo {

// Far above any useful section (readers decode a whole section per screen);
// keeps a hostile header from making a reader allocate gigabytes of entries.
constexpr int32_t kMaxSectionSize = 65536;

// Structural checks on a header that has passed its own reading checks, so
// that a damaged or hostile file is rejected at open with a reason instead of
// misbehaving later. Each raises EInvalidDictionary naming the first fault.

// Counts and the region boundaries against the file's real length.
void CheckHeaderLayout(const TDictionaryHeader& Header, int64_t FileLength);

// The section table read from the file: offsets ascend and lie between the
// end of the table and RelationsStart.
void CheckSectionTable(const TDictionaryHeader& Header, const TSectionArray& Sections);

// The number of entries of section Index (all full but possibly the last).
int32_t SectionEntryCount(const TDictionaryHeader& Header, int32_t Index);

// The most bytes the relation block of a well-formed dictionary can need,
// generous enough for every real dictionary: the offset table and, per entry,
// its terminating zero and up to 256 relations; never more than 128 MiB.
int64_t MaxRelationBytes(const TDictionaryHeader& Header);

// The most bytes a section of Count entries can decompress to: a 3-byte row,
// a 255-byte headword and a 65535-byte definition per entry, never more
// than 64 MiB. A bzip2 bomb stops there.
int64_t MaxSectionBytes(int32_t Count);

}  // namespace lirabo
