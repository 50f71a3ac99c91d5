// Row functions of the subsampled YCbCr decoders, compiled once per
// target by the units the build generates (QRX_ISA names the target).
//
// The portable templates below are the reference. Where the instruction set
// allows, hand-written kernels (kernels_inl.h) convert the
// leading vector columns of a row in blocks and report how far they got; the
// portable code finishes the row from there, so the vector and scalar
// columns of every row are exactly those of the reference.
#include "frame/image.h"
#include "lumachroma/bt601.h"
#include "lumachroma/pixels.h"
#include "lumachroma/ycbcr_decode/rows.h"
#include "frame/simd.h"

namespace qrx {
inline namespace QRX_ISA {
namespace ycbcrdec {

// Scalar matrix, 16 fractional bits, on y = Y - 16, u = Cb - 128, v = Cr - 128:
//   R = (a*y + b*v + rR) >> 16
//   G = (a*y - c*u - d*v + rG) >> 16
//   B = (a*y + e*u + rB) >> 16
// each clamped to 0..255.
struct ScalarSet {
    int a, b, c, d, e;
    int rR, rG, rB;  // rounding terms
};

// 16-bit lane arithmetic on Ys = (Y - 16) * 128, Us = (Cb - 128) * 128,
// Vs = (Cr - 128) * 128: each product keeps its high 16 bits (floor), terms
// are summed with signed 16-bit saturation, t is added, then >> 4, clamp:
//   R = (hi(Ys*kY) + hi(Vs*kR) + t) >> 4
//   G = (hi(Ys*kY) + hi(Us*-kGu) + hi(Vs*-kGv) + t) >> 4
//   B = (hi(Ys*kY) + hi(Us*kB) + t) >> 4
// No partial sum comes near the 16-bit limits (|hi(Ys*kY)| <= 4451, each
// chroma term at most 4131 in magnitude), so the saturation never acts and
// kernels may group the sums differently.
struct VectorSet {
    int kY, kR, kGu, kGv, kB;
    int t;
};

// S2 and S3 use the BT.601 inverse weights. S2 is defined on raw Y, Cb, Cr
// with the offsets -14608761 (R), +8887730 (G) and -18140365 (B); on centred
// samples those leave rounding terms of -57, -14 and -13.
constexpr ScalarSet withInverseWeights(int rR, int rG, int rB) {
    return {bt601::kInvY, bt601::kInvRCr, -bt601::kInvGCb, -bt601::kInvGCr, bt601::kInvBCb,
            rR, rG, rB};
}
constexpr ScalarSet rawSampleOffsets(int offR, int offG, int offB) {
    const ScalarSet w = withInverseWeights(0, 0, 0);
    return withInverseWeights(offR + 16 * w.a + 128 * w.b, offG + 16 * w.a - 128 * (w.c + w.d),
                              offB + 16 * w.a + 128 * w.e);
}

constexpr ScalarSet kS1{76282, 104593, 25689, 53279, 132184, 0, 0, 0};
constexpr ScalarSet kS2 = rawSampleOffsets(-14608761, 8887730, -18140365);
constexpr ScalarSet kS3 = withInverseWeights(32768, 32768, 32768);
constexpr ScalarSet kS4{76294, 104595, 25625, 53281, 132186, 0, 0, 0};
constexpr ScalarSet kS5{76309, 104597, 25675, 53279, 132201, 0, 0, 0};

constexpr VectorSet kV1{9535, 13074, 3211, 6660, 16523, 8};
constexpr VectorSet kV2{9536, 13074, 3203, 6660, 16523, 0};

// Which leading columns of a row take the vector arithmetic.
enum class VectorColumns {
    None,
    Groups8,            // 0 .. 8*floor(w/8)-1
    Groups8Then4,       // then one group of 4 if at least 4 columns remain
    Groups8Then4Then3,  // then a last group of 3 if exactly 3 remain
};

// The arithmetic of one kind of row: the vector set on the leading columns,
// the scalar set on the rest.
struct Arithmetic {
    ScalarSet scalar;
    VectorSet vector;
    VectorColumns columns;
};

constexpr Arithmetic kPacked422ToRgb{kS2, kV2, VectorColumns::Groups8Then4};
constexpr Arithmetic kPacked422ToBgr{kS2, kV1, VectorColumns::Groups8};
constexpr Arithmetic kPlanar422ToRgb{kS1, kV1, VectorColumns::Groups8};
constexpr Arithmetic kPlanar422ToBgr{kS2, kV1, VectorColumns::Groups8};
constexpr Arithmetic kPlanar420{kS3, kV1, VectorColumns::Groups8};
constexpr Arithmetic kPlanar411{kS4, kV2, VectorColumns::Groups8Then4Then3};
constexpr Arithmetic kFiltered420{kS5, VectorSet{}, VectorColumns::None};

}  // namespace ycbcrdec

namespace {

using namespace ycbcrdec;

struct Sample {
    int y, cb, cr;
};

Rgb scalarPixel(const ScalarSet& s, Sample p) {
    const int y = s.a * (p.y - 16), u = p.cb - 128, v = p.cr - 128;
    return {(y + s.b * v + s.rR) >> 16, (y - s.c * u - s.d * v + s.rG) >> 16,
            (y + s.e * u + s.rB) >> 16};
}

// High half of a signed 16 x 16-bit lane product.
int mulHigh(int lane, int k) { return (lane * k) >> 16; }
int addSat(int a, int b) { return sat16s(a + b); }

Rgb vectorPixel(const VectorSet& k, Sample p) {
    const int ys = (p.y - 16) * 128, us = (p.cb - 128) * 128, vs = (p.cr - 128) * 128;
    const int luma = mulHigh(ys, k.kY);
    const int r = addSat(luma, mulHigh(vs, k.kR));
    const int g = addSat(addSat(luma, mulHigh(us, -k.kGu)), mulHigh(vs, -k.kGv));
    const int b = addSat(luma, mulHigh(us, k.kB));
    return {addSat(r, k.t) >> 4, addSat(g, k.t) >> 4, addSat(b, k.t) >> 4};
}

// First column after the leading vector groups of a row of `width` pixels.
int vectorEnd(VectorColumns c, int width) {
    switch (c) {
        case VectorColumns::None:
            return 0;
        case VectorColumns::Groups8:
            return width & ~7;
        case VectorColumns::Groups8Then4:  // a group of 4 fits when 4..7 columns remain
            return width & ~3;
        case VectorColumns::Groups8Then4Then3:
            return (width & 3) == 3 ? width : width & ~3;
    }
    return 0;
}

// Interleaved 4:2:2, four bytes per pair: Y0 C Y1 C, Cb at byte CbAt (1 or 3)
// and Cr at the other. An odd last pixel has only the byte after its Y; its
// other component is the byte before its Y (none in a one-pixel row: 128).
template <int CbAt>
struct Packed422Src {
    const Qrx8u* p;
    int width;
    int chroma(int x, int at) const {
        const Qrx8u* pair = p + 2 * (x & ~1);
        if (at == 1 || (x | 1) < width) return pair[at];
        return x > 0 ? pair[-1] : 128;
    }
    Sample operator()(int x) const { return {p[2 * x], chroma(x, CbAt), chroma(x, 4 - CbAt)}; }
};

// Y, Cb, Cr planes; chroma sample x >> Shift serves column x.
template <int Shift>
struct PlanesSrc {
    const Qrx8u* y;
    const Qrx8u* cb;
    const Qrx8u* cr;
    Sample operator()(int x) const { return {y[x], cb[x >> Shift], cr[x >> Shift]}; }
};

// 4:2:0 planes with chroma interpolated horizontally: odd columns take the
// rounded mean of their pair's sample and the next, except in the last pair.
struct FilteredSrc {
    const Qrx8u* y;
    const Qrx8u* cb;
    const Qrx8u* cr;
    int lastPair;
    Sample operator()(int x) const {
        const int k = x >> 1;
        if ((x & 1) == 0 || k == lastPair) return {y[x], cb[k], cr[k]};
        return {y[x], (cb[k] + cb[k + 1] + 1) >> 1, (cr[k] + cr[k + 1] + 1) >> 1};
    }
};

// Interleaved destination; a four-channel one gets the alpha byte too.
template <class L>
struct PixelsDst {
    PackedDst<L> dst;
    Qrx8u alpha;
    void operator()(int x, Qrx8u r, Qrx8u g, Qrx8u b) const {
        dst(x, r, g, b);
        if constexpr (L::channels == 4) dst.alpha(x, alpha);
    }
};

// Of three values per channel, the one stored at byte At of a pixel of
// layout L.
template <class L, int At, class Channels>
auto channel(const Channels& p) {
    if constexpr (L::r == At) return p.r;
    else if constexpr (L::g == At) return p.g;
    else return p.b;
}

// What the kernels hold, for their vector type: three values per lane
// (chroma terms, or R, G, B), and the samples of pixel pairs (Y of the even
// and the odd pixel, the pair's Cb, Cr).
template <class V>
struct LaneTriple {
    V r, g, b;
};
template <class V>
struct PairSamples {
    V ye, yo, cb, cr;
};

}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx

#if QRX_SIMD
#include "lumachroma/ycbcr_decode/kernels_inl.h"
#endif

namespace qrx {
inline namespace QRX_ISA {
namespace {

#if QRX_SIMD
// Runs step(x) over whole steps of `size` columns from 0 to below end; a
// shorter remainder that is at least `grain` columns gets one more step
// ending at the last multiple of `grain` below end, which rewrites part of
// the previous step with the same values. Returns the first column left over.
template <class Step>
int steps(int end, int size, int grain, Step step) {
    int x = 0;
    for (; x + size <= end; x += size) step(x);
    const int last = end / grain * grain;
    if (x > 0 && x < last) {
        step(last - size);
        x = last;
    }
    return x;
}

// The vector columns 0..split-1 by the kernels, in steps that start at a
// multiple of 4 (4:1:1 chroma); returns the first column left for the
// portable code.
template <Arithmetic A, class Src, class Dst>
int leadingBlocks(const Src& src, const Dst& dst, int split) {
    using namespace dec_vec;
    if constexpr (A.columns == VectorColumns::None) {
        return 0;
    } else {
        const Weights k = weightsOf(A.vector);
        return steps(split, kBlock, 4, [&](int x) {
            const Pairs p = loadPairs(src, x);
            const Lanes c = chromaTerms(k, p.cb, p.cr);
            storePixels(dst, x, pixels(k, c, p.ye), pixels(k, c, p.yo));
        });
    }
}

// The same for a 4:2:0 row pair, the chroma terms serving both rows.
template <Arithmetic A, class L>
int leadingRowPairs(const Qrx8u* const src[4], Qrx8u* const dst[2], int split, Qrx8u alpha) {
    using namespace dec_vec;
    const Weights k = weightsOf(A.vector);
    const PixelsDst<L> out[2] = {{{dst[0]}, alpha}, {{dst[1]}, alpha}};
    return steps(split, kBlock, 2, [&](int x) {
        const Lanes c =
            chromaTerms(k, chromaPerPair(src[2] + x / 2), chromaPerPair(src[3] + x / 2));
        for (int i = 0; i < 2; ++i) {
            V ye, yo;
            lumaPairs(src[i] + x, ye, yo);
            storePixels(out[i], x, pixels(k, c, ye), pixels(k, c, yo));
        }
    });
}

// 4:2:0 row pair with interpolated chroma; the steps stop before the last
// pair of the row, whose odd pixel takes no mean.
template <Arithmetic A, class L>
int leadingFilteredPairs(const Qrx8u* const src[4], Qrx8u* const dst[2], int width,
                         Qrx8u alpha) {
    return 2 * steps(width / 2 - 1, dec_vec::kFilterPairs, 1, [&](int k) {
               dec_vec::filteredStep<L>(A.scalar, src, dst, k, alpha);
           });
}
#else
// Without kernels every column takes the portable code.
template <Arithmetic A, class Src, class Dst>
int leadingBlocks(const Src&, const Dst&, int) {
    return 0;
}
template <Arithmetic A, class L>
int leadingRowPairs(const Qrx8u* const[4], Qrx8u* const[2], int, Qrx8u) {
    return 0;
}
template <Arithmetic A, class L>
int leadingFilteredPairs(const Qrx8u* const[4], Qrx8u* const[2], int, Qrx8u) {
    return 0;
}
#endif

// Columns from..width-1 of one row: the vector arithmetic up to the split
// column, the scalar matrix after it.
template <Arithmetic A, class Src, class Dst>
void convert(const Src& src, const Dst& dst, int width, int from = 0) {
    const int split = vectorEnd(A.columns, width);
    int x = from;
    for (; x < split; ++x) {
        const Rgb c = vectorPixel(A.vector, src(x));
        dst(x, sat8u(c.r), sat8u(c.g), sat8u(c.b));
    }
    for (; x < width; ++x) {
        const Rgb c = scalarPixel(A.scalar, src(x));
        dst(x, sat8u(c.r), sat8u(c.g), sat8u(c.b));
    }
}

template <Arithmetic A, class Src, class Dst>
void convertRow(const Src& src, const Dst& dst, int width) {
    convert<A>(src, dst, width, leadingBlocks<A>(src, dst, vectorEnd(A.columns, width)));
}

template <int CbAt, class L, Arithmetic A>
void packed422ToPixels(const Qrx8u* src, Qrx8u* dst, int width, Qrx8u alpha) {
    convertRow<A>(Packed422Src<CbAt>{src, width}, PixelsDst<L>{{dst}, alpha}, width);
}

template <int CbAt, Arithmetic A>
void packed422ToPlanes(const Qrx8u* src, Qrx8u* const dst[3], int width) {
    convertRow<A>(Packed422Src<CbAt>{src, width}, PlanarDst{dst[0], dst[1], dst[2]}, width);
}

template <int Shift, class L, Arithmetic A>
void planesToPixels(const Qrx8u* const src[3], Qrx8u* dst, int width, Qrx8u alpha) {
    convertRow<A>(PlanesSrc<Shift>{src[0], src[1], src[2]}, PixelsDst<L>{{dst}, alpha}, width);
}

template <class L>
void rowPair420(const Qrx8u* const src[4], Qrx8u* const dst[2], int width, Qrx8u alpha) {
    const int done = leadingRowPairs<kPlanar420, L>(src, dst, vectorEnd(kPlanar420.columns, width),
                                                    alpha);
    for (int i = 0; i < 2; ++i)
        convert<kPlanar420>(PlanesSrc<1>{src[i], src[2], src[3]}, PixelsDst<L>{{dst[i]}, alpha},
                            width, done);
}

void filteredRowPair420(const Qrx8u* const src[4], Qrx8u* const dst[2], int width,
                        Qrx8u alpha) {
    const int done = leadingFilteredPairs<kFiltered420, BGRA>(src, dst, width, alpha);
    for (int i = 0; i < 2; ++i)
        convert<kFiltered420>(FilteredSrc{src[i], src[2], src[3], width / 2 - 1},
                              PixelsDst<BGRA>{{dst[i]}, alpha}, width, done);
}

constexpr int kCbFirst = 1;  // Y0 Cb Y1 Cr
constexpr int kCrFirst = 3;  // Y0 Cr Y1 Cb

}  // namespace

extern const YcbcrDecodeRows kYcbcrDecodeRows;
const YcbcrDecodeRows kYcbcrDecodeRows{
    packed422ToPixels<kCbFirst, RGB, kPacked422ToRgb>,
    packed422ToPixels<kCrFirst, RGB, kPacked422ToRgb>,
    packed422ToPlanes<kCbFirst, kPacked422ToRgb>,
    packed422ToPlanes<kCrFirst, kPacked422ToRgb>,
    packed422ToPixels<kCbFirst, BGR, kPacked422ToBgr>,
    packed422ToPixels<kCbFirst, BGRA, kPacked422ToBgr>,
    planesToPixels<1, RGB, kPlanar422ToRgb>,
    planesToPixels<1, BGR, kPlanar422ToBgr>,
    planesToPixels<2, BGR, kPlanar411>,
    planesToPixels<2, BGRA, kPlanar411>,
    rowPair420<BGR>,
    rowPair420<BGRA>,
    rowPair420<RGB>,
    rowPair420<RGBA>,
    filteredRowPair420,
};

}  // namespace QRX_ISA
}  // namespace qrx
