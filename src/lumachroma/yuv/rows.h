// Row functions of the RGB <-> YUV conversions (analogue television YUV:
// Y 0..255, U and V scaled colour differences centred on 128) and their
// kernel table.
//
// A row function converts one row (a 4:2:0 encoder: one row pair) of `width`
// pixels. Its source and destination are given as one row pointer per plane
// (a single pointer for an interleaved row). Where the leading pixels of a
// row follow the 16-bit group arithmetic and the rest the exact per-pixel
// formulas, the row function splits the row itself, so a vector version of
// a row must reproduce both parts.
#pragma once

#include "frame/dispatch.h"
#include "qrxcc.h"

namespace qrx::yuv {

// ---- coefficients -------------------------------------------------------------

// Exact encoder, scaled by 65536; the luma weights sum to 65536.
inline constexpr int kYr = 19595, kYg = 38470, kYb = 7471;
inline constexpr int kU = 32244;  // U = 0.492 (B - Y)
inline constexpr int kV = 57475;  // V = 0.877 (R - Y)

// 16-bit groups of the 4:4:4 encoders: luma products >> 8 then >> 8, chroma
// products >> 9 then >> 6. The planar tail uses the same weights, shifted once.
inline constexpr int kGroupYr = 19595, kGroupYg = 38469, kGroupYb = 7471;
inline constexpr int kGroupUr = -4816, kGroupUg = -9469, kGroupUb = 14286;
inline constexpr int kGroupVr = 20152, kGroupVg = -16875, kGroupVb = -3276;

// 15-bit weights: twice the luma in the four-plane, pair and block groups,
// and the lone last pixel of an odd-width planar 4:2:2 row.
inline constexpr int kY15r = 9798, kY15g = 19235, kY15b = 3736;
inline constexpr int kU15 = 16121, kV15 = 28737;

// Decoder weights: R = Y + rv v, G = Y + gu u + gv v, B = Y + bu u, u = U - 128, v = V - 128.
struct InverseWeights {
    int rv, gu, gv, bu;
};
inline constexpr InverseWeights kInverse{74711, -25821, -38076, 133169};        // x 65536
inline constexpr InverseWeights kInversePlanar{74710, -25820, -38075, 133168};  // x 65536
inline constexpr InverseWeights kGroupInverse{9339, -3228, -4760, 16646};       // x 8192
// Groups of the planar and subsampled decoders, applied to 2Y and halved.
inline constexpr InverseWeights kGroupInverse2{9338, -3227, -4759, 16645};  // x 4096

// ---- kernel table ---------------------------------------------------------------

template <class S>
using RowFn = void (*)(const S* const* src, Qrx8u* const* dst, int width);

// A 4:2:0 encoder row pair: whole 2x2 blocks of the two source rows.
template <class S>
using RowPairFn = void (*)(const S* const* top, const S* const* bottom, Qrx8u* yTop, Qrx8u* yBottom,
                           Qrx8u* u, Qrx8u* v, int width);

struct YuvRows {
    // 4:4:4 encoders and decoders.
    RowFn<Qrx8u> rgbToYuvC3, rgbToYuvAC4, rgbToYuvC3P3, rgbToYuvP3, rgbToYuvAC4P4;
    RowFn<Qrx8u> yuvToRgbC3, yuvToRgbAC4, yuvToRgbP3C3, yuvToRgbP3;
    // 4:2:2 encoders; an odd last pixel is converted alone as each one documents.
    RowFn<Qrx8u> rgbToYuv422C3C2, rgbToYuv422C3P3, rgbToYuv422P3;
    RowFn<Qrx16u> rgb565ToYuv422;
    // 4:2:2 decoders, and the 4:2:0 decoders, which convert each row with the
    // chroma row of its pair.
    RowFn<Qrx8u> yuv422ToRgbC2C3, yuv422ToRgbP3C3, yuv422ToRgbP3AC4, yuv422ToRgbP3;
    RowFn<Qrx8u> yuv420ToRgbP3C3, yuv420ToRgbP3AC4, yuv420ToRgbP3, yuv420ToBgrP3C3;
    // 4:2:0 encoders.
    RowPairFn<Qrx8u> rgbToYuv420C3, rgbToYuv420P3, bgrToYuv420AC4;
    RowPairFn<Qrx16u> rgb565ToYuv420, bgr565ToYuv420, bgr555ToYuv420;
};

// The active table (yuvRows()) and each target's (yuvRowsFor(t)).
QRX_FAMILY_TABLES(YuvRows, kYuvRows, yuvRows)

}  // namespace qrx::yuv
