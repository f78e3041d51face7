#include "dictionary/parallel_section_reader.h"

#include "dictionary/bzip2.h"
#include "dictionary/memory_stream.h"
#include "dictionary/section_decoder.h"

namespace lirabo {

TParallelSectionReader::TParallelSectionReader(unsigned Threads) : FThreads(Threads < 1 ? 1 : Threads) {}

TParallelSectionReader::~TParallelSectionReader()
{
    // Futures of std::async wait for their task on destruction; waiting here
    // makes that explicit when a scan stops early.
    for (auto& f : FQueue)
        if (f.valid())
            f.wait();
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
    decoded.Items = DecodeSection(decoded.Bytes->data(), decoded.Bytes->size(), Job.Count);
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
    FQueue.push_back(std::async(std::launch::async, [job = std::move(Job)] { return Decode(job); }));
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
