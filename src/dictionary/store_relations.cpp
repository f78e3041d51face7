// The relation queries of the dictionary store.

#include <algorithm>

#include "dictionary/dictionary_layout.h"
#include "dictionary/dictionary_store.h"
#include "dictionary/exceptions.h"
#include "dictionary/memory_stream.h"
#include "dictionary/relation_data.h"

namespace lirabo {

namespace {

// Beyond this many relations the quadratic exchange sort would stall the
// program on a hostile file; real entries have a few dozen at most.
constexpr size_t kMaxExchangeSorted = 16384;

void SortByKind(TExtendedInfo& R)
{
    if (R.size() > kMaxExchangeSorted) {
        std::stable_sort(R.begin(), R.end(),
                         [](const TExtended& a, const TExtended& b) { return a.Kind < b.Kind; });
        return;
    }
    // This exact exchange sort fixes the order of relations of equal kind.
    for (size_t i = 0; i < R.size(); ++i)
        for (size_t j = i + 1; j < R.size(); ++j)
            if (R[i].Kind > R[j].Kind)
                std::swap(R[i], R[j]);
}

}  // namespace

void TDictionaryStore::SetRelationCacheLimit(size_t Bytes)
{
    FRelationCacheLimit = Bytes;
    if (FRelationCache && FRelationCache->Size() > Bytes)
        FRelationCache.reset();
}

const TRelationData& TDictionaryStore::RelationBlock(std::unique_ptr<TRelationData>& Uncached)
{
    if (FRelationCache)
        return *FRelationCache;
    FStream->Seek(FHeader.RelationsStart);
    TMemoryStream data;
    FBzip2->DecompressStream(*FStream, data, int64_t{FHeader.RelationsEnd} - FHeader.RelationsStart,
                             static_cast<size_t>(MaxRelationBytes(FHeader)));
    auto block = std::make_unique<TRelationData>(data.Data());
    // Kept for the next query unless it is too large to hold on to.
    if (block->Size() <= FRelationCacheLimit) {
        FRelationCache = std::move(block);
        return *FRelationCache;
    }
    Uncached = std::move(block);
    return *Uncached;
}

void TDictionaryStore::ReadRelations(int Index, TExtendedInfo& Relations)
{
    Relations.clear();
    if (FHeader.RelationsEnd == 0 || FSource != kSourceFile || Index < 0 || Index >= FEntryCount)
        throw EAbort();
    std::unique_ptr<TRelationData> uncached;
    RelationBlock(uncached).ReadList(Index, FHeader.SectionSize, Relations);
}

void TDictionaryStore::ListRelations(int First, TRelationRows& Strings, int Count)
{
    TExtendedInfo all;
    ReadRelations(First, all);
    TExtendedInfo more;
    for (int i = First + 1; i < First + Count; ++i) {
        ReadRelations(i, more);
        all.insert(all.end(), more.begin(), more.end());
    }
    SortByKind(all);

    unsigned last = 255;
    for (const TExtended& relation : all) {
        const TWordItem* target = GetItem(relation.Target);
        if (!target)
            continue;  // a target outside the dictionary is left out
        if (relation.Kind != last) {
            // Appended rather than "+" + text: GCC 12 at -O3 mistakes the
            // latter for an overlapping copy (-Wrestrict).
            if ((relation.Kind >> 5) != (last >> 5))
                Strings.push_back({std::string("+-").append(std::to_string(relation.Kind >> 5)),
                                   TRelationRow::kPartOfSpeechHeading});
            Strings.push_back({std::string("+").append(std::to_string(relation.Kind)),
                               TRelationRow::kRelationHeading});
            last = relation.Kind;
        }
        Strings.push_back({target->Word, relation.Target});
    }
    KeepSections();
}

void TDictionaryStore::ListCurrentRelations(TRelationRows& Strings)
{
    ListRelations(FCurrentFirst, Strings, FCurrentCount);
}

}  // namespace lirabo
