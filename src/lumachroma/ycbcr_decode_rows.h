// Row functions of the subsampled YCbCr decoders (4:2:2, 4:2:0 and 4:1:1 to
// RGB or BGR), and the fixed-point constants they share.
//
// Every decoder converts the leading columns of a row with the 16-bit
// "vector" arithmetic and the rest with a 32-bit "scalar" matrix; the two
// differ in the last bit, so each row function splits its row itself at the
// column its operation documents. Entries reach the row functions only
// through the kernel table.
#pragma once

#include "lumachroma/bt601.h"
#include "qrxcc.h"

namespace qrx {
namespace ycbcrdec {

// Scalar matrix, 16 fractional bits, on y = Y - 16, u = Cb - 128, v = Cr - 128:
//   R = (a*y + b*v + rR) >> 16
//   G = (a*y - c*u - d*v + rG) >> 16
//   B = (a*y + e*u + rB) >> 16
// each clamped to 0..255.
struct ScalarSet {
    int a, b, c, d, e;
    int rR, rG, rB;  // rounding terms
};

// 16-bit lane arithmetic on Ys = (Y - 16) * 128, Us = (Cb - 128) * 128,
// Vs = (Cr - 128) * 128: each product keeps its high 16 bits (floor), terms
// are summed with signed 16-bit saturation, t is added, then >> 4, clamp:
//   R = (hi(Ys*kY) + hi(Vs*kR) + t) >> 4
//   G = (hi(Ys*kY) + hi(Us*-kGu) + hi(Vs*-kGv) + t) >> 4
//   B = (hi(Ys*kY) + hi(Us*kB) + t) >> 4
struct VectorSet {
    int kY, kR, kGu, kGv, kB;
    int t;
};

// S2 and S3 use the BT.601 inverse weights. S2 is defined on raw Y, Cb, Cr
// with the offsets -14608761 (R), +8887730 (G) and -18140365 (B); on centred
// samples those leave rounding terms of -57, -14 and -13.
constexpr ScalarSet withInverseWeights(int rR, int rG, int rB) {
    return {bt601::kInvY, bt601::kInvRCr, -bt601::kInvGCb, -bt601::kInvGCr, bt601::kInvBCb,
            rR, rG, rB};
}
constexpr ScalarSet rawSampleOffsets(int offR, int offG, int offB) {
    const ScalarSet w = withInverseWeights(0, 0, 0);
    return withInverseWeights(offR + 16 * w.a + 128 * w.b, offG + 16 * w.a - 128 * (w.c + w.d),
                              offB + 16 * w.a + 128 * w.e);
}

constexpr ScalarSet kS1{76282, 104593, 25689, 53279, 132184, 0, 0, 0};
constexpr ScalarSet kS2 = rawSampleOffsets(-14608761, 8887730, -18140365);
constexpr ScalarSet kS3 = withInverseWeights(32768, 32768, 32768);
constexpr ScalarSet kS4{76294, 104595, 25625, 53281, 132186, 0, 0, 0};
constexpr ScalarSet kS5{76309, 104597, 25675, 53279, 132201, 0, 0, 0};

constexpr VectorSet kV1{9535, 13074, 3211, 6660, 16523, 8};
constexpr VectorSet kV2{9536, 13074, 3203, 6660, 16523, 0};

// Which leading columns of a row take the vector arithmetic.
enum class VectorColumns {
    None,
    Groups8,            // 0 .. 8*floor(w/8)-1
    Groups8Then4,       // then one group of 4 if at least 4 columns remain
    Groups8Then4Then3,  // then a last group of 3 if exactly 3 remain
};

// The arithmetic of one kind of row: the vector set on the leading columns,
// the scalar set on the rest.
struct Arithmetic {
    ScalarSet scalar;
    VectorSet vector;
    VectorColumns columns;
};

constexpr Arithmetic kPacked422ToRgb{kS2, kV2, VectorColumns::Groups8Then4};
constexpr Arithmetic kPacked422ToBgr{kS2, kV1, VectorColumns::Groups8};
constexpr Arithmetic kPlanar422ToRgb{kS1, kV1, VectorColumns::Groups8};
constexpr Arithmetic kPlanar422ToBgr{kS2, kV1, VectorColumns::Groups8};
constexpr Arithmetic kPlanar420{kS3, kV1, VectorColumns::Groups8};
constexpr Arithmetic kPlanar411{kS4, kV2, VectorColumns::Groups8Then4Then3};
constexpr Arithmetic kFiltered420{kS5, VectorSet{}, VectorColumns::None};

}  // namespace ycbcrdec

struct YcbcrDecodeRows {
    // One row of interleaved 4:2:2 (four bytes per pixel pair). An odd last
    // pixel takes the chroma byte after its Y and, for the other component,
    // the byte before its Y; a row of one pixel has only the first.
    using PackedToPacked = void (*)(const Qrx8u* src, Qrx8u* dst, int width, Qrx8u alpha);
    using PackedToPlanar = void (*)(const Qrx8u* src, Qrx8u* const dst[3], int width);
    // One row of Y, Cb, Cr planes; column x uses chroma sample x >> 1 (4:2:2)
    // or x >> 2 (4:1:1).
    using PlanarToPacked = void (*)(const Qrx8u* const src[3], Qrx8u* dst, int width,
                                    Qrx8u alpha);
    // A 4:2:0 row pair: luma rows 2j and 2j+1 (src[0], src[1]) with chroma
    // row j (src[2] Cb, src[3] Cr) into dst[0], dst[1]. Width is even.
    using RowPair = void (*)(const Qrx8u* const src[4], Qrx8u* const dst[2], int width,
                             Qrx8u alpha);
    // Three-channel destinations ignore alpha; four-channel ones store it.

    PackedToPacked ycbcr422ToRgbC2C3;  // kPacked422ToRgb
    PackedToPacked ycrcb422ToRgbC2C3;  // kPacked422ToRgb
    PackedToPlanar ycbcr422ToRgbC2P3;  // kPacked422ToRgb
    PackedToPlanar ycrcb422ToRgbC2P3;  // kPacked422ToRgb
    PackedToPacked ycbcr422ToBgrC2C3;  // kPacked422ToBgr
    PackedToPacked ycbcr422ToBgrC2C4;  // kPacked422ToBgr
    PlanarToPacked ycbcr422ToRgbP3C3;  // kPlanar422ToRgb
    PlanarToPacked ycbcr422ToBgrP3C3;  // kPlanar422ToBgr
    PlanarToPacked ycbcr411ToBgrP3C3;  // kPlanar411
    PlanarToPacked ycbcr411ToBgrP3C4;  // kPlanar411
    RowPair ycbcr420ToBgrC3;           // kPlanar420
    RowPair ycbcr420ToBgrC4;           // kPlanar420
    RowPair ycbcr420ToRgbC3;           // kPlanar420
    RowPair ycbcr420ToRgbC4;           // kPlanar420
    // kFiltered420: odd pixels take the rounded mean of their chroma sample
    // and the next one, except in the last pair of the row.
    RowPair ycbcr420ToBgrFilteredC4;
};

// The row functions for this processor (today the scalar reference table).
const YcbcrDecodeRows& ycbcrDecodeRows();

}  // namespace qrx
