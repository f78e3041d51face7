#pragma once

#include <string>
#include <vector>

#include "dictionary/stream.h"

namespace lirabo {

// A growable in-memory stream: the target of decompression and the source of
// dictionaries built in memory by tests and fuzzers.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<unsigned char> Data) : FData(std::move(Data)) {}
    explicit TMemoryStream(const std::string& Data) : FData(Data.begin(), Data.end()) {}

    size_t Read(void* Buffer, size_t Count) override;
    void Seek(int64_t Position) override;
    int64_t Position() const override { return static_cast<int64_t>(FPosition); }
    int64_t Size() const override { return static_cast<int64_t>(FData.size()); }

    // Appends at the end, whatever the position.
    void Append(const void* Buffer, size_t Count);
    const std::vector<unsigned char>& Data() const { return FData; }
    void Clear();

private:
    std::vector<unsigned char> FData;
    size_t FPosition = 0;
};

}  // namespace lirabo
