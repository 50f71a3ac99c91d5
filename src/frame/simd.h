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

// Per 32-bit lane: the float rounded to an integer in the current rounding
// mode (cvtps2dq). For floats already known to lie within the int32 range;
// an out-of-range lane gives 0x80000000, without Highway's fix-up of
// positive overflow that NearestInt adds.
HWY_INLINE hn::Vec<hn::ScalableTag<int32_t>> RoundToInt32(hn::Vec<hn::ScalableTag<float>> v) {
#if HWY_TARGET == HWY_AVX3
    return hn::Vec<hn::ScalableTag<int32_t>>{_mm512_cvtps_epi32(v.raw)};
#else
    return hn::Vec<hn::ScalableTag<int32_t>>{_mm256_cvtps_epi32(v.raw)};
#endif
}

// Per 128-bit block: the 32-bit lanes of a, b, c and d saturated to 8
// bits, unsigned (packusdw, packuswb) or signed (packssdw, packsswb), as
// the block's bytes a0..a3 b0..b3 c0..c3 d0..d3.
HWY_INLINE hn::Vec<hn::ScalableTag<uint8_t>> PackBlocksU8(hn::Vec<hn::ScalableTag<int32_t>> a,
                                                          hn::Vec<hn::ScalableTag<int32_t>> b,
                                                          hn::Vec<hn::ScalableTag<int32_t>> c,
                                                          hn::Vec<hn::ScalableTag<int32_t>> d) {
#if HWY_TARGET == HWY_AVX3
    return hn::Vec<hn::ScalableTag<uint8_t>>{
        _mm512_packus_epi16(_mm512_packus_epi32(a.raw, b.raw), _mm512_packus_epi32(c.raw, d.raw))};
#else
    return hn::Vec<hn::ScalableTag<uint8_t>>{
        _mm256_packus_epi16(_mm256_packus_epi32(a.raw, b.raw), _mm256_packus_epi32(c.raw, d.raw))};
#endif
}
HWY_INLINE hn::Vec<hn::ScalableTag<uint8_t>> PackBlocksI8(hn::Vec<hn::ScalableTag<int32_t>> a,
                                                          hn::Vec<hn::ScalableTag<int32_t>> b,
                                                          hn::Vec<hn::ScalableTag<int32_t>> c,
                                                          hn::Vec<hn::ScalableTag<int32_t>> d) {
#if HWY_TARGET == HWY_AVX3
    return hn::Vec<hn::ScalableTag<uint8_t>>{
        _mm512_packs_epi16(_mm512_packs_epi32(a.raw, b.raw), _mm512_packs_epi32(c.raw, d.raw))};
#else
    return hn::Vec<hn::ScalableTag<uint8_t>>{
        _mm256_packs_epi16(_mm256_packs_epi32(a.raw, b.raw), _mm256_packs_epi32(c.raw, d.raw))};
#endif
}

#if HWY_TARGET == HWY_AVX3
// AVX-512 only (AVX2 has no two-register word permute). Per 16-bit lane:
// word (idx & 63) of the 64-word table whose words 0..31 are a and 32..63
// are b (vpermt2w).
HWY_INLINE hn::Vec<hn::ScalableTag<uint16_t>> TwoTablesLookupWords(hn::Vec<hn::ScalableTag<uint16_t>> a,
                                                                   hn::Vec<hn::ScalableTag<uint16_t>> b,
                                                                   hn::Vec<hn::ScalableTag<uint16_t>> idx) {
    return hn::Vec<hn::ScalableTag<uint16_t>>{_mm512_permutex2var_epi16(a.raw, idx.raw, b.raw)};
}
#endif

// Per byte: 0 where idx has its top bit set, else byte (idx & 15) of the
// same 128-bit block of `bytes` (pshufb); bits 4..6 of idx are ignored.
// Highway's TableLookupBytesOr0 does the same on x86 but asks for indices
// below 16 or with the top bit set.
HWY_INLINE hn::Vec<hn::ScalableTag<uint8_t>> LookupBytesOr0(hn::Vec<hn::ScalableTag<uint8_t>> bytes,
                                                           hn::Vec<hn::ScalableTag<uint8_t>> idx) {
#if HWY_TARGET == HWY_AVX3
    return hn::Vec<hn::ScalableTag<uint8_t>>{_mm512_shuffle_epi8(bytes.raw, idx.raw)};
#else
    return hn::Vec<hn::ScalableTag<uint8_t>>{_mm256_shuffle_epi8(bytes.raw, idx.raw)};
#endif
}

// Stores the lanes of v where m is set; memory under the other lanes keeps
// its value. AVX-512 has masked stores for every lane size and AVX2 for
// 32- and 64-bit lanes (Highway's own fallback for 8- and 16-bit lanes on
// AVX2 stores lane by lane); there, 8- and 16-bit vectors are blended with
// the bytes just read and stored whole, so the unselected bytes are
// rewritten with their own values.
template <class D>
HWY_INLINE void StoreSelected(hn::Vec<D> v, hn::Mask<D> m, D d, hn::TFromD<D>* HWY_RESTRICT p) {
#if HWY_TARGET == HWY_AVX3
    hn::BlendedStore(v, m, d, p);
#else
    if constexpr (sizeof(hn::TFromD<D>) >= 4) {
        hn::BlendedStore(v, m, d, p);
    } else {
        hn::StoreU(hn::IfThenElse(m, v, hn::LoadU(d, p)), d, p);
    }
#endif
}

}  // namespace QRX_ISA
}  // namespace qrx::simd

#else
#define QRX_SIMD 0
#endif
