// Colour twist: entries, the matrix's working copy, the rounding-mode scope
// and the row driver.
#include <cfenv>
#include <type_traits>
#include <xmmintrin.h>

#include "colormodels/twist/rows.h"
#include "frame/checks.h"
#include "frame/image.h"
#include "qrxcc.h"

namespace qrx {

TwistColumns twistColumns3x4(const Qrx32f twist[3][4]) {
    TwistColumns m{};
    for (int j = 0; j < 4; ++j)
        for (int k = 0; k < 3; ++k) m.col[j][k] = twist[k][j];
    return m;
}

TwistColumns twistColumns4x4(const Qrx32f twist[4][4]) {
    TwistColumns m{};
    for (int j = 0; j < 4; ++j)
        for (int k = 0; k < 4; ++k) m.col[j][k] = twist[k][j];
    return m;
}

}  // namespace qrx

namespace {

using namespace qrx;

// Integer outputs are rounded to nearest, ties to even, whatever mode the
// caller runs in. The mode is changed only when the caller's differs (in
// the x87 control word or in MXCSR), and then the caller's whole
// floating-point environment is put back on the way out; exception flags
// raised by the conversion stay raised, as they do when nothing is changed.
class NearestEvenScope {
public:
    NearestEvenScope() {
        changed_ = std::fegetround() != FE_TONEAREST || (_mm_getcsr() & _MM_ROUND_MASK) != 0;
        if (changed_) {
            std::fegetenv(&saved_);
            std::fesetround(FE_TONEAREST);
        }
    }
    ~NearestEvenScope() {
        if (changed_) std::feupdateenv(&saved_);
    }
    NearestEvenScope(const NearestEvenScope&) = delete;
    NearestEvenScope& operator=(const NearestEvenScope&) = delete;

private:
    std::fenv_t saved_{};
    bool changed_ = false;
};

// Rows of interleaved images: one pointer per row.
template <class T>
void interleaved(const T* src, int srcStep, T* dst, int dstStep, QrxRoiSize roi,
                 TwistRow<T> row, const TwistColumns& m) {
    for (int y = 0; y < roi.height; ++y) {
        const T* s = rowPtr(src, srcStep, y);
        T* d = rowPtr(dst, dstStep, y);
        row(&s, &d, roi.width, m);
    }
}

template <class T>
void planar(const T* const src[3], int srcStep, T* const dst[3], int dstStep, QrxRoiSize roi,
            TwistRow<T> row, const TwistColumns& m) {
    for (int y = 0; y < roi.height; ++y) {
        const T* s[3] = {rowPtr(src[0], srcStep, y), rowPtr(src[1], srcStep, y),
                         rowPtr(src[2], srcStep, y)};
        T* d[3] = {rowPtr(dst[0], dstStep, y), rowPtr(dst[1], dstStep, y),
                   rowPtr(dst[2], dstStep, y)};
        row(s, d, roi.width, m);
    }
}

// The working copy of the matrix is taken only after the checks pass.
template <class T>
QrxStatus twistInterleaved(const T* src, int srcStep, T* dst, int dstStep, QrxRoiSize roi,
                           const Qrx32f twist[3][4], TwistRow<T> TwistRows::*row) {
    if (QrxStatus st = check::firstFailure(check::nulls(src, dst, twist), check::size(roi),
                                           check::steps(srcStep, dstStep)))
        return st;
    const TwistColumns m = twistColumns3x4(twist);
    if constexpr (std::is_same_v<T, Qrx32f>) {
        interleaved(src, srcStep, dst, dstStep, roi, twistRows().*row, m);
    } else {
        NearestEvenScope nearest;
        interleaved(src, srcStep, dst, dstStep, roi, twistRows().*row, m);
    }
    return qrxOk;
}

template <class T>
QrxStatus twistPlanar(const T* const src[3], int srcStep, T* const dst[3], int dstStep,
                      QrxRoiSize roi, const Qrx32f twist[3][4], TwistRow<T> TwistRows::*row) {
    if (QrxStatus st = check::firstFailure(check::nulls(src, dst, twist), check::planes(src, 3),
                                           check::planes(dst, 3), check::size(roi),
                                           check::steps(srcStep, dstStep)))
        return st;
    const TwistColumns m = twistColumns3x4(twist);
    if constexpr (std::is_same_v<T, Qrx32f>) {
        planar(src, srcStep, dst, dstStep, roi, twistRows().*row, m);
    } else {
        NearestEvenScope nearest;
        planar(src, srcStep, dst, dstStep, roi, twistRows().*row, m);
    }
    return qrxOk;
}

}  // namespace

// ---- 8u -----------------------------------------------------------------------

QrxStatus qrxiColorTwist32f_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                   QrxRoiSize roi, const Qrx32f twist[3][4]) {
    return twistInterleaved(pSrc, srcStep, pDst, dstStep, roi, twist, &TwistRows::c3_8u);
}
QrxStatus qrxiColorTwist32f_8u_C3IR(Qrx8u* pSrcDst, int step, QrxRoiSize roi,
                                    const Qrx32f twist[3][4]) {
    return twistInterleaved<Qrx8u>(pSrcDst, step, pSrcDst, step, roi, twist, &TwistRows::c3_8u);
}
QrxStatus qrxiColorTwist32f_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                    QrxRoiSize roi, const Qrx32f twist[3][4]) {
    return twistInterleaved(pSrc, srcStep, pDst, dstStep, roi, twist, &TwistRows::ac4_8u);
}
QrxStatus qrxiColorTwist32f_8u_AC4IR(Qrx8u* pSrcDst, int step, QrxRoiSize roi,
                                     const Qrx32f twist[3][4]) {
    return twistInterleaved<Qrx8u>(pSrcDst, step, pSrcDst, step, roi, twist, &TwistRows::ac4_8u);
}
QrxStatus qrxiColorTwist32f_8u_P3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* const pDst[3],
                                   int dstStep, QrxRoiSize roi, const Qrx32f twist[3][4]) {
    return twistPlanar(pSrc, srcStep, pDst, dstStep, roi, twist, &TwistRows::p3_8u);
}
QrxStatus qrxiColorTwist32f_8u_IP3R(Qrx8u* const pSrcDst[3], int step, QrxRoiSize roi,
                                    const Qrx32f twist[3][4]) {
    return twistPlanar<Qrx8u>(pSrcDst, step, pSrcDst, step, roi, twist, &TwistRows::p3_8u);
}

// ---- 8s -----------------------------------------------------------------------

QrxStatus qrxiColorTwist32f_8s_C3R(const Qrx8s* pSrc, int srcStep, Qrx8s* pDst, int dstStep,
                                   QrxRoiSize roi, const Qrx32f twist[3][4]) {
    return twistInterleaved(pSrc, srcStep, pDst, dstStep, roi, twist, &TwistRows::c3_8s);
}
QrxStatus qrxiColorTwist32f_8s_C3IR(Qrx8s* pSrcDst, int step, QrxRoiSize roi,
                                    const Qrx32f twist[3][4]) {
    return twistInterleaved<Qrx8s>(pSrcDst, step, pSrcDst, step, roi, twist, &TwistRows::c3_8s);
}
QrxStatus qrxiColorTwist32f_8s_AC4R(const Qrx8s* pSrc, int srcStep, Qrx8s* pDst, int dstStep,
                                    QrxRoiSize roi, const Qrx32f twist[3][4]) {
    return twistInterleaved(pSrc, srcStep, pDst, dstStep, roi, twist, &TwistRows::ac4_8s);
}
QrxStatus qrxiColorTwist32f_8s_AC4IR(Qrx8s* pSrcDst, int step, QrxRoiSize roi,
                                     const Qrx32f twist[3][4]) {
    return twistInterleaved<Qrx8s>(pSrcDst, step, pSrcDst, step, roi, twist, &TwistRows::ac4_8s);
}
QrxStatus qrxiColorTwist32f_8s_P3R(const Qrx8s* const pSrc[3], int srcStep, Qrx8s* const pDst[3],
                                   int dstStep, QrxRoiSize roi, const Qrx32f twist[3][4]) {
    return twistPlanar(pSrc, srcStep, pDst, dstStep, roi, twist, &TwistRows::p3_8s);
}
QrxStatus qrxiColorTwist32f_8s_IP3R(Qrx8s* const pSrcDst[3], int step, QrxRoiSize roi,
                                    const Qrx32f twist[3][4]) {
    return twistPlanar<Qrx8s>(pSrcDst, step, pSrcDst, step, roi, twist, &TwistRows::p3_8s);
}

// ---- 16u ----------------------------------------------------------------------

QrxStatus qrxiColorTwist32f_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                                    QrxRoiSize roi, const Qrx32f twist[3][4]) {
    return twistInterleaved(pSrc, srcStep, pDst, dstStep, roi, twist, &TwistRows::c3_16u);
}
QrxStatus qrxiColorTwist32f_16u_C3IR(Qrx16u* pSrcDst, int step, QrxRoiSize roi,
                                     const Qrx32f twist[3][4]) {
    return twistInterleaved<Qrx16u>(pSrcDst, step, pSrcDst, step, roi, twist, &TwistRows::c3_16u);
}
QrxStatus qrxiColorTwist32f_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                                     QrxRoiSize roi, const Qrx32f twist[3][4]) {
    return twistInterleaved(pSrc, srcStep, pDst, dstStep, roi, twist, &TwistRows::ac4_16u);
}
QrxStatus qrxiColorTwist32f_16u_AC4IR(Qrx16u* pSrcDst, int step, QrxRoiSize roi,
                                      const Qrx32f twist[3][4]) {
    return twistInterleaved<Qrx16u>(pSrcDst, step, pSrcDst, step, roi, twist, &TwistRows::ac4_16u);
}
QrxStatus qrxiColorTwist32f_16u_P3R(const Qrx16u* const pSrc[3], int srcStep,
                                    Qrx16u* const pDst[3], int dstStep, QrxRoiSize roi,
                                    const Qrx32f twist[3][4]) {
    return twistPlanar(pSrc, srcStep, pDst, dstStep, roi, twist, &TwistRows::p3_16u);
}
QrxStatus qrxiColorTwist32f_16u_IP3R(Qrx16u* const pSrcDst[3], int step, QrxRoiSize roi,
                                     const Qrx32f twist[3][4]) {
    return twistPlanar<Qrx16u>(pSrcDst, step, pSrcDst, step, roi, twist, &TwistRows::p3_16u);
}

// ---- 16s ----------------------------------------------------------------------

QrxStatus qrxiColorTwist32f_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
                                    QrxRoiSize roi, const Qrx32f twist[3][4]) {
    return twistInterleaved(pSrc, srcStep, pDst, dstStep, roi, twist, &TwistRows::c3_16s);
}
QrxStatus qrxiColorTwist32f_16s_C3IR(Qrx16s* pSrcDst, int step, QrxRoiSize roi,
                                     const Qrx32f twist[3][4]) {
    return twistInterleaved<Qrx16s>(pSrcDst, step, pSrcDst, step, roi, twist, &TwistRows::c3_16s);
}
QrxStatus qrxiColorTwist32f_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
                                     QrxRoiSize roi, const Qrx32f twist[3][4]) {
    return twistInterleaved(pSrc, srcStep, pDst, dstStep, roi, twist, &TwistRows::ac4_16s);
}
QrxStatus qrxiColorTwist32f_16s_AC4IR(Qrx16s* pSrcDst, int step, QrxRoiSize roi,
                                      const Qrx32f twist[3][4]) {
    return twistInterleaved<Qrx16s>(pSrcDst, step, pSrcDst, step, roi, twist, &TwistRows::ac4_16s);
}
QrxStatus qrxiColorTwist32f_16s_P3R(const Qrx16s* const pSrc[3], int srcStep,
                                    Qrx16s* const pDst[3], int dstStep, QrxRoiSize roi,
                                    const Qrx32f twist[3][4]) {
    return twistPlanar(pSrc, srcStep, pDst, dstStep, roi, twist, &TwistRows::p3_16s);
}
QrxStatus qrxiColorTwist32f_16s_IP3R(Qrx16s* const pSrcDst[3], int step, QrxRoiSize roi,
                                     const Qrx32f twist[3][4]) {
    return twistPlanar<Qrx16s>(pSrcDst, step, pSrcDst, step, roi, twist, &TwistRows::p3_16s);
}

// ---- 32f: computed in the caller's rounding mode --------------------------------

QrxStatus qrxiColorTwist_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                                 QrxRoiSize roi, const Qrx32f twist[3][4]) {
    return twistInterleaved(pSrc, srcStep, pDst, dstStep, roi, twist, &TwistRows::c3_32f);
}
QrxStatus qrxiColorTwist_32f_C3IR(Qrx32f* pSrcDst, int step, QrxRoiSize roi,
                                  const Qrx32f twist[3][4]) {
    return twistInterleaved<Qrx32f>(pSrcDst, step, pSrcDst, step, roi, twist, &TwistRows::c3_32f);
}
QrxStatus qrxiColorTwist_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                                  QrxRoiSize roi, const Qrx32f twist[3][4]) {
    return twistInterleaved(pSrc, srcStep, pDst, dstStep, roi, twist, &TwistRows::ac4_32f);
}
QrxStatus qrxiColorTwist_32f_AC4IR(Qrx32f* pSrcDst, int step, QrxRoiSize roi,
                                   const Qrx32f twist[3][4]) {
    return twistInterleaved<Qrx32f>(pSrcDst, step, pSrcDst, step, roi, twist, &TwistRows::ac4_32f);
}
QrxStatus qrxiColorTwist_32f_P3R(const Qrx32f* const pSrc[3], int srcStep,
                                 Qrx32f* const pDst[3], int dstStep, QrxRoiSize roi,
                                 const Qrx32f twist[3][4]) {
    return twistPlanar(pSrc, srcStep, pDst, dstStep, roi, twist, &TwistRows::p3_32f);
}
QrxStatus qrxiColorTwist_32f_IP3R(Qrx32f* const pSrcDst[3], int step, QrxRoiSize roi,
                                  const Qrx32f twist[3][4]) {
    return twistPlanar<Qrx32f>(pSrcDst, step, pSrcDst, step, roi, twist, &TwistRows::p3_32f);
}

QrxStatus qrxiColorTwist_32f_C4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                                 QrxRoiSize roi, const Qrx32f twist[4][4]) {
    if (QrxStatus st = check::firstFailure(check::nulls(pSrc, pDst, twist), check::size(roi),
                                           check::steps(srcStep, dstStep)))
        return st;
    interleaved(pSrc, srcStep, pDst, dstStep, roi, twistRows().c4_32f, twistColumns4x4(twist));
    return qrxOk;
}
