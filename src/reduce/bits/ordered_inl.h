// Ordered-dither rows: every element is quantised against the matrix entry
// of its pixel, M[y mod 4][x mod 4] x step, optionally moved by a random
// offset first. All channels of a pixel share its threshold.
#pragma once

#include <cstddef>

#include "reduce/bits/levels.h"
#include "reduce/bits/rows.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

// Pixels from x on, element by element. Channels elements per pixel, the
// first Reduced of them written.
template <class P, int Channels, int Reduced, bool Noise, bool Nudged>
void orderedTail(const typename P::Src* src, typename P::Dst* dst, int x, int width, int y,
                 const OrderedArgs& a) {
    const float* const m = kBayer4x4[y & 3];
    const LevelSteps steps = a.s;
    for (; x < width; ++x) {
        // With noise the offset joins the entry before the one multiplication.
        const float t = Noise ? (m[x & 3] + noiseValue(a.noise, x, y)) * steps.step
                              : m[x & 3] * steps.step;
        const std::ptrdiff_t e = static_cast<std::ptrdiff_t>(x) * Channels;
        for (int c = 0; c < Reduced; ++c) {
            const float q = quantise<Nudged>(P::working(src[e + c]), t, steps);
            dst[e + c] = P::template store<Nudged>(q);
        }
    }
}

template <class P, int Channels, int Reduced, bool Noise, bool Nudged>
void orderedRow(const typename P::Src* src, typename P::Dst* dst, int width, int y,
                const OrderedArgs& a) {
    const int lead = orderedLead<P, Channels, Reduced, Noise, Nudged>(src, dst, width, y, a);
    orderedTail<P, Channels, Reduced, Noise, Nudged>(src, dst, lead, width, y, a);
}

}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx
