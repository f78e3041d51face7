#pragma once

#include <cstdio>
#include <string>

#include "dictionary/stream.h"

namespace lirabo {

// A file opened read-only. Other programs may read and write the file while
// it is open (the platform's default sharing for a plain read-only open).
class TFileStream : public TStream {
public:
    // Raises EFOpenError naming the file when it cannot be opened.
    explicit TFileStream(const std::string& FileName);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    size_t Read(void* Buffer, size_t Count) override;
    void Seek(int64_t Position) override;
    int64_t Position() const override { return FPosition; }
    int64_t Size() const override { return FSize; }

private:
    std::FILE* FFile = nullptr;
    int64_t FPosition = 0;
    int64_t FSize = 0;
};

}  // namespace lirabo
