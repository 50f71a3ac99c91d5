// The lightness tables of 8-bit RGB to LUV, computed at compile time from
// the exact lightness function (no entry lies near a rounding tie, so the
// double-precision evaluation rounds as the exact value does).
#pragma once

#include <cstdint>

#include "colormodels/cie.h"

namespace qrx {

namespace detail {
// CIE lightness of a relative luminance y: 116 cbrt(y) - 16 above 0.008856,
// 903.3 y below.
constexpr double lightness(double y) {
    return y > 0.008856 ? 116.0 * cbrtNewton(y) - 16.0 : 903.3 * y;
}
constexpr int32_t roundHalfUp(double v) { return static_cast<int32_t>(v + 0.5); }
}  // namespace detail

struct LuvLightnessTables {
    // big[i]: the 8-bit L code of Y = i/255, for i >= 32.
    int32_t big[256];
    // small[j]: the L code in quarter steps of Y = j/1020, for dark pixels.
    int32_t small[128];
};

constexpr LuvLightnessTables makeLuvLightnessTables() {
    LuvLightnessTables t{};
    for (int i = 0; i < 256; ++i) t.big[i] = detail::roundHalfUp(detail::lightness(i / 255.0) * 2.55);
    for (int j = 0; j < 128; ++j)
        t.small[j] = detail::roundHalfUp(detail::lightness(j / 1020.0) * 10.2);
    return t;
}

inline constexpr LuvLightnessTables kLuvLightness = makeLuvLightnessTables();

}  // namespace qrx
