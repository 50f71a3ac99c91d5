// 8-bit BGR to and from CIE L*a*b* (D65): entries and row driver.
#include "colormodels/lab/rows.h"
#include "frame/checks.h"
#include "frame/image.h"
#include "frame/threading.h"
#include "qrxcc.h"

namespace {

using namespace qrx;

// Checks, then the rows in one parallel region, whatever the image size.
// 16-bit steps count whole samples (rounded down).
template <class S, class D>
QrxStatus convert(const S* src, int srcStep, D* dst, int dstStep, QrxRoiSize roi, LabRow<S, D> row) {
    if (QrxStatus st = check::firstFailure(check::nulls(src, dst), check::size(roi))) return st;
    srcStep &= ~(static_cast<int>(sizeof(S)) - 1);
    dstStep &= ~(static_cast<int>(sizeof(D)) - 1);
    parallelRows(roi, RowSplit::Always, [&](int y) {
        row(rowPtr(src, srcStep, y), rowPtr(dst, dstStep, y), roi.width);
    });
    return qrxOk;
}

}  // namespace

QrxStatus qrxiBGRToLab_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                              QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, labRows().bgrToLab8u);
}

QrxStatus qrxiBGRToLab_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                                 QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, labRows().bgrToLab16u);
}

QrxStatus qrxiLabToBGR_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                              QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, labRows().labToBgr8u);
}

QrxStatus qrxiLabToBGR_16u8u_C3R(const Qrx16u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                 QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, labRows().lab16uToBgr);
}
