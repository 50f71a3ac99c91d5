// A model of the bit-depth reduction, written image by image from the
// method descriptions, for the tests to compare the entries with.
//
// Images are dense vectors of `width * stride` elements per row. The
// diffusion model keeps the errors of every row of a channel group in one
// table, row r of the group being row r mod height of its (r / height)-th
// channel, so the error rows a later channel inherits need no special case.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "frame/primitives.h"
#include "qrxcc.h"

namespace bitsmodel {

template <class T>
constexpr bool isFloat = std::is_same_v<T, Qrx32f>;

// Conversion toward zero; past the int32 range it saturates, NaN is INT32_MIN.
inline int64_t toInt(double v) {
    if (std::isnan(v)) return INT32_MIN;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return static_cast<int64_t>(std::trunc(v));
}
inline int64_t truncF(float v) { return toInt(v); }
inline int64_t nudged(float v) { return toInt(static_cast<double>(v) + 9e-06); }

template <class S, class D>
struct Types {
    static float working(S s) {
        if constexpr (isFloat<S>) return s;
        else if constexpr (std::is_same_v<S, Qrx16s>) return float(int(s) + 32768);
        else return float(s);
    }
    static float top() { return isFloat<S> ? 1.0f : sizeof(S) == 1 ? 255.0f : 65535.0f; }
    static int64_t dstMax() { return sizeof(D) == 1 ? 255 : 65535; }
    static D level(int64_t n) {  // n from the destination's lowest value, saturated
        n = std::min<int64_t>(std::max<int64_t>(n, 0), dstMax());
        return D(std::is_same_v<D, Qrx16s> ? n - 32768 : n);
    }
    static D topValue() { return level(dstMax()); }
    static D bottomValue() { return level(0); }
    // A working-domain level q as stored.
    static D store(float q, bool nudge) {
        const float y = isFloat<S> ? q * (sizeof(D) == 1 ? 255.0f : 65535.0f) : q;
        int64_t n = nudge ? nudged(y) : truncF(y);
        if (!isFloat<S> && sizeof(S) == 2 && sizeof(D) == 1) n = n >> 8;
        return level(n);
    }
    static float step(int L) {
        const float lf = float(L);
        if (isFloat<S>) return 1.0f / lf;
        if (sizeof(S) == 1) return (65280.0f / lf) * 0.00390625f;
        return 65535.0f / lf;
    }
    static float recip(int L) {
        const float lf = float(L);
        return isFloat<S> ? lf : sizeof(S) == 1 ? lf / 255.0f : lf / 65535.0f;
    }
    // The pairs whose Floyd-Steinberg kernels (and ordered noise kernels,
    // but for C4) sum in the second order and use the nudged conversion.
    static constexpr bool alt() { return isFloat<S> || (std::is_same_v<S, Qrx16s> && sizeof(D) == 1); }
};

// k = conv(v recip), q = k step, one step up when v - q > t.
inline float levelOf(float v, float t, float step, float recip, bool nudge) {
    const float q = float(nudge ? nudged(v * recip) : truncF(v * recip)) * step;
    return v - q > t ? q + step : q;
}

template <class S, class D>
D plainModel(S s, int L) {
    float x;
    if constexpr (isFloat<S>) x = s;
    else if constexpr (sizeof(S) == 1) x = float(s) * 0.003921568859368563f;
    else x = Types<S, D>::working(s) * 1.5259021893143654e-05f;
    const float lf = float(L), r = 1.0f / lf, h = 0.5f / lf;
    float q = float(truncF(x * lf)) * r;
    if (x - q > h) q = q + r;
    return Types<S, D>::level(truncF(q * (sizeof(D) == 1 ? 255.0f : 65535.0f)));
}

// The seeded tables: 1024 values over [low, high) and 1024 indices.
struct Noise {
    std::vector<float> values = std::vector<float>(1024);
    std::vector<Qrx16s> idx = std::vector<Qrx16s>(1024);
    Noise(float low, float high) {
        QrxRandState* g = nullptr;
        qrxsRandUniformInitAlloc_16s(&g, 0, 1024, 0);
        qrxsRandUniform_16s(idx.data(), 1024, g);
        qrxsRandUniformFree_16s(g);
        qrxsRandUniformInitAlloc_32f(&g, low, high, 0);
        qrxsRandUniform_32f(values.data(), 1024, g);
        qrxsRandUniformFree_32f(g);
    }
    float at(int x, int y) const { return values[(idx[x % 1024] + 2 * int64_t(y) + x) % 1024]; }
};

inline constexpr int kB[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// Ordered dither of a whole image. `reduced` channels of `stride` are written.
template <class S, class D>
void orderedModel(const std::vector<S>& src, std::vector<D>& dst, int w, int h, int stride,
                  int reduced, int L, int noise) {
    using T = Types<S, D>;
    const float step = T::step(L), recip = T::recip(L);
    const bool nudge = noise > 0 && T::alt() && !(stride == 4 && reduced == 4);
    const Noise tables(float(-noise) / 100.0f, float(noise) / 100.0f);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float m = float(kB[y % 4][x % 4]) / 15.0f;
            const float t = noise ? (m + tables.at(x, y)) * step : m * step;
            for (int c = 0; c < reduced; ++c) {
                const size_t i = (size_t(y) * w + x) * stride + c;
                dst[i] = T::store(levelOf(T::working(src[i]), t, step, recip, nudge), nudge);
            }
        }
}

// The channel groups a region of `threads` threads runs.
inline std::vector<std::vector<int>> groupsFor(int channels, int threads) {
    if (channels == 1 || threads == 1) {
        std::vector<int> all;
        for (int c = 0; c < channels; ++c) all.push_back(c);
        return {all};
    }
    if (threads == 2) return channels == 3 ? std::vector<std::vector<int>>{{0, 1}, {2}}
                                           : std::vector<std::vector<int>>{{0, 1}, {2, 3}};
    if (threads == 3 && channels == 4) return {{0, 1}, {2}, {3}};
    if (channels == 3) return {{0}, {1}, {2}};
    return {{0}, {1}, {2}, {3}};
}

// Error diffusion of a whole image as `threads` workers would run it.
// method 1 Floyd-Steinberg, 2 Jarvis-Judice-Ninke, 3 Stucki.
template <class S, class D>
void diffusionModel(const std::vector<S>& src, std::vector<D>& dst, int w, int h, int stride,
                    int channels, int L, int noise, int method, int threads) {
    using T = Types<S, D>;
    const float step = T::step(L), recip = T::recip(L);
    const bool fs = method == 1, nudge = fs && T::alt();
    const float bottom = fs && isFloat<S> ? 1.1920928955078125e-07f : 0.0f;
    const Noise tables(float(50 - noise) * step / 100.0f, float(50 + noise) * step / 100.0f);
    const float up2W[2][5] = {{1, 3, 5, 3, 1}, {1, 2, 4, 2, 1}};
    const float upW[2][5] = {{3, 5, 7, 5, 3}, {2, 4, 8, 4, 2}};
    const float curW[2][2] = {{5, 7}, {4, 8}};
    const float norm[2] = {0.02083333395421505f, 0.02380952425301075f};
    const int m = method - 2;
    for (const auto& group : groupsFor(channels, threads)) {
        const int rows = int(group.size()) * h;
        std::vector<std::vector<float>> err(rows, std::vector<float>(w, 0.0f));
        // The error at (column x, group row r); zero outside the image.
        auto e = [&](int r, int x) { return r < 0 || x < 0 || x >= w ? 0.0f : err[r][x]; };
        for (int r = 0; r < rows; ++r) {
            const int c = group[r / h], y = r % h;
            for (int x = 0; x < w; ++x) {
                float d;
                if (fs && nudge)
                    d = (((3.0f * e(r - 1, x + 1) + 5.0f * e(r - 1, x)) + e(r - 1, x - 1)) +
                         7.0f * e(r, x - 1)) * 0.0625f;
                else if (fs)
                    d = (((3.0f * e(r - 1, x + 1) + e(r - 1, x - 1)) + 5.0f * e(r - 1, x)) +
                         7.0f * e(r, x - 1)) * 0.0625f;
                else {
                    float p[4];
                    for (int i = 0; i < 4; ++i)
                        p[i] = (upW[m][i] * e(r - 1, x - 2 + i) + up2W[m][i] * e(r - 2, x - 2 + i)) +
                               (i < 2 ? curW[m][i] * e(r, x - 2 + i) : 0.0f);
                    float s = (p[0] + p[2]) + (p[1] + p[3]);
                    s = s + e(r - 2, x + 2);
                    s = s + upW[m][0] * e(r - 1, x + 2);
                    d = s * norm[m];
                }
                const size_t i = (size_t(y) * w + x) * stride + c;
                const float v = T::working(src[i]) + d;
                if (v >= T::top()) {
                    dst[i] = T::topValue();
                    err[r][x] = 0;
                } else if (v < bottom || std::isnan(v)) {
                    dst[i] = T::bottomValue();
                    err[r][x] = 0;
                } else {
                    const float t = noise ? tables.at(x, y) : 0.5f * step;
                    const float q = levelOf(v, t, step, recip, nudge);
                    err[r][x] = v - q;
                    dst[i] = T::store(q, nudge);
                }
            }
        }
    }
}

}  // namespace bitsmodel
