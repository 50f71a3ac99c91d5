// Row functions of the colour-to-gray conversions.
//
// A row reads channels 0, 1 and 2 of each pixel (three- or four-channel
// sources; the fourth channel is never read) and writes one channel.
#pragma once

#include "frame/dispatch.h"
#include "qrxcc.h"

namespace qrx {

// The fixed luma weights of RGBToGray.
inline constexpr Qrx32f kGrayWeights[3] = {0.299f, 0.587f, 0.114f};

// 8-bit rows weigh in 12-bit fixed point (4096 is 1.0). Each weight is
// rounded half up from its float value and kept as an unsigned 16-bit
// number, so a negative weight wraps and gives a meaningless result.
struct GrayWeights12 {
    Qrx16u k[3];
};
GrayWeights12 grayWeights12(const Qrx32f c[3]);

template <class T, class Weights>
using GrayRow = void (*)(const T* src, T* dst, int width, Weights w);

struct GrayRows {
    // Leading groups of 4 (C3) or 8 (AC4) pixels truncate each product
    // at 2^8; the rest of the row rounds the exact sum at 2^12.
    GrayRow<Qrx8u, const GrayWeights12&> c3_8u, ac4_8u;
    // Float32 sums; 16u keeps the low 16 bits of the truncated sum, 16s
    // offsets inputs by 32768 and saturates.
    GrayRow<Qrx16u, const Qrx32f*> c3_16u, ac4_16u;
    GrayRow<Qrx16s, const Qrx32f*> c3_16s, ac4_16s;
    GrayRow<Qrx32f, const Qrx32f*> c3_32f, ac4_32f;
};

// The active table (grayRows()) and each target's (grayRowsFor(t)).
QRX_FAMILY_TABLES(GrayRows, kGrayRows, grayRows)

}  // namespace qrx
