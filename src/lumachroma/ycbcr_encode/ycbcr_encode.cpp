// Subsampled YCbCr encoders: RGB, BGR and 16-bit BGR 555/565 to YCbCr or
// YCrCb 4:2:2 (planes or packed), 4:2:0 and 4:1:1 planes.
//
// Check order: the encoders into planes test the source, the plane array and
// every plane before the size, except the RGB 4:2:0 encoder, which tests its
// planes after the size; the planar RGB sources of the packed 4:2:2 encoders
// are likewise tested after the size. Steps are never tested.
#include "frame/checks.h"
#include "frame/image.h"
#include "lumachroma/ycbcr_encode/rows.h"

namespace {

using namespace qrx;

const YcbcrEncodeRows& rows() { return ycbcrEncodeRows(); }
template <class S>
using PlanesRow = YcbcrEncodeRows::PlanesRow<S>;
template <class S>
using PackedRow = YcbcrEncodeRows::PackedRow<S>;
using PlanarPackedRow = YcbcrEncodeRows::PlanarPackedRow;
template <class S>
using RowPair = YcbcrEncodeRows::RowPair<S>;
template <class S>
using LumaRow = YcbcrEncodeRows::LumaRow<S>;

// When an encoder reports that the region was not a whole number of blocks.
enum class Warn { never, oddWidth, oddWidthOrHeight, widthNotMultipleOf4 };

QrxStatus warning(Warn rule, QrxRoiSize roi) {
    switch (rule) {
        case Warn::oddWidth:
            return check::warnIf(roi.width % 2 != 0);
        case Warn::oddWidthOrHeight:
            return check::warnIf(roi.width % 2 != 0 || roi.height % 2 != 0);
        case Warn::widthNotMultipleOf4:
            return check::warnIf(roi.width % 4 != 0);
        case Warn::never:
            break;
    }
    return qrxOk;
}

// Destination planes as Y, first chroma, second chroma. The YCrCb encoders
// reuse the YCbCr rows with planes 1 and 2 (and their steps) exchanged.
struct PlaneSet {
    Qrx8u* p[3];
    int step[3];
    Qrx8u* row(int plane, int y) const { return rowPtr(p[plane], step[plane], y); }
};

PlaneSet planeSet(Qrx8u* const p[3], const int step[3], bool exchangeChroma) {
    const int a = exchangeChroma ? 2 : 1, b = exchangeChroma ? 1 : 2;
    return {{p[0], p[a], p[b]}, {step[0], step[a], step[b]}};
}

// ---- row drivers --------------------------------------------------------

// 16-bit sources address their rows by the step rounded down to whole words.

// 4:2:2 and 4:1:1 planes: one chroma row per source row.
template <class S>
void eachRow(PlanesRow<S> fn, const S* src, int srcStep, const PlaneSet& d, QrxRoiSize roi) {
    srcStep = wholeElementStep<S>(srcStep);
    for (int y = 0; y < roi.height; ++y)
        fn(rowPtr(src, srcStep, y), d.row(0, y), d.row(1, y), d.row(2, y), roi.width);
}

// 4:2:0: source rows 2k and 2k+1 give Y rows 2k, 2k+1 and chroma row k. An
// odd last row gets its luma from `lastRow` where the encoder has one.
template <class S>
void rowPairs(RowPair<S> fn, LumaRow<S> lastRow, const S* src, int srcStep, const PlaneSet& d,
              QrxRoiSize roi) {
    srcStep = wholeElementStep<S>(srcStep);
    const int pairs = roi.height / 2;
    for (int k = 0; k < pairs; ++k)
        fn(rowPtr(src, srcStep, 2 * k), rowPtr(src, srcStep, 2 * k + 1), d.row(0, 2 * k),
           d.row(0, 2 * k + 1), d.row(1, k), d.row(2, k), roi.width);
    if (lastRow != nullptr && roi.height % 2 != 0)
        lastRow(rowPtr(src, srcStep, roi.height - 1), d.row(0, roi.height - 1), roi.width);
}

template <class S>
void packedRows(PackedRow<S> fn, const S* src, int srcStep, Qrx8u* dst, int dstStep,
                QrxRoiSize roi) {
    srcStep = wholeElementStep<S>(srcStep);
    for (int y = 0; y < roi.height; ++y)
        fn(rowPtr(src, srcStep, y), rowPtr(dst, dstStep, y), roi.width);
}

void planarPackedRows(PlanarPackedRow fn, const Qrx8u* const src[3], int srcStep, Qrx8u* dst,
                      int dstStep, QrxRoiSize roi) {
    for (int y = 0; y < roi.height; ++y)
        fn(rowPtr(src[0], srcStep, y), rowPtr(src[1], srcStep, y), rowPtr(src[2], srcStep, y),
           rowPtr(dst, dstStep, y), roi.width);
}

// ---- entry shapes ---------------------------------------------------------

// Encoders into planes: source, plane array and every plane, then the size.
template <class S>
QrxStatus planesThenSize(const S* src, Qrx8u* const dst[3], QrxRoiSize roi, int minW, int minH) {
    return check::firstFailure(check::nulls(src, dst), check::planes(dst, 3),
                               check::size(roi, minW, minH));
}

// 4:2:2 (minimum width 2) and 4:1:1 (minimum width 4) into planes.
template <class S>
QrxStatus byRow(PlanesRow<S> fn, const S* src, int srcStep, Qrx8u* const dst[3],
                const int dstStep[3], QrxRoiSize roi, int minWidth, Warn rule) {
    if (QrxStatus st = planesThenSize(src, dst, roi, minWidth, 1)) return st;
    eachRow(fn, src, srcStep, planeSet(dst, dstStep, false), roi);
    return warning(rule, roi);
}

// 4:2:0 into planes, minimum 2 x 2; `lastRow` is null for 8-bit sources.
template <class S>
QrxStatus byRowPair(RowPair<S> fn, LumaRow<S> lastRow, const S* src, int srcStep,
                    Qrx8u* const dst[3], const int dstStep[3], QrxRoiSize roi, bool crFirst,
                    Warn rule) {
    if (QrxStatus st = planesThenSize(src, dst, roi, 2, 2)) return st;
    rowPairs(fn, lastRow, src, srcStep, planeSet(dst, dstStep, crFirst), roi);
    return warning(rule, roi);
}

// Packed 4:2:2 from an interleaved or 16-bit source; never warns.
template <class S>
QrxStatus packed(PackedRow<S> fn, const S* src, int srcStep, Qrx8u* dst, int dstStep,
                 QrxRoiSize roi, int minWidth) {
    if (QrxStatus st = check::firstFailure(check::nulls(src, dst), check::size(roi, minWidth, 1)))
        return st;
    packedRows(fn, src, srcStep, dst, dstStep, roi);
    return qrxOk;
}

// Packed 4:2:2 from R, G, B planes: the planes are tested after the size.
QrxStatus planarPacked(PlanarPackedRow fn, const Qrx8u* const src[3], int srcStep, Qrx8u* dst,
                       int dstStep, QrxRoiSize roi) {
    if (QrxStatus st = check::firstFailure(check::nulls(src, dst), check::size(roi, 1, 1),
                                           check::planes(src, 3)))
        return st;
    planarPackedRows(fn, src, srcStep, dst, dstStep, roi);
    return qrxOk;
}

constexpr Warn kOdd = Warn::oddWidthOrHeight;

}  // namespace

// ---- row-pair encoders (chroma rounded to nearest) --------------------------

QrxStatus qrxiRGBToYCbCr420_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                     const int dstStep[3], QrxRoiSize roi) {
    if (QrxStatus st = check::firstFailure(check::nulls(pSrc, pDst), check::size(roi, 1, 1),
                                           check::planes(pDst, 3)))
        return st;
    rowPairs<Qrx8u>(rows().rgbTo420, nullptr, pSrc, srcStep, planeSet(pDst, dstStep, false), roi);
    return warning(kOdd, roi);
}

QrxStatus qrxiRGBToYCbCr422_8u_C3C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                     QrxRoiSize roi) {
    return packed(rows().rgbToYCbCr422Packed, pSrc, srcStep, pDst, dstStep, roi, 1);
}

QrxStatus qrxiRGBToYCrCb422_8u_C3C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                     QrxRoiSize roi) {
    return packed(rows().rgbToYCrCb422Packed, pSrc, srcStep, pDst, dstStep, roi, 1);
}

QrxStatus qrxiRGBToYCbCr422_8u_P3C2R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst,
                                     int dstStep, QrxRoiSize roi) {
    return planarPacked(rows().rgbPlanarToYCbCr422Packed, pSrc, srcStep, pDst, dstStep, roi);
}

QrxStatus qrxiRGBToYCrCb422_8u_P3C2R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst,
                                     int dstStep, QrxRoiSize roi) {
    return planarPacked(rows().rgbPlanarToYCrCb422Packed, pSrc, srcStep, pDst, dstStep, roi);
}

// ---- block encoders (chroma rounded by 1/8 of a level) ----------------------

QrxStatus qrxiRGBToYCbCr422_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                     const int dstStep[3], QrxRoiSize roi) {
    return byRow(rows().rgbTo422, pSrc, srcStep, pDst, dstStep, roi, 2, Warn::oddWidth);
}

QrxStatus qrxiBGRToYCbCr422_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                     const int dstStep[3], QrxRoiSize roi) {
    return byRow(rows().bgrTo422, pSrc, srcStep, pDst, dstStep, roi, 2, Warn::never);
}

QrxStatus qrxiBGRToYCbCr422_8u_AC4P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                      const int dstStep[3], QrxRoiSize roi) {
    return byRow(rows().bgraTo422, pSrc, srcStep, pDst, dstStep, roi, 2, Warn::never);
}

QrxStatus qrxiBGR555ToYCbCr422_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                           const int dstStep[3], QrxRoiSize roi) {
    return byRow(rows().bgr555To422, pSrc, srcStep, pDst, dstStep, roi, 2, Warn::never);
}

QrxStatus qrxiBGR565ToYCbCr422_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                           const int dstStep[3], QrxRoiSize roi) {
    return byRow(rows().bgr565To422, pSrc, srcStep, pDst, dstStep, roi, 2, Warn::never);
}

QrxStatus qrxiBGRToYCbCr411_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                     const int dstStep[3], QrxRoiSize roi) {
    return byRow(rows().bgrTo411, pSrc, srcStep, pDst, dstStep, roi, 4, Warn::widthNotMultipleOf4);
}

QrxStatus qrxiBGRToYCbCr411_8u_AC4P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                      const int dstStep[3], QrxRoiSize roi) {
    return byRow(rows().bgraTo411, pSrc, srcStep, pDst, dstStep, roi, 4, Warn::widthNotMultipleOf4);
}

QrxStatus qrxiBGR555ToYCbCr411_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                           const int dstStep[3], QrxRoiSize roi) {
    return byRow(rows().bgr555To411, pSrc, srcStep, pDst, dstStep, roi, 4,
                 Warn::widthNotMultipleOf4);
}

QrxStatus qrxiBGR565ToYCbCr411_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                           const int dstStep[3], QrxRoiSize roi) {
    return byRow(rows().bgr565To411, pSrc, srcStep, pDst, dstStep, roi, 4,
                 Warn::widthNotMultipleOf4);
}

QrxStatus qrxiRGBToYCrCb420_8u_AC4P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                      const int dstStep[3], QrxRoiSize roi) {
    return byRowPair<Qrx8u>(rows().rgbaTo420, nullptr, pSrc, srcStep, pDst, dstStep, roi, true,
                            kOdd);
}

QrxStatus qrxiBGRToYCbCr420_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                     const int dstStep[3], QrxRoiSize roi) {
    return byRowPair<Qrx8u>(rows().bgrTo420, nullptr, pSrc, srcStep, pDst, dstStep, roi, false,
                            kOdd);
}

QrxStatus qrxiBGRToYCbCr420_8u_AC4P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                      const int dstStep[3], QrxRoiSize roi) {
    return byRowPair<Qrx8u>(rows().bgraTo420, nullptr, pSrc, srcStep, pDst, dstStep, roi, false,
                            kOdd);
}

QrxStatus qrxiBGRToYCrCb420_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                     const int dstStep[3], QrxRoiSize roi) {
    return byRowPair<Qrx8u>(rows().bgrTo420, nullptr, pSrc, srcStep, pDst, dstStep, roi, true,
                            kOdd);
}

QrxStatus qrxiBGRToYCrCb420_8u_AC4P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                      const int dstStep[3], QrxRoiSize roi) {
    return byRowPair<Qrx8u>(rows().bgraTo420, nullptr, pSrc, srcStep, pDst, dstStep, roi, true,
                            kOdd);
}

// The 16-bit 4:2:0 encoders also write the luma of an odd last column and
// row, and do not warn.
QrxStatus qrxiBGR555ToYCbCr420_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                           const int dstStep[3], QrxRoiSize roi) {
    return byRowPair(rows().bgr555To420, rows().bgr555Luma, pSrc, srcStep, pDst, dstStep, roi,
                     false, Warn::never);
}

QrxStatus qrxiBGR565ToYCbCr420_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                           const int dstStep[3], QrxRoiSize roi) {
    return byRowPair(rows().bgr565To420, rows().bgr565Luma, pSrc, srcStep, pDst, dstStep, roi,
                     false, Warn::never);
}

QrxStatus qrxiBGR555ToYCrCb420_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                           const int dstStep[3], QrxRoiSize roi) {
    return byRowPair(rows().bgr555To420, rows().bgr555Luma, pSrc, srcStep, pDst, dstStep, roi, true,
                     Warn::never);
}

QrxStatus qrxiBGR565ToYCrCb420_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                           const int dstStep[3], QrxRoiSize roi) {
    return byRowPair(rows().bgr565To420, rows().bgr565Luma, pSrc, srcStep, pDst, dstStep, roi, true,
                     Warn::never);
}

// Packed 4:2:2 block encoders: minimum width 2; an odd last pixel still
// writes its Y and Cb.
QrxStatus qrxiBGRToYCbCr422_8u_C3C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                     QrxRoiSize roi) {
    return packed(rows().bgrTo422Packed, pSrc, srcStep, pDst, dstStep, roi, 2);
}

QrxStatus qrxiBGRToYCbCr422_8u_AC4C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                      QrxRoiSize roi) {
    return packed(rows().bgraTo422Packed, pSrc, srcStep, pDst, dstStep, roi, 2);
}

QrxStatus qrxiBGR555ToYCbCr422_16u8u_C3C2R(const Qrx16u* pSrc, int srcStep, Qrx8u* pDst,
                                           int dstStep, QrxRoiSize roi) {
    return packed(rows().bgr555To422Packed, pSrc, srcStep, pDst, dstStep, roi, 2);
}

QrxStatus qrxiBGR565ToYCbCr422_16u8u_C3C2R(const Qrx16u* pSrc, int srcStep, Qrx8u* pDst,
                                           int dstStep, QrxRoiSize roi) {
    return packed(rows().bgr565To422Packed, pSrc, srcStep, pDst, dstStep, roi, 2);
}
