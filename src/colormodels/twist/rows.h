// Row functions of the colour twist (an affine 3x4 colour matrix, or the
// linear 4x4 matrix of the four-channel float form) and their kernel table.
//
// A row function transforms one row of `width` pixels. Its source and
// destination are given as one row pointer per plane (only the first is
// used for an interleaved row); source and destination may be the same
// row, for the in-place forms.
#pragma once

#include "frame/dispatch.h"
#include "qrxcc.h"

namespace qrx {

// The caller's matrix rearranged as four columns of four floats: column j
// holds the weights of input channel j for outputs 0..3 (column 3 of a
// 3x4 matrix is the additive constants; lane 3 of every 3x4 column is 0).
struct TwistColumns {
    alignas(16) float col[4][4];
};
TwistColumns twistColumns3x4(const Qrx32f twist[3][4]);
TwistColumns twistColumns4x4(const Qrx32f twist[4][4]);

template <class T>
using TwistRow = void (*)(const T* const* src, T* const* dst, int width, const TwistColumns& m);

// Per output channel k, with products p_j = c_j * t[k][j] rounded to float:
//  - 8u, 16u, 16s and 32f sum (t[k][3] + p0) + (p1 + p2), 8s sums
//    ((p0 + p1) + p2) + t[k][3];
//  - integer outputs take min(sum, top) (a NaN sum gives top), then
//    max(., bottom), then round to nearest in the current rounding mode (the
//    entries make it nearest-even); 8s only takes the min with 127 and then
//    saturates the rounded 32-bit value;
//  - 32f stores the sum as it is.
// AC4 rows leave the fourth element of a destination pixel as it was (the
// AVX2 kernels of 8- and 16-bit samples store it back unchanged).
struct TwistRows {
    TwistRow<Qrx8u> c3_8u, ac4_8u, p3_8u;
    TwistRow<Qrx8s> c3_8s, ac4_8s, p3_8s;
    TwistRow<Qrx16u> c3_16u, ac4_16u, p3_16u;
    TwistRow<Qrx16s> c3_16s, ac4_16s, p3_16s;
    TwistRow<Qrx32f> c3_32f, ac4_32f, p3_32f;
    // ((c0 t0 + c1 t1) + c2 t2) + c3 t3 for all four channels.
    TwistRow<Qrx32f> c4_32f;
};

// The active table (twistRows()) and each target's (twistRowsFor(t)).
QRX_FAMILY_TABLES(TwistRows, kTwistRows, twistRows)

}  // namespace qrx
