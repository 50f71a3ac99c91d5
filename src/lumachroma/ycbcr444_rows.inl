// Row functions of the RGB <-> YCbCr 4:4:4 conversions, compiled once per
// instruction set by ycbcr444_rows_<target>.cpp (QRX_ISA names the set).
#include "frame/image.h"
#include "lumachroma/bt601.h"
#include "lumachroma/pixels.h"
#include "lumachroma/ycbcr444_rows.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

using bt601::Ycc;

// Interleaved encoder groups: halved weights, two truncations.
Ycc halvedWeights(Rgb p) {
    using namespace bt601;
    const int y = ((kHalfYr * p.r + kHalfYg * p.g) >> 11) + ((kHalfYb * p.b) >> 11);
    const int cb = ((kHalfCbR * p.r + kHalfCbG * p.g) >> 11) + ((kHalfCbB * p.b) >> 11);
    const int cr = ((kHalfCrR * p.r + kHalfCrG * p.g) >> 11) + ((kHalfCrB * p.b) >> 11);
    return {sat8u((y + kHalfYOffset) >> 4), sat8u((cb + kHalfCOffset) >> 4),
            sat8u((cr + kHalfCOffset) >> 4)};
}

// Planar encoder groups: every product truncated before the sum.
Ycc truncatedProducts(Rgb p) {
    using namespace bt601;
    const int y = ((kYr * p.r) >> kTruncYShift) + ((kYg * p.g) >> kTruncYShift) +
                  ((kYb * p.b) >> kTruncYShift);
    const int cb = ((kCbR * p.r) >> kTruncCShift) + ((kCbG * p.g) >> kTruncCShift) +
                   ((kCbB * p.b) >> kTruncCShift);
    const int cr = ((kCrR * p.r) >> kTruncCShift) + ((kCrG * p.g) >> kTruncCShift) +
                   ((kCrB * p.b) >> kTruncCShift);
    constexpr int yShift = 16 - kTruncYShift, cShift = 16 - kTruncCShift;
    return {((y + kTruncYRound) >> yShift) + 16, sat8u(((cb + kTruncCRound) >> cShift) + 128),
            sat8u(((cr + kTruncCRound) >> cShift) + 128)};
}

// Pixels [0, lead) by the group formula, the rest by the forward matrix.
template <Ycc (*Lead)(Rgb), class Src, class Dst>
void encode(Src src, Dst dst, int width, int lead) {
    for (int x = 0; x < width; ++x) {
        const Ycc c = x < lead ? Lead(src(x)) : bt601::forward(src(x));
        dst(x, Qrx8u(c.y), Qrx8u(c.cb), Qrx8u(c.cr));
    }
}

// YCbCr sources are read with the RGB readers: channel 0 is Y, 1 Cb, 2 Cr.
template <class Src, class Dst>
void decode(Src src, Dst dst, int width) {
    for (int x = 0; x < width; ++x) {
        const Rgb ycc = src(x);
        const bt601::Rgb8 c = bt601::inverse(ycc.r, ycc.g, ycc.b);
        dst(x, c.r, c.g, c.b);
    }
}

// A four-channel destination whose fourth byte is set to a constant.
template <class L>
struct FilledAlphaDst {
    PackedDst<L> dst;
    Qrx8u alpha;
    void operator()(int x, Qrx8u r, Qrx8u g, Qrx8u b) const {
        dst(x, r, g, b);
        dst.alpha(x, alpha);
    }
};

PlanarSrc planes(const Qrx8u* const p[3]) {
    return {p[0], p[1], p[2]};
}
PlanarDst planes(Qrx8u* const p[3]) {
    return {p[0], p[1], p[2]};
}

void rgbToYcbcrC3(const Qrx8u* src, Qrx8u* dst, int width) {
    encode<halvedWeights>(PackedSrc<RGB>{src}, PackedDst<RGB>{dst}, width, width & ~7);
}
void rgbToYcbcrAC4(const Qrx8u* src, Qrx8u* dst, int width) {
    encode<bt601::forward>(PackedSrc<RGBA>{src}, PackedDst<RGBA>{dst}, width, width);
}
template <class L>
void rgbToYcbcrToPlanes(const Qrx8u* src, Qrx8u* const dst[3], int width) {
    encode<truncatedProducts>(PackedSrc<L>{src}, planes(dst), width, width & ~7);
}
void rgbToYcbcrP3(const Qrx8u* const src[3], Qrx8u* const dst[3], int width) {
    encode<truncatedProducts>(planes(src), planes(dst), width, width & ~15);
}

template <class L>
void ycbcrToPacked(const Qrx8u* src, Qrx8u* dst, int width) {
    decode(PackedSrc<L>{src}, PackedDst<L>{dst}, width);
}
template <class L>
void ycbcrPlanesToPacked(const Qrx8u* const src[3], Qrx8u* dst, int width) {
    decode(planes(src), PackedDst<L>{dst}, width);
}
template <class L>
void ycbcrPlanesToPackedAlpha(const Qrx8u* const src[3], Qrx8u* dst, int width, Qrx8u alpha) {
    decode(planes(src), FilledAlphaDst<L>{{dst}, alpha}, width);
}
void ycbcrToRgbP3(const Qrx8u* const src[3], Qrx8u* const dst[3], int width) {
    decode(planes(src), planes(dst), width);
}

}  // namespace

// The decoders take the inverse matrix for every pixel, which meets the
// within-one bound of the vector groups trivially.

extern const Ycbcr444Rows kYcbcr444Rows;
const Ycbcr444Rows kYcbcr444Rows{
    rgbToYcbcrC3,
    rgbToYcbcrAC4,
    rgbToYcbcrToPlanes<RGB>,
    rgbToYcbcrToPlanes<RGBA>,
    rgbToYcbcrP3,
    ycbcrToPacked<RGB>,
    ycbcrToPacked<RGBA>,
    ycbcrPlanesToPacked<RGB>,
    ycbcrPlanesToPackedAlpha<RGBA>,
    ycbcrToRgbP3,
    ycbcrPlanesToPacked<BGR>,
    ycbcrPlanesToPackedAlpha<BGRA>,
};

}  // namespace QRX_ISA
}  // namespace qrx
