// RGB <-> XYZ and LUV: literal edge cases, every operation against a
// double-precision model, checks, threads and bad float input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "cie_model.h"
#include "colormodels/cie.h"
#include "checks.h"
#include "guarded_image.h"
#include "qrxcc.h"

namespace {

using namespace cietest;
using qrxtest::GuardedImage;

template <class T>
using Fn = QrxStatus (*)(const T*, int, T*, int, QrxRoiSize);

// Codes of each type: value v on the 0..1 scale is offset + v max.
template <class T>
constexpr double kMax = std::is_same_v<T, Qrx8u> ? 255 : std::is_same_v<T, Qrx32f> ? 1 : 65535;
template <class T>
constexpr double kOff = std::is_same_v<T, Qrx16s> ? -32768 : 0;

// Expected output codes (real, before the operation's rounding) of input codes.
template <class T>
using Model = V3 (*)(V3);

template <class T>
V3 xyzModel(V3 in) {
    V3 o = mul(kRgbToXyz, {in[0] - kOff<T>, in[1] - kOff<T>, in[2] - kOff<T>});
    const double hi = std::is_same_v<T, Qrx32f> ? 1e9 : kMax<T>;
    return {clamp(o[0], hi) + kOff<T>, clamp(o[1], hi) + kOff<T>, clamp(o[2], kMax<T>) + kOff<T>};
}
template <class T>
V3 rgbModel(V3 in) {
    const V3 o = mul(kXyzToRgb, {in[0] - kOff<T>, in[1] - kOff<T>, in[2] - kOff<T>});
    return {clamp(o[0], kMax<T>) + kOff<T>, clamp(o[1], kMax<T>) + kOff<T>,
            clamp(o[2], kMax<T>) + kOff<T>};
}
// LUV codes: 8u L 2.55 L, (u + 134) 255/354, (v + 140) 255/262; 16-bit the
// same on 0..65535; 32f unscaled. 16-bit black is all zero codes.
template <class T>
V3 luvModel(V3 in) {
    const double m = kMax<T>;
    const V3 rgb = {(in[0] - kOff<T>) / m, (in[1] - kOff<T>) / m, (in[2] - kOff<T>) / m};
    const V3 luv = luvOf(rgb);
    if constexpr (std::is_same_v<T, Qrx32f>) return luv;
    const bool black16 = !std::is_same_v<T, Qrx8u> && rgb == V3{0, 0, 0};
    if (black16) return {kOff<T>, kOff<T>, kOff<T>};
    const double s = std::is_same_v<T, Qrx8u> ? 255 : 65535;
    return {luv[0] * s / 100 + kOff<T>, (luv[1] + 134) * s / 354 + kOff<T>,
            (luv[2] + 140) * s / 262 + kOff<T>};
}
template <class T>
V3 luvInverseModel(V3 in) {
    V3 luv = in;
    if constexpr (!std::is_same_v<T, Qrx32f>) {
        const double m = kMax<T>;
        luv = {(in[0] - kOff<T>) * 100 / m, (in[1] - kOff<T>) * 354 / m - 134,
               (in[2] - kOff<T>) * 262 / m - 140};
    }
    const V3 rgb = rgbOfLuv(luv);
    return {clamp(rgb[0] * kMax<T>, kMax<T>) + kOff<T>, clamp(rgb[1] * kMax<T>, kMax<T>) + kOff<T>,
            clamp(rgb[2] * kMax<T>, kMax<T>) + kOff<T>};
}

template <class T>
struct Op {
    std::string name;
    Fn<T> c3, ac4;
    Model<T> model;
    double tol;       // allowed |result - model| in output codes
    Fn<T> forward;    // inverse operations read this operation's output of random RGB
};

template <class T>
std::vector<Op<T>> ops(Fn<T> xyz3, Fn<T> xyz4, Fn<T> rgb3, Fn<T> rgb4, Fn<T> luv3, Fn<T> luv4,
                       Fn<T> inv3, Fn<T> inv4) {
    const bool f = std::is_same_v<T, Qrx32f>, u8 = std::is_same_v<T, Qrx8u>;
    return {{"RGBToXYZ", xyz3, xyz4, xyzModel<T>, f ? 1e-6 : 1.1, nullptr},
            {"XYZToRGB", rgb3, rgb4, rgbModel<T>, f ? 1e-5 : 1.1, xyz3},
            {"RGBToLUV", luv3, luv4, luvModel<T>, f ? 2e-4 : u8 ? 2.5 : 1.05, nullptr},
            {"LUVToRGB", inv3, inv4, luvInverseModel<T>, f ? 2e-5 : 1.05, luv3}};
}

template <class T>
void randomize(GuardedImage<T>& img, std::mt19937& rng) {
    std::uniform_real_distribution<double> d(0, 1);
    for (int y = 0; y < img.height(); ++y)
        for (int i = 0; i < img.width() * img.channels(); ++i)
            img.row(y)[i] = std::is_same_v<T, Qrx32f> ? T(d(rng))
                                                       : T(std::floor(d(rng) * (kMax<T> + 1)) + kOff<T>);
}

template <class T>
void expectModel(const std::vector<Op<T>>& list) {
    std::mt19937 rng(7);
    for (const auto& op : list)
        for (int ch : {3, 4})
            for (int step : {0, 1, -1}) {
                SCOPED_TRACE(op.name + " " + std::to_string(ch) + " channels, step " + std::to_string(step));
                const int w = 37, h = 5, pad = step * (w * ch + 2) * int(sizeof(T));
                GuardedImage<T> s(w, h, ch, pad), d(w, h, ch, pad);
                randomize(s, rng);
                if (op.forward) {  // codes of real colours
                    GuardedImage<T> rgb(w, h, ch, pad);
                    randomize(rgb, rng);
                    ASSERT_EQ(op.forward(rgb.ptr(), rgb.step(), s.ptr(), s.step(), {w, h}), qrxOk);
                }
                randomize(d, rng);
                GuardedImage<T> before(w, h, ch);
                for (int y = 0; y < h; ++y) std::memcpy(before.row(y), d.row(y), w * ch * sizeof(T));
                ASSERT_EQ((ch == 3 ? op.c3 : op.ac4)(s.ptr(), s.step(), d.ptr(), d.step(), {w, h}), qrxOk);
                double worst = 0;
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) {
                        const V3 e = op.model({double(s.at(x, y, 0)), double(s.at(x, y, 1)),
                                               double(s.at(x, y, 2))});
                        for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(d.at(x, y, c) - e[c]));
                        if (ch == 4) {
                            ASSERT_EQ(d.at(x, y, 3), before.at(x, y, 3));
                        }
                    }
                EXPECT_LE(worst, op.tol);
                EXPECT_TRUE(d.untouchedOutside());
            }
}

template <class T>
void expectAll(const std::vector<Op<T>>& list) {
    expectModel(list);
    for (const auto& op : list) {
        SCOPED_TRACE(op.name);
        qrxtest::expectNullsThenSize(op.c3, 3, 3);
        qrxtest::expectNullsThenSize(op.ac4, 4, 4);
    }
}

TEST(XyzLuv, EveryOperationFollowsModelAndChecks) {
    expectAll(ops<Qrx8u>(qrxiRGBToXYZ_8u_C3R, qrxiRGBToXYZ_8u_AC4R, qrxiXYZToRGB_8u_C3R,
                         qrxiXYZToRGB_8u_AC4R, qrxiRGBToLUV_8u_C3R, qrxiRGBToLUV_8u_AC4R,
                         qrxiLUVToRGB_8u_C3R, qrxiLUVToRGB_8u_AC4R));
    expectAll(ops<Qrx16u>(qrxiRGBToXYZ_16u_C3R, qrxiRGBToXYZ_16u_AC4R, qrxiXYZToRGB_16u_C3R,
                          qrxiXYZToRGB_16u_AC4R, qrxiRGBToLUV_16u_C3R, qrxiRGBToLUV_16u_AC4R,
                          qrxiLUVToRGB_16u_C3R, qrxiLUVToRGB_16u_AC4R));
    expectAll(ops<Qrx16s>(qrxiRGBToXYZ_16s_C3R, qrxiRGBToXYZ_16s_AC4R, qrxiXYZToRGB_16s_C3R,
                          qrxiXYZToRGB_16s_AC4R, qrxiRGBToLUV_16s_C3R, qrxiRGBToLUV_16s_AC4R,
                          qrxiLUVToRGB_16s_C3R, qrxiLUVToRGB_16s_AC4R));
    expectAll(ops<Qrx32f>(qrxiRGBToXYZ_32f_C3R, qrxiRGBToXYZ_32f_AC4R, qrxiXYZToRGB_32f_C3R,
                          qrxiXYZToRGB_32f_AC4R, qrxiRGBToLUV_32f_C3R, qrxiRGBToLUV_32f_AC4R,
                          qrxiLUVToRGB_32f_C3R, qrxiLUVToRGB_32f_AC4R));
}

// One row of n pixels all equal to p through fn; returns the output row.
template <class T>
std::vector<T> row(Fn<T> fn, int ch, int n, std::vector<T> p) {
    GuardedImage<T> s(n, 1, ch), d(n, 1, ch);
    for (int x = 0; x < n; ++x)
        for (int c = 0; c < ch; ++c) s.at(x, 0, c) = p[c % p.size()];
    EXPECT_EQ(fn(s.ptr(), s.step(), d.ptr(), d.step(), {n, 1}), qrxOk);
    return std::vector<T>(d.row(0), d.row(0) + n * ch);
}

template <class T>
std::vector<T> repeat(const std::vector<T>& px, int n) {
    std::vector<T> out;
    for (int i = 0; i < n; ++i) out.insert(out.end(), px.begin(), px.end());
    return out;
}
template <class T>
std::vector<T> cat(std::vector<T> a, const std::vector<T>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(XyzLuv, KnownValues) {
    using B = std::vector<Qrx8u>;
    // 8-bit XYZ: leading groups of 8 (C3) or 4 (AC4) by one formula, the rest by the other.
    const B white9 = row<Qrx8u>(qrxiRGBToXYZ_8u_C3R, 3, 9, {255});
    for (int x = 0; x < 9; ++x)
        EXPECT_EQ(B(white9.begin() + 3 * x, white9.begin() + 3 * x + 3),
                  (x < 8 ? B{242, 255, 255} : B{242, 254, 255}));
    const B white5 = row<Qrx8u>(qrxiRGBToXYZ_8u_AC4R, 4, 5, {255});
    EXPECT_EQ(B(white5.begin() + 12, white5.begin() + 15), (B{242, 255, 255}));
    EXPECT_EQ(B(white5.begin() + 16, white5.end()), (B{242, 254, 255, 0}));  // alpha untouched
    // The inverse splits the same way: (2, 72, 45) differs between the formulas.
    EXPECT_EQ(row<Qrx8u>(qrxiXYZToRGB_8u_C3R, 3, 9, {2, 72, 45}),
              cat(repeat(B{0, 134, 33}, 8), B{0, 135, 32}));
    EXPECT_EQ(row<Qrx8u>(qrxiXYZToRGB_8u_AC4R, 4, 5, {2, 72, 45, 9}),
              cat(repeat(B{0, 134, 33, 0}, 4), B{0, 135, 32, 0}));
    // 32f: only Z is clamped forward; white's X is 0.950456.
    const auto fw = row<Qrx32f>(qrxiRGBToXYZ_32f_C3R, 3, 1, {1.0f});
    EXPECT_NEAR(fw[0], 0.950456f, 1e-6f);
    EXPECT_EQ(fw[1], 1.0f);
    EXPECT_EQ(fw[2], 1.0f);
    EXPECT_EQ(row<Qrx32f>(qrxiRGBToXYZ_32f_C3R, 3, 1, {0, 0, 1})[2], 0.950227f);
    EXPECT_EQ(row<Qrx32f>(qrxiXYZToRGB_32f_AC4R, 4, 1, {0, 1, 0, 7}),
              (std::vector<Qrx32f>{0, 1, 0, 0}));
    // 16-bit: truncation, clamping at 65535 and the 32768 offset.
    EXPECT_EQ(row<Qrx16u>(qrxiRGBToXYZ_16u_C3R, 3, 1, {65535}), (std::vector<Qrx16u>{62288, 65535, 65535}));
    EXPECT_EQ(row<Qrx16s>(qrxiRGBToXYZ_16s_C3R, 3, 1, {32767}), (std::vector<Qrx16s>{29520, 32767, 32767}));
    EXPECT_EQ(row<Qrx16s>(qrxiXYZToRGB_16s_C3R, 3, 1, {-32768, -32768, 32767}),
              (std::vector<Qrx16s>{-32768, -30045, 32767}));
    // LUV of black per type, and L code 0 decoding to black whatever u and v.
    EXPECT_EQ(row<Qrx8u>(qrxiRGBToLUV_8u_C3R, 3, 9, {0}), repeat(B{0, 97, 136}, 9));
    EXPECT_EQ(row<Qrx16u>(qrxiRGBToLUV_16u_AC4R, 4, 1, {0}), (std::vector<Qrx16u>{0, 0, 0, 0}));
    EXPECT_EQ(row<Qrx16s>(qrxiRGBToLUV_16s_C3R, 3, 1, {-32768}), (std::vector<Qrx16s>(3, -32768)));
    EXPECT_EQ(row<Qrx32f>(qrxiRGBToLUV_32f_C3R, 3, 1, {0}), (std::vector<Qrx32f>(3, 0.0f)));
    EXPECT_EQ(row<Qrx8u>(qrxiLUVToRGB_8u_C3R, 3, 1, {0, 200, 3}), B(3, 0));
    EXPECT_EQ(row<Qrx16s>(qrxiLUVToRGB_16s_C3R, 3, 1, {-32768, 5, -7}), (std::vector<Qrx16s>(3, -32768)));
    EXPECT_EQ(row<Qrx32f>(qrxiLUVToRGB_32f_C3R, 3, 1, {0.00008f, 50, 50}), (std::vector<Qrx32f>(3, 0.0f)));
    for (Qrx32f v : row<Qrx32f>(qrxiLUVToRGB_32f_C3R, 3, 1, {0.00009f, 0, 0})) EXPECT_GT(v, 0.0f);  // not black
    // L exactly at the threshold takes the cube, 4e-6 above the linear segment's Y.
    const V3 atKnee = rgbOfLuv({7.9996247f, 0, 0});
    const auto knee = row<Qrx32f>(qrxiLUVToRGB_32f_C3R, 3, 1, {7.9996247f, 0, 0});
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(knee[c], atKnee[c], 1.5e-8);
    // White: L 100 (code 255 or 65535) with u, v at the white point.
    const B w8 = row<Qrx8u>(qrxiRGBToLUV_8u_C3R, 3, 1, {255});
    EXPECT_EQ(w8[0], 255);
    // 16-bit L is truncated: white's 99.99999 leaves it one code short.
    EXPECT_EQ(row<Qrx16u>(qrxiRGBToLUV_16u_C3R, 3, 1, {65535})[0], 65534);
    // Dark 8-bit pixels take L from the quarter-step table, rounded: (1, 0, 0) and (2, 0, 0)
    // read 9 and 18 quarters.
    EXPECT_EQ(row<Qrx8u>(qrxiRGBToLUV_8u_C3R, 3, 1, {1, 0, 0})[0], 2);
    EXPECT_EQ(row<Qrx8u>(qrxiRGBToLUV_8u_C3R, 3, 1, {2, 0, 0})[0], 5);
    // Y rounding to code 32 takes the whole-code table: (0, 42, 21) and (0, 35, 90) have
    // Y near 31.55, where the quarter-step entry would give 106.5 and move v or u by one.
    EXPECT_EQ(row<Qrx8u>(qrxiRGBToLUV_8u_C3R, 3, 1, {0, 42, 21}), (B{107, 71, 154}));
    EXPECT_EQ(row<Qrx8u>(qrxiRGBToLUV_8u_C3R, 3, 1, {0, 35, 90}), (B{107, 77, 83}));
    // 32f Y above 1 takes the table's last entry (1, 1): the series at u = 1 gives
    // L 129.31 for Y = 2 (the exact 130.15 is out of the series' reach).
    EXPECT_NEAR(row<Qrx32f>(qrxiRGBToLUV_32f_C3R, 3, 1, {2.0f})[0], 129.3099f, 1e-3f);
}

// The cube-root tables' quoted entries (c, with r = 1/c^3 beside it);
// the rest follow the same rule.
TEST(XyzLuv, CubeRootTables) {
    const float* luv = qrx::kLuvCubeRoots.c;
    const float* lab = qrx::kLabCubeRoots.c;
    const double quoted[][3] = {{luv[0], 0.199268, 126.3823}, {luv[127], 1.000033, 0.9999},
                                {luv[128], 1, 1},             {lab[0], 0.199269, 126.3804},
                                {lab[126], 0.997428, 1.007757}, {lab[127], 1.000038, 0.999885}};
    for (const auto& q : quoted) {
        EXPECT_NEAR(q[0], q[1], 1e-6);
        EXPECT_NEAR(1 / (q[0] * q[0] * q[0]), q[2], 1e-4 * q[2]);
    }
    for (int k = 0; k < 128; ++k) EXPECT_NEAR(luv[k], std::cbrt((k + 1) / 128.0 + 1e-4), 1e-7);
}

// 8-bit XYZ is fixed point: every column of rows of 1 to 20 pixels over a
// dense sweep against the formula of its column (leading groups or tail).
TEST(XyzLuv, EightBitXyzIsExactFixedPoint) {
    struct Form { int k[3][3]; int shift; };
    const Form toXyz[2] = {{{{13515, 11717, 5912}, {6969, 23434, 2365}, {634, 3906, 31137}}, 15},
                           {{{27030, 23434, 11824}, {13937, 46868, 4729}, {1267, 7811, 62274}}, 16}};
    const Form toRgb[2] = {{{{26546, -12591, -4083}, {-7939, 15368, 340}, {456, -1671, 8661}}, 13},
                           {{{212368, -100738, -32671}, {-63521, 122944, 2723}, {3646, -13372, 69291}}, 16}};
    const int n = 20 * 21 / 2 * 64;  // 64 images of rows of 1..20 pixels
    std::vector<Qrx8u> px(n * 3);
    std::mt19937 rng(11);
    for (auto& v : px) v = Qrx8u(rng() % 3 == 0 ? (rng() % 2) * 255 : rng() % 256);
    for (int ch : {3, 4})
        for (int dir = 0; dir < 2; ++dir) {
            const Fn<Qrx8u> fn = dir == 0 ? (ch == 3 ? qrxiRGBToXYZ_8u_C3R : qrxiRGBToXYZ_8u_AC4R)
                                          : (ch == 3 ? qrxiXYZToRGB_8u_C3R : qrxiXYZToRGB_8u_AC4R);
            const Form* forms = dir == 0 ? toXyz : toRgb;
            int bad = 0, next = 0;
            for (int rep = 0; rep < 64; ++rep)
                for (int w = 1; w <= 20; ++w) {
                    GuardedImage<Qrx8u> s(w, 1, ch), d(w, 1, ch);
                    for (int x = 0; x < w; ++x, ++next)
                        for (int c = 0; c < 3; ++c) s.at(x, 0, c) = px[next * 3 + c];
                    ASSERT_EQ(fn(s.ptr(), s.step(), d.ptr(), d.step(), {w, 1}), qrxOk);
                    const int lead = ch == 3 ? w / 8 * 8 : w / 4 * 4;
                    for (int x = 0; x < w; ++x) {
                        const Form& f = forms[x < lead ? 0 : 1];
                        for (int c = 0; c < 3; ++c) {
                            const int sum = f.k[c][0] * s.at(x, 0, 0) + f.k[c][1] * s.at(x, 0, 1) +
                                            f.k[c][2] * s.at(x, 0, 2);
                            bad += d.at(x, 0, c) != std::clamp(sum >> f.shift, 0, 255);
                        }
                    }
                }
            EXPECT_EQ(bad, 0) << "direction " << dir << ", " << ch << " channels";
        }
}

// 64 x 64 runs on the calling thread, 65 x 64 in a parallel region: same
// pixels; and every thread count gives the same bytes.
TEST(XyzLuv, ThreadCountDoesNotChangeResults) {
    for (Fn<Qrx16u> fn : {qrxiRGBToXYZ_16u_C3R, qrxiRGBToLUV_16u_C3R, qrxiLUVToRGB_16u_C3R}) {
        GuardedImage<Qrx16u> s(65, 64, 3), small(64, 64, 3);
        s.randomize(3, 0, 65535);
        ASSERT_EQ(fn(s.ptr(), s.step(), small.ptr(), small.step(), {64, 64}), qrxOk);
        qrxtest::expectSameForEveryThreadCount([&] {
            GuardedImage<Qrx16u> big(65, 64, 3);
            EXPECT_EQ(fn(s.ptr(), s.step(), big.ptr(), big.step(), {65, 64}), qrxOk);
            for (int y = 0; y < 64; ++y) EXPECT_EQ(std::memcmp(big.row(y), small.row(y), 64 * 3 * 2), 0);
            return big.snapshot();
        });
    }
}

// NaN, infinities and far out-of-range floats: clamped results where the
// operation clamps, and never a fault.
TEST(XyzLuv, BadFloatInput) {
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    using F = std::vector<Qrx32f>;
    for (float v : {nan, inf, -inf, 1e30f, -1e30f}) {
        SCOPED_TRACE(v);
        const F xyz = row<Qrx32f>(qrxiRGBToXYZ_32f_C3R, 3, 17, {v});
        EXPECT_TRUE(xyz[2] >= 0.0f && xyz[2] <= 1.0f);
        for (Fn<Qrx32f> fn : {qrxiXYZToRGB_32f_C3R, qrxiLUVToRGB_32f_C3R})
            for (Qrx32f o : row<Qrx32f>(fn, 3, 17, {50.0f, v, 20.0f})) EXPECT_TRUE(o >= 0.0f && o <= 1.0f);
        row<Qrx32f>(qrxiRGBToLUV_32f_C3R, 3, 17, {v, 0.5f, 0.2f});  // no fault
    }
    // NaN gives 0 where a clamp meets it; the lightness of a NaN stays NaN.
    EXPECT_EQ(row<Qrx32f>(qrxiXYZToRGB_32f_C3R, 3, 1, {nan})[0], 0.0f);
    EXPECT_TRUE(std::isnan(row<Qrx32f>(qrxiRGBToLUV_32f_C3R, 3, 1, {nan})[0]));
}

}  // namespace
