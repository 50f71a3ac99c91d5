// Row functions of the RGB <-> YCC conversions: `width` pixels of one
// interleaved row (p[0] of each RowPtrs).
#pragma once

#include "colormodels/row_ptrs.h"
#include "frame/dispatch.h"
#include "qrxcc.h"

namespace qrx {

template <class T>
using YccRow = void (*)(RowPtrs<const T> src, RowPtrs<T> dst, int width);

// Three channels, or four with the fourth left alone.
enum YccPixels { kYccC3 = 0, kYccAC4 = 1 };

struct YccRows {
    // Indexed by YccPixels.
    YccRow<Qrx8u> rgbToYcc8u[2], yccToRgb8u[2];
    YccRow<Qrx16u> rgbToYcc16u[2], yccToRgb16u[2];
    YccRow<Qrx16s> rgbToYcc16s[2], yccToRgb16s[2];
    YccRow<Qrx32f> rgbToYcc32f[2], yccToRgb32f[2];
};

// The active table (yccRows()) and each target's (yccRowsFor(t)).
QRX_FAMILY_TABLES(YccRows, kYccRows, yccRows)

}  // namespace qrx
