// Double-precision models of RGB, XYZ, LUV and Lab for the colour-model
// tests: the textbook definitions with exact cube roots and divisions, in
// none of the library's fixed-point or table arithmetic.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>

namespace cietest {

using V3 = std::array<double, 3>;

inline constexpr double kRgbToXyz[3][3] = {
    {0.412453, 0.35758, 0.180423}, {0.212671, 0.71516, 0.072169}, {0.019334, 0.119193, 0.950227}};
inline constexpr double kXyzToRgb[3][3] = {
    {3.240479, -1.53715, -0.498535}, {-0.969256, 1.875991, 0.041556}, {0.055648, -0.204043, 1.057311}};
inline constexpr double kUn = 0.197839, kVn = 0.468342;
inline constexpr double kXn = 0.950456, kZn = 1.088754;

inline V3 mul(const double (&m)[3][3], V3 v) {
    V3 r{};
    for (int i = 0; i < 3; ++i) r[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    return r;
}

inline double lightness(double y) { return y > 0.008856 ? 116 * std::cbrt(y) - 16 : 903.3 * y; }

// L, u, v of linear RGB in 0..1 (u' = v' = 0 for a zero denominator).
inline V3 luvOf(V3 rgb) {
    const V3 xyz = mul(kRgbToXyz, rgb);
    const double d = xyz[0] + 15 * xyz[1] + 3 * xyz[2];
    const double up = d == 0 ? 0 : 4 * xyz[0] / d, vp = d == 0 ? 0 : 9 * xyz[1] / d;
    const double l = lightness(xyz[1]);
    return {l, 13 * l * (up - kUn), 13 * l * (vp - kVn)};
}

// Linear RGB (unclamped) of L, u, v; black below L 9e-5.
inline V3 rgbOfLuv(V3 luv) {
    const double l = luv[0];
    if (l < 9e-5) return {0, 0, 0};
    const double y = l >= 7.9996247 ? std::pow((l + 16) / 116, 3) : l / 903.3;
    const double up = luv[1] / (13 * l) + kUn, vp = luv[2] / (13 * l) + kVn;
    const double x = 9 * y * up / (4 * vp), z = y * (12 - 3 * up - 20 * vp) / (4 * vp);
    return mul(kXyzToRgb, {x, y, z});
}

// L, a, b of RGB in 0..1 (D65).
inline V3 labOf(V3 rgb) {
    V3 t = mul(kRgbToXyz, rgb);
    t[0] /= kXn;
    t[2] /= kZn;
    auto f = [](double v) { return v <= 0.008856 ? 7.787 * v + 16.0 / 116 : std::cbrt(v); };
    return {lightness(t[1]), 500 * (f(t[0]) - f(t[1])), 200 * (f(t[1]) - f(t[2]))};
}

// RGB in 0..1 (unclamped) of L, a, b, with the cube for every L.
inline V3 rgbOfLab(V3 lab) {
    const double fy = (lab[0] + 16) / 116, fx = fy + lab[1] / 500, fz = fy - lab[2] / 200;
    return mul(kXyzToRgb, {fx * fx * fx * kXn, fy * fy * fy, fz * fz * fz * kZn});
}

inline double clamp(double v, double hi) { return std::clamp(v, 0.0, hi); }

}  // namespace cietest
