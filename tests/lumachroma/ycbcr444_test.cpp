// RGB <-> YCbCr 4:4:4: every operation against a per-pixel model of its formulas,
// the decoders over every input.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "guarded_image.h"
#include "targets.h"
#include "qrxcc.h"

namespace {

using Img = qrxtest::GuardedImage<Qrx8u>;
using Px = std::array<int, 3>;

// Floor of v / d for d > 0.
int fl(int v, int d) {
    return v >= 0 ? v / d : -((d - 1 - v) / d);
}
int clamp8(int v) {
    return std::clamp(v, 0, 255);
}

Px matrix(Px p) {
    const auto [r, g, b] = p;
    return {fl(16843 * r + 33030 * g + 6423 * b + 1081344, 65536),
            fl(-9699 * r - 19071 * g + 28770 * b + 8421376, 65536),
            fl(28770 * r - 24117 * g - 4653 * b + 8421376, 65536)};
}
Px halved(Px p) {
    const auto [r, g, b] = p;
    return {clamp8(fl(fl(8421 * r + 16515 * g, 2048) + fl(3211 * b, 2048) + 264, 16)),
            clamp8(fl(fl(-4850 * r - 9535 * g, 2048) + fl(14385 * b, 2048) + 2056, 16)),
            clamp8(fl(fl(14385 * r - 12059 * g, 2048) + fl(-2327 * b, 2048) + 2056, 16))};
}
Px truncated(Px p) {
    const auto [r, g, b] = p;
    return {
        fl(fl(16843 * r, 256) + fl(33030 * g, 256) + fl(6423 * b, 256) + 128, 256) + 16,
        clamp8(fl(fl(-9699 * r, 512) + fl(-19071 * g, 512) + fl(28770 * b, 512) + 64, 128) + 128),
        clamp8(fl(fl(28770 * r, 512) + fl(-24117 * g, 512) + fl(-4653 * b, 512) + 64, 128) + 128)};
}
Px inverse(Px p) {
    const int y = 76284 * p[0] - 1220544, b = p[1] - 128, r = p[2] - 128;
    return {clamp8(fl(y + 104595 * r, 65536)), clamp8(fl(y - 25690 * b - 53281 * r, 65536)),
            clamp8(fl(y + 132186 * b, 65536))};
}

// The decoders' 16-bit group arithmetic: weights divided by 8, each product
// floored at 2^8, the sum floored at 2^5.
Px groupInverse(Px p) {
    const int y = fl(9535 * p[0], 256) - 595, b = p[1] - 128, r = p[2] - 128;
    return {clamp8(fl(y + fl(13074 * r, 256), 32)),
            clamp8(fl(y + fl(-3211 * b, 256) + fl(-6660 * r, 256), 32)),
            clamp8(fl(y + fl(16523 * b, 256), 32))};
}

// Three channels: interleaved (3 or 4 bytes a pixel) or, for 0, three planes
// sharing one step. stepMode 0 dense, 1 padded, -1 padded and negative.
struct Image {
    int channels;
    std::vector<std::unique_ptr<Img>> parts;
    std::array<Qrx8u*, 4> planes{};  // the fourth stays null: no member reads it
    Image(int ch, int w, int h, int stepMode) : channels(ch) {
        const int bytes = w * std::max(ch, 1), step = stepMode == 0 ? 0 : stepMode * (bytes + 5);
        for (int i = 0; i < (ch ? 1 : 3); ++i) {
            parts.push_back(std::make_unique<Img>(w, h, std::max(ch, 1), step));
            planes[i] = parts.back()->ptr();
        }
    }
    Qrx8u& at(int x, int y, int c) { return channels ? parts[0]->at(x, y, c) : parts[c]->at(x, y); }
    void randomize(int seed) {
        for (auto& p : parts) p->randomize(seed++);
    }
    bool untouchedOutside() const {
        return std::all_of(parts.begin(), parts.end(),
                           [](auto& p) { return p->untouchedOutside(); });
    }
    // Every byte of every part, margins included, for "nothing written" checks.
    std::vector<unsigned char> bytes() const {
        std::vector<unsigned char> all;
        for (auto& p : parts) std::ranges::copy(p->snapshot(), std::back_inserter(all));
        return all;
    }
};

// Every argument an operation may take; each entry picks its own.
struct Args {
    const Qrx8u* src;
    const Qrx8u* const* srcP;
    int ss;
    Qrx8u* dst;
    Qrx8u* const* dstP;
    int ds;
    QrxRoiSize roi;
};
Args args(Image& s, Image& d, QrxRoiSize roi) {
    return {s.planes[0], s.planes.data(), s.parts[0]->step(),
            d.planes[0], d.planes.data(), d.parts[0]->step(),
            roi};
}

// The group arithmetic stays within one of the matrix.
enum Tol { Exact, Bounded };

struct Op {
    const char* name;
    int srcCh, dstCh;  // 0 = planes
    std::function<QrxStatus(const Args&)> call;
    Px (*model)(Px in, int x, int width);  // in destination channel order
    Tol tol;
    int alpha;         // fourth destination byte: -1 unchanged
    bool planesFirst;  // plane pointers tested before the size
};

const std::vector<Op>& ops() {
    auto lead8 = [](Px p, int x, int w) { return x < (w & ~7) ? truncated(p) : matrix(p); };
    // Decoders: groups of 8 then the matrix; the P3C4R forms the groups everywhere.
    auto dec = [](Px p, int x, int w) { return x < (w & ~7) ? groupInverse(p) : inverse(p); };
    auto decBgr = [](Px p, int x, int w) {
        Px c = x < (w & ~7) ? groupInverse(p) : inverse(p);
        return Px{c[2], c[1], c[0]};
    };
    auto decAll = [](Px p, int, int) { return groupInverse(p); };
    auto decAllBgr = [](Px p, int, int) {
        Px c = groupInverse(p);
        return Px{c[2], c[1], c[0]};
    };
    static const std::vector<Op> v = {
        {"RGBToYCbCr_C3R", 3, 3,
         [](const Args& a) { return qrxiRGBToYCbCr_8u_C3R(a.src, a.ss, a.dst, a.ds, a.roi); },
         [](Px p, int x, int w) { return x < (w & ~7) ? halved(p) : matrix(p); }, Exact, -1, false},
        {"RGBToYCbCr_AC4R", 4, 4,
         [](const Args& a) { return qrxiRGBToYCbCr_8u_AC4R(a.src, a.ss, a.dst, a.ds, a.roi); },
         [](Px p, int, int) { return matrix(p); }, Exact, -1, false},
        {"RGBToYCbCr_C3P3R", 3, 0,
         [](const Args& a) { return qrxiRGBToYCbCr_8u_C3P3R(a.src, a.ss, a.dstP, a.ds, a.roi); },
         lead8, Exact, -1, true},
        {"RGBToYCbCr_AC4P3R", 4, 0,
         [](const Args& a) { return qrxiRGBToYCbCr_8u_AC4P3R(a.src, a.ss, a.dstP, a.ds, a.roi); },
         lead8, Exact, -1, true},
        {"RGBToYCbCr_P3R", 0, 0,
         [](const Args& a) { return qrxiRGBToYCbCr_8u_P3R(a.srcP, a.ss, a.dstP, a.ds, a.roi); },
         [](Px p, int x, int w) { return x < (w & ~15) ? truncated(p) : matrix(p); }, Exact, -1,
         false},
        {"YCbCrToRGB_C3R", 3, 3,
         [](const Args& a) { return qrxiYCbCrToRGB_8u_C3R(a.src, a.ss, a.dst, a.ds, a.roi); }, dec,
         Exact, -1, false},
        {"YCbCrToRGB_AC4R", 4, 4,
         [](const Args& a) { return qrxiYCbCrToRGB_8u_AC4R(a.src, a.ss, a.dst, a.ds, a.roi); },
         [](Px p, int, int) { return inverse(p); }, Exact, -1, false},
        {"YCbCrToRGB_P3C3R", 0, 3,
         [](const Args& a) { return qrxiYCbCrToRGB_8u_P3C3R(a.srcP, a.ss, a.dst, a.ds, a.roi); },
         dec, Exact, -1, false},
        {"YCbCrToRGB_P3C4R", 0, 4,
         [](const Args& a) {
             return qrxiYCbCrToRGB_8u_P3C4R(a.srcP, a.ss, a.dst, a.ds, a.roi, 90);
         },
         decAll, Exact, 90, false},
        {"YCbCrToRGB_P3R", 0, 0,
         [](const Args& a) { return qrxiYCbCrToRGB_8u_P3R(a.srcP, a.ss, a.dstP, a.ds, a.roi); },
         dec, Exact, -1, false},
        {"YCbCrToBGR_P3C3R", 0, 3,
         [](const Args& a) { return qrxiYCbCrToBGR_8u_P3C3R(a.srcP, a.ss, a.dst, a.ds, a.roi); },
         decBgr, Exact, -1, true},
        {"YCbCrToBGR_P3C4R", 0, 4,
         [](const Args& a) { return qrxiYCbCrToBGR_8u_P3C4R(a.srcP, a.ss, a.dst, a.ds, a.roi, 7); },
         decAllBgr, Exact, 7, true},
    };
    return v;
}

bool isEncoder(const Op& op) {
    return std::string(op.name).starts_with("RGB");
}

// Converts and compares every sample with the model; also the fourth byte and the margins.
void expectConverted(const Op& op, Image& s, Image& d, int w, int h) {
    std::vector<int> alpha;
    for (int y = 0; y < h && op.dstCh == 4; ++y)
        for (int x = 0; x < w; ++x) alpha.push_back(d.at(x, y, 3));
    ASSERT_EQ(op.call(args(s, d, {w, h})), qrxOk);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Px want = op.model({s.at(x, y, 0), s.at(x, y, 1), s.at(x, y, 2)}, x, w);
            const int slack = op.tol == Bounded ? 1 : 0;
            for (int c = 0; c < 3; ++c)
                if (std::abs(d.at(x, y, c) - want[c]) > slack)
                    return ADD_FAILURE() << "x " << x << " y " << y << " c " << c;
            if (op.dstCh == 4 && d.at(x, y, 3) != (op.alpha < 0 ? alpha[y * w + x] : op.alpha))
                return ADD_FAILURE() << "alpha at x " << x << " y " << y;
        }
    EXPECT_TRUE(d.untouchedOutside());
}

TEST(Ycbcr444, EveryOperationFollowsItsFormulasOnRandomImages) {
    for (const Op& op : ops())
        for (int w : {1, 2, 7, 8, 9, 15, 16, 17, 31, 32, 33, 47})
            for (int h : {1, 3})
                for (int mode : {0, 1, -1}) {
                    SCOPED_TRACE(std::string(op.name) + " " + std::to_string(w) + "x" +
                                 std::to_string(h) + " step " + std::to_string(mode));
                    Image s(op.srcCh, w, h, mode), d(op.dstCh, w, h, mode);
                    s.randomize(w * 7 + h);
                    d.randomize(99);
                    expectConverted(op, s, d, w, h);
                }
}

// Every (Y, Cb, Cr) once through every decoder, in rows of 4096 pixels (all
// in groups of 8) and in rows of 7 (all beyond the groups), each sample
// exactly as its formula gives it. Triple t sits at pixel t of the image:
// Y = t mod 256, Cb = t / 256 mod 256, Cr = t / 65536. Under the sanitizers
// every 17th triple is taken.
TEST(Ycbcr444, DecodersFollowTheirFormulasForEveryInput) {
    const int step = qrxtest::kUnderSanitizer ? 17 : 1, count = (1 << 24) / step;
    for (const Op& op : ops()) {
        if (isEncoder(op)) continue;
        for (int w : {4096, 7}) {
            SCOPED_TRACE(std::string(op.name) + " width " + std::to_string(w));
            const int h = (count + w - 1) / w;
            Image s(op.srcCh, w, h, 0), d(op.dstCh, w, h, 0);
            auto triple = [&](int x, int y) {
                const int t = int((int64_t(y) * w + x) * step % (1 << 24));
                return Px{t & 255, t >> 8 & 255, t >> 16};
            };
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const Px t = triple(x, y);
                    for (int c = 0; c < 3; ++c) s.at(x, y, c) = Qrx8u(t[c]);
                }
            ASSERT_EQ(op.call(args(s, d, {w, h})), qrxOk);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const Px want = op.model(triple(x, y), x, w);
                    for (int c = 0; c < 3; ++c)
                        if (d.at(x, y, c) != want[c])
                            FAIL() << "Y, Cb, Cr " << triple(x, y)[0] << ", " << triple(x, y)[1]
                                   << ", " << triple(x, y)[2] << " channel " << c << ": "
                                   << int(d.at(x, y, c)) << ", want " << want[c];
                }
        }
    }
}

// Fills two rows with one colour and expects one result in every column.
void expectSolid(const Op& op, int w, Px in, Px out) {
    Image s(op.srcCh, w, 2, 0), d(op.dstCh, w, 2, 0);
    for (int x = 0; x < w; ++x)
        for (int c = 0; c < 3; ++c) s.at(x, 1, c) = s.at(x, 0, c) = Qrx8u(in[c]);
    ASSERT_EQ(op.call(args(s, d, {w, 2})), qrxOk);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) EXPECT_EQ(d.at(x, y, c), out[c]) << x;
}

TEST(Ycbcr444, KnownColoursInEveryColumn) {
    for (const Op& op : ops()) {
        SCOPED_TRACE(op.name);
        for (int w : {1, 17}) {
            if (isEncoder(op)) {  // the group formulas agree with the matrix here
                expectSolid(op, w, {0, 0, 0}, {16, 128, 128});
                expectSolid(op, w, {255, 255, 255}, {235, 128, 128});
                expectSolid(op, w, {255, 0, 0}, {82, 90, 240});
                continue;
            }
            expectSolid(op, w, {16, 128, 128}, {0, 0, 0});
            // No rounding term: studio white misses 255 wherever the matrix applies.
            // (The group arithmetic gives 254 or 255.)
            if (w < 8 && op.alpha < 0) expectSolid(op, w, {235, 128, 128}, {254, 254, 254});
        }
    }
}

TEST(Ycbcr444, ChecksRunInOrderAndFailuresWriteNothing) {
    for (const Op& op : ops()) {
        SCOPED_TRACE(op.name);
        Image s(op.srcCh, 4, 3, 0), d(op.dstCh, 4, 3, 0);
        s.randomize(5);
        const auto snap = d.bytes();
        const Args a = args(s, d, {4, 3});
        auto fails = [&](Args b, QrxRoiSize roi, QrxStatus want) {
            b.roi = roi;
            EXPECT_EQ(op.call(b), want) << roi.width << "x" << roi.height;
            EXPECT_EQ(d.bytes(), snap);
        };
        fails({nullptr, nullptr, a.ss, a.dst, a.dstP, a.ds, a.roi}, {0, 3}, qrxErrNullPtr);
        fails({a.src, a.srcP, a.ss, nullptr, nullptr, a.ds, a.roi}, {0, 3}, qrxErrNullPtr);
        for (QrxRoiSize roi : {QrxRoiSize{0, 3}, {4, 0}, {-1, 3}, {4, -2}})
            fails(a, roi, qrxErrSize);
        for (int side = 0; side < 2; ++side)
            for (int k = 0; k < 3; ++k) {
                if ((side ? op.dstCh : op.srcCh) != 0) continue;
                std::array<Qrx8u*, 4> p = side ? d.planes : s.planes;
                p[k] = nullptr;
                Args b = a;
                if (side)
                    b.dstP = p.data();
                else
                    b.srcP = p.data();
                fails(b, {0, 3}, op.planesFirst ? qrxErrNullPtr : qrxErrSize);
                fails(b, {4, 3}, qrxErrNullPtr);
            }
        // Steps are not tested: a zero source step converts row 0 again.
        Args b = a;
        b.ss = 0;
        ASSERT_EQ(op.call(b), qrxOk);
        for (int x = 0; x < 4; ++x)
            for (int c = 0; c < 3; ++c) EXPECT_EQ(d.at(x, 2, c), d.at(x, 0, c));
    }
}

}  // namespace
