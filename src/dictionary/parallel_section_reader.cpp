#include "dictionary/parallel_section_reader.h"

#include "dictionary/bzip2.h"
#include "dictionary/memory_stream.h"
#include "dictionary/section_decoder.h"

namespace lirabo {

TParallelSectionReader::TParallelSectionReader(unsigned Threads) : FThreads(Threads < 1 ? 1 : Threads)
{
    if (FThreads > 1)
        for (unsigned i = 0; i < FThreads; ++i)
            FWorkers.emplace_back([this] { Work(); });
}

TParallelSectionReader::~TParallelSectionReader()
{
    {
        std::lock_guard lock(FMutex);
        FStopping = true;
        // A scan that stopped early leaves tasks nobody will collect.
        FTasks.clear();
    }
    FWake.notify_all();
    for (std::thread& worker : FWorkers)
        worker.join();
}

void TParallelSectionReader::Work()
{
    for (;;) {
        Task task;
        {
            std::unique_lock lock(FMutex);
            FWake.wait(lock, [this] { return FStopping || !FTasks.empty(); });
            if (FStopping)
                return;
            task = std::move(FTasks.front());
            FTasks.pop_front();
        }
        try {
            task.Result.set_value(Decode(task.Job));
        } catch (...) {
            task.Result.set_exception(std::current_exception());
        }
    }
}

TParallelSectionReader::TDecoded TParallelSectionReader::Decode(const TJob& Job)
{
    TDecoded decoded;
    if (Job.Decompressed) {
        decoded.Bytes = Job.Decompressed;
    } else {
        Tbzip2 bzip2;
        bzip2.SetBufferSize(Job.BufferSize);
        TMemoryStream source(Job.Compressed);
        TMemoryStream data;
        bzip2.DecompressStream(source, data, source.Size(), Job.Limit);
        decoded.Bytes = std::make_shared<const std::vector<unsigned char>>(data.Data());
    }
    if (!Job.Test) {
        decoded.Items = DecodeSection(decoded.Bytes->data(), decoded.Bytes->size(), Job.Count);
        return decoded;
    }
    TSectionMatches matches = DecodeMatches(decoded.Bytes->data(), decoded.Bytes->size(), Job.Count, *Job.Test, Job.WithDefinitions);
    decoded.Items = std::move(matches.Items);
    decoded.Indexes = std::move(matches.Indexes);
    return decoded;
}

void TParallelSectionReader::Push(TJob Job)
{
    if (FThreads == 1) {
        std::promise<TDecoded> done;
        try {
            done.set_value(Decode(Job));
        } catch (...) {
            done.set_exception(std::current_exception());
        }
        FQueue.push_back(done.get_future());
        return;
    }
    Task task{std::move(Job), {}};
    FQueue.push_back(task.Result.get_future());
    {
        std::lock_guard lock(FMutex);
        FTasks.push_back(std::move(task));
    }
    FWake.notify_one();
}

void TParallelSectionReader::PushFailure(std::exception_ptr Error)
{
    std::promise<TDecoded> failed;
    failed.set_exception(std::move(Error));
    FQueue.push_back(failed.get_future());
}

TParallelSectionReader::TDecoded TParallelSectionReader::Next()
{
    std::future<TDecoded> f = std::move(FQueue.front());
    FQueue.pop_front();
    return f.get();
}

}  // namespace lirabo
