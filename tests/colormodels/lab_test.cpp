// BGR <-> Lab: literal edge cases, the four operations against a
// double-precision model, round trips, checks and thread counts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "checks.h"
#include "cie_model.h"
#include "guarded_image.h"
#include "qrxcc.h"

namespace {

using namespace cietest;
using qrxtest::GuardedImage;

template <class S, class D>
using Fn = QrxStatus (*)(const S*, int, D*, int, QrxRoiSize);

// One pixel through fn.
template <class S, class D>
std::vector<int> pixel(Fn<S, D> fn, std::vector<int> in) {
    GuardedImage<S> s(1, 1, 3);
    GuardedImage<D> d(1, 1, 3);
    for (int c = 0; c < 3; ++c) s.at(0, 0, c) = S(in[c]);
    EXPECT_EQ(fn(s.ptr(), s.step(), d.ptr(), d.step(), {1, 1}), qrxOk);
    return {d.at(0, 0, 0), d.at(0, 0, 1), d.at(0, 0, 2)};
}

std::vector<int> toLab(std::vector<int> bgr) { return pixel<Qrx8u, Qrx8u>(qrxiBGRToLab_8u_C3R, bgr); }
std::vector<int> toLab16(std::vector<int> bgr) { return pixel<Qrx8u, Qrx16u>(qrxiBGRToLab_8u16u_C3R, bgr); }
std::vector<int> fromLab(std::vector<int> lab) { return pixel<Qrx8u, Qrx8u>(qrxiLabToBGR_8u_C3R, lab); }
std::vector<int> fromLab16(std::vector<int> lab) { return pixel<Qrx16u, Qrx8u>(qrxiLabToBGR_16u8u_C3R, lab); }

TEST(Lab, KnownValues) {
    using P = std::vector<int>;
    EXPECT_EQ(toLab({0, 0, 0}), (P{0, 128, 128}));
    EXPECT_EQ(toLab16({0, 0, 0}), (P{0, 32640, 32640}));
    const P white = toLab({255, 255, 255});
    EXPECT_EQ(white[0], 255);
    EXPECT_NEAR(white[1], 128, 1);
    EXPECT_NEAR(white[2], 128, 1);
    const P white16 = toLab16({255, 255, 255});
    EXPECT_EQ(white16[0], 65535);
    EXPECT_NEAR(white16[1], 32640, 255);
    // No linear segment on the way back: (16/116)^3 255 = 0.669 rounds to 1.
    EXPECT_EQ(fromLab({0, 128, 128}), (P{1, 1, 1}));
    EXPECT_EQ(fromLab16({0, 32640, 32640}), (P{1, 1, 1}));
    EXPECT_EQ(fromLab({255, 128, 128}), (P{255, 255, 255}));
    // Channel order: pure blue and pure red differ in b (blue is far negative).
    EXPECT_LT(toLab({255, 0, 0})[2], 30);
    EXPECT_GT(toLab({0, 0, 255})[2], 180);
    // Extreme codes saturate instead of wrapping.
    EXPECT_EQ(fromLab({255, 0, 255}), (P{0, 255, 0}));
}

// Lab codes of BGR: 8-bit L 2.55 L, a + 128, b + 128; 16-bit L 655.35 L,
// 255 (a + 128), 255 (b + 128).
V3 labCodes(const int bgr[3], bool wide) {
    const V3 lab = labOf({bgr[2] / 255.0, bgr[1] / 255.0, bgr[0] / 255.0});
    return wide ? V3{lab[0] * 655.35, (lab[1] + 128) * 255, (lab[2] + 128) * 255}
                : V3{lab[0] * 2.55, lab[1] + 128, lab[2] + 128};
}
V3 bgrOfCodes(const int lab[3], bool wide) {
    const V3 v = wide ? V3{lab[0] * 100 / 65535.0, lab[1] / 255.0 - 128, lab[2] / 255.0 - 128}
                      : V3{lab[0] * 100 / 255.0, lab[1] - 128.0, lab[2] - 128.0};
    const V3 rgb = rgbOfLab(v);
    return {clamp(rgb[2] * 255, 255), clamp(rgb[1] * 255, 255), clamp(rgb[0] * 255, 255)};
}

// Random BGR to Lab and those codes back, against the model; rows of odd
// widths, padded and negative steps, guarded buffers.
template <class L>
void expectModel(Fn<Qrx8u, L> there, Fn<L, Qrx8u> back, double tolThere, double tolBack) {
    const bool wide = sizeof(L) == 2;
    for (int step : {0, 1, -1}) {
        SCOPED_TRACE("step " + std::to_string(step));
        const int w = 61, h = 7;
        GuardedImage<Qrx8u> bgr(w, h, 3, step * (w * 3 + 5)), out(w, h, 3, step * (w * 3 + 3));
        GuardedImage<L> lab(w, h, 3, step * int(sizeof(L)) * (w * 3 + 2));
        bgr.randomize(w + step);
        ASSERT_EQ(there(bgr.ptr(), bgr.step(), lab.ptr(), lab.step(), {w, h}), qrxOk);
        ASSERT_EQ(back(lab.ptr(), lab.step(), out.ptr(), out.step(), {w, h}), qrxOk);
        double worstThere = 0, worstBack = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int p[3] = {bgr.at(x, y, 0), bgr.at(x, y, 1), bgr.at(x, y, 2)};
                const int q[3] = {lab.at(x, y, 0), lab.at(x, y, 1), lab.at(x, y, 2)};
                const V3 e = labCodes(p, wide), f = bgrOfCodes(q, wide);
                for (int c = 0; c < 3; ++c) {
                    worstThere = std::max(worstThere, std::abs(q[c] - e[c]));
                    worstBack = std::max(worstBack, std::abs(out.at(x, y, c) - f[c]));
                }
            }
        EXPECT_LE(worstThere, tolThere);
        EXPECT_LE(worstBack, tolBack);
        EXPECT_TRUE(lab.untouchedOutside());
        EXPECT_TRUE(out.untouchedOutside());
    }
}

TEST(Lab, EveryOperationFollowsModel) {
    expectModel<Qrx8u>(qrxiBGRToLab_8u_C3R, qrxiLabToBGR_8u_C3R, 0.55, 0.51);
    expectModel<Qrx16u>(qrxiBGRToLab_8u16u_C3R, qrxiLabToBGR_16u8u_C3R, 0.6, 0.51);
}

// Every 8-bit colour in steps of 5 to Lab and back.
TEST(Lab, RoundTripsStayClose) {
    const int n = 52 * 52 * 52;
    GuardedImage<Qrx8u> bgr(n, 1, 3), lab8(n, 1, 3), back(n, 1, 3);
    GuardedImage<Qrx16u> lab16(n, 1, 3);
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < 3; ++c) bgr.at(i, 0, c) = Qrx8u(i / (c == 0 ? 1 : c == 1 ? 52 : 2704) % 52 * 5);
    auto worst = [&] {
        int m = 0;
        for (int i = 0; i < n; ++i)
            for (int c = 0; c < 3; ++c) m = std::max(m, std::abs(back.at(i, 0, c) - bgr.at(i, 0, c)));
        return m;
    };
    ASSERT_EQ(qrxiBGRToLab_8u_C3R(bgr.ptr(), bgr.step(), lab8.ptr(), lab8.step(), {n, 1}), qrxOk);
    ASSERT_EQ(qrxiLabToBGR_8u_C3R(lab8.ptr(), lab8.step(), back.ptr(), back.step(), {n, 1}), qrxOk);
    EXPECT_LE(worst(), 10);
    ASSERT_EQ(qrxiBGRToLab_8u16u_C3R(bgr.ptr(), bgr.step(), lab16.ptr(), lab16.step(), {n, 1}), qrxOk);
    ASSERT_EQ(qrxiLabToBGR_16u8u_C3R(lab16.ptr(), lab16.step(), back.ptr(), back.step(), {n, 1}), qrxOk);
    EXPECT_LE(worst(), 1);
}

// Always one parallel region: every thread count gives the same bytes.
template <class S, class D>
void expectChecksAndThreads(Fn<S, D> fn) {
    qrxtest::expectNullsThenSize(fn, 3, 3);
    GuardedImage<S> s(33, 40, 3);
    s.randomize(9, 0, sizeof(S) == 1 ? 255 : 65535);
    qrxtest::expectSameForEveryThreadCount([&] {
        GuardedImage<D> d(33, 40, 3);
        EXPECT_EQ(fn(s.ptr(), s.step(), d.ptr(), d.step(), {33, 40}), qrxOk);
        return d.snapshot();
    });
}

TEST(Lab, ChecksAndThreads) {
    expectChecksAndThreads<Qrx8u, Qrx8u>(qrxiBGRToLab_8u_C3R);
    expectChecksAndThreads<Qrx8u, Qrx16u>(qrxiBGRToLab_8u16u_C3R);
    expectChecksAndThreads<Qrx8u, Qrx8u>(qrxiLabToBGR_8u_C3R);
    expectChecksAndThreads<Qrx16u, Qrx8u>(qrxiLabToBGR_16u8u_C3R);
}

}  // namespace
