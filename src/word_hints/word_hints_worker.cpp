#include "word_hints/word_hints_worker.h"

#include <QTimer>

#include "dictionary/display_text.h"
#include "dictionary/dictionary_store.h"
#include "dictionary/exceptions.h"
#include "suggestions/headword_index.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>
#endif
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace lirabo {

namespace {

// Suggestions offered for one word: more would not fit the line.
constexpr size_t kSuggestionLimit = 10;
// The worker's store decodes a few sections per question; a large cache
// would only double the view's memory.
constexpr size_t kStoreCacheBytes = 4u << 20;

// Gathering decodes the whole file: it takes what the window and the view
// leave over. The scan's decoding threads inherit the niceness.
void LowerGatheringPriority()
{
#if defined(__linux__)
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
#endif
}

// The decoding threads free every section they decoded, but the allocator
// keeps those pages in its per-thread pools, which would stay with the
// program for as long as it runs: about as much again as the index itself.
void ReturnFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

QStringList ToQStrings(const std::vector<std::string>& Words)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(Words.size()));
    for (const std::string& word : Words)
        list << QString::fromStdString(word);
    return list;
}

}  // namespace

TWordHintsWorker::TWordHintsWorker(std::function<void(TWordHintAnswer)> Deliver, const std::atomic<uint64_t>& Latest)
    : FDeliver(std::move(Deliver)), FLatest(Latest)
{
}

TWordHintsWorker::~TWordHintsWorker()
{
    StopGathering();
}

void TWordHintsWorker::StopGathering()
{
    if (FGatherControl)
        FGatherControl->Stop = true;
    if (FGatherThread.joinable())
        FGatherThread.join();
    FGatherControl.reset();
    FGathering = false;
}

void TWordHintsWorker::SetDictionary(const std::string& Path, const std::string& HeadwordLanguage, int GatherDelayMs)
{
    FLanguage = HeadwordLanguage;
    if (Path == FPath && (FStore || Path.empty()))
        return;
    StopGathering();
    ++FDictionary;
    FPath = Path;
    FStore.reset();
    FIndex.reset();
    FWaiting.reset();
    if (Path.empty())
        return;
    try {
        auto store = std::make_unique<TDictionaryStore>();
        store->SetSectionCacheBudget(kStoreCacheBytes);
        store->OpenDictionary(Path);
        FStore = std::move(store);
    } catch (const std::exception&) {
        // The view reports a file it cannot open; here it only means no hints.
        return;
    }
    FGathering = true;
    const uint64_t dictionary = FDictionary;
    QTimer::singleShot(GatherDelayMs, this, [this, dictionary] { StartGathering(dictionary); });
}

void TWordHintsWorker::StartGathering(uint64_t Dictionary)
{
    // Already started by a word that needed suggestions, or already done.
    if (Dictionary != FDictionary || !FStore || !FGathering || FGatherControl)
        return;
    FGatherControl = std::make_unique<TScanControl>();
    FGatherThread = std::thread([this, Dictionary, Path = FPath, Control = FGatherControl.get()] {
        LowerGatheringPriority();
        std::shared_ptr<const THeadwordIndex> index;
        try {
            index = std::make_shared<const THeadwordIndex>(THeadwordIndex::FromFile(Path, Control));
        } catch (const EScanStopped&) {
            return;  // whoever stopped it waits for the thread, not for an index
        } catch (const std::exception&) {
            // A section that cannot be decoded: no suggestions for this file.
        }
        ReturnFreedMemory();
        // The destructor joins this thread before the object goes, so the
        // object is alive here; a post it does not run is dropped with it.
        QMetaObject::invokeMethod(
            this, [this, Dictionary, index = std::move(index)] { IndexGathered(Dictionary, index); },
            Qt::QueuedConnection);
    });
}

void TWordHintsWorker::IndexGathered(uint64_t Dictionary, std::shared_ptr<const THeadwordIndex> Index)
{
    if (Dictionary != FDictionary)
        return;
    if (FGatherThread.joinable())
        FGatherThread.join();  // it posted this as its last act
    FGatherControl.reset();
    FGathering = false;
    FIndex = std::move(Index);
    if (!FWaiting)
        return;
    TWordHintAnswer answer = std::move(*FWaiting);
    FWaiting.reset();
    if (!FIndex || answer.Generation < FLatest.load())
        return;
    answer.Suggestions = Suggestions(FWaitingWord);
    if (!answer.Suggestions.isEmpty())
        FDeliver(std::move(answer));
}

bool TWordHintsWorker::HasEntry(const std::string& Word)
{
    const TStoredText stored = ToStoredText(Word, FStore->Rule().Encoding());
    // A character the file cannot hold: no headword can equal the word.
    if (!stored.Fits)
        return false;
    int first = -1;
    int count = 0;
    try {
        FStore->FindWord(stored.Text, true, first, count);
    } catch (const EAbort&) {
        return false;
    }
    return first >= 0 && count > 0;
}

QStringList TWordHintsWorker::Suggestions(const std::string& Word) const
{
    return ToQStrings(FIndex->Suggest(Word, kSuggestionLimit));
}

void TWordHintsWorker::Ask(uint64_t Generation, const std::string& Word)
{
    // Questions queue up while one is answered; only the newest counts.
    if (Generation < FLatest.load())
        return;
    TWordHintAnswer answer;
    answer.Generation = Generation;
    answer.Word = QString::fromStdString(Word);
    FWaiting.reset();
    if (FStore && !Word.empty()) {
        try {
            answer.Forms = ToQStrings(FForms.FormsIn(*FStore, Word, FLanguage));
            // A form of a headword is spelt right: offering spellings close
            // to it ("houses": hours, horse, hose...) would only bury the form.
            if (answer.Forms.isEmpty() && !HasEntry(Word)) {
                if (FIndex) {
                    answer.Suggestions = Suggestions(Word);
                } else if (FGathering) {
                    FWaiting = answer;
                    FWaitingWord = Word;
                    StartGathering(FDictionary);
                }
            }
        } catch (const std::exception&) {
            // A section that cannot be decoded: the view shows that error;
            // a hint from half the facts would be wrong.
            answer.Forms.clear();
            answer.Suggestions.clear();
            FWaiting.reset();
        }
    }
    FDeliver(std::move(answer));
}

}  // namespace lirabo
