// Shared checks of the interleaved colour-model members (three channels, or
// four with the fourth left alone): a per-pixel model over random images at
// widths around every vector size and with padded, dense and negative steps;
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
#include "checks.h"
#include "qrxcc.h"
#include "samples.h"

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

// The C3R and AC4R members of each conversion, with the conversion's model.
template <class T>
struct Conversion {
    std::string name;
    Fn<T> c3, ac4;
    Model<T> model;
};
template <class T>
std::vector<Member<T>> withAlpha(const std::vector<Conversion<T>>& conversions) {
    std::vector<Member<T>> members;
    for (const auto& c : conversions) {
        members.push_back({c.name + "_C3R", 3, c.c3, c.model});
        members.push_back({c.name + "_AC4R", 4, c.ac4, c.model});
    }
    return members;
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
                        for (int c = 0; c < 3; ++c) bad += !sameSample(d.at(x, y, c), want[c]);
                        if (m.channels == 4) bad += !sameSample(d.at(x, y, 3), before.at(x, y, 3));
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
        expectNullsThenSize(m.call, m.channels, m.channels);
    }
}

// 64 x 64 runs on the calling thread; 65 x 64 opens the region.
template <class T>
void expectSameForThreadCounts(const std::vector<Member<T>>& members) {
    for (const auto& m : members)
        for (int w : {64, 65}) {
            SCOPED_TRACE(m.name + " width " + std::to_string(w));
            GuardedImage<T> s(w, 64, m.channels);
            fillSamples(s, uint32_t(w));
            expectSameForEveryThreadCount([&] {
                GuardedImage<T> d(w, 64, m.channels);
                EXPECT_EQ(m.call(s.ptr(), s.step(), d.ptr(), d.step(), {w, 64}), qrxOk);
                int bad = 0;
                for (int y = 0; y < 64; y += 9)
                    for (int x = 0; x < w; ++x) {
                        const auto want = m.model(&s.at(x, y), x, w);
                        for (int c = 0; c < 3; ++c) bad += !sameSample(d.at(x, y, c), want[c]);
                    }
                EXPECT_EQ(bad, 0);
                return d.snapshot();
            });
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
