#include "suggestions/headword_index.h"

#include <algorithm>
#include <bit>

#include "dictionary/dictionary_store.h"
#include "dictionary/display_text.h"
#include "suggestions/folded_text.h"
#include "suggestions/headword_collector.h"
#include "suggestions/osa_pattern.h"
#include "suggestions/suggestion_rank.h"

namespace lirabo {

namespace {

constexpr int kMaxDistance = 2;
constexpr size_t kShortWordLength = 4;  // up to this, one edit only

static_assert(THeadwordIndex::kMaxWordLength <= TOsaPattern::kMaxLength);
static_assert(THeadwordCollector::kMaxLength == THeadwordIndex::kMaxWordLength + kMaxDistance);

// A headword within reach: its spelling (in the index), its folded form for
// the last tie, and its rank.
struct TCandidate {
    std::string_view Spelling;
    std::u32string Folded;
    TSuggestionRank Rank;
};

// Puts the store's own scan control back however the walk ends.
class TScanControlScope {
public:
    TScanControlScope(TDictionaryStore& Store, const TScanControl* Control)
        : FStore(Store), FPrevious(Store.ScanControl())
    {
        Store.SetScanControl(Control);
    }
    ~TScanControlScope() { FStore.SetScanControl(FPrevious); }
    TScanControlScope(const TScanControlScope&) = delete;
    TScanControlScope& operator=(const TScanControlScope&) = delete;

private:
    TDictionaryStore& FStore;
    const TScanControl* FPrevious;
};

}  // namespace

THeadwordIndex THeadwordIndex::FromFile(const std::string& Path, const TScanControl* Control)
{
    TDictionaryStore store;
    store.OpenDictionary(Path);
    return FromStore(store, Control);
}

THeadwordIndex THeadwordIndex::FromStore(TDictionaryStore& Store, const TScanControl* Control)
{
    const TTextEncoding encoding = Store.Rule().Encoding();
    THeadwordCollector collector;
    std::string previous;
    {
        const TScanControlScope scope(Store, Control);
        const auto keep = [&](int, const TWordItem& Item) {
            // The entries of one headword follow each other: one look suffices.
            if (Item.Word == previous)
                return;
            previous = Item.Word;
            collector.Add(ToDisplayText(Item.Word, encoding));
        };
        Store.ForEachEntry(keep, /*WithDefinitions=*/false);
    }
    THeadwordIndex index;
    index.FBuckets = collector.Finish();
    return index;
}

int THeadwordIndex::MaxDistance(size_t Length)
{
    return Length <= kShortWordLength ? 1 : kMaxDistance;
}

std::vector<std::string> THeadwordIndex::Suggest(std::string_view Word, size_t Limit) const
{
    if (Limit == 0 || Word.empty() || FBuckets.empty())
        return {};
    // Far longer input is no word: it is not even folded in full.
    if (Word.size() > kMaxWordLength * 8)
        return {};
    const std::u32string word = FoldedCharacters(Word);
    if (word.empty() || word.size() > kMaxWordLength)
        return {};
    const std::u32string wordBase = BaseLetters(word);
    const int limit = MaxDistance(word.size());
    const TOsaPattern pattern(word);
    const uint64_t signature = CharacterSignature(word.data(), word.size());

    std::vector<TCandidate> found;
    char32_t folded[THeadwordCollector::kMaxLength + 1];
    const size_t shortest = word.size() > static_cast<size_t>(limit) ? word.size() - limit : 1;
    const size_t longest = std::min(word.size() + limit, FBuckets.size() - 1);
    for (size_t length = shortest; length <= longest; ++length) {
        const THeadwordBucket& bucket = FBuckets[length];
        for (size_t i = 0; i < bucket.Count(); ++i) {
            const uint64_t other = bucket.Signatures[i];
            if (std::popcount(signature & ~other) > limit || std::popcount(other & ~signature) > limit)
                continue;
            const std::string_view spelling = bucket.Spelling(i);
            if (FoldCharacters(spelling, folded, length) != length)
                continue;
            const int distance = pattern.Distance(folded, length, limit);
            if (distance == 0 || distance > limit)
                continue;
            found.push_back(
                {spelling, std::u32string(folded, length),
                 TSuggestionRank::Of(word, wordBase, std::u32string_view(folded, length), distance)});
        }
    }

    const auto before = [](const TCandidate& A, const TCandidate& B) {
        if (const auto order = A.Rank <=> B.Rank; order != 0)
            return order < 0;
        return A.Folded < B.Folded;
    };
    const size_t count = std::min(Limit, found.size());
    std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(count), found.end(), before);
    std::vector<std::string> suggestions;
    suggestions.reserve(count);
    for (size_t k = 0; k < count; ++k)
        suggestions.emplace_back(found[k].Spelling);
    return suggestions;
}

size_t THeadwordIndex::HeadwordCount() const
{
    size_t count = 0;
    for (const THeadwordBucket& bucket : FBuckets)
        count += bucket.Count();
    return count;
}

size_t THeadwordIndex::MemoryBytes() const
{
    size_t bytes = FBuckets.capacity() * sizeof(THeadwordBucket);
    for (const THeadwordBucket& bucket : FBuckets)
        bytes += bucket.MemoryBytes();
    return bytes;
}

}  // namespace lirabo
