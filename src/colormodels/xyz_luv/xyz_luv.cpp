// RGB to and from CIE XYZ and CIE 1976 L*u*v*: entries and row driver.
#include "colormodels/xyz_luv/rows.h"
#include "frame/checks.h"
#include "frame/image.h"
#include "frame/threading.h"
#include "qrxcc.h"

namespace {

using namespace qrx;

// Checks, then every row on the calling thread for images of at most 4096
// pixels and in one parallel region above. Steps of 16- and 32-bit images
// count whole samples (rounded down).
template <class T>
QrxStatus convert(const T* src, int srcStep, T* dst, int dstStep, QrxRoiSize roi, CieRow<T> row) {
    if (QrxStatus st = check::firstFailure(check::nulls(src, dst), check::size(roi))) return st;
    constexpr int wholeSamples = ~(static_cast<int>(sizeof(T)) - 1);
    srcStep &= wholeSamples;
    dstStep &= wholeSamples;
    parallelRows(roi, RowSplit::AboveLimit, [&](int y) {
        row(rowPtr(src, srcStep, y), rowPtr(dst, dstStep, y), roi.width);
    });
    return qrxOk;
}

const CieRowTypes& toXyz() { return xyzLuvRows().rgbToXyz; }
const CieRowTypes& fromXyz() { return xyzLuvRows().xyzToRgb; }
const CieRowTypes& toLuv() { return xyzLuvRows().rgbToLuv; }
const CieRowTypes& fromLuv() { return xyzLuvRows().luvToRgb; }

}  // namespace

QrxStatus qrxiRGBToXYZ_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                              QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, toXyz().u8.c3);
}
QrxStatus qrxiRGBToXYZ_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                               QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, toXyz().u8.ac4);
}
QrxStatus qrxiRGBToXYZ_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                               QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, toXyz().u16.c3);
}
QrxStatus qrxiRGBToXYZ_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                                QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, toXyz().u16.ac4);
}
QrxStatus qrxiRGBToXYZ_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
                               QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, toXyz().s16.c3);
}
QrxStatus qrxiRGBToXYZ_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
                                QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, toXyz().s16.ac4);
}
QrxStatus qrxiRGBToXYZ_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                               QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, toXyz().f32.c3);
}
QrxStatus qrxiRGBToXYZ_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                                QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, toXyz().f32.ac4);
}

QrxStatus qrxiXYZToRGB_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                              QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, fromXyz().u8.c3);
}
QrxStatus qrxiXYZToRGB_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                               QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, fromXyz().u8.ac4);
}
QrxStatus qrxiXYZToRGB_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                               QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, fromXyz().u16.c3);
}
QrxStatus qrxiXYZToRGB_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                                QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, fromXyz().u16.ac4);
}
QrxStatus qrxiXYZToRGB_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
                               QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, fromXyz().s16.c3);
}
QrxStatus qrxiXYZToRGB_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
                                QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, fromXyz().s16.ac4);
}
QrxStatus qrxiXYZToRGB_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                               QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, fromXyz().f32.c3);
}
QrxStatus qrxiXYZToRGB_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                                QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, fromXyz().f32.ac4);
}

QrxStatus qrxiRGBToLUV_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                              QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, toLuv().u8.c3);
}
QrxStatus qrxiRGBToLUV_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                               QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, toLuv().u8.ac4);
}
QrxStatus qrxiRGBToLUV_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                               QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, toLuv().u16.c3);
}
QrxStatus qrxiRGBToLUV_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                                QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, toLuv().u16.ac4);
}
QrxStatus qrxiRGBToLUV_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
                               QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, toLuv().s16.c3);
}
QrxStatus qrxiRGBToLUV_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
                                QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, toLuv().s16.ac4);
}
QrxStatus qrxiRGBToLUV_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                               QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, toLuv().f32.c3);
}
QrxStatus qrxiRGBToLUV_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                                QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, toLuv().f32.ac4);
}

QrxStatus qrxiLUVToRGB_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                              QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, fromLuv().u8.c3);
}
QrxStatus qrxiLUVToRGB_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                               QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, fromLuv().u8.ac4);
}
QrxStatus qrxiLUVToRGB_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                               QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, fromLuv().u16.c3);
}
QrxStatus qrxiLUVToRGB_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                                QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, fromLuv().u16.ac4);
}
QrxStatus qrxiLUVToRGB_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
                               QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, fromLuv().s16.c3);
}
QrxStatus qrxiLUVToRGB_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
                                QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, fromLuv().s16.ac4);
}
QrxStatus qrxiLUVToRGB_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                               QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, fromLuv().f32.c3);
}
QrxStatus qrxiLUVToRGB_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                                QrxRoiSize roi) {
    return convert(pSrc, srcStep, pDst, dstStep, roi, fromLuv().f32.ac4);
}
