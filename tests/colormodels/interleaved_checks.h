// Shared checks of the interleaved colour-model members (three channels, or
// four with the fourth left alone): a per-pixel model over random images at
// widths around every vector size and with padded, zero and negative steps;
// the pointer-then-size checks; the same bytes for every thread count on
// both sides of the 4096-pixel limit; one-pixel conversions for literals.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "guarded_image.h"
#include "qrxcc.h"
#include "threads.h"

namespace qrxtest {

template <class T>
using Fn = QrxStatus (*)(const T*, int, T*, int, QrxRoiSize);

// One pixel of a member: source samples to destination samples, given the
// column and the row width (the 8-bit HSV formulas depend on the column).
template <class T>
using Model = std::function<std::array<T, 3>(const T*, int x, int width)>;

template <class T>
struct Member {
    std::string name;
    int channels;
    Fn<T> call;
    Model<T> model;
};

template <class T>
bool same(T a, T b) {
    if constexpr (std::is_same_v<T, Qrx32f>)
        return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
    else return a == b;
}

// Samples that stress ties, greys and extremes half of the time.
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
        const int lo = std::is_same_v<T, Qrx16s> ? -32768 : 0;
        const int hi = std::is_same_v<T, Qrx8u> ? 255 : lo + 65535;
        const int special[] = {lo, lo + 1, (lo + hi) / 2, (lo + hi) / 2 + 1, hi - 1, hi};
        std::uniform_int_distribution<int> d(lo, hi);
        for (int y = 0; y < img.height(); ++y)
            for (int i = 0; i < img.width() * img.channels(); ++i)
                img.row(y)[i] = T(rng() % 2 ? d(rng) : special[rng() % 6]);
    }
}

template <class T>
void expectModel(const std::vector<Member<T>>& members) {
    for (const auto& m : members)
        for (int w : {1, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 33, 67})
            for (int stepSign : {1, 0, -1}) {
                SCOPED_TRACE(m.name + " width " + std::to_string(w) + " step " + std::to_string(stepSign));
                const int h = 3, row = w * m.channels * int(sizeof(T));
                const int step = stepSign == 0 ? 0 : stepSign * (row + 2 * int(sizeof(T)));
                GuardedImage<T> s(w, h, m.channels, step), d(w, h, m.channels, step);
                fillSamples(s, uint32_t(w * 7 + stepSign));
                fillSamples(d, 99);  // the fourth channel of AC4 must keep these
                GuardedImage<T> before(w, h, m.channels);
                for (int y = 0; y < h; ++y) std::memcpy(before.row(y), d.row(y), row);
                ASSERT_EQ(m.call(s.ptr(), s.step(), d.ptr(), d.step(), {w, h}), qrxOk);
                int bad = 0;
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) {
                        const auto want = m.model(&s.at(x, y), x, w);
                        for (int c = 0; c < 3; ++c) bad += !same(d.at(x, y, c), want[c]);
                        if (m.channels == 4) bad += !same(d.at(x, y, 3), before.at(x, y, 3));
                        if (bad == 1) {
                            ADD_FAILURE() << "pixel " << x << "," << y << ": got " << +d.at(x, y, 0)
                                          << " " << +d.at(x, y, 1) << " " << +d.at(x, y, 2)
                                          << " want " << +want[0] << " " << +want[1] << " " << +want[2];
                            ++bad;
                        }
                    }
                EXPECT_EQ(bad, 0);
                EXPECT_TRUE(d.untouchedOutside());
            }
}

template <class T>
void expectChecks(const std::vector<Member<T>>& members) {
    for (const auto& m : members) {
        SCOPED_TRACE(m.name);
        GuardedImage<T> s(4, 3, m.channels), d(4, 3, m.channels);
        fillSamples(s, 1);
        const auto snap = d.snapshot();
        EXPECT_EQ(m.call(nullptr, s.step(), d.ptr(), d.step(), {0, 3}), qrxErrNullPtr);
        EXPECT_EQ(m.call(s.ptr(), s.step(), nullptr, d.step(), {4, 0}), qrxErrNullPtr);
        for (QrxRoiSize roi : {QrxRoiSize{0, 3}, {4, 0}, {-1, 3}, {4, -5}})
            EXPECT_EQ(m.call(s.ptr(), s.step(), d.ptr(), d.step(), roi), qrxErrSize);
        EXPECT_TRUE(d.unchangedSince(snap));
        // Steps are not checked: a zero source step converts row 0 again.
        ASSERT_EQ(m.call(s.ptr(), 0, d.ptr(), d.step(), {4, 3}), qrxOk);
        for (int i = 0; i < 4 * m.channels; ++i) EXPECT_TRUE(same(d.row(2)[i], d.row(0)[i]));
    }
}

template <class T>
void expectSameForThreadCounts(const std::vector<Member<T>>& members) {
    for (const auto& m : members) {
        SCOPED_TRACE(m.name);
        // 64 x 64 runs on the calling thread; 65 x 64 opens the region.
        for (int w : {64, 65}) {
            GuardedImage<T> s(w, 64, m.channels);
            fillSamples(s, uint32_t(w));
            std::vector<std::vector<unsigned char>> results;
            for (int threads : qrxtest::kThreadCounts) {
                qrxtest::ScopedThreads scope(threads);
                GuardedImage<T> d(w, 64, m.channels);
                ASSERT_EQ(m.call(s.ptr(), s.step(), d.ptr(), d.step(), {w, 64}), qrxOk);
                results.push_back(d.snapshot());
                int bad = 0;
                for (int y = 0; y < 64; y += 9)
                    for (int x = 0; x < w; ++x) {
                        const auto want = m.model(&s.at(x, y), x, w);
                        for (int c = 0; c < 3; ++c) bad += !same(d.at(x, y, c), want[c]);
                    }
                EXPECT_EQ(bad, 0) << threads << " threads";
            }
            for (const auto& r : results) EXPECT_EQ(r, results[0]);
        }
    }
}

template <class T>
void runAll(const std::vector<Member<T>>& members) {
    expectModel(members);
    expectChecks(members);
    expectSameForThreadCounts(members);
}

template <class T>
std::array<T, 3> one(Fn<T> f, std::array<T, 3> in) {
    GuardedImage<T> s(1, 1, 3), d(1, 1, 3);
    for (int c = 0; c < 3; ++c) s.at(0, 0, c) = in[c];
    EXPECT_EQ(f(s.ptr(), s.step(), d.ptr(), d.step(), {1, 1}), qrxOk);
    return {d.at(0, 0, 0), d.at(0, 0, 1), d.at(0, 0, 2)};
}

}  // namespace qrxtest
