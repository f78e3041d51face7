#include <gtest/gtest.h>

#include <cmath>

#include "dictionary/exceptions.h"
#include "dictionary/word_order.h"
#include "test_dictionary.h"

namespace lirabo {
namespace {

// 2000 headwords that all begin with "inte": 500 sections of 4 share one key.
std::vector<test::Entry> SharedPrefixEntries()
{
    std::vector<test::Entry> entries = {{"house", ""}, {"zebra", ""}};
    for (int i = 0; i < 2000; ++i)
        entries.push_back({"inte" + std::to_string(100000 + i * 7), std::to_string(i)});
    return entries;
}

TEST(SearchEfficiencyTest, LookupBisectsARunOfEqualKeys)
{
    TDictionaryStore store;
    test::Open(store, test::BuildDictionary(SharedPrefixEntries(), 4));
    store.SetSectionCacheBudget(0);
    const int run = 500;
    for (const std::string word : {"inte100000", "inte107000", "inte113993", "inte113994", "inte2", "inte"}) {
        store.KeepSections();
        const int64_t before = store.Decompressions();
        int first = 0;
        int count = 0;
        store.FindWord(word, false, first, count);
        EXPECT_LE(store.Decompressions() - before, 2 + static_cast<int>(std::ceil(std::log2(run))) + 1) << word;
        // The result is the one a walk over every entry gives.
        int expected = 0;
        while (expected < store.EntryCount() && CompareWords(store.GetItem(expected)->Word, word) < 0)
            ++expected;
        EXPECT_EQ(std::min(expected, store.EntryCount() - 1), first) << word;
    }
}

TEST(SearchEfficiencyTest, GoingBackToASectionDoesNotDecompressIt)
{
    TDictionaryStore store;
    test::Open(store, test::BuildDictionary(test::NumberedEntries(100), 10));
    store.GetItem(55);
    store.KeepSections();  // releases section 5's entries, not its bytes
    const int64_t before = store.Decompressions();
    EXPECT_EQ("w055", store.GetItem(55)->Word);
    EXPECT_EQ(before, store.Decompressions());
    EXPECT_GT(store.SectionCache().Used(), 0u);
    store.Clear();
    EXPECT_EQ(0u, store.SectionCache().Used());
}

TEST(SearchEfficiencyTest, PrefixPatternsDecodeOnlyTheirSections)
{
    TDictionaryStore store;
    test::Open(store, test::BuildDictionary(test::NumberedEntries(1000), 16));
    store.SetSectionCacheBudget(0);
    const int64_t before = store.Decompressions();
    std::vector<TWordItem> items;
    EXPECT_EQ(10, store.WildcardSearch("W12?", items, INT32_MAX));
    EXPECT_LE(store.Decompressions() - before, 3);
    EXPECT_EQ("w120", items.front().Word);
    EXPECT_EQ(5, store.WildcardSearch("w5[0-4]0*", items, INT32_MAX));
    EXPECT_EQ(0, store.WildcardSearch("x*", items, INT32_MAX));
}

TEST(SearchEfficiencyTest, ParallelScanKeepsOrderAndMaxCount)
{
    TDictionaryStore store;
    test::Open(store, test::BuildDictionary(test::NumberedEntries(1000), 7));
    store.GetItem(500);  // a section already decoded is searched in place
    for (int maxCount : {1, 3, 99, 100, 101, INT32_MAX}) {
        std::vector<std::vector<TWordItem>> results;
        for (unsigned threads : {1u, 2u, 5u}) {
            store.SetScanThreads(threads);
            store.SetSectionCacheBudget(threads == 5 ? 1u << 20 : 0);
            std::vector<TWordItem> items;
            store.WildcardSearch("*5", items, maxCount);
            results.push_back(items);
        }
        EXPECT_EQ(std::min(maxCount, 100), static_cast<int>(results[0].size()));
        EXPECT_EQ(results[0], results[1]);
        EXPECT_EQ(results[0], results[2]);
    }
}

TEST(SearchEfficiencyTest, ARelationBlockIsDecompressedOnceUnlessTooLarge)
{
    // Counted through the reads of the stream: the second query reads nothing.
    class TCountingStream : public TMemoryStream {
    public:
        using TMemoryStream::TMemoryStream;
        size_t Read(void* Buffer, size_t Count) override
        {
            ++Reads;
            return TMemoryStream::Read(Buffer, Count);
        }
        int Reads = 0;
    };
    const test::Bytes file = test::BuildDictionary(test::NumberedEntries(10), 4, {{0, 1, 1}, {5, 2, 6}});
    auto stream = std::make_unique<TCountingStream>(file);
    TCountingStream* counter = stream.get();
    TDictionaryStore store;
    store.OpenDictionary(std::move(stream));
    TExtendedInfo r;
    store.ReadRelations(0, r);
    const int reads = counter->Reads;
    store.ReadRelations(5, r);
    EXPECT_EQ((TExtendedInfo{{2, 6}}), r);
    EXPECT_EQ(reads, counter->Reads);

    store.SetRelationCacheLimit(0);
    store.ReadRelations(0, r);
    store.ReadRelations(5, r);
    EXPECT_GT(counter->Reads, reads + 1) << "above the cap every query decompresses";
    EXPECT_EQ((TExtendedInfo{{2, 6}}), r);
}

}  // namespace
}  // namespace lirabo
