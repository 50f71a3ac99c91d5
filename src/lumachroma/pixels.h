// Pixel layouts shared by the luma-chroma families.
//
// A row function is written once as a template over its source and
// destination layouts; the layouts below say where each channel of a pixel
// sits. Byte orders: RGB = R G B, BGR = B G R, RGBA = R G B A, BGRA = B G R A.
// 16-bit words are little-endian; RGB565 has red in bits 0-4, BGR565 and
// BGR555 have blue there. Components widen to 8 bits by a left shift only
// (a 5-bit 31 becomes 248, not 255).
#pragma once

#include "frame/isa.h"

#include "qrxcc.h"

namespace qrx {
inline namespace QRX_ISA {

struct Rgb {
    int r, g, b;
};

// Interleaved 8-bit layouts.
template <int Channels, int R, int G, int B>
struct Packed {
    static constexpr int channels = Channels;
    static constexpr int r = R, g = G, b = B;
};
using RGB = Packed<3, 0, 1, 2>;
using BGR = Packed<3, 2, 1, 0>;
using RGBA = Packed<4, 0, 1, 2>;
using BGRA = Packed<4, 2, 1, 0>;

// Reads pixel x of an interleaved 8-bit row.
template <class L>
struct PackedSrc {
    const Qrx8u* p;
    Rgb operator()(int x) const {
        const Qrx8u* q = p + x * L::channels;
        return {q[L::r], q[L::g], q[L::b]};
    }
};

// Reads pixel x of three full-resolution planes (R, G, B order).
struct PlanarSrc {
    const Qrx8u* r;
    const Qrx8u* g;
    const Qrx8u* b;
    Rgb operator()(int x) const { return {r[x], g[x], b[x]}; }
};

// 16-bit packed words, widened to 8 bits by shifting left.
struct Rgb565Src {
    const Qrx16u* p;
    Rgb operator()(int x) const {
        const unsigned w = p[x];
        return {int((w & 31) << 3), int(((w >> 5) & 63) << 2), int(((w >> 11) & 31) << 3)};
    }
};
struct Bgr565Src {
    const Qrx16u* p;
    Rgb operator()(int x) const {
        const unsigned w = p[x];
        return {int(((w >> 11) & 31) << 3), int(((w >> 5) & 63) << 2), int((w & 31) << 3)};
    }
};
struct Bgr555Src {
    const Qrx16u* p;
    Rgb operator()(int x) const {
        const unsigned w = p[x];
        return {int(((w >> 10) & 31) << 3), int(((w >> 5) & 31) << 3), int((w & 31) << 3)};
    }
};

// Writes pixel x of an interleaved 8-bit row; the fourth byte of a
// four-channel layout is left alone unless the row function writes it.
template <class L>
struct PackedDst {
    Qrx8u* p;
    void operator()(int x, Qrx8u r, Qrx8u g, Qrx8u b) const {
        Qrx8u* q = p + x * L::channels;
        q[L::r] = r;
        q[L::g] = g;
        q[L::b] = b;
    }
    void alpha(int x, Qrx8u a) const {
        static_assert(L::channels == 4, "alpha needs a four-channel layout");
        p[x * 4 + 3] = a;
    }
};

// Writes pixel x of three full-resolution planes (R, G, B order).
struct PlanarDst {
    Qrx8u* r;
    Qrx8u* g;
    Qrx8u* b;
    void operator()(int x, Qrx8u rv, Qrx8u gv, Qrx8u bv) const {
        r[x] = rv;
        g[x] = gv;
        b[x] = bv;
    }
};

}  // namespace QRX_ISA
}  // namespace qrx
