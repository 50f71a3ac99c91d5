// Row functions of the HLS and HSV conversions.
//
// A row function converts `width` pixels of one row: interleaved rows in
// p[0], planar rows one pointer per plane, the fourth being alpha.
#pragma once

#include "colormodels/row_ptrs.h"
#include "frame/dispatch.h"
#include "qrxcc.h"

namespace qrx {

template <class T>
using HlsRow = void (*)(RowPtrs<const T> src, RowPtrs<T> dst, int width);

// Interleaved layouts of the RGB members: three channels, or four with the
// fourth left alone.
enum HlsPixels { kHlsC3 = 0, kHlsAC4 = 1 };

// The BGR/HLS forms with planes (plane 0 is B or H).
enum HlsPlaneForm { kHlsC3P3 = 0, kHlsP3C3, kHlsP3, kHlsAC4P4, kHlsAP4C4, kHlsAP4, kHlsPlaneForms };

struct HlsHsvRows {
    // Indexed by HlsPixels.
    HlsRow<Qrx8u> rgbToHls8u[2], hlsToRgb8u[2], rgbToHsv8u[2], hsvToRgb8u[2];
    HlsRow<Qrx16u> rgbToHls16u[2], hlsToRgb16u[2], rgbToHsv16u[2], hsvToRgb16u[2];
    HlsRow<Qrx16s> rgbToHls16s[2], hlsToRgb16s[2];
    HlsRow<Qrx32f> rgbToHls32f[2], hlsToRgb32f[2];
    // BGR with the fourth channel left alone, and the plane forms.
    HlsRow<Qrx8u> bgrToHlsAC4;
    HlsRow<Qrx8u> bgrToHls[kHlsPlaneForms], hlsToBgr[kHlsPlaneForms];
};

// The active table (hlsHsvRows()) and each target's (hlsHsvRowsFor(t)).
QRX_FAMILY_TABLES(HlsHsvRows, kHlsHsvRows, hlsHsvRows)

}  // namespace qrx
