// AVX-512BW building blocks of the subsampled YCbCr decoders: 64 vector
// columns (32 pixel pairs) per step. Included by rows_inl.h in the
// AVX-512 build only, after the layouts and arithmetic it names; the row
// loops that use them are there, shared with the AVX2 blocks.
//
// Samples are held per pixel pair in 16-bit lanes: the even and the odd pixel
// of each pair in two vectors, their shared chroma in one, so the chroma
// terms are computed once per pair (once per row pair for 4:2:0). The lane
// arithmetic is the vector set's own: high halves of signed products, then
// >> 4; the sums never saturate (see VectorSet), so adding t to the chroma
// terms first gives the same lanes. Packing with unsigned saturation clamps.
#include <immintrin.h>

#include <cstdint>

namespace qrx {
inline namespace QRX_ISA {
namespace {
namespace simd {

struct Vector {
    using V = __m512i;
};
using V = Vector::V;
using ycbcrdec::VectorSet;

constexpr int kBlock = 64;  // columns per step

V splat(int v) { return _mm512_set1_epi16(static_cast<short>(v)); }
V load(const Qrx8u* p) { return _mm512_loadu_si512(p); }
void store(Qrx8u* p, V v) { _mm512_storeu_si512(p, v); }

using Weights = LaneWeights<Vector>;
using Lanes = LaneTriple<Vector>;
using Pairs = PairSamples<Vector>;

// The 16-bit lane operations the shared decoder arithmetic is written in.
V adds(V a, V b) { return _mm512_adds_epi16(a, b); }
V sub(V a, V b) { return _mm512_sub_epi16(a, b); }
V mulhi(V a, V b) { return _mm512_mulhi_epi16(a, b); }
V band(V a, V b) { return _mm512_and_si512(a, b); }
template <int N>
V shl(V a) { return _mm512_slli_epi16(a, N); }
template <int N>
V sra(V a) { return _mm512_srai_epi16(a, N); }
template <int N>
V srl(V a) { return _mm512_srli_epi16(a, N); }

// ---- sources: the chroma samples of each pair -------------------------------------

// 16 bytes widened to 32-bit lanes. (32-bit lane operations take their
// zero-masking forms throughout: GCC 12 warns about the undefined input the
// plain forms pass.)
V bytesToDwords(__m128i b) { return _mm512_maskz_cvtepu8_epi32(0xFFFF, b); }

// 32 chroma samples, one per pair.
V chromaPerPair(const Qrx8u* c) {
    return _mm512_cvtepu8_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(c)));
}

// 16 chroma samples, each serving two pairs.
V chromaPerTwoPairs(const Qrx8u* c) {
    const V d = bytesToDwords(_mm_loadu_si128(reinterpret_cast<const __m128i*>(c)));
    return _mm512_or_si512(d, _mm512_maskz_slli_epi32(0xFFFF, d, 16));
}

// Word k of a 32-word index: 2k + Odd, picking from the 64 words of two vectors.
template <int Odd>
struct EveryOtherWord {
    Qrx16u index[32];
    constexpr EveryOtherWord() : index{} {
        for (int k = 0; k < 32; ++k) index[k] = static_cast<Qrx16u>(2 * k + Odd);
    }
};
constexpr EveryOtherWord<0> kFirstWords;
constexpr EveryOtherWord<1> kSecondWords;

template <int CbAt>
Pairs loadPairs(const Packed422Src<CbAt>& s, int x) {
    // Word 0 of a pair is Y0 and the byte after it, word 1 is Y1 and the last byte.
    const V a = load(s.p + 2 * x), b = load(s.p + 2 * x + kBlock);
    const V first = _mm512_permutex2var_epi16(a, _mm512_loadu_si512(kFirstWords.index), b);
    const V second = _mm512_permutex2var_epi16(a, _mm512_loadu_si512(kSecondWords.index), b);
    const V after0 = _mm512_srli_epi16(first, 8), after1 = _mm512_srli_epi16(second, 8);
    return {_mm512_and_si512(first, splat(0xFF)), _mm512_and_si512(second, splat(0xFF)),
            CbAt == 1 ? after0 : after1, CbAt == 1 ? after1 : after0};
}

// ---- destinations ----------------------------------------------------------------

// Words lo[i] | hi[i] << 8 of the lanes clamped to 0..255, in lane order.
V bytePairs(V lo, V hi) {
    // Bytes 0, 8, 1, 9, ... 7, 15 of every 128-bit lane.
    const long long low = 0x0B030A0209010800, high = 0x0F070E060D050C04;
    const V order = _mm512_set_epi64(high, low, high, low, high, low, high, low);
    return _mm512_shuffle_epi8(_mm512_packus_epi16(lo, hi), order);
}

// Where output word p of store vector j comes from: word `index` of the
// two-vector table the permutes read, and from which of the permutes.
template <int Vectors>
struct WordGather {
    Qrx16u index[Vectors][32];
    std::uint32_t second[Vectors];
};

// Three-byte pixels: word m of the 96 output words is word m / 3 of source
// m % 3: bytes 0-1 of the even pixel, byte 2 of the even with byte 0 of the
// odd, bytes 1-2 of the odd. Sources 0 and 1 are permuted together, 2 alone.
constexpr WordGather<3> gather3() {
    WordGather<3> g{};
    for (int j = 0; j < 3; ++j)
        for (int p = 0; p < 32; ++p) {
            const int m = 32 * j + p, source = m % 3;
            g.index[j][p] = static_cast<Qrx16u>(m / 3 + (source == 1 ? 32 : 0));
            if (source == 2) g.second[j] |= std::uint32_t(1) << p;
        }
    return g;
}
constexpr WordGather<3> kGather3 = gather3();

// Four-byte pixels: words 4k..4k+3 of the 128 are bytes 0-1 and 2-3 of the
// even pixel of pair k, then the same of the odd one.
constexpr WordGather<4> gather4() {
    WordGather<4> g{};
    for (int j = 0; j < 4; ++j)
        for (int p = 0; p < 32; ++p) {
            const int pair = 8 * j + p / 4, source = p % 4;
            g.index[j][p] = static_cast<Qrx16u>(pair + (source & 1 ? 32 : 0));
            if (source >= 2) g.second[j] |= std::uint32_t(1) << p;
        }
    return g;
}
constexpr WordGather<4> kGather4 = gather4();

template <class L>
void storePixels(const PixelsDst<L>& d, int x, const Lanes& e, const Lanes& o) {
    Qrx8u* out = d.dst.p + x * L::channels;
    if constexpr (L::channels == 3) {
        const V w0 = bytePairs(channel<L, 0>(e), channel<L, 1>(e));
        const V w1 = bytePairs(channel<L, 2>(e), channel<L, 0>(o));
        const V w2 = bytePairs(channel<L, 1>(o), channel<L, 2>(o));
        for (int j = 0; j < 3; ++j) {
            const V index = _mm512_loadu_si512(kGather3.index[j]);
            const V first = _mm512_permutex2var_epi16(w0, index, w1);
            store(out + kBlock * j,
                  _mm512_mask_permutexvar_epi16(first, kGather3.second[j], index, w2));
        }
    } else {
        const V alpha = splat(d.alpha);
        const V e01 = bytePairs(channel<L, 0>(e), channel<L, 1>(e));
        const V e23 = bytePairs(channel<L, 2>(e), alpha);
        const V o01 = bytePairs(channel<L, 0>(o), channel<L, 1>(o));
        const V o23 = bytePairs(channel<L, 2>(o), alpha);
        for (int j = 0; j < 4; ++j) {
            const V index = _mm512_loadu_si512(kGather4.index[j]);
            store(out + kBlock * j,
                  _mm512_mask_blend_epi16(kGather4.second[j],
                                          _mm512_permutex2var_epi16(e01, index, e23),
                                          _mm512_permutex2var_epi16(o01, index, o23)));
        }
    }
}

// ---- 4:2:0 with interpolated chroma: the 32-bit matrix, 16 pixels per vector --------

// Chroma terms of one chroma pair per 32-bit lane (rounding terms included).
Lanes matrixChroma(const ycbcrdec::ScalarSet& s, __m128i cb, __m128i cr) {
    const V u = _mm512_sub_epi32(bytesToDwords(cb), _mm512_set1_epi32(128));
    const V v = _mm512_sub_epi32(bytesToDwords(cr), _mm512_set1_epi32(128));
    const V g = _mm512_add_epi32(_mm512_mullo_epi32(u, _mm512_set1_epi32(s.c)),
                                 _mm512_mullo_epi32(v, _mm512_set1_epi32(s.d)));
    return {
        _mm512_add_epi32(_mm512_mullo_epi32(v, _mm512_set1_epi32(s.b)), _mm512_set1_epi32(s.rR)),
        _mm512_sub_epi32(_mm512_set1_epi32(s.rG), g),
        _mm512_add_epi32(_mm512_mullo_epi32(u, _mm512_set1_epi32(s.e)), _mm512_set1_epi32(s.rB))};
}

// Four-byte pixels of layout L from Y in 32-bit lanes, in lane order. Every
// channel fits 16 bits before clamping (-223..481), so the signed pack keeps
// it and the unsigned one clamps it.
template <class L>
V matrixPixels(const ycbcrdec::ScalarSet& s, const Lanes& c, V y, V alpha) {
    const V luma =
        _mm512_mullo_epi32(_mm512_sub_epi32(y, _mm512_set1_epi32(16)), _mm512_set1_epi32(s.a));
    const Lanes p{_mm512_maskz_srai_epi32(0xFFFF, _mm512_add_epi32(luma, c.r), 16),
                  _mm512_maskz_srai_epi32(0xFFFF, _mm512_add_epi32(luma, c.g), 16),
                  _mm512_maskz_srai_epi32(0xFFFF, _mm512_add_epi32(luma, c.b), 16)};
    const V bytes = _mm512_packus_epi16(_mm512_packs_epi32(channel<L, 0>(p), channel<L, 1>(p)),
                                        _mm512_packs_epi32(channel<L, 2>(p), alpha));
    // Per 128-bit lane: byte 0 of pixels 0-3, byte 1 of them, ...: transpose.
    const long long low = 0x0D0905010C080400, high = 0x0F0B07030E0A0602;
    return _mm512_shuffle_epi8(bytes, _mm512_set_epi64(high, low, high, low, high, low, high, low));
}

// Dword p of store vector j: pixel 16j + p, from the even or odd vector.
struct PairDwords {
    std::uint32_t index[2][16];
    constexpr PairDwords() : index{} {
        for (int j = 0; j < 2; ++j)
            for (int p = 0; p < 16; ++p)
                index[j][p] = static_cast<std::uint32_t>(8 * j + p / 2 + (p & 1) * 16);
    }
};
constexpr PairDwords kPairDwords;

// One step of a 4:2:0 row pair with interpolated chroma: pairs k..k+15,
// none of them the last pair of the row (whose odd pixel is not averaged).
constexpr int kFilterPairs = 16;

template <class L>
void filteredStep(const ycbcrdec::ScalarSet& s, const Qrx8u* const src[4], Qrx8u* const dst[2],
                  int k, Qrx8u alpha) {
    const auto chroma = [&](int plane, int at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(src[plane] + k + at));
    };
    const __m128i cb = chroma(2, 0), cr = chroma(3, 0);
    const Lanes even = matrixChroma(s, cb, cr);
    const Lanes odd =
        matrixChroma(s, _mm_avg_epu8(cb, chroma(2, 1)), _mm_avg_epu8(cr, chroma(3, 1)));
    const V a = _mm512_set1_epi32(alpha);
    for (int i = 0; i < 2; ++i) {
        const V y = _mm512_maskz_cvtepu16_epi32(
            0xFFFF, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src[i] + 2 * k)));
        const V e = matrixPixels<L>(s, even, _mm512_and_si512(y, _mm512_set1_epi32(0xFF)), a);
        const V o = matrixPixels<L>(s, odd, _mm512_maskz_srli_epi32(0xFFFF, y, 8), a);
        for (int j = 0; j < 2; ++j)
            store(dst[i] + 8 * k + kBlock * j,
                  _mm512_permutex2var_epi32(e, _mm512_loadu_si512(kPairDwords.index[j]), o));
    }
}

}  // namespace simd

}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx
