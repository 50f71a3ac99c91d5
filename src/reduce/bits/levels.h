// How each type pair of the bit-depth reduction enters the quantisation and
// how a level leaves it. Shared by the entries, the drivers and the rows of
// every target.
#pragma once

#include "frame/isa.h"

#include <cstdint>
#include <type_traits>

#include "qrxcc.h"
#include "reduce/bits/rows.h"

namespace qrx {
inline namespace QRX_ISA {

// Conversion toward zero to a 32-bit integer. Values at or past 2^31 give
// INT32_MAX; values below -2^31, and NaN, give INT32_MIN. So out-of-range
// floats saturate to the destination's ends and a NaN lands on the lowest
// level.
inline int32_t truncToInt(float v) {
    if (v >= 2147483648.0f) return INT32_MAX;
    if (v >= -2147483648.0f) return static_cast<int32_t>(v);
    return INT32_MIN;
}

// The nudged conversion of some float kernels: the value widened to double,
// plus 9e-06, then converted toward zero like truncToInt.
inline int32_t truncNudged(float v) {
    const double d = static_cast<double>(v) + 9e-06;
    if (d >= 2147483648.0) return INT32_MAX;
    if (d > -2147483649.0) return static_cast<int32_t>(d);
    return INT32_MIN;
}

// The noise value of pixel (x, y): values[(idx[x mod 1024] + 2y + x) mod 1024].
inline float noiseValue(const NoiseTables& n, int x, int y) {
    const uint32_t i = static_cast<uint32_t>(n.idx[x & (kNoiseTableSize - 1)]) +
                       2u * static_cast<uint32_t>(y) + static_cast<uint32_t>(x);
    return n.values[i & (kNoiseTableSize - 1)];
}

// Source type S reduced into destination type D.
template <class S, class D>
struct Pair {
    using Src = S;
    using Dst = D;
    static constexpr bool kFloatSrc = std::is_same_v<S, Qrx32f>;
    static constexpr bool kByteSrc = std::is_same_v<S, Qrx8u>;
    static constexpr bool kSignedSrc = std::is_same_v<S, Qrx16s>;
    static constexpr bool kSignedDst = std::is_same_v<D, Qrx16s>;

    // The working domain: 0..255, 0..65535 (16s offset by 32768) or the
    // float as it is (nominally 0..1). kTop is its upper end.
    static constexpr float kTop = kFloatSrc ? 1.0f : kByteSrc ? 255.0f : 65535.0f;
    // The destination's range counted from its lowest value.
    static constexpr int kDstMax = sizeof(D) == 1 ? 255 : 65535;
    static constexpr D kDstTop = static_cast<D>(kSignedDst ? 32767 : kDstMax);
    static constexpr D kDstBottom = static_cast<D>(kSignedDst ? -32768 : 0);
    // 16-bit levels stored to 8 bits keep their high byte.
    static constexpr int kShift = !kFloatSrc && sizeof(S) == 2 && sizeof(D) == 1 ? 8 : 0;
    // Float levels (0..1) are scaled to the destination's range.
    static constexpr float kLevelScale = sizeof(D) == 1 ? 255.0f : 65535.0f;

    static float working(S s) {
        if constexpr (kFloatSrc) {
            return s;
        } else if constexpr (kSignedSrc) {
            return static_cast<float>(s + 32768);
        } else {
            return static_cast<float>(s);
        }
    }

    // The no-dither kernels work in 0..1.
    static float normalised(S s) {
        if constexpr (kFloatSrc) {
            return s;
        } else if constexpr (kByteSrc) {
            return static_cast<float>(s) * 0.003921568859368563f;
        } else {
            return working(s) * 1.5259021893143654e-05f;
        }
    }

    // n counted from the destination's lowest value, saturated.
    static D fromLevel(int32_t n) {
        n = n < 0 ? 0 : (n > kDstMax ? kDstMax : n);
        return static_cast<D>(kSignedDst ? n - 32768 : n);
    }

    // The value stored for level q of the working domain; Nudged selects
    // the double conversion with its 9e-06 term.
    template <bool Nudged>
    static D store(float q) {
        const float y = kFloatSrc ? q * kLevelScale : q;
        const int32_t n = Nudged ? truncNudged(y) : truncToInt(y);
        return fromLevel(n >> kShift);
    }

    static LevelSteps steps(int L) {
        const float lf = static_cast<float>(L);
        if constexpr (kFloatSrc) {
            return {1.0f / lf, lf};
        } else if constexpr (kByteSrc) {
            return {(65280.0f / lf) * 0.00390625f, lf / 255.0f};
        } else {
            return {65535.0f / lf, lf / 65535.0f};
        }
    }
};

// The level rule shared by ordered dithering and error diffusion: v rounded
// down to a level, raised by one step when its remainder is strictly above
// the threshold t. Nudged selects k = T(v x recip).
template <bool Nudged>
inline float quantise(float v, float t, LevelSteps s) {
    const int32_t k = Nudged ? truncNudged(v * s.recip) : truncToInt(v * s.recip);
    const float q = static_cast<float>(k) * s.step;
    return v - q > t ? s.step + q : q;
}

// The same rule for values known to lie inside the working range (the
// error-diffusion kernels, after their end tests): there v x recip is far
// inside the int32 range, where converting to int and back equals
// truncating in floating point, so the level stays in float registers. The
// raise is written as adding step or 0, which compiles without a branch
// (q + 0 is q: q is never -0 here).
template <bool Nudged>
inline float quantiseInRange(float v, float t, LevelSteps s) {
    const float k = Nudged ? static_cast<float>(__builtin_trunc(static_cast<double>(v * s.recip) + 9e-06))
                           : __builtin_truncf(v * s.recip);
    const float q = k * s.step;
    return q + (v - q > t ? s.step : 0.0f);
}

}  // namespace QRX_ISA
}  // namespace qrx
