// Row functions of the RGB to and from XYZ and LUV conversions.
//
// A row converts `width` pixel-interleaved pixels: channels 0, 1, 2 of the
// source (R, G, B or X, Y, Z or L, u, v) to channels 0, 1, 2 of the
// destination. Four-channel rows never change the destination's fourth
// channel.
#pragma once

#include "frame/dispatch.h"
#include "qrxcc.h"

namespace qrx {

template <class T>
using CieRow = void (*)(const T* src, T* dst, int width);

// One operation's rows for three- and four-channel pixels.
template <class T>
struct CieRowPair {
    CieRow<T> c3, ac4;
};

// One conversion for the four sample types.
struct CieRowTypes {
    CieRowPair<Qrx8u> u8;
    CieRowPair<Qrx16u> u16;
    CieRowPair<Qrx16s> s16;
    CieRowPair<Qrx32f> f32;
};

struct XyzLuvRows {
    CieRowTypes rgbToXyz, xyzToRgb, rgbToLuv, luvToRgb;
};

// The active table (xyzLuvRows()) and each target's (xyzLuvRowsFor(t)).
QRX_FAMILY_TABLES(XyzLuvRows, kXyzLuvRows, xyzLuvRows)

}  // namespace qrx
