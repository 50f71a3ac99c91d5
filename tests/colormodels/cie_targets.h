// Runs a colour-model entry under every vector target and compares with the
// scalar target: rows of the edge widths in buffers ending at a guard page,
// destinations pre-filled with the same random samples (so a kept fourth
// channel is compared too). Floats compare bit for bit, any NaN equal to any
// NaN.
#pragma once

#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "entry_targets.h"
#include "samples.h"

namespace cietest {

template <class S, class D>
using Entry = QrxStatus (*)(const S*, int, D*, int, QrxRoiSize);

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
        const auto run = [&] {
            qrxtest::GuardedImage<D> dst(width, 2, channels);
            dst.randomize(7, 0, 200);
            EXPECT_EQ(fn(src.ptr(), src.step(), dst.ptr(), dst.step(), {width, 2}), qrxOk);
            std::vector<D> out;
            for (int y = 0; y < 2; ++y) out.insert(out.end(), dst.row(y), dst.row(y) + width * channels);
            return out;
        };
        const auto same = [](const std::vector<D>& a, const std::vector<D>& b) {
            for (size_t i = 0; i < a.size(); ++i)
                if (!qrxtest::sameSample(a[i], b[i])) return false;
            return true;
        };
        qrxtest::expectTargetsMatchScalar(std::string(name) + ", width " + std::to_string(width), run, same);
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
