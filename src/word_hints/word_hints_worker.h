#pragma once

#include <QObject>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "dictionary/scan_control.h"
#include "word_forms/word_forms.h"
#include "word_hints/word_hint_answer.h"

namespace lirabo {

class TDictionaryStore;
class THeadwordIndex;

// TWordHints' half on the worker thread; nothing else uses it. It keeps a
// read-only store of its own on the dictionary the window shows (the view's
// store is not shared between threads), the word forms, and the headword
// index, which a thread of its own gathers at low priority a while after the
// dictionary opened, so that neither start-up nor the first lookups wait for
// every section to be decoded.
//
// A word without an entry asked while the index is still being gathered is
// answered twice: at once with its forms, and again with the suggestions
// once the index is there, when no newer question came meanwhile.
class TWordHintsWorker : public QObject {
    Q_OBJECT

public:
    // Deliver is called on the worker thread with every answer. Latest is
    // the newest generation asked, written by the asking thread: questions
    // and waiting answers older than it are dropped unanswered.
    TWordHintsWorker(std::function<void(TWordHintAnswer)> Deliver, const std::atomic<uint64_t>& Latest);
    // Stops a gathering and waits for its thread (within one section's decoding).
    ~TWordHintsWorker() override;

    // The rest runs on the worker thread only.

    // Opens Path (empty: nothing; the same path again keeps store and
    // index) and starts gathering its headwords after GatherDelayMs, or at
    // the first word that needs suggestions, whichever comes first.
    void SetDictionary(const std::string& Path, const std::string& HeadwordLanguage, int GatherDelayMs);
    // Word is UTF-8. Answered unless a newer question came meanwhile.
    void Ask(uint64_t Generation, const std::string& Word);

private:
    void StopGathering();
    void StartGathering(uint64_t Dictionary);
    void IndexGathered(uint64_t Dictionary, std::shared_ptr<const THeadwordIndex> Index);
    // Whether the open store holds an entry of Word exactly (by its rule).
    bool HasEntry(const std::string& Word);
    QStringList Suggestions(const std::string& Word) const;

    std::function<void(TWordHintAnswer)> FDeliver;
    const std::atomic<uint64_t>& FLatest;
    TWordForms FForms;
    std::unique_ptr<TDictionaryStore> FStore;  // null with nothing open or a file that failed
    std::string FPath;
    std::string FLanguage;
    uint64_t FDictionary = 0;  // counts dictionaries set: gatherings of an older one are dropped
    std::shared_ptr<const THeadwordIndex> FIndex;  // null until gathered
    bool FGathering = false;
    std::thread FGatherThread;
    std::unique_ptr<TScanControl> FGatherControl;
    // The last word without an entry answered before the index was there.
    std::optional<TWordHintAnswer> FWaiting;
    std::string FWaitingWord;
};

}  // namespace lirabo
