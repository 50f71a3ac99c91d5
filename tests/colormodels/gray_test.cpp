// Colour to gray: every operation and weight set against a per-pixel model.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "colormodels/gray/rows.h"
#include "guarded_image.h"
#include "qrxcc.h"

namespace {

using qrxtest::GuardedImage;
using W = std::array<float, 3>;

const W kFixed = {0.299f, 0.587f, 0.114f};
const std::vector<W> kWeightSets = {
    kFixed, {0.9f, 0.9f, 0.9f}, {1, 0, 0}, {0.05f, 0.6f, 0.33f}, {-0.5f, 1.2f, 0.25f}};

float sum(const W& c, float a, float b, float d) {
    const float s01 = c[0] * a + c[1] * b;
    return s01 + c[2] * d;
}

// The model for one pixel in column x of a row of `width`.
template <class T>
T model(const T* p, int x, int width, const W& c, int channels);

template <>
Qrx8u model(const Qrx8u* p, int x, int width, const W& c, int channels) {
    int k[3];
    for (int i = 0; i < 3; ++i) k[i] = Qrx16u(int(std::trunc(double(c[i]) * 4096 + 0.5)));
    const int group = channels == 3 ? 4 : 8;
    const int v = x < width / group * group
                      ? (p[0] * k[0] / 256 + p[1] * k[1] / 256 + p[2] * k[2] / 256 + 8) / 16
                      : (p[0] * k[0] + p[1] * k[1] + p[2] * k[2] + 2048) / 4096;
    return Qrx8u(std::clamp(v, 0, 255));
}
template <>
Qrx16u model(const Qrx16u* p, int, int, const W& c, int) {
    return Qrx16u(int64_t(std::trunc(sum(c, p[0], p[1], p[2]))) & 0xFFFF);
}
template <>
Qrx16s model(const Qrx16s* p, int, int, const W& c, int) {
    const float s = sum(c, p[0] + 32768, p[1] + 32768, p[2] + 32768);
    return Qrx16s(std::clamp<int64_t>(int64_t(std::trunc(s)) - 32768, -32768, 32767));
}
template <>
Qrx32f model(const Qrx32f* p, int, int, const W& c, int) {
    return sum(c, p[0], p[1], p[2]);
}

template <class T>
struct GrayOp {
    std::string name;
    int channels;
    std::function<QrxStatus(const T*, int, T*, int, QrxRoiSize)> call;
    W weights;
};

template <class T>
using Fixed = QrxStatus (*)(const T*, int, T*, int, QrxRoiSize);
template <class T>
using Caller = QrxStatus (*)(const T*, int, T*, int, QrxRoiSize, const Qrx32f*);

// RGBToGray and ColorToGray with every weight set, three- and four-channel.
template <class T>
std::vector<GrayOp<T>> grayOps(Fixed<T> c3, Fixed<T> ac4, Caller<T> wc3, Caller<T> wac4) {
    std::vector<GrayOp<T>> v = {{"RGBToGray C3", 3, c3, kFixed}, {"RGBToGray AC4", 4, ac4, kFixed}};
    for (const W& w : kWeightSets)
        for (int ch : {3, 4})
            v.push_back(
                {"ColorToGray " + std::to_string(ch) + " ch " + std::to_string(w[0]), ch,
                 [w, f = ch == 3 ? wc3 : wac4](const T* s, int ss, T* d, int ds, QrxRoiSize roi) {
                     return f(s, ss, d, ds, roi, w.data());
                 },
                 w});
    return v;
}

template <class T>
void randomize(GuardedImage<T>& img, uint32_t seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> d(std::is_same_v<T, Qrx16s> ? -32768 : 0,
                                         std::is_same_v<T, Qrx8u> ? 255 : 65535);
    for (int y = 0; y < img.height(); ++y)
        for (int i = 0; i < img.width() * img.channels(); ++i)
            img.row(y)[i] = std::is_same_v<T, Qrx32f> ? T(d(rng) * 0.0137f - 300) : T(d(rng));
}

template <class T>
void expectAllFollowModel(const std::vector<GrayOp<T>>& ops) {
    for (const auto& op : ops)
        for (int w : {1, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 33})
            for (int step : {0, 1, -1})
                // Steps that are not whole samples address rows by the whole
                // samples they hold, rounded down.
                for (int extra : {0, int(sizeof(T)) - 1}) {
                if (extra && !step) continue;
                SCOPED_TRACE(op.name + " width " + std::to_string(w) + " step " +
                             std::to_string(step) + " + " + std::to_string(extra));
                const int h = 3, pad = step * 6 * int(sizeof(T));
                GuardedImage<T> s(w, h, op.channels, step * w * op.channels * int(sizeof(T)) + pad);
                GuardedImage<T> d(w, h, 1, step * w * int(sizeof(T)) + pad);
                randomize(s, w * 3 + step);  // the fourth channel too: the model never reads it
                ASSERT_EQ(op.call(s.ptr(), s.step() + extra, d.ptr(), d.step() + extra, {w, h}),
                          qrxOk);
                int bad = 0;
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x)
                        bad += d.at(x, y) != model(&s.at(x, y), x, w, op.weights, op.channels);
                EXPECT_EQ(bad, 0);
                EXPECT_TRUE(d.untouchedOutside());
            }
}

template <class T>
void expectChecksInOrder(const std::vector<GrayOp<T>>& ops) {
    for (const auto& op : ops) {
        SCOPED_TRACE(op.name);
        GuardedImage<T> s(4, 3, op.channels), d(4, 3);
        randomize(s, 1);
        const auto snap = d.snapshot();
        EXPECT_EQ(op.call(nullptr, s.step(), d.ptr(), d.step(), {0, 3}), qrxErrNullPtr);
        EXPECT_EQ(op.call(s.ptr(), s.step(), nullptr, d.step(), {0, 3}), qrxErrNullPtr);
        for (QrxRoiSize roi : {QrxRoiSize{0, 3}, {4, 0}, {-4, 3}, {4, -1}})
            EXPECT_EQ(op.call(s.ptr(), s.step(), d.ptr(), d.step(), roi), qrxErrSize);
        EXPECT_TRUE(d.unchangedSince(snap));
        // Steps are not tested: a zero source step converts row 0 again.
        ASSERT_EQ(op.call(s.ptr(), 0, d.ptr(), d.step(), {4, 3}), qrxOk);
        for (int x = 0; x < 4; ++x) EXPECT_EQ(d.at(x, 2), d.at(x, 0));
    }
}

TEST(Gray, EveryOperationFollowsModelAndChecks) {
    const auto u8 = grayOps<Qrx8u>(qrxiRGBToGray_8u_C3C1R, qrxiRGBToGray_8u_AC4C1R,
                                   qrxiColorToGray_8u_C3C1R, qrxiColorToGray_8u_AC4C1R);
    const auto u16 = grayOps<Qrx16u>(qrxiRGBToGray_16u_C3C1R, qrxiRGBToGray_16u_AC4C1R,
                                     qrxiColorToGray_16u_C3C1R, qrxiColorToGray_16u_AC4C1R);
    const auto s16 = grayOps<Qrx16s>(qrxiRGBToGray_16s_C3C1R, qrxiRGBToGray_16s_AC4C1R,
                                     qrxiColorToGray_16s_C3C1R, qrxiColorToGray_16s_AC4C1R);
    const auto f32 = grayOps<Qrx32f>(qrxiRGBToGray_32f_C3C1R, qrxiRGBToGray_32f_AC4C1R,
                                     qrxiColorToGray_32f_C3C1R, qrxiColorToGray_32f_AC4C1R);
    auto both = [](const auto& ops) {
        expectAllFollowModel(ops);
        expectChecksInOrder(ops);
    };
    both(u8);
    both(u16);
    both(s16);
    both(f32);
}

TEST(Gray, KnownValues) {
    const auto k = qrx::grayWeights12(kFixed.data());
    EXPECT_EQ(k.k[0], 1225);
    EXPECT_EQ(k.k[1], 2404);
    EXPECT_EQ(k.k[2], 467);
    // Black and white in every column, by both 8-bit formulas; 0.9 weights saturate.
    const W heavy = {0.9f, 0.9f, 0.9f};
    // The caller's three weights end at an inaccessible page: a fourth read crashes.
    GuardedImage<Qrx32f> heavyAtGuard(3, 1);
    std::copy(heavy.begin(), heavy.end(), heavyAtGuard.ptr());
    for (int ch : {3, 4}) {
        GuardedImage<Qrx8u> s(9, 1, ch), d(9, 1);
        const auto fixed = ch == 3 ? qrxiRGBToGray_8u_C3C1R : qrxiRGBToGray_8u_AC4C1R;
        ASSERT_EQ(fixed(s.ptr(), s.step(), d.ptr(), d.step(), {9, 1}), qrxOk);
        for (int x = 0; x < 9; ++x) EXPECT_EQ(d.at(x, 0), 0);
        s.fill(255);
        ASSERT_EQ(fixed(s.ptr(), s.step(), d.ptr(), d.step(), {9, 1}), qrxOk);
        for (int x = 0; x < 9; ++x) EXPECT_EQ(d.at(x, 0), 255);
        d.fill(0);
        const auto wc = ch == 3 ? qrxiColorToGray_8u_C3C1R : qrxiColorToGray_8u_AC4C1R;
        ASSERT_EQ(wc(s.ptr(), s.step(), d.ptr(), d.step(), {9, 1}, heavyAtGuard.ptr()), qrxOk);
        for (int x = 0; x < 9; ++x) EXPECT_EQ(d.at(x, 0), 255);
    }
    GuardedImage<Qrx16s> s16(2, 1, 3), d16(2, 1);
    for (int c = 0; c < 3; ++c) s16.at(0, 0, c) = -32768, s16.at(1, 0, c) = 32767;
    ASSERT_EQ(qrxiRGBToGray_16s_C3C1R(s16.ptr(), s16.step(), d16.ptr(), d16.step(), {2, 1}), qrxOk);
    EXPECT_EQ(d16.at(0, 0), -32768);
    EXPECT_EQ(d16.at(1, 0), 32767);
    // Sums above 65535 keep their low 16 bits: 3 x 0.9 x 65535 = 176944.5.
    GuardedImage<Qrx16u> u(1, 1, 3), du(1, 1);
    u.fill(65535);
    ASSERT_EQ(
        qrxiColorToGray_16u_C3C1R(u.ptr(), u.step(), du.ptr(), du.step(), {1, 1}, heavy.data()),
        qrxOk);
    EXPECT_EQ(du.at(0, 0), 176944 - 131072);
    // Weights 1, 0, 0 copy channel 0 exactly; the weights are not read on failure.
    GuardedImage<Qrx32f> f(5, 1, 3), df(5, 1);
    randomize(f, 3);
    const W first = {1, 0, 0};
    ASSERT_EQ(
        qrxiColorToGray_32f_C3C1R(f.ptr(), f.step(), df.ptr(), df.step(), {5, 1}, first.data()),
        qrxOk);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(df.at(x, 0), f.at(x, 0, 0));
    EXPECT_EQ(qrxiColorToGray_32f_C3C1R(f.ptr(), f.step(), df.ptr(), df.step(), {0, 1}, nullptr),
              qrxErrSize);
}

}  // namespace
