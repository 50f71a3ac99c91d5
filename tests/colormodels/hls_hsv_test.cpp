// RGB and BGR to and from HLS and HSV: literal edge cases, per-pixel models
// for every member, a photograph's round trip, threads, argument checks and
// alpha handling.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "guarded_image.h"
#include "interleaved_checks.h"
#include "photo.h"
#include "qrxcc.h"

namespace {

using namespace qrxtest;
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

TEST(HlsHsv, RgbMembersFollowModels) {
    runAll(withAlpha<Qrx8u>({
        {"RGBToHLS_8u", qrxiRGBToHLS_8u_C3R, qrxiRGBToHLS_8u_AC4R, integerModel<Qrx8u>(rgbToHls, k8u)},
        {"HLSToRGB_8u", qrxiHLSToRGB_8u_C3R, qrxiHLSToRGB_8u_AC4R, integerModel<Qrx8u>(hlsToRgb, k8u)},
        {"RGBToHSV_8u", qrxiRGBToHSV_8u_C3R, qrxiRGBToHSV_8u_AC4R, hsvModel<Qrx8u>(rgbToHsv, k8u)},
        {"HSVToRGB_8u", qrxiHSVToRGB_8u_C3R, qrxiHSVToRGB_8u_AC4R, hsvModel<Qrx8u>(hsvToRgb, k8u)},
    }));
    runAll(withAlpha<Qrx16u>({
        {"RGBToHLS_16u", qrxiRGBToHLS_16u_C3R, qrxiRGBToHLS_16u_AC4R, integerModel<Qrx16u>(rgbToHls, k16u)},
        {"HLSToRGB_16u", qrxiHLSToRGB_16u_C3R, qrxiHLSToRGB_16u_AC4R, integerModel<Qrx16u>(hlsToRgb, k16u)},
        {"RGBToHSV_16u", qrxiRGBToHSV_16u_C3R, qrxiRGBToHSV_16u_AC4R, hsvModel<Qrx16u>(rgbToHsv, k16u)},
        {"HSVToRGB_16u", qrxiHSVToRGB_16u_C3R, qrxiHSVToRGB_16u_AC4R, hsvModel<Qrx16u>(hsvToRgb, k16u)},
    }));
    runAll(withAlpha<Qrx16s>({
        {"RGBToHLS_16s", qrxiRGBToHLS_16s_C3R, qrxiRGBToHLS_16s_AC4R, integerModel<Qrx16s>(rgbToHls, k16s)},
        {"HLSToRGB_16s", qrxiHLSToRGB_16s_C3R, qrxiHLSToRGB_16s_AC4R, integerModel<Qrx16s>(hlsToRgb, k16s)},
    }));
    runAll(withAlpha<Qrx32f>({
        {"RGBToHLS_32f", qrxiRGBToHLS_32f_C3R, qrxiRGBToHLS_32f_AC4R, floatModel(rgbToHls32f)},
        {"HLSToRGB_32f", qrxiHLSToRGB_32f_C3R, qrxiHLSToRGB_32f_AC4R, floatModel(hlsToRgb32f)},
    }));
}

// ---- literal values ----------------------------------------------------------------

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
    // Hues wrap below 0 only: at H = 1/3 (h = 120) blue sits at hue 0, on the
    // ramp, not at 360; with L = -0 and S = -2 the two differ in the sign of zero.
    const F3 wrap = one<Qrx32f>(qrxiHLSToRGB_32f_C3R, {0.33333334f, -0.0f, -2.0f});
    EXPECT_EQ(wrap[2], 0.0f);
    EXPECT_FALSE(std::signbit(wrap[2]));
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

TEST(HlsHsv, NonFiniteFloatsNeverFault) {
    const float inf = INFINITY, nan = NAN;
    GuardedImage<Qrx32f> s(6, 1, 3), d(6, 1, 3), back(6, 1, 3);
    const float v[18] = {nan, 0, 0, inf, 0.5f, 0, -inf, 1, 1, nan, nan, nan, 1e30f, -1e30f, 0, 0, inf, inf};
    std::memcpy(s.row(0), v, sizeof v);
    ASSERT_EQ(qrxiRGBToHLS_32f_C3R(s.ptr(), s.step(), d.ptr(), d.step(), {6, 1}), qrxOk);
    for (int x = 0; x < 6; ++x) {
        const TriF want = rgbToHls32f(s.at(x, 0, 0), s.at(x, 0, 1), s.at(x, 0, 2));
        for (int c = 0; c < 3; ++c) EXPECT_TRUE(sameSample(d.at(x, 0, c), want[c])) << x << " " << c;
    }
    ASSERT_EQ(qrxiHLSToRGB_32f_C3R(s.ptr(), s.step(), back.ptr(), back.step(), {6, 1}), qrxOk);
    for (int x = 0; x < 6; ++x) {
        const TriF want = hlsToRgb32f(s.at(x, 0, 0), s.at(x, 0, 1), s.at(x, 0, 2));
        for (int c = 0; c < 3; ++c) EXPECT_TRUE(sameSample(back.at(x, 0, c), want[c])) << x << " " << c;
    }
}

// A photograph through each 8-bit model and back.
TEST(HlsHsv, PhotographRoundTrips) {
    Photo photo;
    if (!loadPhoto("astronaut.png", photo)) GTEST_SKIP() << "astronaut.png or libpng missing";
    const int w = photo.width, h = photo.height, n = w * h * 3;
    GuardedImage<Qrx8u> rgb(w, h, 3), mid(w, h, 3), back(w, h, 3);
    std::memcpy(rgb.ptr(), photo.rgb.data(), size_t(n));
    struct Trip {
        Fn<Qrx8u> there, back;
        int worst;
        double psnr;
    };
    for (const Trip& t : {Trip{qrxiRGBToHLS_8u_C3R, qrxiHLSToRGB_8u_C3R, 7, 44},
                          Trip{qrxiRGBToHSV_8u_C3R, qrxiHSVToRGB_8u_C3R, 6, 46}}) {
        ASSERT_EQ(t.there(rgb.ptr(), rgb.step(), mid.ptr(), mid.step(), {w, h}), qrxOk);
        ASSERT_EQ(t.back(mid.ptr(), mid.step(), back.ptr(), back.step(), {w, h}), qrxOk);
        int worst = 0;
        double sq = 0;
        for (int i = 0; i < n; ++i) {
            const int e = back.ptr()[i] - rgb.ptr()[i];
            worst = std::max(worst, std::abs(e));
            sq += e * e;
        }
        EXPECT_LE(worst, t.worst);
        EXPECT_GE(10 * std::log10(255.0 * 255.0 * n / sq), t.psnr);
    }
}

// ---- BGR plane members -----------------------------------------------------------

// An 8-bit image of a plane member: interleaved (3 or 4 channels) or 3 or 4
// planes, all rows `step` bytes apart.
struct Image8 {
    Image8(int w, int h, int channels, bool planar, int step) : channels(channels), planar(planar) {
        for (int i = 0; i < (planar ? channels : 1); ++i) {
            img.emplace_back(std::make_unique<GuardedImage<Qrx8u>>(w, h, planar ? 1 : channels, step));
            plane[i] = img.back()->ptr();
        }
    }
    Qrx8u& at(int x, int y, int c) { return planar ? img[c]->at(x, y) : img[0]->at(x, y, c); }
    const void* src() const { return planar ? static_cast<const void*>(plane) : plane[0]; }
    void* dst() { return planar ? static_cast<void*>(plane) : plane[0]; }
    int step() const { return img[0]->step(); }
    void randomize(uint32_t seed) {
        for (auto& i : img) fillSamples(*i, seed++);
    }
    std::vector<std::vector<unsigned char>> snapshot() const {
        std::vector<std::vector<unsigned char>> v;
        for (auto& i : img) v.push_back(i->snapshot());
        return v;
    }
    bool untouchedOutside() const {
        return std::all_of(img.begin(), img.end(), [](auto& i) { return i->untouchedOutside(); });
    }
    int channels;
    bool planar;
    std::vector<std::unique_ptr<GuardedImage<Qrx8u>>> img;
    Qrx8u* plane[4] = {};
};

using PlaneCall = std::function<QrxStatus(const void*, int, void*, int, QrxRoiSize)>;

struct PlaneMember {
    std::string name;
    bool toHls;
    int channels;  // 4: alpha copied, or (AC4R) the fourth channel left alone
    bool srcPlanar, dstPlanar;
    PlaneCall call;
};

template <class S, class D>
PlaneCall planeCall(QrxStatus (*f)(S, int, D, int, QrxRoiSize)) {
    return [f](const void* s, int ss, void* d, int ds, QrxRoiSize roi) {
        return f(static_cast<S>(s), ss, static_cast<D>(d), ds, roi);
    };
}
#define PLANE(name, toHls, ch, sp, dp) {#name, toHls, ch, sp, dp, planeCall(qrxi##name)}
const std::vector<PlaneMember> kPlaneMembers = {
    PLANE(BGRToHLS_8u_AC4R, true, 4, false, false),
    PLANE(BGRToHLS_8u_C3P3R, true, 3, false, true),
    PLANE(BGRToHLS_8u_P3C3R, true, 3, true, false),
    PLANE(BGRToHLS_8u_P3R, true, 3, true, true),
    PLANE(BGRToHLS_8u_AC4P4R, true, 4, false, true),
    PLANE(BGRToHLS_8u_AP4C4R, true, 4, true, false),
    PLANE(BGRToHLS_8u_AP4R, true, 4, true, true),
    PLANE(HLSToBGR_8u_C3P3R, false, 3, false, true),
    PLANE(HLSToBGR_8u_P3C3R, false, 3, true, false),
    PLANE(HLSToBGR_8u_P3R, false, 3, true, true),
    PLANE(HLSToBGR_8u_AC4P4R, false, 4, false, true),
    PLANE(HLSToBGR_8u_AP4C4R, false, 4, true, false),
    PLANE(HLSToBGR_8u_AP4R, false, 4, true, true),
};
#undef PLANE

bool keepsFourth(const PlaneMember& m) { return m.name == "BGRToHLS_8u_AC4R"; }

// Runs m on a w x h image and compares with the models in BGR order.
void expectPlaneModel(const PlaneMember& m, int w, int h, int pad) {
    SCOPED_TRACE(m.name + " width " + std::to_string(w));
    const int step = (m.srcPlanar ? w : w * m.channels) + pad;
    const int dstep = (m.dstPlanar ? w : w * m.channels) + pad;
    Image8 s(w, h, m.channels, m.srcPlanar, step), d(w, h, m.channels, m.dstPlanar, dstep);
    s.randomize(uint32_t(w + pad));
    d.randomize(7);
    std::vector<Qrx8u> fourth;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w && m.channels == 4; ++x) fourth.push_back(d.at(x, y, 3));
    ASSERT_EQ(m.call(s.src(), s.step(), d.dst(), d.step(), {w, h}), qrxOk);
    int bad = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Tri want;
            if (m.toHls) {
                want = rgbToHls(s.at(x, y, 2), s.at(x, y, 1), s.at(x, y, 0), k8u);
            } else {
                const Tri rgb = hlsToRgb(s.at(x, y, 0), s.at(x, y, 1), s.at(x, y, 2), k8u);
                want = {rgb[2], rgb[1], rgb[0]};
            }
            for (int c = 0; c < 3; ++c) bad += d.at(x, y, c) != std::clamp(want[c], 0, 255);
            if (m.channels == 4)
                bad += d.at(x, y, 3) != (keepsFourth(m) ? fourth[y * w + x] : s.at(x, y, 3));
        }
    EXPECT_EQ(bad, 0);
    EXPECT_TRUE(d.untouchedOutside());
}

TEST(HlsHsv, PlaneMembersFollowModels) {
    for (const auto& m : kPlaneMembers)
        for (int w : {1, 3, 4, 5, 8, 9, 16, 17, 33})
            for (int pad : {0, 5}) expectPlaneModel(m, w, 3, pad);
}

TEST(HlsHsv, PlaneMembersCheckPointersStepsThenSize) {
    for (const auto& m : kPlaneMembers) {
        SCOPED_TRACE(m.name);
        Image8 s(4, 2, m.channels, m.srcPlanar, 0), d(4, 2, m.channels, m.dstPlanar, 0);
        s.randomize(3);
        const auto snap = d.snapshot();
        const int ss = s.step(), ds = d.step();
        EXPECT_EQ(m.call(nullptr, ss, d.dst(), ds, {0, 0}), qrxErrNullPtr);
        EXPECT_EQ(m.call(s.src(), ss, nullptr, ds, {0, 0}), qrxErrNullPtr);
        // Each plane pointer, with a bad step and no region as well.
        for (Image8* im : {&s, &d}) {
            if (!im->planar) continue;
            for (int p = 0; p < im->channels; ++p) {
                Qrx8u* keep = im->plane[p];
                im->plane[p] = nullptr;
                EXPECT_EQ(m.call(s.src(), 0, d.dst(), 0, {0, 0}), qrxErrNullPtr) << "plane " << p;
                im->plane[p] = keep;
            }
        }
        if (keepsFourth(m)) {
            // Pointers, size, then steps.
            EXPECT_EQ(m.call(s.src(), 0, d.dst(), 0, {0, 2}), qrxErrSize);
            EXPECT_EQ(m.call(s.src(), 0, d.dst(), ds, {4, 2}), qrxErrStep);
            EXPECT_EQ(m.call(s.src(), ss, d.dst(), -ds, {4, 2}), qrxErrStep);
        } else {
            // Pointers, steps, then size.
            EXPECT_EQ(m.call(s.src(), 0, d.dst(), ds, {0, 2}), qrxErrStep);
            EXPECT_EQ(m.call(s.src(), ss, d.dst(), -1, {4, 0}), qrxErrStep);
        }
        for (QrxRoiSize roi : {QrxRoiSize{0, 2}, {4, 0}, {-3, 2}, {4, -2}})
            EXPECT_EQ(m.call(s.src(), ss, d.dst(), ds, roi), qrxErrSize);
        EXPECT_EQ(d.snapshot(), snap);
    }
}

// Always one parallel region: any thread count gives the same bytes.
TEST(HlsHsv, PlaneMembersSameForThreadCounts) {
    for (const auto& m : kPlaneMembers)
        for (QrxRoiSize roi : {QrxRoiSize{5, 7}, {70, 66}}) {
            SCOPED_TRACE(m.name);
            Image8 s(roi.width, roi.height, m.channels, m.srcPlanar, 0);
            s.randomize(11);
            expectSameForEveryThreadCount([&] {
                Image8 d(roi.width, roi.height, m.channels, m.dstPlanar, 0);
                EXPECT_EQ(m.call(s.src(), s.step(), d.dst(), d.step(), roi), qrxOk);
                return d.snapshot();
            });
            expectPlaneModel(m, roi.width, roi.height, 0);
        }
}

}  // namespace
