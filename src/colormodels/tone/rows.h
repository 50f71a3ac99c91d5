// Row function of tone mapping and its kernel table.
//
// A row maps `width` floats to bytes by a linear scale: v = trunc(x * s),
// the product in single precision, clamped to 0..255. Products of 255 or
// more (+inf included) give 255, products below 1 (negative values and -inf
// included) give 0, and a NaN product gives 0.
#pragma once

#include "frame/dispatch.h"
#include "qrxcc.h"

namespace qrx {

struct ToneRows {
    void (*scale)(const Qrx32f* src, Qrx8u* dst, int width, float s);
};

// The active table (toneRows()) and each target's (toneRowsFor(t)).
QRX_FAMILY_TABLES(ToneRows, kToneRows, toneRows)

}  // namespace qrx
