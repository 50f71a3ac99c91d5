// Tone mapping of a float plane to bytes by its maximum or its mean:
// entries and row driver.
#include "colormodels/tone/rows.h"
#include "frame/image.h"
#include "frame/primitives.h"
#include "qrxcc.h"

namespace {

using namespace qrx;

// The smallest normal float: a statistic at or below it (zero, a denormal,
// or NaN) clears the destination.
constexpr float kSmallestNormal = 1.1754944e-38f;

// After the statistic m is known: a negative m leaves the destination
// alone (+1), a tiny one clears it, otherwise every pixel is scaled.
template <class Scale>
QrxStatus mapByStatistic(double m, Scale scaleFor, const Qrx32f* src, int srcStep, Qrx8u* dst,
                         int dstStep, QrxRoiSize roi) {
    if (m < 0.0) return qrxWarnNothingDone;
    if (!(m > static_cast<double>(kSmallestNormal))) return qrxiSet_8u_C1R(0, dst, dstStep, roi);
    if (!dst) return qrxErrNullPtr;
    const float s = scaleFor();
    const auto row = toneRows().scale;
    for (int y = 0; y < roi.height; ++y) row(rowPtr(src, srcStep, y), rowPtr(dst, dstStep, y), roi.width, s);
    return qrxOk;
}

}  // namespace

QrxStatus qrxiToneMapLinear_32f8u_C1R(const Qrx32f* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                      QrxRoiSize roi) {
    Qrx32f m = 0.0f;
    if (QrxStatus st = qrxiMax_32f_C1R(pSrc, srcStep, roi, &m)) return st;
    // 255 / m in single precision.
    return mapByStatistic(
        m, [m] { return 255.0f / m; }, pSrc, srcStep, pDst, dstStep, roi);
}

QrxStatus qrxiToneMapMean_32f8u_C1R(const Qrx32f* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                    QrxRoiSize roi) {
    Qrx64f mean = 0.0;
    if (QrxStatus st = qrxiMean_32f_C1R(pSrc, srcStep, roi, &mean, 1)) return st;
    // Twice the mean maps to 255: 255 / m in double, rounded to float.
    const double m = 2.0 * mean;
    return mapByStatistic(
        m, [m] { return static_cast<float>(255.0 / m); }, pSrc, srcStep, pDst, dstStep, roi);
}
