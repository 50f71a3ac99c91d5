// The 32 bit-reduction entries, grouped by type pair and layout, and test
// images for them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "guarded_image.h"
#include "qrxcc.h"

namespace bitsops {

template <class S, class D>
using ReduceFn = QrxStatus (*)(const S*, int, D*, int, QrxRoiSize, int, QrxDitherType, int);

template <class S, class D>
struct Layout {
    std::string name;  // e.g. "16s8u_AC4R"
    ReduceFn<S, D> fn;
    int stride;   // elements per pixel
    int reduced;  // channels written
};

template <class S, class D>
struct PairOps {
    using Src = S;
    using Dst = D;
    std::string name;
    int maxLevels;
    std::vector<Layout<S, D>> layouts;
};

template <class S, class D>
PairOps<S, D> pairOps(const std::string& name, ReduceFn<S, D> c1, ReduceFn<S, D> c3,
                      ReduceFn<S, D> c4, ReduceFn<S, D> ac4) {
    const int maxLevels = sizeof(S) == 2 && sizeof(D) == 2 ? 65536 : 256;
    return {name,
            maxLevels,
            {{name + "_C1R", c1, 1, 1},
             {name + "_C3R", c3, 3, 3},
             {name + "_C4R", c4, 4, 4},
             {name + "_AC4R", ac4, 4, 3}}};
}

// Calls f(PairOps) for each of the eight type pairs.
template <class F>
void forEachPair(F&& f) {
    f(pairOps<Qrx8u, Qrx8u>("8u", qrxiReduceBits_8u_C1R, qrxiReduceBits_8u_C3R,
                            qrxiReduceBits_8u_C4R, qrxiReduceBits_8u_AC4R));
    f(pairOps<Qrx16u, Qrx16u>("16u", qrxiReduceBits_16u_C1R, qrxiReduceBits_16u_C3R,
                              qrxiReduceBits_16u_C4R, qrxiReduceBits_16u_AC4R));
    f(pairOps<Qrx16s, Qrx16s>("16s", qrxiReduceBits_16s_C1R, qrxiReduceBits_16s_C3R,
                              qrxiReduceBits_16s_C4R, qrxiReduceBits_16s_AC4R));
    f(pairOps<Qrx16u, Qrx8u>("16u8u", qrxiReduceBits_16u8u_C1R, qrxiReduceBits_16u8u_C3R,
                             qrxiReduceBits_16u8u_C4R, qrxiReduceBits_16u8u_AC4R));
    f(pairOps<Qrx16s, Qrx8u>("16s8u", qrxiReduceBits_16s8u_C1R, qrxiReduceBits_16s8u_C3R,
                             qrxiReduceBits_16s8u_C4R, qrxiReduceBits_16s8u_AC4R));
    f(pairOps<Qrx32f, Qrx8u>("32f8u", qrxiReduceBits_32f8u_C1R, qrxiReduceBits_32f8u_C3R,
                             qrxiReduceBits_32f8u_C4R, qrxiReduceBits_32f8u_AC4R));
    f(pairOps<Qrx32f, Qrx16u>("32f16u", qrxiReduceBits_32f16u_C1R, qrxiReduceBits_32f16u_C3R,
                              qrxiReduceBits_32f16u_C4R, qrxiReduceBits_32f16u_AC4R));
    f(pairOps<Qrx32f, Qrx16s>("32f16s", qrxiReduceBits_32f16s_C1R, qrxiReduceBits_32f16s_C3R,
                              qrxiReduceBits_32f16s_C4R, qrxiReduceBits_32f16s_AC4R));
}

// A dither type from any int, including values outside the enumeration.
inline QrxDitherType dither(int v) {
    QrxDitherType d;
    std::memcpy(&d, &v, sizeof d);
    return d;
}

// Random samples over the type's range; floats mostly in 0..1 with some
// beyond both ends.
template <class T>
std::vector<T> randomSamples(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<T> v(n);
    for (size_t i = 0; i < n; ++i) {
        T& x = v[i];
        if constexpr (std::is_same_v<T, Qrx32f>) {
            x = std::uniform_real_distribution<float>(-0.05f, 1.05f)(rng);
        } else {
            const int lo = std::is_same_v<T, Qrx16s> ? -32768 : 0;
            const int hi = std::is_same_v<T, Qrx8u> ? 255 : lo + 65535;
            x = T(std::uniform_int_distribution<int>(lo, hi)(rng));
            if (i % 13 == 0) x = T(lo);  // the extremes now and then
            if (i % 13 == 1) x = T(hi);
        }
    }
    return v;
}

// Region contents of a guarded image as a dense vector, and back.
template <class T>
std::vector<T> dense(const qrxtest::GuardedImage<T>& img) {
    std::vector<T> out;
    for (int y = 0; y < img.height(); ++y)
        out.insert(out.end(), img.row(y), img.row(y) + img.width() * img.channels());
    return out;
}
template <class T>
void load(qrxtest::GuardedImage<T>& img, const std::vector<T>& v) {
    const int n = img.width() * img.channels();
    for (int y = 0; y < img.height(); ++y) std::copy_n(v.begin() + size_t(y) * n, n, img.row(y));
}

// Element-wise equality (NaN-free destinations), with the first difference.
template <class T>
::testing::AssertionResult sameElements(const std::vector<T>& want, const std::vector<T>& got) {
    if (want.size() != got.size()) return ::testing::AssertionFailure() << "sizes differ";
    for (size_t i = 0; i < want.size(); ++i)
        if (want[i] != got[i])
            return ::testing::AssertionFailure()
                   << "element " << i << ": want " << double(want[i]) << ", got " << double(got[i]);
    return ::testing::AssertionSuccess();
}

}  // namespace bitsops
