#include "dictionary/crc32_clmul.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define LIRABO_CRC_FOLDING 1
#endif

namespace lirabo {

#ifdef LIRABO_CRC_FOLDING

bool CrcFoldingAvailable()
{
    static const bool available = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    return available;
}

#define LIRABO_CLMUL __attribute__((target("pclmul,sse4.1")))

namespace {

LIRABO_CLMUL inline __m128i Load(const unsigned char* p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// One fold: X times the constants K, plus the next 128 bits.
LIRABO_CLMUL inline __m128i Fold(__m128i X, __m128i K, __m128i Next)
{
    return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(X, K, 0x11), _mm_clmulepi64_si128(X, K, 0x00)), Next);
}

}  // namespace

// Folding constants of the reflected polynomial EDB88320 hex: powers of x
// modulo the polynomial for folding over 512, 128 and 64 bits, then the
// polynomial and its Barrett quotient for the final reduction.
LIRABO_CLMUL uint32_t CrcFold(const unsigned char* Data, size_t Length, uint32_t CRC)
{
    const __m128i fold512 = _mm_set_epi64x(0x01c6e41596, 0x0154442bd4);
    const __m128i fold128 = _mm_set_epi64x(0x00ccaa009e, 0x01751997d0);
    const __m128i fold64 = _mm_set_epi64x(0, 0x0163cd6124);
    const __m128i barrett = _mm_set_epi64x(0x01f7011641, 0x01db710641);
    const __m128i low32 = _mm_setr_epi32(~0, 0, ~0, 0);

    __m128i x1 = _mm_xor_si128(Load(Data), _mm_cvtsi32_si128(static_cast<int>(CRC)));
    __m128i x2 = Load(Data + 16);
    __m128i x3 = Load(Data + 32);
    __m128i x4 = Load(Data + 48);
    Data += 64;
    Length -= 64;
    for (; Length >= 64; Data += 64, Length -= 64) {
        x1 = Fold(x1, fold512, Load(Data));
        x2 = Fold(x2, fold512, Load(Data + 16));
        x3 = Fold(x3, fold512, Load(Data + 32));
        x4 = Fold(x4, fold512, Load(Data + 48));
    }
    x1 = Fold(x1, fold128, x2);
    x1 = Fold(x1, fold128, x3);
    x1 = Fold(x1, fold128, x4);
    for (; Length >= 16; Data += 16, Length -= 16)
        x1 = Fold(x1, fold128, Load(Data));

    // 128 bits to 64, then Barrett reduction to 32.
    __m128i x2r = _mm_clmulepi64_si128(x1, fold128, 0x10);
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), x2r);
    x2r = _mm_srli_si128(x1, 4);
    x1 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, low32), fold64, 0x00), x2r);
    x2r = _mm_clmulepi64_si128(_mm_and_si128(x1, low32), barrett, 0x10);
    x2r = _mm_clmulepi64_si128(_mm_and_si128(x2r, low32), barrett, 0x00);
    x1 = _mm_xor_si128(x1, x2r);
    return static_cast<uint32_t>(_mm_extract_epi32(x1, 1));
}

#else

bool CrcFoldingAvailable()
{
    return false;
}

uint32_t CrcFold(const unsigned char*, size_t, uint32_t CRC)
{
    return CRC;
}

#endif

}  // namespace lirabo
