// Spelling suggestions on the German-English dictionary (519,000 entries):
// how long gathering the headwords takes after opening, what the index and
// the gathering cost in memory, and how long one suggestion takes once
// gathered. Needs the default dictionaries (scripts/dictionaries) or
// LIRABO_GERMAN_ENGLISH naming the file; Arg 1 runs on its Windows-1252
// twin (built once beside it), Arg 0 on the file as it is.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "bench_dictionaries.h"
#include "suggestions/headword_index.h"

namespace lirabo::bench {
namespace {

// Misspellings of the kinds people make: a swapped pair, a letter left out
// or doubled, accents left off, the wrong letter, short and long words.
const std::vector<std::string> kMisspellings = {"recieve",
                                                "Strasse",
                                                "Ubergang",
                                                "Kindergarden",
                                                "Zietung",
                                                "Fahrad",
                                                "Schmetterlign",
                                                "Haus",
                                                "Hauz",
                                                "ab",
                                                "uber",
                                                "Gesundheitsministerium",
                                                "Bundesverfasungsgericht",
                                                "Wasserstofbombe",
                                                "Apfl",
                                                "Bäcker",
                                                "Mädchn",
                                                "Entschuldigng",
                                                "Rechtsanwalt",
                                                "vielleict"};

std::string Path(int Twin)
{
    const std::string path = GermanEnglishPath();
    if (!std::filesystem::exists(path))
        return {};
    return Twin == 1 ? Windows1252Twin(path) : path;
}

// Resident and peak resident memory of the process, in bytes.
size_t StatusBytes(const char* Field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(Field, 0) == 0)
            return std::stoull(line.substr(std::string(Field).size())) * 1024;
    return 0;
}

// Starts the peak resident memory afresh, so that the gathering's own peak shows.
void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Opening, gathering and the first suggestion, as a window asking for
// suggestions right after a dictionary is opened would wait for them. The
// counters: headwords kept, the index's own bytes, the heap it keeps, and
// how far the resident memory rose while gathering.
void BM_SuggestFirstAfterOpen(benchmark::State& State)
{
    const std::string path = Path(static_cast<int>(State.range(0)));
    if (path.empty())
        return State.SkipWithError("no German-English dictionary");
    for (auto _ : State) {
        State.PauseTiming();
        malloc_trim(0);
        const size_t heapBefore = mallinfo2().uordblks;
        ResetPeak();
        const size_t residentBefore = StatusBytes("VmRSS:");
        State.ResumeTiming();

        auto index = std::make_unique<THeadwordIndex>(THeadwordIndex::FromFile(path));
        benchmark::DoNotOptimize(index->Suggest("Kindergarden"));

        State.PauseTiming();
        State.counters["headwords"] = static_cast<double>(index->HeadwordCount());
        State.counters["index_MiB"] = static_cast<double>(index->MemoryBytes()) / (1 << 20);
        State.counters["kept_heap_MiB"] = static_cast<double>(mallinfo2().uordblks - heapBefore) / (1 << 20);
        State.counters["peak_rss_rise_MiB"] =
            static_cast<double>(StatusBytes("VmHWM:") - residentBefore) / (1 << 20);
        index.reset();
        State.ResumeTiming();
    }
}
BENCHMARK(BM_SuggestFirstAfterOpen)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("ansi")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

const THeadwordIndex* GatheredIndex(int Twin)
{
    static std::unique_ptr<THeadwordIndex> indexes[2];
    if (!indexes[Twin]) {
        const std::string path = Path(Twin);
        if (path.empty())
            return nullptr;
        indexes[Twin] = std::make_unique<THeadwordIndex>(THeadwordIndex::FromFile(path));
    }
    return indexes[Twin].get();
}

// One suggestion once gathered, over the misspellings in turn.
void BM_SuggestGathered(benchmark::State& State)
{
    const THeadwordIndex* index = GatheredIndex(static_cast<int>(State.range(0)));
    if (!index)
        return State.SkipWithError("no German-English dictionary");
    size_t n = 0;
    for (auto _ : State)
        benchmark::DoNotOptimize(index->Suggest(kMisspellings[n++ % kMisspellings.size()]));
}
BENCHMARK(BM_SuggestGathered)->Arg(0)->Arg(1)->ArgName("ansi")->Unit(benchmark::kMillisecond);

// The slowest kind: a word of five characters, the shortest that reaches
// two edits, among the most headwords of nearby lengths.
void BM_SuggestFiveLetters(benchmark::State& State)
{
    const THeadwordIndex* index = GatheredIndex(0);
    if (!index)
        return State.SkipWithError("no German-English dictionary");
    for (auto _ : State)
        benchmark::DoNotOptimize(index->Suggest("Hausz"));
}
BENCHMARK(BM_SuggestFiveLetters)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lirabo::bench

BENCHMARK_MAIN();
