// Vector kernels of the subsampled YCbCr decoders, included by rows_inl.h
// in the AVX2 and AVX-512 units after the layouts and arithmetic it names;
// one body serves both widths, kBlock vector columns per step.
//
// Samples are held per pixel pair in 16-bit lanes: the even and the odd pixel
// of each pair in two vectors, their shared chroma in one, so the chroma
// terms are computed once per pair (once per row pair for 4:2:0). The lane
// arithmetic is the vector set's own: high halves of signed products, then
// >> 4; the sums never saturate (see VectorSet), so adding t to the chroma
// terms first gives the same lanes. Packing with unsigned saturation clamps.

namespace qrx {
inline namespace QRX_ISA {
namespace {
namespace dec_vec {

using namespace simd;

constexpr Tag<uint8_t> d8;
constexpr Tag<int16_t> d16;
constexpr Tag<uint16_t> du16;
constexpr Tag<int32_t> d32;
constexpr int kBlock = kVecBytes;  // columns per step

using V = VI16;
using Pairs = PairSamples<V>;
using Lanes = LaneTriple<V>;

HWY_INLINE V splat(int v) { return hn::Set(d16, static_cast<int16_t>(v)); }

// The vector set's constants, one per lane.
struct Weights {
    V y, r, gu, gv, b, t;
};
HWY_INLINE Weights weightsOf(const VectorSet& k) {
    return {splat(k.kY), splat(k.kR), splat(-k.kGu), splat(-k.kGv), splat(k.kB), splat(k.t)};
}

// ---- sources ------------------------------------------------------------------------

// One chroma sample per pair.
HWY_INLINE V chromaPerPair(const Qrx8u* c) {
    return hn::PromoteTo(d16, hn::LoadU(hn::Rebind<uint8_t, decltype(d16)>(), c));
}

// One chroma sample per two pairs.
HWY_INLINE V chromaPerTwoPairs(const Qrx8u* c) {
    const VI32 v = hn::PromoteTo(d32, hn::LoadU(hn::Rebind<uint8_t, decltype(d32)>(), c));
    return hn::BitCast(d16, v | hn::ShiftLeft<16>(v));
}

// Y of the even and the odd pixel of each pair.
HWY_INLINE void lumaPairs(const Qrx8u* y, V& even, V& odd) {
    const V w = hn::BitCast(d16, hn::LoadU(d8, y));
    even = w & splat(0xFF);
    odd = hn::BitCast(d16, hn::ShiftRight<8>(hn::BitCast(du16, w)));
}

template <int CbAt>
HWY_INLINE Pairs loadPairs(const Packed422Src<CbAt>& s, int x) {
    // Word 0 of a pair is Y0 and the byte after it, word 1 is Y1 and the last byte.
    VU16 first, second;
    LoadUnzippedWords(s.p + 2 * x, first, second);
    const V after0 = hn::BitCast(d16, hn::ShiftRight<8>(first));
    const V after1 = hn::BitCast(d16, hn::ShiftRight<8>(second));
    const V low = splat(0xFF);
    return {hn::BitCast(d16, first) & low, hn::BitCast(d16, second) & low, CbAt == 1 ? after0 : after1,
            CbAt == 1 ? after1 : after0};
}

template <int Shift>
HWY_INLINE Pairs loadPairs(const PlanesSrc<Shift>& s, int x) {
    Pairs p;
    lumaPairs(s.y + x, p.ye, p.yo);
    if constexpr (Shift == 1) {
        p.cb = chromaPerPair(s.cb + x / 2);
        p.cr = chromaPerPair(s.cr + x / 2);
    } else {
        p.cb = chromaPerTwoPairs(s.cb + x / 4);
        p.cr = chromaPerTwoPairs(s.cr + x / 4);
    }
    return p;
}

// ---- arithmetic ------------------------------------------------------------------------

// (s - zero) * 128 in each 16-bit lane.
HWY_INLINE V centred(V s, int zero) { return hn::ShiftLeft<7>(s - splat(zero)); }

HWY_INLINE Lanes chromaTerms(const Weights& k, V cb, V cr) {
    const V us = centred(cb, 128), vs = centred(cr, 128);
    const V g = hn::SaturatedAdd(hn::MulHigh(us, k.gu), hn::MulHigh(vs, k.gv));
    return {hn::SaturatedAdd(hn::MulHigh(vs, k.r), k.t), hn::SaturatedAdd(g, k.t),
            hn::SaturatedAdd(hn::MulHigh(us, k.b), k.t)};
}

// R, G, B of one pixel per lane, not yet clamped.
HWY_INLINE Lanes pixels(const Weights& k, const Lanes& c, V y) {
    const V luma = hn::MulHigh(centred(y, 16), k.y);
    return {hn::ShiftRight<4>(hn::SaturatedAdd(luma, c.r)), hn::ShiftRight<4>(hn::SaturatedAdd(luma, c.g)),
            hn::ShiftRight<4>(hn::SaturatedAdd(luma, c.b))};
}

// ---- destinations --------------------------------------------------------------------

// Words lo[i] | hi[i] << 8 of the lanes clamped to 0..255, in lane order.
HWY_INLINE VU8 bytePairs(V lo, V hi) {
    static constexpr uint8_t kOrder[16] = {0, 8, 1, 9, 2, 10, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15};
    return hn::TableLookupBytes(DemoteInBlocksU8(lo, hi), BlockBytes(kOrder));
}

template <class L>
HWY_INLINE void storePixels(const PixelsDst<L>& d, int x, const Lanes& e, const Lanes& o) {
    Qrx8u* out = d.dst.p + x * L::channels;
    const auto w = [](VU8 v) { return hn::BitCast(du16, v); };
    if constexpr (L::channels == 3) {
        // Bytes 0-1 of the even pixel, byte 2 of the even with byte 0 of the
        // odd, bytes 1-2 of the odd.
        StoreInterleavedWords3(w(bytePairs(channel<L, 0>(e), channel<L, 1>(e))),
                               w(bytePairs(channel<L, 2>(e), channel<L, 0>(o))),
                               w(bytePairs(channel<L, 1>(o), channel<L, 2>(o))), out);
    } else {
        const V alpha = splat(d.alpha);
        StoreInterleavedWords4(w(bytePairs(channel<L, 0>(e), channel<L, 1>(e))),
                               w(bytePairs(channel<L, 2>(e), alpha)),
                               w(bytePairs(channel<L, 0>(o), channel<L, 1>(o))),
                               w(bytePairs(channel<L, 2>(o), alpha)), out);
    }
}

// Planes take each channel's bytes in pixel order.
HWY_INLINE void storePixels(const PlanarDst& d, int x, const Lanes& e, const Lanes& o) {
    hn::StoreU(bytePairs(e.r, o.r), d8, d.r + x);
    hn::StoreU(bytePairs(e.g, o.g), d8, d.g + x);
    hn::StoreU(bytePairs(e.b, o.b), d8, d.b + x);
}

// ---- 4:2:0 with interpolated chroma: the 32-bit matrix, one pixel per 32-bit lane ----

using Lanes32 = LaneTriple<VI32>;
// One chroma sample per 32-bit lane.
using ChromaBytes = hn::Vec<hn::Rebind<uint8_t, decltype(d32)>>;

// Chroma terms of one chroma pair per 32-bit lane (rounding terms included).
HWY_INLINE Lanes32 matrixChroma(const ScalarSet& s, ChromaBytes cb, ChromaBytes cr) {
    const VI32 u = hn::PromoteTo(d32, cb) - hn::Set(d32, 128);
    const VI32 v = hn::PromoteTo(d32, cr) - hn::Set(d32, 128);
    const VI32 g = u * hn::Set(d32, s.c) + v * hn::Set(d32, s.d);
    return {v * hn::Set(d32, s.b) + hn::Set(d32, s.rR), hn::Set(d32, s.rG) - g,
            u * hn::Set(d32, s.e) + hn::Set(d32, s.rB)};
}

// Four-byte pixels of layout L from Y in 32-bit lanes, in lane order. Every
// channel fits 16 bits before clamping (-223..481), so the signed pack keeps
// it and the unsigned one clamps it.
template <class L>
HWY_INLINE VI32 matrixPixels(const ScalarSet& s, const Lanes32& c, VI32 y, VI32 alpha) {
    const VI32 luma = (y - hn::Set(d32, 16)) * hn::Set(d32, s.a);
    const Lanes32 p{hn::ShiftRight<16>(luma + c.r), hn::ShiftRight<16>(luma + c.g),
                    hn::ShiftRight<16>(luma + c.b)};
    const VU8 bytes = DemoteInBlocksU8(DemoteInBlocksI16(channel<L, 0>(p), channel<L, 1>(p)),
                                       DemoteInBlocksI16(channel<L, 2>(p), alpha));
    // Per block: byte 0 of pixels 0-3, byte 1 of them, ...: transpose.
    static constexpr uint8_t kTranspose[16] = {0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15};
    return hn::BitCast(d32, hn::TableLookupBytes(bytes, BlockBytes(kTranspose)));
}

// One step of a 4:2:0 row pair with interpolated chroma: pairs k..k+kFilterPairs-1,
// none of them the last pair of the row (whose odd pixel is not averaged).
constexpr int kFilterPairs = kVecBytes / 4;

template <class L>
HWY_INLINE void filteredStep(const ScalarSet& s, const Qrx8u* const src[4], Qrx8u* const dst[2], int k,
                             Qrx8u alpha) {
    const hn::Rebind<uint8_t, decltype(d32)> dq8;
    const hn::Rebind<uint16_t, decltype(d32)> dq16;
    const ChromaBytes cb = hn::LoadU(dq8, src[2] + k), cr = hn::LoadU(dq8, src[3] + k);
    const Lanes32 even = matrixChroma(s, cb, cr);
    const Lanes32 odd = matrixChroma(s, hn::AverageRound(cb, hn::LoadU(dq8, src[2] + k + 1)),
                                     hn::AverageRound(cr, hn::LoadU(dq8, src[3] + k + 1)));
    const VI32 a = hn::Set(d32, alpha);
    for (int i = 0; i < 2; ++i) {
        const VI32 y = hn::PromoteTo(d32, hn::LoadU(dq16, reinterpret_cast<const Qrx16u*>(src[i] + 2 * k)));
        const VI32 e = matrixPixels<L>(s, even, y & hn::Set(d32, 0xFF), a);
        const VI32 o = matrixPixels<L>(s, odd, hn::ShiftRight<8>(y), a);
        StoreZipped(e, o, dst[i] + 8 * k);
    }
}

}  // namespace dec_vec
}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx
