#include "dictionary/bzip2.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "dictionary/exceptions.h"

namespace lirabo {

Tbzip2::Tbzip2() = default;

void Tbzip2::SetBlockSize(int Value)
{
    if (Value >= 1 && Value <= 9)
        FBlockSize = Value;
}

void Tbzip2::SetBufferSize(int Value)
{
    if (Value >= 1 && Value <= kMaxBufferSize)
        FBufferSize = Value;
}

int Tbzip2::CheckResult(int Code)
{
    if (Code >= BZ_OK && Code <= BZ_STREAM_END)
        return Code;
    switch (Code) {
    case BZ_SEQUENCE_ERROR: throw EBzip2Error("BZ_SEQUENCE_ERROR");
    case BZ_PARAM_ERROR: throw EBzip2Error("BZ_PARAM_ERROR");
    case BZ_MEM_ERROR: throw EBzip2Error("BZ_MEM_ERROR");
    case BZ_DATA_ERROR: throw EBzip2Error("BZ_DATA_ERROR");
    case BZ_DATA_ERROR_MAGIC: throw EBzip2Error("BZ_DATA_ERROR_MAGIC");
    case BZ_IO_ERROR: throw EBzip2Error("BZ_IO_ERROR");
    case BZ_UNEXPECTED_EOF: throw EBzip2Error("BZ_UNEXPECTED_EOF");
    case BZ_OUTBUFF_FULL: throw EBzip2Error("BZ_OUTBUFF_FULL");
    default: throw EBzip2Error("BZ_UNKNOWN_ERROR");
    }
}

void Tbzip2::DecompressInit()
{
    CheckResult(BZ2_bzDecompressInit(&FRecord, 0, 0));
}

int Tbzip2::DecompressStep()
{
    return CheckResult(BZ2_bzDecompress(&FRecord));
}

void Tbzip2::DecompressEnd()
{
    CheckResult(BZ2_bzDecompressEnd(&FRecord));
}

void Tbzip2::DecompressStream(TStream& Source, TMemoryStream& Dest, int64_t Count, size_t Limit)
{
    const size_t bufferBytes = static_cast<size_t>(FBufferSize) * 1024;
    std::vector<char> input(bufferBytes);
    std::vector<char> output(bufferBytes);

    const int64_t end = std::min(Source.Position() + std::max<int64_t>(Count, 0), Source.Size());
    size_t produced = 0;

    std::memset(&FRecord, 0, sizeof FRecord);
    DecompressInit();
    try {
        while (Source.Position() < end) {
            const auto want = static_cast<size_t>(std::min<int64_t>(bufferBytes, end - Source.Position()));
            const size_t got = Source.Read(input.data(), want);
            if (got == 0)
                break;  // the source shrank under us: the caller sees the short data
            FRecord.next_in = input.data();
            FRecord.avail_in = static_cast<unsigned>(got);
            while (FRecord.avail_in > 0) {
                FRecord.next_out = output.data();
                FRecord.avail_out = static_cast<unsigned>(bufferBytes);
                const unsigned before = FRecord.avail_in;
                DecompressStep();
                const size_t n = bufferBytes - FRecord.avail_out;
                if (n > Limit - produced)
                    throw EBzip2Error("BZ_OUTBUFF_FULL");
                produced += n;
                Dest.Append(output.data(), n);
                // libbz2 always consumes or produces; a step that does neither
                // would spin forever on hostile data.
                if (n == 0 && FRecord.avail_in == before)
                    throw EBzip2Error("BZ_SEQUENCE_ERROR");
            }
        }
    } catch (...) {
        BZ2_bzDecompressEnd(&FRecord);
        throw;
    }
    DecompressEnd();
}

}  // namespace lirabo
