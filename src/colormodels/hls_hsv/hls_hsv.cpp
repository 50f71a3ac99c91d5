// RGB and BGR to and from HLS and HSV: entries and row drivers.
//
// The RGB members check pointers then size, leave steps unchecked, and run
// on the calling thread up to 4096 pixels, in one parallel region above.
// The BGR plane members check pointers (with every plane), steps, then size
// (BGRToHLS_8u_AC4R: pointers, size, steps) and always open the region.
#include "colormodels/hls_hsv/rows.h"
#include "colormodels/row_driver.h"
#include "frame/checks.h"
#include "frame/image.h"
#include "frame/threading.h"
#include "qrxcc.h"

namespace {

using namespace qrx;

template <class T>
QrxStatus rgbMember(const T* src, int srcStep, T* dst, int dstStep, QrxRoiSize roi, HlsRow<T> row) {
    return convertInterleaved(src, srcStep, dst, dstStep, roi, row);
}

// An 8-bit image of the plane members: one interleaved pointer, or planes.
template <class T>
struct Image {
    T* p[4];
    int planes;
    int step;
};
template <class T>
Image<T> interleaved(T* p, int step) {
    return {{p, nullptr, nullptr, nullptr}, 1, step};
}
template <class T>
Image<T> planar(T* const* p, int count, int step) {
    Image<T> im{{}, count, step};
    for (int i = 0; i < count; ++i) im.p[i] = p[i];
    return im;
}

template <class T>
RowPtrs<T> rowOf(const Image<T>& im, int y) {
    RowPtrs<T> r{};
    for (int i = 0; i < im.planes; ++i) r.p[i] = rowPtr(im.p[i], im.step, y);
    return r;
}

void planeRows(const Image<const Qrx8u>& s, const Image<Qrx8u>& d, QrxRoiSize roi, HlsRow<Qrx8u> row) {
    parallelRows(roi, RowSplit::Always, [&](int y) { row(rowOf(s, y), rowOf(d, y), roi.width); });
}

// Interleaved to planar, planar to interleaved, planar to planar.
QrxStatus toPlanes(const Qrx8u* src, int srcStep, Qrx8u* const* dst, int dstStep, QrxRoiSize roi,
                   int planes, HlsRow<Qrx8u> row) {
    if (QrxStatus st = check::firstFailure(check::nulls(src, dst), check::planes(dst, planes),
                                           check::steps(srcStep, dstStep), check::size(roi)))
        return st;
    planeRows(interleaved(src, srcStep), planar(dst, planes, dstStep), roi, row);
    return qrxOk;
}

QrxStatus fromPlanes(const Qrx8u* const* src, int srcStep, Qrx8u* dst, int dstStep, QrxRoiSize roi,
                     int planes, HlsRow<Qrx8u> row) {
    if (QrxStatus st = check::firstFailure(check::nulls(src, dst), check::planes(src, planes),
                                           check::steps(srcStep, dstStep), check::size(roi)))
        return st;
    planeRows(planar(src, planes, srcStep), interleaved(dst, dstStep), roi, row);
    return qrxOk;
}

QrxStatus planesToPlanes(const Qrx8u* const* src, int srcStep, Qrx8u* const* dst, int dstStep,
                         QrxRoiSize roi, int planes, HlsRow<Qrx8u> row) {
    if (QrxStatus st = check::firstFailure(check::nulls(src, dst), check::planes(src, planes),
                                           check::planes(dst, planes),
                                           check::steps(srcStep, dstStep), check::size(roi)))
        return st;
    planeRows(planar(src, planes, srcStep), planar(dst, planes, dstStep), roi, row);
    return qrxOk;
}

const HlsHsvRows& rows() { return hlsHsvRows(); }

}  // namespace

// ---- RGB members ------------------------------------------------------------------

QrxStatus qrxiRGBToHLS_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().rgbToHls8u[kHlsC3]);
}
QrxStatus qrxiRGBToHLS_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().rgbToHls8u[kHlsAC4]);
}
QrxStatus qrxiRGBToHLS_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().rgbToHls16u[kHlsC3]);
}
QrxStatus qrxiRGBToHLS_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().rgbToHls16u[kHlsAC4]);
}
QrxStatus qrxiRGBToHLS_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().rgbToHls16s[kHlsC3]);
}
QrxStatus qrxiRGBToHLS_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().rgbToHls16s[kHlsAC4]);
}
QrxStatus qrxiRGBToHLS_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().rgbToHls32f[kHlsC3]);
}
QrxStatus qrxiRGBToHLS_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().rgbToHls32f[kHlsAC4]);
}

QrxStatus qrxiHLSToRGB_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().hlsToRgb8u[kHlsC3]);
}
QrxStatus qrxiHLSToRGB_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().hlsToRgb8u[kHlsAC4]);
}
QrxStatus qrxiHLSToRGB_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().hlsToRgb16u[kHlsC3]);
}
QrxStatus qrxiHLSToRGB_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().hlsToRgb16u[kHlsAC4]);
}
QrxStatus qrxiHLSToRGB_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().hlsToRgb16s[kHlsC3]);
}
QrxStatus qrxiHLSToRGB_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().hlsToRgb16s[kHlsAC4]);
}
QrxStatus qrxiHLSToRGB_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().hlsToRgb32f[kHlsC3]);
}
QrxStatus qrxiHLSToRGB_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().hlsToRgb32f[kHlsAC4]);
}

QrxStatus qrxiRGBToHSV_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().rgbToHsv8u[kHlsC3]);
}
QrxStatus qrxiRGBToHSV_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().rgbToHsv8u[kHlsAC4]);
}
QrxStatus qrxiRGBToHSV_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().rgbToHsv16u[kHlsC3]);
}
QrxStatus qrxiRGBToHSV_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().rgbToHsv16u[kHlsAC4]);
}
QrxStatus qrxiHSVToRGB_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().hsvToRgb8u[kHlsC3]);
}
QrxStatus qrxiHSVToRGB_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().hsvToRgb8u[kHlsAC4]);
}
QrxStatus qrxiHSVToRGB_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().hsvToRgb16u[kHlsC3]);
}
QrxStatus qrxiHSVToRGB_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxRoiSize roi) {
    return rgbMember(pSrc, srcStep, pDst, dstStep, roi, rows().hsvToRgb16u[kHlsAC4]);
}

// ---- BGR members ------------------------------------------------------------------

QrxStatus qrxiBGRToHLS_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxRoiSize roi) {
    if (QrxStatus st = check::firstFailure(check::nulls(pSrc, pDst), check::size(roi),
                                           check::steps(srcStep, dstStep)))
        return st;
    planeRows(interleaved(pSrc, srcStep), interleaved(pDst, dstStep), roi, rows().bgrToHlsAC4);
    return qrxOk;
}

QrxStatus qrxiBGRToHLS_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3], int dstStep,
                                QrxRoiSize roi) {
    return toPlanes(pSrc, srcStep, pDst, dstStep, roi, 3, rows().bgrToHls[kHlsC3P3]);
}
QrxStatus qrxiBGRToHLS_8u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
                                QrxRoiSize roi) {
    return fromPlanes(pSrc, srcStep, pDst, dstStep, roi, 3, rows().bgrToHls[kHlsP3C3]);
}
QrxStatus qrxiBGRToHLS_8u_P3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* const pDst[3], int dstStep,
                              QrxRoiSize roi) {
    return planesToPlanes(pSrc, srcStep, pDst, dstStep, roi, 3, rows().bgrToHls[kHlsP3]);
}
QrxStatus qrxiBGRToHLS_8u_AC4P4R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[4], int dstStep,
                                 QrxRoiSize roi) {
    return toPlanes(pSrc, srcStep, pDst, dstStep, roi, 4, rows().bgrToHls[kHlsAC4P4]);
}
QrxStatus qrxiBGRToHLS_8u_AP4C4R(const Qrx8u* const pSrc[4], int srcStep, Qrx8u* pDst, int dstStep,
                                 QrxRoiSize roi) {
    return fromPlanes(pSrc, srcStep, pDst, dstStep, roi, 4, rows().bgrToHls[kHlsAP4C4]);
}
QrxStatus qrxiBGRToHLS_8u_AP4R(const Qrx8u* const pSrc[4], int srcStep, Qrx8u* const pDst[4], int dstStep,
                               QrxRoiSize roi) {
    return planesToPlanes(pSrc, srcStep, pDst, dstStep, roi, 4, rows().bgrToHls[kHlsAP4]);
}

QrxStatus qrxiHLSToBGR_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3], int dstStep,
                                QrxRoiSize roi) {
    return toPlanes(pSrc, srcStep, pDst, dstStep, roi, 3, rows().hlsToBgr[kHlsC3P3]);
}
QrxStatus qrxiHLSToBGR_8u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
                                QrxRoiSize roi) {
    return fromPlanes(pSrc, srcStep, pDst, dstStep, roi, 3, rows().hlsToBgr[kHlsP3C3]);
}
QrxStatus qrxiHLSToBGR_8u_P3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* const pDst[3], int dstStep,
                              QrxRoiSize roi) {
    return planesToPlanes(pSrc, srcStep, pDst, dstStep, roi, 3, rows().hlsToBgr[kHlsP3]);
}
QrxStatus qrxiHLSToBGR_8u_AC4P4R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[4], int dstStep,
                                 QrxRoiSize roi) {
    return toPlanes(pSrc, srcStep, pDst, dstStep, roi, 4, rows().hlsToBgr[kHlsAC4P4]);
}
QrxStatus qrxiHLSToBGR_8u_AP4C4R(const Qrx8u* const pSrc[4], int srcStep, Qrx8u* pDst, int dstStep,
                                 QrxRoiSize roi) {
    return fromPlanes(pSrc, srcStep, pDst, dstStep, roi, 4, rows().hlsToBgr[kHlsAP4C4]);
}
QrxStatus qrxiHLSToBGR_8u_AP4R(const Qrx8u* const pSrc[4], int srcStep, Qrx8u* const pDst[4], int dstStep,
                               QrxRoiSize roi) {
    return planesToPlanes(pSrc, srcStep, pDst, dstStep, roi, 4, rows().hlsToBgr[kHlsAP4]);
}
