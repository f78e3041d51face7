// The same German-English content as a Windows-1252 and as a UTF-8 file:
// exact and nearest lookups, a wildcard scan and a definition search, side
// by side, so that the cost of the UTF-8 rule (decoding and case folding)
// shows against the byte rule. Needs the default dictionaries
// (scripts/dictionaries) or LIRABO_GERMAN_ENGLISH naming the German-English
// file. The default one is UTF-8: a Windows-1252 twin is built from it, and
// the UTF-8 twin from that, so both sides hold the same text; both are built
// once and kept beside it.

#include <benchmark/benchmark.h>

#include <climits>
#include <filesystem>

#include "bench_dictionaries.h"
#include "dictionary/ansi_codec.h"
#include "dictionary/dictionary_store.h"

namespace lirabo::bench {
namespace {

struct TTwin {
    std::unique_ptr<TDictionaryStore> Store;
    std::vector<std::string> Found;    // headwords spread over the file
    std::vector<std::string> Missing;  // texts between headwords
};

// Index 0: Windows-1252, 1: UTF-8; the same words for both, in each one's
// encoding. Empty when the dictionary has not been built.
TTwin& Twin(int Index)
{
    static TTwin twins[2];
    static bool loaded = false;
    if (!loaded) {
        loaded = true;
        const std::string path = GermanEnglishPath();
        if (!std::filesystem::exists(path))
            return twins[Index];
        const std::string plainPath = Windows1252Twin(path);
        twins[0].Store = std::make_unique<TDictionaryStore>();
        twins[0].Store->OpenDictionary(plainPath);
        twins[1].Store = std::make_unique<TDictionaryStore>();
        twins[1].Store->OpenDictionary(Utf8Twin(plainPath));
        TDictionaryStore& plain = *twins[0].Store;
        const int step = std::max(1, plain.EntryCount() / 2000);
        for (int i = 0; i < plain.EntryCount(); i += step) {
            const std::string word = plain.GetItem(i)->Word;
            twins[0].Found.push_back(word);
            twins[0].Missing.push_back(word + "q\xE4");
            plain.KeepSections();
        }
        for (const std::string& w : twins[0].Found)
            twins[1].Found.push_back(AnsiToUtf8(w));
        for (const std::string& w : twins[0].Missing)
            twins[1].Missing.push_back(AnsiToUtf8(w));
    }
    return twins[Index];
}

// Lookups with every section already decoded: what is left is the search
// and its comparisons, where the two rules differ.
void LookupBench(benchmark::State& State, bool Exact)
{
    TTwin& twin = Twin(static_cast<int>(State.range(0)));
    if (!twin.Store)
        return State.SkipWithError("no German-English dictionary");
    const auto& words = Exact ? twin.Found : twin.Missing;
    twin.Store->SetSectionCacheBudget(size_t{256} << 20);
    size_t n = 0;
    for (auto _ : State) {
        int first = 0;
        int count = 0;
        twin.Store->FindWord(words[n++ % words.size()], Exact, first, count);
        twin.Store->SetViewPosition(first, count);
        twin.Store->KeepSections();
    }
}

void BM_GermanEnglishExactLookup(benchmark::State& State)
{
    LookupBench(State, true);
}
BENCHMARK(BM_GermanEnglishExactLookup)->Arg(0)->Arg(1)->ArgName("utf8")->Unit(benchmark::kMicrosecond);

void BM_GermanEnglishNearestLookup(benchmark::State& State)
{
    LookupBench(State, false);
}
BENCHMARK(BM_GermanEnglishNearestLookup)->Arg(0)->Arg(1)->ArgName("utf8")->Unit(benchmark::kMicrosecond);

void ScanBench(benchmark::State& State, const char* Query, bool Definitions)
{
    TTwin& twin = Twin(static_cast<int>(State.range(0)));
    if (!twin.Store)
        return State.SkipWithError("no German-English dictionary");
    twin.Store->SetSectionCacheBudget(0);
    int found = 0;
    for (auto _ : State) {
        std::vector<TWordItem> items;
        found = Definitions ? twin.Store->DefinitionSearch(Query, items, INT_MAX)
                            : twin.Store->WildcardSearch(Query, items, INT_MAX);
    }
    State.counters["matches"] = found;
}

void BM_GermanEnglishWildcardScan(benchmark::State& State)
{
    ScanBench(State, "*ung", false);
}
BENCHMARK(BM_GermanEnglishWildcardScan)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("utf8")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_GermanEnglishDefinitionSearch(benchmark::State& State)
{
    ScanBench(State, "house", true);
}
BENCHMARK(BM_GermanEnglishDefinitionSearch)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("utf8")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace lirabo::bench
