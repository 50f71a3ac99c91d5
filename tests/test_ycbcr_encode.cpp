// Subsampled YCbCr encoders: literal edge cases, every encoder against a
// per-pixel model on random and smooth images of many sizes and steps, check
// order, minimum sizes, warnings and what odd sizes leave unwritten.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "guarded_image.h"
#include "qrxcc.h"

namespace {

using qrxtest::GuardedImage;
using Img8 = GuardedImage<Qrx8u>;

enum class Src { rgb, rgba, bgr, bgra, rgbPlanes, bgr555, bgr565 };
enum class Out { planes422, planes420, planes411, packed422 };
enum class Warn { never, oddWidth, oddSize, width4 };

// Every argument form; each operation takes the ones it needs.
struct Args {
    const void* src;
    const Qrx8u* const* srcPlanes;
    int srcStep;
    Qrx8u* const* dstPlanes;
    const int* dstSteps;
    Qrx8u* dst;
    int dstStep;
    QrxRoiSize roi;
};

template <class S, auto F>
QrxStatus toPlanes(const Args& a) {
    return F(static_cast<const S*>(a.src), a.srcStep, a.dstPlanes, a.dstSteps, a.roi);
}
template <class S, auto F>
QrxStatus toPacked(const Args& a) {
    return F(static_cast<const S*>(a.src), a.srcStep, a.dst, a.dstStep, a.roi);
}
template <auto F>
QrxStatus planarToPacked(const Args& a) {
    return F(a.srcPlanes, a.srcStep, a.dst, a.dstStep, a.roi);
}

struct Op {
    const char* name;
    QrxStatus (*call)(const Args&);
    Src src;
    Out out;
    bool crFirst, nearest;  // chroma order; rounding to nearest instead of by 1/8
    int minW, minH;
    Warn warn;
    bool planesAfterSize;
};

using U8 = Qrx8u;
using U16 = Qrx16u;
// clang-format off
const Op kOps[] = {
    {"RGBToYCbCr420_C3P3R", toPlanes<U8, qrxiRGBToYCbCr420_8u_C3P3R>, Src::rgb, Out::planes420, false, true, 1, 1, Warn::oddSize, true},
    {"RGBToYCbCr422_C3C2R", toPacked<U8, qrxiRGBToYCbCr422_8u_C3C2R>, Src::rgb, Out::packed422, false, true, 1, 1, Warn::never, false},
    {"RGBToYCbCr422_P3C2R", planarToPacked<qrxiRGBToYCbCr422_8u_P3C2R>, Src::rgbPlanes, Out::packed422, false, true, 1, 1, Warn::never, true},
    {"RGBToYCrCb422_C3C2R", toPacked<U8, qrxiRGBToYCrCb422_8u_C3C2R>, Src::rgb, Out::packed422, true, true, 1, 1, Warn::never, false},
    {"RGBToYCrCb422_P3C2R", planarToPacked<qrxiRGBToYCrCb422_8u_P3C2R>, Src::rgbPlanes, Out::packed422, true, true, 1, 1, Warn::never, true},
    {"RGBToYCbCr422_C3P3R", toPlanes<U8, qrxiRGBToYCbCr422_8u_C3P3R>, Src::rgb, Out::planes422, false, false, 2, 1, Warn::oddWidth, false},
    {"RGBToYCrCb420_AC4P3R", toPlanes<U8, qrxiRGBToYCrCb420_8u_AC4P3R>, Src::rgba, Out::planes420, true, false, 2, 2, Warn::oddSize, false},
    {"BGRToYCbCr411_C3P3R", toPlanes<U8, qrxiBGRToYCbCr411_8u_C3P3R>, Src::bgr, Out::planes411, false, false, 4, 1, Warn::width4, false},
    {"BGRToYCbCr411_AC4P3R", toPlanes<U8, qrxiBGRToYCbCr411_8u_AC4P3R>, Src::bgra, Out::planes411, false, false, 4, 1, Warn::width4, false},
    {"BGRToYCbCr420_C3P3R", toPlanes<U8, qrxiBGRToYCbCr420_8u_C3P3R>, Src::bgr, Out::planes420, false, false, 2, 2, Warn::oddSize, false},
    {"BGRToYCbCr420_AC4P3R", toPlanes<U8, qrxiBGRToYCbCr420_8u_AC4P3R>, Src::bgra, Out::planes420, false, false, 2, 2, Warn::oddSize, false},
    {"BGRToYCrCb420_C3P3R", toPlanes<U8, qrxiBGRToYCrCb420_8u_C3P3R>, Src::bgr, Out::planes420, true, false, 2, 2, Warn::oddSize, false},
    {"BGRToYCrCb420_AC4P3R", toPlanes<U8, qrxiBGRToYCrCb420_8u_AC4P3R>, Src::bgra, Out::planes420, true, false, 2, 2, Warn::oddSize, false},
    {"BGRToYCbCr422_C3C2R", toPacked<U8, qrxiBGRToYCbCr422_8u_C3C2R>, Src::bgr, Out::packed422, false, false, 2, 1, Warn::never, false},
    {"BGRToYCbCr422_AC4C2R", toPacked<U8, qrxiBGRToYCbCr422_8u_AC4C2R>, Src::bgra, Out::packed422, false, false, 2, 1, Warn::never, false},
    {"BGRToYCbCr422_C3P3R", toPlanes<U8, qrxiBGRToYCbCr422_8u_C3P3R>, Src::bgr, Out::planes422, false, false, 2, 1, Warn::never, false},
    {"BGRToYCbCr422_AC4P3R", toPlanes<U8, qrxiBGRToYCbCr422_8u_AC4P3R>, Src::bgra, Out::planes422, false, false, 2, 1, Warn::never, false},
    {"BGR555ToYCbCr411", toPlanes<U16, qrxiBGR555ToYCbCr411_16u8u_C3P3R>, Src::bgr555, Out::planes411, false, false, 4, 1, Warn::width4, false},
    {"BGR565ToYCbCr411", toPlanes<U16, qrxiBGR565ToYCbCr411_16u8u_C3P3R>, Src::bgr565, Out::planes411, false, false, 4, 1, Warn::width4, false},
    {"BGR555ToYCbCr420", toPlanes<U16, qrxiBGR555ToYCbCr420_16u8u_C3P3R>, Src::bgr555, Out::planes420, false, false, 2, 2, Warn::never, false},
    {"BGR565ToYCbCr420", toPlanes<U16, qrxiBGR565ToYCbCr420_16u8u_C3P3R>, Src::bgr565, Out::planes420, false, false, 2, 2, Warn::never, false},
    {"BGR555ToYCrCb420", toPlanes<U16, qrxiBGR555ToYCrCb420_16u8u_C3P3R>, Src::bgr555, Out::planes420, true, false, 2, 2, Warn::never, false},
    {"BGR565ToYCrCb420", toPlanes<U16, qrxiBGR565ToYCrCb420_16u8u_C3P3R>, Src::bgr565, Out::planes420, true, false, 2, 2, Warn::never, false},
    {"BGR555ToYCbCr422_C2", toPacked<U16, qrxiBGR555ToYCbCr422_16u8u_C3C2R>, Src::bgr555, Out::packed422, false, false, 2, 1, Warn::never, false},
    {"BGR565ToYCbCr422_C2", toPacked<U16, qrxiBGR565ToYCbCr422_16u8u_C3C2R>, Src::bgr565, Out::packed422, false, false, 2, 1, Warn::never, false},
    {"BGR555ToYCbCr422_P3", toPlanes<U16, qrxiBGR555ToYCbCr422_16u8u_C3P3R>, Src::bgr555, Out::planes422, false, false, 2, 1, Warn::never, false},
    {"BGR565ToYCbCr422_P3", toPlanes<U16, qrxiBGR565ToYCbCr422_16u8u_C3P3R>, Src::bgr565, Out::planes422, false, false, 2, 1, Warn::never, false},
};
// clang-format on

bool is16(Src s) { return s == Src::bgr555 || s == Src::bgr565; }
bool isPlanesOut(Out o) { return o != Out::packed422; }

QrxStatus expectedStatus(const Op& op, QrxRoiSize r) {
    const bool warn = (op.warn == Warn::oddWidth && r.width % 2) ||
                      (op.warn == Warn::oddSize && (r.width % 2 || r.height % 2)) ||
                      (op.warn == Warn::width4 && r.width % 4);
    return warn ? qrxWarnSizeNotMultiple : qrxOk;
}

constexpr Qrx8u kUnwritten = 3;  // no encoder produces a sample below 16
enum class StepMode { dense, padded, negative };

int stepFor(StepMode m, int rowBytes, int height, int pad = 6) {
    if (m == StepMode::dense || height == 0) return 0;
    return m == StepMode::padded ? rowBytes + pad : -(rowBytes + pad);
}

struct Rgb {
    int r, g, b;
};

// Source and destination images for one operation at one size.
struct Case {
    const Op& op;
    int w, h;
    std::unique_ptr<Img8> src8;
    std::unique_ptr<GuardedImage<Qrx16u>> src16;
    std::vector<std::unique_ptr<Img8>> srcPlanes, dst;
    const Qrx8u* srcPtrs[3] = {};
    Qrx8u* dstPtrs[3] = {};
    int dstSteps[3] = {};

    Case(const Op& o, int width, int height, StepMode m = StepMode::dense) : op(o), w(width), h(height) {
        const int ch = o.src == Src::rgba || o.src == Src::bgra ? 4 : 3;
        if (is16(o.src)) src16 = std::make_unique<GuardedImage<Qrx16u>>(w, h, 1, stepFor(m, 2 * w, h));
        else if (o.src == Src::rgbPlanes)
            for (int i = 0; i < 3; ++i) srcPlanes.push_back(std::make_unique<Img8>(w, h, 1, stepFor(m, w, h)));
        else src8 = std::make_unique<Img8>(w, h, ch, stepFor(m, w * ch, h));
        for (size_t i = 0; i < srcPlanes.size(); ++i) srcPtrs[i] = srcPlanes[i]->ptr();
        if (o.out == Out::packed422) {
            dst.push_back(std::make_unique<Img8>(w, h, 2, stepFor(m, 2 * w, h)));
        } else {
            const int cw = o.out == Out::planes411 ? w / 4 : w / 2;
            const int chh = o.out == Out::planes420 ? h / 2 : h;
            dst.push_back(std::make_unique<Img8>(w, h, 1, stepFor(m, w, h)));
            // Chroma planes get different steps, so an exchange of steps shows.
            for (int i = 0; i < 2; ++i) dst.push_back(std::make_unique<Img8>(cw, chh, 1, stepFor(m, cw, chh, 6 + 4 * i)));
        }
        for (size_t i = 0; i < dst.size(); ++i) {
            dst[i]->fill(kUnwritten);
            dstPtrs[i] = dst[i]->ptr();
            dstSteps[i] = dst[i]->step();
        }
    }

    // Stores an 8-bit R, G, B pixel in the source's layout (16-bit: top bits).
    void setRgb(int x, int y, Rgb p) {
        const int v[3] = {p.r, p.g, p.b};
        switch (op.src) {
            case Src::rgb: case Src::rgba: for (int c = 0; c < 3; ++c) src8->at(x, y, c) = Qrx8u(v[c]); break;
            case Src::bgr: case Src::bgra: for (int c = 0; c < 3; ++c) src8->at(x, y, 2 - c) = Qrx8u(v[c]); break;
            case Src::rgbPlanes: for (int c = 0; c < 3; ++c) srcPlanes[c]->at(x, y) = Qrx8u(v[c]); break;
            case Src::bgr555: src16->at(x, y) = Qrx16u((p.r >> 3) << 10 | (p.g >> 3) << 5 | p.b >> 3); break;
            case Src::bgr565: src16->at(x, y) = Qrx16u((p.r >> 3) << 11 | (p.g >> 2) << 5 | p.b >> 3); break;
        }
    }

    void randomize(uint32_t seed) {
        if (src16) src16->randomize(seed, 0, 65535);
        if (src8) src8->randomize(seed);
        for (auto& p : srcPlanes) p->randomize(seed++);
    }

    // The source as 8-bit R, G, B; 5- and 6-bit fields are shifted left only.
    Rgb pixel(int x, int y) const {
        auto at8 = [&](int c) { return int(src8->at(x, y, c)); };
        const int v = src16 ? src16->at(x, y) : 0;
        switch (op.src) {
            case Src::rgb: case Src::rgba: return {at8(0), at8(1), at8(2)};
            case Src::bgr: case Src::bgra: return {at8(2), at8(1), at8(0)};
            case Src::rgbPlanes: return {srcPlanes[0]->at(x, y), srcPlanes[1]->at(x, y), srcPlanes[2]->at(x, y)};
            case Src::bgr555: return {(v >> 10 & 31) * 8, (v >> 5 & 31) * 8, (v & 31) * 8};
            case Src::bgr565: return {(v >> 11) * 8, (v >> 5 & 63) * 4, (v & 31) * 8};
        }
        return {};
    }

    Args args(QrxRoiSize roi) const {
        return {src8 ? static_cast<const void*>(src8->ptr()) : src16 ? static_cast<const void*>(src16->ptr()) : nullptr,
                srcPtrs, src8 ? src8->step() : src16 ? src16->step() : srcPlanes[0]->step(),
                dstPtrs, dstSteps, dstPtrs[0], dstSteps[0], roi};
    }
    QrxStatus run() const { return op.call(args({w, h})); }
};

// ---- reference model, written from the formulas ----------------------------

int lumaOf(Rgb p) { return (16843 * p.r + 33030 * p.g + 6423 * p.b + 1081344) >> 16; }

// Chroma of 1, 2 or 4 pixels: weighted sums, +128 and a rounding term of one
// half (nearest) or one eighth of a level, floor.
std::pair<int, int> chromaOf(const std::vector<Rgb>& px, bool nearest) {
    const int shift = px.size() == 1 ? 16 : px.size() == 2 ? 17 : 18;
    const long long bias = (128LL << shift) + (nearest ? 1LL << (shift - 1) : 1LL << (shift - 3));
    long long r = 0, g = 0, b = 0;
    for (const Rgb& p : px) r += p.r, g += p.g, b += p.b;
    return {int((28770 * b - 19071 * g - 9699 * r + bias) >> shift),
            int((28770 * r - 24117 * g - 4653 * b + bias) >> shift)};
}

// Expected samples of every destination image; -1 = must not be written.
std::vector<std::vector<int>> model(const Case& c) {
    const Op& op = c.op;
    std::vector<std::vector<int>> e;
    for (auto& d : c.dst) e.emplace_back(size_t(d->width()) * d->channels() * d->height(), -1);
    auto put = [&](int img, int i, int y, int v) { e[img][size_t(y) * c.dst[img]->width() * c.dst[img]->channels() + i] = v; };
    auto chroma = [&](int k, int y, std::pair<int, int> cc) {
        put(op.crFirst ? 2 : 1, k, y, cc.first);
        put(op.crFirst ? 1 : 2, k, y, cc.second);
    };
    const bool lumaTail = is16(op.src);
    for (int y = 0; y < c.h; ++y) {
        const int group = op.out == Out::planes411 ? 4 : 2;
        const int whole = c.w - c.w % group;
        if (op.out == Out::packed422) {
            for (int x = 0; x < c.w; ++x) put(0, 2 * x, y, lumaOf(c.pixel(x, y)));
            for (int x = 0; x < c.w; x += 2) {
                std::vector<Rgb> px{c.pixel(x, y)};
                if (x + 1 < c.w) px.push_back(c.pixel(x + 1, y));
                const auto cc = chromaOf(px, op.nearest);
                put(0, 2 * x + 1, y, op.crFirst ? cc.second : cc.first);
                if (x + 1 < c.w) put(0, 2 * x + 3, y, op.crFirst ? cc.first : cc.second);
            }
        } else if (op.out != Out::planes420) {
            for (int x = 0; x < c.w; ++x)
                if (x < whole || lumaTail || op.out == Out::planes422) put(0, x, y, lumaOf(c.pixel(x, y)));
            for (int x = 0; x < whole; x += group) {
                std::vector<Rgb> px;
                for (int i = 0; i < group; ++i) px.push_back(c.pixel(x + i, y));
                chroma(x / group, y, chromaOf(px, op.nearest));
            }
        } else {
            const bool inBlocks = y < c.h - c.h % 2;
            for (int x = 0; x < c.w; ++x)
                if ((inBlocks && x < whole) || lumaTail) put(0, x, y, lumaOf(c.pixel(x, y)));
            if (y % 2 == 0 && inBlocks)
                for (int x = 0; x < whole; x += 2)
                    chroma(x / 2, y / 2, chromaOf({c.pixel(x, y), c.pixel(x + 1, y), c.pixel(x, y + 1), c.pixel(x + 1, y + 1)}, op.nearest));
        }
    }
    return e;
}

void expectMatchesModel(const Case& c, const char* what) {
    const auto e = model(c);
    for (size_t i = 0; i < c.dst.size(); ++i) {
        const Img8& d = *c.dst[i];
        EXPECT_TRUE(d.untouchedOutside()) << c.op.name << " image " << i << ' ' << what;
        const int rowLen = d.width() * d.channels();
        for (int y = 0; y < d.height(); ++y)
            for (int x = 0; x < rowLen; ++x) {
                const int want = e[i][size_t(y) * rowLen + x];
                const int got = d.row(y)[x];
                if (got != (want < 0 ? kUnwritten : want)) {
                    ADD_FAILURE() << c.op.name << ' ' << c.w << 'x' << c.h << ' ' << what << ": image " << i << " sample " << x << ',' << y << " is " << got << ", want " << want;
                    return;
                }
            }
    }
}

TEST(YcbcrEncodeModel, EveryOperationMatchesTheModel) {
    const int widths[] = {1, 2, 3, 4, 5, 6, 7, 8, 15, 16, 17, 31, 33};
    uint32_t seed = 1;
    for (const Op& op : kOps)
        for (int w : widths)
            for (int h : {1, 2, 3, 4, 5})
                for (StepMode m : {StepMode::dense, StepMode::padded, StepMode::negative}) {
                    if (w < op.minW || h < op.minH) continue;
                    Case c(op, w, h, m);
                    c.randomize(seed++);
                    ASSERT_EQ(c.run(), expectedStatus(op, {w, h})) << op.name << ' ' << w << 'x' << h;
                    expectMatchesModel(c, "random");
                    // Smooth ramps in every channel.
                    Case s(op, w, h, m);
                    for (int y = 0; y < h; ++y)
                        for (int x = 0; x < w; ++x)
                            s.setRgb(x, y, {(3 * x + 5 * y) % 256, (200 - 2 * x + 4 * y) % 256, (90 + 6 * x - y) % 256});
                    s.run();
                    expectMatchesModel(s, "smooth");
                }
}

// ---- checks -----------------------------------------------------------------

TEST(YcbcrEncodeChecks, OrderMinimumSizeAndNothingWrittenOnError) {
    for (const Op& op : kOps) {
        SCOPED_TRACE(op.name);
        Case c(op, 8, 4);
        c.randomize(7);
        std::vector<std::vector<unsigned char>> snaps;
        for (auto& d : c.dst) snaps.push_back(d->snapshot());
        auto call = [&](QrxRoiSize roi, auto&& edit) {
            Args a = c.args(roi);
            edit(a);
            return op.call(a);
        };
        auto none = [](Args&) {};
        // Nulls come first: a null source or destination with an empty region.
        EXPECT_EQ(call({0, 0}, [](Args& a) { a.src = nullptr; a.srcPlanes = nullptr; }), qrxErrNullPtr);
        EXPECT_EQ(call({0, 0}, [](Args& a) { a.dstPlanes = nullptr; a.dst = nullptr; }), qrxErrNullPtr);
        // Minimum sizes, negative values included.
        for (QrxRoiSize r : {QrxRoiSize{op.minW - 1, op.minH}, QrxRoiSize{op.minW, op.minH - 1},
                             QrxRoiSize{-1, op.minH}, QrxRoiSize{op.minW, -2}})
            EXPECT_EQ(call(r, none), qrxErrSize) << r.width << 'x' << r.height;
        // A null plane: before or after the size test, as the encoder has it.
        if (op.planesAfterSize || isPlanesOut(op.out)) {
            for (int i = 0; i < 3; ++i) {
                const Qrx8u* src[3] = {c.srcPtrs[0], c.srcPtrs[1], c.srcPtrs[2]};
                Qrx8u* dst[3] = {c.dstPtrs[0], c.dstPtrs[1], c.dstPtrs[2]};
                src[i] = nullptr;
                dst[i] = nullptr;
                auto nullPlane = [&](Args& a) { a.srcPlanes = src; if (isPlanesOut(op.out)) a.dstPlanes = dst; };
                EXPECT_EQ(call({op.minW, op.minH}, nullPlane), qrxErrNullPtr) << "plane " << i;
                EXPECT_EQ(call({op.minW, 0}, nullPlane), op.planesAfterSize ? qrxErrSize : qrxErrNullPtr);
            }
        }
        for (size_t i = 0; i < c.dst.size(); ++i) EXPECT_TRUE(c.dst[i]->unchangedSince(snaps[i])) << i;
        // The minimum size itself is converted; steps are never tested.
        EXPECT_EQ(call({op.minW, op.minH}, none), expectedStatus(op, {op.minW, op.minH}));
        EXPECT_EQ(call({4, 2}, [](Args& a) { a.srcStep = 0; }), qrxOk);
        EXPECT_EQ(c.dst[0]->row(1)[0], c.dst[0]->row(0)[0]);
    }
}

TEST(YcbcrEncodeChecks, WarningsFollowTheBlockShape) {
    const QrxRoiSize sizes[] = {{4, 2}, {5, 2}, {4, 3}, {6, 2}, {8, 1}, {9, 4}};
    for (const Op& op : kOps)
        for (QrxRoiSize r : sizes) {
            if (r.height < op.minH) continue;
            Case c(op, r.width, r.height);
            EXPECT_EQ(c.run(), expectedStatus(op, r)) << op.name << ' ' << r.width << 'x' << r.height;
        }
}

// ---- literal edge cases -----------------------------------------------------

const Op& opNamed(const char* name) {
    for (const Op& op : kOps)
        if (std::string(op.name) == name) return op;
    throw std::runtime_error(name);
}

std::vector<int> rowOf(const Img8& img, int y) {
    return std::vector<int>(img.row(y), img.row(y) + img.width() * img.channels());
}
using Row = std::vector<int>;
constexpr int U = kUnwritten;

TEST(YcbcrEncodeEdge, OddBgrImageTo420WritesOnlyTheWholeBlock) {
    Case c(opNamed("BGRToYCbCr420_C3P3R"), 3, 3);
    const Rgb px[3][3] = {{{30, 200, 10}, {60, 50, 40}, {7, 7, 7}},
                          {{128, 0, 255}, {250, 90, 90}, {3, 2, 1}},
                          {{120, 110, 100}, {0, 0, 0}, {255, 255, 255}}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) c.setRgb(x, y, px[y][x]);
    EXPECT_EQ(c.run(), qrxWarnSizeNotMultiple);
    EXPECT_EQ(rowOf(*c.dst[0], 0), (Row{125, 61, U}));
    EXPECT_EQ(rowOf(*c.dst[0], 1), (Row{74, 134, U}));
    EXPECT_EQ(rowOf(*c.dst[0], 2), (Row{U, U, U}));
    EXPECT_EQ(rowOf(*c.dst[1], 0), (Row{129}));
    EXPECT_EQ(rowOf(*c.dst[2], 0), (Row{141}));
}

TEST(YcbcrEncodeEdge, OddBgr555ImageTo420AlsoWritesLumaOfTheEdges) {
    Case c(opNamed("BGR555ToYCbCr420"), 3, 3);
    const int words[3][3] = {{0x7c00, 0x03e0, 0x001f}, {0x7fff, 0x2a9e, 0x4104}, {0x0443, 0x7bbc, 0x94a5}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) c.src16->at(x, y) = Qrx16u(words[y][x]);
    EXPECT_EQ(c.run(), qrxOk);
    EXPECT_EQ(rowOf(*c.dst[0], 0), (Row{80, 141, 40}));
    EXPECT_EQ(rowOf(*c.dst[0], 1), (Row{229, 141, 84}));  // 31 widens to 248: Y 229
    EXPECT_EQ(rowOf(*c.dst[0], 2), (Row{28, 217, 50}));   // bit 15 is ignored
    EXPECT_EQ(rowOf(*c.dst[1], 0), (Row{112}));
    EXPECT_EQ(rowOf(*c.dst[2], 0), (Row{122}));
}

TEST(YcbcrEncodeEdge, WidthOneToPacked422) {
    const Rgb px[3] = {{255, 0, 0}, {0, 0, 255}, {12, 34, 56}};
    for (const char* name : {"RGBToYCbCr422_C3C2R", "RGBToYCrCb422_C3C2R"}) {
        Case c(opNamed(name), 1, 3);
        for (int y = 0; y < 3; ++y) c.setRgb(0, y, px[y]);
        EXPECT_EQ(c.run(), qrxOk);
        const bool cr = c.op.crFirst;
        EXPECT_EQ(rowOf(*c.dst[0], 0), (Row{82, cr ? 240 : 90}));
        EXPECT_EQ(rowOf(*c.dst[0], 1), (Row{41, cr ? 110 : 240}));
        EXPECT_EQ(rowOf(*c.dst[0], 2), (Row{42, cr ? 117 : 141}));
        EXPECT_TRUE(c.dst[0]->untouchedOutside());
    }
    Case b(opNamed("BGRToYCbCr422_C3C2R"), 1, 3);
    EXPECT_EQ(b.run(), qrxErrSize);
}

TEST(YcbcrEncodeEdge, Width6To411) {
    Case c8(opNamed("BGRToYCbCr411_C3P3R"), 6, 1);
    c8.src8->fill(255);
    EXPECT_EQ(c8.run(), qrxWarnSizeNotMultiple);
    EXPECT_EQ(rowOf(*c8.dst[0], 0), (Row{235, 235, 235, 235, U, U}));
    EXPECT_EQ(rowOf(*c8.dst[1], 0), (Row{128}));
    Case c16(opNamed("BGR565ToYCbCr411"), 6, 1);
    c16.src16->fill(0xffff);  // 248, 252, 248
    EXPECT_EQ(c16.run(), qrxWarnSizeNotMultiple);
    EXPECT_EQ(rowOf(*c16.dst[0], 0), (Row{231, 231, 231, 231, 231, 231}));
    EXPECT_EQ(rowOf(*c16.dst[1], 0), (Row{126}));
    EXPECT_EQ(rowOf(*c16.dst[2], 0), (Row{126}));
}

TEST(YcbcrEncodeEdge, WhiteAndBlackFromEveryEightBitSource) {
    for (const Op& op : kOps) {
        if (is16(op.src)) continue;
        for (int v : {255, 0}) {
            Case c(op, 4, 2);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 4; ++x) c.setRgb(x, y, {v, v, v});
            c.run();
            const int luma = v ? 235 : 16;
            for (int y = 0; y < 2; ++y) {
                const Row row = rowOf(*c.dst[0], y);
                for (size_t i = 0; i < row.size(); ++i)
                    EXPECT_EQ(row[i], op.out == Out::packed422 && i % 2 ? 128 : luma) << op.name;
            }
            for (size_t p = 1; p < c.dst.size(); ++p)
                EXPECT_EQ(rowOf(*c.dst[p], 0), Row(c.dst[p]->width(), 128)) << op.name;
        }
    }
}

TEST(YcbcrEncodeEdge, RowPairEncodersRoundChromaToNearest) {
    // The same pixels; the block encoders add only 1/8 of a level.
    Case near(opNamed("RGBToYCbCr422_C3C2R"), 2, 1), block(opNamed("BGRToYCbCr422_C3C2R"), 2, 1);
    for (Case* c : {&near, &block}) {
        c->setRgb(0, 0, {12, 34, 56});
        c->setRgb(1, 0, {60, 70, 80});
        c->run();
    }
    EXPECT_EQ(rowOf(*near.dst[0], 0), (Row{42, 137, 75, 120}));
    EXPECT_EQ(rowOf(*block.dst[0], 0), (Row{42, 137, 75, 119}));

    Case near420(opNamed("RGBToYCbCr420_C3P3R"), 2, 2), block420(opNamed("BGRToYCbCr420_C3P3R"), 2, 2);
    const Rgb quad[4] = {{242, 198, 218}, {202, 227, 68}, {187, 49, 18}, {69, 253, 111}};
    for (Case* c : {&near420, &block420}) {
        for (int i = 0; i < 4; ++i) c->setRgb(i % 2, i / 2, quad[i]);
        c->run();
        EXPECT_EQ(rowOf(*c->dst[0], 0), (Row{199, 189}));
        EXPECT_EQ(rowOf(*c->dst[0], 1), (Row{91, 172}));
    }
    EXPECT_EQ(rowOf(*near420.dst[1], 0), (Row{95}));
    EXPECT_EQ(rowOf(*near420.dst[2], 0), (Row{131}));
    EXPECT_EQ(rowOf(*block420.dst[1], 0), (Row{94}));
    EXPECT_EQ(rowOf(*block420.dst[2], 0), (Row{130}));
}

TEST(YcbcrEncodeEdge, FourthSourceByteIsNeverUsed) {
    for (const Op& op : kOps) {
        if (op.src != Src::rgba && op.src != Src::bgra) continue;
        Case a(op, 6, 2), b(op, 6, 2);
        a.randomize(5);
        b.randomize(5);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 6; ++x) a.src8->at(x, y, 3) = 0, b.src8->at(x, y, 3) = Qrx8u(255 - 9 * x);
        EXPECT_EQ(a.run(), b.run());
        for (size_t p = 0; p < a.dst.size(); ++p)
            for (int y = 0; y < a.dst[p]->height(); ++y)
                EXPECT_EQ(rowOf(*a.dst[p], y), rowOf(*b.dst[p], y)) << op.name;
    }
}

}  // namespace
