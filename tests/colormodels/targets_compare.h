// Runs a colour-model member under every target this machine supports and
// compares the destination bytes with the scalar target's, at widths around
// every vector size, on random samples and on the type's extremes (floats:
// also NaN, infinities and values far outside 0..1).
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "guarded_image.h"
#include "qrxcc.h"
#include "targets.h"

namespace qrxtest {

template <class T>
T randomSample(std::mt19937& rng, bool extremes) {
    if constexpr (std::is_same_v<T, Qrx32f>) {
        const float odd[] = {NAN, INFINITY, -INFINITY, 1e30f, -1e30f, 0.0f, 1.0f, -0.0f};
        if (extremes) return odd[rng() % 8];
        return std::uniform_real_distribution<float>(-0.1f, 1.1f)(rng);
    } else {
        const int lo = std::is_same_v<T, Qrx16s> ? -32768 : 0;
        const int hi = std::is_same_v<T, Qrx8u> ? 255 : lo + 65535;
        if (extremes) return T(rng() % 2 ? lo : hi);
        return T(std::uniform_int_distribution<int>(lo, hi)(rng));
    }
}

// call(src, dst) converts a width x 2 region of the given images.
template <class T>
using TargetCall = std::function<QrxStatus(GuardedImage<T>& src, GuardedImage<T>& dst, int width)>;

template <class T>
void expectEveryTargetMatchesScalar(const std::string& name, int srcChannels, int dstChannels,
                                    const TargetCall<T>& call) {
    for (int width : kEdgeWidths)
        for (bool extremes : {false, true}) {
            GuardedImage<T> src(width, 2, srcChannels);
            std::mt19937 rng(uint32_t(width * 2 + extremes));
            for (int y = 0; y < 2; ++y)
                for (int i = 0; i < width * srcChannels; ++i) src.row(y)[i] = randomSample<T>(rng, extremes);
            std::vector<unsigned char> want;
            {
                TargetScope scope(qrx::Target::Scalar);
                GuardedImage<T> dst(width, 2, dstChannels);
                ASSERT_EQ(call(src, dst, width), qrxOk);
                want = dst.snapshot();
            }
            for (qrx::Target t : vectorTargets()) {
                TargetScope scope(t);
                ASSERT_TRUE(scope.ok());
                GuardedImage<T> dst(width, 2, dstChannels);
                ASSERT_EQ(call(src, dst, width), qrxOk);
                EXPECT_TRUE(dst.snapshot() == want)
                    << name << " " << qrx::targetName(t) << " width " << width
                    << (extremes ? " extremes" : "");
            }
        }
}

template <class T>
void expectEveryTargetMatchesScalar(const std::string& name, int channels,
                                    QrxStatus (*f)(const T*, int, T*, int, QrxRoiSize)) {
    expectEveryTargetMatchesScalar<T>(name, channels, channels,
                                      [f](GuardedImage<T>& s, GuardedImage<T>& d, int w) {
                                          return f(s.ptr(), s.step(), d.ptr(), d.step(), {w, 2});
                                      });
}

}  // namespace qrxtest
