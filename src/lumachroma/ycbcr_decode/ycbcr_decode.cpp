// Subsampled YCbCr and YCrCb (4:2:2, 4:2:0, 4:1:1) to RGB and BGR.
//
// Entries check their arguments, hand the rows to one of the drivers below
// and return the warning of the 4:2:0 forms. The drivers own the chroma
// geometry: which rows share a chroma row, and which last column or row is
// left unconverted.
#include "frame/checks.h"
#include "frame/image.h"
#include "lumachroma/ycbcr_decode/rows.h"
#include "qrxcc.h"

namespace qrx {
namespace {

using Rows = YcbcrDecodeRows;

Qrx8u lowByte(int alpha) { return static_cast<Qrx8u>(alpha & 0xFF); }

void drivePacked(Rows::PackedToPacked row, const Qrx8u* src, int srcStep, Qrx8u* dst,
                 int dstStep, QrxRoiSize roi, int alpha = 0) {
    for (int y = 0; y < roi.height; ++y)
        row(rowPtr(src, srcStep, y), rowPtr(dst, dstStep, y), roi.width, lowByte(alpha));
}

void drivePackedToPlanes(Rows::PackedToPlanar row, const Qrx8u* src, int srcStep,
                         Qrx8u* const dst[3], int dstStep, QrxRoiSize roi) {
    for (int y = 0; y < roi.height; ++y) {
        Qrx8u* const out[3] = {rowPtr(dst[0], dstStep, y), rowPtr(dst[1], dstStep, y),
                               rowPtr(dst[2], dstStep, y)};
        row(rowPtr(src, srcStep, y), out, roi.width);
    }
}

enum class OddColumn { Convert, Skip };

// Planes with one chroma row per luma row (4:2:2 and 4:1:1).
void drivePlanes(Rows::PlanarToPacked row, const Qrx8u* const src[3], const int srcStep[3],
                 Qrx8u* dst, int dstStep, QrxRoiSize roi, int alpha = 0,
                 OddColumn odd = OddColumn::Convert) {
    const int width = odd == OddColumn::Skip ? roi.width & ~1 : roi.width;
    for (int y = 0; y < roi.height; ++y) {
        const Qrx8u* const in[3] = {rowPtr(src[0], srcStep[0], y), rowPtr(src[1], srcStep[1], y),
                                    rowPtr(src[2], srcStep[2], y)};
        row(in, rowPtr(dst, dstStep, y), width, lowByte(alpha));
    }
}

enum class ChromaPlanes { CbCr, CrCb };

// 4:2:0 planes: whole 2x2 blocks only; an odd last column or row stays unwritten.
void driveRowPairs(Rows::RowPair row, const Qrx8u* const src[3], const int srcStep[3],
                   ChromaPlanes order, Qrx8u* dst, int dstStep, QrxRoiSize roi, int alpha = 0) {
    const int width = roi.width & ~1;
    if (width == 0) return;
    const int cb = order == ChromaPlanes::CbCr ? 1 : 2, cr = 3 - cb;
    for (int j = 0; j < roi.height / 2; ++j) {
        const Qrx8u* const in[4] = {rowPtr(src[0], srcStep[0], 2 * j),
                                    rowPtr(src[0], srcStep[0], 2 * j + 1),
                                    rowPtr(src[cb], srcStep[cb], j),
                                    rowPtr(src[cr], srcStep[cr], j)};
        Qrx8u* const out[2] = {rowPtr(dst, dstStep, 2 * j), rowPtr(dst, dstStep, 2 * j + 1)};
        row(in, out, width, lowByte(alpha));
    }
}

QrxStatus warnIfOdd(QrxRoiSize roi) { return check::warnIf(((roi.width | roi.height) & 1) != 0); }

}  // namespace
}  // namespace qrx

using namespace qrx;

// ---- 4:2:2 interleaved --------------------------------------------------------

QrxStatus qrxiYCbCr422ToRGB_8u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                     QrxRoiSize roi) {
    if (QrxStatus st = check::firstFailure(check::nulls(pSrc, pDst), check::size(roi))) return st;
    drivePacked(ycbcrDecodeRows().ycbcr422ToRgbC2C3, pSrc, srcStep, pDst, dstStep, roi);
    return qrxOk;
}

QrxStatus qrxiYCrCb422ToRGB_8u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                     QrxRoiSize roi) {
    if (QrxStatus st = check::firstFailure(check::nulls(pSrc, pDst), check::size(roi))) return st;
    drivePacked(ycbcrDecodeRows().ycrcb422ToRgbC2C3, pSrc, srcStep, pDst, dstStep, roi);
    return qrxOk;
}

QrxStatus qrxiYCbCr422ToRGB_8u_C2P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                     int dstStep, QrxRoiSize roi) {
    if (QrxStatus st = check::firstFailure(check::nulls(pSrc, pDst), check::size(roi),
                                           check::planes(pDst, 3)))
        return st;
    drivePackedToPlanes(ycbcrDecodeRows().ycbcr422ToRgbC2P3, pSrc, srcStep, pDst, dstStep, roi);
    return qrxOk;
}

QrxStatus qrxiYCrCb422ToRGB_8u_C2P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                     int dstStep, QrxRoiSize roi) {
    if (QrxStatus st = check::firstFailure(check::nulls(pSrc, pDst), check::size(roi),
                                           check::planes(pDst, 3)))
        return st;
    drivePackedToPlanes(ycbcrDecodeRows().ycrcb422ToRgbC2P3, pSrc, srcStep, pDst, dstStep, roi);
    return qrxOk;
}

QrxStatus qrxiYCbCr422ToBGR_8u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                     QrxRoiSize roi) {
    if (QrxStatus st = check::firstFailure(check::nulls(pSrc, pDst), check::size(roi, 2, 1)))
        return st;
    drivePacked(ycbcrDecodeRows().ycbcr422ToBgrC2C3, pSrc, srcStep, pDst, dstStep, roi);
    return qrxOk;
}

QrxStatus qrxiYCbCr422ToBGR_8u_C2C4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                     QrxRoiSize roi, int alpha) {
    if (QrxStatus st = check::firstFailure(check::nulls(pSrc, pDst), check::size(roi, 2, 1)))
        return st;
    drivePacked(ycbcrDecodeRows().ycbcr422ToBgrC2C4, pSrc, srcStep, pDst, dstStep, roi, alpha);
    return qrxOk;
}

// ---- 4:2:2 and 4:1:1 planar -----------------------------------------------------

QrxStatus qrxiYCbCr422ToRGB_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
                                     Qrx8u* pDst, int dstStep, QrxRoiSize roi) {
    if (QrxStatus st = check::firstFailure(check::nulls(pSrc, pDst), check::size(roi),
                                           check::planes(pSrc, 3)))
        return st;
    drivePlanes(ycbcrDecodeRows().ycbcr422ToRgbP3C3, pSrc, srcStep, pDst, dstStep, roi);
    return qrxOk;
}

QrxStatus qrxiYCbCr422ToBGR_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
                                     Qrx8u* pDst, int dstStep, QrxRoiSize roi) {
    if (QrxStatus st = check::firstFailure(check::nulls(pSrc, pDst), check::planes(pSrc, 3),
                                           check::size(roi, 2, 1)))
        return st;
    drivePlanes(ycbcrDecodeRows().ycbcr422ToBgrP3C3, pSrc, srcStep, pDst, dstStep, roi, 0,
                OddColumn::Skip);
    return qrxOk;
}

QrxStatus qrxiYCbCr411ToBGR_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
                                     Qrx8u* pDst, int dstStep, QrxRoiSize roi) {
    if (QrxStatus st = check::firstFailure(check::nulls(pSrc, pDst), check::planes(pSrc, 3),
                                           check::size(roi, 4, 1)))
        return st;
    drivePlanes(ycbcrDecodeRows().ycbcr411ToBgrP3C3, pSrc, srcStep, pDst, dstStep, roi);
    return qrxOk;
}

QrxStatus qrxiYCbCr411ToBGR_8u_P3C4R(const Qrx8u* const pSrc[3], const int srcStep[3],
                                     Qrx8u* pDst, int dstStep, QrxRoiSize roi, int alpha) {
    if (QrxStatus st = check::firstFailure(check::nulls(pSrc, pDst), check::planes(pSrc, 3),
                                           check::size(roi, 4, 1)))
        return st;
    drivePlanes(ycbcrDecodeRows().ycbcr411ToBgrP3C4, pSrc, srcStep, pDst, dstStep, roi, alpha);
    return qrxOk;
}

// ---- 4:2:0 planar ----------------------------------------------------------------

QrxStatus qrxiYCbCr420ToBGR_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
                                     Qrx8u* pDst, int dstStep, QrxRoiSize roi) {
    if (QrxStatus st = check::firstFailure(check::nulls(pSrc, pDst), check::size(roi),
                                           check::planes(pSrc, 3)))
        return st;
    driveRowPairs(ycbcrDecodeRows().ycbcr420ToBgrC3, pSrc, srcStep, ChromaPlanes::CbCr, pDst,
                  dstStep, roi);
    return warnIfOdd(roi);
}

QrxStatus qrxiYCbCr420ToBGR_8u_P3C4R(const Qrx8u* const pSrc[3], const int srcStep[3],
                                     Qrx8u* pDst, int dstStep, QrxRoiSize roi, int alpha) {
    if (QrxStatus st = check::firstFailure(check::nulls(pSrc, pDst), check::size(roi),
                                           check::planes(pSrc, 3)))
        return st;
    driveRowPairs(ycbcrDecodeRows().ycbcr420ToBgrC4, pSrc, srcStep, ChromaPlanes::CbCr, pDst,
                  dstStep, roi, alpha);
    return warnIfOdd(roi);
}

QrxStatus qrxiYCbCr420ToRGB_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
                                     Qrx8u* pDst, int dstStep, QrxRoiSize roi) {
    if (QrxStatus st = check::firstFailure(check::nulls(pSrc, pDst), check::size(roi),
                                           check::planes(pSrc, 3)))
        return st;
    driveRowPairs(ycbcrDecodeRows().ycbcr420ToRgbC3, pSrc, srcStep, ChromaPlanes::CbCr, pDst,
                  dstStep, roi);
    return warnIfOdd(roi);
}

QrxStatus qrxiYCrCb420ToRGB_8u_P3C4R(const Qrx8u* const pSrc[3], const int srcStep[3],
                                     Qrx8u* pDst, int dstStep, QrxRoiSize roi, int alpha) {
    if (QrxStatus st = check::firstFailure(check::nulls(pSrc, pDst), check::size(roi),
                                           check::planes(pSrc, 3)))
        return st;
    driveRowPairs(ycbcrDecodeRows().ycbcr420ToRgbC4, pSrc, srcStep, ChromaPlanes::CrCb, pDst,
                  dstStep, roi, alpha);
    return warnIfOdd(roi);
}

QrxStatus qrxiYCrCb420ToBGR_Filter_8u_P3C4R(const Qrx8u* const pSrc[3], const int srcStep[3],
                                            Qrx8u* pDst, int dstStep, QrxRoiSize roi,
                                            int alpha) {
    if (QrxStatus st = check::firstFailure(check::nulls(pSrc, pDst), check::size(roi),
                                           check::planes(pSrc, 3)))
        return st;
    driveRowPairs(ycbcrDecodeRows().ycbcr420ToBgrFilteredC4, pSrc, srcStep, ChromaPlanes::CrCb,
                  pDst, dstStep, roi, alpha);
    return warnIfOdd(roi);
}
