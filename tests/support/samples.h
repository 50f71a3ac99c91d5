// Sample values for tests: equality that takes any NaN for any NaN, and
// random samples over a sample type's whole range that hit its extremes,
// ties and (for floats) values outside 0..1 and non-finite values.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <type_traits>

#include "guarded_image.h"
#include "qrxcc.h"

namespace qrxtest {

// The same bits, or both NaN (which operand's NaN an operation passes on
// depends on the order the compiler gives them).
template <class T>
bool sameSample(T a, T b) {
    if constexpr (std::is_floating_point_v<T>)
        if (std::isnan(a) && std::isnan(b)) return true;
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The range of an integer sample type.
template <class T>
constexpr int sampleLow() { return std::is_same_v<T, Qrx16s> ? -32768 : 0; }
template <class T>
constexpr int sampleHigh() { return std::is_same_v<T, Qrx8u> ? 255 : sampleLow<T>() + 65535; }

// Uniform over the range (floats: -0.1..1.1), or with `extremes` only the
// ends of the range (floats: NaN, infinities, huge values, zeros and one).
template <class T>
T randomSample(std::mt19937& rng, bool extremes) {
    if constexpr (std::is_same_v<T, Qrx32f>) {
        const float odd[] = {NAN, INFINITY, -INFINITY, 1e30f, -1e30f, 0.0f, 1.0f, -0.0f};
        if (extremes) return odd[rng() % 8];
        return std::uniform_real_distribution<float>(-0.1f, 1.1f)(rng);
    } else {
        const int lo = sampleLow<T>(), hi = sampleHigh<T>();
        if (extremes) return T(rng() % 2 ? lo : hi);
        return T(std::uniform_int_distribution<int>(lo, hi)(rng));
    }
}

// Fills the region with samples that stress ties, greys and extremes half of
// the time.
template <class T>
void fillSamples(GuardedImage<T>& img, uint32_t seed) {
    std::mt19937 rng(seed);
    if constexpr (std::is_same_v<T, Qrx32f>) {
        const float special[] = {0.0f, 1.0f, 0.5f, 0.25f, 1e-8f, 0.999f};
        std::uniform_real_distribution<float> d(-0.25f, 1.25f);
        for (int y = 0; y < img.height(); ++y)
            for (int i = 0; i < img.width() * img.channels(); ++i)
                img.row(y)[i] = rng() % 2 ? d(rng) : special[rng() % 6];
    } else {
        const int lo = sampleLow<T>(), hi = sampleHigh<T>();
        const int special[] = {lo, lo + 1, (lo + hi) / 2, (lo + hi) / 2 + 1, hi - 1, hi};
        std::uniform_int_distribution<int> d(lo, hi);
        for (int y = 0; y < img.height(); ++y)
            for (int i = 0; i < img.width() * img.channels(); ++i)
                img.row(y)[i] = T(rng() % 2 ? d(rng) : special[rng() % 6]);
    }
}

}  // namespace qrxtest
