#include "dictionary/crc32.h"

#include <array>

namespace lirabo {

namespace {

constexpr uint32_t kPolynomial = 0xEDB88320u;  // reflected form of 04C11DB7
constexpr size_t kStreamPiece = 65521;         // largest piece UpdateCRC is given

constexpr std::array<uint32_t, 256> MakeTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? (kPolynomial ^ (c >> 1)) : (c >> 1);
        table[i] = c;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kTable = MakeTable();

void Update(const unsigned char* p, size_t Length, uint32_t& CRC)
{
    uint32_t c = CRC;
    for (size_t i = 0; i < Length; ++i)
        c = kTable[(c ^ p[i]) & 0xFF] ^ (c >> 8);
    CRC = c;
}

}  // namespace

void UpdateCRC(const void* Buffer, uint16_t Length, uint32_t& CRC)
{
    Update(static_cast<const unsigned char*>(Buffer), Length, CRC);
}

void StreamCRC(TStream& Stream, uint32_t& Result)
{
    uint32_t crc = 0xFFFFFFFFu;
    unsigned char buffer[kStreamPiece];
    for (;;) {
        const size_t n = Stream.Read(buffer, sizeof buffer);
        if (n == 0)
            break;
        UpdateCRC(buffer, static_cast<uint16_t>(n), crc);
    }
    Result = ~crc;
}

uint32_t BufferCRC(const void* Buffer, size_t Length)
{
    uint32_t crc = 0xFFFFFFFFu;
    Update(static_cast<const unsigned char*>(Buffer), Length, crc);
    return ~crc;
}

}  // namespace lirabo
