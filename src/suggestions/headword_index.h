#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "suggestions/headword_bucket.h"

namespace lirabo {

class TDictionaryStore;
struct TScanControl;

// The distinct headwords of a dictionary, folded and kept compactly, so that
// words close in spelling to a misspelt one are found in milliseconds
// (Damerau-Levenshtein distance, as optimal string alignment, on folded
// characters). Gathering decodes every section, so it runs on a background
// thread; once gathered the index is read-only and may be asked from any
// thread.
class THeadwordIndex {
public:
    // Words longer than this (in characters) get no suggestions.
    static constexpr size_t kMaxWordLength = 64;

    THeadwordIndex() = default;

    // The headwords of the dictionary file at Path, read with a store of its
    // own. Raises what TDictionaryStore::OpenDictionary and its decoding
    // raise, and EScanStopped when Control (may be null) asks to stop.
    static THeadwordIndex FromFile(const std::string& Path, const TScanControl* Control = nullptr);
    // The same from what Store has open (a file or an entry list). The
    // sections decoded for it are not kept in Store's cache; Store's own
    // scan control is back in place afterwards.
    static THeadwordIndex FromStore(TDictionaryStore& Store, const TScanControl* Control = nullptr);

    // Up to Limit headwords close in spelling to Word (UTF-8), best first
    // (see TSuggestionRank), each as the dictionary writes it, in UTF-8.
    // Close means at most 2 edits, or 1 for a word of up to 4 characters,
    // whose neighbourhood at 2 edits is a good part of the dictionary. A
    // headword equal to Word after folding is not a suggestion. Empty or
    // overlong words get none; malformed bytes count as U+FFFD. Never raises
    // but std::bad_alloc.
    std::vector<std::string> Suggest(std::string_view Word, size_t Limit = 10) const;

    // The edits a word of Length characters may be away from a suggestion.
    static int MaxDistance(size_t Length);

    // Distinct folded headwords kept (those longer than kMaxWordLength plus
    // the largest distance are left out, since no suggestion can reach them).
    size_t HeadwordCount() const;
    // Bytes the index holds on the heap.
    size_t MemoryBytes() const;

private:
    std::vector<THeadwordBucket> FBuckets;  // by length in characters; empty before gathering
};

}  // namespace lirabo
