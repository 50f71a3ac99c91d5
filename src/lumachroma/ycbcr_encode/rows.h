// Row functions of the subsampled YCbCr encoders (RGB, BGR and 16-bit
// BGR 555/565 to 4:2:2, 4:2:0 and 4:1:1) and their kernel table.
//
// Luma of every pixel is the BT.601 forward luma of that pixel. Chroma comes
// from the sum of the 1, 2 or 4 pixels that share it, weighted by the forward
// chroma rows and shifted right by 16, 17 or 18. Two roundings exist: the
// row-pair encoders (RGB 4:2:0 into planes, RGB 4:2:2 into packed rows) round
// to nearest, all others add only 1/8 of a level. The sum is formed with the
// offset -128 instead of +128 and its low 8 bits are stored: the same byte.
//
// Every row function takes the whole row width and writes exactly what the
// encoder writes for that row, including its odd tail (see each type below).
#pragma once

#include "frame/dispatch.h"
#include "qrxcc.h"

namespace qrx {

namespace ycbcr_enc {

// Chroma constants for a sum of one pixel (>> 16), two (>> 17) or four (>> 18).
struct ChromaBias {
    int single, pair, quad;
};
// 1/8 of a level: 8192, 16384, 32768 before the shift.
inline constexpr ChromaBias kBlockChroma{8192 - (128 << 16), 16384 - (128 << 17),
                                         32768 - (128 << 18)};
// Rounding to nearest: 32768, 65536, 131072 before the shift.
inline constexpr ChromaBias kNearestChroma{32768 - (128 << 16), 65536 - (128 << 17),
                                           131072 - (128 << 18)};

}  // namespace ycbcr_enc

struct YcbcrEncodeRows {
    // One source row into Y, Cb and Cr rows. 4:2:2: pairs of pixels; an odd
    // last pixel gets its luma only. 4:1:1: groups of four; 8-bit sources
    // leave the remaining 1-3 columns unwritten, 16-bit sources give them
    // their luma.
    template <class S>
    using PlanesRow = void (*)(const S* src, Qrx8u* y, Qrx8u* cb, Qrx8u* cr, int width);

    // One source row into packed 4:2:2 (Y0 C Y1 C); an odd last pixel writes
    // its luma and the first chroma byte of the pair, computed from itself.
    template <class S>
    using PackedRow = void (*)(const S* src, Qrx8u* dst, int width);
    using PlanarPackedRow = void (*)(const Qrx8u* r, const Qrx8u* g, const Qrx8u* b, Qrx8u* dst,
                                     int width);

    // Two source rows into two Y rows and one Cb and one Cr row (4:2:0). An
    // odd last column is left unwritten by 8-bit sources; 16-bit sources give
    // both of its pixels their luma.
    template <class S>
    using RowPair = void (*)(const S* src0, const S* src1, Qrx8u* y0, Qrx8u* y1, Qrx8u* cb,
                             Qrx8u* cr, int width);

    // Luma only, every pixel of the row (odd last row of 16-bit 4:2:0).
    template <class S>
    using LumaRow = void (*)(const S* src, Qrx8u* y, int width);

    // 4:2:2 into planes, 1/8 rounding.
    PlanesRow<Qrx8u> rgbTo422, bgrTo422, bgraTo422;
    PlanesRow<Qrx16u> bgr555To422, bgr565To422;
    // 4:2:2 packed: RGB sources round to nearest, the others by 1/8.
    PackedRow<Qrx8u> rgbToYCbCr422Packed, rgbToYCrCb422Packed;
    PlanarPackedRow rgbPlanarToYCbCr422Packed, rgbPlanarToYCrCb422Packed;
    PackedRow<Qrx8u> bgrTo422Packed, bgraTo422Packed;
    PackedRow<Qrx16u> bgr555To422Packed, bgr565To422Packed;
    // 4:2:0: RGB rounds to nearest, the others by 1/8.
    RowPair<Qrx8u> rgbTo420, rgbaTo420, bgrTo420, bgraTo420;
    RowPair<Qrx16u> bgr555To420, bgr565To420;
    LumaRow<Qrx16u> bgr555Luma, bgr565Luma;
    // 4:1:1, 1/8 rounding.
    PlanesRow<Qrx8u> bgrTo411, bgraTo411;
    PlanesRow<Qrx16u> bgr555To411, bgr565To411;
};

// The active table (ycbcrEncodeRows()) and each target's (ycbcrEncodeRowsFor(t)).
QRX_FAMILY_TABLES(YcbcrEncodeRows, kYcbcrEncodeRows, ycbcrEncodeRows)

}  // namespace qrx
