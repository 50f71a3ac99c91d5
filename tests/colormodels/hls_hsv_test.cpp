// RGB and BGR to and from HLS and HSV: literal edge cases, per-pixel models
// for every member, a double-precision check of the models, round trips,
// threads, argument checks and alpha handling.
#include <gtest/gtest.h>

#include <algorithm>
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

namespace {

using qrxtest::GuardedImage;
using Tri = std::array<int, 3>;
using TriF = std::array<float, 3>;

// ---- models, from the formulas on codes ------------------------------------------

struct Codes {
    int max;
    float full, halfFull, twiceFull;
    double hlsHue;
    float hueIn, unit, hsvHue;
    bool divide60;
    int offset;
};
const Codes k8u{255, 255.0f, 127.5f, 510.0f, 0.7083333, 1.4117647f, 0.003921569f, 42.5f, false, 0};
const Codes k16u{65535, 65535.0f, 32767.5f, 131070.0f, 182.04167, 0.0054932479f, 1.5259022e-05f,
                 10922.5f, false, 0};
const Codes k16s{65535, 65535.0f, 32767.5f, 131070.0f, 182.04167, 0.0054932479f, 1.5259022e-05f,
                 10922.5f, true, 32768};
constexpr float kSixtieth = 0.016666668f;

float fmax3(float a, float b, float c) {
    const float m = a > b ? a : b;
    return m > c ? m : c;
}
float fmin3(float a, float b, float c) {
    const float m = a < b ? a : b;
    return m < c ? m : c;
}

Tri rgbToHls(int r, int g, int b, const Codes& c) {
    const int mx = std::max({r, g, b}), mn = std::min({r, g, b});
    const float d = float(mx - mn), sum = float(mx + mn);
    const int l = int(sum * 0.5f);
    if (d == 0) return {0, l, 0};
    const float base = sum * 0.5f > c.halfFull ? c.twiceFull - sum : sum;
    const int s = int(d * (1.0f / base) * c.full);
    const float q = 1.0f / d;
    float h;
    if (mx == r) h = float(g - b) * 60.0f * q;
    else if (mx == g) h = float(b - r) * 60.0f * q + 120.0f;
    else h = float(r - g) * 60.0f * q + 240.0f;
    if (h < 0) h += 360.0f;
    return {int(double(h) * c.hlsHue), l, s};
}

Tri hlsToRgb(int hc, int lc, int sc, const Codes& c) {
    if (sc == 0) return {lc, lc, lc};
    const float h = float(hc) * c.hueIn, l = float(lc) * c.unit, s = float(sc) * c.unit;
    const float m2 = l <= 0.5f ? l * (1 + s) : l + s - l * s;
    const float m1 = 2 * l - m2;
    const auto ramp = [&](float t) {
        return c.divide60 ? m1 + (m2 - m1) * t / 60.0f : m1 + (m2 - m1) * t * kSixtieth;
    };
    const auto value = [&](float x) {
        if (x < 60) return ramp(x);
        if (x < 180) return m2;
        if (x < 240) return ramp(240 - x);
        return m1;
    };
    float xr = h + 120, xb = h - 120;
    if (xr > 360) xr -= 360;
    if (xb < 0) xb += 360;
    return {int(value(xr) * c.full), int(value(h) * c.full), int(value(xb) * c.full)};
}

int toCode(float v, bool truncate) { return truncate ? int(v) : int(std::nearbyint(v)); }

Tri rgbToHsv(int r, int g, int b, const Codes& c, bool truncate) {
    const int mx = std::max({r, g, b}), mn = std::min({r, g, b});
    if (mx == 0 || mx == mn) return {0, 0, mx};
    const float d = float(mx - mn), q = 1.0f / d;
    const float s = d * (1.0f / float(mx)) * c.full;
    const float rc = float(mx - r) * q, gc = float(mx - g) * q, bc = float(mx - b) * q;
    float h = bc - gc;
    if (mx == g) h = 2 + rc - bc;
    if (mx == b) h = 4 + gc - rc;
    float hue = h * c.hsvHue;
    if (hue < 0) hue += c.full;
    return {toCode(hue, truncate), toCode(s, truncate), mx};
}

Tri hsvToRgb(int hc, int sc, int v, const Codes& c, bool truncate) {
    if (sc == 0) return {v, v, v};
    const float h = hc == c.max ? 0.0f : float(hc) * c.hueIn * kSixtieth;
    const int i = int(h);
    const float f = h - float(i), q = float(v) * (float(sc) * c.unit);
    const int rise = toCode(float(v) - q + f * q, truncate);
    const int fall = toCode(float(v) - f * q, truncate);
    const int low = toCode(float(v) - q, truncate);
    switch (i) {
        case 0: return {v, rise, low};
        case 1: return {fall, v, low};
        case 2: return {low, v, rise};
        case 3: return {low, fall, v};
        case 4: return {rise, low, v};
        default: return {v, low, fall};
    }
}

TriF rgbToHls32f(float r, float g, float b) {
    const float mx = fmax3(r, g, b), mn = fmin3(r, g, b);
    const float d = mx - mn, sum = mx + mn, l = 0.5f * sum;
    if (d <= 1.1920929e-07f) return {0, l, 0};
    const float s = l <= 0.5f ? d / sum : d / (2 - sum);
    float h;
    if (mx == r) h = (g - b) * 60 / d;
    else if (mx == g) h = (b - r) * 60 / d + 120;
    else h = (r - g) * 60 / d + 240;
    if (h < 0) h += 360;
    return {h / 360, l, s};
}

TriF hlsToRgb32f(float hh, float l, float s) {
    if (s == 0) return {l, l, l};
    const float h = hh * 360;
    const float m2 = l <= 0.5f ? l * (1 + s) : l + s - l * s;
    const float m1 = 2 * l - m2;
    const auto value = [&](float x) {
        if (x < 60) return m1 + (m2 - m1) * x * kSixtieth;
        if (x < 180) return m2;
        if (x < 240) return m1 + (m2 - m1) * (240 - x) * kSixtieth;
        return m1;
    };
    float xr = h + 120, xb = h - 120;
    if (xr > 360) xr -= 360;
    if (xb < 0) xb += 360;
    return {value(xr), value(h), value(xb)};
}

// ---- members as data ---------------------------------------------------------------

template <class T>
using Fn = QrxStatus (*)(const T*, int, T*, int, QrxRoiSize);

// One pixel of a member: source samples to destination samples, given the
// column and the row width (the 8-bit HSV formulas depend on the column).
template <class T>
using Model = std::function<std::array<T, 3>(const T*, int x, int width)>;

template <class T>
T saturate(int code, const Codes& c) {
    return T(std::clamp(code, 0, c.max) - c.offset);
}

template <class T>
Model<T> integerModel(Tri (*f)(int, int, int, const Codes&), const Codes& c) {
    return [f, &c](const T* p, int, int) {
        const Tri t = f(p[0] + c.offset, p[1] + c.offset, p[2] + c.offset, c);
        return std::array<T, 3>{saturate<T>(t[0], c), saturate<T>(t[1], c), saturate<T>(t[2], c)};
    };
}

template <class T>
Model<T> hsvModel(Tri (*f)(int, int, int, const Codes&, bool), const Codes& c) {
    return [f, &c](const T* p, int x, int width) {
        const bool lead = sizeof(T) == 1 && x < width / 4 * 4;
        const Tri t = f(p[0], p[1], p[2], c, lead);
        return std::array<T, 3>{saturate<T>(t[0], c), saturate<T>(t[1], c), saturate<T>(t[2], c)};
    };
}

Model<Qrx32f> floatModel(TriF (*f)(float, float, float)) {
    return [f](const Qrx32f* p, int, int) { return f(p[0], p[1], p[2]); };
}

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

TEST(HlsHsv, RgbMembersFollowModels) {
    runAll<Qrx8u>({
        {"RGBToHLS_8u_C3R", 3, qrxiRGBToHLS_8u_C3R, integerModel<Qrx8u>(rgbToHls, k8u)},
        {"RGBToHLS_8u_AC4R", 4, qrxiRGBToHLS_8u_AC4R, integerModel<Qrx8u>(rgbToHls, k8u)},
        {"HLSToRGB_8u_C3R", 3, qrxiHLSToRGB_8u_C3R, integerModel<Qrx8u>(hlsToRgb, k8u)},
        {"HLSToRGB_8u_AC4R", 4, qrxiHLSToRGB_8u_AC4R, integerModel<Qrx8u>(hlsToRgb, k8u)},
        {"RGBToHSV_8u_C3R", 3, qrxiRGBToHSV_8u_C3R, hsvModel<Qrx8u>(rgbToHsv, k8u)},
        {"RGBToHSV_8u_AC4R", 4, qrxiRGBToHSV_8u_AC4R, hsvModel<Qrx8u>(rgbToHsv, k8u)},
        {"HSVToRGB_8u_C3R", 3, qrxiHSVToRGB_8u_C3R, hsvModel<Qrx8u>(hsvToRgb, k8u)},
        {"HSVToRGB_8u_AC4R", 4, qrxiHSVToRGB_8u_AC4R, hsvModel<Qrx8u>(hsvToRgb, k8u)},
    });
    runAll<Qrx16u>({
        {"RGBToHLS_16u_C3R", 3, qrxiRGBToHLS_16u_C3R, integerModel<Qrx16u>(rgbToHls, k16u)},
        {"RGBToHLS_16u_AC4R", 4, qrxiRGBToHLS_16u_AC4R, integerModel<Qrx16u>(rgbToHls, k16u)},
        {"HLSToRGB_16u_C3R", 3, qrxiHLSToRGB_16u_C3R, integerModel<Qrx16u>(hlsToRgb, k16u)},
        {"HLSToRGB_16u_AC4R", 4, qrxiHLSToRGB_16u_AC4R, integerModel<Qrx16u>(hlsToRgb, k16u)},
        {"RGBToHSV_16u_C3R", 3, qrxiRGBToHSV_16u_C3R, hsvModel<Qrx16u>(rgbToHsv, k16u)},
        {"RGBToHSV_16u_AC4R", 4, qrxiRGBToHSV_16u_AC4R, hsvModel<Qrx16u>(rgbToHsv, k16u)},
        {"HSVToRGB_16u_C3R", 3, qrxiHSVToRGB_16u_C3R, hsvModel<Qrx16u>(hsvToRgb, k16u)},
        {"HSVToRGB_16u_AC4R", 4, qrxiHSVToRGB_16u_AC4R, hsvModel<Qrx16u>(hsvToRgb, k16u)},
    });
    runAll<Qrx16s>({
        {"RGBToHLS_16s_C3R", 3, qrxiRGBToHLS_16s_C3R, integerModel<Qrx16s>(rgbToHls, k16s)},
        {"RGBToHLS_16s_AC4R", 4, qrxiRGBToHLS_16s_AC4R, integerModel<Qrx16s>(rgbToHls, k16s)},
        {"HLSToRGB_16s_C3R", 3, qrxiHLSToRGB_16s_C3R, integerModel<Qrx16s>(hlsToRgb, k16s)},
        {"HLSToRGB_16s_AC4R", 4, qrxiHLSToRGB_16s_AC4R, integerModel<Qrx16s>(hlsToRgb, k16s)},
    });
    runAll<Qrx32f>({
        {"RGBToHLS_32f_C3R", 3, qrxiRGBToHLS_32f_C3R, floatModel(rgbToHls32f)},
        {"RGBToHLS_32f_AC4R", 4, qrxiRGBToHLS_32f_AC4R, floatModel(rgbToHls32f)},
        {"HLSToRGB_32f_C3R", 3, qrxiHLSToRGB_32f_C3R, floatModel(hlsToRgb32f)},
        {"HLSToRGB_32f_AC4R", 4, qrxiHLSToRGB_32f_AC4R, floatModel(hlsToRgb32f)},
    });
}

// ---- literal values ----------------------------------------------------------------

template <class T>
std::array<T, 3> one(Fn<T> f, std::array<T, 3> in) {
    GuardedImage<T> s(1, 1, 3), d(1, 1, 3);
    for (int c = 0; c < 3; ++c) s.at(0, 0, c) = in[c];
    EXPECT_EQ(f(s.ptr(), s.step(), d.ptr(), d.step(), {1, 1}), qrxOk);
    return {d.at(0, 0, 0), d.at(0, 0, 1), d.at(0, 0, 2)};
}
using B3 = std::array<Qrx8u, 3>;

TEST(HlsHsv, KnownValues) {
    // Red: 127.5 is not above 127.5, so S = 255 (255/255); green and blue.
    EXPECT_EQ(one<Qrx8u>(qrxiRGBToHLS_8u_C3R, {255, 0, 0}), (B3{0, 127, 255}));
    EXPECT_EQ(one<Qrx8u>(qrxiRGBToHLS_8u_C3R, {0, 255, 0}), (B3{84, 127, 255}));
    EXPECT_EQ(one<Qrx8u>(qrxiRGBToHLS_8u_C3R, {0, 0, 255}), (B3{169, 127, 255}));
    // Above the middle the saturation divides by 510 - sum; 55 (1/55) 255
    // rounds to just below 255.
    EXPECT_EQ(one<Qrx8u>(qrxiRGBToHLS_8u_C3R, {255, 200, 200}), (B3{0, 227, 254}));
    // A negative hue wraps: magenta-red.
    EXPECT_EQ(one<Qrx8u>(qrxiRGBToHLS_8u_C3R, {255, 0, 60}), (B3{244, 127, 255}));
    EXPECT_EQ(one<Qrx8u>(qrxiHLSToRGB_8u_C3R, {0, 127, 255}), (B3{254, 0, 0}));
    EXPECT_EQ(one<Qrx8u>(qrxiHLSToRGB_8u_C3R, {200, 77, 0}), (B3{77, 77, 77}));
    // HSV: the primaries, a tie of red and blue (the blue test wins), and
    // a negative hue with 255 added.
    EXPECT_EQ(one<Qrx8u>(qrxiRGBToHSV_8u_C3R, {0, 255, 0}), (B3{85, 255, 255}));
    EXPECT_EQ(one<Qrx8u>(qrxiRGBToHSV_8u_C3R, {200, 0, 200}), (B3{212, 255, 200}));
    EXPECT_EQ(one<Qrx8u>(qrxiRGBToHSV_8u_C3R, {200, 0, 10}), (B3{253, 255, 200}));
    EXPECT_EQ(one<Qrx8u>(qrxiRGBToHSV_8u_C3R, {0, 0, 0}), (B3{0, 0, 0}));
    // H = 255 is hue 0 (red), H = 254 is in the last sector.
    EXPECT_EQ(one<Qrx8u>(qrxiHSVToRGB_8u_C3R, {255, 255, 200}), (B3{200, 0, 0}));
    EXPECT_EQ(one<Qrx8u>(qrxiHSVToRGB_8u_C3R, {254, 255, 200}), (B3{200, 0, 5}));
    EXPECT_EQ(one<Qrx8u>(qrxiHSVToRGB_8u_C3R, {17, 0, 99}), (B3{99, 99, 99}));
    using W3 = std::array<Qrx16u, 3>;
    EXPECT_EQ(one<Qrx16u>(qrxiRGBToHLS_16u_C3R, {0, 65535, 0}), (W3{21845, 32767, 65535}));
    EXPECT_EQ(one<Qrx16u>(qrxiRGBToHSV_16u_C3R, {0, 0, 65535}), (W3{43690, 65535, 65535}));
    using S3 = std::array<Qrx16s, 3>;
    EXPECT_EQ(one<Qrx16s>(qrxiRGBToHLS_16s_C3R, {32767, -32768, -32768}), (S3{-32768, -1, 32767}));
    EXPECT_EQ(one<Qrx16s>(qrxiHLSToRGB_16s_C3R, {5, -7, -32768}), (S3{-7, -7, -7}));
    using F3 = std::array<Qrx32f, 3>;
    EXPECT_EQ(one<Qrx32f>(qrxiRGBToHLS_32f_C3R, {0, 1, 0}), (F3{120.0f / 360, 0.5f, 1}));
    EXPECT_EQ(one<Qrx32f>(qrxiHLSToRGB_32f_C3R, {0.3f, 0.25f, 0}), (F3{0.25f, 0.25f, 0.25f}));
    // 32f results are not clamped.
    const F3 hls = one<Qrx32f>(qrxiRGBToHLS_32f_C3R, {1.5f, -0.5f, 0});
    EXPECT_FLOAT_EQ(hls[1], 0.5f);
    EXPECT_GT(hls[2], 1.0f);
}

TEST(HlsHsv, GreyGivesZeroHueAndSaturation) {
    for (int v : {0, 1, 100, 128, 254, 255}) {
        const auto q = Qrx8u(v);
        EXPECT_EQ(one<Qrx8u>(qrxiRGBToHLS_8u_C3R, {q, q, q}), (B3{0, q, 0}));
        EXPECT_EQ(one<Qrx8u>(qrxiRGBToHSV_8u_C3R, {q, q, q}), (B3{0, 0, q}));
        const auto w = Qrx16u(v * 257);
        EXPECT_EQ(one<Qrx16u>(qrxiRGBToHLS_16u_C3R, {w, w, w}), (std::array<Qrx16u, 3>{0, w, 0}));
        EXPECT_EQ(one<Qrx16u>(qrxiRGBToHSV_16u_C3R, {w, w, w}), (std::array<Qrx16u, 3>{0, 0, w}));
        const auto s = Qrx16s(v * 257 - 32768);
        EXPECT_EQ(one<Qrx16s>(qrxiRGBToHLS_16s_C3R, {s, s, s}),
                  (std::array<Qrx16s, 3>{-32768, s, -32768}));
        const float f = v / 255.0f;
        EXPECT_EQ(one<Qrx32f>(qrxiRGBToHLS_32f_C3R, {f, f, f}), (std::array<Qrx32f, 3>{0, f, 0}));
    }
}

// The float models agree with exact arithmetic to within one code.
TEST(HlsHsv, ModelsWithinOneOfExactArithmetic) {
    int worstH = 0, worstS = 0, worstHsv = 0;
    for (int r = 0; r < 256; r += 3)
        for (int g = 0; g < 256; g += 5)
            for (int b = 0; b < 256; b += 7) {
                const Tri got = rgbToHls(r, g, b, k8u);
                const double mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
                ASSERT_EQ(got[1], int(std::floor((mx + mn) / 2)));
                if (d == 0) continue;
                const double sum = mx + mn, base = sum > 255 ? 510 - sum : sum;
                double h = mx == r ? (g - b) / d : mx == g ? 2 + (b - r) / d : 4 + (r - g) / d;
                if (h < 0) h += 6;
                worstH = std::max(worstH, std::abs(got[0] - int(std::floor(h * 60 * 255 / 360))));
                worstS = std::max(worstS, std::abs(got[2] - int(std::floor(d / base * 255))));
                const Tri hsv = rgbToHsv(r, g, b, k8u, false);
                double sixths = (g - b) / d;
                if (mx == g) sixths = 2 + (b - r) / d;
                if (mx == b) sixths = 4 + (r - g) / d;
                const double hue = sixths < 0 ? sixths * 42.5 + 255 : sixths * 42.5;
                worstHsv = std::max({worstHsv, std::abs(hsv[0] - int(std::nearbyint(hue))),
                                     std::abs(hsv[1] - int(std::nearbyint(d / mx * 255)))});
            }
    EXPECT_LE(worstH, 1);
    EXPECT_LE(worstS, 1);
    EXPECT_LE(worstHsv, 1);
}

// RGB -> model -> RGB over a dense sweep of 8-bit colours.
TEST(HlsHsv, RoundTripsStayClose) {
    const int n = 52;  // values 0, 5, ..., 255 per channel
    GuardedImage<Qrx8u> rgb(n * n, n, 3), mid(n * n, n, 3), back(n * n, n, 3);
    for (int r = 0; r < n; ++r)
        for (int g = 0; g < n; ++g)
            for (int b = 0; b < n; ++b) {
                Qrx8u* p = &rgb.at(g * n + b, r);
                p[0] = Qrx8u(r * 5), p[1] = Qrx8u(g * 5), p[2] = Qrx8u(b * 5);
            }
    const QrxRoiSize roi{n * n, n};
    struct Trip {
        Fn<Qrx8u> there, back;
        int tolerance;
    };
    // HLS keeps 255 hue steps and truncates every code; HSV rounds.
    for (const Trip& t : {Trip{qrxiRGBToHLS_8u_C3R, qrxiHLSToRGB_8u_C3R, 7},
                          Trip{qrxiRGBToHSV_8u_C3R, qrxiHSVToRGB_8u_C3R, 6}}) {
        ASSERT_EQ(t.there(rgb.ptr(), rgb.step(), mid.ptr(), mid.step(), roi), qrxOk);
        ASSERT_EQ(t.back(mid.ptr(), mid.step(), back.ptr(), back.step(), roi), qrxOk);
        int worst = 0;
        for (int y = 0; y < n; ++y)
            for (int i = 0; i < n * n * 3; ++i)
                worst = std::max(worst, std::abs(back.row(y)[i] - rgb.row(y)[i]));
        EXPECT_LE(worst, t.tolerance);
        EXPECT_GE(worst, 1);
    }
    // 16-bit HSV is within a few codes of 65535.
    GuardedImage<Qrx16u> w(n * n, n, 3), wm(n * n, n, 3), wb(n * n, n, 3);
    for (int y = 0; y < n; ++y)
        for (int i = 0; i < n * n * 3; ++i) w.row(y)[i] = Qrx16u(rgb.row(y)[i] * 257);
    ASSERT_EQ(qrxiRGBToHSV_16u_C3R(w.ptr(), w.step(), wm.ptr(), wm.step(), roi), qrxOk);
    ASSERT_EQ(qrxiHSVToRGB_16u_C3R(wm.ptr(), wm.step(), wb.ptr(), wb.step(), roi), qrxOk);
    int worst = 0;
    for (int y = 0; y < n; ++y)
        for (int i = 0; i < n * n * 3; ++i) worst = std::max(worst, std::abs(wb.row(y)[i] - w.row(y)[i]));
    EXPECT_LE(worst, 4);
}

TEST(HlsHsv, NonFiniteFloatsNeverFault) {
    const float inf = INFINITY, nan = NAN;
    GuardedImage<Qrx32f> s(6, 1, 3), d(6, 1, 3), back(6, 1, 3);
    const float v[18] = {nan, 0, 0, inf, 0.5f, 0, -inf, 1, 1, nan, nan, nan, 1e30f, -1e30f, 0, 0, inf, inf};
    std::memcpy(s.row(0), v, sizeof v);
    ASSERT_EQ(qrxiRGBToHLS_32f_C3R(s.ptr(), s.step(), d.ptr(), d.step(), {6, 1}), qrxOk);
    for (int x = 0; x < 6; ++x) {
        const TriF want = rgbToHls32f(s.at(x, 0, 0), s.at(x, 0, 1), s.at(x, 0, 2));
        for (int c = 0; c < 3; ++c) EXPECT_TRUE(same(d.at(x, 0, c), want[c])) << x << " " << c;
    }
    ASSERT_EQ(qrxiHLSToRGB_32f_C3R(s.ptr(), s.step(), back.ptr(), back.step(), {6, 1}), qrxOk);
    for (int x = 0; x < 6; ++x) {
        const TriF want = hlsToRgb32f(s.at(x, 0, 0), s.at(x, 0, 1), s.at(x, 0, 2));
        for (int c = 0; c < 3; ++c) EXPECT_TRUE(same(back.at(x, 0, c), want[c])) << x << " " << c;
    }
}

}  // namespace
