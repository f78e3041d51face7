#include "search/background_search.h"

#include <QEventLoop>
#include <QTimer>
#include <climits>

#include "dictionary/dictionary_store.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace lirabo {

namespace {

// A little below the window's threads, so that typing and scrolling win the
// cores while the scan runs; the decoding threads inherit it.
void LowerThreadPriority()
{
#if defined(__linux__)
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 5);
#endif
}

}  // namespace

TBackgroundSearch::TBackgroundSearch(QObject* Parent) : QObject(Parent) {}

TBackgroundSearch::~TBackgroundSearch()
{
    Stop();
}

void TBackgroundSearch::Stop()
{
    if (FControl)
        FControl->Stop = true;
    if (FThread.joinable())
        FThread.join();
    FControl.reset();
    ++FGeneration;
    FRunning = false;
    if (FWaitLoop)
        FWaitLoop->quit();
}

void TBackgroundSearch::Start(std::function<TResult(const TScanControl&)> Search)
{
    Stop();
    FControl = std::make_unique<TScanControl>();
    const uint64_t generation = FGeneration;
    // The scanning thread posts to this object, whose destructor waits for
    // the thread; what it posted for a stopped search is dropped on arrival.
    auto lastPercent = std::make_shared<int>(-1);
    FControl->OnProgress = [this, generation, lastPercent](int64_t Done, int64_t Total) {
        const int percent = Total > 0 ? static_cast<int>(Done * 100 / Total) : 0;
        if (percent == *lastPercent)
            return;
        *lastPercent = percent;
        QMetaObject::invokeMethod(
            this,
            [this, generation, percent] {
                if (generation == FGeneration && FRunning && OnProgress)
                    OnProgress(percent);
            },
            Qt::QueuedConnection);
    };
    FRunning = true;
    FThread = std::thread([this, generation, Search = std::move(Search), control = FControl.get()] {
        LowerThreadPriority();
        TResult result;
        try {
            result = Search(*control);
        } catch (const EScanStopped&) {
            return;  // whoever stopped it is not waiting for results
        } catch (const std::exception&) {
            result = TResult{};
            result.Failed = true;
        }
        QMetaObject::invokeMethod(
            this, [this, generation, result = std::move(result)]() mutable { Deliver(generation, std::move(result)); },
            Qt::QueuedConnection);
    });
}

void TBackgroundSearch::Deliver(uint64_t Generation, TResult Result)
{
    if (Generation != FGeneration || !FRunning)
        return;
    if (FThread.joinable())
        FThread.join();  // it posted this as its last act
    FControl.reset();
    FRunning = false;
    FResult = std::move(Result);
    if (FWaitLoop)
        FWaitLoop->quit();
    if (OnFinished)
        OnFinished();
}

void TBackgroundSearch::SearchFile(TSearchKind Kind, const std::string& Query, const std::string& FileName)
{
    Start([Kind, Query, FileName](const TScanControl& Control) {
        TDictionaryStore store;
        store.SetSectionCacheBudget(0);
        store.OpenDictionary(FileName);
        store.SetScanControl(&Control);
        TResult result;
        result.Encoding = store.Rule().Encoding();
        result.Count = Kind == TSearchKind::Headwords ? store.WildcardSearch(Query, result.Items, INT_MAX)
                                                      : store.DefinitionSearch(Query, result.Items, INT_MAX);
        return result;
    });
}

void TBackgroundSearch::SearchList(TSearchKind Kind, const std::string& Query, const std::vector<TWordItem>& Entries,
                                   TTextEncoding Encoding)
{
    Start([Kind, Query, &Entries, Encoding](const TScanControl& Control) {
        TResult result;
        result.Encoding = Encoding;
        result.Count = SearchEntryList(Entries, Kind, Query, result.Items, INT_MAX, &Control, Encoding);
        return result;
    });
}

bool TBackgroundSearch::WaitForResult(int TimeoutMs)
{
    if (!FRunning)
        return true;
    // A loop that sleeps between events: polling would take a core from
    // the scan's own threads.
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    timeout.start(TimeoutMs);
    FWaitLoop = &loop;
    loop.exec();
    FWaitLoop = nullptr;
    return !FRunning;
}

}  // namespace lirabo
