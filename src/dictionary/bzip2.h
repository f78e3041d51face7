#pragma once

#include <bzlib.h>

#include <cstddef>
#include <cstdint>

#include "dictionary/memory_stream.h"
#include "dictionary/stream.h"

namespace lirabo {

// Drives libbz2 to decompress one byte range of a stream into memory. Each
// dictionary store owns one for its whole life; the settings carry over from
// one dictionary to the next. Not copyable: the library's stream record
// points into itself.
class Tbzip2 {
public:
    static constexpr int kDefaultBlockSize = 1;
    static constexpr int kDefaultBufferSize = 32;  // KB per work buffer
    static constexpr int kMaxBufferSize = 4096;

    Tbzip2();
    Tbzip2(const Tbzip2&) = delete;
    Tbzip2& operator=(const Tbzip2&) = delete;

    int BlockSize() const { return FBlockSize; }
    int BufferSize() const { return FBufferSize; }
    // Each takes Value only within its range (1..9, 1..4096); otherwise the
    // old setting stays.
    void SetBlockSize(int Value);
    void SetBufferSize(int Value);

    // One library call each on the wrapper's stream record, through CheckResult.
    void DecompressInit();
    int DecompressStep();
    void DecompressEnd();

    // Returns 0..4 unchanged; raises EBzip2Error named after any other code.
    static int CheckResult(int Code);

    // Decompresses the Count bytes of Source from its current position (fewer
    // when Source ends sooner), appending the output to Dest. The loop ends
    // when the input range is used up; bytes after the end of the bzip2
    // stream raise. When the output of this call would exceed Limit bytes it
    // raises "BZ_OUTBUFF_FULL", so a decompression bomb fails early. Stream
    // errors pass through after the library's state has been released.
    void DecompressStream(TStream& Source, TMemoryStream& Dest, int64_t Count,
                          size_t Limit = SIZE_MAX);

private:
    bz_stream FRecord{};
    int FBlockSize = kDefaultBlockSize;
    int FBufferSize = kDefaultBufferSize;
};

}  // namespace lirabo
