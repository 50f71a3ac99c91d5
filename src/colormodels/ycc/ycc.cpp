// RGB to and from YCC: entries. Pointers then size are checked; the shared
// interleaved driver runs the rows (in parallel above 4096 pixels).
#include "colormodels/row_driver.h"
#include "colormodels/ycc/rows.h"
#include "qrxcc.h"

using qrx::convertInterleaved;
using qrx::kYccAC4;
using qrx::kYccC3;
using qrx::yccRows;

QrxStatus qrxiRGBToYCC_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxRoiSize roi) {
    return convertInterleaved(pSrc, srcStep, pDst, dstStep, roi, yccRows().rgbToYcc8u[kYccC3]);
}
QrxStatus qrxiRGBToYCC_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxRoiSize roi) {
    return convertInterleaved(pSrc, srcStep, pDst, dstStep, roi, yccRows().rgbToYcc8u[kYccAC4]);
}
QrxStatus qrxiRGBToYCC_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxRoiSize roi) {
    return convertInterleaved(pSrc, srcStep, pDst, dstStep, roi, yccRows().rgbToYcc16u[kYccC3]);
}
QrxStatus qrxiRGBToYCC_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxRoiSize roi) {
    return convertInterleaved(pSrc, srcStep, pDst, dstStep, roi, yccRows().rgbToYcc16u[kYccAC4]);
}
QrxStatus qrxiRGBToYCC_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep, QrxRoiSize roi) {
    return convertInterleaved(pSrc, srcStep, pDst, dstStep, roi, yccRows().rgbToYcc16s[kYccC3]);
}
QrxStatus qrxiRGBToYCC_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep, QrxRoiSize roi) {
    return convertInterleaved(pSrc, srcStep, pDst, dstStep, roi, yccRows().rgbToYcc16s[kYccAC4]);
}
QrxStatus qrxiRGBToYCC_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxRoiSize roi) {
    return convertInterleaved(pSrc, srcStep, pDst, dstStep, roi, yccRows().rgbToYcc32f[kYccC3]);
}
QrxStatus qrxiRGBToYCC_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxRoiSize roi) {
    return convertInterleaved(pSrc, srcStep, pDst, dstStep, roi, yccRows().rgbToYcc32f[kYccAC4]);
}

QrxStatus qrxiYCCToRGB_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxRoiSize roi) {
    return convertInterleaved(pSrc, srcStep, pDst, dstStep, roi, yccRows().yccToRgb8u[kYccC3]);
}
QrxStatus qrxiYCCToRGB_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxRoiSize roi) {
    return convertInterleaved(pSrc, srcStep, pDst, dstStep, roi, yccRows().yccToRgb8u[kYccAC4]);
}
QrxStatus qrxiYCCToRGB_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxRoiSize roi) {
    return convertInterleaved(pSrc, srcStep, pDst, dstStep, roi, yccRows().yccToRgb16u[kYccC3]);
}
QrxStatus qrxiYCCToRGB_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxRoiSize roi) {
    return convertInterleaved(pSrc, srcStep, pDst, dstStep, roi, yccRows().yccToRgb16u[kYccAC4]);
}
QrxStatus qrxiYCCToRGB_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep, QrxRoiSize roi) {
    return convertInterleaved(pSrc, srcStep, pDst, dstStep, roi, yccRows().yccToRgb16s[kYccC3]);
}
QrxStatus qrxiYCCToRGB_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep, QrxRoiSize roi) {
    return convertInterleaved(pSrc, srcStep, pDst, dstStep, roi, yccRows().yccToRgb16s[kYccAC4]);
}
QrxStatus qrxiYCCToRGB_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxRoiSize roi) {
    return convertInterleaved(pSrc, srcStep, pDst, dstStep, roi, yccRows().yccToRgb32f[kYccC3]);
}
QrxStatus qrxiYCCToRGB_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxRoiSize roi) {
    return convertInterleaved(pSrc, srcStep, pDst, dstStep, roi, yccRows().yccToRgb32f[kYccAC4]);
}
