#pragma once

#include <cstdint>

#include "dictionary/stream.h"

namespace lirabo {

// The CRC-32 of ISO 3309 / ITU-T V.42 (reflected, polynomial EDB88320 hex),
// the checksum that protects a dictionary file.

// Feeds Length bytes of Buffer into the running value CRC (not inverted).
void UpdateCRC(const void* Buffer, uint16_t Length, uint32_t& CRC);

// The CRC-32 of Stream from its current position to its end, inverted as
// stored in a file. Leaves the stream at its end; read errors pass through.
void StreamCRC(TStream& Stream, uint32_t& Result);

// The CRC-32 of a buffer of any length (initial value and final inversion
// included), for writers and tests.
uint32_t BufferCRC(const void* Buffer, size_t Length);

}  // namespace lirabo
