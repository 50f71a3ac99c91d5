// CFA to RGB: the edge cases as literal values, every grid and region
// position against a per-pixel model, thin regions at the source edges, and
// the order of the argument checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "bayer_grid.h"
#include "guarded_image.h"
#include "qrxcc.h"

namespace {

using qrxtest::GuardedImage;

template <class T>
using CfaFn = QrxStatus (*)(const T*, QrxRect, QrxRoiSize, int, T*, int, QrxBayerGrid);

template <class T>
CfaFn<T> cfaFn();
template <>
CfaFn<Qrx8u> cfaFn() {
    return qrxiCFAToRGB_8u_C1C3R;
}
template <>
CfaFn<Qrx16u> cfaFn() {
    return qrxiCFAToRGB_16u_C1C3R;
}

using bayertest::colour;
using bayertest::reflect;

// The model: every pixel straight from the definitions.
template <class T>
std::vector<int> model(const GuardedImage<T>& s, int grid, int r, int c) {
    const int W = s.width(), H = s.height();
    auto S = [&](int rr, int cc) { return int(s.at(reflect(cc, W), reflect(rr, H))); };
    auto avg2 = [](int a, int b) { return (a + b + 1) / 2; };
    auto avg4 = [](int a, int b, int c, int d) { return (a + b + c + d + 2) / 4; };
    std::vector<int> rgb(3);
    const int own = colour(grid, r, c);
    if (own == 1) {
        rgb[1] = S(r, c);
        rgb[colour(grid, r, c + 1)] = avg2(S(r, c - 1), S(r, c + 1));
        rgb[colour(grid, r + 1, c)] = avg2(S(r - 1, c), S(r + 1, c));
        return rgb;
    }
    rgb[own] = S(r, c);
    rgb[2 - own] = avg4(S(r - 1, c - 1), S(r - 1, c + 1), S(r + 1, c - 1), S(r + 1, c + 1));
    const int all4 = avg4(S(r - 1, c), S(r, c - 1), S(r, c + 1), S(r + 1, c));
    const bool interior = r >= 2 && r < H - 2 && c >= 2 && c < W - 2;
    const int dV = std::abs(S(r - 2, c) - S(r + 2, c)), dH = std::abs(S(r, c - 2) - S(r, c + 2));
    rgb[1] = !interior || dV == dH ? all4
             : dV < dH             ? avg2(S(r - 1, c), S(r + 1, c))
                                   : avg2(S(r, c - 1), S(r, c + 1));
    return rgb;
}

// Converts `roi` of a random source and compares every written pixel with
// the model; the destination is exactly the clipped region, so any write
// beyond it faults or breaks a sentinel.
template <class T>
void expectModel(int W, int H, QrxRect roi, int grid, uint32_t seed, int maxValue) {
    SCOPED_TRACE("source " + std::to_string(W) + "x" + std::to_string(H) + " roi " +
                 std::to_string(roi.x) + "," + std::to_string(roi.y) + " " +
                 std::to_string(roi.width) + "x" + std::to_string(roi.height) + " grid " +
                 std::to_string(grid));
    GuardedImage<T> s(W, H);
    s.randomize(seed, 0, maxValue);
    const int w = std::min(roi.width, W - roi.x), h = std::min(roi.height, H - roi.y);
    GuardedImage<T> d(w, h, 3, (3 * w + 5) * int(sizeof(T)));
    ASSERT_EQ(cfaFn<T>()(s.ptr(), roi, {W, H}, s.step(), d.ptr(), d.step(), QrxBayerGrid(grid)),
              qrxOk);
    int bad = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const auto want = model(s, grid, roi.y + y, roi.x + x);
            for (int ch = 0; ch < 3; ++ch) bad += d.at(x, y, ch) != want[ch];
        }
    EXPECT_EQ(bad, 0);
    EXPECT_TRUE(d.untouchedOutside());
}

template <class T>
void everyGridAndPosition(int maxValue) {
    for (int grid = 0; grid < 4; ++grid) {
        // The whole source, and regions at odd and even origins, clipped or not.
        for (QrxRect roi : {QrxRect{0, 0, 37, 23}, {1, 0, 20, 9}, {0, 1, 9, 20}, {3, 5, 30, 11},
                            {2, 2, 33, 19}, {5, 4, 64, 64}, {36, 22, 1, 1}, {35, 21, 4, 4}})
            expectModel<T>(37, 23, roi, grid, 11 * grid + roi.x, maxValue);
        // The smallest sources: every pixel near an edge.
        for (int W = 2; W <= 5; ++W)
            for (int H = 2; H <= 5; ++H) expectModel<T>(W, H, {0, 0, W, H}, grid, W * H, maxValue);
        // A long row: the vector columns and the scalar tail.
        expectModel<T>(300, 6, {1, 1, 299, 5}, grid, 7, maxValue);
        expectModel<T>(300, 6, {2, 2, 297, 2}, grid, 8, maxValue);
    }
}

TEST(Cfa, EveryGridAndRegionFollowsModel) {
    everyGridAndPosition<Qrx8u>(255);
    everyGridAndPosition<Qrx16u>(65535);
}

// Regions 1 to 5 pixels wide or high along each edge and at each corner.
TEST(Cfa, ThinRegionsAtEveryEdge) {
    const int W = 24, H = 17;
    for (int grid = 0; grid < 4; ++grid)
        for (int n = 1; n <= 5; ++n) {
            for (int y : {0, 1, 8, H - n, H - 1}) {
                expectModel<Qrx8u>(W, H, {0, y, W, n}, grid, n + y, 255);
                expectModel<Qrx16u>(W, H, {3, y, W, n}, grid, n + y, 65535);
            }
            for (int x : {0, 1, 9, W - n, W - 1}) {
                expectModel<Qrx8u>(W, H, {x, 0, n, H}, grid, n + x, 255);
                expectModel<Qrx16u>(W, H, {x, 2, n, H}, grid, n + x, 65535);
            }
        }
}

TEST(Cfa, KnownValues) {
    // A 2 x 2 RGGB source: every pixel mirrors its missing neighbours.
    // R=10 G=20 / G=40 B=80: the red pixel's blue is avg4(80,80,80,80) and
    // its green avg4(40,20,20,40) = 30.
    GuardedImage<Qrx8u> s(2, 2);
    s.at(0, 0) = 10, s.at(1, 0) = 20, s.at(0, 1) = 40, s.at(1, 1) = 80;
    GuardedImage<Qrx8u> d(2, 2, 3);
    ASSERT_EQ(qrxiCFAToRGB_8u_C1C3R(s.ptr(), {0, 0, 2, 2}, {2, 2}, s.step(), d.ptr(), d.step(),
                                    qrxGridRGGB),
              qrxOk);
    const int want[2][2][3] = {{{10, 30, 80}, {10, 20, 80}}, {{10, 40, 80}, {10, 30, 80}}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            for (int c = 0; c < 3; ++c) EXPECT_EQ(d.at(x, y, c), want[y][x][c]) << x << y << c;

    // A flat field stays flat, borders included.
    GuardedImage<Qrx16u> f(9, 7), fd(9, 7, 3);
    f.fill(1234);
    ASSERT_EQ(qrxiCFAToRGB_16u_C1C3R(f.ptr(), {0, 0, 9, 7}, {9, 7}, f.step(), fd.ptr(), fd.step(),
                                     qrxGridGBRG),
              qrxOk);
    for (int y = 0; y < 7; ++y)
        for (int i = 0; i < 27; ++i) EXPECT_EQ(fd.row(y)[i], 1234);

    // Interior red site at (2, 2) of an RGGB 5 x 5 source with greens 10
    // above, 40 below, 20 left and 36 right. The same gradient both ways
    // (|1 - 3| = |5 - 7| = 2) averages all four: (106 + 2) / 4 = 27; the
    // smaller vertical gradient takes (10 + 40 + 1) / 2 = 25, the smaller
    // horizontal one (20 + 36 + 1) / 2 = 28.
    auto centreGreen = [](int up2, int down2, int left2, int right2) {
        GuardedImage<Qrx8u> src(5, 5);
        src.fill(0);
        src.at(2, 0) = Qrx8u(up2), src.at(2, 4) = Qrx8u(down2);
        src.at(0, 2) = Qrx8u(left2), src.at(4, 2) = Qrx8u(right2);
        src.at(2, 1) = 10, src.at(1, 2) = 20, src.at(3, 2) = 36, src.at(2, 3) = 40;
        GuardedImage<Qrx8u> out(1, 1, 3);
        EXPECT_EQ(qrxiCFAToRGB_8u_C1C3R(src.ptr(), {2, 2, 1, 1}, {5, 5}, src.step(), out.ptr(),
                                        out.step(), qrxGridRGGB),
                  qrxOk);
        return int(out.at(0, 0, 1));
    };
    EXPECT_EQ(centreGreen(1, 3, 5, 7), 27);
    EXPECT_EQ(centreGreen(1, 2, 5, 7), 25);
    EXPECT_EQ(centreGreen(1, 4, 5, 6), 28);

    // 30 x 30 at (1, 1) of a 20 x 10 source writes 19 x 9 pixels; 1 x 1 at
    // the last pixel writes that pixel alone (a guarded 1-pixel image).
    expectModel<Qrx8u>(20, 10, {1, 1, 30, 30}, qrxGridBGGR, 3, 255);
    expectModel<Qrx8u>(20, 10, {19, 9, 1, 1}, qrxGridGRBG, 4, 255);
}

TEST(Cfa, ChecksInOrderAndNothingWrittenOnError) {
    for (int bytes : {1, 2}) {
        SCOPED_TRACE(bytes == 1 ? "8u" : "16u");
        GuardedImage<Qrx16u> s(8, 8), d(8, 8, 3);
        const auto snap = d.snapshot();
        auto call = [&](const void* src, QrxRect roi, QrxRoiSize size, void* dst, int grid) {
            if (bytes == 1)
                return qrxiCFAToRGB_8u_C1C3R(static_cast<const Qrx8u*>(src), roi, size, s.step(),
                                             static_cast<Qrx8u*>(dst), d.step(), QrxBayerGrid(grid));
            return qrxiCFAToRGB_16u_C1C3R(static_cast<const Qrx16u*>(src), roi, size, s.step(),
                                          static_cast<Qrx16u*>(dst), d.step(), QrxBayerGrid(grid));
        };
        const QrxRect all{0, 0, 8, 8};
        EXPECT_EQ(call(nullptr, all, {1, 0}, d.ptr(), 9), qrxErrNullPtr);
        EXPECT_EQ(call(s.ptr(), all, {1, 0}, nullptr, 9), qrxErrNullPtr);
        EXPECT_EQ(call(s.ptr(), all, {1, 8}, d.ptr(), 9), qrxErrSize);
        EXPECT_EQ(call(s.ptr(), all, {8, 1}, d.ptr(), 9), qrxErrSize);
        EXPECT_EQ(call(s.ptr(), all, {-8, 8}, d.ptr(), 0), qrxErrSize);
        EXPECT_EQ(call(s.ptr(), all, {2, 2}, d.ptr(), 4), qrxErrBadArg);
        EXPECT_EQ(call(s.ptr(), all, {2, 2}, d.ptr(), -1), qrxErrBadArg);
        // Regions that do not start inside the source or hold no pixel.
        for (QrxRect r : {QrxRect{-1, 0, 8, 8}, {0, -1, 8, 8}, {8, 0, 1, 1}, {0, 8, 1, 1},
                          {0, 0, 0, 8}, {0, 0, 8, 0}, {0, 0, -3, 8}})
            EXPECT_EQ(call(s.ptr(), r, {8, 8}, d.ptr(), 1), qrxErrSize);
        EXPECT_TRUE(d.unchangedSince(snap));
    }
}

}  // namespace
