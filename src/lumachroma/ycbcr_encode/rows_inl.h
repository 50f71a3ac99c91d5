// Row functions of the subsampled YCbCr encoders, compiled once per
// target by the units the build generates (QRX_ISA names the target).
//
// Each row function lets the hand-written vector kernels of its target (if
// any) convert the complete groups of the row and finishes the rest with the
// plain code below, which alone is the scalar reference. Every value is the
// exact formula's, so the split point never shows in the output.
#include <type_traits>

#include "lumachroma/bt601.h"
#include "lumachroma/pixels.h"
#include "lumachroma/ycbcr_encode/rows.h"

#include "frame/simd.h"

#if QRX_SIMD
#include "lumachroma/ycbcr_encode/kernels_inl.h"
#else
namespace qrx {
inline namespace QRX_ISA {
namespace {
namespace enc_vec {

// No hand kernels for this target: every column takes the plain code.
template <int N, class Src>
int planes(const Src&, Qrx8u*, Qrx8u*, Qrx8u*, int) { return 0; }
template <const ycbcr_enc::ChromaBias&, bool, class Src>
int packed(const Src&, Qrx8u*, int) { return 0; }
template <const ycbcr_enc::ChromaBias&, class Src>
int rowPair(const Src&, const Src&, Qrx8u*, Qrx8u*, Qrx8u*, Qrx8u*, int) { return 0; }
template <class Src>
int luma(const Src&, Qrx8u*, int) { return 0; }

}  // namespace enc_vec
}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx
#endif

namespace qrx {
inline namespace QRX_ISA {
namespace {

using namespace bt601;
using ycbcr_enc::ChromaBias, ycbcr_enc::kBlockChroma, ycbcr_enc::kNearestChroma;

// The pointer type a layout reader wraps.
template <class Src>
using Ptr = decltype(Src::p);

// 16-bit sources give leftover columns their luma; 8-bit sources leave them.
template <class Src>
constexpr bool kLumaTail = std::is_same_v<Ptr<Src>, const Qrx16u*>;

struct Sum {
    int r = 0, g = 0, b = 0;
    Sum& operator+=(Rgb p) {
        r += p.r;
        g += p.g;
        b += p.b;
        return *this;
    }
};

inline Qrx8u luma(Rgb p) {
    return static_cast<Qrx8u>((kYr * p.r + kYg * p.g + kYb * p.b + kYOffset) >> 16);
}

struct Chroma {
    Qrx8u cb, cr;
};

// Chroma of a pixel sum: weighted, biased, arithmetic shift, low 8 bits kept.
// The largest magnitude (4 x 255 x 28770 plus the bias) fits in 32 bits.
inline Chroma chroma(const Sum& s, int bias, int shift) {
    return {static_cast<Qrx8u>((kCbR * s.r + kCbG * s.g + kCbB * s.b + bias) >> shift),
            static_cast<Qrx8u>((kCrR * s.r + kCrG * s.g + kCrB * s.b + bias) >> shift)};
}

// 4:2:2 and 4:1:1 into planes: groups of `N` pixels share one chroma pair.
// Columns before `from` (a multiple of N) are already done.
template <int N, class Src>
void planesFrom(const Src& src, Qrx8u* y, Qrx8u* cb, Qrx8u* cr, int from, int width) {
    static_assert(N == 2 || N == 4);
    constexpr int shift = N == 2 ? 17 : 18;
    constexpr int bias = N == 2 ? kBlockChroma.pair : kBlockChroma.quad;
    const int whole = width - width % N;
    for (int x = from; x < whole; x += N) {
        Sum s;
        for (int i = 0; i < N; ++i) {
            const Rgb px = src(x + i);
            y[x + i] = luma(px);
            s += px;
        }
        const Chroma c = chroma(s, bias, shift);
        cb[x / N] = c.cb;
        cr[x / N] = c.cr;
    }
    // A lone 4:2:2 pixel always gets its luma; 4:1:1 leftovers only from 16 bits.
    if (N == 2 || kLumaTail<Src>)
        for (int x = whole; x < width; ++x) y[x] = luma(src(x));
}

template <int N, class Src>
void toPlanes(Ptr<Src> p, Qrx8u* y, Qrx8u* cb, Qrx8u* cr, int width) {
    const Src src{p};
    planesFrom<N>(src, y, cb, cr, enc_vec::planes<N>(src, y, cb, cr, width - width % N), width);
}

// Packed 4:2:2, bytes Y0 Cb Y1 Cr, or Y0 Cr Y1 Cb when `CrFirst`.
template <const ChromaBias& Bias, bool CrFirst, class Src>
void packedRow(const Src& src, Qrx8u* d, int width) {
    const int pairs = width / 2;
    for (int i = enc_vec::packed<Bias, CrFirst>(src, d, 2 * pairs) / 2; i < pairs; ++i) {
        const Rgb a = src(2 * i), b = src(2 * i + 1);
        Sum s;
        s += a;
        s += b;
        const Chroma c = chroma(s, Bias.pair, 17);
        d[4 * i] = luma(a);
        d[4 * i + 1] = CrFirst ? c.cr : c.cb;
        d[4 * i + 2] = luma(b);
        d[4 * i + 3] = CrFirst ? c.cb : c.cr;
    }
    if (width & 1) {
        const Rgb a = src(width - 1);
        Sum s;
        s += a;
        const Chroma c = chroma(s, Bias.single, 16);
        d[4 * pairs] = luma(a);
        d[4 * pairs + 1] = CrFirst ? c.cr : c.cb;
    }
}

template <const ChromaBias& Bias, bool CrFirst, class Src>
void toPacked(Ptr<Src> p, Qrx8u* d, int width) {
    packedRow<Bias, CrFirst>(Src{p}, d, width);
}

template <bool CrFirst>
void planarToPacked(const Qrx8u* r, const Qrx8u* g, const Qrx8u* b, Qrx8u* d, int width) {
    packedRow<kNearestChroma, CrFirst>(PlanarSrc{r, g, b}, d, width);
}

// 4:2:0: one 2x2 block per chroma sample.
template <const ChromaBias& Bias, class Src>
void rowPair(Ptr<Src> p0, Ptr<Src> p1, Qrx8u* y0, Qrx8u* y1, Qrx8u* cb, Qrx8u* cr, int width) {
    const Src s0{p0}, s1{p1};
    const int blocks = width / 2;
    for (int i = enc_vec::rowPair<Bias>(s0, s1, y0, y1, cb, cr, 2 * blocks) / 2; i < blocks; ++i) {
        const int x = 2 * i;
        const Rgb a = s0(x), b = s0(x + 1), c = s1(x), d = s1(x + 1);
        y0[x] = luma(a);
        y0[x + 1] = luma(b);
        y1[x] = luma(c);
        y1[x + 1] = luma(d);
        Sum s;
        s += a;
        s += b;
        s += c;
        s += d;
        const Chroma ch = chroma(s, Bias.quad, 18);
        cb[i] = ch.cb;
        cr[i] = ch.cr;
    }
    if (kLumaTail<Src> && (width & 1)) {
        y0[width - 1] = luma(s0(width - 1));
        y1[width - 1] = luma(s1(width - 1));
    }
}

template <class Src>
void lumaRow(Ptr<Src> p, Qrx8u* y, int width) {
    const Src src{p};
    for (int x = enc_vec::luma(src, y, width); x < width; ++x) y[x] = luma(src(x));
}

}  // namespace

extern const YcbcrEncodeRows kYcbcrEncodeRows;
const YcbcrEncodeRows kYcbcrEncodeRows{
    .rgbTo422 = toPlanes<2, PackedSrc<RGB>>,
    .bgrTo422 = toPlanes<2, PackedSrc<BGR>>,
    .bgraTo422 = toPlanes<2, PackedSrc<BGRA>>,
    .bgr555To422 = toPlanes<2, Bgr555Src>,
    .bgr565To422 = toPlanes<2, Bgr565Src>,
    .rgbToYCbCr422Packed = toPacked<kNearestChroma, false, PackedSrc<RGB>>,
    .rgbToYCrCb422Packed = toPacked<kNearestChroma, true, PackedSrc<RGB>>,
    .rgbPlanarToYCbCr422Packed = planarToPacked<false>,
    .rgbPlanarToYCrCb422Packed = planarToPacked<true>,
    .bgrTo422Packed = toPacked<kBlockChroma, false, PackedSrc<BGR>>,
    .bgraTo422Packed = toPacked<kBlockChroma, false, PackedSrc<BGRA>>,
    .bgr555To422Packed = toPacked<kBlockChroma, false, Bgr555Src>,
    .bgr565To422Packed = toPacked<kBlockChroma, false, Bgr565Src>,
    .rgbTo420 = rowPair<kNearestChroma, PackedSrc<RGB>>,
    .rgbaTo420 = rowPair<kBlockChroma, PackedSrc<RGBA>>,
    .bgrTo420 = rowPair<kBlockChroma, PackedSrc<BGR>>,
    .bgraTo420 = rowPair<kBlockChroma, PackedSrc<BGRA>>,
    .bgr555To420 = rowPair<kBlockChroma, Bgr555Src>,
    .bgr565To420 = rowPair<kBlockChroma, Bgr565Src>,
    .bgr555Luma = lumaRow<Bgr555Src>,
    .bgr565Luma = lumaRow<Bgr565Src>,
    .bgrTo411 = toPlanes<4, PackedSrc<BGR>>,
    .bgraTo411 = toPlanes<4, PackedSrc<BGRA>>,
    .bgr555To411 = toPlanes<4, Bgr555Src>,
    .bgr565To411 = toPlanes<4, Bgr565Src>,
};

}  // namespace QRX_ISA
}  // namespace qrx
