// Row functions of 8-bit BGR to and from CIE L*a*b* (D65).
//
// A row converts `width` three-channel pixels. The BGR side holds blue,
// green, red in that order; the Lab side L, a, b as 8-bit codes (L 2.55 L,
// a + 128, b + 128) or 16-bit codes (L 655.35 L, 255 (a + 128), 255 (b + 128)).
#pragma once

#include "frame/dispatch.h"
#include "qrxcc.h"

namespace qrx {

template <class S, class D>
using LabRow = void (*)(const S* src, D* dst, int width);

struct LabRows {
    LabRow<Qrx8u, Qrx8u> bgrToLab8u;
    LabRow<Qrx8u, Qrx16u> bgrToLab16u;
    LabRow<Qrx8u, Qrx8u> labToBgr8u;
    LabRow<Qrx16u, Qrx8u> lab16uToBgr;
};

// The active table (labRows()) and each target's (labRowsFor(t)).
QRX_FAMILY_TABLES(LabRows, kLabRows, labRows)

}  // namespace qrx
