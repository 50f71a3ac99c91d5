#include "lumachroma/ycbcr_decode_rows.h"

#include "frame/image.h"
#include "lumachroma/pixels.h"

namespace qrx {
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

template <Arithmetic A, class Src, class Dst>
void convert(const Src& src, const Dst& dst, int width) {
    const int split = vectorEnd(A.columns, width);
    for (int x = 0; x < width; ++x) {
        const Rgb c = x < split ? vectorPixel(A.vector, src(x)) : scalarPixel(A.scalar, src(x));
        dst(x, sat8u(c.r), sat8u(c.g), sat8u(c.b));
    }
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

template <int CbAt, class L, Arithmetic A>
void packed422ToPixels(const Qrx8u* src, Qrx8u* dst, int width, Qrx8u alpha) {
    convert<A>(Packed422Src<CbAt>{src, width}, PixelsDst<L>{{dst}, alpha}, width);
}

template <int CbAt, Arithmetic A>
void packed422ToPlanes(const Qrx8u* src, Qrx8u* const dst[3], int width) {
    convert<A>(Packed422Src<CbAt>{src, width}, PlanarDst{dst[0], dst[1], dst[2]}, width);
}

template <int Shift, class L, Arithmetic A>
void planesToPixels(const Qrx8u* const src[3], Qrx8u* dst, int width, Qrx8u alpha) {
    convert<A>(PlanesSrc<Shift>{src[0], src[1], src[2]}, PixelsDst<L>{{dst}, alpha}, width);
}

template <class L>
void rowPair420(const Qrx8u* const src[4], Qrx8u* const dst[2], int width, Qrx8u alpha) {
    for (int i = 0; i < 2; ++i)
        convert<kPlanar420>(PlanesSrc<1>{src[i], src[2], src[3]}, PixelsDst<L>{{dst[i]}, alpha},
                            width);
}

void filteredRowPair420(const Qrx8u* const src[4], Qrx8u* const dst[2], int width,
                        Qrx8u alpha) {
    for (int i = 0; i < 2; ++i)
        convert<kFiltered420>(FilteredSrc{src[i], src[2], src[3], width / 2 - 1},
                              PixelsDst<BGRA>{{dst[i]}, alpha}, width);
}

constexpr int kCbFirst = 1;   // Y0 Cb Y1 Cr
constexpr int kCrFirst = 3;   // Y0 Cr Y1 Cb

constexpr YcbcrDecodeRows kScalarRows{
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

}  // namespace

const YcbcrDecodeRows& ycbcrDecodeRows() { return kScalarRows; }

}  // namespace qrx
