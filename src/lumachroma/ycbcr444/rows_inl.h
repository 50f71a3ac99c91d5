// Row functions of the RGB <-> YCbCr 4:4:4 conversions, compiled once per
// target by the units the build generates (QRX_ISA names the target).
#include "frame/image.h"
#include "lumachroma/bt601.h"
#include "lumachroma/pixels.h"
#include "lumachroma/ycbcr444/rows.h"

#include "frame/simd.h"

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

// Planar encoder groups: every product truncated before the sum. Inlined:
// a call per pixel that passes the pixel through the stack costs a stalled
// store-to-load forwarding every pixel.
[[gnu::always_inline]] inline Ycc truncatedProducts(Rgb p) {
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
void encode(Src src, Dst dst, int width, int lead, int from) {
    for (int x = from; x < width; ++x) {
        const Ycc c = x < lead ? Lead(src(x)) : bt601::forward(src(x));
        dst(x, Qrx8u(c.y), Qrx8u(c.cb), Qrx8u(c.cr));
    }
}

// Decoder groups: 16-bit arithmetic that a vector does with one high
// multiply per product. The weights are the inverse matrix's divided by 8
// (truncated toward zero), each product of a sample (centred for chroma)
// floored at 2^8, and the sum, in units of 1/32, floored once more. Within
// one of the matrix for every input (tested over all of them); black stays
// black.
constexpr int kGroupY = 9535, kGroupYOffset = 595;  // 76284 / 8; 16 x 76284 / 2048 - 1
constexpr int kGroupRCr = 13074, kGroupGCb = -3211, kGroupGCr = -6660, kGroupBCb = 16523;
constexpr int kGroupShift = 5;

bt601::Rgb8 inverseGroups(int Y, int Cb, int Cr) {
    const int y = ((Y * kGroupY) >> 8) - kGroupYOffset, b = Cb - 128, r = Cr - 128;
    return {sat8u((y + ((r * kGroupRCr) >> 8)) >> kGroupShift),
            sat8u((y + ((b * kGroupGCb) >> 8) + ((r * kGroupGCr) >> 8)) >> kGroupShift),
            sat8u((y + ((b * kGroupBCb) >> 8)) >> kGroupShift)};
}

// Pixels [from, lead) by the group formula, the rest of the row by the
// inverse matrix. YCbCr sources are read with the RGB readers: channel 0 is
// Y, 1 Cb, 2 Cr.
template <class Src, class Dst>
void decode(Src src, Dst dst, int width, int lead, int from) {
    for (int x = from; x < lead; ++x) {
        const Rgb ycc = src(x);
        const bt601::Rgb8 c = inverseGroups(ycc.r, ycc.g, ycc.b);
        dst(x, c.r, c.g, c.b);
    }
    for (int x = from > lead ? from : lead; x < width; ++x) {
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

// Pointer holders for the vector kernels, defined on every target so the
// row functions read the same everywhere; only AVX2 and AVX-512 builds give
// them kernels (elsewhere vectorLead converts nothing and the generic loops,
// auto-vectorised per target, take the whole row).
template <class L>
struct VecPackedSrc {
    const Qrx8u* p;
};
struct VecPlanarSrc {
    const Qrx8u* const* p;
};
enum class Alpha { None, Keep, Set };
template <class L, Alpha A>
struct VecPackedDst {
    Qrx8u* p;
    Qrx8u alpha;
};
struct VecPlanarDst {
    Qrx8u* const* p;
};

// The arithmetic of a vector group. Those that take channel words say by
// kHigh whether they want the samples in the high bytes (x 256) or the low
// bytes; the others take word pairs straight from an interleaved source.
struct Halved {};   // interleaved encoder groups
struct Forward {};  // forward matrix, exact
struct Inverse {};  // inverse matrix, exact
struct Truncated {  // planar encoder groups
    static constexpr bool kHigh = false;
};
struct InverseGroups {  // decoder groups
    static constexpr bool kHigh = true;
};

#if QRX_SIMD
#include "lumachroma/ycbcr444/kernels_inl.h"
#else

template <class Arith, class Src, class Dst>
int vectorLead(Src, Dst, int) {
    return 0;
}

#endif

void rgbToYcbcrC3(const Qrx8u* src, Qrx8u* dst, int width) {
    const int lead = width & ~7;
    const int done = vectorLead<Halved>(VecPackedSrc<RGB>{src}, VecPackedDst<RGB, Alpha::None>{dst, 0}, lead);
    encode<halvedWeights>(PackedSrc<RGB>{src}, PackedDst<RGB>{dst}, width, lead, done);
}
void rgbToYcbcrAC4(const Qrx8u* src, Qrx8u* dst, int width) {
    const int done = vectorLead<Forward>(VecPackedSrc<RGBA>{src}, VecPackedDst<RGBA, Alpha::Keep>{dst, 0}, width);
    encode<bt601::forward>(PackedSrc<RGBA>{src}, PackedDst<RGBA>{dst}, width, width, done);
}
template <class L>
void rgbToYcbcrToPlanes(const Qrx8u* src, Qrx8u* const dst[3], int width) {
    const int lead = width & ~7;
    const int done = vectorLead<Truncated>(VecPackedSrc<L>{src}, VecPlanarDst{dst}, lead);
    encode<truncatedProducts>(PackedSrc<L>{src}, planes(dst), width, lead, done);
}
void rgbToYcbcrP3(const Qrx8u* const src[3], Qrx8u* const dst[3], int width) {
    const int lead = width & ~15;
    const int done = vectorLead<Truncated>(VecPlanarSrc{src}, VecPlanarDst{dst}, lead);
    encode<truncatedProducts>(planes(src), planes(dst), width, lead, done);
}

// Decoders: groups of 8 pixels lead each row; the alpha-filling forms take
// the group formula for every pixel, the AC4 form none.
void ycbcrToRgbC3(const Qrx8u* src, Qrx8u* dst, int width) {
    const int lead = width & ~7;
    const int done = vectorLead<InverseGroups>(VecPackedSrc<RGB>{src}, VecPackedDst<RGB, Alpha::None>{dst, 0}, lead);
    decode(PackedSrc<RGB>{src}, PackedDst<RGB>{dst}, width, lead, done);
}
void ycbcrToRgbAC4(const Qrx8u* src, Qrx8u* dst, int width) {
    const int done = vectorLead<Inverse>(VecPackedSrc<RGBA>{src}, VecPackedDst<RGBA, Alpha::Keep>{dst, 0}, width);
    decode(PackedSrc<RGBA>{src}, PackedDst<RGBA>{dst}, width, 0, done);
}
template <class L>
void ycbcrPlanesToPacked(const Qrx8u* const src[3], Qrx8u* dst, int width) {
    const int lead = width & ~7;
    const int done = vectorLead<InverseGroups>(VecPlanarSrc{src}, VecPackedDst<L, Alpha::None>{dst, 0}, lead);
    decode(planes(src), PackedDst<L>{dst}, width, lead, done);
}
template <class L>
void ycbcrPlanesToPackedAlpha(const Qrx8u* const src[3], Qrx8u* dst, int width, Qrx8u alpha) {
    const int done = vectorLead<InverseGroups>(VecPlanarSrc{src}, VecPackedDst<L, Alpha::Set>{dst, alpha}, width);
    decode(planes(src), FilledAlphaDst<L>{{dst}, alpha}, width, width, done);
}
void ycbcrToRgbP3(const Qrx8u* const src[3], Qrx8u* const dst[3], int width) {
    const int lead = width & ~7;
    const int done = vectorLead<InverseGroups>(VecPlanarSrc{src}, VecPlanarDst{dst}, lead);
    decode(planes(src), planes(dst), width, lead, done);
}

}  // namespace

extern const Ycbcr444Rows kYcbcr444Rows;
const Ycbcr444Rows kYcbcr444Rows{
    rgbToYcbcrC3,
    rgbToYcbcrAC4,
    rgbToYcbcrToPlanes<RGB>,
    rgbToYcbcrToPlanes<RGBA>,
    rgbToYcbcrP3,
    ycbcrToRgbC3,
    ycbcrToRgbAC4,
    ycbcrPlanesToPacked<RGB>,
    ycbcrPlanesToPackedAlpha<RGBA>,
    ycbcrToRgbP3,
    ycbcrPlanesToPacked<BGR>,
    ycbcrPlanesToPackedAlpha<BGRA>,
};

}  // namespace QRX_ISA
}  // namespace qrx
