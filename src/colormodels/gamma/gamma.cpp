// Gamma correction: entries and the row driver.
#include "colormodels/gamma/rows.h"
#include "frame/checks.h"
#include "frame/image.h"
#include "frame/primitives.h"
#include "qrxcc.h"

namespace {

using namespace qrx;

enum class Layout { C3, AC4, P3 };

// Where a call reads and writes: plane pointer arrays (an interleaved image
// is one plane) and the one step of each image.
template <class T>
struct Images {
    const T* const* src;
    int srcStep;
    T* const* dst;
    int dstStep;
    QrxRoiSize roi;
};

// Interleaved rows are one run of 3 x width samples (C3) or width pixels
// (AC4); planar images are done plane 0 first, then plane 1, then plane 2.
template <Layout L, class T, class Row, class... Param>
void apply(const Images<T>& im, Row run, Row ac4, const Param&... p) {
    const int planes = L == Layout::P3 ? 3 : 1;
    const int count = L == Layout::C3 ? 3 * im.roi.width : im.roi.width;
    const Row row = L == Layout::AC4 ? ac4 : run;
    for (int i = 0; i < planes; ++i)
        for (int y = 0; y < im.roi.height; ++y)
            row(rowPtr(im.src[i], im.srcStep, y), rowPtr(im.dst[i], im.dstStep, y), count, p...);
}

// Nulls (planes in order for P3), size, steps.
template <Layout L, class T>
QrxStatus checks(const Images<T>& im) {
    if constexpr (L == Layout::P3) {
        return check::firstFailure(check::nulls(im.src, im.dst), check::planes(im.src, 3),
                                   check::planes(im.dst, 3), check::size(im.roi),
                                   check::steps(im.srcStep, im.dstStep));
    } else {
        return check::firstFailure(check::nulls(im.src[0], im.dst[0]), check::size(im.roi),
                                   check::steps(im.srcStep, im.dstStep));
    }
}

template <Layout L>
QrxStatus gamma8u(const Images<Qrx8u>& im, const Qrx8u* table) {
    if (QrxStatus st = checks<L>(im)) return st;
    apply<L>(im, gammaRows().lut8u, gammaRows().lut8uAc4, table);
    return qrxOk;
}

// Up to 65536 samples the curve is evaluated per sample; above, once per
// possible value into a scratch table (the same values either way). The
// count is 3 x width x height for every layout.
template <Layout L, bool Forward>
QrxStatus gamma16u(const Images<Qrx16u>& im) {
    if (QrxStatus st = checks<L>(im)) return st;
    const GammaRows& rows = gammaRows();
    const long long count = 3LL * im.roi.width * im.roi.height;
    if (count <= kGamma16uDirectLimit) {
        apply<L>(im, Forward ? rows.fwd16u : rows.inv16u, Forward ? rows.fwd16uAc4 : rows.inv16uAc4);
        return qrxOk;
    }
    Qrx16u* table = qrxsMalloc_16u(65536);
    if (!table) return qrxErrMemAlloc;
    for (int v = 0; v < 65536; ++v) table[v] = qrx::gamma16u<Forward>(static_cast<Qrx16u>(v));
    apply<L>(im, rows.lut16u, rows.lut16uAc4, static_cast<const Qrx16u*>(table));
    qrxsFree(table);
    return qrxOk;
}

// The range is tested before anything else; a NaN range passes.
template <Layout L, bool Forward>
QrxStatus gamma32f(const Images<Qrx32f>& im, Qrx32f vMin, Qrx32f vMax) {
    const Qrx32f range = vMax - vMin;
    if (range <= 0.0f) return qrxErrRange;
    if (QrxStatus st = checks<L>(im)) return st;
    const GammaRange r{vMin, range, 1.0 / static_cast<double>(range)};
    const GammaRows& rows = gammaRows();
    apply<L>(im, Forward ? rows.fwd32f : rows.inv32f, Forward ? rows.fwd32fAc4 : rows.inv32fAc4, r);
    return qrxOk;
}

// The argument forms of the entries, as Images.
template <class T>
Images<T> image(const T* const& src, int srcStep, T* const& dst, int dstStep, QrxRoiSize roi) {
    return Images<T>{&src, srcStep, &dst, dstStep, roi};
}
template <class T>
Images<T> inPlace(T* const& img, int step, QrxRoiSize roi) {
    const T* const* src = &img;
    return Images<T>{src, step, &img, step, roi};
}
template <class T>
Images<T> planes(const T* const* src, int srcStep, T* const* dst, int dstStep, QrxRoiSize roi) {
    return Images<T>{src, srcStep, dst, dstStep, roi};
}
template <class T>
Images<T> planesInPlace(T* const* img, int step, QrxRoiSize roi) {
    return Images<T>{img, step, img, step, roi};
}

constexpr Layout C3 = Layout::C3, AC4 = Layout::AC4, P3 = Layout::P3;

}  // namespace

// ---- 8u: constant tables -----------------------------------------------------

QrxStatus qrxiGammaFwd_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                              QrxRoiSize roi) {
    return gamma8u<C3>(image(pSrc, srcStep, pDst, dstStep, roi), kGammaFwd8u);
}
QrxStatus qrxiGammaFwd_8u_C3IR(Qrx8u* pSrcDst, int step, QrxRoiSize roi) {
    return gamma8u<C3>(inPlace(pSrcDst, step, roi), kGammaFwd8u);
}
QrxStatus qrxiGammaFwd_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                               QrxRoiSize roi) {
    return gamma8u<AC4>(image(pSrc, srcStep, pDst, dstStep, roi), kGammaFwd8u);
}
QrxStatus qrxiGammaFwd_8u_AC4IR(Qrx8u* pSrcDst, int step, QrxRoiSize roi) {
    return gamma8u<AC4>(inPlace(pSrcDst, step, roi), kGammaFwd8u);
}
QrxStatus qrxiGammaFwd_8u_P3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* const pDst[3],
                              int dstStep, QrxRoiSize roi) {
    return gamma8u<P3>(planes(pSrc, srcStep, pDst, dstStep, roi), kGammaFwd8u);
}
QrxStatus qrxiGammaFwd_8u_IP3R(Qrx8u* const pSrcDst[3], int step, QrxRoiSize roi) {
    return gamma8u<P3>(planesInPlace(pSrcDst, step, roi), kGammaFwd8u);
}
QrxStatus qrxiGammaInv_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                              QrxRoiSize roi) {
    return gamma8u<C3>(image(pSrc, srcStep, pDst, dstStep, roi), kGammaInv8u);
}
QrxStatus qrxiGammaInv_8u_C3IR(Qrx8u* pSrcDst, int step, QrxRoiSize roi) {
    return gamma8u<C3>(inPlace(pSrcDst, step, roi), kGammaInv8u);
}
QrxStatus qrxiGammaInv_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                               QrxRoiSize roi) {
    return gamma8u<AC4>(image(pSrc, srcStep, pDst, dstStep, roi), kGammaInv8u);
}
QrxStatus qrxiGammaInv_8u_AC4IR(Qrx8u* pSrcDst, int step, QrxRoiSize roi) {
    return gamma8u<AC4>(inPlace(pSrcDst, step, roi), kGammaInv8u);
}
QrxStatus qrxiGammaInv_8u_P3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* const pDst[3],
                              int dstStep, QrxRoiSize roi) {
    return gamma8u<P3>(planes(pSrc, srcStep, pDst, dstStep, roi), kGammaInv8u);
}
QrxStatus qrxiGammaInv_8u_IP3R(Qrx8u* const pSrcDst[3], int step, QrxRoiSize roi) {
    return gamma8u<P3>(planesInPlace(pSrcDst, step, roi), kGammaInv8u);
}

// ---- 16u: the curve per sample, or a scratch table ------------------------------

QrxStatus qrxiGammaFwd_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                               QrxRoiSize roi) {
    return gamma16u<C3, true>(image(pSrc, srcStep, pDst, dstStep, roi));
}
QrxStatus qrxiGammaFwd_16u_C3IR(Qrx16u* pSrcDst, int step, QrxRoiSize roi) {
    return gamma16u<C3, true>(inPlace(pSrcDst, step, roi));
}
QrxStatus qrxiGammaFwd_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                                QrxRoiSize roi) {
    return gamma16u<AC4, true>(image(pSrc, srcStep, pDst, dstStep, roi));
}
QrxStatus qrxiGammaFwd_16u_AC4IR(Qrx16u* pSrcDst, int step, QrxRoiSize roi) {
    return gamma16u<AC4, true>(inPlace(pSrcDst, step, roi));
}
QrxStatus qrxiGammaFwd_16u_P3R(const Qrx16u* const pSrc[3], int srcStep, Qrx16u* const pDst[3],
                               int dstStep, QrxRoiSize roi) {
    return gamma16u<P3, true>(planes(pSrc, srcStep, pDst, dstStep, roi));
}
QrxStatus qrxiGammaFwd_16u_IP3R(Qrx16u* const pSrcDst[3], int step, QrxRoiSize roi) {
    return gamma16u<P3, true>(planesInPlace(pSrcDst, step, roi));
}
QrxStatus qrxiGammaInv_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                               QrxRoiSize roi) {
    return gamma16u<C3, false>(image(pSrc, srcStep, pDst, dstStep, roi));
}
QrxStatus qrxiGammaInv_16u_C3IR(Qrx16u* pSrcDst, int step, QrxRoiSize roi) {
    return gamma16u<C3, false>(inPlace(pSrcDst, step, roi));
}
QrxStatus qrxiGammaInv_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                                QrxRoiSize roi) {
    return gamma16u<AC4, false>(image(pSrc, srcStep, pDst, dstStep, roi));
}
QrxStatus qrxiGammaInv_16u_AC4IR(Qrx16u* pSrcDst, int step, QrxRoiSize roi) {
    return gamma16u<AC4, false>(inPlace(pSrcDst, step, roi));
}
QrxStatus qrxiGammaInv_16u_P3R(const Qrx16u* const pSrc[3], int srcStep, Qrx16u* const pDst[3],
                               int dstStep, QrxRoiSize roi) {
    return gamma16u<P3, false>(planes(pSrc, srcStep, pDst, dstStep, roi));
}
QrxStatus qrxiGammaInv_16u_IP3R(Qrx16u* const pSrcDst[3], int step, QrxRoiSize roi) {
    return gamma16u<P3, false>(planesInPlace(pSrcDst, step, roi));
}

// ---- 32f: the curve over the caller's range ---------------------------------------

QrxStatus qrxiGammaFwd_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                               QrxRoiSize roi, Qrx32f vMin, Qrx32f vMax) {
    return gamma32f<C3, true>(image(pSrc, srcStep, pDst, dstStep, roi), vMin, vMax);
}
QrxStatus qrxiGammaFwd_32f_C3IR(Qrx32f* pSrcDst, int step, QrxRoiSize roi, Qrx32f vMin,
                                Qrx32f vMax) {
    return gamma32f<C3, true>(inPlace(pSrcDst, step, roi), vMin, vMax);
}
QrxStatus qrxiGammaFwd_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                                QrxRoiSize roi, Qrx32f vMin, Qrx32f vMax) {
    return gamma32f<AC4, true>(image(pSrc, srcStep, pDst, dstStep, roi), vMin, vMax);
}
QrxStatus qrxiGammaFwd_32f_AC4IR(Qrx32f* pSrcDst, int step, QrxRoiSize roi, Qrx32f vMin,
                                 Qrx32f vMax) {
    return gamma32f<AC4, true>(inPlace(pSrcDst, step, roi), vMin, vMax);
}
QrxStatus qrxiGammaFwd_32f_P3R(const Qrx32f* const pSrc[3], int srcStep, Qrx32f* const pDst[3],
                               int dstStep, QrxRoiSize roi, Qrx32f vMin, Qrx32f vMax) {
    return gamma32f<P3, true>(planes(pSrc, srcStep, pDst, dstStep, roi), vMin, vMax);
}
QrxStatus qrxiGammaFwd_32f_IP3R(Qrx32f* const pSrcDst[3], int step, QrxRoiSize roi, Qrx32f vMin,
                                Qrx32f vMax) {
    return gamma32f<P3, true>(planesInPlace(pSrcDst, step, roi), vMin, vMax);
}
QrxStatus qrxiGammaInv_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                               QrxRoiSize roi, Qrx32f vMin, Qrx32f vMax) {
    return gamma32f<C3, false>(image(pSrc, srcStep, pDst, dstStep, roi), vMin, vMax);
}
QrxStatus qrxiGammaInv_32f_C3IR(Qrx32f* pSrcDst, int step, QrxRoiSize roi, Qrx32f vMin,
                                Qrx32f vMax) {
    return gamma32f<C3, false>(inPlace(pSrcDst, step, roi), vMin, vMax);
}
QrxStatus qrxiGammaInv_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                                QrxRoiSize roi, Qrx32f vMin, Qrx32f vMax) {
    return gamma32f<AC4, false>(image(pSrc, srcStep, pDst, dstStep, roi), vMin, vMax);
}
QrxStatus qrxiGammaInv_32f_AC4IR(Qrx32f* pSrcDst, int step, QrxRoiSize roi, Qrx32f vMin,
                                 Qrx32f vMax) {
    return gamma32f<AC4, false>(inPlace(pSrcDst, step, roi), vMin, vMax);
}
QrxStatus qrxiGammaInv_32f_P3R(const Qrx32f* const pSrc[3], int srcStep, Qrx32f* const pDst[3],
                               int dstStep, QrxRoiSize roi, Qrx32f vMin, Qrx32f vMax) {
    return gamma32f<P3, false>(planes(pSrc, srcStep, pDst, dstStep, roi), vMin, vMax);
}
QrxStatus qrxiGammaInv_32f_IP3R(Qrx32f* const pSrcDst[3], int step, QrxRoiSize roi, Qrx32f vMin,
                                Qrx32f vMax) {
    return gamma32f<P3, false>(planesInPlace(pSrcDst, step, roi), vMin, vMax);
}
