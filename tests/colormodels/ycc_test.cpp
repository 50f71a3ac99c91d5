// RGB to and from YCC: literal edge cases, per-pixel models of every member,
// a photograph's round trip, threads and argument checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "guarded_image.h"
#include "interleaved_checks.h"
#include "photo.h"
#include "qrxcc.h"

namespace {

using namespace qrxtest;
using Tri = std::array<int, 3>;

// ---- models --------------------------------------------------------------------------

Tri rgbToYcc8u(int r, int g, int b) {
    const int s = 4898 * r + 9617 * g + 1867 * b;
    return {((s >> 10) * 2921) >> 16, ((((b << 14) - s) >> 10) * 1789 >> 16) + 156,
            ((((r << 14) - s) >> 10) * 2178 >> 16) + 137};
}

Tri yccToRgb8u(int y, int c1, int c2) {
    const int ly = 5564 * y, pc1 = 9084 * c1 - 1417104, pc2 = 7460 * c2 - 1022020;
    const int g = ((pc1 >> 8) * -794 + (ly << 4) + (pc2 >> 8) * -2084) >> 16;
    return {std::clamp((pc2 + ly) >> 12, 0, 255), std::clamp(g, 0, 255),
            std::clamp((pc1 + ly) >> 12, 0, 255)};
}

Tri rgbToYcc16u(float r, float g, float b) {
    return {int(0.213267f * r + 0.418688f * g + 0.0813124f * b + 0.49999f),
            int(-0.130621f * r - 0.256437f * g + 0.387058f * b + 40092 + 0.49999f),
            int(0.372876f * r - 0.312237f * g - 0.0606389f * b + 35209 + 0.49999f)};
}

Tri yccToRgb16u(float y, float c1, float c2) {
    const float l = y * 1.3584f, d1 = c1 - 40092, d2 = c2 - 35209;
    const auto sat = [](float v) { return std::clamp(int(v), 0, 65535); };
    return {sat(l + 1.8215f * d2 + 0.49999f), sat(l - 0.4302726f * d1 - 0.92714345f * d2 + 0.49999f),
            sat(l + 2.2179f * d1 + 0.49999f)};
}

Tri rgbToYcc16s(int r, int g, int b) {
    const float rf = float(r + 32768), gf = float(g + 32768), bf = float(b + 32768);
    const float yl = 0.299f * rf + 0.587f * gf + 0.114f * bf;
    return {int(yl * 0.7132668f + 0.49999f) - 32768, int((bf - yl) * 0.4368627f + 40092 + 0.49999f) - 32768,
            int((rf - yl) * 0.5319216f + 35209 + 0.49999f) - 32768};
}

Tri yccToRgb16s(int y, int c1, int c2) {
    const float l = float(y + 32768) * 1.3584f, d1 = float(c1 - 7324) * 2.2179f,
                d2 = float(c2 - 2441) * 1.8215f;
    const auto sat = [](float v) { return std::clamp(int(v) - 32768, -32768, 32767); };
    return {sat(l + d2), sat(l - 0.194f * d1 - 0.509f * d2), sat(l + d1)};
}

std::array<float, 3> rgbToYcc32f(float r, float g, float b) {
    const float y = 0.299f * r + 0.587f * g + 0.114f * b;
    return {y * 0.7132668f, (b - y) * 0.4368627f + 0.6117647f, (r - y) * 0.53192f + 0.5372549f};
}

std::array<float, 3> yccToRgb32f(float y, float c1, float c2) {
    const float l = y * 1.3584f, d1 = (c1 - 0.6117647f) * 2.2179f, d2 = (c2 - 0.5372549f) * 1.8215f;
    const auto clamp = [](float v) {
        v = v > 0 ? v : 0;
        return v < 1 ? v : 1.0f;
    };
    return {clamp(l + d2), clamp(l - 0.194f * d1 - 0.509f * d2), clamp(l + d1)};
}

template <class T, class F>
Model<T> model(F f) {
    return [f](const T* p, int, int) {
        const auto t = f(p[0], p[1], p[2]);
        return std::array<T, 3>{T(t[0]), T(t[1]), T(t[2])};
    };
}

TEST(Ycc, EveryMemberFollowsModel) {
    runAll(withAlpha<Qrx8u>({
        {"RGBToYCC_8u", qrxiRGBToYCC_8u_C3R, qrxiRGBToYCC_8u_AC4R, model<Qrx8u>(rgbToYcc8u)},
        {"YCCToRGB_8u", qrxiYCCToRGB_8u_C3R, qrxiYCCToRGB_8u_AC4R, model<Qrx8u>(yccToRgb8u)},
    }));
    runAll(withAlpha<Qrx16u>({
        {"RGBToYCC_16u", qrxiRGBToYCC_16u_C3R, qrxiRGBToYCC_16u_AC4R, model<Qrx16u>(rgbToYcc16u)},
        {"YCCToRGB_16u", qrxiYCCToRGB_16u_C3R, qrxiYCCToRGB_16u_AC4R, model<Qrx16u>(yccToRgb16u)},
    }));
    runAll(withAlpha<Qrx16s>({
        {"RGBToYCC_16s", qrxiRGBToYCC_16s_C3R, qrxiRGBToYCC_16s_AC4R, model<Qrx16s>(rgbToYcc16s)},
        {"YCCToRGB_16s", qrxiYCCToRGB_16s_C3R, qrxiYCCToRGB_16s_AC4R, model<Qrx16s>(yccToRgb16s)},
    }));
    runAll(withAlpha<Qrx32f>({
        {"RGBToYCC_32f", qrxiRGBToYCC_32f_C3R, qrxiRGBToYCC_32f_AC4R, model<Qrx32f>(rgbToYcc32f)},
        {"YCCToRGB_32f", qrxiYCCToRGB_32f_C3R, qrxiYCCToRGB_32f_AC4R, model<Qrx32f>(yccToRgb32f)},
    }));
}

TEST(Ycc, KnownValues) {
    using B3 = std::array<Qrx8u, 3>;
    EXPECT_EQ(one<Qrx8u>(qrxiRGBToYCC_8u_C3R, {0, 0, 0}), (B3{0, 156, 137}));
    EXPECT_EQ(one<Qrx8u>(qrxiRGBToYCC_8u_C3R, {255, 255, 255}), (B3{181, 156, 137}));
    EXPECT_EQ(one<Qrx8u>(qrxiYCCToRGB_8u_C3R, {0, 156, 137}), (B3{0, 0, 0}));
    // The colour differences at their extremes: blue and yellow, red and cyan.
    EXPECT_EQ(one<Qrx8u>(qrxiRGBToYCC_8u_C3R, {0, 0, 255})[1], 254);
    EXPECT_EQ(one<Qrx8u>(qrxiRGBToYCC_8u_C3R, {255, 255, 0})[1], 57);
    EXPECT_EQ(one<Qrx8u>(qrxiRGBToYCC_8u_C3R, {255, 0, 0})[2], 232);
    EXPECT_EQ(one<Qrx8u>(qrxiRGBToYCC_8u_C3R, {0, 255, 255})[2], 41);
    // Out-of-gamut codes clamp.
    EXPECT_EQ(one<Qrx8u>(qrxiYCCToRGB_8u_C3R, {255, 255, 255}), (B3{255, 194, 255}));
    EXPECT_EQ(one<Qrx8u>(qrxiYCCToRGB_8u_C3R, {0, 0, 0}), (B3{0, 194, 0}));
    using W3 = std::array<Qrx16u, 3>;
    EXPECT_EQ(one<Qrx16u>(qrxiRGBToYCC_16u_C3R, {0, 0, 0}), (W3{0, 40092, 35209}));
    EXPECT_EQ(one<Qrx16u>(qrxiYCCToRGB_16u_C3R, {0, 40092, 35209}), (W3{0, 0, 0}));
    using S3 = std::array<Qrx16s, 3>;
    EXPECT_EQ(one<Qrx16s>(qrxiRGBToYCC_16s_C3R, {-32768, -32768, -32768}), (S3{-32768, 7324, 2441}));
    EXPECT_EQ(one<Qrx16s>(qrxiYCCToRGB_16s_C3R, {32767, 32767, 32767}), (S3{32767, 17190, 32767}));
    // The 16s inverse truncates where the 16u one rounds.
    const W3 u = one<Qrx16u>(qrxiYCCToRGB_16u_C3R, {2, 40092, 35209});
    const S3 s = one<Qrx16s>(qrxiYCCToRGB_16s_C3R, {2 - 32768, 40092 - 32768, 35209 - 32768});
    EXPECT_EQ(u, (W3{3, 3, 3}));  // 2 x 1.3584 = 2.7168
    EXPECT_EQ(s, (S3{2 - 32768, 2 - 32768, 2 - 32768}));
    using F3 = std::array<Qrx32f, 3>;
    EXPECT_EQ(one<Qrx32f>(qrxiYCCToRGB_32f_C3R, {2.0f, 0.6117647f, 0.5372549f}), (F3{1, 1, 1}));
    EXPECT_EQ(one<Qrx32f>(qrxiYCCToRGB_32f_C3R, {NAN, -INFINITY, 0}), (F3{0, 0, 0}));
}

// A photograph through YCC and back comes out scaled by the inverse gain.
TEST(Ycc, PhotographRoundTrip) {
    Photo photo;
    if (!loadPhoto("astronaut.png", photo)) GTEST_SKIP() << "astronaut.png or libpng missing";
    const int w = photo.width, h = photo.height;
    GuardedImage<Qrx8u> rgb(w, h, 3), mid(w, h, 3), back(w, h, 3);
    std::memcpy(rgb.ptr(), photo.rgb.data(), photo.rgb.size());
    ASSERT_EQ(qrxiRGBToYCC_8u_C3R(rgb.ptr(), rgb.step(), mid.ptr(), mid.step(), {w, h}), qrxOk);
    ASSERT_EQ(qrxiYCCToRGB_8u_C3R(mid.ptr(), mid.step(), back.ptr(), back.step(), {w, h}), qrxOk);
    const double gain = 1.3584 * 0.7132668;
    double worst = 0, sum = 0;
    for (int i = 0; i < w * h * 3; ++i) {
        const double e = back.ptr()[i] - gain * rgb.ptr()[i];
        worst = std::max(worst, std::abs(e));
        sum += e;
    }
    EXPECT_LE(worst, 5);
    // The floors of the fixed-point steps pull slightly down on average.
    EXPECT_LT(sum / (w * h * 3), 0.0);
    EXPECT_GT(sum / (w * h * 3), -2.0);
}

}  // namespace
