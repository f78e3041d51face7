#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <zlib.h>

namespace makrel {

// Reads byte ranges of a dictionary's data file, plain or gzip-compressed
// (dictzip files are gzip files), in one forward pass: the caller asks for
// ranges in ascending order of their start, so a compressed file is
// inflated once from front to back and only the bytes between the oldest
// range still needed and the newest are kept in memory.
class TSequentialDataFile {
public:
    // Raises std::runtime_error when the file cannot be opened.
    explicit TSequentialDataFile(const std::string& FileName);
    ~TSequentialDataFile();
    TSequentialDataFile(const TSequentialDataFile&) = delete;
    TSequentialDataFile& operator=(const TSequentialDataFile&) = delete;

    // Sets Out to the Length bytes at Offset of the (uncompressed) data.
    // Offset must not lie before the Offset of the previous call. Returns
    // false, with Out holding what there is, when the data ends before
    // Offset + Length. Raises
    // std::runtime_error on a read error or corrupt compressed data.
    bool Read(uint64_t Offset, size_t Length, std::string& Out);

    bool Compressed() const { return FCompressed; }

private:
    // Appends up to one buffer of data to FWindow; false at the end.
    bool Fill();

    std::FILE* FFile = nullptr;
    bool FCompressed = false;
    bool FEnd = false;
    z_stream FStream{};
    std::vector<unsigned char> FInput;
    std::string FWindow;  // data from FWindowStart on
    size_t FHead = 0;     // bytes of FWindow already given up
    uint64_t FWindowStart = 0;
};

}  // namespace makrel
