// Kernel table of the subsampled YCbCr decoders (4:2:2, 4:2:0 and 4:1:1 to
// RGB or BGR).
//
// Every decoder converts the leading columns of a row with the 16-bit
// "vector" arithmetic and the rest with a 32-bit "scalar" matrix; the two
// differ in the last bit, so each row function splits its row itself at the
// column its operation documents. Entries reach the row functions only
// through the kernel table; the arithmetic of each kind of row is named in
// rows_inl.h.
#pragma once

#include "frame/dispatch.h"
#include "qrxcc.h"

namespace qrx {

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

// The active table (ycbcrDecodeRows()) and each target's (ycbcrDecodeRowsFor(t)).
QRX_FAMILY_TABLES(YcbcrDecodeRows, kYcbcrDecodeRows, ycbcrDecodeRows)

}  // namespace qrx
