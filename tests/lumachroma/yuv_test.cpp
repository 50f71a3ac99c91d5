// RGB <-> YUV conversions: literal values, every operation against a
// per-pixel model on random images, argument checks and memory discipline.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "guarded_image.h"
#include "targets.h"
#include "qrxcc.h"

namespace {

using qrxtest::GuardedImage;
using Plane = GuardedImage<Qrx8u>;

// ---- model: the formulas per pixel, with plain floor division ----------------------

int64_t fdiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && a < 0); }  // b > 0
int clip(int64_t v) { return int(std::clamp<int64_t>(v, 0, 255)); }

struct Px {
    int64_t a, b, c;  // R G B, or Y U V
};
struct Enc {
    int y[4];
    int u, v;
};

// Exact encoder of 1, 2 or 4 pixels: Y per pixel, chroma from summed differences.
Enc exact(const std::vector<Px>& p) {
    Enc e{};
    const int64_t n = int64_t(p.size());
    int64_t sumB = 0, sumR = 0, sumY = 0;
    for (size_t k = 0; k < p.size(); ++k) {
        const int64_t ys = 19595 * p[k].a + 38470 * p[k].b + 7471 * p[k].c;
        e.y[k] = int(ys / 65536);
        sumB += p[k].c;
        sumR += p[k].a;
        sumY += ys;
    }
    const int64_t db = fdiv(sumB * 65536 - sumY + 32768 * n - 1, 65536);
    const int64_t dr = fdiv(sumR * 65536 - sumY + 32768 * n - 1, 65536);
    e.u = int(fdiv(db * 32244, 65536 * n) + 128);
    e.v = clip(fdiv(dr * 57475, 65536 * n) + 128);
    return e;
}
Enc exactPair(Px p, Px q) { return exact({p, q}); }
Px fwdExact(Px p) {
    const Enc e = exact({p});
    return {e.y[0], e.u, e.v};
}
Px fwdGroup(Px p) {
    const int64_t y = fdiv(19595 * p.a, 256) + fdiv(38469 * p.b, 256) + fdiv(7471 * p.c, 256);
    const int64_t u = fdiv(-4816 * p.a, 512) + fdiv(-9469 * p.b, 512) + fdiv(14286 * p.c, 512);
    const int64_t v = fdiv(20152 * p.a, 512) + fdiv(-16875 * p.b, 512) + fdiv(-3276 * p.c, 512);
    return {y / 256, clip(fdiv(u, 64) + 128), clip(fdiv(v, 64) + 128)};
}
Px fwdPlanarTail(Px p) {
    return {(19595 * p.a + 38469 * p.b + 7471 * p.c) / 65536,
            fdiv(-4816 * p.a - 9469 * p.b + 14286 * p.c, 32768) + 128,
            clip(fdiv(20152 * p.a - 16875 * p.b - 3276 * p.c, 32768) + 128)};
}
int64_t twiceLuma(Px p) {
    return fdiv(4 * p.a * 9798, 65536) + fdiv(4 * p.c * 3736, 65536) + fdiv(4 * p.b * 19235, 65536);
}
Px fwdFourPlane(Px p) {
    const int64_t s = twiceLuma(p);
    return {clip(s / 2), clip(fdiv((2 * p.c - s) * 16121, 65536) + 128),
            clip(fdiv((2 * p.a - s) * 28737, 65536) + 128)};
}
Px lone15(Px p, bool rounded) {
    const int64_t ys = 9798 * p.a + 19235 * p.b + 3736 * p.c;
    const int64_t db = fdiv(p.c * 32768 - ys + (rounded ? 16383 : 0), 32768);
    const int64_t dr = fdiv(p.a * 32768 - ys + (rounded ? 32767 : 0), 32768);
    return {ys / 32768, fdiv(db * 16121, 32768) + 128, clip(fdiv(dr * 28737, 32768) + 128)};
}
Enc pairGroup(Px p, Px q) {
    const auto s = [](Px x) {
        return fdiv(9798 * x.a + 19235 * x.b, 16384) + fdiv(3736 * x.c, 16384);
    };
    const int64_t s0 = s(p), s1 = s(q), t = (s0 + s1) / 2;
    return {{int(s0 / 2), int(s1 / 2)},
            clip(fdiv((p.c + q.c - t) * 16121, 65536) + 128),
            clip(fdiv((p.a + q.a - t) * 28737, 65536) + 128)};
}
Enc blockGroup(const std::vector<Px>& p) {
    Enc e{};
    int64_t sumS = 0, sum4B = 0, sum4R = 0;
    for (int k = 0; k < 4; ++k) {
        const int64_t s = twiceLuma(p[k]);
        e.y[k] = clip(s / 2);
        sumS += s;
        sum4B += 4 * p[k].c;
        sum4R += 4 * p[k].a;
    }
    e.u = clip(fdiv((sum4B / 8 - sumS / 4) * 16121, 65536) + 128);
    e.v = clip(fdiv((sum4R / 8 - sumS / 4) * 28737, 65536) + 128);
    return e;
}
Px inverse(Px s, int64_t rv, int64_t gu, int64_t gv, int64_t bu) {
    const int64_t y = 65536 * s.a, u = s.b - 128, v = s.c - 128;
    return {clip(fdiv(y + rv * v, 65536)), clip(fdiv(y + gu * u + gv * v, 65536)),
            clip(fdiv(y + bu * u, 65536))};
}
Px invExact(Px s) { return inverse(s, 74711, -25821, -38076, 133169); }
Px invPlanar(Px s) { return inverse(s, 74710, -25820, -38075, 133168); }
Px invGroup(Px s) {
    const int64_t u = s.b - 128, v = s.c - 128;
    return {clip(s.a + fdiv(v * 9339, 8192)),
            clip(s.a + fdiv(u * -3228, 8192) + fdiv(v * -4760, 8192)),
            clip(s.a + fdiv(u * 16646, 8192))};
}
Px invGroup2(Px s) {
    const int64_t u = s.b - 128, v = s.c - 128;
    return {clip(fdiv(2 * s.a + fdiv(v * 9338, 4096), 2)),
            clip(fdiv(2 * s.a + fdiv(u * -3227, 4096) + fdiv(v * -4759, 4096), 2)),
            clip(fdiv(2 * s.a + fdiv(u * 16645, 4096), 2))};
}

// ---- images -------------------------------------------------------------------------

// Layouts: C3/C4 channels in name order (A of C4 left alone), BGR/BGRA reversed,
// RGBA0 an RGBA destination with A written 0, P3/P4 full planes, C2 Y0 U Y1 V,
// P422/P420 Y plane plus subsampled U and V, and the 16-bit words.
enum class L { C3, C4, BGR, BGRA, RGBA0, P3, P4, C2, P422, P420, RGB565, BGR565, BGR555 };

struct Shape {
    int w, h, ch;
};
std::vector<Shape> shapes(L l, int w, int h) {
    const Shape full{w, h, 1};
    switch (l) {
        case L::C3:
        case L::BGR:
            return {{w, h, 3}};
        case L::C4:
        case L::BGRA:
        case L::RGBA0:
            return {{w, h, 4}};
        case L::P3:
            return {full, full, full};
        case L::P4:
            return {full, full, full, full};
        case L::C2:
            return {{w, h, 2}};
        case L::P422:
            return {full, {(w + 1) / 2, h, 1}, {(w + 1) / 2, h, 1}};
        case L::P420:
            return {full, {w / 2, h / 2, 1}, {w / 2, h / 2, 1}};
        default:
            return {};  // 16-bit words
    }
}
bool planar(L l) { return l == L::P3 || l == L::P4 || l == L::P422 || l == L::P420; }

// stepMode 0 dense, 1 padded, 2 negative.
int stepFor(int rowBytes, int stepMode) {
    return stepMode == 0 ? 0 : (stepMode == 1 ? rowBytes + 6 : -(rowBytes + 6));
}

struct Grid {
    int w, h, ch;
    std::vector<int> v;
    int& at(int x, int y, int c = 0) { return v[(size_t(y) * w + x) * ch + c]; }
};

// Source and destination images of one call; tests may null any pointer
// and reset() puts them back.
struct Frame {
    std::vector<std::unique_ptr<Plane>> src, dst;
    std::unique_ptr<GuardedImage<Qrx16u>> words;
    const Qrx8u* srcPlanes[4] = {};
    Qrx8u* dstPlanes[4] = {};
    int sSteps[4] = {}, dSteps[4] = {};
    // What the calls pass.
    const Qrx8u* s;
    const Qrx16u* s16;
    const Qrx8u* const* sP;
    Qrx8u* d;
    Qrx8u* const* dP;
    int sStep, dStep;

    Frame(L sl, L dl, int w, int h, int stepMode, uint32_t seed) {
        const auto add = [&](auto& planes, L l) {
            for (Shape s : shapes(l, w, h)) {
                planes.push_back(
                    std::make_unique<Plane>(s.w, s.h, s.ch, stepFor(s.w * s.ch, stepMode)));
                planes.back()->randomize(seed++);
            }
        };
        add(src, sl);
        add(dst, dl);
        if (src.empty()) {
            words = std::make_unique<GuardedImage<Qrx16u>>(w, h, 1, stepFor(2 * w, stepMode));
            words->randomize(seed, 0, 65535);
        }
        reset();
    }
    void reset() {
        for (size_t k = 0; k < src.size(); ++k)
            srcPlanes[k] = src[k]->ptr(), sSteps[k] = src[k]->step();
        for (size_t k = 0; k < dst.size(); ++k)
            dstPlanes[k] = dst[k]->ptr(), dSteps[k] = dst[k]->step();
        if (words) sSteps[0] = words->step();
        s = srcPlanes[0], s16 = words ? words->ptr() : nullptr, sP = srcPlanes, sStep = sSteps[0];
        d = dstPlanes[0], dP = dstPlanes, dStep = dSteps[0];
    }

    std::vector<Grid> dstGrids() const {
        std::vector<Grid> g;
        for (const auto& p : dst) {
            g.push_back({p->width(), p->height(), p->channels(), {}});
            for (int y = 0; y < p->height(); ++y)
                g.back().v.insert(g.back().v.end(), p->row(y),
                                  p->row(y) + g.back().w * g.back().ch);
        }
        return g;
    }
    std::vector<std::vector<unsigned char>> snapshots() const {
        std::vector<std::vector<unsigned char>> s;
        for (const auto& p : dst) s.push_back(p->snapshot());
        return s;
    }
    bool unchangedSince(const std::vector<std::vector<unsigned char>>& s) const {
        for (size_t k = 0; k < dst.size(); ++k)
            if (!dst[k]->unchangedSince(s[k])) return false;
        return true;
    }
};

enum class Lone { None, YU, Rounded, Plain };

// Writes the expected destination of one call into copies of its planes.
struct Model {
    const Frame& f;
    L sl, dl;
    std::vector<Grid>& want;
    int w, h;
    bool longRow;  // a whole 4:2:2 image converted as one row

    Px read(int x, int y) const {
        const auto byte = [&](int k, int px, int py, int c) -> int64_t {
            return f.src[k]->at(px, py, c);
        };
        switch (sl) {
            case L::C3:
            case L::C4:
                return {byte(0, x, y, 0), byte(0, x, y, 1), byte(0, x, y, 2)};
            case L::BGRA:
                return {byte(0, x, y, 2), byte(0, x, y, 1), byte(0, x, y, 0)};
            case L::P3:
                return {byte(0, x, y, 0), byte(1, x, y, 0), byte(2, x, y, 0)};
            case L::P422:
                return {byte(0, x, y, 0), byte(1, x / 2, y, 0), byte(2, x / 2, y, 0)};
            case L::P420:
                return {byte(0, x, y, 0), byte(1, x / 2, y / 2, 0), byte(2, x / 2, y / 2, 0)};
            case L::C2: {
                const bool lone = x == w - 1 && w % 2 == 1;
                const int64_t v = !lone ? byte(0, x | 1, y, 1) : byte(0, w > 1 ? x - 1 : x, y, 1);
                return {byte(0, x, y, 0), byte(0, x & ~1, y, 1), v};
            }
            default: {
                const int64_t word = f.words->at(x, y), lo = (word & 31) << 3,
                              hi = (word >> 11) << 3;
                if (sl == L::RGB565) return {lo, ((word >> 5) & 63) << 2, hi};
                if (sl == L::BGR565) return {hi, ((word >> 5) & 63) << 2, lo};
                return {((word >> 10) & 31) << 3, ((word >> 5) & 31) << 3, lo};
            }
        }
    }
    void write(int x, int y, Px o) {
        const int v[3] = {int(o.a), int(o.b), int(o.c)};
        for (int c = 0; c < 3; ++c) {
            if (dl == L::P3 || dl == L::P4)
                want[c].at(x, y) = v[c];
            else
                want[0].at(x, y, dl == L::BGR ? 2 - c : c) = v[c];
        }
        if (dl == L::RGBA0) want[0].at(x, y, 3) = 0;
    }
    void writeY(int x, int y, int v) { want[0].at(x, y) = v; }
    void writeUV(int i, int j, int u, int v) {
        if (dl == L::C2) {
            want[0].at(2 * i, j, 1) = u;
            want[0].at(2 * i + 1, j, 1) = v;
        } else {
            want[1].at(i, j) = u;
            want[2].at(i, j) = v;
        }
    }
    // Whether pixel (x, y) lies in the leading groups: the row (or the whole
    // long row) rounded down to a multiple of `group` pixels.
    bool lead(int x, int y, int group) const {
        if (group == 0) return false;
        const int64_t index = longRow ? int64_t(y) * w + x : x;
        const int64_t total = longRow ? int64_t(w) * h : w;
        return index < (total & -group);
    }

    void pixels(Px (*leadFn)(Px), Px (*rest)(Px), int group, bool blocksOnly = false) {
        const int W = blocksOnly ? w & ~1 : w, H = blocksOnly ? h & ~1 : h;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                write(x, y, (lead(x, y, group) ? leadFn : rest)(read(x, y)));
    }
    void copyAlpha() {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) want[3].at(x, y) = f.src[0]->at(x, y, 3);
    }
    void pairs(Enc (*leadFn)(Px, Px), int group, Lone lone) {
        for (int y = 0; y < h; ++y) {
            for (int i = 0; i < w / 2; ++i) {
                const Enc e = (lead(2 * i, y, group) ? leadFn : exactPair)(read(2 * i, y),
                                                                           read(2 * i + 1, y));
                writeY(2 * i, y, e.y[0]);
                writeY(2 * i + 1, y, e.y[1]);
                writeUV(i, y, e.u, e.v);
            }
            const int x = w - 1;
            if (w % 2 == 0 || lone == Lone::None) continue;
            if (lone == Lone::YU) {
                const Px o = fwdExact(read(x, y));
                want[0].at(x, y, 0) = int(o.a);
                want[0].at(x, y, 1) = int(o.b);
            } else {
                const Px o = lone15(read(x, y), lone == Lone::Rounded);
                writeY(x, y, int(o.a));
                writeUV(x / 2, y, int(o.b), int(o.c));
            }
        }
    }
    void blocks(Enc (*leadFn)(const std::vector<Px>&), int group) {
        for (int j = 0; j < h / 2; ++j)
            for (int i = 0; i < w / 2; ++i) {
                const int x = 2 * i, y = 2 * j;
                const std::vector<Px> p = {read(x, y), read(x + 1, y), read(x, y + 1),
                                           read(x + 1, y + 1)};
                const Enc e = (lead(x, 0, group) ? leadFn : exact)(p);
                for (int k = 0; k < 4; ++k) writeY(x + k % 2, y + k / 2, e.y[k]);
                writeUV(i, j, e.u, e.v);
            }
    }
};

// ---- the operations ---------------------------------------------------------------------

enum class Warn { None, OddWidthOrHeight, OddWidth };
const Warn kOdd = Warn::OddWidthOrHeight;

struct Opts {
    Warn warn = Warn::None;
    int minSize = 1;
    int whole = 0;  // 420 or 422: a whole-image form with dense derived steps
    bool planesFirst = false;
};

using F = const Frame&;
using R = QrxRoiSize;

struct Op {
    const char* name;
    L src, dst;
    Opts opts;
    std::function<QrxStatus(F, R)> call;
    std::function<void(Model&)> expect;
};

const std::vector<Op>& ops() {
    // Where only a bound is set for the vector groups, the library gives the
    // exact formulas everywhere, and the model holds it to them.
    const Opts odd{.warn = kOdd};
    const Opts bgr16{.warn = kOdd, .minSize = 2, .planesFirst = true};
    // clang-format off
    static const std::vector<Op> table = {
        {"RGBToYUV_C3R", L::C3, L::C3, {},
         [](F f, R r) { return qrxiRGBToYUV_8u_C3R(f.s, f.sStep, f.d, f.dStep, r); },
         [](Model& m) { m.pixels(fwdGroup, fwdExact, 16); }},
        {"RGBToYUV_AC4R", L::C4, L::C4, {},
         [](F f, R r) { return qrxiRGBToYUV_8u_AC4R(f.s, f.sStep, f.d, f.dStep, r); },
         [](Model& m) { m.pixels(fwdExact, fwdExact, 0); }},
        {"RGBToYUV_C3P3R", L::C3, L::P3, {},
         [](F f, R r) { return qrxiRGBToYUV_8u_C3P3R(f.s, f.sStep, f.dP, f.dStep, r); },
         [](Model& m) { m.pixels(fwdGroup, fwdExact, 8); }},
        {"RGBToYUV_P3R", L::P3, L::P3, {},
         [](F f, R r) { return qrxiRGBToYUV_8u_P3R(f.sP, f.sStep, f.dP, f.dStep, r); },
         [](Model& m) { m.pixels(fwdGroup, fwdPlanarTail, 16); }},
        {"RGBToYUV_AC4P4R", L::C4, L::P4, {},
         [](F f, R r) { return qrxiRGBToYUV_8u_AC4P4R(f.s, f.sStep, f.dP, f.dStep, r); },
         [](Model& m) { m.pixels(fwdFourPlane, fwdExact, 8); m.copyAlpha(); }},
        {"YUVToRGB_C3R", L::C3, L::C3, {},
         [](F f, R r) { return qrxiYUVToRGB_8u_C3R(f.s, f.sStep, f.d, f.dStep, r); },
         [](Model& m) { m.pixels(invGroup, invExact, 8); }},
        {"YUVToRGB_AC4R", L::C4, L::C4, {},
         [](F f, R r) { return qrxiYUVToRGB_8u_AC4R(f.s, f.sStep, f.d, f.dStep, r); },
         [](Model& m) { m.pixels(invExact, invExact, 0); }},
        {"YUVToRGB_P3C3R", L::P3, L::C3, {},
         [](F f, R r) { return qrxiYUVToRGB_8u_P3C3R(f.sP, f.sStep, f.d, f.dStep, r); },
         [](Model& m) { m.pixels(invGroup2, invPlanar, 16); }},
        {"YUVToRGB_P3R", L::P3, L::P3, {},
         [](F f, R r) { return qrxiYUVToRGB_8u_P3R(f.sP, f.sStep, f.dP, f.dStep, r); },
         [](Model& m) { m.pixels(invPlanar, invPlanar, 0); }},
        {"RGBToYUV422_C3C2R", L::C3, L::C2, {},
         [](F f, R r) { return qrxiRGBToYUV422_8u_C3C2R(f.s, f.sStep, f.d, f.dStep, r); },
         [](Model& m) { m.pairs(pairGroup, 16, Lone::YU); }},
        {"RGBToYUV422_C3P3R", L::C3, L::P422, {},
         [](F f, R r) { return qrxiRGBToYUV422_8u_C3P3R(f.s, f.sStep, f.dP, f.dSteps, r); },
         [](Model& m) { m.pairs(pairGroup, 16, Lone::Rounded); }},
        {"RGBToYUV422_P3R", L::P3, L::P422, {},
         [](F f, R r) { return qrxiRGBToYUV422_8u_P3R(f.sP, f.sStep, f.dP, f.dSteps, r); },
         [](Model& m) { m.pairs(exactPair, 0, Lone::Plain); }},
        {"RGBToYUV422_C3P3", L::C3, L::P422, {.whole = 422},
         [](F f, R r) { return qrxiRGBToYUV422_8u_C3P3(f.s, f.dP, r); },
         [](Model& m) { m.pairs(pairGroup, 16, Lone::Rounded); }},
        {"RGBToYUV422_P3", L::P3, L::P422, {.whole = 422},
         [](F f, R r) { return qrxiRGBToYUV422_8u_P3(f.sP, f.dP, r); },
         [](Model& m) { m.pairs(exactPair, 0, Lone::Plain); }},
        {"RGB565ToYUV422_C3P3R", L::RGB565, L::P422, {.warn = Warn::OddWidth},
         [](F f, R r) { return qrxiRGB565ToYUV422_16u8u_C3P3R(f.s16, f.sStep, f.dP, f.dSteps, r); },
         [](Model& m) { m.pairs(exactPair, 0, Lone::None); }},
        {"YUV422ToRGB_C2C3R", L::C2, L::C3, {},
         [](F f, R r) { return qrxiYUV422ToRGB_8u_C2C3R(f.s, f.sStep, f.d, f.dStep, r); },
         [](Model& m) { m.pixels(invGroup2, invExact, 16); }},
        {"YUV422ToRGB_P3C3R", L::P422, L::C3, {},
         [](F f, R r) { return qrxiYUV422ToRGB_8u_P3C3R(f.sP, f.sSteps, f.d, f.dStep, r); },
         [](Model& m) { m.pixels(invGroup2, invExact, 16); }},
        {"YUV422ToRGB_P3AC4R", L::P422, L::RGBA0, {},
         [](F f, R r) { return qrxiYUV422ToRGB_8u_P3AC4R(f.sP, f.sSteps, f.d, f.dStep, r); },
         [](Model& m) { m.pixels(invExact, invExact, 0); }},
        {"YUV422ToRGB_P3R", L::P422, L::P3, {},
         [](F f, R r) { return qrxiYUV422ToRGB_8u_P3R(f.sP, f.sSteps, f.dP, f.dStep, r); },
         [](Model& m) { m.pixels(invGroup2, invExact, 16); }},
        {"YUV422ToRGB_P3C3", L::P422, L::C3, {.whole = 422},
         [](F f, R r) { return qrxiYUV422ToRGB_8u_P3C3(f.sP, f.d, r); },
         [](Model& m) { m.pixels(invGroup2, invExact, 16); }},
        {"YUV422ToRGB_P3", L::P422, L::P3, {.whole = 422},
         [](F f, R r) { return qrxiYUV422ToRGB_8u_P3(f.sP, f.dP, r); },
         [](Model& m) { m.pixels(invGroup2, invExact, 16); }},
        {"RGBToYUV420_C3P3R", L::C3, L::P420, odd,
         [](F f, R r) { return qrxiRGBToYUV420_8u_C3P3R(f.s, f.sStep, f.dP, f.dSteps, r); },
         [](Model& m) { m.blocks(exact, 0); }},
        {"RGBToYUV420_P3R", L::P3, L::P420, odd,
         [](F f, R r) { return qrxiRGBToYUV420_8u_P3R(f.sP, f.sStep, f.dP, f.dSteps, r); },
         [](Model& m) { m.blocks(exact, 0); }},
        {"RGBToYUV420_C3P3", L::C3, L::P420, {.warn = kOdd, .whole = 420},
         [](F f, R r) { return qrxiRGBToYUV420_8u_C3P3(f.s, f.dP, r); },
         [](Model& m) { m.blocks(exact, 0); }},
        {"RGBToYUV420_P3", L::P3, L::P420, {.warn = kOdd, .whole = 420},
         [](F f, R r) { return qrxiRGBToYUV420_8u_P3(f.sP, f.dP, r); },
         [](Model& m) { m.blocks(exact, 0); }},
        {"BGRToYUV420_AC4P3R", L::BGRA, L::P420, odd,
         [](F f, R r) { return qrxiBGRToYUV420_8u_AC4P3R(f.s, f.sStep, f.dP, f.dSteps, r); },
         [](Model& m) { m.blocks(blockGroup, 16); }},
        {"RGB565ToYUV420_C3P3R", L::RGB565, L::P420, odd,
         [](F f, R r) { return qrxiRGB565ToYUV420_16u8u_C3P3R(f.s16, f.sStep, f.dP, f.dSteps, r); },
         [](Model& m) { m.blocks(exact, 0); }},
        {"BGR565ToYUV420_C3P3R", L::BGR565, L::P420, bgr16,
         [](F f, R r) { return qrxiBGR565ToYUV420_16u8u_C3P3R(f.s16, f.sStep, f.dP, f.dSteps, r); },
         [](Model& m) { m.blocks(exact, 0); }},
        {"BGR555ToYUV420_C3P3R", L::BGR555, L::P420, bgr16,
         [](F f, R r) { return qrxiBGR555ToYUV420_16u8u_C3P3R(f.s16, f.sStep, f.dP, f.dSteps, r); },
         [](Model& m) { m.blocks(exact, 0); }},
        {"YUV420ToRGB_P3C3R", L::P420, L::C3, odd,
         [](F f, R r) { return qrxiYUV420ToRGB_8u_P3C3R(f.sP, f.sSteps, f.d, f.dStep, r); },
         [](Model& m) { m.pixels(invGroup2, invExact, 16, true); }},
        {"YUV420ToRGB_P3AC4R", L::P420, L::RGBA0, odd,
         [](F f, R r) { return qrxiYUV420ToRGB_8u_P3AC4R(f.sP, f.sSteps, f.d, f.dStep, r); },
         [](Model& m) { m.pixels(invExact, invExact, 0, true); }},
        {"YUV420ToRGB_P3R", L::P420, L::P3, odd,
         [](F f, R r) { return qrxiYUV420ToRGB_8u_P3R(f.sP, f.sSteps, f.dP, f.dStep, r); },
         [](Model& m) { m.pixels(invExact, invExact, 0, true); }},
        {"YUV420ToRGB_P3C3", L::P420, L::C3, {.warn = kOdd, .whole = 420},
         [](F f, R r) { return qrxiYUV420ToRGB_8u_P3C3(f.sP, f.d, r); },
         [](Model& m) { m.pixels(invGroup2, invExact, 16, true); }},
        {"YUV420ToRGB_P3", L::P420, L::P3, {.warn = kOdd, .whole = 420},
         [](F f, R r) { return qrxiYUV420ToRGB_8u_P3(f.sP, f.dP, r); },
         [](Model& m) { m.pixels(invExact, invExact, 0, true); }},
        {"YUV420ToBGR_P3C3R", L::P420, L::BGR, {.warn = kOdd, .minSize = 2},
         [](F f, R r) { return qrxiYUV420ToBGR_8u_P3C3R(f.sP, f.sSteps, f.d, f.dStep, r); },
         [](Model& m) { m.pixels(invExact, invExact, 0, true); }},
    };
    // clang-format on
    return table;
}

QrxStatus expectedStatus(const Op& op, int w, int h) {
    const bool remainder =
        op.opts.warn == Warn::OddWidth ? w % 2 : (op.opts.warn == kOdd && (w % 2 || h % 2));
    return remainder ? qrxWarnSizeNotMultiple : qrxOk;
}

class YuvOps : public ::testing::TestWithParam<size_t> {
protected:
    const Op& op() const { return ops()[GetParam()]; }
};

// Every operation against the model: all column splits, odd sizes, padded and
// negative steps, the long single row of whole 4:2:2 images.
TEST_P(YuvOps, MatchesModelOnRandomImages) {
    const Op& op = this->op();
    std::vector<R> sizes;
    for (int w : {1, 2, 3, 7, 8, 9, 14, 15, 16, 17, 20, 31, 32, 33})
        for (int h : {1, 2, 3, 5, 13, 16, 18}) sizes.push_back({w, h});
    if (op.opts.whole == 422) {
        // One long row from exactly 256 pixels, of several pieces when large.
        sizes.insert(sizes.end(), {{2, 128}, {8, 32}, {10, 25}, {6, 42}, {258, 255}});
    }
    uint32_t seed = 1;
    for (const R size : sizes) {
        const int w = size.width, h = size.height;
        if (w < op.opts.minSize || h < op.opts.minSize) continue;
        // Step modes 3 and 4: padded and negative, with a 16-bit source step
        // one byte more than the rows' whole-word step.
        for (int stepMode = 0; stepMode < (op.opts.whole ? 1 : 5); ++stepMode) {
            const bool oddWords = stepMode >= 3;
            if (oddWords && !shapes(op.src, 1, 1).empty()) continue;
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + " step mode " +
                         std::to_string(stepMode));
            Frame f(op.src, op.dst, w, h, oddWords ? stepMode - 2 : stepMode, seed += 16);
            if (oddWords) f.sStep += 1;
            std::vector<Grid> want = f.dstGrids();
            const bool longRow = op.opts.whole == 422 && w * h >= 256 && w % 2 == 0;
            Model m{f, op.src, op.dst, want, w, h, longRow};
            op.expect(m);
            ASSERT_EQ(op.call(f, {w, h}), expectedStatus(op, w, h));
            const std::vector<Grid> got = f.dstGrids();
            for (size_t k = 0; k < got.size(); ++k) {
                size_t bad = 0, first = 0;
                for (size_t i = 0; i < got[k].v.size(); ++i)
                    if (got[k].v[i] != want[k].v[i] && bad++ == 0) first = i;
                ASSERT_EQ(bad, 0u) << "plane " << k << ": first at element " << first << " (got "
                                   << got[k].v[first] << ", want " << want[k].v[first] << ")";
                ASSERT_TRUE(f.dst[k]->untouchedOutside()) << "plane " << k;
            }
        }
    }
}

// Nulls first, then the size, then the plane pointers (the BGR 565/555
// encoders: planes before the size); nothing is written on any error.
TEST_P(YuvOps, ChecksInOrderAndWritesNothingOnError) {
    const Op& op = this->op();
    Frame f(op.src, op.dst, 4, 4, 0, 7);
    const auto before = f.snapshots();
    const auto fails = [&](R roi, QrxStatus status) {
        EXPECT_EQ(op.call(f, roi), status) << roi.width << "x" << roi.height;
        EXPECT_TRUE(f.unchangedSince(before));
    };
    f.s = nullptr, f.s16 = nullptr, f.sP = nullptr;
    fails({0, 4}, qrxErrNullPtr);
    f.reset();
    f.d = nullptr, f.dP = nullptr;
    fails({0, 0}, qrxErrNullPtr);
    f.reset();
    fails({op.opts.minSize - 1, 4}, qrxErrSize);
    fails({4, op.opts.minSize - 1}, qrxErrSize);
    fails({-4, 4}, qrxErrSize);
    const auto nullEachPlane = [&](size_t count, auto* planes) {
        for (size_t k = 0; k < count; ++k) {
            planes[k] = nullptr;
            fails({4, 0}, op.opts.planesFirst ? qrxErrNullPtr : qrxErrSize);
            fails({4, 4}, qrxErrNullPtr);
            f.reset();
        }
    };
    if (planar(op.src)) nullEachPlane(f.src.size(), f.srcPlanes);
    if (planar(op.dst)) nullEachPlane(f.dst.size(), f.dstPlanes);
}

INSTANTIATE_TEST_SUITE_P(Yuv, YuvOps, ::testing::Range<size_t>(0, ops().size()),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                             return std::string(ops()[info.param].name);
                         });

// ---- every pair and block sum ------------------------------------------------------------
//
// Where chroma follows the exact pair or block formula it depends only on the
// sums of R, G and B, and a rounding term off by one shows only where a sum
// meets a multiple of 2^16 exactly. Every (sum of R, sum of B) is converted,
// with the sum of G at spread levels (all levels for 16-bit sources), in rows
// of 14 pixels (no vector group) and, where the vector groups give the exact
// formula too, in rows of 256. Under the sanitizers every 7th sum of R.

void setPixel(Frame& f, L l, int x, int y, Px p) {
    const int r = int(p.a), g = int(p.b), b = int(p.c);
    switch (l) {
        case L::C3: {
            Qrx8u* q = &f.src[0]->at(x, y);
            q[0] = Qrx8u(r), q[1] = Qrx8u(g), q[2] = Qrx8u(b);
            return;
        }
        case L::BGRA: {
            Qrx8u* q = &f.src[0]->at(x, y);
            q[0] = Qrx8u(b), q[1] = Qrx8u(g), q[2] = Qrx8u(r), q[3] = Qrx8u(x * 7 + y);
            return;
        }
        case L::P3:
            f.src[0]->at(x, y) = Qrx8u(r), f.src[1]->at(x, y) = Qrx8u(g), f.src[2]->at(x, y) = Qrx8u(b);
            return;
        case L::RGB565:
            f.words->at(x, y) = Qrx16u((b >> 3) << 11 | (g >> 2) << 5 | r >> 3);
            return;
        case L::BGR565:
            f.words->at(x, y) = Qrx16u((r >> 3) << 11 | (g >> 2) << 5 | b >> 3);
            return;
        default:  // BGR555, with the unused top bit set
            f.words->at(x, y) = Qrx16u(0x8000 | (r >> 3) << 10 | (g >> 3) << 5 | b >> 3);
            return;
    }
}

class YuvSums : public ::testing::TestWithParam<std::string> {};

TEST_P(YuvSums, EveryPairOrBlockSumGivesTheExactChroma) {
    const Op& op = *std::find_if(ops().begin(), ops().end(),
                                 [&](const Op& o) { return o.name == GetParam(); });
    const int n = op.dst == L::P420 ? 4 : 2, gh = n / 2;
    const bool words = shapes(op.src, 1, 1).empty();
    const int unitRB = words ? 8 : 1, unitG = op.src == L::BGR555 ? 8 : words ? 4 : 1;
    const int topRB = words ? 248 : 255, topG = op.src == L::BGR555 ? 248 : words ? 252 : 255;
    const int levelsRB = n * topRB / unitRB + 1, levelsG = n * topG / unitG + 1;
    const int gCount = words ? levelsG : (n == 2 ? 8 : 4);
    const int stride = qrxtest::kUnderSanitizer ? 7 : 1;
    const int combos = (levelsRB + stride - 1) / stride * levelsRB;
    // The pair-set 4:2:2 encoders and the BGRA 4:2:0 encoder have vector
    // formulas of their own in the groups.
    const bool exactGroups = op.name != std::string("RGBToYUV422_C3C2R") &&
                             op.name != std::string("RGBToYUV422_C3P3R") &&
                             op.name != std::string("BGRToYUV420_AC4P3R");
    for (int w : {14, 256}) {
        if (w == 256 && !exactGroups) continue;
        const int blocksPerRow = w / 2, h = (combos + blocksPerRow - 1) / blocksPerRow * gh;
        auto sums = [&](int block) {
            const int i = std::min(block, combos - 1);
            return std::pair{int64_t(i / levelsRB * stride * unitRB), int64_t(i % levelsRB * unitRB)};
        };
        for (int gi = 0; gi < gCount; ++gi) {
            const int64_t sg = std::min<int64_t>(
                int64_t(gi) * (levelsG - 1) / (gCount - 1) * unitG + (words ? 0 : gi % 3), n * topG);
            SCOPED_TRACE(std::string(op.name) + " width " + std::to_string(w) + ", sum of G " +
                         std::to_string(sg));
            Frame f(op.src, op.dst, w, h, 0, 5);
            for (int y = 0; y < h; y += gh)
                for (int i = 0; i < blocksPerRow; ++i) {
                    const auto [sr, sb] = sums(y / gh * blocksPerRow + i);
                    for (int k = 0; k < n; ++k) {
                        const auto part = [&](int64_t s, int top) {
                            return std::clamp<int64_t>(s - k * top, 0, top);
                        };
                        setPixel(f, op.src, 2 * i + k % 2, y + k / 2,
                                 {part(sr, topRB), part(sg, topG), part(sb, topRB)});
                    }
                }
            ASSERT_EQ(op.call(f, {w, h}), qrxOk);
            for (int y = 0; y < h; y += gh)
                for (int i = 0; i < blocksPerRow; ++i) {
                    const auto [sr, sb] = sums(y / gh * blocksPerRow + i);
                    const int64_t sumY = 19595 * sr + 38470 * sg + 7471 * sb;
                    const int64_t db = fdiv(sb * 65536 - sumY + 32768 * n - 1, 65536);
                    const int64_t dr = fdiv(sr * 65536 - sumY + 32768 * n - 1, 65536);
                    const int u = int(fdiv(db * 32244, 65536 * n) + 128);
                    const int v = clip(fdiv(dr * 57475, 65536 * n) + 128);
                    const int gotU = op.dst == L::C2 ? f.dst[0]->at(2 * i, y, 1) : f.dst[1]->at(i, y / gh);
                    const int gotV = op.dst == L::C2 ? f.dst[0]->at(2 * i + 1, y, 1) : f.dst[2]->at(i, y / gh);
                    if (gotU != u || gotV != v)
                        FAIL() << "sums R " << sr << " G " << sg << " B " << sb << ": U, V " << gotU
                               << ", " << gotV << ", want " << u << ", " << v;
                }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Encoders, YuvSums,
                         ::testing::Values("RGBToYUV422_C3C2R", "RGBToYUV422_C3P3R",
                                           "RGBToYUV422_P3R", "RGB565ToYUV422_C3P3R",
                                           "RGBToYUV420_C3P3R", "RGBToYUV420_P3R",
                                           "BGRToYUV420_AC4P3R", "RGB565ToYUV420_C3P3R",
                                           "BGR565ToYUV420_C3P3R", "BGR555ToYUV420_C3P3R"));

// ---- literal values -----------------------------------------------------------------------

std::vector<int> row(const Plane& p, int y) {
    return std::vector<int>(p.row(y), p.row(y) + p.width() * p.channels());
}

TEST(YuvLiterals, WhiteEncodesOneApartInTheLeadingGroups) {
    for (int w : {16, 15}) {
        Plane src(w, 1, 3), dst(w, 1, 3);
        src.fill(255);
        ASSERT_EQ(qrxiRGBToYUV_8u_C3R(src.ptr(), src.step(), dst.ptr(), dst.step(), {w, 1}), qrxOk);
        const int want = w == 16 ? 1 : 0;
        for (int x = 0; x < w; ++x) {
            EXPECT_EQ(dst.at(x, 0, 0), 255 - want) << x;
            EXPECT_EQ(dst.at(x, 0, 1), 128 - want) << x;
            EXPECT_EQ(dst.at(x, 0, 2), 128 - want) << x;
        }
    }
}

TEST(YuvLiterals, ExactEncoderAndPlanarDecoderWeights) {
    Plane rgba(2, 1, 4), yuva(2, 1, 4);
    const Qrx8u px[8] = {255, 0, 0, 9, 0, 0, 255, 9};
    std::copy(px, px + 8, rgba.row(0));
    yuva.fill(77);
    ASSERT_EQ(qrxiRGBToYUV_8u_AC4R(rgba.ptr(), rgba.step(), yuva.ptr(), yuva.step(), {2, 1}),
              qrxOk);
    EXPECT_EQ(row(yuva, 0), (std::vector<int>{76, 90, 255, 77, 29, 239, 102, 77}));

    // One pixel: the interleaved decoder uses the exact weights, the planar one its own.
    Plane yuv(1, 1, 3), y(1, 1), u(1, 1), v(1, 1), rgb(1, 1, 3), r(1, 1), g(1, 1), b(1, 1);
    yuv.at(0, 0, 0) = y.at(0, 0) = 0;
    yuv.at(0, 0, 1) = u.at(0, 0) = 240;
    yuv.at(0, 0, 2) = v.at(0, 0) = 40;
    const Qrx8u* planes[3] = {y.ptr(), u.ptr(), v.ptr()};
    Qrx8u* out[3] = {r.ptr(), g.ptr(), b.ptr()};
    ASSERT_EQ(qrxiYUVToRGB_8u_C3R(yuv.ptr(), 3, rgb.ptr(), 3, {1, 1}), qrxOk);
    ASSERT_EQ(qrxiYUVToRGB_8u_P3R(planes, 1, out, 1, {1, 1}), qrxOk);
    EXPECT_EQ(row(rgb, 0), (std::vector<int>{0, 6, 227}));
    EXPECT_EQ((std::vector<int>{r.at(0, 0), g.at(0, 0), b.at(0, 0)}),
              (std::vector<int>{0, 7, 227}));
}

TEST(YuvLiterals, OddWidthInterleaved422) {
    Plane red(7, 2, 3), yuyv(8, 2, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 7; ++x) red.at(x, y, 0) = 255;
    yuyv.fill(0xEE);
    ASSERT_EQ(qrxiRGBToYUV422_8u_C3C2R(red.ptr(), red.step(), yuyv.ptr(), yuyv.step(), {7, 2}),
              qrxOk);
    const std::vector<int> want = {76, 90, 76, 255, 76, 90, 76,   255,
                                   76, 90, 76, 255, 76, 90, 0xEE, 0xEE};
    EXPECT_EQ(row(yuyv, 0), want);
    EXPECT_EQ(row(yuyv, 1), want);

    // A one-pixel row decodes with its U as both colour differences.
    Plane one(1, 1, 2), rgb(1, 1, 3);
    one.at(0, 0, 0) = 100;
    one.at(0, 0, 1) = 200;
    ASSERT_EQ(qrxiYUV422ToRGB_8u_C2C3R(one.ptr(), 2, rgb.ptr(), 3, {1, 1}), qrxOk);
    EXPECT_EQ(row(rgb, 0), (std::vector<int>{182, 29, 246}));
}

TEST(YuvLiterals, OddSizes420ConvertWholeBlocksOnly) {
    Plane rgb(3, 3, 3), y(3, 3), u(1, 1), v(1, 1);
    rgb.fill(255);
    for (Plane* p : {&y, &u, &v}) p->fill(9);
    Qrx8u* planes[3] = {y.ptr(), u.ptr(), v.ptr()};
    const int steps[3] = {y.step(), u.step(), v.step()};
    ASSERT_EQ(qrxiRGBToYUV420_8u_C3P3R(rgb.ptr(), rgb.step(), planes, steps, {3, 3}), 35);
    EXPECT_EQ(row(y, 0), (std::vector<int>{255, 255, 9}));
    EXPECT_EQ(row(y, 1), (std::vector<int>{255, 255, 9}));
    EXPECT_EQ(row(y, 2), (std::vector<int>{9, 9, 9}));
    EXPECT_EQ(u.at(0, 0), 128);
    EXPECT_EQ(v.at(0, 0), 128);

    // A 1x1 region holds no block: nothing written, or too small for the BGR decoder.
    const Qrx8u* src[3] = {y.ptr(), u.ptr(), v.ptr()};
    Plane out(1, 1, 3);
    const auto before = out.snapshot();
    EXPECT_EQ(qrxiYUV420ToRGB_8u_P3C3R(src, steps, out.ptr(), 3, {1, 1}), 35);
    EXPECT_EQ(qrxiYUV420ToBGR_8u_P3C3R(src, steps, out.ptr(), 3, {1, 1}), qrxErrSize);
    EXPECT_TRUE(out.unchangedSince(before));
}

TEST(YuvLiterals, StepZeroRepeatsTheFirstSourceRow) {
    Plane src(4, 1, 3), dst(4, 2, 3);
    src.randomize(5);
    ASSERT_EQ(qrxiRGBToYUV_8u_C3R(src.ptr(), 0, dst.ptr(), dst.step(), {4, 2}), qrxOk);
    EXPECT_EQ(row(dst, 0), row(dst, 1));
}

}  // namespace
