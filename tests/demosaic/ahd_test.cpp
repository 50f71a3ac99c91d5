// AHD demosaicing: literal edge cases, every grid and region position
// against a whole-image model, thin regions at every source edge with the
// destination and the scratch image guarded, and the order of the checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "demosaic/ahd/split.h"
#include "bayer_grid.h"
#include "guarded_image.h"
#include "qrxcc.h"

namespace {

using qrxtest::GuardedImage;

template <class T>
using AhdFn = QrxStatus (*)(const T*, QrxRect, QrxRoiSize, int, T*, int, QrxBayerGrid, T*, int);
template <class T>
AhdFn<T> ahdFn();
template <>
AhdFn<Qrx8u> ahdFn() {
    return qrxiDemosaicAHD_8u_C1C3R;
}
template <>
AhdFn<Qrx16u> ahdFn() {
    return qrxiDemosaicAHD_16u_C1C3R;
}

using bayertest::colour;
using bayertest::reflect;

float labF(float t) {
    if (t < 0.008856f) return 7.787037f * t + 0.13793103f;
    float a = (0.6f * t + 0.0081f) / (t + 0.054f);
    for (int i = 0; i < 2; ++i) {
        const float a3 = (a * a) * a;
        a = a * ((t + t + a3) / ((t + a3) + a3));
    }
    return a;
}

// The whole reconstruction on the source extended by mirroring, one image
// per stage; the output of pixel (r, c) is out(r, c). Direction 0 is the
// row candidate, 1 the column candidate.
template <class T>
struct Model {
    static constexpr int M = 6;  // margin kept around the source
    int W, H, grid, max;
    std::vector<int> S, green[2], rgb[2][3];
    std::vector<float> lab[2][3];
    std::vector<int> m;

    int idx(int r, int c) const { return (r + M) * (W + 2 * M) + (c + M); }

    Model(const GuardedImage<T>& s, int g) : W(s.width()), H(s.height()), grid(g) {
        max = sizeof(T) == 1 ? 255 : 65535;
        const size_t n = size_t(H + 2 * M) * (W + 2 * M);
        S.resize(n), m.resize(n);
        for (int d = 0; d < 2; ++d) {
            green[d].resize(n);
            for (int ch = 0; ch < 3; ++ch) rgb[d][ch].resize(n), lab[d][ch].resize(n);
        }
        for (int r = -M; r < H + M; ++r)
            for (int c = -M; c < W + M; ++c) S[idx(r, c)] = s.at(reflect(c, W), reflect(r, H));
        auto E = [&](int r, int c) { return int(s.at(reflect(c, W), reflect(r, H))); };
        // Directional greens.
        for (int r = -M; r < H + M; ++r)
            for (int c = -M; c < W + M; ++c)
                for (int d = 0; d < 2; ++d) {
                    const int dr = d, dc = 1 - d, k = E(r, c);
                    int v = k;
                    if (colour(grid, r, c) != 1) {
                        const int g1 = E(r - dr, c - dc), g2 = E(r + dr, c + dc);
                        const int avg = (g1 + g2) >> 1;
                        v = avg + (((k - E(r - 2 * dr, c - 2 * dc)) + (k - E(r + 2 * dr, c + 2 * dc))) >> 2);
                        if (((v - g1) ^ (g2 - v)) <= 0) v = avg;
                    }
                    green[d][idx(r, c)] = v;
                }
        // Red and blue by colour differences, then Lab.
        const float k8[9] = {0.0017017754726111889f, 0.001475370256230235f, 0.0007444228394888341f,
                             0.0008340039057657123f, 0.002804549178108573f, 0.0002830156881827861f,
                             6.96388742653653e-05f, 0.0004293196543585509f, 0.0034226097632199526f};
        const float k16[9] = {6.6216944105690345e-06f, 5.740740107285092e-06f, 2.896586920542177e-06f,
                              3.245151447117678e-06f, 1.0912642210314516e-05f, 1.1012283493982977e-06f,
                              2.709683712964761e-07f, 1.6705045027265442e-06f, 1.3317548109625932e-05f};
        const float* k = sizeof(T) == 1 ? k8 : k16;
        for (int r = 1 - M; r < H + M - 1; ++r)
            for (int c = 1 - M; c < W + M - 1; ++c)
                for (int d = 0; d < 2; ++d) {
                    auto G = [&](int rr, int cc) { return green[d][idx(rr, cc)]; };
                    auto diff = [&](int rr, int cc) { return S[idx(rr, cc)] - G(rr, cc); };
                    auto clamp = [&](int v) { return std::clamp(v, 0, max); };
                    int* out[3] = {&rgb[d][0][idx(r, c)], &rgb[d][1][idx(r, c)], &rgb[d][2][idx(r, c)]};
                    const int own = colour(grid, r, c);
                    *out[1] = G(r, c);
                    if (own == 1) {
                        *out[colour(grid, r, c + 1)] = clamp(G(r, c) + ((diff(r, c - 1) + diff(r, c + 1)) >> 1));
                        *out[colour(grid, r + 1, c)] = clamp(G(r, c) + ((diff(r - 1, c) + diff(r + 1, c)) >> 1));
                    } else {
                        *out[own] = S[idx(r, c)];
                        const int sumK = S[idx(r - 1, c - 1)] + S[idx(r - 1, c + 1)] + S[idx(r + 1, c - 1)] + S[idx(r + 1, c + 1)];
                        const int sumG = G(r - 1, c - 1) + G(r - 1, c + 1) + G(r + 1, c - 1) + G(r + 1, c + 1);
                        *out[2 - own] = clamp(G(r, c) + ((sumK - sumG) >> 2));
                    }
                    const float R = float(*out[0]), Gf = float(*out[1]), B = float(*out[2]);
                    const float X = (k[0] * R + k[1] * Gf) + k[2] * B;
                    const float Y = (k[3] * R + k[4] * Gf) + k[5] * B;
                    const float Z = (k[6] * R + k[7] * Gf) + k[8] * B;
                    lab[d][0][idx(r, c)] = 116.0f * labF(Y) - 16.0f;
                    lab[d][1][idx(r, c)] = 500.0f * (labF(X) - labF(Y));
                    lab[d][2][idx(r, c)] = 200.0f * (labF(Y) - labF(Z));
                }
        // Homogeneity map.
        const int nb[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};  // left, right, up, down
        for (int r = 2 - M; r < H + M - 2; ++r)
            for (int c = 2 - M; c < W + M - 2; ++c) {
                float dL[2][4], dC[2][4];
                for (int d = 0; d < 2; ++d)
                    for (int n = 0; n < 4; ++n) {
                        const int p = idx(r, c), q = idx(r + nb[n][0], c + nb[n][1]);
                        dL[d][n] = std::abs(lab[d][0][q] - lab[d][0][p]);
                        const float da = lab[d][1][q] - lab[d][1][p], db = lab[d][2][q] - lab[d][2][p];
                        dC[d][n] = da * da + db * db;
                    }
                const float eL = std::min(std::max(dL[0][0], dL[0][1]), std::max(dL[1][2], dL[1][3]));
                const float eC = std::min(std::max(dC[0][0], dC[0][1]), std::max(dC[1][2], dC[1][3]));
                int count = 0;
                for (int n = 0; n < 4; ++n) {
                    count += dL[0][n] <= eL && dC[0][n] <= eC;
                    count -= dL[1][n] <= eL && dC[1][n] <= eC;
                }
                m[idx(r, c)] = count;
            }
    }

    // The row candidate wins ties.
    int out(int r, int c, int ch) const {
        int s = 0;
        for (int i = -1; i <= 1; ++i)
            for (int j = -1; j <= 1; ++j) s += m[idx(r + i, c + j)];
        return rgb[s >= 0 ? 0 : 1][ch][idx(r, c)];
    }
};

struct Clip {
    int x0, y0, w, h;
};
Clip clip(QrxRect roi, int W, int H) {
    const int x0 = std::max(roi.x, 0), y0 = std::max(roi.y, 0);
    return {x0, y0, roi.width + std::min(W - x0 - roi.width, 0),
            roi.height + std::min(H - y0 - roi.height, 0)};
}

// Reconstructs `roi` and compares it with the model; the destination is
// exactly the clipped region and the scratch exactly 30 rows of w + 6
// samples, padded between rows, so a stray access faults or breaks a
// sentinel.
template <class T>
void expectModel(const GuardedImage<T>& s, QrxRect roi, int grid, const Model<T>* model = nullptr) {
    const int W = s.width(), H = s.height();
    SCOPED_TRACE("source " + std::to_string(W) + "x" + std::to_string(H) + " roi " +
                 std::to_string(roi.x) + "," + std::to_string(roi.y) + " " +
                 std::to_string(roi.width) + "x" + std::to_string(roi.height) + " grid " +
                 std::to_string(grid));
    const Clip c = clip(roi, W, H);
    ASSERT_GT(c.w, 0);
    ASSERT_GT(c.h, 0);
    GuardedImage<T> d(c.w, c.h, 3, (3 * c.w + 3) * int(sizeof(T)));
    GuardedImage<T> scratch(c.w + 6, 30, 1, (c.w + 6 + 4) * int(sizeof(T)));
    ASSERT_EQ(ahdFn<T>()(s.ptr(), roi, {W, H}, s.step(), d.ptr(), d.step(), QrxBayerGrid(grid),
                         scratch.ptr(), scratch.step()),
              qrxOk);
    std::optional<Model<T>> own;
    if (!model) own.emplace(s, grid);
    const Model<T>& m = model ? *model : *own;
    int bad = 0;
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x)
            for (int ch = 0; ch < 3; ++ch) bad += d.at(x, y, ch) != m.out(c.y0 + y, c.x0 + x, ch);
    EXPECT_EQ(bad, 0);
    EXPECT_TRUE(d.untouchedOutside());
    EXPECT_TRUE(scratch.untouchedOutside());
}

// Random samples, half of the rows at the two extremes so that candidates
// clamp and gradients tie.
template <class T>
GuardedImage<T> mosaic(int W, int H, uint32_t seed) {
    GuardedImage<T> s(W, H);
    const int max = sizeof(T) == 1 ? 255 : 65535;
    s.randomize(seed, 0, max);
    for (int y = 0; y < H; y += 2)
        if ((y / 2 + seed) % 2)
            for (int x = 0; x < W; ++x) s.at(x, y) = T(s.at(x, y) & 1 ? max : 0);
    return s;
}

template <class T>
void everyGridAndPosition() {
    for (int grid = 0; grid < 4; ++grid) {
        const auto s = mosaic<T>(31, 24, grid + 1);
        const Model<T> m(s, grid);
        for (QrxRect roi : {QrxRect{0, 0, 31, 24}, {1, 0, 29, 23}, {0, 1, 30, 22}, {3, 5, 21, 13},
                            {6, 7, 19, 9}, {5, 5, 64, 64}, {-3, -2, 12, 9}, {30, 23, 1, 1},
                            {28, 20, 9, 9}})
            expectModel<T>(s, roi, grid, &m);
        // The smallest sources and strips thinner than the interior needs.
        for (int W : {5, 6, 11, 12})
            for (int H : {5, 7, 10}) {
                const auto t = mosaic<T>(W, H, W * H + grid);
                expectModel<T>(t, {0, 0, W, H}, grid);
            }
        // Several column stripes and edge tiles; a region wider than a few
        // stripes, whose side strips are widened into the interior.
        const auto wide = mosaic<T>(300, 14, grid);
        expectModel<T>(wide, {1, 0, 299, 14}, grid);
        const auto wider = mosaic<T>(1100, 16, grid + 2);
        expectModel<T>(wider, {3, 0, 1090, 16}, grid);
        const auto tall = mosaic<T>(8, 150, grid);
        expectModel<T>(tall, {0, 1, 8, 149}, grid);
    }
}

TEST(Ahd, EveryGridAndRegionFollowsModel8u) { everyGridAndPosition<Qrx8u>(); }
TEST(Ahd, EveryGridAndRegionFollowsModel16u) { everyGridAndPosition<Qrx16u>(); }

// The interior block the driver reads straight from the source: inside the
// region and five samples inside every source edge, on a red cell, whole
// cells, and side strips either empty or just wide enough for whole vectors.
TEST(Ahd, InteriorBlockOfTheRegion) {
    int blocks = 0;
    for (int W : {5, 12, 40, 75, 140, 301})
        for (int H : {5, 11, 16, 41})
            for (int grid = 0; grid < 4; ++grid)
                for (int l : {0, 1, 4, 5, 6, 9, 70})
                    for (int r : {W, W - 1, W - 5, W - 6, W - 9, W - 80})
                        for (int t : {0, 3, 5, 6})
                            for (int b : {H, H - 4, H - 5, H - 7}) {
                                if (r <= l || b <= t) continue;
                                const qrx::AhdArea a = qrx::ahdInterior(grid, {W, H}, l, t, r, b);
                                if (a.width < 1 || a.height < 1) continue;
                                ++blocks;
                                SCOPED_TRACE(std::to_string(W) + "x" + std::to_string(H) + " grid " +
                                             std::to_string(grid) + " region " + std::to_string(l) + ".." +
                                             std::to_string(r) + " x " + std::to_string(t) + ".." + std::to_string(b));
                                EXPECT_GE(a.x, std::max(l, 5));
                                EXPECT_GE(a.y, std::max(t, 5));
                                EXPECT_LE(a.x + a.width, std::min(r, W - 5));
                                EXPECT_LE(a.y + a.height, std::min(b, H - 5));
                                EXPECT_EQ(a.width % 2, 0);
                                EXPECT_EQ(a.height % 2, 0);
                                EXPECT_EQ(colour(grid, a.y, a.x), 0);
                                EXPECT_EQ(colour(grid, a.y + 1, a.x + 1), 2);
                                for (int strip : {a.x - l, r - a.x - a.width})
                                    EXPECT_TRUE(strip == 0 || (strip >= qrx::kAhdSideStrip && strip <= qrx::kAhdSideStrip + 1))
                                        << strip;
                                EXPECT_LE(a.y - t, std::max(5 - t, 0) + 1);
                                EXPECT_LE(b - a.y - a.height, std::max(b - (H - 5), 0) + 1);
                            }
    EXPECT_GT(blocks, 100);
    // A region well inside the source, starting on a red cell and whole
    // cells in size, is all interior; a whole full-HD source keeps strips of
    // 64 columns at the sides and 6 rows at the top and bottom.
    const qrx::AhdArea inside = qrx::ahdInterior(qrxGridRGGB, {400, 300}, 10, 20, 210, 120);
    EXPECT_EQ(std::vector<int>({inside.x, inside.y, inside.width, inside.height}), std::vector<int>({10, 20, 200, 100}));
    const qrx::AhdArea hd = qrx::ahdInterior(qrxGridRGGB, {1920, 1080}, 0, 0, 1920, 1080);
    EXPECT_EQ(std::vector<int>({hd.x, hd.y, hd.width, hd.height}), std::vector<int>({64, 6, 1792, 1068}));
}

TEST(Ahd, ThinRegionsAtEveryEdge) {
    const int W = 23, H = 19;
    for (int grid = 0; grid < 4; ++grid) {
        const auto s8 = mosaic<Qrx8u>(W, H, grid + 7);
        const auto s16 = mosaic<Qrx16u>(W, H, grid + 9);
        const Model<Qrx8u> m8(s8, grid);
        const Model<Qrx16u> m16(s16, grid);
        for (int n = 1; n <= 5; ++n) {
            for (int y : {0, 1, 4, 5, 9, H - 6, H - n, H - 1}) {
                expectModel(s8, {0, y, W, n}, grid, &m8);
                expectModel(s16, {2, y, W - 3, n}, grid, &m16);
            }
            for (int x : {0, 1, 4, 5, 9, W - 6, W - n, W - 1}) {
                expectModel(s8, {x, 0, n, H}, grid, &m8);
                expectModel(s16, {x, 3, n, H - 4}, grid, &m16);
            }
        }
    }
}

TEST(Ahd, KnownValues) {
    // A uniform grey reproduces itself everywhere, borders included.
    for (int grid = 0; grid < 4; ++grid) {
        GuardedImage<Qrx16u> s(9, 8), d(9, 8, 3), scratch(15, 30);
        s.fill(31000);
        ASSERT_EQ(qrxiDemosaicAHD_16u_C1C3R(s.ptr(), {0, 0, 9, 8}, {9, 8}, s.step(), d.ptr(),
                                            d.step(), QrxBayerGrid(grid), scratch.ptr(),
                                            scratch.step()),
                  qrxOk);
        for (int y = 0; y < 8; ++y)
            for (int i = 0; i < 27; ++i) ASSERT_EQ(d.row(y)[i], 31000);
    }
    // Bands of constant rows: the row candidate is the exact grey of each
    // row and the map favours it; constant columns favour the column
    // candidate in the same way.
    for (bool rows : {true, false}) {
        GuardedImage<Qrx8u> s(16, 16), d(16, 16, 3), scratch(22, 30);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) s.at(x, y) = ((rows ? y : x) & 2) ? 200 : 40;
        ASSERT_EQ(qrxiDemosaicAHD_8u_C1C3R(s.ptr(), {0, 0, 16, 16}, {16, 16}, s.step(), d.ptr(),
                                           d.step(), qrxGridRGGB, scratch.ptr(), scratch.step()),
                  qrxOk);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                for (int ch = 0; ch < 3; ++ch)
                    ASSERT_EQ(d.at(x, y, ch), s.at(x, y)) << (rows ? "rows " : "columns ") << x << "," << y;
    }
    // A region at x = -3 starts at column 0 with its full width.
    const auto s = mosaic<Qrx8u>(20, 10, 5);
    GuardedImage<Qrx8u> a(8, 10, 3), b(8, 10, 3), scratch(14, 30);
    ASSERT_EQ(qrxiDemosaicAHD_8u_C1C3R(s.ptr(), {-3, 0, 8, 10}, {20, 10}, s.step(), a.ptr(),
                                       a.step(), qrxGridGRBG, scratch.ptr(), scratch.step()),
              qrxOk);
    ASSERT_EQ(qrxiDemosaicAHD_8u_C1C3R(s.ptr(), {0, 0, 8, 10}, {20, 10}, s.step(), b.ptr(),
                                       b.step(), qrxGridGRBG, scratch.ptr(), scratch.step()),
              qrxOk);
    for (int y = 0; y < 10; ++y) EXPECT_EQ(std::vector<int>(a.row(y), a.row(y) + 24),
                                           std::vector<int>(b.row(y), b.row(y) + 24));
}

TEST(Ahd, ChecksInOrderAndNothingWritten) {
    for (int bytes : {1, 2}) {
        SCOPED_TRACE(bytes == 1 ? "8u" : "16u");
        GuardedImage<Qrx16u> s(8, 8), d(8, 8, 3), scratch(14, 30);
        s.randomize(3, 0, 255);
        const auto snap = d.snapshot();
        auto call = [&](const void* src, QrxRect roi, QrxRoiSize size, void* dst, int grid,
                        void* buf) {
            if (bytes == 1)
                return qrxiDemosaicAHD_8u_C1C3R(static_cast<const Qrx8u*>(src), roi, size,
                                                s.step(), static_cast<Qrx8u*>(dst), d.step(),
                                                QrxBayerGrid(grid), static_cast<Qrx8u*>(buf),
                                                scratch.step());
            return qrxiDemosaicAHD_16u_C1C3R(static_cast<const Qrx16u*>(src), roi, size,
                                             s.step(), static_cast<Qrx16u*>(dst), d.step(),
                                             QrxBayerGrid(grid), static_cast<Qrx16u*>(buf),
                                             scratch.step());
        };
        const QrxRect all{0, 0, 8, 8};
        EXPECT_EQ(call(nullptr, all, {4, 5}, d.ptr(), 9, nullptr), qrxErrNullPtr);
        EXPECT_EQ(call(s.ptr(), all, {4, 5}, nullptr, 9, scratch.ptr()), qrxErrNullPtr);
        EXPECT_EQ(call(s.ptr(), all, {4, 5}, d.ptr(), 9, scratch.ptr()), qrxErrSize);
        EXPECT_EQ(call(s.ptr(), all, {5, 4}, d.ptr(), 9, scratch.ptr()), qrxErrSize);
        EXPECT_EQ(call(s.ptr(), all, {-8, 8}, d.ptr(), 0, scratch.ptr()), qrxErrSize);
        EXPECT_EQ(call(s.ptr(), all, {5, 5}, d.ptr(), 4, scratch.ptr()), qrxErrBadArg);
        EXPECT_EQ(call(s.ptr(), all, {5, 5}, d.ptr(), -1, nullptr), qrxErrBadArg);
        // No scratch: nothing to work in, reported as done.
        EXPECT_EQ(call(s.ptr(), all, {8, 8}, d.ptr(), 1, nullptr), qrxOk);
        // Regions with nothing left after clipping: done, nothing written.
        for (QrxRect r : {QrxRect{8, 0, 4, 4}, {0, 8, 4, 4}, {0, 0, 0, 8}, {0, 0, 8, -1},
                          {INT32_MAX, 0, 8, 8}, {0, 0, 8, INT32_MIN}})
            EXPECT_EQ(call(s.ptr(), r, {8, 8}, d.ptr(), 1, scratch.ptr()), qrxOk);
        EXPECT_TRUE(d.unchangedSince(snap));
    }
}

}  // namespace
