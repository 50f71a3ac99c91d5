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

// Float to int32 per lane for lanes known to lie inside the int32 range:
// TruncToInt32 rounds toward zero, RoundToInt32 to nearest with ties to
// even (the default rounding mode). Highway's ConvertTo and NearestInt add
// a fix-up for overflowing lanes that such callers do not need. The double
// form converts a vector of doubles to as many int32 lanes (half the width).
#if HWY_TARGET == HWY_AVX3
HWY_INLINE hn::Vec512<int32_t> TruncToInt32(hn::Vec512<float> v) {
    return hn::Vec512<int32_t>{_mm512_cvttps_epi32(v.raw)};
}
HWY_INLINE hn::Vec512<int32_t> RoundToInt32(hn::Vec512<float> v) {
    return hn::Vec512<int32_t>{_mm512_cvtps_epi32(v.raw)};
}
HWY_INLINE hn::Vec256<int32_t> TruncToInt32(hn::Vec512<double> v) {
    return hn::Vec256<int32_t>{_mm512_cvttpd_epi32(v.raw)};
}
#else
HWY_INLINE hn::Vec256<int32_t> TruncToInt32(hn::Vec256<float> v) {
    return hn::Vec256<int32_t>{_mm256_cvttps_epi32(v.raw)};
}
HWY_INLINE hn::Vec256<int32_t> RoundToInt32(hn::Vec256<float> v) {
    return hn::Vec256<int32_t>{_mm256_cvtps_epi32(v.raw)};
}
HWY_INLINE hn::Vec128<int32_t> TruncToInt32(hn::Vec256<double> v) {
    return hn::Vec128<int32_t>{_mm256_cvttpd_epi32(v.raw)};
}
#endif

}  // namespace QRX_ISA
}  // namespace qrx::simd

#else
#define QRX_SIMD 0
#endif
