#include "suggestions/headword_collector.h"

#include <algorithm>

#include "suggestions/folded_text.h"

namespace lirabo {

namespace {

constexpr unsigned kPlaceBits = 25;  // 32 bits less 7 for the length
constexpr uint32_t kPlaceMask = (uint32_t{1} << kPlaceBits) - 1;
constexpr size_t kFirstSlots = 1024;
// Besides its spelling: its signature and end, and its share of the hash
// table, which grows to four slots a headword at most.
constexpr size_t kBytesPerHeadword = sizeof(uint64_t) + sizeof(uint32_t) + 4 * sizeof(uint32_t);

static_assert(THeadwordCollector::kMaxLength < (1u << (32 - kPlaceBits)));
// Below the byte cap a bucket has fewer headwords than a slot can name.
static_assert(THeadwordCollector::kMaxBytes / (kBytesPerHeadword + 1) < kPlaceMask);

}  // namespace

THeadwordCollector::THeadwordCollector(size_t MaxBytes)
    : FBuckets(kMaxLength + 1), FSlots(kFirstSlots), FMaxBytes(std::min(MaxBytes, kMaxBytes))
{
    for (size_t length = 0; length <= kMaxLength; ++length)
        FBuckets[length].Length = length;
}

uint64_t THeadwordCollector::Hash(const char32_t* Characters, size_t Length)
{
    uint64_t hash = 0xcbf29ce484222325u ^ Length;
    for (size_t i = 0; i < Length; ++i)
        hash = (hash ^ Characters[i]) * 0x100000001b3u;
    return hash ^ (hash >> 29);
}

size_t THeadwordCollector::Kept(uint32_t Entry, char32_t* Out) const
{
    const THeadwordBucket& bucket = FBuckets[Entry >> kPlaceBits];
    return FoldCharacters(bucket.Spelling((Entry & kPlaceMask) - 1), Out, kMaxLength);
}

size_t THeadwordCollector::Find(const char32_t* Characters, size_t Length, uint64_t HashValue) const
{
    const size_t mask = FSlots.size() - 1;
    char32_t kept[kMaxLength + 1];
    for (size_t slot = HashValue & mask;; slot = (slot + 1) & mask) {
        const uint32_t entry = FSlots[slot];
        if (entry == 0)
            return slot;
        if ((entry >> kPlaceBits) == Length && Kept(entry, kept) == Length &&
            std::equal(kept, kept + Length, Characters))
            return slot;
    }
}

void THeadwordCollector::Grow()
{
    std::vector<uint32_t> old(FSlots.size() * 2);
    old.swap(FSlots);
    char32_t kept[kMaxLength + 1];
    const size_t mask = FSlots.size() - 1;
    for (const uint32_t entry : old) {
        if (entry == 0)
            continue;
        // The kept forms are distinct: the first free slot is theirs.
        size_t slot = Hash(kept, Kept(entry, kept)) & mask;
        while (FSlots[slot] != 0)
            slot = (slot + 1) & mask;
        FSlots[slot] = entry;
    }
}

void THeadwordCollector::Add(std::string_view Headword)
{
    char32_t folded[kMaxLength + 1];
    const size_t length = FoldCharacters(Headword, folded, kMaxLength);
    if (length == 0 || length > kMaxLength)
        return;
    const size_t bytes = kBytesPerHeadword + Headword.size();
    if (FBytes + bytes > FMaxBytes)
        return;

    const size_t slot = Find(folded, length, Hash(folded, length));
    if (FSlots[slot] != 0)
        return;
    THeadwordBucket& bucket = FBuckets[length];
    FSlots[slot] = static_cast<uint32_t>(length << kPlaceBits | (bucket.Count() + 1));
    bucket.Signatures.push_back(CharacterSignature(folded, length));
    bucket.Spellings.append(Headword);
    bucket.SpellingEnds.push_back(static_cast<uint32_t>(bucket.Spellings.size()));
    FBytes += bytes;
    // Half full at most, so that a miss ends after a few slots.
    if (++FCount * 2 > FSlots.size())
        Grow();
}

std::vector<THeadwordBucket> THeadwordCollector::Finish()
{
    for (THeadwordBucket& bucket : FBuckets) {
        bucket.Signatures.shrink_to_fit();
        bucket.Spellings.shrink_to_fit();
        bucket.SpellingEnds.shrink_to_fit();
    }
    FSlots = std::vector<uint32_t>(kFirstSlots);
    FCount = 0;
    FBytes = 0;
    std::vector<THeadwordBucket> buckets(kMaxLength + 1);
    buckets.swap(FBuckets);
    for (size_t length = 0; length <= kMaxLength; ++length)
        FBuckets[length].Length = length;
    return buckets;
}

}  // namespace lirabo
