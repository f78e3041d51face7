#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lirabo {

class TDictionaryStore;
struct TScanControl;

// The distinct headwords of a dictionary, folded and kept compactly, so that
// words close in spelling to a misspelt one are found in milliseconds
// (Damerau-Levenshtein distance up to 2 on folded characters). Gathering
// decodes every section, so it runs on a background thread; once gathered
// the index is read-only and may be asked from any thread.
class THeadwordIndex {
public:
    THeadwordIndex() = default;

    // The headwords of the dictionary file at Path, read with a store of its
    // own. Raises what TDictionaryStore::OpenDictionary and its decoding
    // raise, and EScanStopped when Control (may be null) asks to stop.
    static THeadwordIndex FromFile(const std::string& Path, const TScanControl* Control = nullptr);
    // The same from what Store has open (a file or an entry list).
    static THeadwordIndex FromStore(TDictionaryStore& Store, const TScanControl* Control = nullptr);

    // Up to Limit headwords close in spelling to Word (UTF-8), best first,
    // each as the dictionary writes it, in UTF-8. A headword equal to Word
    // after folding is not a suggestion.
    std::vector<std::string> Suggest(std::string_view Word, size_t Limit = 10) const;

    size_t HeadwordCount() const;
    // Bytes the index holds on the heap.
    size_t MemoryBytes() const;

private:
    // Filled in by the implementation.
};

}  // namespace lirabo
