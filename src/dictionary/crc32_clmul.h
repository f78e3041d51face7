#pragma once

#include <cstddef>
#include <cstdint>

namespace lirabo {

// Whether this processor can fold the CRC with carry-less multiplication.
bool CrcFoldingAvailable();

// Feeds Length bytes (at least 64, a multiple of 16) into the running CRC
// value (not inverted) by folding 64 bytes at a time with carry-less
// multiplication; the same value as the table method. Only when
// CrcFoldingAvailable().
uint32_t CrcFold(const unsigned char* Data, size_t Length, uint32_t CRC);

}  // namespace lirabo
