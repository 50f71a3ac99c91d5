// What the XYZ, LUV and Lab families share: the RGB/XYZ matrices, the
// cube-root tables and the series that refines a table entry.
#pragma once

#include "colormodels/lanes_inl.h"

namespace qrx {

// RGB (linear, 0..1 or any common scale) to CIE XYZ, D65, single precision.
// Rows are summed left to right: (m0 R + m1 G) + m2 B.
inline constexpr float kRgbToXyz[3][3] = {
    {0.412453f, 0.35758f, 0.180423f},
    {0.212671f, 0.71516f, 0.072169f},
    {0.019334f, 0.119193f, 0.950227f},
};
inline constexpr float kXyzToRgb[3][3] = {
    {3.240479f, -1.53715f, -0.498535f},
    {-0.969256f, 1.875991f, 0.041556f},
    {0.055648f, -0.204043f, 1.057311f},
};

// Cube roots by interval: entry k holds c = cbrt(k + 1 intervals + 0.0001)
// as a float. For t in interval k, u = (t - c^3) r with r = 1/c^3 is small
// and cbrt(t) = c (1 + u)^(1/3). The rows compute c^3 and r in float from
// the entry (a division costs less than a second table look-up).
template <int N>
struct CubeRootTable {
    float c[N];
};

namespace detail {
// Newton's steps for x^3 - a from above (max(a, 1) >= cbrt(a) for a > 0)
// decrease monotonically until rounding stops them.
constexpr double cbrtNewton(double a) {
    double x = a > 1.0 ? a : 1.0;
    for (double next = x - (x * x * x - a) / (3.0 * x * x); next < x;
         next = x - (x * x * x - a) / (3.0 * x * x))
        x = next;
    return x;
}
}  // namespace detail

// `intervals` intervals of width 1/perUnit; entries past them hold 1.
template <int N>
constexpr CubeRootTable<N> makeCubeRootTable(int intervals, double perUnit) {
    CubeRootTable<N> t{};
    for (int k = 0; k < N; ++k) {
        const double v = (k + 1) / perUnit + 0.0001;
        t.c[k] = k < intervals ? static_cast<float>(detail::cbrtNewton(v)) : 1.0f;
    }
    return t;
}

// LUV: 128 intervals of 1/128 and a last entry 1 for t = 1 exactly.
inline constexpr CubeRootTable<129> kLuvCubeRoots = makeCubeRootTable<129>(128, 128.0);
// Lab: 128 intervals of 1/127.99805, indexed by trunc(t 127.99805).
inline constexpr CubeRootTable<128> kLabCubeRoots = makeCubeRootTable<128>(128, 127.99805);

namespace lanes {
inline namespace QRX_ISA {

// c (1 + u/3 - u^2/9 + 5u^3/81 - ...) with the first `Terms` terms of the
// binomial series of (1 + u)^(1/3), by Horner's rule from the last term.
template <class L, int Terms>
QRX_LANES_INLINE typename L::F cbrtSeries(typename L::F c, typename L::F u) {
    static_assert(Terms == 7 || Terms == 9);
    constexpr float a[9] = {1.0f,         0.33333334f,   -0.11111111f,
                            0.061728396f, -0.041152265f, 0.030178327f,
                            -0.023472032f, 0.01900117f,  -0.015834307f};
    typename L::F p = L::f(a[Terms - 1]);
    for (int i = Terms - 2; i >= 1; --i) p = p * u + L::f(a[i]);
    return c * (p * u + L::f(1.0f));
}

// cbrt(t) from the entry at `index` (already within the table).
template <class L, int Terms, int N>
QRX_LANES_INLINE typename L::F cbrtFromTable(const CubeRootTable<N>& table, typename L::F t,
                                             typename L::I index) {
    const typename L::F c = L::template lookup<N>(table.c, index);
    const typename L::F c3 = c * c * c;
    return cbrtSeries<L, Terms>(c, (t - c3) * (L::f(1.0f) / c3));
}

// The table index trunc(t scale), clamped to the table (NaN gives 0).
template <class L, int N>
QRX_LANES_INLINE typename L::I cubeRootIndex(typename L::F t, float scale) {
    return truncClamp<L>(t * L::f(scale), 0.0f, static_cast<float>(N - 1));
}

}  // namespace QRX_ISA
}  // namespace lanes
}  // namespace qrx
