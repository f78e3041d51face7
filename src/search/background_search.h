#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "dictionary/entry_search.h"
#include "dictionary/scan_control.h"
#include "dictionary/word_item.h"

QT_FORWARD_DECLARE_CLASS(QEventLoop)

namespace lirabo {

// Runs one whole-source search at a time on a thread of its own, so that
// the window keeps answering, painting and scrolling while a large
// dictionary is scanned, and can stop the search at any time.
//
// A file is searched through a store of its own (the window's store is not
// shared between threads) whose section cache is off, so a scan costs no
// memory beyond the sections in flight and the results. A list is read in
// place: its owner keeps it unchanged until the search ends or Stop returns.
//
// The events come on the thread that owns the object, never for a search
// that was stopped: OnProgress with the share done, in percent, whenever it
// grows; OnFinished once, when the results are ready in Result().
class TBackgroundSearch : public QObject {
    Q_OBJECT

public:
    struct TResult {
        std::vector<TWordItem> Items;
        int Count = 0;
        bool Failed = false;  // the source could not be read to the end: nothing found
        TTextEncoding Encoding = TTextEncoding::Windows1252;  // that of the entries' file
    };

    explicit TBackgroundSearch(QObject* Parent = nullptr);
    ~TBackgroundSearch() override;

    // Query is in the encoding of the source searched.
    // Starts a search of the dictionary file FileName, stopping the one that runs.
    void SearchFile(TSearchKind Kind, const std::string& Query, const std::string& FileName);
    // Starts a search of Entries (from a file of Encoding), stopping the one that runs.
    void SearchList(TSearchKind Kind, const std::string& Query, const std::vector<TWordItem>& Entries,
                    TTextEncoding Encoding);

    // Stops the running search and waits for its thread: a scan stops
    // within one section's decoding. No event of it follows.
    void Stop();
    bool Running() const { return FRunning; }

    // For tests and tools: handles events until the search has finished or
    // TimeoutMs passed; whether it finished.
    bool WaitForResult(int TimeoutMs = 30000);

    // The last finished search's results; the owner may take the items.
    TResult& Result() { return FResult; }

    std::function<void(int Percent)> OnProgress;
    std::function<void()> OnFinished;

private:
    void Start(std::function<TResult(const TScanControl&)> Search);
    void Deliver(uint64_t Generation, TResult Result);

    std::thread FThread;
    std::unique_ptr<TScanControl> FControl;
    uint64_t FGeneration = 0;  // events of older searches are dropped
    bool FRunning = false;
    TResult FResult;
    QEventLoop* FWaitLoop = nullptr;  // WaitForResult's, while it waits
};

}  // namespace lirabo
