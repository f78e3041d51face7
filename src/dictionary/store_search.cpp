// The word search and the wildcard search of the dictionary store.

#include <algorithm>
#include <array>
#include <string_view>

#include "dictionary/dictionary_store.h"
#include "dictionary/exceptions.h"
#include "dictionary/wildcard_pattern.h"
#include "dictionary/word_order.h"

namespace lirabo {

namespace {

constexpr int kResultGrowth = 256;  // places the result list grows by

std::string_view KeyView(const std::array<unsigned char, 4>& Key)
{
    return {reinterpret_cast<const char*>(Key.data()), Key.size()};
}

}  // namespace

int TDictionaryStore::StartSection(const std::string& S) const
{
    // The section keys are compared as four-byte strings, zero bytes included.
    const std::string_view prefix = std::string_view(S).substr(0, 4);
    const int last = static_cast<int>(FSections.size()) - 1;
    for (int k = 1; k <= last; ++k)
        if (CompareWords(prefix, KeyView(FSections[static_cast<size_t>(k)].Key)) <= 0)
            return k - 1;
    return last;
}

void TDictionaryStore::FindWord(const std::string& S, bool Exact, int& First, int& Count)
{
    First = -1;
    Count = 1;
    const TWordItem* candidate = nullptr;
    int candidateIndex = -1;

    auto scan = [&](const std::vector<TWordItem>& Entries, int Base) {
        for (size_t i = 0; i < Entries.size(); ++i)
            if (CompareWords(Entries[i].Word, S) >= 0) {
                candidate = &Entries[i];
                candidateIndex = Base + static_cast<int>(i);
                return true;
            }
        return false;
    };

    if (FSource == kSourceList) {
        scan(*FList.Items, 0);
    } else if (FSource == kSourceFile && !FSections.empty()) {
        for (int s = StartSection(S); s < static_cast<int>(FSections.size()); ++s) {
            LoadSection(s);
            if (scan(*FSections[static_cast<size_t>(s)].Items, s * FHeader.SectionSize))
                break;
        }
    }
    if (candidate && (!Exact || CompareWords(candidate->Word, S) == 0))
        First = candidateIndex;

    if (First == -1) {
        if (Exact)
            throw EAbort();
        First = FEntryCount - 1;
        return;
    }
    // The candidate lives in a decoded section that fetching the group's
    // later entries never releases, so the reference stays valid.
    const std::string word = candidate->Word;
    while (First + Count < FEntryCount) {
        const TWordItem* next = GetItem(First + Count);
        if (!next || CompareWords(next->Word, word) != 0)
            break;
        ++Count;
    }
}

int TDictionaryStore::ForEachMatch(const std::string& Pattern, int MaxCount,
                                   const std::function<void(int, const TWordItem&)>& Visit)
{
    const TWildcardPattern pattern(UpperCaseAscii(Pattern));
    int found = 0;
    std::string upper;
    // Returns false once MaxCount matches were visited.
    auto search = [&](const std::vector<TWordItem>& Entries, int Base) {
        for (size_t i = 0; i < Entries.size(); ++i) {
            upper = UpperCaseAscii(Entries[i].Word);
            if (!pattern.Matches(upper))
                continue;
            Visit(Base + static_cast<int>(i), Entries[i]);
            if (++found >= MaxCount)
                return false;
        }
        return true;
    };

    if (MaxCount <= 0)
        return 0;
    if (FSource == kSourceList) {
        search(*FList.Items, 0);
    } else if (FSource == kSourceFile) {
        for (size_t s = 0; s < FSections.size(); ++s) {
            TSection& section = FSections[s];
            const bool wasDecoded = section.Items.has_value();
            LoadSection(static_cast<int>(s));
            const bool more = search(*section.Items, static_cast<int>(s) * FHeader.SectionSize);
            if (!wasDecoded)
                FreeSection(section);
            if (!more)
                break;
        }
    }
    return found;
}

int TDictionaryStore::WildcardSearch(const std::string& Pattern, std::vector<TWordItem>& Items,
                                     int MaxCount)
{
    int capacity = std::min(MaxCount, kResultGrowth);
    if (capacity <= 0)
        return 0;
    std::vector<TWordItem> found;
    found.reserve(static_cast<size_t>(capacity));
    const int count = ForEachMatch(Pattern, MaxCount, [&](int, const TWordItem& Item) {
        // The list grows in steps of 256 places, never past MaxCount.
        if (static_cast<int>(found.size()) == capacity) {
            capacity = static_cast<int>(std::min<int64_t>(MaxCount, int64_t{capacity} + kResultGrowth));
            found.reserve(static_cast<size_t>(capacity));
        }
        found.push_back(Item);
    });
    found.shrink_to_fit();
    Items = std::move(found);
    return count;
}

}  // namespace lirabo
