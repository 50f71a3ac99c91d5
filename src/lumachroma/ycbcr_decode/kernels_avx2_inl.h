// AVX2 building blocks of the subsampled YCbCr decoders: 32 vector columns
// (16 pixel pairs) per step. Included by rows_inl.h in the AVX2
// build only; the arithmetic is that of the AVX-512 blocks (see there), the
// differences are in moving bytes, where AVX2 has no two-table permutes:
// byte shuffles work within 128-bit lanes, so whole lanes are arranged first.
#include <immintrin.h>

#include <cstdint>

namespace qrx {
inline namespace QRX_ISA {
namespace {
namespace simd {

struct Vector {
    using V = __m256i;
};
using V = Vector::V;
using ycbcrdec::VectorSet;

constexpr int kBlock = 32;  // columns per step

V splat(int v) { return _mm256_set1_epi16(static_cast<short>(v)); }
V load(const Qrx8u* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
__m128i load16(const Qrx8u* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
__m128i load8(const Qrx8u* p) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)); }
void store(Qrx8u* p, V v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
// The same 16-byte shuffle in both lanes.
V lanePattern(__m128i p) { return _mm256_broadcastsi128_si256(p); }

using Weights = LaneWeights<Vector>;
using Lanes = LaneTriple<Vector>;
using Pairs = PairSamples<Vector>;

// The 16-bit lane operations the shared decoder arithmetic is written in.
V adds(V a, V b) { return _mm256_adds_epi16(a, b); }
V sub(V a, V b) { return _mm256_sub_epi16(a, b); }
V mulhi(V a, V b) { return _mm256_mulhi_epi16(a, b); }
V band(V a, V b) { return _mm256_and_si256(a, b); }
template <int N>
V shl(V a) { return _mm256_slli_epi16(a, N); }
template <int N>
V sra(V a) { return _mm256_srai_epi16(a, N); }
template <int N>
V srl(V a) { return _mm256_srli_epi16(a, N); }

// ---- sources ------------------------------------------------------------------------

V chromaPerPair(const Qrx8u* c) { return _mm256_cvtepu8_epi16(load16(c)); }

V chromaPerTwoPairs(const Qrx8u* c) {
    const V d = _mm256_cvtepu8_epi32(load8(c));
    return _mm256_or_si256(d, _mm256_slli_epi32(d, 16));
}

template <int CbAt>
Pairs loadPairs(const Packed422Src<CbAt>& s, int x) {
    // Per lane: the first words of its four pairs, then their second words;
    // then the qwords of both kinds gathered into lanes of their own.
    const V split =
        lanePattern(_mm_setr_epi8(0, 1, 4, 5, 8, 9, 12, 13, 2, 3, 6, 7, 10, 11, 14, 15));
    const V a = _mm256_permute4x64_epi64(_mm256_shuffle_epi8(load(s.p + 2 * x), split), 0xD8);
    const V b =
        _mm256_permute4x64_epi64(_mm256_shuffle_epi8(load(s.p + 2 * x + kBlock), split), 0xD8);
    const V first = _mm256_permute2x128_si256(a, b, 0x20);
    const V second = _mm256_permute2x128_si256(a, b, 0x31);
    const V after0 = _mm256_srli_epi16(first, 8), after1 = _mm256_srli_epi16(second, 8);
    return {_mm256_and_si256(first, splat(0xFF)), _mm256_and_si256(second, splat(0xFF)),
            CbAt == 1 ? after0 : after1, CbAt == 1 ? after1 : after0};
}

// ---- destinations --------------------------------------------------------------------

// Words lo[i] | hi[i] << 8 of the lanes clamped to 0..255, in lane order.
V bytePairs(V lo, V hi) {
    const V order =
        lanePattern(_mm_setr_epi8(0, 8, 1, 9, 2, 10, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15));
    return _mm256_shuffle_epi8(_mm256_packus_epi16(lo, hi), order);
}

// Three-byte pixels: word m of the 48 output words is word m / 3 of source
// m % 3 (as in the AVX-512 blocks). Store vector 0 draws on pairs 0-5 only,
// which sit in the low lane of each source, vector 2 on pairs 10-15 in the
// high lane, and vector 1 on the low lane for its low half and the high lane
// for its high half; so each source enters with its low lane doubled, as it
// is, or with its high lane doubled, and a byte shuffle per source places
// its words (zeroing the others).
struct Shuffle3 {
    std::int8_t index[3][3][32];  // store vector, source, byte
};
constexpr Shuffle3 shuffle3() {
    Shuffle3 t{};
    for (int j = 0; j < 3; ++j)
        for (int q = 0; q < 32; ++q) {
            const int m = 16 * j + q / 2, pair = m / 3;
            for (int source = 0; source < 3; ++source)
                t.index[j][source][q] =
                    static_cast<std::int8_t>(source == m % 3 ? 2 * (pair % 8) + (q & 1) : -128);
        }
    return t;
}
constexpr Shuffle3 kShuffle3 = shuffle3();

template <class L>
void storePixels(const PixelsDst<L>& d, int x, const Lanes& e, const Lanes& o) {
    Qrx8u* out = d.dst.p + x * L::channels;
    if constexpr (L::channels == 3) {
        const V w[3] = {bytePairs(channel<L, 0>(e), channel<L, 1>(e)),
                        bytePairs(channel<L, 2>(e), channel<L, 0>(o)),
                        bytePairs(channel<L, 1>(o), channel<L, 2>(o))};
        V from[3][3];  // store vector, source
        for (int s = 0; s < 3; ++s) {
            from[0][s] = _mm256_permute2x128_si256(w[s], w[s], 0x00);
            from[1][s] = w[s];
            from[2][s] = _mm256_permute2x128_si256(w[s], w[s], 0x11);
        }
        for (int j = 0; j < 3; ++j) {
            V v = _mm256_setzero_si256();
            for (int s = 0; s < 3; ++s)
                v = _mm256_or_si256(
                    v,
                    _mm256_shuffle_epi8(
                        from[j][s], load(reinterpret_cast<const Qrx8u*>(kShuffle3.index[j][s]))));
            store(out + kBlock * j, v);
        }
    } else {
        // Dwords of the even pixels, of the odd ones, then interleaved: per
        // lane four consecutive pixels, lanes in the order 0-3 | 16-19,
        // 4-7 | 20-23, 8-11 | 24-27, 12-15 | 28-31.
        const V alpha = splat(d.alpha);
        const V e01 = bytePairs(channel<L, 0>(e), channel<L, 1>(e));
        const V e23 = bytePairs(channel<L, 2>(e), alpha);
        const V o01 = bytePairs(channel<L, 0>(o), channel<L, 1>(o));
        const V o23 = bytePairs(channel<L, 2>(o), alpha);
        const V el = _mm256_unpacklo_epi16(e01, e23), eh = _mm256_unpackhi_epi16(e01, e23);
        const V ol = _mm256_unpacklo_epi16(o01, o23), oh = _mm256_unpackhi_epi16(o01, o23);
        const V z0 = _mm256_unpacklo_epi32(el, ol), z1 = _mm256_unpackhi_epi32(el, ol);
        const V z2 = _mm256_unpacklo_epi32(eh, oh), z3 = _mm256_unpackhi_epi32(eh, oh);
        store(out, _mm256_permute2x128_si256(z0, z1, 0x20));
        store(out + kBlock, _mm256_permute2x128_si256(z2, z3, 0x20));
        store(out + 2 * kBlock, _mm256_permute2x128_si256(z0, z1, 0x31));
        store(out + 3 * kBlock, _mm256_permute2x128_si256(z2, z3, 0x31));
    }
}

// ---- 4:2:0 with interpolated chroma: the 32-bit matrix, 8 pixels per vector ------------

Lanes matrixChroma(const ycbcrdec::ScalarSet& s, __m128i cb, __m128i cr) {
    const V u = _mm256_sub_epi32(_mm256_cvtepu8_epi32(cb), _mm256_set1_epi32(128));
    const V v = _mm256_sub_epi32(_mm256_cvtepu8_epi32(cr), _mm256_set1_epi32(128));
    const V g = _mm256_add_epi32(_mm256_mullo_epi32(u, _mm256_set1_epi32(s.c)),
                                 _mm256_mullo_epi32(v, _mm256_set1_epi32(s.d)));
    return {
        _mm256_add_epi32(_mm256_mullo_epi32(v, _mm256_set1_epi32(s.b)), _mm256_set1_epi32(s.rR)),
        _mm256_sub_epi32(_mm256_set1_epi32(s.rG), g),
        _mm256_add_epi32(_mm256_mullo_epi32(u, _mm256_set1_epi32(s.e)), _mm256_set1_epi32(s.rB))};
}

// Four-byte pixels in lane order (clamping as in the AVX-512 blocks).
template <class L>
V matrixPixels(const ycbcrdec::ScalarSet& s, const Lanes& c, V y, V alpha) {
    const V luma =
        _mm256_mullo_epi32(_mm256_sub_epi32(y, _mm256_set1_epi32(16)), _mm256_set1_epi32(s.a));
    const Lanes p{_mm256_srai_epi32(_mm256_add_epi32(luma, c.r), 16),
                  _mm256_srai_epi32(_mm256_add_epi32(luma, c.g), 16),
                  _mm256_srai_epi32(_mm256_add_epi32(luma, c.b), 16)};
    const V bytes = _mm256_packus_epi16(_mm256_packs_epi32(channel<L, 0>(p), channel<L, 1>(p)),
                                        _mm256_packs_epi32(channel<L, 2>(p), alpha));
    return _mm256_shuffle_epi8(
        bytes, lanePattern(_mm_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15)));
}

constexpr int kFilterPairs = 8;

template <class L>
void filteredStep(const ycbcrdec::ScalarSet& s, const Qrx8u* const src[4], Qrx8u* const dst[2],
                  int k, Qrx8u alpha) {
    const __m128i cb = load8(src[2] + k), cr = load8(src[3] + k);
    const Lanes even = matrixChroma(s, cb, cr);
    const Lanes odd = matrixChroma(s, _mm_avg_epu8(cb, load8(src[2] + k + 1)),
                                   _mm_avg_epu8(cr, load8(src[3] + k + 1)));
    const V a = _mm256_set1_epi32(alpha);
    for (int i = 0; i < 2; ++i) {
        const V y = _mm256_cvtepu16_epi32(load16(src[i] + 2 * k));
        const V e = matrixPixels<L>(s, even, _mm256_and_si256(y, _mm256_set1_epi32(0xFF)), a);
        const V o = matrixPixels<L>(s, odd, _mm256_srli_epi32(y, 8), a);
        const V lo = _mm256_unpacklo_epi32(e, o), hi = _mm256_unpackhi_epi32(e, o);
        store(dst[i] + 8 * k, _mm256_permute2x128_si256(lo, hi, 0x20));
        store(dst[i] + 8 * k + kBlock, _mm256_permute2x128_si256(lo, hi, 0x31));
    }
}

}  // namespace simd
}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx
