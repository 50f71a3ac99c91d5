// Row functions of the RGB <-> YCbCr 4:4:4 conversions.
//
// Planar rows are passed as arrays of three row pointers (R, G, B or Y, Cb,
// Cr). Entries reach the row functions only through the kernel table.
#pragma once

#include "frame/dispatch.h"
#include "qrxcc.h"

namespace qrx {

struct Ycbcr444Rows {
    using PackedToPacked = void (*)(const Qrx8u* src, Qrx8u* dst, int width);
    using PackedToPlanar = void (*)(const Qrx8u* src, Qrx8u* const dst[3], int width);
    using PlanarToPlanar = void (*)(const Qrx8u* const src[3], Qrx8u* const dst[3], int width);
    using PlanarToPacked = void (*)(const Qrx8u* const src[3], Qrx8u* dst, int width);
    using PlanarToPackedAlpha = void (*)(const Qrx8u* const src[3], Qrx8u* dst, int width,
                                         Qrx8u alpha);

    // Encoders. Leading groups: 8 pixels from interleaved sources, 16 from
    // planes; the rest of the row, and every pixel of the AC4 form, by the
    // forward matrix.
    PackedToPacked rgbToYcbcrC3;
    PackedToPacked rgbToYcbcrAC4;  // fourth destination byte left alone
    PackedToPlanar rgbToYcbcrC3P3;
    PackedToPlanar rgbToYcbcrAC4P3;  // source alpha ignored
    PlanarToPlanar rgbToYcbcrP3;

    // Decoders. Leading groups of 8 pixels (every pixel of the forms that
    // set alpha) by 16-bit group arithmetic within one of the inverse
    // matrix; the rest of the row, and every pixel of the AC4 form, by the
    // matrix.
    PackedToPacked ycbcrToRgbC3;
    PackedToPacked ycbcrToRgbAC4;  // fourth destination byte left alone
    PlanarToPacked ycbcrToRgbP3C3;
    PlanarToPackedAlpha ycbcrToRgbP3C4;  // fourth byte set to alpha
    PlanarToPlanar ycbcrToRgbP3;
    PlanarToPacked ycbcrToBgrP3C3;
    PlanarToPackedAlpha ycbcrToBgrP3C4;
};

// The active table (ycbcr444Rows()) and each target's (ycbcr444RowsFor(t)).
QRX_FAMILY_TABLES(Ycbcr444Rows, kYcbcr444Rows, ycbcr444Rows)

}  // namespace qrx
