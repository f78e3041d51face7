#pragma once

#include <cstddef>
#include <cstdint>

namespace lirabo {

// A seekable source of bytes: the open dictionary file, a memory buffer, or a
// test double that injects faults. Positions are absolute byte offsets.
class TStream {
public:
    virtual ~TStream() = default;

    // Reads up to Count bytes at the current position and moves past them;
    // returns how many were read (0 at the end). May raise on an I/O fault.
    virtual size_t Read(void* Buffer, size_t Count) = 0;
    // Moves to Position, clamped to 0..Size().
    virtual void Seek(int64_t Position) = 0;
    virtual int64_t Position() const = 0;
    virtual int64_t Size() const = 0;

    // Reads exactly Count bytes or raises EReadError.
    void ReadBuffer(void* Buffer, size_t Count);
};

}  // namespace lirabo
