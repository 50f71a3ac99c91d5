// The one vector dialect of the hand kernels: Highway, built for the target
// of the unit that includes this header, plus the few x86 operations that
// Highway lacks, as named escapes in this file (each with a comment giving
// its meaning per lane), so that a kernel reads the same for every width.
//
// Hand kernels exist only in the AVX2 and AVX-512 units; there QRX_SIMD is
// 1 and `hn` names Highway's static target (HWY_AVX2 or HWY_AVX3). The
// scalar and SSE2 units see QRX_SIMD 0 and run the portable rows alone.
#pragma once

#include "frame/isa.h"

#if defined(__AVX2__)
#define QRX_SIMD 1

#define HWY_COMPILE_ONLY_STATIC 1
#define HWY_DISABLE_PCLMUL_AES 1
#define HWY_DISABLE_BMI2_FMA 1
#define HWY_DISABLE_F16C 1
// Some compilers flag the intrinsics' deliberately undefined pass-through
// operands as uninitialised once inlined; those reports are false.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <hwy/highway.h>
#include <immintrin.h>
#pragma GCC diagnostic pop

namespace qrx::simd {
inline namespace QRX_ISA {

namespace hn = hwy::HWY_NAMESPACE;

// ---- escapes: x86 operations Highway does not offer ------------------------
// Each is defined for both widths (HWY_TARGET == HWY_AVX3: 512-bit vectors,
// else 256-bit), works on whole Highway vectors, and says what it does per
// lane or per 128-bit block.

// Per lane: float to int32 toward zero, as the processor converts: lanes
// out of the int32 range, and NaN, give 0x80000000 (Highway's ConvertTo
// instead saturates by sign).
template <class DI>
HWY_INLINE hn::Vec<DI> TruncateToInt(DI /* tag */, hn::Vec<hn::RebindToFloat<DI>> v) {
#if HWY_TARGET == HWY_AVX3
    return hn::Vec<DI>{_mm512_cvttps_epi32(v.raw)};
#else
    return hn::Vec<DI>{_mm256_cvttps_epi32(v.raw)};
#endif
}

// Four vectors of int32 lanes to bytes in order (lane i of vector k to byte
// k x Lanes + i), each saturated to 0..255: signed packs to 16 bits,
// unsigned packs to 8, then one dword permute undoing the packs'
// per-128-bit-block interleave.
template <class DI>
HWY_INLINE hn::Vec<hn::Repartition<uint8_t, DI>> DemoteToU8x4(DI /* tag */, hn::Vec<DI> v0,
                                                              hn::Vec<DI> v1, hn::Vec<DI> v2,
                                                              hn::Vec<DI> v3) {
#if HWY_TARGET == HWY_AVX3
    const __m512i bytes = _mm512_packus_epi16(_mm512_packs_epi32(v0.raw, v1.raw),
                                              _mm512_packs_epi32(v2.raw, v3.raw));
    const __m512i order = _mm512_setr_epi32(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
    return {_mm512_maskz_permutexvar_epi32(__mmask16(0xFFFF), order, bytes)};
#else
    const __m256i bytes = _mm256_packus_epi16(_mm256_packs_epi32(v0.raw, v1.raw),
                                              _mm256_packs_epi32(v2.raw, v3.raw));
    return {_mm256_permutevar8x32_epi32(bytes, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7))};
#endif
}

}  // namespace QRX_ISA
}  // namespace qrx::simd

#else
#define QRX_SIMD 0
#endif
