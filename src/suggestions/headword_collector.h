#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "suggestions/headword_bucket.h"

namespace lirabo {

// Builds the buckets of a headword index from the headwords as a walk over
// the dictionary meets them: each folded form is kept once, with the first
// spelling met. Folded forms that are equal need not be neighbours (a
// Windows-1252 file sorts "Ä" and "ä" apart), so a hash table of the forms
// kept finds repeats; it is dropped with the collector.
class THeadwordCollector {
public:
    // Longer headwords are not kept: no word a suggestion is made for lies
    // within reach of them.
    static constexpr size_t kMaxLength = 66;
    // What the kept headwords and the hash table may take at most; later
    // headwords are left out. A hostile file with many millions of distinct
    // headwords would otherwise take gigabytes; no real dictionary comes
    // near (519,000 German entries keep 10 MiB).
    static constexpr size_t kMaxBytes = size_t{256} << 20;

    // MaxBytes: a lower cap than kMaxBytes, if any.
    explicit THeadwordCollector(size_t MaxBytes = kMaxBytes);

    // Headword: UTF-8 as the dictionary writes it.
    void Add(std::string_view Headword);

    // The buckets by length (index 0 stays empty), trimmed to their size;
    // the collector is empty afterwards.
    std::vector<THeadwordBucket> Finish();

private:
    static uint64_t Hash(const char32_t* Characters, size_t Length);
    // The slot that holds Characters, or the empty slot where they belong.
    size_t Find(const char32_t* Characters, size_t Length, uint64_t HashValue) const;
    // The folded characters of a kept headword, by its slot entry, into Out.
    size_t Kept(uint32_t Entry, char32_t* Out) const;
    void Grow();

    std::vector<THeadwordBucket> FBuckets;
    // Each slot: 0 when empty, else the form's length (7 bits) above its
    // place in its bucket plus one.
    std::vector<uint32_t> FSlots;
    size_t FCount = 0;
    size_t FBytes = 0;
    size_t FMaxBytes;
};

}  // namespace lirabo
