// Colour to gray with the fixed luma weights or the caller's: entries and
// row driver.
#include <cstdint>

#include "colormodels/gray/rows.h"
#include "frame/checks.h"
#include "frame/image.h"
#include "qrxcc.h"

namespace qrx {

GrayWeights12 grayWeights12(const Qrx32f c[3]) {
    GrayWeights12 w{};
    for (int i = 0; i < 3; ++i) {
        const double v = static_cast<double>(c[i]) * 4096.0 + 0.5;
        // Out of the 32-bit range (or NaN) the conversion yields 0x80000000,
        // whose low 16 bits are 0.
        const bool inRange = v > -2147483649.0 && v < 2147483648.0;
        w.k[i] = static_cast<Qrx16u>(inRange ? static_cast<int64_t>(v) : INT32_MIN);
    }
    return w;
}

}  // namespace qrx

namespace {

using namespace qrx;

template <class T, class Row, class Weights>
QrxStatus toGray(const T* src, int srcStep, T* dst, int dstStep, QrxRoiSize roi, Row row,
                 const Weights& weights) {
    srcStep = wholeElementStep<T>(srcStep);
    dstStep = wholeElementStep<T>(dstStep);
    for (int y = 0; y < roi.height; ++y)
        row(rowPtr(src, srcStep, y), rowPtr(dst, dstStep, y), roi.width, weights);
    return qrxOk;
}

template <class T>
QrxStatus checks(const T* src, const T* dst, QrxRoiSize roi) {
    return check::firstFailure(check::nulls(src, dst), check::size(roi));
}

}  // namespace

QrxStatus qrxiRGBToGray_8u_C3C1R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                 QrxRoiSize roi) {
    if (QrxStatus st = checks(pSrc, pDst, roi)) return st;
    return toGray(pSrc, srcStep, pDst, dstStep, roi, grayRows().c3_8u, grayWeights12(kGrayWeights));
}

QrxStatus qrxiRGBToGray_8u_AC4C1R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                  QrxRoiSize roi) {
    if (QrxStatus st = checks(pSrc, pDst, roi)) return st;
    return toGray(pSrc, srcStep, pDst, dstStep, roi, grayRows().ac4_8u,
                  grayWeights12(kGrayWeights));
}

QrxStatus qrxiRGBToGray_16u_C3C1R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                                  QrxRoiSize roi) {
    if (QrxStatus st = checks(pSrc, pDst, roi)) return st;
    return toGray(pSrc, srcStep, pDst, dstStep, roi, grayRows().c3_16u, &kGrayWeights[0]);
}

QrxStatus qrxiRGBToGray_16u_AC4C1R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                                   QrxRoiSize roi) {
    if (QrxStatus st = checks(pSrc, pDst, roi)) return st;
    return toGray(pSrc, srcStep, pDst, dstStep, roi, grayRows().ac4_16u, &kGrayWeights[0]);
}

QrxStatus qrxiRGBToGray_16s_C3C1R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
                                  QrxRoiSize roi) {
    if (QrxStatus st = checks(pSrc, pDst, roi)) return st;
    return toGray(pSrc, srcStep, pDst, dstStep, roi, grayRows().c3_16s, &kGrayWeights[0]);
}

QrxStatus qrxiRGBToGray_16s_AC4C1R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
                                   QrxRoiSize roi) {
    if (QrxStatus st = checks(pSrc, pDst, roi)) return st;
    return toGray(pSrc, srcStep, pDst, dstStep, roi, grayRows().ac4_16s, &kGrayWeights[0]);
}

QrxStatus qrxiRGBToGray_32f_C3C1R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                                  QrxRoiSize roi) {
    if (QrxStatus st = checks(pSrc, pDst, roi)) return st;
    return toGray(pSrc, srcStep, pDst, dstStep, roi, grayRows().c3_32f, &kGrayWeights[0]);
}

QrxStatus qrxiRGBToGray_32f_AC4C1R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                                   QrxRoiSize roi) {
    if (QrxStatus st = checks(pSrc, pDst, roi)) return st;
    return toGray(pSrc, srcStep, pDst, dstStep, roi, grayRows().ac4_32f, &kGrayWeights[0]);
}

// The caller's weights are read only once the checks have passed.
QrxStatus qrxiColorToGray_8u_C3C1R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                   QrxRoiSize roi, const Qrx32f coeffs[3]) {
    if (QrxStatus st = checks(pSrc, pDst, roi)) return st;
    return toGray(pSrc, srcStep, pDst, dstStep, roi, grayRows().c3_8u, grayWeights12(coeffs));
}

QrxStatus qrxiColorToGray_8u_AC4C1R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                    QrxRoiSize roi, const Qrx32f coeffs[3]) {
    if (QrxStatus st = checks(pSrc, pDst, roi)) return st;
    return toGray(pSrc, srcStep, pDst, dstStep, roi, grayRows().ac4_8u, grayWeights12(coeffs));
}

QrxStatus qrxiColorToGray_16u_C3C1R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                                    QrxRoiSize roi, const Qrx32f coeffs[3]) {
    if (QrxStatus st = checks(pSrc, pDst, roi)) return st;
    return toGray(pSrc, srcStep, pDst, dstStep, roi, grayRows().c3_16u, coeffs);
}

QrxStatus qrxiColorToGray_16u_AC4C1R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                                     QrxRoiSize roi, const Qrx32f coeffs[3]) {
    if (QrxStatus st = checks(pSrc, pDst, roi)) return st;
    return toGray(pSrc, srcStep, pDst, dstStep, roi, grayRows().ac4_16u, coeffs);
}

QrxStatus qrxiColorToGray_16s_C3C1R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
                                    QrxRoiSize roi, const Qrx32f coeffs[3]) {
    if (QrxStatus st = checks(pSrc, pDst, roi)) return st;
    return toGray(pSrc, srcStep, pDst, dstStep, roi, grayRows().c3_16s, coeffs);
}

QrxStatus qrxiColorToGray_16s_AC4C1R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
                                     QrxRoiSize roi, const Qrx32f coeffs[3]) {
    if (QrxStatus st = checks(pSrc, pDst, roi)) return st;
    return toGray(pSrc, srcStep, pDst, dstStep, roi, grayRows().ac4_16s, coeffs);
}

QrxStatus qrxiColorToGray_32f_C3C1R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                                    QrxRoiSize roi, const Qrx32f coeffs[3]) {
    if (QrxStatus st = checks(pSrc, pDst, roi)) return st;
    return toGray(pSrc, srcStep, pDst, dstStep, roi, grayRows().c3_32f, coeffs);
}

QrxStatus qrxiColorToGray_32f_AC4C1R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                                     QrxRoiSize roi, const Qrx32f coeffs[3]) {
    if (QrxStatus st = checks(pSrc, pDst, roi)) return st;
    return toGray(pSrc, srcStep, pDst, dstStep, roi, grayRows().ac4_32f, coeffs);
}
