#include "dictionary/crc32.h"

#include <array>

#include "dictionary/crc32_clmul.h"

namespace lirabo {

namespace {

constexpr uint32_t kPolynomial = 0xEDB88320u;  // reflected form of 04C11DB7
constexpr size_t kStreamPiece = 65521;         // largest piece UpdateCRC is given

constexpr size_t kSlices = 16;
constexpr size_t kFoldMinimum = 64;  // the folding loop needs four 16-byte lanes

// Table 0 is the classic byte table; table k gives the effect of a byte
// followed by k zero bytes, so sixteen bytes fold in with sixteen lookups
// and no dependency between them (slicing-by-16).
constexpr std::array<std::array<uint32_t, 256>, kSlices> MakeTables()
{
    std::array<std::array<uint32_t, 256>, kSlices> tables{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? (kPolynomial ^ (c >> 1)) : (c >> 1);
        tables[0][i] = c;
    }
    for (uint32_t i = 0; i < 256; ++i)
        for (size_t t = 1; t < kSlices; ++t)
            tables[t][i] = (tables[t - 1][i] >> 8) ^ tables[0][tables[t - 1][i] & 0xFF];
    return tables;
}

constexpr auto kTables = MakeTables();

void Update(const unsigned char* p, size_t Length, uint32_t& CRC)
{
    uint32_t c = CRC;
    // Long runs fold 64 bytes at a time where the processor can; the tables
    // take the rest.
    if (Length >= kFoldMinimum && CrcFoldingAvailable()) {
        const size_t folded = Length & ~size_t{15};
        c = CrcFold(p, folded, c);
        p += folded;
        Length -= folded;
    }
    for (; Length >= kSlices; p += kSlices, Length -= kSlices) {
        const uint32_t low = c ^ (uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24);
        c = kTables[15][low & 0xFF] ^ kTables[14][(low >> 8) & 0xFF] ^ kTables[13][(low >> 16) & 0xFF] ^
            kTables[12][low >> 24];
        for (size_t k = 4; k < kSlices; ++k)
            c ^= kTables[kSlices - 1 - k][p[k]];
    }
    for (; Length > 0; ++p, --Length)
        c = kTables[0][(c ^ *p) & 0xFF] ^ (c >> 8);
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
