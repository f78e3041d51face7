// Run with QT_QPA_PLATFORM=offscreen from the project folder (or with
// LIRABO_WORDNET naming the WordNet dictionary). Each benchmark reports the
// median and the 99th percentile of its measured step in milliseconds.
//
// GermanEnglish1252 and GermanEnglishUtf8 show the same content from the
// default German-English dictionary (scripts/dictionaries, or
// LIRABO_GERMAN_ENGLISH) and from its UTF-8 twin, looked up with the same
// keystrokes: what the view's character path costs against the byte path.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QFont>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "bench_dictionaries.h"
#include "dictionary/ansi_codec.h"
#include "dictionary_view/dictionary_view.h"
#include "makrel/core/dictionary_writer.h"

namespace {

using lirabo::TDictionaryView;
using Clock = std::chrono::steady_clock;

const std::string kDataDir = LIRABO_BENCH_DATA_DIR;
const std::string kWordNetDir = "/usr/share/wordnet";

// WordNet's synsets as entries: each word of a synset gets the part of
// speech, the gloss and links to the other words of its synset.
std::vector<std::string> BuildWordNet(const std::string& Path)
{
    makrel::TDictionaryWriter writer({});
    std::vector<std::string> words;
    static const std::pair<const char*, const char*> kParts[] = {
        {"data.noun", "noun"}, {"data.verb", "verb"}, {"data.adj", "adjective"}, {"data.adv", "adverb"}};
    for (const auto& [file, part] : kParts) {
        std::ifstream in(kWordNetDir + "/" + file);
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == ' ')
                continue;
            const size_t bar = line.find(" | ");
            if (bar == std::string::npos)
                continue;
            std::istringstream fields(line.substr(0, bar));
            std::string offset, lexFile, type, countHex;
            fields >> offset >> lexFile >> type >> countHex;
            const int count = std::stoi(countHex, nullptr, 16);
            std::vector<std::string> synset;
            for (int i = 0; i < count; ++i) {
                std::string word, lexId;
                fields >> word >> lexId;
                std::replace(word.begin(), word.end(), '_', ' ');
                synset.push_back(word);
            }
            std::string gloss = line.substr(bar + 3);
            while (!gloss.empty() && gloss.back() == ' ')
                gloss.pop_back();
            for (const std::string& word : synset) {
                std::string body = "\x08" + std::string(part) + "\x07 " + gloss;
                for (const std::string& other : synset)
                    if (other != word)
                        body += " \x09" + other + "\x0F";
                if (word.size() <= 255 && body.size() <= 65535) {
                    writer.Add(word, body);
                    words.push_back(word);
                }
            }
        }
    }
    if (!words.empty())
        writer.WriteFile(Path);
    return words;
}

std::vector<std::string> BuildSynthetic(const std::string& Path, int Count)
{
    static const char* kVocabulary[] = {"the",      "small",   "animal",     "of",        "a",     "kind",
                                        "used",     "for",     "making",     "something", "with",  "large",
                                        "ears",     "and",     "long",       "tail",      "found", "in",
                                        "northern", "regions", "especially", "near",      "water"};
    std::mt19937 random(1);
    makrel::TDictionaryWriter writer({});
    std::vector<std::string> words;
    words.reserve(static_cast<size_t>(Count));
    char word[16];
    for (int i = 0; i < Count; ++i) {
        std::snprintf(word, sizeof word, "w%07d", i);
        std::string body =
            "\x0A"
            "field\x07";
        const int length = 5 + static_cast<int>(random() % 40);
        for (int k = 0; k < length; ++k) {
            body += ' ';
            body += kVocabulary[random() % std::size(kVocabulary)];
        }
        body +=
            " \x09"
            "w" +
            std::to_string(random() % static_cast<unsigned>(Count)) + "\x0F";
        writer.Add(word, body);
        words.emplace_back(word);
    }
    writer.WriteFile(Path);
    return words;
}

// LIRABO_VIEW_BENCH_ITERATIONS, when set, replaces every benchmark's
// iteration count: a few hundred are enough to count instructions under
// callgrind, which a loaded machine's timings cannot disturb.
int Iterations(int Default)
{
    const char* configured = std::getenv("LIRABO_VIEW_BENCH_ITERATIONS");
    const int n = configured ? std::atoi(configured) : 0;
    return n > 0 ? n : Default;
}

int PaintCount = 0;

// Counts the view's paints, so that a measurement ends with its frame.
class TPaintCounter : public QObject {
public:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() == QEvent::Paint)
            ++PaintCount;
        return QObject::eventFilter(Watched, Event);
    }
};

struct TFixture {
    std::unique_ptr<TDictionaryView> View;
    std::vector<std::string> Words;
    bool Utf8Queries = false;  // Words are Windows-1252 and the file is UTF-8

    // A keystroke: the lookup box holds a prefix of a word, then the word.
    std::string Query(std::mt19937& Random) const
    {
        const std::string& word = Words[Random() % Words.size()];
        const std::string prefix = word.substr(0, 1 + Random() % word.size());
        return Utf8Queries ? lirabo::AnsiToUtf8(prefix) : prefix;
    }
};

enum TSource { kSynthetic, kWordNet, kGermanEnglish1252, kGermanEnglishUtf8, kSourceCount };

void ShowView(TFixture& Fixture)
{
    TDictionaryView& view = *Fixture.View;
    static TPaintCounter counter;
    view.installEventFilter(&counter);
    view.show();
    QApplication::processEvents();
}

std::unique_ptr<TDictionaryView> MakeView()
{
    auto view = std::make_unique<TDictionaryView>();
    view->resize(1920, 1080);
    view->setFont(QFont("DejaVu Sans", 10));
    view->SetCurrentColor(0xD7D7D7);
    view->Styles().SetElementColor(lirabo::deDefinition, 0x008001);
    view->Styles().SetElementStyle(lirabo::deLink, lirabo::fsBold);
    view->Styles().SetElementStyle(lirabo::deField, lirabo::fsBold);
    view->SetIndent(200);
    return view;
}

// Both German-English fixtures look up the same keystrokes: the UTF-8 one
// converts them.
void OpenGermanEnglish(TFixture& Fixture, bool Utf8)
{
    const std::string source = lirabo::bench::GermanEnglishPath();
    if (!QFile::exists(QString::fromStdString(source)))
        return;
    // The same text on both sides: the UTF-8 file is the twin of the
    // Windows-1252 one, which the default dictionary is no longer.
    const std::string path = lirabo::bench::Windows1252Twin(source);
    Fixture.View = MakeView();
    Fixture.View->OpenDictionary(Utf8 ? lirabo::bench::Utf8Twin(path) : path);
    lirabo::TDictionaryStore plain;
    plain.OpenDictionary(path);
    Fixture.Words = lirabo::bench::AllWords(plain);
    Fixture.Utf8Queries = Utf8;
    ShowView(Fixture);
}

// The views must go before the application does, not with the statics.
std::unique_ptr<TFixture> Fixtures[kSourceCount];

TFixture& Fixture(TSource Source)
{
    std::unique_ptr<TFixture>& fixture = Fixtures[Source];
    if (fixture)
        return *fixture;
    fixture = std::make_unique<TFixture>();
    if (Source == kGermanEnglish1252 || Source == kGermanEnglishUtf8) {
        OpenGermanEnglish(*fixture, Source == kGermanEnglishUtf8);
        return *fixture;
    }
    const bool WordNet = Source == kWordNet;
    std::string path = kDataDir + (WordNet ? "/wordnet.ldi" : "/synthetic.ldi");
    const std::string wordsPath = path + ".words";
    // The program's own WordNet dictionary (scripts/dictionaries) when it has
    // been built; else one made here from the same WordNet files.
    const char* configured = std::getenv("LIRABO_WORDNET");
    const std::string standard = configured ? configured : "build/bin/Dictionaries/english-wordnet.ldi";
    if (WordNet && QFile::exists(QString::fromStdString(standard))) {
        path = standard;
    } else if (QFile::exists(QString::fromStdString(path)) &&
               QFile::exists(QString::fromStdString(wordsPath))) {
        std::ifstream in(wordsPath);
        for (std::string line; std::getline(in, line);)
            fixture->Words.push_back(line);
    } else {
        fixture->Words = WordNet ? BuildWordNet(path) : BuildSynthetic(path, 1000000);
        std::ofstream out(wordsPath);
        for (const std::string& word : fixture->Words)
            out << word << '\n';
    }
    fixture->View = MakeView();
    TDictionaryView& view = *fixture->View;
    if (path == standard) {
        view.OpenDictionary(path);
        for (int i = 0; i < view.EntryCount(); ++i)
            fixture->Words.push_back(view.Store().GetItem(i)->Word);
        view.Store().KeepSections();
    } else if (!fixture->Words.empty()) {
        view.OpenDictionary(path);
    }
    ShowView(*fixture);
    return *fixture;
}

// Runs Step once per iteration and reports its median and 99th percentile.
template <typename TStep>
void Measure(benchmark::State& State, TStep Step)
{
    std::vector<double> times;
    for (auto _ : State) {
        const auto start = Clock::now();
        Step();
        // Painting happens when the update request is handled.
        const int before = PaintCount;
        while (PaintCount == before)
            QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        State.SetIterationTime(elapsed.count());
        times.push_back(elapsed.count() * 1000);
    }
    std::sort(times.begin(), times.end());
    if (!times.empty()) {
        State.counters["p50_ms"] = times[times.size() / 2];
        State.counters["p99_ms"] = times[std::min(times.size() - 1, times.size() * 99 / 100)];
        State.counters["max_ms"] = times.back();
    }
}

void LookUpAndPaint(benchmark::State& State, TSource Source)
{
    TFixture& fixture = Fixture(Source);
    if (fixture.Words.empty()) {
        State.SkipWithError("no dictionary to show");
        return;
    }
    std::mt19937 random(5);
    Measure(State, [&] { fixture.View->LookUp(fixture.Query(random)); });
}

// The lookup alone, without painting: what the engine and centring cost.
void LookUpOnly(benchmark::State& State, TSource Source)
{
    TFixture& fixture = Fixture(Source);
    if (fixture.Words.empty()) {
        State.SkipWithError("no dictionary to show");
        return;
    }
    std::mt19937 random(5);
    std::vector<double> times;
    for (auto _ : State) {
        const std::string query = fixture.Query(random);
        const auto start = Clock::now();
        fixture.View->LookUp(query);
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        State.SetIterationTime(elapsed.count());
        times.push_back(elapsed.count() * 1000);
    }
    std::sort(times.begin(), times.end());
    State.counters["p50_ms"] = times[times.size() / 2];
    State.counters["p99_ms"] = times[std::min(times.size() - 1, times.size() * 99 / 100)];
}

// A full repaint of an unchanged view: laying out nothing, painting everything.
void Repaint(benchmark::State& State, TSource Source)
{
    TFixture& fixture = Fixture(Source);
    if (fixture.Words.empty()) {
        State.SkipWithError("no dictionary to show");
        return;
    }
    Measure(State, [&] { fixture.View->update(); });
}

void ScrollLine(benchmark::State& State, TSource Source)
{
    TFixture& fixture = Fixture(Source);
    if (fixture.Words.empty()) {
        State.SkipWithError("no dictionary to show");
        return;
    }
    fixture.View->LookUp(fixture.Words[fixture.Words.size() / 3]);
    fixture.View->repaint();
    Measure(State, [&] { fixture.View->ScrollLines(1); });
}

void RelayoutAfterSetIndent(benchmark::State& State, TSource Source)
{
    TFixture& fixture = Fixture(Source);
    if (fixture.Words.empty()) {
        State.SkipWithError("no dictionary to show");
        return;
    }
    fixture.View->LookUp(fixture.Words[fixture.Words.size() / 2]);
    fixture.View->repaint();
    int indent = 200;
    Measure(State, [&] {
        indent = indent == 200 ? 260 : 200;
        fixture.View->SetIndent(indent);
    });
}

BENCHMARK_CAPTURE(LookUpAndPaint, WordNet, kWordNet)
    ->UseManualTime()
    ->Iterations(Iterations(2000))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LookUpAndPaint, Synthetic1M, kSynthetic)
    ->UseManualTime()
    ->Iterations(Iterations(2000))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LookUpAndPaint, GermanEnglish1252, kGermanEnglish1252)
    ->UseManualTime()
    ->Iterations(Iterations(2000))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LookUpAndPaint, GermanEnglishUtf8, kGermanEnglishUtf8)
    ->UseManualTime()
    ->Iterations(Iterations(2000))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LookUpOnly, WordNet, kWordNet)
    ->UseManualTime()
    ->Iterations(Iterations(2000))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LookUpOnly, Synthetic1M, kSynthetic)
    ->UseManualTime()
    ->Iterations(Iterations(2000))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Repaint, WordNet, kWordNet)
    ->UseManualTime()
    ->Iterations(Iterations(500))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Repaint, GermanEnglish1252, kGermanEnglish1252)
    ->UseManualTime()
    ->Iterations(Iterations(500))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Repaint, GermanEnglishUtf8, kGermanEnglishUtf8)
    ->UseManualTime()
    ->Iterations(Iterations(500))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Repaint, Synthetic1M, kSynthetic)
    ->UseManualTime()
    ->Iterations(Iterations(500))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ScrollLine, WordNet, kWordNet)
    ->UseManualTime()
    ->Iterations(Iterations(2000))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ScrollLine, Synthetic1M, kSynthetic)
    ->UseManualTime()
    ->Iterations(Iterations(2000))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RelayoutAfterSetIndent, WordNet, kWordNet)
    ->UseManualTime()
    ->Iterations(Iterations(500))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RelayoutAfterSetIndent, Synthetic1M, kSynthetic)
    ->UseManualTime()
    ->Iterations(Iterations(500))
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (std::unique_ptr<TFixture>& fixture : Fixtures)
        fixture.reset();
    return 0;
}
