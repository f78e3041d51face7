#pragma once

#include <cstdint>

namespace lirabo {

// Every integer of a dictionary file is 32-bit little-endian, whatever the host.

inline uint32_t ReadUInt32LE(const unsigned char* p)
{
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

inline int32_t ReadInt32LE(const unsigned char* p)
{
    return static_cast<int32_t>(ReadUInt32LE(p));
}

inline uint16_t ReadUInt16LE(const unsigned char* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline void WriteUInt32LE(unsigned char* p, uint32_t Value)
{
    p[0] = static_cast<unsigned char>(Value);
    p[1] = static_cast<unsigned char>(Value >> 8);
    p[2] = static_cast<unsigned char>(Value >> 16);
    p[3] = static_cast<unsigned char>(Value >> 24);
}

}  // namespace lirabo
