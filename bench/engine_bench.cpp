// Engine benchmarks. Each replaced algorithm is measured beside its
// replacement in the same run: the original lookup walk, the relation block
// decompressed per query, the single-thread full scan, the byte-wise CRC.

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <climits>
#include <random>

#include "bench_dictionaries.h"
#include "dictionary/crc32.h"
#include "dictionary/memory_stream.h"
#include "dictionary/word_order.h"

namespace lirabo::bench {
namespace {

// --- CRC-32 ------------------------------------------------------------------

std::vector<unsigned char> RandomBytes(size_t Size)
{
    std::mt19937 random(1);
    std::vector<unsigned char> data(Size);
    for (auto& b : data)
        b = static_cast<unsigned char>(random());
    return data;
}

void BM_CrcByteAtATime(benchmark::State& State)
{
    const auto data = RandomBytes(1 << 20);
    uint32_t table[256];
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? (0xEDB88320u ^ (c >> 1)) : (c >> 1);
        table[i] = c;
    }
    for (auto _ : State) {
        uint32_t c = 0xFFFFFFFFu;
        for (unsigned char b : data)
            c = table[(c ^ b) & 0xFF] ^ (c >> 8);
        benchmark::DoNotOptimize(c);
    }
    State.SetBytesProcessed(int64_t(State.iterations()) * int64_t(data.size()));
}
BENCHMARK(BM_CrcByteAtATime);

void BM_CrcEngine(benchmark::State& State)
{
    const auto data = RandomBytes(1 << 20);
    for (auto _ : State)
        benchmark::DoNotOptimize(BufferCRC(data.data(), data.size()));
    State.SetBytesProcessed(int64_t(State.iterations()) * int64_t(data.size()));
}
BENCHMARK(BM_CrcEngine);

void BM_CrcZlib(benchmark::State& State)
{
    const auto data = RandomBytes(1 << 20);
    for (auto _ : State)
        benchmark::DoNotOptimize(crc32(0, data.data(), static_cast<uInt>(data.size())));
    State.SetBytesProcessed(int64_t(State.iterations()) * int64_t(data.size()));
}
BENCHMARK(BM_CrcZlib);

// --- lookups -----------------------------------------------------------------

// The original walk: the start section by a linear pass over the keys, then
// section after section until an entry is not below S.
int LinearFindFirst(TDictionaryStore& Store, const std::string& S)
{
    const auto& sections = Store.Sections();
    const std::string_view prefix = std::string_view(S).substr(0, 4);
    int start = static_cast<int>(sections.size()) - 1;
    for (int k = 1; k < static_cast<int>(sections.size()); ++k)
        if (CompareWords(prefix, KeyView(sections[static_cast<size_t>(k)].Key)) <= 0) {
            start = k - 1;
            break;
        }
    for (int s = start; s < static_cast<int>(sections.size()); ++s) {
        Store.LoadSection(s);
        const auto& items = *sections[static_cast<size_t>(s)].Items;
        for (size_t i = 0; i < items.size(); ++i)
            if (CompareWords(items[i].Word, S) >= 0)
                return s * Store.Header().SectionSize + static_cast<int>(i);
    }
    return -1;
}

std::unique_ptr<TDictionaryStore> Synthetic()
{
    auto store = std::make_unique<TDictionaryStore>();
    store->OpenDictionary(std::make_unique<TMemoryStream>(SyntheticDictionary(1'000'000)));
    return store;
}

// Words at the ends of long runs of sections with equal keys: the worst
// case of the walk, which starts at the run's beginning. (The very last
// section of a run may already hold the next key's words.)
std::vector<std::string> HardWords(TDictionaryStore& Store)
{
    std::vector<std::string> words;
    const auto& sections = Store.Sections();
    for (size_t s = 2; s < sections.size() && words.size() < 64; ++s)
        if (sections[s].Key != sections[s - 1].Key && sections[s - 1].Key == sections[s - 2].Key) {
            Store.LoadSection(static_cast<int>(s) - 2);
            words.push_back(sections[s - 2].Items->back().Word);
        }
    Store.KeepSections();
    return words;
}

template <bool Bisect>
void LookupBench(benchmark::State& State, TDictionaryStore& Store, const std::vector<std::string>& Words)
{
    Store.SetSectionCacheBudget(0);  // every lookup decompresses what it needs
    const int64_t before = Store.Decompressions();
    int64_t lookups = 0;
    int64_t walked = 0;
    for (auto _ : State) {
        const std::string& word = Words[static_cast<size_t>(lookups++ % static_cast<int64_t>(Words.size()))];
        if constexpr (Bisect) {
            int first = 0;
            int count = 0;
            Store.FindWord(word, false, first, count);
        } else {
            // Count the walk's decodes without the cache's help.
            for (const auto& s : Store.Sections())
                walked -= s.Items.has_value();
            benchmark::DoNotOptimize(LinearFindFirst(Store, word));
            for (const auto& s : Store.Sections())
                walked += s.Items.has_value();
        }
        State.PauseTiming();
        Store.KeepSections();
        State.ResumeTiming();
    }
    const int64_t decodes = Bisect ? Store.Decompressions() - before : walked;
    State.counters["decodes_per_lookup"] = double(decodes) / double(lookups);
}

void BM_Lookup1MWorstLinear(benchmark::State& State)
{
    static auto store = Synthetic();
    static const auto words = HardWords(*store);
    LookupBench<false>(State, *store, words);
}
BENCHMARK(BM_Lookup1MWorstLinear)->Unit(benchmark::kMillisecond);

void BM_Lookup1MWorstBisected(benchmark::State& State)
{
    static auto store = Synthetic();
    static const auto words = HardWords(*store);
    LookupBench<true>(State, *store, words);
}
BENCHMARK(BM_Lookup1MWorstBisected)->Unit(benchmark::kMillisecond);

void BM_LookupWordNetLinear(benchmark::State& State)
{
    static auto store = OpenWordNet();
    if (!store)
        return State.SkipWithError("no WordNet dictionary");
    static const auto words = HardWords(*store);
    LookupBench<false>(State, *store, words);
}
BENCHMARK(BM_LookupWordNetLinear)->Unit(benchmark::kMicrosecond);

void BM_LookupWordNetBisected(benchmark::State& State)
{
    static auto store = OpenWordNet();
    if (!store)
        return State.SkipWithError("no WordNet dictionary");
    static const auto words = HardWords(*store);
    LookupBench<true>(State, *store, words);
}
BENCHMARK(BM_LookupWordNetBisected)->Unit(benchmark::kMicrosecond);

// Lookups as a batch in one process: sections come from the cache once seen.
void BM_LookupWordNetWarm(benchmark::State& State)
{
    static auto store = OpenWordNet();
    if (!store)
        return State.SkipWithError("no WordNet dictionary");
    static const auto all = AllWords(*store);
    std::vector<std::string> words;
    for (size_t i = 0; i < all.size(); i += all.size() / 1000)
        words.push_back(all[i]);
    store->SetSectionCacheBudget(64u << 20);
    size_t n = 0;
    for (auto _ : State) {
        int first = 0;
        int count = 0;
        store->FindWord(words[n++ % words.size()], false, first, count);
        store->SetViewPosition(first, count);
        store->KeepSections();
    }
}
BENCHMARK(BM_LookupWordNetWarm)->Unit(benchmark::kMicrosecond);

// --- relations ---------------------------------------------------------------

void RelationsBench(benchmark::State& State, size_t CacheLimit)
{
    static auto store = OpenWordNet();
    if (!store)
        return State.SkipWithError("no WordNet dictionary");
    store->SetRelationCacheLimit(CacheLimit);
    int first = 0;
    int count = 0;
    store->FindWord("good", true, first, count);
    TRelationRows rows;
    store->ListRelations(first, rows, 1);  // the first listing fills the cache
    for (auto _ : State) {
        rows.clear();
        store->ListRelations(first, rows, 1);
    }
    State.counters["rows"] = double(rows.size());
}

void BM_RelationsWordNetPerQuery(benchmark::State& State)
{
    RelationsBench(State, 0);
}
BENCHMARK(BM_RelationsWordNetPerQuery)->Unit(benchmark::kMillisecond);

void BM_RelationsWordNetCached(benchmark::State& State)
{
    RelationsBench(State, 64u << 20);
}
BENCHMARK(BM_RelationsWordNetCached)->Unit(benchmark::kMillisecond);

// --- wildcard search ------------------------------------------------------------

void WildcardBench(benchmark::State& State, const char* Pattern, unsigned Threads)
{
    static auto store = OpenWordNet();
    if (!store)
        return State.SkipWithError("no WordNet dictionary");
    store->SetSectionCacheBudget(0);
    store->SetScanThreads(Threads);
    const int64_t before = store->Decompressions();
    int64_t searches = 0;
    int found = 0;
    for (auto _ : State) {
        std::vector<TWordItem> items;
        found = store->WildcardSearch(Pattern, items, INT_MAX);
        ++searches;
    }
    State.counters["matches"] = found;
    State.counters["decodes"] = double(store->Decompressions() - before) / double(searches);
}

void BM_WildcardWordNetFullScan1Thread(benchmark::State& State)
{
    WildcardBench(State, "*tion", 1);
}
BENCHMARK(BM_WildcardWordNetFullScan1Thread)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WildcardWordNetFullScanPool(benchmark::State& State)
{
    WildcardBench(State, "*tion", 0);
}
BENCHMARK(BM_WildcardWordNetFullScanPool)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WildcardWordNetPrefix(benchmark::State& State)
{
    WildcardBench(State, "hou*", 0);
}
BENCHMARK(BM_WildcardWordNetPrefix)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WildcardWordNetPrefixSet(benchmark::State& State)
{
    WildcardBench(State, "ab[cd]*", 0);
}
BENCHMARK(BM_WildcardWordNetPrefixSet)->Unit(benchmark::kMillisecond)->UseRealTime();

// --- definition search ------------------------------------------------------------
// Beside the headword full scan on one thread, the cost of decoding every
// section: reading the definitions should add little to it, and the pool
// should take it well below.

void DefinitionBench(benchmark::State& State, const char* Query, unsigned Threads)
{
    static auto store = OpenWordNet();
    if (!store)
        return State.SkipWithError("no WordNet dictionary");
    store->SetSectionCacheBudget(0);
    store->SetScanThreads(Threads);
    int found = 0;
    for (auto _ : State) {
        std::vector<TWordItem> items;
        found = store->DefinitionSearch(Query, items, INT_MAX);
    }
    State.counters["matches"] = found;
}

void BM_DefinitionWordNetWords1Thread(benchmark::State& State)
{
    DefinitionBench(State, "river", 1);
}
BENCHMARK(BM_DefinitionWordNetWords1Thread)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DefinitionWordNetWordsPool(benchmark::State& State)
{
    DefinitionBench(State, "river", 0);
}
BENCHMARK(BM_DefinitionWordNetWordsPool)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DefinitionWordNetPatternPool(benchmark::State& State)
{
    DefinitionBench(State, "*river*bank*", 0);
}
BENCHMARK(BM_DefinitionWordNetPatternPool)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace lirabo::bench

BENCHMARK_MAIN();
