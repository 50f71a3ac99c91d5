// Vector kernels of the RGB <-> YUV rows for the AVX2 and AVX-512BW builds of
// rows_inl.h; other builds get null kernels and run the scalar rows alone.
//
// A kernel converts the leading whole vectors of a row (kStep pixels each,
// never reading or writing past the last) and returns how many pixels it
// did; the scalar formulas do the rest. Every value equals the scalar one:
//  - 8-bit samples widen to 16-bit lanes within each 128-bit block (the
//    lower and upper eight bytes of every block) and narrow back with a
//    saturating in-block pack, which restores the pixel order and clamps;
//  - floor(a x k / 2^n) of a small sample is a high multiply of a << (16 - n);
//  - sums wider than 16 bits (the exact luma) are pairwise multiply-adds into
//    32-bit lanes shifted down by 16 and packed back in the same order;
//  - pair and block sums of 8-bit samples come from a multiply-add of
//    adjacent bytes, in pair order.
#include "frame/simd.h"

#if QRX_SIMD

namespace qrx::yuv {
inline namespace QRX_ISA {
namespace vec {

using namespace simd;
constexpr hn::ScalableTag<uint8_t> d8;
constexpr hn::ScalableTag<uint16_t> du16;
constexpr hn::ScalableTag<int16_t> d16;
constexpr hn::ScalableTag<int32_t> d32;
constexpr hn::Half<decltype(d8)> dh8;
using V8 = hn::Vec<decltype(d8)>;
using V16 = hn::Vec<decltype(d16)>;
using V32 = hn::Vec<decltype(d32)>;

// Pixels per kernel step: one full vector of bytes.
constexpr int kStep = HWY_LANES(uint8_t);

// In-block packs and multiply-adds.
HWY_INLINE V8 packus(V16 lo, V16 hi) { return DemoteInBlocksU8(lo, hi); }
HWY_INLINE V16 packs(V32 lo, V32 hi) { return DemoteInBlocksI16(lo, hi); }
HWY_INLINE V32 madd(V16 a, V16 b) { return MulAddPairs(a, b); }
HWY_INLINE V16 pairSums(V8 v) { return MulAddBytePairs(v, hn::Set(Tag<int8_t>(), 1)); }

HWY_INLINE V16 k(int v) { return hn::Set(d16, int16_t(v)); }
// Lanes 2i and 2i+1 hold a and b.
HWY_INLINE V16 pairOf(int a, int b) {
    return hn::BitCast(d16, hn::Set(d32, int32_t(uint32_t(uint16_t(a)) | uint32_t(b) << 16)));
}
HWY_INLINE V16 mulHi(V16 a, int c) { return hn::MulHigh(a, k(c)); }

// floor((wa a + wb b + bias) / 2^Shift) per lane (wa, wb a pairOf), in the
// lane order of a and b.
template <int Shift>
HWY_INLINE V16 maddFloor(V16 a, V16 b, V16 w, int bias = 0) {
    const V32 c = hn::Set(d32, bias);
    const V32 lo = madd(hn::InterleaveLower(d16, a, b), w) + c;
    const V32 hi = madd(hn::InterleaveUpper(d16, a, b), w) + c;
    return packs(hn::ShiftRight<Shift>(lo), hn::ShiftRight<Shift>(hi));
}

// Sums of adjacent lanes (values well inside 16 bits), in pair order.
HWY_INLINE V16 pairSums(V16 lo, V16 hi) { return PairSumsInBlocks16(lo, hi); }

struct Wide {
    V16 lo, hi;
};
HWY_INLINE Wide widen(V8 v) {
    const V8 z = hn::Zero(d8);
    return {hn::BitCast(d16, hn::InterleaveLower(d8, v, z)),
            hn::BitCast(d16, hn::InterleaveUpper(d8, v, z))};
}
// A vector of per-pair values, each repeated for the two pixels of its pair.
HWY_INLINE Wide repeatPairs(V16 v) { return {hn::InterleaveLower(d16, v, v), hn::InterleaveUpper(d16, v, v)}; }

struct Tri8 {
    V8 c[3];
    V8 alpha;
};
struct Tri16 {
    V16 c[3];
};
struct WideTri {
    Wide c[3];
};
HWY_INLINE WideTri widen(const Tri8& t) { return {{widen(t.c[0]), widen(t.c[1]), widen(t.c[2])}}; }
HWY_INLINE const WideTri& widen(const WideTri& t) { return t; }

// ---- per-pixel formulas on 16-bit lanes (results clamp when narrowed) ----

HWY_INLINE Tri16 exactForward(V16 r, V16 g, V16 b) {
    const V16 drg = r - g, dbg = b - g;
    const V16 w = pairOf(kYr, kYb);
    // floor(e / 2^16) and floor((e + 2^15) / 2^16) of e = Ysum - 2^16 G.
    const V32 half = hn::Set(d32, 32768);
    const V32 lo = madd(hn::InterleaveLower(d16, drg, dbg), w);
    const V32 hi = madd(hn::InterleaveUpper(d16, drg, dbg), w);
    const V16 down = packs(hn::ShiftRight<16>(lo), hn::ShiftRight<16>(hi));
    const V16 near = packs(hn::ShiftRight<16>(lo + half), hn::ShiftRight<16>(hi + half));
    const V16 db = dbg - near, dr = drg - near;
    return {{g + down, mulHi(db, kU) + k(128), mulHi(dr, kV - 65536) + dr + k(128)}};
}

HWY_INLINE Tri16 groupForward(V16 r, V16 g, V16 b) {
    const auto hiU = [](V16 s, int c) {
        return hn::MulHigh(hn::BitCast(du16, hn::ShiftLeft<8>(s)), hn::Set(du16, uint16_t(c)));
    };
    const V16 y = hn::BitCast(
        d16, hn::ShiftRight<8>(hiU(r, kGroupYr) + hiU(g, kGroupYg) + hiU(b, kGroupYb)));
    const V16 r7 = hn::ShiftLeft<7>(r), g7 = hn::ShiftLeft<7>(g), b7 = hn::ShiftLeft<7>(b);
    const V16 u = mulHi(r7, kGroupUr) + mulHi(g7, kGroupUg) + mulHi(b7, kGroupUb);
    const V16 v = mulHi(r7, kGroupVr) + mulHi(g7, kGroupVg) + mulHi(b7, kGroupVb);
    return {{y, hn::ShiftRight<6>(u) + k(128), hn::ShiftRight<6>(v) + k(128)}};
}

// Twice the luma with 15-bit weights, each product floored on its own.
V16 luma2(V16 r, V16 g, V16 b) {
    return mulHi(hn::ShiftLeft<2>(r), kY15r) + mulHi(hn::ShiftLeft<2>(b), kY15b) +
           mulHi(hn::ShiftLeft<2>(g), kY15g);
}

HWY_INLINE Tri16 fourPlaneForward(V16 r, V16 g, V16 b) {
    const V16 s = luma2(r, g, b);
    return {{hn::ShiftRight<1>(s), mulHi(b + b - s, kU15) + k(128),
             mulHi(r + r - s, kV15) + k(128)}};
}

// Reference inverse with weights W (x 65536), split so every factor fits.
template <const InverseWeights& W>
HWY_INLINE Tri16 inverse(V16 y, V16 cu, V16 cv) {
    const V16 u = cu - k(128), v = cv - k(128);
    return {{y + v + mulHi(v, W.rv - 65536),
             y - v + maddFloor<16>(u, v, pairOf(W.gu, W.gv + 65536)),
             y + u + u + mulHi(u, W.bu - 131072)}};
}

// 16-bit group inverse: products floored by >> Shift, halved Half times.
template <const InverseWeights& W, int Shift, int Half>
HWY_INLINE Tri16 groupInverse(V16 y, V16 cu, V16 cv) {
    const V16 u = hn::ShiftLeft<16 - Shift>(cu - k(128));
    const V16 v = hn::ShiftLeft<16 - Shift>(cv - k(128));
    const V16 yy = hn::ShiftLeft<Half>(y);
    return {{hn::ShiftRight<Half>(yy + mulHi(v, W.rv)),
             hn::ShiftRight<Half>(yy + mulHi(u, W.gu) + mulHi(v, W.gv)),
             hn::ShiftRight<Half>(yy + mulHi(u, W.bu))}};
}

template <auto F>
HWY_INLINE Tri8 perPixel(const WideTri& w) {
    const Tri16 lo = F(w.c[0].lo, w.c[1].lo, w.c[2].lo), hi = F(w.c[0].hi, w.c[1].hi, w.c[2].hi);
    return {{packus(lo.c[0], hi.c[0]), packus(lo.c[1], hi.c[1]), packus(lo.c[2], hi.c[2])},
            hn::Zero(d8)};
}

// ---- pairs and blocks ------------------------------------------------------

// Luma of each pixel and, per pair, chroma before clamping.
struct PairOut {
    V8 y;
    V16 u, v;
};
struct BlockOut {
    V8 yTop, yBottom;
    V16 u, v;
};

HWY_INLINE V8 exactLuma(const WideTri& w) {
    const auto half = [](V16 r, V16 g, V16 b) {
        return g + maddFloor<16>(r - g, b - g, pairOf(kYr, kYb));
    };
    const Wide &r = w.c[0], &g = w.c[1], &b = w.c[2];
    return packus(half(r.lo, g.lo, b.lo), half(r.hi, g.hi, b.hi));
}

// Exact chroma of 2^L pixels from their summed R - G and B - G.
template <int L>
HWY_INLINE void exactChroma(V16 rg, V16 bg, V16& u, V16& v) {
    const V16 q = maddFloor<16>(rg, bg, pairOf(-kYr, -kYb), (32768 << L) - 1);
    const V16 db = bg + q, dr = rg + q;
    u = hn::ShiftRight<L>(mulHi(db, kU)) + k(128);
    v = hn::ShiftRight<L>(mulHi(dr, kV - 65536) + dr) + k(128);
}

// Pair sums of a channel given as bytes or already widened (same order).
HWY_INLINE V16 pairSums(const Wide& w) { return pairSums(w.lo, w.hi); }

template <class T>
HWY_INLINE PairOut exactPair(const T& p) {
    PairOut o{exactLuma(widen(p)), hn::Zero(d16), hn::Zero(d16)};
    const V16 g = pairSums(p.c[1]);
    exactChroma<1>(pairSums(p.c[0]) - g, pairSums(p.c[2]) - g, o.u, o.v);
    return o;
}

template <class T>
HWY_INLINE BlockOut exactBlock(const T& a, const T& b) {
    BlockOut o{exactLuma(widen(a)), exactLuma(widen(b)), hn::Zero(d16), hn::Zero(d16)};
    const auto sum = [&](int c) { return pairSums(a.c[c]) + pairSums(b.c[c]); };
    const V16 g = sum(1);
    exactChroma<2>(sum(0) - g, sum(2) - g, o.u, o.v);
    return o;
}

HWY_INLINE PairOut groupPair(const Tri8& p) {
    const WideTri w = widen(p);
    const auto s = [](V16 r, V16 g, V16 b) {
        return maddFloor<14>(r, g, pairOf(kY15r, kY15g)) + mulHi(hn::ShiftLeft<2>(b), kY15b);
    };
    const V16 lo = s(w.c[0].lo, w.c[1].lo, w.c[2].lo), hi = s(w.c[0].hi, w.c[1].hi, w.c[2].hi);
    const V16 t = hn::ShiftRight<1>(pairSums(lo, hi));
    return {packus(hn::ShiftRight<1>(lo), hn::ShiftRight<1>(hi)),
            mulHi(pairSums(p.c[2]) - t, kU15) + k(128),
            mulHi(pairSums(p.c[0]) - t, kV15) + k(128)};
}

// ---- sources ----------------------------------------------------------------

// Three-byte pixels; C0..C2 are the byte offsets of the three channels.
template <int C0, int C1, int C2>
struct InPacked {
    static Tri8 load(const Qrx8u* const* src, int x) {
        V8 b[3];
        hn::LoadInterleaved3(d8, src[0] + 3 * x, b[0], b[1], b[2]);
        return {{b[C0], b[C1], b[C2]}, hn::Zero(d8)};
    }
};

struct InPlanes {
    static Tri8 load(const Qrx8u* const* src, int x) {
        return {{hn::LoadU(d8, src[0] + x), hn::LoadU(d8, src[1] + x), hn::LoadU(d8, src[2] + x)},
                hn::Zero(d8)};
    }
};

// 16-bit words; each field (shift, bits) widens by a left shift. The words
// are loaded straight into the order in which widened bytes sit (low and
// high halves of each block), so the fields never pass through bytes.
template <int RShift, int RBits, int GShift, int GBits, int BShift, int BBits>
struct InWords {
    template <int Shift, int Bits>
    static Wide field(V8 lo, V8 hi) {
        const auto f = [](V8 v) {
            const auto w = hn::BitCast(du16, v);
            return hn::BitCast(d16, hn::ShiftLeft<8 - Bits>(hn::ShiftRight<Shift>(w) & hn::Set(du16, (1 << Bits) - 1)));
        };
        return {f(lo), f(hi)};
    }
    static WideTri load(const Qrx16u* const* src, int x) {
        V8 lo, hi;
        LoadUnzippedBlocks(reinterpret_cast<const Qrx8u*>(src[0] + x), lo, hi);
        return {{field<RShift, RBits>(lo, hi), field<GShift, GBits>(lo, hi), field<BShift, BBits>(lo, hi)}};
    }
};

// Y plane with U and V planes of one sample per pixel pair.
struct InPlanes422 {
    static WideTri load(const Qrx8u* const* src, int x) {
        const auto chroma = [&](int i) {
            return repeatPairs(hn::PromoteTo(d16, hn::LoadU(dh8, src[i] + x / 2)));
        };
        return {{widen(hn::LoadU(d8, src[0] + x)), chroma(1), chroma(2)}};
    }
};

// Y0 U Y1 V pairs.
struct InYuyv {
    static WideTri load(const Qrx8u* const* src, int x) {
        V8 y, uv;
        hn::LoadInterleaved2(d8, src[0] + 2 * x, y, uv);
        const auto w = hn::BitCast(du16, uv);
        return {{widen(y), repeatPairs(hn::BitCast(d16, w & hn::Set(du16, 255))),
                 repeatPairs(hn::BitCast(d16, hn::ShiftRight<8>(w)))}};
    }
};

// ---- destinations -------------------------------------------------------------

template <int Channels, int C0, int C1, int C2>
struct OutPacked {
    template <class In>
    static void store(Qrx8u* const* dst, int x, const Tri8& o, const In&) {
        if constexpr (Channels == 3) {
            hn::StoreInterleaved3(o.c[C0], o.c[C1], o.c[C2], d8, dst[0] + 3 * x);
        } else {
            // Interleaved with a zero fourth byte, then merged with the
            // destination's fourth bytes, which stay as they were.
            alignas(64) Qrx8u mixed[4 * kStep];
            hn::StoreInterleaved4(o.c[C0], o.c[C1], o.c[C2], hn::Zero(d8), d8, mixed);
            const V8 keep = hn::BitCast(d8, hn::Set(d32, int32_t(0xFF000000u)));
            for (int i = 0; i < 4; ++i) {
                Qrx8u* q = dst[0] + 4 * x + i * kStep;
                hn::StoreU(hn::Or(hn::Load(d8, mixed + i * kStep), hn::And(keep, hn::LoadU(d8, q))), d8, q);
            }
        }
    }
};

// RGBA with the fourth byte written as 0.
struct OutOpaque {
    template <class In>
    static void store(Qrx8u* const* dst, int x, const Tri8& o, const In&) {
        hn::StoreInterleaved4(o.c[0], o.c[1], o.c[2], hn::Zero(d8), d8, dst[0] + 4 * x);
    }
};

// Three planes, and a fourth receiving the source alpha when there is one.
template <bool Alpha>
struct OutPlanes {
    template <class In>
    static void store(Qrx8u* const* dst, int x, const Tri8& o, const In& in) {
        for (int i = 0; i < 3; ++i) hn::StoreU(o.c[i], d8, dst[i] + x);
        if constexpr (Alpha) hn::StoreU(in.alpha, d8, dst[3] + x);
    }
};

struct OutYuyv {
    static void store(Qrx8u* const* dst, int x, const PairOut& o) {
        const auto clamp = [](V16 v) { return hn::BitCast(du16, hn::Min(hn::Max(v, k(0)), k(255))); };
        const V8 uv = hn::BitCast(d8, clamp(o.u) | hn::ShiftLeft<8>(clamp(o.v)));
        hn::StoreInterleaved2(o.y, uv, d8, dst[0] + 2 * x);
    }
};

struct OutPlanes422 {
    static void store(Qrx8u* const* dst, int x, const PairOut& o) {
        hn::StoreU(o.y, d8, dst[0] + x);
        hn::StoreU(hn::DemoteTo(dh8, o.u), dh8, dst[1] + x / 2);
        hn::StoreU(hn::DemoteTo(dh8, o.v), dh8, dst[2] + x / 2);
    }
};

// ---- kernels -----------------------------------------------------------------

template <class In, auto F, class Out, class S>
int pixels(const S* const* src, Qrx8u* const* dst, int n) {
    int x = 0;
    for (; x + kStep <= n; x += kStep) {
        const auto in = In::load(src, x);
        Out::store(dst, x, perPixel<F>(widen(in)), in);
    }
    return x;
}

template <class In, auto F, class Out, class S>
int pairs(const S* const* src, Qrx8u* const* dst, int n) {
    int x = 0;
    for (; x + kStep <= n; x += kStep) Out::store(dst, x, F(In::load(src, x)));
    return x;
}

template <class In, auto F, class S>
int blocks(const S* const* top, const S* const* bottom, Qrx8u* yTop, Qrx8u* yBottom, Qrx8u* u,
           Qrx8u* v, int n) {
    int x = 0;
    for (; x + kStep <= n; x += kStep) {
        const BlockOut o = F(In::load(top, x), In::load(bottom, x));
        hn::StoreU(o.yTop, d8, yTop + x);
        hn::StoreU(o.yBottom, d8, yBottom + x);
        hn::StoreU(hn::DemoteTo(dh8, o.u), dh8, u + x / 2);
        hn::StoreU(hn::DemoteTo(dh8, o.v), dh8, v + x / 2);
    }
    return x;
}

// Interleaved RGB and RGBA rows, four whole pixels per 16-byte block.
#include "lumachroma/yuv/kernels_packed_inl.h"

using InRgb = InPacked<0, 1, 2>;
using OutRgb = OutPacked<3, 0, 1, 2>;
using OutRgba = OutPacked<4, 0, 1, 2>;
using OutPlanes3 = OutPlanes<false>;
constexpr auto planarGroupInverse = groupInverse<kGroupInverse2, 12, 1>;

constexpr auto kRgbToYuvC3 = rgbToYuvQuads;
constexpr auto kRgbToYuvAC4 = rgbaToYuvaQuads;
constexpr auto kRgbToYuvC3P3 = rgbToYuvPlanesQuads;
constexpr auto kRgbToYuvP3 = pixels<InPlanes, groupForward, OutPlanes3, Qrx8u>;
constexpr auto kRgbToYuvAC4P4 = rgbaToPlanesQuads;
constexpr auto kYuvToRgbC3 = pixels<InRgb, groupInverse<kGroupInverse, 13, 0>, OutRgb, Qrx8u>;
constexpr auto kYuvToRgbAC4 = yuvaToRgbaQuads;
constexpr auto kYuvToRgbP3C3 = pixels<InPlanes, planarGroupInverse, OutRgb, Qrx8u>;
constexpr auto kYuvToRgbP3 = pixels<InPlanes, inverse<kInversePlanar>, OutPlanes3, Qrx8u>;
constexpr auto kRgbToYuv422C3C2 = pairs<InRgb, groupPair, OutYuyv, Qrx8u>;
constexpr auto kRgbToYuv422C3P3 = pairs<InRgb, groupPair, OutPlanes422, Qrx8u>;
constexpr auto kRgbToYuv422P3 = pairs<InPlanes, exactPair<Tri8>, OutPlanes422, Qrx8u>;
constexpr auto kRgb565ToYuv422 = pairs<InWords<0, 5, 5, 6, 11, 5>, exactPair<WideTri>, OutPlanes422, Qrx16u>;
constexpr auto kYuyvToRgb = pixels<InYuyv, planarGroupInverse, OutRgb, Qrx8u>;
constexpr auto kYuv422ToRgbC3 = pixels<InPlanes422, planarGroupInverse, OutRgb, Qrx8u>;
constexpr auto kYuv422ToRgba = pixels<InPlanes422, inverse<kInverse>, OutOpaque, Qrx8u>;
constexpr auto kYuv422ToRgbP3 = pixels<InPlanes422, planarGroupInverse, OutPlanes3, Qrx8u>;
constexpr auto kYuv422ToRgbP3Exact = pixels<InPlanes422, inverse<kInverse>, OutPlanes3, Qrx8u>;
constexpr auto kYuv422ToBgr = pixels<InPlanes422, inverse<kInverse>, OutPacked<3, 2, 1, 0>, Qrx8u>;
constexpr auto kRgbToYuv420C3 = rgbToYuv420Quads;
constexpr auto kRgbToYuv420P3 = blocks<InPlanes, exactBlock<Tri8>, Qrx8u>;
constexpr auto kBgraToYuv420 = bgraToYuv420Quads;
constexpr auto kRgb565ToYuv420 = blocks<InWords<0, 5, 5, 6, 11, 5>, exactBlock<WideTri>, Qrx16u>;
constexpr auto kBgr565ToYuv420 = blocks<InWords<11, 5, 5, 6, 0, 5>, exactBlock<WideTri>, Qrx16u>;
constexpr auto kBgr555ToYuv420 = blocks<InWords<10, 5, 5, 5, 0, 5>, exactBlock<WideTri>, Qrx16u>;

}  // namespace vec
}  // namespace QRX_ISA
}  // namespace qrx::yuv

#else  // no vector kernels in this build

namespace qrx::yuv {
inline namespace QRX_ISA {
namespace vec {
constexpr std::nullptr_t kRgbToYuvC3{}, kRgbToYuvAC4{}, kRgbToYuvC3P3{}, kRgbToYuvP3{},
    kRgbToYuvAC4P4{}, kYuvToRgbC3{}, kYuvToRgbAC4{}, kYuvToRgbP3C3{}, kYuvToRgbP3{},
    kRgbToYuv422C3C2{}, kRgbToYuv422C3P3{}, kRgbToYuv422P3{}, kRgb565ToYuv422{}, kYuyvToRgb{},
    kYuv422ToRgbC3{}, kYuv422ToRgba{}, kYuv422ToRgbP3{}, kYuv422ToRgbP3Exact{}, kYuv422ToBgr{},
    kRgbToYuv420C3{}, kRgbToYuv420P3{}, kBgraToYuv420{}, kRgb565ToYuv420{}, kBgr565ToYuv420{},
    kBgr555ToYuv420{};
}  // namespace vec
}  // namespace QRX_ISA
}  // namespace qrx::yuv

#endif
