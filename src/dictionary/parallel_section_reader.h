#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "dictionary/section_cache.h"
#include "dictionary/section_decoder.h"
#include "dictionary/word_item.h"

namespace lirabo {

// Decodes a run of sections ahead of their use on worker threads and hands
// them back strictly in section order, so that a whole-dictionary scan uses
// every core and still sees the entries in dictionary order. The caller
// reads the compressed bytes (the file is not shared between threads); the
// workers decompress and split them.
class TParallelSectionReader {
public:
    struct TDecoded {
        std::vector<TWordItem> Items;  // every entry, or with a test only those it kept
        std::vector<int32_t> Indexes;  // with a test: the kept entries' places in the section
        TSectionCache::TBytes Bytes;   // the decompressed data, for the cache
    };

    // What a worker needs for one section: its compressed bytes (or bytes
    // already decompressed), its entry count, the buffer size to use and the
    // decompressed size it must not exceed. With a Test (which outlives the
    // reader), the worker keeps only the entries it passes, so that a scan
    // does its matching on every core too.
    struct TJob {
        std::vector<unsigned char> Compressed;
        TSectionCache::TBytes Decompressed;
        int32_t Count = 0;
        int BufferSize = 32;
        size_t Limit = 0;
        const TEntryTest* Test = nullptr;
        bool WithDefinitions = true;  // false: kept entries carry their headword only
    };

    // Threads: how many sections are decoded at the same time. With one,
    // sections are decoded on the calling thread and no thread is started.
    explicit TParallelSectionReader(unsigned Threads);
    ~TParallelSectionReader();
    TParallelSectionReader(const TParallelSectionReader&) = delete;
    TParallelSectionReader& operator=(const TParallelSectionReader&) = delete;

    // Queues a section; Next returns them in the order they were queued.
    void Push(TJob Job);
    // Queues a section whose bytes could not be read; Next raises Error.
    void PushFailure(std::exception_ptr Error);
    bool Pending() const { return !FQueue.empty(); }
    size_t QueuedCount() const { return FQueue.size(); }
    unsigned Threads() const { return FThreads; }
    // The oldest queued section; its decoding error is raised here.
    TDecoded Next();

    // Decodes one job on the calling thread.
    static TDecoded Decode(const TJob& Job);

private:
    void Work();

    struct Task {
        TJob Job;
        std::promise<TDecoded> Result;
    };

    unsigned FThreads;
    std::deque<std::future<TDecoded>> FQueue;  // results, in the order queued

    // The pool: tasks waiting for a worker, guarded by FMutex.
    std::mutex FMutex;
    std::condition_variable FWake;
    std::deque<Task> FTasks;
    bool FStopping = false;
    std::vector<std::thread> FWorkers;
};

}  // namespace lirabo
