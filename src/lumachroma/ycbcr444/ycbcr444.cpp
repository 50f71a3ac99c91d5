// RGB <-> BT.601 YCbCr at full chroma resolution: entries and row driver.
#include <array>

#include "frame/checks.h"
#include "frame/image.h"
#include "lumachroma/ycbcr444/rows.h"
#include "qrxcc.h"

namespace {

using namespace qrx;

template <class T>
struct Interleaved {
    T* base;
    int step;
    T* row(int y) const { return rowPtr(base, step, y); }
};

// Three full-resolution planes sharing one step.
template <class T>
struct Planes {
    T* const* base;
    int step;
    std::array<T*, 3> row(int y) const {
        return {rowPtr(base[0], step, y), rowPtr(base[1], step, y), rowPtr(base[2], step, y)};
    }
};

template <class T>
T* rowArg(T* p) {
    return p;
}
template <class T>
T* const* rowArg(const std::array<T*, 3>& p) {
    return p.data();
}

template <class Src, class Dst, class Row, class... Extra>
void convertRows(Src src, Dst dst, QrxRoiSize roi, Row row, Extra... extra) {
    for (int y = 0; y < roi.height; ++y) {
        const auto s = src.row(y);
        const auto d = dst.row(y);
        row(rowArg(s), rowArg(d), roi.width, extra...);
    }
}

using In = Interleaved<const Qrx8u>;
using Out = Interleaved<Qrx8u>;
using InPlanes = Planes<const Qrx8u>;
using OutPlanes = Planes<Qrx8u>;

const Ycbcr444Rows& rows() {
    return ycbcr444Rows();
}

}  // namespace

using namespace qrx::check;

QrxStatus qrxiRGBToYCbCr_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                QrxRoiSize roi) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(roi))) return st;
    convertRows(In{pSrc, srcStep}, Out{pDst, dstStep}, roi, rows().rgbToYcbcrC3);
    return qrxOk;
}

QrxStatus qrxiRGBToYCbCr_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                 QrxRoiSize roi) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(roi))) return st;
    convertRows(In{pSrc, srcStep}, Out{pDst, dstStep}, roi, rows().rgbToYcbcrAC4);
    return qrxOk;
}

QrxStatus qrxiRGBToYCbCr_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3], int dstStep,
                                  QrxRoiSize roi) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), planes(pDst, 3), size(roi))) return st;
    convertRows(In{pSrc, srcStep}, OutPlanes{pDst, dstStep}, roi, rows().rgbToYcbcrC3P3);
    return qrxOk;
}

QrxStatus qrxiRGBToYCbCr_8u_AC4P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                   int dstStep, QrxRoiSize roi) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), planes(pDst, 3), size(roi))) return st;
    convertRows(In{pSrc, srcStep}, OutPlanes{pDst, dstStep}, roi, rows().rgbToYcbcrAC4P3);
    return qrxOk;
}

QrxStatus qrxiRGBToYCbCr_8u_P3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* const pDst[3],
                                int dstStep, QrxRoiSize roi) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(roi), planes(pSrc, 3), planes(pDst, 3)))
        return st;
    convertRows(InPlanes{pSrc, srcStep}, OutPlanes{pDst, dstStep}, roi, rows().rgbToYcbcrP3);
    return qrxOk;
}

QrxStatus qrxiYCbCrToRGB_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                QrxRoiSize roi) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(roi))) return st;
    convertRows(In{pSrc, srcStep}, Out{pDst, dstStep}, roi, rows().ycbcrToRgbC3);
    return qrxOk;
}

QrxStatus qrxiYCbCrToRGB_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                 QrxRoiSize roi) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(roi))) return st;
    convertRows(In{pSrc, srcStep}, Out{pDst, dstStep}, roi, rows().ycbcrToRgbAC4);
    return qrxOk;
}

QrxStatus qrxiYCbCrToRGB_8u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
                                  QrxRoiSize roi) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(roi), planes(pSrc, 3))) return st;
    convertRows(InPlanes{pSrc, srcStep}, Out{pDst, dstStep}, roi, rows().ycbcrToRgbP3C3);
    return qrxOk;
}

QrxStatus qrxiYCbCrToRGB_8u_P3C4R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
                                  QrxRoiSize roi, Qrx8u alpha) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(roi), planes(pSrc, 3))) return st;
    convertRows(InPlanes{pSrc, srcStep}, Out{pDst, dstStep}, roi, rows().ycbcrToRgbP3C4, alpha);
    return qrxOk;
}

QrxStatus qrxiYCbCrToRGB_8u_P3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* const pDst[3],
                                int dstStep, QrxRoiSize roi) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(roi), planes(pSrc, 3), planes(pDst, 3)))
        return st;
    convertRows(InPlanes{pSrc, srcStep}, OutPlanes{pDst, dstStep}, roi, rows().ycbcrToRgbP3);
    return qrxOk;
}

QrxStatus qrxiYCbCrToBGR_8u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
                                  QrxRoiSize roi) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), planes(pSrc, 3), size(roi))) return st;
    convertRows(InPlanes{pSrc, srcStep}, Out{pDst, dstStep}, roi, rows().ycbcrToBgrP3C3);
    return qrxOk;
}

QrxStatus qrxiYCbCrToBGR_8u_P3C4R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
                                  QrxRoiSize roi, Qrx8u alpha) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), planes(pSrc, 3), size(roi))) return st;
    convertRows(InPlanes{pSrc, srcStep}, Out{pDst, dstStep}, roi, rows().ycbcrToBgrP3C4, alpha);
    return qrxOk;
}
