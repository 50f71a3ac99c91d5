// Runs a colour-model entry under every vector target and compares with the
// scalar target: rows of the edge widths in buffers ending at a guard page,
// destinations pre-filled with the same random samples (so a kept fourth
// channel is compared too). Floats compare bit for bit, any NaN equal to any
// NaN.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <type_traits>

#include "guarded_image.h"
#include "qrxcc.h"
#include "targets.h"

namespace cietest {

template <class S, class D>
using Entry = QrxStatus (*)(const S*, int, D*, int, QrxRoiSize);

template <class T>
bool sameSample(T a, T b) {
    if constexpr (std::is_same_v<T, Qrx32f>)
        if (std::isnan(a) && std::isnan(b)) return true;
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// fill(x, channel, rng) gives source samples.
template <class S, class D>
void expectTargetsAgree(const char* name, Entry<S, D> fn, int channels,
                        const std::function<S(int, int, std::mt19937&)>& fill) {
    for (int width : qrxtest::kEdgeWidths) {
        qrxtest::GuardedImage<S> src(width, 2, channels);
        std::mt19937 rng(width);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < channels; ++c) src.at(x, y, c) = fill(x, c, rng);
        auto run = [&](qrx::Target t, qrxtest::GuardedImage<D>& dst) {
            dst.randomize(7, 0, 200);
            qrxtest::TargetScope scope(t);
            ASSERT_TRUE(scope.ok());
            ASSERT_EQ(fn(src.ptr(), src.step(), dst.ptr(), dst.step(), {width, 2}), qrxOk);
        };
        qrxtest::GuardedImage<D> want(width, 2, channels);
        run(qrx::Target::Scalar, want);
        for (qrx::Target t : qrxtest::vectorTargets()) {
            qrxtest::GuardedImage<D> got(width, 2, channels);
            run(t, got);
            int bad = 0;
            for (int y = 0; y < 2; ++y)
                for (int i = 0; i < width * channels; ++i) bad += !sameSample(want.row(y)[i], got.row(y)[i]);
            EXPECT_EQ(bad, 0) << name << " on " << qrx::targetName(t) << ", width " << width;
        }
    }
}

// Random samples of the whole range of an integer type.
template <class T>
T anySample(std::mt19937& rng) {
    std::uniform_int_distribution<int> d(std::is_same_v<T, Qrx16s> ? -32768 : 0,
                                         std::is_same_v<T, Qrx8u> ? 255 : std::is_same_v<T, Qrx16s> ? 32767 : 65535);
    return T(d(rng));
}

// Mostly ordinary floats in lo..hi, with one sample in eight a special value:
// zeros, ends of the range, NaN, infinities, huge and tiny values.
inline float floatSample(std::mt19937& rng, float lo, float hi) {
    static const float special[] = {0.0f, -0.0f, 1.0f, hi, lo, NAN, INFINITY, -INFINITY,
                                    1e30f, -1e30f, 1e-40f, 0.008856f, 9e-5f, 7.9996247f};
    if (rng() % 8 == 0) return special[rng() % (sizeof(special) / sizeof(special[0]))];
    return std::uniform_real_distribution<float>(lo, hi)(rng);
}

}  // namespace cietest
