// Subsampled YCbCr encoders: literal edge cases, every encoder against a
// per-pixel model on random and smooth images of many sizes and steps, check
// order, minimum sizes, warnings and what odd sizes leave unwritten.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "guarded_image.h"
#include "qrxcc.h"
#include "targets.h"

namespace {

using Img8 = qrxtest::GuardedImage<Qrx8u>;

// A source layout: bytes per pixel, byte offsets (or plane numbers) of R, G
// and B, plane count, and the green width of 16-bit words (0 for 8-bit).
struct Layout {
    int bytes, r, g, b, planes, greenBits;
};
constexpr Layout kRGB{3, 0, 1, 2, 1, 0}, kRGBA{4, 0, 1, 2, 1, 0}, kBGR{3, 2, 1, 0, 1, 0},
    kBGRA{4, 2, 1, 0, 1, 0}, kPlanes{1, 0, 1, 2, 3, 0}, k555{2, 0, 0, 0, 1, 5},
    k565{2, 0, 0, 0, 1, 6};

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
    Layout src;
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
    {"RGBToYCbCr420_C3P3R", toPlanes<U8, qrxiRGBToYCbCr420_8u_C3P3R>, kRGB, Out::planes420, false, true, 1, 1, Warn::oddSize, true},
    {"RGBToYCbCr422_C3C2R", toPacked<U8, qrxiRGBToYCbCr422_8u_C3C2R>, kRGB, Out::packed422, false, true, 1, 1, Warn::never, false},
    {"RGBToYCbCr422_P3C2R", planarToPacked<qrxiRGBToYCbCr422_8u_P3C2R>, kPlanes, Out::packed422, false, true, 1, 1, Warn::never, true},
    {"RGBToYCrCb422_C3C2R", toPacked<U8, qrxiRGBToYCrCb422_8u_C3C2R>, kRGB, Out::packed422, true, true, 1, 1, Warn::never, false},
    {"RGBToYCrCb422_P3C2R", planarToPacked<qrxiRGBToYCrCb422_8u_P3C2R>, kPlanes, Out::packed422, true, true, 1, 1, Warn::never, true},
    {"RGBToYCbCr422_C3P3R", toPlanes<U8, qrxiRGBToYCbCr422_8u_C3P3R>, kRGB, Out::planes422, false, false, 2, 1, Warn::oddWidth, false},
    {"RGBToYCrCb420_AC4P3R", toPlanes<U8, qrxiRGBToYCrCb420_8u_AC4P3R>, kRGBA, Out::planes420, true, false, 2, 2, Warn::oddSize, false},
    {"BGRToYCbCr411_C3P3R", toPlanes<U8, qrxiBGRToYCbCr411_8u_C3P3R>, kBGR, Out::planes411, false, false, 4, 1, Warn::width4, false},
    {"BGRToYCbCr411_AC4P3R", toPlanes<U8, qrxiBGRToYCbCr411_8u_AC4P3R>, kBGRA, Out::planes411, false, false, 4, 1, Warn::width4, false},
    {"BGRToYCbCr420_C3P3R", toPlanes<U8, qrxiBGRToYCbCr420_8u_C3P3R>, kBGR, Out::planes420, false, false, 2, 2, Warn::oddSize, false},
    {"BGRToYCbCr420_AC4P3R", toPlanes<U8, qrxiBGRToYCbCr420_8u_AC4P3R>, kBGRA, Out::planes420, false, false, 2, 2, Warn::oddSize, false},
    {"BGRToYCrCb420_C3P3R", toPlanes<U8, qrxiBGRToYCrCb420_8u_C3P3R>, kBGR, Out::planes420, true, false, 2, 2, Warn::oddSize, false},
    {"BGRToYCrCb420_AC4P3R", toPlanes<U8, qrxiBGRToYCrCb420_8u_AC4P3R>, kBGRA, Out::planes420, true, false, 2, 2, Warn::oddSize, false},
    {"BGRToYCbCr422_C3C2R", toPacked<U8, qrxiBGRToYCbCr422_8u_C3C2R>, kBGR, Out::packed422, false, false, 2, 1, Warn::never, false},
    {"BGRToYCbCr422_AC4C2R", toPacked<U8, qrxiBGRToYCbCr422_8u_AC4C2R>, kBGRA, Out::packed422, false, false, 2, 1, Warn::never, false},
    {"BGRToYCbCr422_C3P3R", toPlanes<U8, qrxiBGRToYCbCr422_8u_C3P3R>, kBGR, Out::planes422, false, false, 2, 1, Warn::never, false},
    {"BGRToYCbCr422_AC4P3R", toPlanes<U8, qrxiBGRToYCbCr422_8u_AC4P3R>, kBGRA, Out::planes422, false, false, 2, 1, Warn::never, false},
    {"BGR555ToYCbCr411", toPlanes<U16, qrxiBGR555ToYCbCr411_16u8u_C3P3R>, k555, Out::planes411, false, false, 4, 1, Warn::width4, false},
    {"BGR565ToYCbCr411", toPlanes<U16, qrxiBGR565ToYCbCr411_16u8u_C3P3R>, k565, Out::planes411, false, false, 4, 1, Warn::width4, false},
    {"BGR555ToYCbCr420", toPlanes<U16, qrxiBGR555ToYCbCr420_16u8u_C3P3R>, k555, Out::planes420, false, false, 2, 2, Warn::never, false},
    {"BGR565ToYCbCr420", toPlanes<U16, qrxiBGR565ToYCbCr420_16u8u_C3P3R>, k565, Out::planes420, false, false, 2, 2, Warn::never, false},
    {"BGR555ToYCrCb420", toPlanes<U16, qrxiBGR555ToYCrCb420_16u8u_C3P3R>, k555, Out::planes420, true, false, 2, 2, Warn::never, false},
    {"BGR565ToYCrCb420", toPlanes<U16, qrxiBGR565ToYCrCb420_16u8u_C3P3R>, k565, Out::planes420, true, false, 2, 2, Warn::never, false},
    {"BGR555ToYCbCr422_C2", toPacked<U16, qrxiBGR555ToYCbCr422_16u8u_C3C2R>, k555, Out::packed422, false, false, 2, 1, Warn::never, false},
    {"BGR565ToYCbCr422_C2", toPacked<U16, qrxiBGR565ToYCbCr422_16u8u_C3C2R>, k565, Out::packed422, false, false, 2, 1, Warn::never, false},
    {"BGR555ToYCbCr422_P3", toPlanes<U16, qrxiBGR555ToYCbCr422_16u8u_C3P3R>, k555, Out::planes422, false, false, 2, 1, Warn::never, false},
    {"BGR565ToYCbCr422_P3", toPlanes<U16, qrxiBGR565ToYCbCr422_16u8u_C3P3R>, k565, Out::planes422, false, false, 2, 1, Warn::never, false},
};
// clang-format on

const Op& opNamed(const std::string& name) {
    for (const Op& op : kOps)
        if (name == op.name) return op;
    return kOps[0];
}

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

// Source and destination images of one call; 16-bit sources are held as bytes.
struct Case {
    const Op& op;
    int w, h;
    std::vector<std::unique_ptr<Img8>> src, dst;
    // One slot more than any encoder reads, left null.
    const Qrx8u* srcPtrs[4] = {};
    Qrx8u* dstPtrs[4] = {};
    int dstSteps[3] = {};

    Case(const Op& o, int width, int height, StepMode m = StepMode::dense)
        : op(o), w(width), h(height) {
        for (int i = 0; i < o.src.planes; ++i) {
            src.push_back(
                std::make_unique<Img8>(w, h, o.src.bytes, stepFor(m, w * o.src.bytes, h)));
            srcPtrs[i] = src[i]->ptr();
        }
        if (o.out == Out::packed422) {
            dst.push_back(std::make_unique<Img8>(w, h, 2, stepFor(m, 2 * w, h)));
        } else {
            const int cw = o.out == Out::planes411 ? w / 4 : w / 2;
            const int ch = o.out == Out::planes420 ? h / 2 : h;
            dst.push_back(std::make_unique<Img8>(w, h, 1, stepFor(m, w, h)));
            // Different chroma steps, so that exchanging them shows.
            for (int i = 0; i < 2; ++i)
                dst.push_back(std::make_unique<Img8>(cw, ch, 1, stepFor(m, cw, ch, 6 + 4 * i)));
        }
        for (size_t i = 0; i < dst.size(); ++i) {
            dst[i]->fill(kUnwritten);
            dstPtrs[i] = dst[i]->ptr();
            dstSteps[i] = dst[i]->step();
        }
    }

    Qrx8u& byte(int x, int y, int at) const {
        return op.src.planes == 3 ? src[at]->at(x, y) : src[0]->at(x, y, at);
    }
    // The source as 8-bit R, G, B: 16-bit fields widen by a left shift only.
    Rgb pixel(int x, int y) const {
        const Layout& L = op.src;
        if (!L.greenBits) return {byte(x, y, L.r), byte(x, y, L.g), byte(x, y, L.b)};
        const int v = byte(x, y, 0) | byte(x, y, 1) << 8, gb = L.greenBits;
        return {(v >> (5 + gb) & 31) << 3, (v >> 5 & ((1 << gb) - 1)) << (8 - gb), (v & 31) << 3};
    }
    void setRgb(int x, int y, Rgb p) {
        const Layout& L = op.src;
        if (!L.greenBits) {
            byte(x, y, L.r) = Qrx8u(p.r), byte(x, y, L.g) = Qrx8u(p.g),
                       byte(x, y, L.b) = Qrx8u(p.b);
            return;
        }
        const int gb = L.greenBits;
        setWord(x, y, (p.r >> 3) << (5 + gb) | (p.g >> (8 - gb)) << 5 | p.b >> 3);
    }
    void setWord(int x, int y, int v) { byte(x, y, 0) = Qrx8u(v), byte(x, y, 1) = Qrx8u(v >> 8); }
    void randomize(uint32_t seed) {
        for (auto& s : src) s->randomize(seed++);
    }

    Args args(QrxRoiSize roi) const {
        return {src[0]->ptr(), srcPtrs,    src[0]->step(), dstPtrs,
                dstSteps,      dstPtrs[0], dstSteps[0],    roi};
    }
    QrxStatus run() const { return op.call(args({w, h})); }
};

// ---- reference model, written from the formulas ----------------------------

int lumaOf(Rgb p) { return (16843 * p.r + 33030 * p.g + 6423 * p.b + 1081344) >> 16; }

// Chroma (Cb, Cr) of 1, 2 or 4 pixels: weighted sums, +128 and a rounding
// term of one half (nearest) or one eighth of a level, floor.
std::pair<int, int> chromaOf(const std::vector<Rgb>& px, bool nearest) {
    const int shift = px.size() == 1 ? 16 : px.size() == 2 ? 17 : 18;
    const long long bias = (128LL << shift) + (nearest ? 1LL << (shift - 1) : 1LL << (shift - 3));
    long long r = 0, g = 0, b = 0;
    for (const Rgb& p : px) r += p.r, g += p.g, b += p.b;
    return {int((28770 * b - 19071 * g - 9699 * r + bias) >> shift),
            int((28770 * r - 24117 * g - 4653 * b + bias) >> shift)};
}

// The same from the sums over n pixels.
std::pair<int, int> chromaOfSums(int64_t r, int64_t g, int64_t b, int n, bool nearest) {
    const int shift = n == 1 ? 16 : n == 2 ? 17 : 18;
    const long long bias = (128LL << shift) + (nearest ? 1LL << (shift - 1) : 1LL << (shift - 3));
    return {int((28770 * b - 19071 * g - 9699 * r + bias) >> shift),
            int((28770 * r - 24117 * g - 4653 * b + bias) >> shift)};
}

// Expected samples of every destination image; -1: must keep its old value.
std::vector<std::vector<int>> model(const Case& c) {
    const Op& op = c.op;
    const bool packed = op.out == Out::packed422;
    std::vector<std::vector<int>> e;
    for (auto& d : c.dst) e.emplace_back(size_t(d->width()) * d->channels() * d->height(), -1);
    auto put = [&](int img, int i, int y, int v) {
        e[img][size_t(y) * c.dst[img]->width() * c.dst[img]->channels() + i] = v;
    };
    const int gw = op.out == Out::planes411 ? 4 : 2, gh = op.out == Out::planes420 ? 2 : 1;
    const int wholeW = c.w - c.w % gw, wholeH = c.h - c.h % gh;
    // Luma: whole blocks; 16-bit sources and every 4:2:2 encoder also the rest.
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x)
            if ((x < wholeW && y < wholeH) || op.src.greenBits || gw * gh == 2)
                put(0, packed ? 2 * x : x, y, lumaOf(c.pixel(x, y)));
    // Chroma of each whole block; a lone packed pixel gives its own first chroma.
    for (int y = 0; y < wholeH; y += gh)
        for (int x = 0; x < (packed ? c.w : wholeW); x += gw) {
            std::vector<Rgb> px;
            for (int i = 0; i < gw * gh && x + i % gw < c.w; ++i)
                px.push_back(c.pixel(x + i % gw, y + i / gw));
            auto [cb, cr] = chromaOf(px, op.nearest);
            if (op.crFirst) std::swap(cb, cr);
            if (packed) {
                put(0, 2 * x + 1, y, cb);
                if (px.size() == 2) put(0, 2 * x + 3, y, cr);
            } else {
                put(1, x / gw, y / gh, cb);
                put(2, x / gw, y / gh, cr);
            }
        }
    return e;
}

void expectMatchesModel(const Case& c, const char* what) {
    const auto e = model(c);
    for (size_t i = 0; i < c.dst.size(); ++i) {
        const Img8& d = *c.dst[i];
        EXPECT_TRUE(d.untouchedOutside()) << c.op.name << " image " << i << ' ' << what;
        const int len = d.width() * d.channels();
        for (int k = 0; k < len * d.height(); ++k) {
            const int want = e[i][k], got = d.row(k / len)[k % len];
            if (got != (want < 0 ? kUnwritten : want)) {
                ADD_FAILURE() << c.op.name << ' ' << c.w << 'x' << c.h << ' ' << what << ": image "
                              << i << " sample " << k % len << ',' << k / len << " is " << got
                              << ", want " << want;
                return;
            }
        }
    }
}

TEST(YcbcrEncodeModel, EveryOperationMatchesTheModel) {
    uint32_t seed = 1;
    for (const Op& op : kOps)
        for (int w : {1, 2, 3, 4, 5, 6, 7, 8, 15, 16, 17, 31, 33})
            for (int h : {1, 2, 3, 4, 5})
                for (StepMode m : {StepMode::dense, StepMode::padded, StepMode::negative}) {
                    if (w < op.minW || h < op.minH) continue;
                    Case c(op, w, h, m);
                    c.randomize(seed++);  // fourth bytes too: the model ignores them
                    ASSERT_EQ(c.run(), expectedStatus(op, {w, h}))
                        << op.name << ' ' << w << 'x' << h;
                    expectMatchesModel(c, "random");
                    Case s(op, w, h, m);
                    for (int y = 0; y < h; ++y)
                        for (int x = 0; x < w; ++x)
                            s.setRgb(x, y, {3 * x + 5 * y, 200 - 2 * x + 4 * y, 90 + 4 * x - y});
                    s.run();
                    expectMatchesModel(s, "smooth");
                }
}

// A 16-bit source whose step is not a whole number of words: rows start at
// the step rounded down to whole words, forwards and backwards.
TEST(YcbcrEncodeModel, SixteenBitSourcesAddressRowsByWholeWords) {
    uint32_t seed = 77;
    for (const Op& op : kOps) {
        if (!op.src.greenBits) continue;
        for (QrxRoiSize roi : {QrxRoiSize{4, 3}, QrxRoiSize{9, 5}, QrxRoiSize{17, 2}})
            for (StepMode m : {StepMode::padded, StepMode::negative}) {
                Case c(op, roi.width, roi.height, m);
                c.randomize(seed++);
                Args a = c.args(roi);
                a.srcStep += 1;
                ASSERT_EQ(op.call(a), expectedStatus(op, roi)) << op.name;
                expectMatchesModel(c, m == StepMode::padded ? "odd step" : "odd negative step");
            }
    }
}

// ---- every sum of a pair or block --------------------------------------------
//
// Chroma depends only on the sums of R, G and B over a pair, a 2 x 2 block or
// four pixels of a row, and a rounding constant off by one changes it only
// where a weighted sum meets a multiple of 2^17 or 2^18 exactly. So every
// (sum of R, sum of B) is converted, with the sum of G at spread levels (every
// level for 16-bit sources, whose sums are few), on the scalar target and on
// the widest, and each chroma pair is compared with the formula. Under the
// sanitizers every 7th sum of R is taken.

class YcbcrEncodeSums : public ::testing::TestWithParam<size_t> {};

// `sum` (a multiple of `unit`) as `n` components of at most `top`, each a
// multiple of `unit`, largest first.
int component(int sum, int k, int top) { return std::clamp(sum - k * top, 0, top); }

TEST_P(YcbcrEncodeSums, EveryPairOrBlockSumGivesTheFormulasChroma) {
    const Op& op = kOps[GetParam()];
    const int gw = op.out == Out::planes411 ? 4 : 2, gh = op.out == Out::planes420 ? 2 : 1;
    const int n = gw * gh;
    const bool words = op.src.greenBits != 0;
    const int unitRB = words ? 8 : 1, unitG = words ? (op.src.greenBits == 6 ? 4 : 8) : 1;
    const int topRB = words ? 248 : 255, topG = words ? (op.src.greenBits == 6 ? 252 : 248) : 255;
    const int levelsRB = n * topRB / unitRB + 1, levelsG = n * topG / unitG + 1;
    std::vector<int> greens;  // sums of G, as multiples of unitG
    const int gCount = words ? levelsG : (n == 2 ? 16 : 4);
    for (int i = 0; i < gCount; ++i)
        greens.push_back(std::min(
            int(int64_t(i) * (levelsG - 1) / (gCount - 1)) * unitG + (words ? 0 : i % 3), n * topG));
    const int stride = qrxtest::kUnderSanitizer ? 7 : 1;
    const int blocksPerRow = 64, w = blocksPerRow * gw;
    const int combos = (levelsRB + stride - 1) / stride * levelsRB;
    const int blockRows = (combos + blocksPerRow - 1) / blocksPerRow, h = blockRows * gh;
    for (qrx::Target t : {qrx::Target::Scalar, qrx::widestTarget()})
        for (int sg : greens) {
            qrxtest::TargetScope scope(t);
            SCOPED_TRACE(std::string(op.name) + " on " + qrx::targetName(t) + ", sum of G " +
                         std::to_string(sg));
            Case c(op, w, h);
            auto sumsOf = [&](int block) {
                const int i = std::min(block, combos - 1);
                return std::pair{(i / levelsRB) * stride * unitRB, (i % levelsRB) * unitRB};
            };
            for (int by = 0; by < blockRows; ++by)
                for (int bx = 0; bx < blocksPerRow; ++bx) {
                    const auto [sr, sb] = sumsOf(by * blocksPerRow + bx);
                    for (int k = 0; k < n; ++k)
                        c.setRgb(bx * gw + k % gw, by * gh + k / gw,
                                 {component(sr, k, topRB), component(sg, k, topG),
                                  component(sb, k, topRB)});
                }
            ASSERT_EQ(c.run(), qrxOk);
            for (int by = 0; by < blockRows; ++by)
                for (int bx = 0; bx < blocksPerRow; ++bx) {
                    const auto [sr, sb] = sumsOf(by * blocksPerRow + bx);
                    // One pixel carrying the sums stands for the block.
                    auto [cb, cr] = chromaOfSums(sr, sg, sb, n, op.nearest);
                    if (op.crFirst) std::swap(cb, cr);
                    int got1, got2;
                    if (op.out == Out::packed422) {
                        got1 = c.dst[0]->row(by)[4 * bx + 1];
                        got2 = c.dst[0]->row(by)[4 * bx + 3];
                    } else {
                        got1 = c.dst[1]->at(bx, by);
                        got2 = c.dst[2]->at(bx, by);
                    }
                    if (got1 != cb || got2 != cr)
                        FAIL() << "sums R " << sr << " G " << sg << " B " << sb << ": " << got1
                               << "," << got2 << ", want " << cb << "," << cr;
                }
        }
}

INSTANTIATE_TEST_SUITE_P(Encoders, YcbcrEncodeSums, ::testing::Range<size_t>(0, std::size(kOps)),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                             return std::string(kOps[info.param].name);
                         });

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
        auto nullSrc = [](Args& a) { a.src = nullptr, a.srcPlanes = nullptr; };
        auto nullDst = [](Args& a) { a.dstPlanes = nullptr, a.dst = nullptr; };
        // Nulls come first: a null source or destination with an empty region.
        EXPECT_EQ(call({0, 0}, nullSrc), qrxErrNullPtr);
        EXPECT_EQ(call({0, 0}, nullDst), qrxErrNullPtr);
        for (QrxRoiSize r : {QrxRoiSize{op.minW - 1, op.minH}, QrxRoiSize{op.minW, op.minH - 1},
                             QrxRoiSize{-1, op.minH}, QrxRoiSize{op.minW, -2}})
            EXPECT_EQ(call(r, none), qrxErrSize) << r.width << 'x' << r.height;
        // A null plane (source planes of P3 sources, else destination planes),
        // tested before or after the size as the encoder has it.
        const bool planarIn = op.src.planes == 3, planarOut = op.out != Out::packed422;
        for (int i = 0; i < 3 && (planarIn || planarOut); ++i) {
            const Qrx8u* src[4] = {c.srcPtrs[0], c.srcPtrs[1], c.srcPtrs[2]};
            Qrx8u* dst[4] = {c.dstPtrs[0], c.dstPtrs[1], c.dstPtrs[2]};
            src[i] = nullptr, dst[i] = nullptr;
            auto nullPlane = [&](Args& a) {
                planarIn ? void(a.srcPlanes = src) : void(a.dstPlanes = dst);
            };
            EXPECT_EQ(call({op.minW, op.minH}, nullPlane), qrxErrNullPtr) << "plane " << i;
            EXPECT_EQ(call({op.minW, 0}, nullPlane),
                      op.planesAfterSize ? qrxErrSize : qrxErrNullPtr);
        }
        for (size_t i = 0; i < c.dst.size(); ++i) EXPECT_TRUE(c.dst[i]->unchangedSince(snaps[i]));
        // The minimum size is converted; steps are never tested (0 repeats row 0).
        EXPECT_EQ(call({op.minW, op.minH}, none), expectedStatus(op, {op.minW, op.minH}));
        EXPECT_EQ(call({4, 2}, [](Args& a) { a.srcStep = 0; }), qrxOk);
        EXPECT_EQ(c.dst[0]->row(1)[0], c.dst[0]->row(0)[0]);
    }
}

// ---- literal edge cases -----------------------------------------------------

using Row = std::vector<int>;
Row rowOf(const Img8& img, int y) {
    return Row(img.row(y), img.row(y) + img.width() * img.channels());
}
constexpr int U = kUnwritten;

TEST(YcbcrEncodeEdge, OddImagesTo420) {
    // 8-bit: only the whole 2x2 block is written.
    Case c(opNamed("BGRToYCbCr420_C3P3R"), 3, 3);
    const Rgb px[9] = {{30, 200, 10}, {60, 50, 40},    {7, 7, 7}, {128, 0, 255},  {250, 90, 90},
                       {3, 2, 1},     {120, 110, 100}, {0, 0, 0}, {255, 255, 255}};
    for (int i = 0; i < 9; ++i) c.setRgb(i % 3, i / 3, px[i]);
    EXPECT_EQ(c.run(), qrxWarnSizeNotMultiple);
    EXPECT_EQ(rowOf(*c.dst[0], 0), (Row{125, 61, U}));
    EXPECT_EQ(rowOf(*c.dst[0], 1), (Row{74, 134, U}));
    EXPECT_EQ(rowOf(*c.dst[0], 2), (Row{U, U, U}));
    EXPECT_EQ(rowOf(*c.dst[1], 0)[0] * 1000 + rowOf(*c.dst[2], 0)[0], 129141);
    // 16-bit: the luma of the last column and row too, and no warning.
    Case d(opNamed("BGR555ToYCbCr420"), 3, 3);
    const int words[9] = {0x7c00, 0x03e0, 0x001f, 0x7fff, 0x2a9e, 0x4104, 0x0443, 0x7bbc, 0x94a5};
    for (int i = 0; i < 9; ++i) d.setWord(i % 3, i / 3, words[i]);
    EXPECT_EQ(d.run(), qrxOk);
    EXPECT_EQ(rowOf(*d.dst[0], 0), (Row{80, 141, 40}));
    EXPECT_EQ(rowOf(*d.dst[0], 1), (Row{229, 141, 84}));  // 31 widens to 248: Y 229
    EXPECT_EQ(rowOf(*d.dst[0], 2), (Row{28, 217, 50}));   // bit 15 is ignored
    EXPECT_EQ(rowOf(*d.dst[1], 0)[0] * 1000 + rowOf(*d.dst[2], 0)[0], 112122);
}

TEST(YcbcrEncodeEdge, WidthOneToPacked422) {
    const Rgb px[3] = {{255, 0, 0}, {0, 0, 255}, {12, 34, 56}};
    for (const char* name : {"RGBToYCbCr422_C3C2R", "RGBToYCrCb422_C3C2R"}) {
        Case c(opNamed(name), 1, 3);
        for (int y = 0; y < 3; ++y) c.setRgb(0, y, px[y]);
        EXPECT_EQ(c.run(), qrxOk);
        const bool cr = c.op.crFirst;  // Y and the first chroma byte of the pair
        EXPECT_EQ(rowOf(*c.dst[0], 0), (Row{82, cr ? 240 : 90}));
        EXPECT_EQ(rowOf(*c.dst[0], 1), (Row{41, cr ? 110 : 240}));
        EXPECT_EQ(rowOf(*c.dst[0], 2), (Row{42, cr ? 117 : 141}));
        EXPECT_TRUE(c.dst[0]->untouchedOutside());
    }
    EXPECT_EQ(Case(opNamed("BGRToYCbCr422_C3C2R"), 1, 3).run(), qrxErrSize);
}

TEST(YcbcrEncodeEdge, Width6To411) {
    Case c(opNamed("BGRToYCbCr411_C3P3R"), 6, 1), d(opNamed("BGR565ToYCbCr411"), 6, 1);
    c.src[0]->fill(255);
    d.src[0]->fill(255);  // 248, 252, 248
    EXPECT_EQ(c.run(), qrxWarnSizeNotMultiple);
    EXPECT_EQ(d.run(), qrxWarnSizeNotMultiple);
    EXPECT_EQ(rowOf(*c.dst[0], 0), (Row{235, 235, 235, 235, U, U}));
    EXPECT_EQ(rowOf(*d.dst[0], 0), (Row{231, 231, 231, 231, 231, 231}));
    EXPECT_EQ(rowOf(*c.dst[1], 0)[0] * 1000 + rowOf(*c.dst[2], 0)[0], 128128);
    EXPECT_EQ(rowOf(*d.dst[1], 0)[0] * 1000 + rowOf(*d.dst[2], 0)[0], 126126);
}

TEST(YcbcrEncodeEdge, WhiteAndBlackFromEveryEightBitSource) {
    for (const Op& op : kOps)
        for (int v : {255, 0}) {
            if (op.src.greenBits) continue;
            Case c(op, 4, 2);
            for (int i = 0; i < 8; ++i) c.setRgb(i % 4, i / 4, {v, v, v});
            c.run();
            const int luma = v ? 235 : 16;
            const Row row = rowOf(*c.dst[0], 1);
            for (size_t i = 0; i < row.size(); ++i)
                EXPECT_EQ(row[i], op.out == Out::packed422 && i % 2 ? 128 : luma) << op.name;
            for (size_t p = 1; p < c.dst.size(); ++p)
                EXPECT_EQ(rowOf(*c.dst[p], 0), Row(c.dst[p]->width(), 128)) << op.name;
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
    Case near420(opNamed("RGBToYCbCr420_C3P3R"), 2, 2),
        block420(opNamed("BGRToYCbCr420_C3P3R"), 2, 2);
    const Rgb quad[4] = {{242, 198, 218}, {202, 227, 68}, {187, 49, 18}, {69, 253, 111}};
    for (Case* c : {&near420, &block420}) {
        for (int i = 0; i < 4; ++i) c->setRgb(i % 2, i / 2, quad[i]);
        c->run();
        EXPECT_EQ(rowOf(*c->dst[0], 0), (Row{199, 189}));
        EXPECT_EQ(rowOf(*c->dst[0], 1), (Row{91, 172}));
    }
    EXPECT_EQ(rowOf(*near420.dst[1], 0)[0] * 1000 + rowOf(*near420.dst[2], 0)[0], 95131);
    EXPECT_EQ(rowOf(*block420.dst[1], 0)[0] * 1000 + rowOf(*block420.dst[2], 0)[0], 94130);
}

TEST(YcbcrEncodeEdge, FourthSourceByteIsNeverUsed) {
    for (const Op& op : kOps) {
        if (op.src.bytes != 4) continue;
        Case a(op, 6, 2), b(op, 6, 2);
        a.randomize(5);
        b.randomize(5);
        for (int i = 0; i < 12; ++i) b.byte(i % 6, i / 6, 3) ^= 0xff;
        EXPECT_EQ(a.run(), b.run());
        for (size_t p = 0; p < a.dst.size(); ++p)
            EXPECT_EQ(a.dst[p]->snapshot(), b.dst[p]->snapshot()) << op.name;
    }
}

}  // namespace
