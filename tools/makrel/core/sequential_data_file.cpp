#include "makrel/core/sequential_data_file.h"

#include <stdexcept>

namespace makrel {

namespace {

constexpr size_t kBufferSize = 1 << 16;
constexpr int kAutoDetectGzip = 15 + 32;  // largest window, gzip or zlib header
constexpr size_t kCompactAt = 1 << 20;    // drop consumed bytes once this many pile up

}  // namespace

TSequentialDataFile::TSequentialDataFile(const std::string& FileName) : FInput(kBufferSize)
{
    FFile = std::fopen(FileName.c_str(), "rb");
    if (!FFile)
        throw std::runtime_error("cannot open " + FileName);
    const int first = std::fgetc(FFile);
    const int second = std::fgetc(FFile);
    std::rewind(FFile);
    FCompressed = first == 0x1F && second == 0x8B;
    if (FCompressed && inflateInit2(&FStream, kAutoDetectGzip) != Z_OK) {
        std::fclose(FFile);
        throw std::runtime_error("cannot start decompression");
    }
}

TSequentialDataFile::~TSequentialDataFile()
{
    if (FCompressed)
        inflateEnd(&FStream);
    std::fclose(FFile);
}

bool TSequentialDataFile::Fill()
{
    if (FEnd)
        return false;
    if (!FCompressed) {
        char buffer[kBufferSize];
        const size_t got = std::fread(buffer, 1, sizeof buffer, FFile);
        if (std::ferror(FFile))
            throw std::runtime_error("read error");
        FWindow.append(buffer, got);
        FEnd = got == 0;
        return got > 0;
    }
    const size_t before = FWindow.size();
    while (FWindow.size() == before) {
        if (FStream.avail_in == 0) {
            const size_t got = std::fread(FInput.data(), 1, FInput.size(), FFile);
            if (std::ferror(FFile))
                throw std::runtime_error("read error");
            if (got == 0) {
                // A gzip member cut short is as corrupt as a damaged one.
                if (FStream.total_in > 0 || FStream.total_out > 0)
                    throw std::runtime_error("the compressed data ends early");
                FEnd = true;
                return false;
            }
            FStream.next_in = FInput.data();
            FStream.avail_in = static_cast<uInt>(got);
        }
        FWindow.resize(before + kBufferSize);
        FStream.next_out = reinterpret_cast<Bytef*>(&FWindow[before]);
        FStream.avail_out = static_cast<uInt>(kBufferSize);
        const int rc = inflate(&FStream, Z_NO_FLUSH);
        FWindow.resize(before + kBufferSize - FStream.avail_out);
        if (rc == Z_STREAM_END) {
            // Another gzip member may follow; trailing zero padding may not.
            if (FStream.avail_in == 0) {
                const int next = std::fgetc(FFile);
                if (next == EOF) {
                    FEnd = true;
                    return FWindow.size() > before;
                }
                std::ungetc(next, FFile);
            }
            inflateReset(&FStream);
        } else if (rc != Z_OK && rc != Z_BUF_ERROR) {
            throw std::runtime_error("corrupt compressed data" +
                                     std::string(FStream.msg ? std::string(": ") + FStream.msg : ""));
        }
    }
    return true;
}

bool TSequentialDataFile::Read(uint64_t Offset, size_t Length, std::string& Out)
{
    if (Offset < FWindowStart)
        throw std::logic_error("data ranges must be read in ascending order");
    // Give up everything before Offset; skip whole buffers when Offset lies ahead.
    while (FWindowStart + (FWindow.size() - FHead) < Offset) {
        FWindowStart += FWindow.size() - FHead;
        FWindow.clear();
        FHead = 0;
        if (!Fill()) {
            Out.clear();
            return false;
        }
    }
    FHead += static_cast<size_t>(Offset - FWindowStart);
    FWindowStart = Offset;
    if (FHead >= kCompactAt) {
        FWindow.erase(0, FHead);
        FHead = 0;
    }
    while (FWindow.size() - FHead < Length) {
        if (!Fill()) {
            Out.assign(FWindow, FHead);
            return false;
        }
    }
    Out.assign(FWindow, FHead, Length);
    return true;
}

}  // namespace makrel
