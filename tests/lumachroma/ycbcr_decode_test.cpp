// Subsampled YCbCr decoders: literal values, a per-pixel reference model on
// random images, check order, and what odd sizes leave alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "guarded_image.h"
#include "targets.h"
#include "qrxcc.h"

namespace {

using Image = qrxtest::GuardedImage<Qrx8u>;

// ---- reference model, one pixel at a time ----------------------------------

struct Ycc {
    int y, cb, cr;
};
struct Px {
    int r, g, b;
    bool operator==(const Px&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Px& p) {
    return os << '(' << p.r << ',' << p.g << ',' << p.b << ')';
}

enum Set { S1, S2, S3, S4, S5, V1, V2 };

int clamp8(int v) { return std::clamp(v, 0, 255); }
int floorDiv65536(int64_t v) { return static_cast<int>(v >> 16); }  // arithmetic: floor

Px decode(Set set, Ycc p) {
    if (set == S2)  // defined on the raw samples
        return {clamp8(floorDiv65536(76284LL * p.y + 104595LL * p.cr - 14608761)),
                clamp8(floorDiv65536(76284LL * p.y - 25690LL * p.cb - 53281LL * p.cr + 8887730)),
                clamp8(floorDiv65536(76284LL * p.y + 132186LL * p.cb - 18140365))};
    const int y = p.y - 16, u = p.cb - 128, v = p.cr - 128;
    if (set == V1 || set == V2) {  // 16-bit lanes, saturating sums
        auto hi = [](int lane, int k) { return floorDiv65536(int64_t(lane) * k); };
        auto add = [](int a, int b) { return std::clamp(a + b, -32768, 32767); };
        const int luma = hi(y * 128, set == V1 ? 9535 : 9536), t = set == V1 ? 8 : 0;
        const int g = add(add(luma, hi(u * 128, set == V1 ? -3211 : -3203)), hi(v * 128, -6660));
        return {clamp8(add(add(luma, hi(v * 128, 13074)), t) >> 4), clamp8(add(g, t) >> 4),
                clamp8(add(add(luma, hi(u * 128, 16523)), t) >> 4)};
    }
    static const int64_t k[5][6] = {{76282, 104593, 25689, 53279, 132184, 0},
                                    {},
                                    {76284, 104595, 25690, 53281, 132186, 32768},
                                    {76294, 104595, 25625, 53281, 132186, 0},
                                    {76309, 104597, 25675, 53279, 132201, 0}};
    const int64_t* c = k[set];
    return {clamp8(floorDiv65536(c[0] * y + c[1] * v + c[5])),
            clamp8(floorDiv65536(c[0] * y - c[2] * u - c[3] * v + c[5])),
            clamp8(floorDiv65536(c[0] * y + c[4] * u + c[5]))};
}

// Columns [0, n) of a row of width w take the vector arithmetic.
int noGroups(int) { return 0; }
int groups8(int w) { return 8 * (w / 8); }
int groups8Then4(int w) { return w - groups8(w) >= 4 ? groups8(w) + 4 : groups8(w); }
int groups8Then4Then3(int w) { return w - groups8Then4(w) == 3 ? w : groups8Then4(w); }

// ---- images: every plane sized to its own samples ---------------------------

enum class In { C2, P422, P420, P411 };
enum class Out { RGB, BGR, RGBA, BGRA, Planes };

struct Images {
    std::unique_ptr<Image> p[3];
    int n = 0;
    void add(int w, int h, int channels, int variant) {
        const int row = w * channels;  // variant 0 dense, 1 padded, 2 negative
        const int step = (row == 0 || h == 0 || variant == 0) ? 0
                         : variant == 1                       ? row + 7
                                                              : -(row + 3);
        p[n++] = std::make_unique<Image>(w, h, channels, step);
    }
};

Images sources(In in, int w, int h, int variant) {
    Images s;
    if (in == In::C2) {
        s.add(2 * w, h, 1, variant);
        return s;
    }
    const int cw = in == In::P411 ? (w + 3) / 4 : in == In::P420 ? w / 2 : (w + 1) / 2;
    const int ch = in == In::P420 ? h / 2 : h;
    s.add(w, h, 1, variant);
    s.add(cw, ch, 1, variant);
    s.add(cw, ch, 1, (variant + 1) % 3);
    return s;
}

int channelsOf(Out o) { return o == Out::Planes ? 1 : (o == Out::RGBA || o == Out::BGRA ? 4 : 3); }

Images destination(Out o, int w, int h, int variant) {
    Images d;
    for (int i = 0; i < (o == Out::Planes ? 3 : 1); ++i) d.add(w, h, channelsOf(o), variant);
    return d;
}

Px pixel(const Images& d, Out o, int x, int y) {
    if (o == Out::Planes) return {d.p[0]->at(x, y), d.p[1]->at(x, y), d.p[2]->at(x, y)};
    const Qrx8u* q = &d.p[0]->at(x, y);
    return o == Out::RGB || o == Out::RGBA ? Px{q[0], q[1], q[2]} : Px{q[2], q[1], q[0]};
}

// Raw call arguments, so that tests can null any of them.
struct Args {
    const Qrx8u* src = nullptr;
    int srcStep = 0;
    // One slot more than any member reads, left null: reading past the
    // caller's planes shows as a null plane.
    const Qrx8u* srcPlanes[4] = {};
    int srcSteps[3] = {};
    Qrx8u* dst = nullptr;
    int dstStep = 0;
    Qrx8u* dstPlanes[4] = {};
    QrxRoiSize roi{};
    int alpha = 0x1FF;
    bool nullSrc = false, nullDst = false;
    const Qrx8u* s() const { return nullSrc ? nullptr : src; }
    const Qrx8u* const* sp() const { return nullSrc ? nullptr : srcPlanes; }
    Qrx8u* d() const { return nullDst ? nullptr : dst; }
    Qrx8u* const* dp() const { return nullDst ? nullptr : dstPlanes; }
};

Args bind(Images& s, Images& d, QrxRoiSize roi) {
    Args a;
    a.roi = roi;
    a.src = s.p[0]->ptr();
    a.srcStep = s.p[0]->step();
    for (int i = 0; i < s.n; ++i) a.srcPlanes[i] = s.p[i]->ptr(), a.srcSteps[i] = s.p[i]->step();
    a.dst = d.p[0]->ptr();
    a.dstStep = d.p[0]->step();
    for (int i = 0; i < d.n; ++i) a.dstPlanes[i] = d.p[i]->ptr();
    return a;
}

// ---- the operations ---------------------------------------------------------

using Fetched = std::optional<Ycc>;  // the samples of a pixel, none if unwritten

Fetched packed422(const Images& s, int x, int y, QrxRoiSize r, bool cbFirst) {
    const Qrx8u* row = s.p[0]->row(y);
    const bool lone = x % 2 == 0 && x == r.width - 1;  // after Y, and before Y (or 128)
    const int first = row[4 * (x / 2) + 1];
    const int second = !lone ? row[4 * (x / 2) + 3] : x ? row[2 * x - 1] : 128;
    return Ycc{row[2 * x], cbFirst ? first : second, cbFirst ? second : first};
}
Fetched cbFirst422(const Images& s, int x, int y, QrxRoiSize r) { return packed422(s, x, y, r, true); }
Fetched crFirst422(const Images& s, int x, int y, QrxRoiSize r) { return packed422(s, x, y, r, false); }

Fetched planar(const Images& s, int x, int y, int cx, int cy, bool crFirst = false) {
    const int cb = crFirst ? 2 : 1;
    return Ycc{s.p[0]->at(x, y), s.p[cb]->at(cx, cy), s.p[3 - cb]->at(cx, cy)};
}
Fetched planar422(const Images& s, int x, int y, QrxRoiSize) { return planar(s, x, y, x / 2, y); }
Fetched evenPlanar422(const Images& s, int x, int y, QrxRoiSize r) {
    return x < r.width / 2 * 2 ? planar(s, x, y, x / 2, y) : std::nullopt;
}
Fetched planar411(const Images& s, int x, int y, QrxRoiSize) { return planar(s, x, y, x / 4, y); }

template <bool CrFirst>
Fetched planar420(const Images& s, int x, int y, QrxRoiSize r) {
    const bool inWholeBlocks = x < r.width / 2 * 2 && y < r.height / 2 * 2;
    return inWholeBlocks ? planar(s, x, y, x / 2, y / 2, CrFirst) : std::nullopt;
}
Fetched filtered420(const Images& s, int x, int y, QrxRoiSize r) {
    Fetched p = planar420<true>(s, x, y, r);
    if (p && x % 2 == 1 && x / 2 < r.width / 2 - 1) {
        const Ycc next = *planar(s, x, y, x / 2 + 1, y / 2, true);
        p->cb = (p->cb + next.cb + 1) / 2;
        p->cr = (p->cr + next.cr + 1) / 2;
    }
    return p;
}

struct Op {
    const char* name;
    In in;
    Out out;
    int minWidth;
    bool planesFirst, warns;
    Set scalar, vector;
    int (*vectorEnd)(int width);
    Fetched (*fetch)(const Images&, int x, int y, QrxRoiSize);
    QrxStatus (*call)(const Args&);
};

const Op kOps[] = {
    {"qrxiYCbCr422ToRGB_8u_C2C3R", In::C2, Out::RGB, 1, false, false, S2, V2, groups8Then4, cbFirst422,
     [](const Args& a) { return qrxiYCbCr422ToRGB_8u_C2C3R(a.s(), a.srcStep, a.d(), a.dstStep, a.roi); }},
    {"qrxiYCbCr422ToRGB_8u_C2P3R", In::C2, Out::Planes, 1, false, false, S2, V2, groups8Then4, cbFirst422,
     [](const Args& a) { return qrxiYCbCr422ToRGB_8u_C2P3R(a.s(), a.srcStep, a.dp(), a.dstStep, a.roi); }},
    {"qrxiYCrCb422ToRGB_8u_C2C3R", In::C2, Out::RGB, 1, false, false, S2, V2, groups8Then4, crFirst422,
     [](const Args& a) { return qrxiYCrCb422ToRGB_8u_C2C3R(a.s(), a.srcStep, a.d(), a.dstStep, a.roi); }},
    {"qrxiYCrCb422ToRGB_8u_C2P3R", In::C2, Out::Planes, 1, false, false, S2, V2, groups8Then4, crFirst422,
     [](const Args& a) { return qrxiYCrCb422ToRGB_8u_C2P3R(a.s(), a.srcStep, a.dp(), a.dstStep, a.roi); }},
    {"qrxiYCbCr422ToRGB_8u_P3C3R", In::P422, Out::RGB, 1, false, false, S1, V1, groups8, planar422,
     [](const Args& a) { return qrxiYCbCr422ToRGB_8u_P3C3R(a.sp(), a.srcSteps, a.d(), a.dstStep, a.roi); }},
    {"qrxiYCbCr422ToBGR_8u_C2C3R", In::C2, Out::BGR, 2, true, false, S2, V1, groups8, cbFirst422,
     [](const Args& a) { return qrxiYCbCr422ToBGR_8u_C2C3R(a.s(), a.srcStep, a.d(), a.dstStep, a.roi); }},
    {"qrxiYCbCr422ToBGR_8u_C2C4R", In::C2, Out::BGRA, 2, true, false, S2, V1, groups8, cbFirst422,
     [](const Args& a) { return qrxiYCbCr422ToBGR_8u_C2C4R(a.s(), a.srcStep, a.d(), a.dstStep, a.roi, a.alpha); }},
    {"qrxiYCbCr422ToBGR_8u_P3C3R", In::P422, Out::BGR, 2, true, false, S2, V1, groups8, evenPlanar422,
     [](const Args& a) { return qrxiYCbCr422ToBGR_8u_P3C3R(a.sp(), a.srcSteps, a.d(), a.dstStep, a.roi); }},
    {"qrxiYCbCr420ToBGR_8u_P3C3R", In::P420, Out::BGR, 1, false, true, S3, V1, groups8, planar420<false>,
     [](const Args& a) { return qrxiYCbCr420ToBGR_8u_P3C3R(a.sp(), a.srcSteps, a.d(), a.dstStep, a.roi); }},
    {"qrxiYCbCr420ToBGR_8u_P3C4R", In::P420, Out::BGRA, 1, false, true, S3, V1, groups8, planar420<false>,
     [](const Args& a) { return qrxiYCbCr420ToBGR_8u_P3C4R(a.sp(), a.srcSteps, a.d(), a.dstStep, a.roi, a.alpha); }},
    {"qrxiYCbCr420ToRGB_8u_P3C3R", In::P420, Out::RGB, 1, false, true, S3, V1, groups8, planar420<false>,
     [](const Args& a) { return qrxiYCbCr420ToRGB_8u_P3C3R(a.sp(), a.srcSteps, a.d(), a.dstStep, a.roi); }},
    {"qrxiYCrCb420ToRGB_8u_P3C4R", In::P420, Out::RGBA, 1, false, true, S3, V1, groups8, planar420<true>,
     [](const Args& a) { return qrxiYCrCb420ToRGB_8u_P3C4R(a.sp(), a.srcSteps, a.d(), a.dstStep, a.roi, a.alpha); }},
    {"qrxiYCrCb420ToBGR_Filter_8u_P3C4R", In::P420, Out::BGRA, 1, false, true, S5, S5, noGroups, filtered420,
     [](const Args& a) {
         return qrxiYCrCb420ToBGR_Filter_8u_P3C4R(a.sp(), a.srcSteps, a.d(), a.dstStep, a.roi, a.alpha);
     }},
    {"qrxiYCbCr411ToBGR_8u_P3C3R", In::P411, Out::BGR, 4, true, false, S4, V2, groups8Then4Then3, planar411,
     [](const Args& a) { return qrxiYCbCr411ToBGR_8u_P3C3R(a.sp(), a.srcSteps, a.d(), a.dstStep, a.roi); }},
    {"qrxiYCbCr411ToBGR_8u_P3C4R", In::P411, Out::BGRA, 4, true, false, S4, V2, groups8Then4Then3, planar411,
     [](const Args& a) { return qrxiYCbCr411ToBGR_8u_P3C4R(a.sp(), a.srcSteps, a.d(), a.dstStep, a.roi, a.alpha); }},
};

constexpr Qrx8u kUnwritten = 0x5A;

// Runs op on random w x h planes and compares every pixel with the model.
void expectMatchesModel(const Op& op, int w, int h, int variant, uint32_t seed, int alpha) {
    SCOPED_TRACE(std::string(op.name) + " " + std::to_string(w) + "x" + std::to_string(h) +
                 " step variant " + std::to_string(variant));
    Images s = sources(op.in, w, h, variant), d = destination(op.out, w, h, variant);
    for (int i = 0; i < s.n; ++i) s.p[i]->randomize(seed + i);
    for (int i = 0; i < d.n; ++i) d.p[i]->fill(kUnwritten);
    const QrxRoiSize roi{w, h};
    Args args = bind(s, d, roi);
    args.alpha = alpha;
    ASSERT_EQ(op.call(args), op.warns && (w % 2 || h % 2) ? qrxWarnSizeNotMultiple : qrxOk);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Fetched in = op.fetch(s, x, y, roi);
            const Px want = in ? decode(x < op.vectorEnd(w) ? op.vector : op.scalar, *in)
                               : Px{kUnwritten, kUnwritten, kUnwritten};
            ASSERT_EQ(pixel(d, op.out, x, y), want) << "at " << x << "," << y;
            if (channelsOf(op.out) == 4) {
                ASSERT_EQ(d.p[0]->at(x, y, 3), in ? (alpha & 0xFF) : kUnwritten);
            }
        }
    for (int i = 0; i < d.n; ++i) EXPECT_TRUE(d.p[i]->untouchedOutside());
}

TEST(YcbcrDecodeModel, RandomImagesOfEverySizeClassMatchTheModel) {
    // Alpha arguments whose low byte is not their clamped value.
    const int alphas[] = {0x1FF, 300, -1, 256, 0x12345A7, -200};
    uint32_t seed = 7;
    for (const Op& op : kOps)
        for (int w : {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 15, 16, 17, 31, 33})
            for (int h : {1, 2, 3, 5})
                if (w >= op.minWidth) {
                    ++seed;
                    expectMatchesModel(op, w, h, seed % 3, seed * 16, alphas[seed % 6]);
                }
}

// ---- every (Y, Cb, Cr) in vector and in scalar columns ------------------------
//
// Rare rounding boundaries are met only by a few inputs, so each decoder is
// run on every triple twice: once in columns its vector arithmetic covers
// (rows of 256 pixels) and once in columns of the scalar arithmetic (rows
// narrow enough to have no vector group, or the tail of a 4:1:1 row). The
// chroma of a row (or row pair) is one (first, second) pair of chroma bytes;
// its luma runs through all 256 values over as many rows as it takes. The
// widest target is checked against the model and, in the vector columns,
// every other target against the widest, byte for byte (the scalar columns
// are the same code on every target). Under the sanitizers one chunk in 17
// is run.

class YcbcrDecodeSweep : public ::testing::TestWithParam<size_t> {};

struct Region {
    int width, first, end;  // row width; the columns [first, end) swept
};

void sweepRegion(const Op& op, Region region, const char* what) {
    const int rowsPerChroma = op.in == In::P420 ? 2 : 1;
    const int span = region.end - region.first;
    const int units = (256 + rowsPerChroma * span - 1) / (rowsPerChroma * span);  // per pair
    const int chromaRows = 256 * units, h = chromaRows * rowsPerChroma, w = region.width;
    const QrxRoiSize roi{w, h};
    const int stride = qrxtest::kUnderSanitizer ? 17 : 1;
    for (int second = 0; second < 256; second += stride) {
        SCOPED_TRACE(std::string(op.name) + " " + what + ", second chroma byte " +
                     std::to_string(second));
        Images s = sources(op.in, w, h, 0);
        for (int y = 0; y < h; ++y) {
            const int unit = y / rowsPerChroma, first = unit / units, rep = unit % units;
            Qrx8u* luma = s.p[0]->row(y);
            for (int x = 0; x < w; ++x) {
                const int pos = std::max(x - region.first, 0) % span;
                const int yv = (rep * rowsPerChroma * span + (y % rowsPerChroma) * span + pos) & 255;
                if (op.in == In::C2) {
                    luma[2 * x] = Qrx8u(yv);
                    luma[2 * x + 1] = Qrx8u(x % 2 ? second : first);
                } else {
                    luma[x] = Qrx8u(yv);
                }
            }
            if (op.in != In::C2 && y % rowsPerChroma == 0)
                for (int x = 0; x < s.p[1]->width(); ++x) {
                    s.p[1]->at(x, unit) = Qrx8u(first);
                    s.p[2]->at(x, unit) = Qrx8u(second);
                }
        }
        Images want = destination(op.out, w, h, 0);
        for (int i = 0; i < want.n; ++i) want.p[i]->fill(kUnwritten);
        Args args = bind(s, want, roi);
        args.alpha = 0x3C7;
        ASSERT_EQ(op.call(args), qrxOk);
        const bool firstIsCb =
            op.fetch != crFirst422 && op.fetch != planar420<true> && op.fetch != filtered420;
        for (int unit = 0; unit < chromaRows; ++unit) {
            const int first = unit / units;
            const int cb = firstIsCb ? first : second, cr = firstIsCb ? second : first;
            for (int y = unit * rowsPerChroma; y < (unit + 1) * rowsPerChroma; ++y)
                for (int x = 0; x < w; ++x) {
                    const Px expected = decode(x < op.vectorEnd(w) ? op.vector : op.scalar,
                                               {op.fetch(s, x, y, roi)->y, cb, cr});
                    if (!(pixel(want, op.out, x, y) == expected))
                        FAIL() << "at " << x << "," << y << ": " << pixel(want, op.out, x, y)
                               << ", want " << expected << " for Y " << op.fetch(s, x, y, roi)->y
                               << " Cb " << cb << " Cr " << cr;
                }
        }
        if (std::string(what) != "vector columns") continue;
        for (qrx::Target t : {qrx::Target::Scalar, qrx::Target::SSE2, qrx::Target::AVX2}) {
            qrxtest::TargetScope scope(t);
            if (!scope.ok() || t == qrx::widestTarget()) continue;
            Images got = destination(op.out, w, h, 0);
            for (int i = 0; i < got.n; ++i) got.p[i]->fill(kUnwritten);
            Args a = bind(s, got, roi);
            a.alpha = 0x3C7;
            ASSERT_EQ(op.call(a), qrxOk);
            for (int i = 0; i < got.n; ++i)
                ASSERT_TRUE(got.p[i]->unchangedSince(want.p[i]->snapshot()))
                    << qrx::targetName(t) << " output " << i;
        }
    }
}

TEST_P(YcbcrDecodeSweep, EveryTripleInVectorAndScalarColumns) {
    const Op& op = kOps[GetParam()];
    // Converted columns of a row: the 4:2:0 members and the block-set planar
    // 4:2:2 member leave an odd last column alone.
    const bool evenOnly = op.in == In::P420 || op.fetch == evenPlanar422;
    if (op.vectorEnd(256) == 256) sweepRegion(op, {256, 0, 256}, "vector columns");
    // The widest row without a vector group, even where an odd column is left alone.
    int w = std::max(op.minWidth, 1);
    while (op.vectorEnd(w + 1) == 0 && w < 7) ++w;
    if (evenOnly) w &= ~1;
    if (op.vectorEnd(w) == 0) {
        sweepRegion(op, {w, 0, w}, "scalar columns");
    } else {
        // 4:1:1: one group of 4, then two scalar pixels sharing chroma sample 1.
        sweepRegion(op, {6, 4, 6}, "scalar tail");
    }
}

INSTANTIATE_TEST_SUITE_P(Decoders, YcbcrDecodeSweep,
                         ::testing::Range<size_t>(0, std::size(kOps)),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                             std::string name = kOps[info.param].name;
                             return name.substr(4);  // without "qrxi"
                         });

// ---- literal values ---------------------------------------------------------

struct Flat {
    int y, c;    // Cb = Cr = c
    Px plain;    // sets S1, S2, S4, S5 and V2
    Px rounded;  // sets S3 and V1
};
const Flat kFlat[] = {{16, 128, {0, 0, 0}, {0, 0, 0}},
                      {235, 128, {254, 254, 254}, {255, 255, 255}},
                      {0, 0, {0, 135, 0}, {0, 136, 0}},
                      {255, 255, {255, 125, 255}, {255, 125, 255}},
                      {128, 128, {130, 130, 130}, {130, 130, 130}}};

TEST(YcbcrDecodeValues, FlatColoursInVectorAndScalarColumns) {
    for (const Op& op : kOps)
        for (const Flat& f : kFlat) {
            SCOPED_TRACE(std::string(op.name) + " Y " + std::to_string(f.y));
            Images s = sources(op.in, 10, 2, 0), d = destination(op.out, 10, 2, 0);
            for (int y = 0; y < s.p[0]->height(); ++y)
                for (int x = 0; x < s.p[0]->width(); ++x)
                    s.p[0]->at(x, y) = op.in == In::C2 && x % 2 ? f.c : f.y;
            for (int i = 1; i < s.n; ++i) s.p[i]->fill(static_cast<Qrx8u>(f.c));
            ASSERT_EQ(op.call(bind(s, d, {10, 2})), qrxOk);
            for (int x = 0; x < 10; ++x) {
                const Set set = x < op.vectorEnd(10) ? op.vector : op.scalar;
                EXPECT_EQ(pixel(d, op.out, x, 1), set == S3 || set == V1 ? f.rounded : f.plain) << x;
            }
        }
}

TEST(YcbcrDecodeValues, WhiteRowOfTenRoundsUpOnlyInTheGroupOfEight) {
    Image y(10, 1), cb(5, 1), cr(5, 1), dst(10, 1, 3);
    y.fill(235), cb.fill(128), cr.fill(128);
    const Qrx8u* src[3] = {y.ptr(), cb.ptr(), cr.ptr()};
    const int steps[3] = {10, 5, 5};
    ASSERT_EQ(qrxiYCbCr422ToRGB_8u_P3C3R(src, steps, dst.ptr(), 30, {10, 1}), qrxOk);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(dst.at(x, 0, 1), x < 8 ? 255 : 254) << x;
}

TEST(YcbcrDecodeValues, OddLastPixelOfInterleavedRowTakesThePrecedingCr) {
    Image src(10, 1), bgr(5, 1, 3);
    const Qrx8u row[10] = {128, 128, 128, 128, 128, 128, 128, 200, 128, 60};
    std::copy(row, row + 10, src.row(0));
    ASSERT_EQ(qrxiYCbCr422ToBGR_8u_C2C3R(src.ptr(), 10, bgr.ptr(), 15, {5, 1}), qrxOk);
    const Qrx8u want[15] = {130, 130, 130, 130, 130, 130, 130, 71, 245, 130, 71, 245, 0, 98, 245};
    EXPECT_TRUE(std::equal(want, want + 15, bgr.row(0)));
}

// The raw-sample offsets of the interleaved set sit just below multiples of
// 65536 for these pixels: dropping them would give R 57, G 44 and R 129, B 197.
TEST(YcbcrDecodeValues, RawSampleOffsetsDecideTheLastBit) {
    Image src(4, 2), bgr(2, 2, 3);
    const Qrx8u rows[2][4] = {{54, 112, 54, 136}, {109, 172, 109, 141}};
    for (int y = 0; y < 2; ++y) std::copy(rows[y], rows[y] + 4, src.row(y));
    ASSERT_EQ(qrxiYCbCr422ToBGR_8u_C2C3R(src.ptr(), 4, bgr.ptr(), 6, {2, 2}), qrxOk);
    const Qrx8u want[2][3] = {{11, 43, 56}, {196, 80, 128}};
    for (int y = 0; y < 2; ++y) EXPECT_TRUE(std::equal(want[y], want[y] + 3, bgr.row(y))) << y;
}

// ---- argument checks ----------------------------------------------------------

TEST(YcbcrDecodeChecks, OrderAndMinimumSizeWriteNothing) {
    for (const Op& op : kOps) {
        SCOPED_TRACE(op.name);
        Images s = sources(op.in, 8, 2, 0), d = destination(op.out, 8, 2, 0);
        std::vector<std::vector<unsigned char>> before;
        for (int i = 0; i < d.n; ++i) before.push_back(d.p[i]->snapshot());
        auto run = [&](QrxRoiSize roi, auto edit) {
            Args a = bind(s, d, roi);
            edit(a);
            return op.call(a);
        };
        auto none = [](Args&) {};
        const int w = op.minWidth;
        EXPECT_EQ(run({0, 0}, [](Args& a) { a.nullSrc = true; }), qrxErrNullPtr);
        EXPECT_EQ(run({0, 0}, [](Args& a) { a.nullDst = true; }), qrxErrNullPtr);
        EXPECT_EQ(run({w - 1, 1}, none), qrxErrSize);
        EXPECT_EQ(run({w, 0}, none), qrxErrSize);
        EXPECT_EQ(run({-w, 1}, none), qrxErrSize);
        for (int plane = 0; plane < 3 && (op.in != In::C2 || op.out == Out::Planes); ++plane) {
            auto nullPlane = [&](Args& a) {
                if (op.in != In::C2) a.srcPlanes[plane] = nullptr;
                else a.dstPlanes[plane] = nullptr;
            };
            EXPECT_EQ(run({w, 0}, nullPlane), op.planesFirst ? qrxErrNullPtr : qrxErrSize) << plane;
            EXPECT_EQ(run({w, 1}, nullPlane), qrxErrNullPtr) << plane;
        }
        for (int i = 0; i < d.n; ++i) EXPECT_TRUE(d.p[i]->unchangedSince(before[i]));
    }
}

}  // namespace
