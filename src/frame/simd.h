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

#include <cstddef>
#include <cstdint>

namespace qrx::simd {
inline namespace QRX_ISA {

namespace hn = hwy::HWY_NAMESPACE;

// Full vectors of the unit's width, by lane type.
template <class T>
using Tag = hn::ScalableTag<T>;
template <class T>
using Vec = hn::Vec<Tag<T>>;
using VU8 = Vec<uint8_t>;
using VI8 = Vec<int8_t>;
using VU16 = Vec<uint16_t>;
using VI16 = Vec<int16_t>;
using VU32 = Vec<uint32_t>;
using VI32 = Vec<int32_t>;
using VU64 = Vec<uint64_t>;

// Bytes per vector, and 128-bit blocks per vector.
constexpr int kVecBytes = HWY_LANES(uint8_t);
constexpr int kBlocks = kVecBytes / 16;

// An index vector: F(i) in lane i, from a table built at compile time (F is
// a constexpr function of the lane number, such as a captureless lambda).
template <auto F, class T = int32_t>
HWY_INLINE Vec<T> LanesOf() {
    struct Table {
        alignas(64) T lane[kVecBytes / sizeof(T)];
    };
    static constexpr Table kTable = [] {
        Table t{};
        for (int i = 0; i < kVecBytes / int(sizeof(T)); ++i) t.lane[i] = static_cast<T>(F(i));
        return t;
    }();
    return hn::Load(Tag<T>(), kTable.lane);
}

// The same 16 bytes in every block.
HWY_INLINE VU8 BlockBytes(const uint8_t (&b)[16]) { return hn::LoadDup128(Tag<uint8_t>(), b); }

// Lane i of a 32-bit vector moved to where idx says: lane i takes v[idx[i]]
// (indices below the lane count).
template <class V>
HWY_INLINE V PermuteLanes32(V v, V idx) {
    const hn::DFromV<V> d;
    return hn::TableLookupLanes(v, hn::IndicesFromVec(d, idx));
}

// ---- escapes: x86 operations Highway does not offer ------------------------
// Each is defined for both widths (HWY_TARGET == HWY_AVX3: 512-bit vectors,
// else 256-bit), works on whole Highway vectors, and says what it does per
// lane or per 128-bit block.

// Narrowing within blocks (the x86 packs). Block j of the result holds the
// lanes of block j of a, then those of block j of b, each narrowed with
// saturation: signed 16 to unsigned 8, signed 16 to signed 8, signed 32 to
// unsigned 16, signed 32 to signed 16.
#if HWY_TARGET == HWY_AVX3
HWY_INLINE VU8 DemoteInBlocksU8(VI16 a, VI16 b) { return VU8{_mm512_packus_epi16(a.raw, b.raw)}; }
HWY_INLINE VI8 DemoteInBlocksI8(VI16 a, VI16 b) { return VI8{_mm512_packs_epi16(a.raw, b.raw)}; }
HWY_INLINE VU16 DemoteInBlocksU16(VI32 a, VI32 b) { return VU16{_mm512_packus_epi32(a.raw, b.raw)}; }
#else
HWY_INLINE VU8 DemoteInBlocksU8(VI16 a, VI16 b) { return VU8{_mm256_packus_epi16(a.raw, b.raw)}; }
HWY_INLINE VI8 DemoteInBlocksI8(VI16 a, VI16 b) { return VI8{_mm256_packs_epi16(a.raw, b.raw)}; }
HWY_INLINE VU16 DemoteInBlocksU16(VI32 a, VI32 b) { return VU16{_mm256_packus_epi32(a.raw, b.raw)}; }
#endif
// (On x86 Highway's ReorderDemote2To is exactly this in-block pack.)
HWY_INLINE VI16 DemoteInBlocksI16(VI32 a, VI32 b) { return hn::ReorderDemote2To(Tag<int16_t>(), a, b); }

// Lane i: a[2i] b[2i] + a[2i+1] b[2i+1] in 32 bits (wraps only for
// -32768 x -32768 twice). On x86 Highway's ReorderWidenMulAccumulate keeps
// this lane order.
HWY_INLINE VI32 MulAddPairs(VI16 a, VI16 b) {
    VI32 unused = hn::Zero(Tag<int32_t>());
    return hn::ReorderWidenMulAccumulate(Tag<int32_t>(), a, b, hn::Zero(Tag<int32_t>()), unused);
}

// Lane i: a[2i] b[2i] + a[2i+1] b[2i+1], unsigned bytes a times signed
// bytes b, summed with signed 16-bit saturation.
HWY_INLINE VI16 MulAddBytePairs(VU8 a, VI8 b) {
#if HWY_TARGET == HWY_AVX3
    return VI16{_mm512_maddubs_epi16(a.raw, b.raw)};
#else
    return VI16{_mm256_maddubs_epi16(a.raw, b.raw)};
#endif
}

// Sums of adjacent 16-bit lanes within blocks, for sums that fit 16 bits:
// block j of the result holds those of block j of a, then those of block j
// of b (AVX-512 has no horizontal add; a multiply-add and a pack do it).
HWY_INLINE VI16 PairSumsInBlocks16(VI16 a, VI16 b) {
#if HWY_TARGET == HWY_AVX3
    const VI16 one = hn::Set(Tag<int16_t>(), 1);
    return DemoteInBlocksI16(MulAddPairs(a, one), MulAddPairs(b, one));
#else
    return VI16{_mm256_hadd_epi16(a.raw, b.raw)};
#endif
}

// Byte shuffles of two vectors into one: in every block, bytes 0-7 are
// a's block looked up by idx's bytes 0-7, bytes 8-15 b's block looked up by
// idx's bytes 8-15 (index bytes with the top bit set give 0).
HWY_INLINE VU8 TableLookupBytesHalves(VU8 a, VU8 b, VU8 idx) {
#if HWY_TARGET == HWY_AVX3
    return VU8{_mm512_mask_shuffle_epi8(_mm512_shuffle_epi8(a.raw, idx.raw), 0xFF00FF00FF00FF00ull, b.raw, idx.raw)};
#else
    return VU8{_mm256_blend_epi32(_mm256_shuffle_epi8(a.raw, idx.raw), _mm256_shuffle_epi8(b.raw, idx.raw), 0xCC)};
#endif
}

// Bytes 0-2 of every 32-bit lane of v stored at p; byte 3 of each keeps what
// memory holds (AVX2 reads and writes it back unchanged).
HWY_INLINE void StoreKeepingFourthBytes(VU8 v, uint8_t* p) {
#if HWY_TARGET == HWY_AVX3
    _mm512_mask_storeu_epi8(p, 0x7777777777777777ull, v.raw);
#else
    const __m256i keep = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p),
                        _mm256_blendv_epi8(v.raw, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)), keep));
#endif
}

// The 32-bit lanes of v, each in 0..255, stored as kVecBytes / 4 bytes.
HWY_INLINE void StoreLanesAsBytes(VI32 v, uint8_t* p) {
#if HWY_TARGET == HWY_AVX3
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm512_cvtepi32_epi8(v.raw));
#else
    __m256i x = _mm256_packus_epi32(v.raw, v.raw);
    x = _mm256_packus_epi16(x, x);
    x = _mm256_permutevar8x32_epi32(x, _mm256_setr_epi32(0, 4, 0, 4, 0, 4, 0, 4));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm256_castsi256_si128(x));
#endif
}

// 32-bit lanes within blocks: block j of the result holds lanes 0 and 2
// (Even) or 1 and 3 (Odd) of block j of a, then the same of b.
template <class V>
HWY_INLINE V EvenLanesInBlocks(V a, V b) {
    const hn::DFromV<V> d;
    const hn::Repartition<float, decltype(d)> df;
    const auto fa = hn::BitCast(df, a), fb = hn::BitCast(df, b);
#if HWY_TARGET == HWY_AVX3
    return hn::BitCast(d, decltype(fa){_mm512_shuffle_ps(fa.raw, fb.raw, 0x88)});
#else
    return hn::BitCast(d, decltype(fa){_mm256_shuffle_ps(fa.raw, fb.raw, 0x88)});
#endif
}
template <class V>
HWY_INLINE V OddLanesInBlocks(V a, V b) {
    const hn::DFromV<V> d;
    const hn::Repartition<float, decltype(d)> df;
    const auto fa = hn::BitCast(df, a), fb = hn::BitCast(df, b);
#if HWY_TARGET == HWY_AVX3
    return hn::BitCast(d, decltype(fa){_mm512_shuffle_ps(fa.raw, fb.raw, 0xDD)});
#else
    return hn::BitCast(d, decltype(fa){_mm256_shuffle_ps(fa.raw, fb.raw, 0xDD)});
#endif
}

// 32-bit lanes from two tables: lane i takes a[idx[i]] for idx[i] below the
// lane count L, else b[idx[i] - L] (indices below 2 L).
template <class V>
HWY_INLINE V TwoTablesLookupLanes32(V a, V b, V idx) {
    const hn::DFromV<V> d;
    const hn::RebindToSigned<decltype(d)> di;
    const auto ia = hn::BitCast(di, a), ib = hn::BitCast(di, b), ii = hn::BitCast(di, idx);
#if HWY_TARGET == HWY_AVX3
    return hn::BitCast(d, decltype(ia){_mm512_permutex2var_epi32(ia.raw, ii.raw, ib.raw)});
#else
    const auto from = [&](decltype(ia) t) {
        return decltype(ia){_mm256_permutevar8x32_epi32(t.raw, ii.raw)};
    };
    return hn::BitCast(d, hn::IfThenElse(ii > hn::Set(di, 7), from(ib), from(ia)));
#endif
}

// Three-byte pixels, four per block: 4 x 12 x kBlocks bytes from p spread
// over four vectors, bytes 12k..12k+11 of the span to bytes 0-11 of block
// k (counting blocks across the four vectors). Bytes 12-15 of each block
// are other bytes of the span, or the 32-bit lane `fill` where given. No
// byte past the span is read.
HWY_INLINE void LoadBlockHeads12(const uint8_t* p, VU8 out[4]) {
    const Tag<uint8_t> d8;
    const Tag<int32_t> d32;
    const VI32 spread = LanesOf<[](int i) { return 3 * (i / 4) + (i % 4 < 2 ? i % 4 : 2); }>();
    // The last vector loads one dword per block early and picks further in.
    const VI32 last = spread + hn::Set(d32, kBlocks);
#if HWY_TARGET == HWY_AVX3
    for (int k = 0; k < 3; ++k)
        out[k] = hn::BitCast(d8, PermuteLanes32(hn::BitCast(d32, hn::LoadU(d8, p + 12 * kBlocks * k)), spread));
#else
    // Two 16-byte loads per vector (no lane permute); bytes 12-15 of a block
    // are the next pixel's.
    for (int k = 0; k < 3; ++k) {
        const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 24 * k));
        const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 24 * k + 12));
        out[k] = VU8{_mm256_inserti128_si256(_mm256_castsi128_si256(lo), hi, 1)};
    }
#endif
    out[3] = hn::BitCast(d8, PermuteLanes32(hn::BitCast(d32, hn::LoadU(d8, p + 32 * kBlocks)), last));
}
HWY_INLINE void LoadBlockHeads12(const uint8_t* p, VI32 fill, VU8 out[4]) {
    const Tag<uint8_t> d8;
    const Tag<int32_t> d32;
#if HWY_TARGET == HWY_AVX3
    // Index 16 + i takes fill's lane i.
    const VI32 first = LanesOf<[](int i) { return i % 4 == 3 ? 16 : 3 * (i / 4) + i % 4; }>();
    const VI32 last = LanesOf<[](int i) { return i % 4 == 3 ? 16 : kBlocks + 3 * (i / 4) + i % 4; }>();
    for (int k = 0; k < 4; ++k) {
        const VI32 v = hn::BitCast(d32, hn::LoadU(d8, k < 3 ? p + 12 * kBlocks * k : p + 32 * kBlocks));
        out[k] = hn::BitCast(d8, TwoTablesLookupLanes32(v, fill, k < 3 ? first : last));
    }
#else
    LoadBlockHeads12(p, out);
    for (int k = 0; k < 4; ++k)
        out[k] = hn::BitCast(d8, VI32{_mm256_blend_epi32(hn::BitCast(d32, out[k]).raw, fill.raw, 0x88)});
#endif
}

template <int J>
constexpr int StoreBlockHeadsJoin(int n) {
    const int m = 16 * J + n, block = m / 3;
    return (block / 4 - J) * 16 + 4 * (block % 4) + m % 3;
}

// The reverse: bytes 0-11 of the blocks of four vectors stored as
// 4 x 12 x kBlocks consecutive bytes at p (bytes 12-15 of each block are
// dropped; nothing past the span is written).
HWY_INLINE void StoreBlockHeads12(const VU8 in[4], uint8_t* p) {
    const Tag<uint8_t> d8;
    const Tag<int32_t> d32;
    const auto dw = [&](VU8 v) { return hn::BitCast(d32, v); };
#if HWY_TARGET == HWY_AVX3
    // Store vector j, dword n: dword 4 (m / 3) + m % 3 of the block sequence,
    // m = 16 j + n, from vector j or j + 1 (index + 16).
    const VI32 join[3] = {LanesOf<StoreBlockHeadsJoin<0>>(), LanesOf<StoreBlockHeadsJoin<1>>(),
                          LanesOf<StoreBlockHeadsJoin<2>>()};
    for (int j = 0; j < 3; ++j)
        hn::StoreU(hn::BitCast(d8, TwoTablesLookupLanes32(dw(in[j]), dw(in[j + 1]), join[j])), d8, p + 64 * j);
#else
    // Each vector's 24 bytes gathered to its front and stored in order, each
    // store's last 8 bytes overwritten by the next; the last vector goes 8
    // bytes early, behind the end of the third, so nothing passes the span.
    const VI32 front = LanesOf<[](int i) { return i < 6 ? i / 3 * 4 + i % 3 : i == 6 ? 3 : 7; }>();
    for (int j = 0; j < 3; ++j) hn::StoreU(hn::BitCast(d8, PermuteLanes32(dw(in[j]), front)), d8, p + 24 * j);
    const VI32 back = PermuteLanes32(dw(in[3]), LanesOf<[](int i) { return i < 2 ? i : i < 5 ? i - 2 : i - 1; }>());
    const VI32 tail = PermuteLanes32(dw(in[2]), LanesOf<[](int i) { return 5 + i % 2; }>());
    hn::StoreU(hn::BitCast(d8, VI32{_mm256_blend_epi32(back.raw, tail.raw, 0x03)}), d8, p + 64);
#endif
}

// 16-bit units across blocks: unit k (0-3) of the lower half of block j
// goes to unit k kBlocks + j of the result's lower half, and unit k of the
// upper half of block j to unit k kBlocks + j of the upper half. Paired:
// then block i of the result holds the i-th 8 bytes of that lower half and
// the i-th 8 bytes of that upper half.
template <bool Paired = false>
HWY_INLINE VU8 TransposeBlockHalves(VU8 v) {
#if HWY_TARGET == HWY_AVX3
    struct Index {
        uint16_t w[32];
    };
    static constexpr Index kIdx = [] {
        Index t{};
        for (int i = 0; i < 32; ++i) {
            // Unit q of half h of the transposed vector.
            const int h = Paired ? i / 4 % 2 : i / 16, q = Paired ? i / 8 * 4 + i % 4 : i % 16;
            t.w[i] = static_cast<uint16_t>(8 * (q % 4) + 4 * h + q / 4);
        }
        return t;
    }();
    return VU8{_mm512_permutexvar_epi16(_mm512_loadu_si512(kIdx.w), v.raw)};
#else
    if constexpr (Paired) {
        static constexpr uint8_t kUnits[16] = {0, 1, 4, 5, 2, 3, 6, 7, 8, 9, 12, 13, 10, 11, 14, 15};
        const VI32 order = LanesOf<[](int i) { return i % 2 * 4 + i / 4 + (i / 2 % 2) * 2; }>();
        const VU8 w = hn::BitCast(Tag<uint8_t>(), PermuteLanes32(hn::BitCast(Tag<int32_t>(), v), order));
        return hn::TableLookupBytes(w, BlockBytes(kUnits));
    } else {
        static constexpr uint8_t kPairs[16] = {0, 1, 8, 9, 2, 3, 10, 11, 4, 5, 12, 13, 6, 7, 14, 15};
        return hn::TableLookupBytes(VU8{_mm256_permute4x64_epi64(v.raw, 0xD8)}, BlockBytes(kPairs));
    }
#endif
}

// Block j of the result: the upper 16 bits of the 32-bit lanes of block j
// of a, then those of block j of b.
HWY_INLINE VU16 UpperHalvesInBlocks(VI32 a, VI32 b) {
#if HWY_TARGET == HWY_AVX3
    struct Index {
        uint16_t w[32];
    };
    static constexpr Index kIdx = [] {
        Index t{};
        for (int i = 0; i < 32; ++i) t.w[i] = static_cast<uint16_t>(i / 8 * 8 + (i % 8) % 4 * 2 + 1 + (i % 8 >= 4 ? 32 : 0));
        return t;
    }();
    return VU16{_mm512_permutex2var_epi16(a.raw, _mm512_loadu_si512(kIdx.w), b.raw)};
#else
    const Tag<uint32_t> du32;
    const auto hi = [&](VI32 v) { return hn::BitCast(Tag<int32_t>(), hn::ShiftRight<16>(hn::BitCast(du32, v))); };
    return DemoteInBlocksU16(hi(a), hi(b));
#endif
}

// Lanes of a and b stored alternately: a[0] b[0] a[1] b[1] ... (8- or 32-bit
// lanes), two vectors' worth of bytes at p.
template <class V>
HWY_INLINE void StoreZipped(V a, V b, uint8_t* p) {
    const hn::DFromV<V> d;
    const Tag<uint8_t> d8;
#if HWY_TARGET == HWY_AVX3
    if constexpr (sizeof(hn::TFromV<V>) == 4) {
        const auto i32 = [](V v) { return hn::BitCast(Tag<int32_t>(), v); };
        const VI32 first = LanesOf<[](int i) { return i / 2 + (i & 1) * 16; }>();
        const VI32 second = first + hn::Set(Tag<int32_t>(), 8);
        hn::StoreU(hn::BitCast(d8, TwoTablesLookupLanes32(i32(a), i32(b), first)), d8, p);
        hn::StoreU(hn::BitCast(d8, TwoTablesLookupLanes32(i32(a), i32(b), second)), d8, p + kVecBytes);
    } else {
        const auto q = [](auto v) { return hn::BitCast(Tag<uint64_t>(), v).raw; };
        const auto lo = hn::InterleaveLower(d, a, b), hi = hn::InterleaveUpper(d, a, b);
        const __m512i first = _mm512_setr_epi64(0, 1, 8, 9, 2, 3, 10, 11);
        const __m512i second = _mm512_setr_epi64(4, 5, 12, 13, 6, 7, 14, 15);
        hn::StoreU(hn::BitCast(d8, VU64{_mm512_permutex2var_epi64(q(lo), first, q(hi))}), d8, p);
        hn::StoreU(hn::BitCast(d8, VU64{_mm512_permutex2var_epi64(q(lo), second, q(hi))}), d8, p + kVecBytes);
    }
#else
    const auto lo = hn::InterleaveLower(d, a, b), hi = hn::InterleaveUpper(d, a, b);
    hn::StoreU(hn::BitCast(d8, hn::ConcatLowerLower(d, hi, lo)), d8, p);
    hn::StoreU(hn::BitCast(d8, hn::ConcatUpperUpper(d, hi, lo)), d8, p + kVecBytes);
#endif
}

// 16-bit lanes of two vectors' worth at p split by parity: first holds
// words 0, 2, 4, ..., second words 1, 3, 5, ...
HWY_INLINE void LoadUnzippedWords(const uint8_t* p, VU16& first, VU16& second) {
    const Tag<uint8_t> d8;
    const VU8 a = hn::LoadU(d8, p), b = hn::LoadU(d8, p + kVecBytes);
#if HWY_TARGET == HWY_AVX3
    alignas(64) static constexpr uint16_t kEven[32] = {
        0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30,
        32, 34, 36, 38, 40, 42, 44, 46, 48, 50, 52, 54, 56, 58, 60, 62};
    alignas(64) static constexpr uint16_t kOdd[32] = {
        1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31,
        33, 35, 37, 39, 41, 43, 45, 47, 49, 51, 53, 55, 57, 59, 61, 63};
    first = VU16{_mm512_permutex2var_epi16(a.raw, _mm512_load_si512(kEven), b.raw)};
    second = VU16{_mm512_permutex2var_epi16(a.raw, _mm512_load_si512(kOdd), b.raw)};
#else
    // Per block the even words, then the odd ones; then the qwords of each
    // kind gathered into blocks of their own.
    static constexpr uint8_t kSplit[16] = {0, 1, 4, 5, 8, 9, 12, 13, 2, 3, 6, 7, 10, 11, 14, 15};
    const auto split = [&](VU8 v) {
        return _mm256_permute4x64_epi64(hn::TableLookupBytes(v, BlockBytes(kSplit)).raw, 0xD8);
    };
    const __m256i x = split(a), y = split(b);
    first = VU16{_mm256_permute2x128_si256(x, y, 0x20)};
    second = VU16{_mm256_permute2x128_si256(x, y, 0x31)};
#endif
}

// The 16-byte blocks of two vectors' worth at p split by parity: block j of
// even holds bytes 32j..32j+15, block j of odd bytes 32j+16..32j+31 (the
// order in which a vector's bytes widen to the low and high halves of its
// blocks).
HWY_INLINE void LoadUnzippedBlocks(const uint8_t* p, VU8& even, VU8& odd) {
#if HWY_TARGET == HWY_AVX3
    const __m512i a = _mm512_loadu_si512(p), b = _mm512_loadu_si512(p + 64);
    even = VU8{_mm512_permutex2var_epi64(a, _mm512_setr_epi64(0, 1, 4, 5, 8, 9, 12, 13), b)};
    odd = VU8{_mm512_permutex2var_epi64(a, _mm512_setr_epi64(2, 3, 6, 7, 10, 11, 14, 15), b)};
#else
    const auto at = [&](int i) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i)); };
    even = VU8{_mm256_inserti128_si256(_mm256_castsi128_si256(at(0)), at(2), 1)};
    odd = VU8{_mm256_inserti128_si256(_mm256_castsi128_si256(at(1)), at(3), 1)};
#endif
}

// 16-bit lanes of a, b and c stored interleaved: a[0] b[0] c[0] a[1] ...,
// three vectors' worth at p.
HWY_INLINE void StoreInterleavedWords3(VU16 a, VU16 b, VU16 c, uint8_t* p) {
    const Tag<uint8_t> d8;
    // Output word m is word m / 3 of source m % 3.
#if HWY_TARGET == HWY_AVX3
    // Per store vector j: indices into the (a, b) table, where the c words
    // are then merged by a masked one-table permute of the same index.
    struct Gather {
        uint16_t index[3][32];
        uint32_t fromC[3];
    };
    static constexpr Gather kGather = [] {
        Gather g{};
        for (int j = 0; j < 3; ++j)
            for (int w = 0; w < 32; ++w) {
                const int m = 32 * j + w, source = m % 3;
                g.index[j][w] = static_cast<uint16_t>(m / 3 + (source == 1 ? 32 : 0));
                if (source == 2) g.fromC[j] |= uint32_t(1) << w;
            }
        return g;
    }();
    for (int j = 0; j < 3; ++j) {
        const __m512i index = _mm512_loadu_si512(kGather.index[j]);
        const __m512i ab = _mm512_permutex2var_epi16(a.raw, index, b.raw);
        hn::StoreU(VU8{_mm512_mask_permutexvar_epi16(ab, kGather.fromC[j], index, c.raw)}, d8, p + 64 * j);
    }
#else
    // Store vector 0 draws on words 0-5 of each source, which sit in its
    // lower block, vector 2 on words 10-15 in the upper block, and vector 1
    // on the lower block for its lower half and the upper for its upper half;
    // so each source enters with its lower block doubled, as it is, or with
    // its upper block doubled, and a byte shuffle per source places its words
    // (zeroing the others).
    struct Shuffle {
        int8_t index[3][3][32];  // store vector, source, byte
    };
    static constexpr Shuffle kShuffle = [] {
        Shuffle t{};
        for (int j = 0; j < 3; ++j)
            for (int q = 0; q < 32; ++q) {
                const int m = 16 * j + q / 2, word = m / 3;
                for (int s = 0; s < 3; ++s)
                    t.index[j][s][q] = static_cast<int8_t>(s == m % 3 ? 2 * (word % 8) + (q & 1) : -128);
            }
        return t;
    }();
    const __m256i w[3] = {a.raw, b.raw, c.raw};
    for (int j = 0; j < 3; ++j) {
        __m256i v = _mm256_setzero_si256();
        for (int s = 0; s < 3; ++s) {
            // (The block selector must be a literal for clang.)
            const __m256i from = j == 1   ? w[s]
                                 : j == 0 ? _mm256_permute2x128_si256(w[s], w[s], 0x00)
                                          : _mm256_permute2x128_si256(w[s], w[s], 0x11);
            const __m256i idx = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(kShuffle.index[j][s]));
            v = _mm256_or_si256(v, _mm256_shuffle_epi8(from, idx));
        }
        hn::StoreU(VU8{v}, d8, p + 32 * j);
    }
#endif
}

// The same store from words given split by byte: in every block of a, b
// and c, bytes 0-7 are the low bytes and bytes 8-15 the high bytes of the
// block's eight words (as an in-block pack of two word vectors leaves them).
// AVX2 gathers each block's 48 output bytes with three byte shuffles per 16
// (the split undone on the way) and fixes the block order once per 96 bytes.
HWY_INLINE void StoreInterleavedSplitWords3(VU8 a, VU8 b, VU8 c, uint8_t* p) {
#if HWY_TARGET == HWY_AVX3
    static constexpr uint8_t kJoin[16] = {0, 8, 1, 9, 2, 10, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15};
    const Tag<uint16_t> d16;
    const auto join = [&](VU8 v) { return hn::BitCast(d16, hn::TableLookupBytes(v, BlockBytes(kJoin))); };
    StoreInterleavedWords3(join(a), join(b), join(c), p);
#else
    // Chunk k (bytes 16k..16k+15 of a block's 48) byte q: byte q % 2 of word
    // (16k + q) / 2 / 3 of source (16k + q) / 2 % 3.
    struct Gather {
        uint8_t index[3][3][16];  // chunk, source, byte
    };
    static constexpr Gather kGather = [] {
        Gather g{};
        for (int k = 0; k < 3; ++k)
            for (int s = 0; s < 3; ++s)
                for (int q = 0; q < 16; ++q) {
                    const int m = (16 * k + q) / 2, word = m / 3;
                    g.index[k][s][q] = static_cast<uint8_t>(m % 3 != s ? 0x80 : (q & 1) * 8 + word);
                }
        return g;
    }();
    const __m256i w[3] = {a.raw, b.raw, c.raw};
    __m256i chunk[3];
    for (int k = 0; k < 3; ++k) {
        __m256i v = _mm256_setzero_si256();
        for (int s = 0; s < 3; ++s) v = _mm256_or_si256(v, _mm256_shuffle_epi8(w[s], BlockBytes(kGather.index[k][s]).raw));
        chunk[k] = v;
    }
    // Block 0's chunks 0 1 2, then block 1's.
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), _mm256_permute2x128_si256(chunk[0], chunk[1], 0x20));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + 32), _mm256_blend_epi32(chunk[2], chunk[0], 0xF0));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + 64), _mm256_permute2x128_si256(chunk[1], chunk[2], 0x31));
#endif
}

// 16-bit lanes of a, b, c and e stored interleaved: a[0] b[0] c[0] e[0]
// a[1] ..., four vectors' worth at p.
HWY_INLINE void StoreInterleavedWords4(VU16 a, VU16 b, VU16 c, VU16 e, uint8_t* p) {
    const Tag<uint8_t> d8;
#if HWY_TARGET == HWY_AVX3
    // Store vector j, word w: word 8 j + w / 4 of a, b (index + 32), c or e
    // (the same indices into the (c, e) table, blended in).
    const VU16 first = LanesOf<[](int w) { return w / 4 + (w & 1 ? 32 : 0); }, uint16_t>();
    for (int j = 0; j < 4; ++j) {
        const __m512i i = (first + hn::Set(Tag<uint16_t>(), static_cast<uint16_t>(8 * j))).raw;
        const __m512i ab = _mm512_permutex2var_epi16(a.raw, i, b.raw);
        const __m512i ce = _mm512_permutex2var_epi16(c.raw, i, e.raw);
        hn::StoreU(VU8{_mm512_mask_blend_epi16(__mmask32(0xCCCCCCCCu), ab, ce)}, d8, p + 64 * j);
    }
#else
    const Tag<uint16_t> d16;
    const Tag<uint32_t> d32;
    const VU32 ab0 = hn::BitCast(d32, hn::InterleaveLower(d16, a, b)), ab1 = hn::BitCast(d32, hn::InterleaveUpper(d16, a, b));
    const VU32 ce0 = hn::BitCast(d32, hn::InterleaveLower(d16, c, e)), ce1 = hn::BitCast(d32, hn::InterleaveUpper(d16, c, e));
    const VU32 z0 = hn::InterleaveLower(d32, ab0, ce0), z1 = hn::InterleaveUpper(d32, ab0, ce0);
    const VU32 z2 = hn::InterleaveLower(d32, ab1, ce1), z3 = hn::InterleaveUpper(d32, ab1, ce1);
    hn::StoreU(hn::BitCast(d8, hn::ConcatLowerLower(d32, z1, z0)), d8, p);
    hn::StoreU(hn::BitCast(d8, hn::ConcatLowerLower(d32, z3, z2)), d8, p + 32);
    hn::StoreU(hn::BitCast(d8, hn::ConcatUpperUpper(d32, z1, z0)), d8, p + 64);
    hn::StoreU(hn::BitCast(d8, hn::ConcatUpperUpper(d32, z3, z2)), d8, p + 96);
#endif
}

// Float to int32 per lane, for lanes known to lie inside the int32 range:
// RoundToInt32 rounds in the current rounding mode (to nearest, ties to
// even, by default; cvtps2dq), TruncToInt32 toward zero (cvttps2dq). An
// out-of-range lane gives 0x80000000, without the fix-up of overflowing
// lanes that Highway's NearestInt and ConvertTo add. The double form of
// TruncToInt32 converts a vector of doubles to as many int32 lanes (half
// the width).
#if HWY_TARGET == HWY_AVX3
HWY_INLINE VI32 RoundToInt32(Vec<float> v) { return VI32{_mm512_cvtps_epi32(v.raw)}; }
HWY_INLINE VI32 TruncToInt32(Vec<float> v) { return VI32{_mm512_cvttps_epi32(v.raw)}; }
HWY_INLINE hn::Vec256<int32_t> TruncToInt32(Vec<double> v) {
    return hn::Vec256<int32_t>{_mm512_cvttpd_epi32(v.raw)};
}
#else
HWY_INLINE VI32 RoundToInt32(Vec<float> v) { return VI32{_mm256_cvtps_epi32(v.raw)}; }
HWY_INLINE VI32 TruncToInt32(Vec<float> v) { return VI32{_mm256_cvttps_epi32(v.raw)}; }
HWY_INLINE hn::Vec128<int32_t> TruncToInt32(Vec<double> v) {
    return hn::Vec128<int32_t>{_mm256_cvttpd_epi32(v.raw)};
}
#endif

// Four vectors of int32 lanes to bytes in order (lane i of vector k to byte
// k x Lanes + i), each saturated to 0..255: the in-block packs, then one
// dword permute undoing their per-block interleave.
HWY_INLINE VU8 DemoteToU8x4(VI32 a, VI32 b, VI32 c, VI32 d) {
    const Tag<uint8_t> d8;
    const Tag<int32_t> d32;
    const VU8 packed = DemoteInBlocksU8(DemoteInBlocksI16(a, b), DemoteInBlocksI16(c, d));
#if HWY_TARGET == HWY_AVX3
    alignas(64) static constexpr int32_t kOrder[16] = {0, 4, 8, 12, 1, 5, 9, 13,
                                                       2, 6, 10, 14, 3, 7, 11, 15};
#else
    alignas(32) static constexpr int32_t kOrder[8] = {0, 4, 1, 5, 2, 6, 3, 7};
#endif
    return hn::BitCast(d8, PermuteLanes32(hn::BitCast(d32, packed), hn::Load(d32, kOrder)));
}

// Per 128-bit block: the 32-bit lanes of a, b, c and d narrowed to 8 bits as
// the block's bytes a0..a3 b0..b3 c0..c3 d0..d3, signed with saturation.
// (Unsigned bytes: DemoteInBlocksU8 of two DemoteInBlocksI16, which saturates
// both ways; going through unsigned 16 bits would turn lanes above 32767 into 0.)
HWY_INLINE VU8 PackBlocksI8(VI32 a, VI32 b, VI32 c, VI32 d) {
    return hn::BitCast(Tag<uint8_t>(),
                       DemoteInBlocksI8(DemoteInBlocksI16(a, b), DemoteInBlocksI16(c, d)));
}

#if HWY_TARGET == HWY_AVX3
// AVX-512 only (AVX2 has no two-register word permute). Per 16-bit lane:
// word (idx & 63) of the 64-word table whose words 0..31 are a and 32..63
// are b (vpermt2w).
HWY_INLINE VU16 TwoTablesLookupWords(VU16 a, VU16 b, VU16 idx) {
    return VU16{_mm512_permutex2var_epi16(a.raw, idx.raw, b.raw)};
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
