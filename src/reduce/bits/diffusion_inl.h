// Error-diffusion rows: one channel of one row, left to right. Each element
// takes the weighted errors of its quantised neighbours (above and to the
// left), is quantised, and leaves its own error for the elements after it.
// The sums are formed in a fixed order: the last bits of every error, and so
// every later level, depend on it.
#pragma once

#include <cstddef>

#include "reduce/bits/levels.h"
#include "reduce/bits/rows.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

// The end tests, the quantisation and the stored level of one element with
// diffused error d. Returns the error it passes on.
template <class P, bool Nudged>
inline float diffuseElement(typename P::Src s, float d, float bottom, float t, LevelSteps steps,
                            typename P::Dst* out) {
    const float v = P::working(s) + d;
    if (v >= P::kTop) {
        *out = P::kDstTop;
        return 0.0f;
    }
    // NaN fails this test too: stored as the bottom, it passes on no error.
    if (!(v >= bottom)) {
        *out = P::kDstBottom;
        return 0.0f;
    }
    const float q = quantiseInRange<Nudged>(v, t, steps);
    *out = P::template store<Nudged>(q);
    return v - q;
}

// 16s to 8u and the float sources add the neighbours in another order and
// use the nudged conversions; their float bottom is 2^-23, not 0.
template <class P>
inline constexpr bool kFloydSteinbergAlt =
    P::kFloatSrc || (P::kSignedSrc && sizeof(typename P::Dst) == 1);

// Each element takes 7/16 of the error to its left and 3/16, 5/16 and 1/16 of
// the errors above right, above and above left.
template <class P, bool Noise>
void floydSteinbergRow(const typename P::Src* src, typename P::Dst* dst, int width, int stride,
                       int y, const ErrorRows& e, const DiffusionArgs& a) {
    constexpr bool kAlt = kFloydSteinbergAlt<P>;
    constexpr float kBottom = P::kFloatSrc ? 1.1920928955078125e-07f : 0.0f;
    const LevelSteps steps = a.s;
    const float half = 0.5f * steps.step;
    const NoiseTables noise = a.noise;
    float* const cur = e.cur;
    const float* const up = e.up;
    // The error just written, cur[x - 1], stays in a register: read back
    // from memory it would add a store-to-load delay to every element.
    float left = cur[-1];
    for (int x = 0; x < width; ++x) {
        const float d = kAlt ? (((3.0f * up[x + 1] + 5.0f * up[x]) + up[x - 1]) + 7.0f * left)
                             : (((3.0f * up[x + 1] + up[x - 1]) + 5.0f * up[x]) + 7.0f * left);
        const float t = Noise ? noiseValue(noise, x, y) : half;
        const std::ptrdiff_t at = static_cast<std::ptrdiff_t>(x) * stride;
        left = diffuseElement<P, kAlt>(src[at], d * 0.0625f, kBottom, t, steps, dst + at);
        cur[x] = left;
    }
}

// Jarvis-Judice-Ninke and Stucki: columns x-2 .. x+2 of the two rows above,
// x-2 and x-1 of the current row. The sum is four partial terms
// p_i = (up[i] e_up + up2[i] e_up2) + cur[i] e_cur at columns x-2+i (the
// current row weighs 0 from column x on), added as (p0 + p2) + (p1 + p3),
// then the two terms of column x+2.
template <class P, bool Noise>
void wideRow(const typename P::Src* src, typename P::Dst* dst, int width, int stride, int y,
             const ErrorRows& e, const DiffusionArgs& a) {
    const WideWeights w = *a.weights;
    const LevelSteps steps = a.s;
    const float half = 0.5f * steps.step;
    const NoiseTables noise = a.noise;
    float* const cur = e.cur;
    const float* const up = e.up;
    const float* const up2 = e.up2;
    float left2 = cur[-2], left = cur[-1];  // cur[x - 2] and cur[x - 1], kept in registers
    for (int x = 0; x < width; ++x) {
        const float p0 = (w.up[0] * up[x - 2] + w.up2[0] * up2[x - 2]) + w.cur[0] * left2;
        const float p1 = (w.up[1] * up[x - 1] + w.up2[1] * up2[x - 1]) + w.cur[1] * left;
        const float p2 = w.up[2] * up[x] + w.up2[2] * up2[x];
        const float p3 = w.up[3] * up[x + 1] + w.up2[3] * up2[x + 1];
        float s = (p0 + p2) + (p1 + p3);
        s = s + up2[x + 2];
        s = s + w.up[0] * up[x + 2];
        const float t = Noise ? noiseValue(noise, x, y) : half;
        left2 = left;
        const std::ptrdiff_t at = static_cast<std::ptrdiff_t>(x) * stride;
        left = diffuseElement<P, false>(src[at], s * w.norm, 0.0f, t, steps, dst + at);
        cur[x] = left;
    }
}

}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx
