// Gamma correction: the 8-bit tables against the curve and its literal
// entries, every 16-bit value on both paths, float results against a model
// of the stated double-precision arithmetic, the scratch table's
// allocation, and the argument checks.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "alloc_hooks.h"
#include "gamma_ops.h"

namespace {

using namespace gammatest;

// ---- models -----------------------------------------------------------------

Qrx8u model8u(bool forward, int v) {
    const double x = v / 255.0;
    const double y = forward ? (x < 0.018 ? 4.5 * v : (std::pow(x, 0.45) * 1.099 - 0.099) * 255)
                             : (x < 0.0812 ? v / 4.5 : std::pow((x + 0.099) / 1.099, 1 / 0.45) * 255);
    return Qrx8u(std::nearbyint(y));
}

Qrx16u model16u(bool forward, int v) {
    const double x = 1.5259021896696422e-05 * v;
    const double y = forward ? (x < 0.018 ? v * 4.5 : (std::pow(x, 0.45) * 1.099 - 0.099) * 65535.0)
                             : (x < 0.0812 ? v * 0.2222222222222222
                                           : std::pow((x + 0.099) * 0.9099181073703366, 2.2222222222222223) *
                                                 65535.0);
    // Half to even, decided on the single-precision y + 0.5.
    const float f = float(y + 0.5);
    const int n = int(f);
    return Qrx16u(n % 2 == 1 && float(n) == f ? n - 1 : n);
}

float model32f(bool forward, float s, float vMin, float vMax) {
    const float range = vMax - vMin;
    const double d = double(s - vMin), x = d * (1.0 / double(range));
    if (forward)
        return float(x < 0.018 ? d * 4.5 + vMin
                               : (std::pow(x, 0.45) * 1.099 - 0.099) * double(range) + double(vMin));
    return float(x < 0.0812 ? d * 0.2222222222222222 + vMin
                            : std::pow((x + 0.099) * 0.9099181073703366, 2.2222222222222223) * double(range) +
                                  double(vMin));
}

template <class T>
T model(const GammaOp<T>& op, T v, float vMin, float vMax) {
    if constexpr (std::is_same_v<T, Qrx8u>) return model8u(op.forward, v);
    if constexpr (std::is_same_v<T, Qrx16u>) return model16u(op.forward, v);
    if constexpr (std::is_same_v<T, Qrx32f>) return model32f(op.forward, v, vMin, vMax);
}

bool same(float a, float b) { return a == b || (a != a && b != b); }
template <class T>
bool same(T a, T b) {
    return a == b;
}

// Checks channels 0..2 of every pixel against the model, and that the
// fourth element of AC4 destinations kept its value.
template <class T>
void expectModel(const GammaOp<T>& op, TestImage<T>& src, TestImage<T>& dst, TestImage<T>& before,
                 float vMin, float vMax) {
    int bad = 0, alpha = 0;
    for (int y = 0; y < src.height; ++y)
        for (int x = 0; x < src.width; ++x) {
            for (int c = 0; c < 3; ++c) bad += !same(dst.at(x, y, c), model(op, src.at(x, y, c), vMin, vMax));
            if (op.form == Form::AC4) alpha += !same(dst.at(x, y, 3), before.at(x, y, 3));
        }
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(alpha, 0);
}

template <class T>
T randomSample(std::mt19937& rng, float vMin, float vMax) {
    if constexpr (std::is_same_v<T, Qrx32f>) {
        // Mostly inside the range, some below and above it.
        const float span = vMax - vMin;
        return std::uniform_real_distribution<float>(vMin - 0.2f * span, vMax + 0.2f * span)(rng);
    } else {
        (void)vMin;
        (void)vMax;
        return T(std::uniform_int_distribution<int>(0, std::numeric_limits<T>::max())(rng));
    }
}

template <class T>
void expectEveryOpFollowsModel(const std::vector<GammaOp<T>>& ops) {
    struct R {
        float lo, hi;
    };
    for (const auto& op : ops)
        for (int w : {1, 2, 7, 15, 16, 17, 31, 32, 33, 63, 64, 65, 129})
            for (int stepMode : {0, 1})
                for (R r : {R{0, 1}, R{-20, 235.5f}, R{1000, 1000.25f}}) {
                    SCOPED_TRACE(op.name + " width " + std::to_string(w) + " step " + std::to_string(stepMode) +
                                 " range " + std::to_string(r.lo));
                    const int h = 3;
                    TestImage<T> src(op.form, w, h, stepMode), dst(op.form, w, h, stepMode);
                    std::mt19937 rng(w * 13 + stepMode);
                    src.fill([&] { return randomSample<T>(rng, r.lo, r.hi); });
                    dst.fill([&] { return T(rng() % 77); });
                    TestImage<T> before(op.form, w, h);
                    before.copyFrom(op.inPlace ? src : dst);
                    ASSERT_EQ(op.run(src, dst, {w, h}, r.lo, r.hi), qrxOk);
                    expectModel(op, src, dst, before, r.lo, r.hi);
                    EXPECT_TRUE(dst.untouchedOutside());
                    if (!std::is_same_v<T, Qrx32f>) break;  // integer forms take no range
                }
}

TEST(Gamma, EveryOperationFollowsTheCurve) {
    expectEveryOpFollowsModel(ops8u());
    expectEveryOpFollowsModel(ops16u());
    expectEveryOpFollowsModel(ops32f());
}

// ---- 8u tables ------------------------------------------------------------------

TEST(Gamma, EightBitTablesHoldTheCurveAndItsStatedEntries) {
    const int fwd[10] = {0, 4, 9, 14, 18, 23, 27, 30, 34, 37};
    const int inv[10] = {0, 0, 0, 1, 1, 1, 1, 2, 2, 2};
    for (const auto& op : ops8u()) {
        SCOPED_TRACE(op.name);
        // Every value in every channel: pixel x holds x + 85 c in channel c.
        TestImage<Qrx8u> src(op.form, 256, 1), dst(op.form, 256, 1);
        for (int x = 0; x < 256; ++x)
            for (int c = 0; c < 3; ++c) src.at(x, 0, c) = Qrx8u(x + 85 * c);
        ASSERT_EQ(op.run(src, dst, {256, 1}), qrxOk);
        for (int x = 0; x < 256; ++x)
            for (int c = 0; c < 3; ++c) ASSERT_EQ(dst.at(x, 0, c), model8u(op.forward, Qrx8u(x + 85 * c))) << x;
        for (int v = 0; v < 10; ++v) EXPECT_EQ(dst.at(v, 0, 0), op.forward ? fwd[v] : inv[v]);
        EXPECT_EQ(dst.at(255, 0, 0), 255);
    }
}

// ---- 16u: both paths ------------------------------------------------------------

// Runs op over all 65536 values as C3 rows: the direct path in images of at
// most 65536 samples, the table path in one larger image.
std::vector<Qrx16u> allValues(const GammaOp<Qrx16u>& op, bool table) {
    std::vector<Qrx16u> out;
    const int total = 65536, per = table ? 21846 * 3 : 21845 * 3;
    for (int first = 0; first < total; first += per) {
        const int w = per / 3;
        TestImage<Qrx16u> src(Form::C3, w, 1), dst(Form::C3, w, 1);
        for (int i = 0; i < per; ++i) src.at(i / 3, 0, i % 3) = Qrx16u(std::min(first + i, total - 1));
        qrxtest::resetAllocCounters();
        EXPECT_EQ(op.run(src, dst, {w, 1}), qrxOk);
        EXPECT_EQ(qrxtest::mallocCalls(), table ? 1 : 0);
        for (int i = 0; i < per && first + i < total; ++i) out.push_back(dst.at(i / 3, 0, i % 3));
    }
    return out;
}

TEST(Gamma, SixteenBitPathsAgreeOverEveryValue) {
    for (const auto& op : ops16u()) {
        if (op.form != Form::C3) continue;
        SCOPED_TRACE(op.name);
        const auto direct = allValues(op, false), table = allValues(op, true);
        ASSERT_EQ(direct.size(), 65536u);
        ASSERT_EQ(table.size(), 65536u);
        int bad = 0;
        for (int v = 0; v < 65536; ++v) bad += direct[v] != model16u(op.forward, v) || table[v] != direct[v];
        EXPECT_EQ(bad, 0);
        EXPECT_EQ(direct[0], 0);
        EXPECT_EQ(direct[65535], 65535);
        // Forward: the last linear value 1179 (x just below 0.018) gives
        // 5305.5, rounded to even; 1180 is on the power segment.
        if (op.forward) {
            EXPECT_EQ(direct[1179], 5306);
            EXPECT_EQ(direct[1180], model16u(true, 1180));
            EXPECT_EQ(direct[2], 9);
            EXPECT_EQ(direct[1], 4);  // 4.5 -> 4
        } else {
            EXPECT_EQ(direct[9], 2);  // 2.0
            EXPECT_EQ(direct[5321], 1182);  // x < 0.0812: 5321 / 4.5 = 1182.4
        }
    }
}

// The count is 3 x width x height for every layout: 21845 pixels go
// direct, 21846 through a table that is freed before returning.
TEST(Gamma, SixteenBitTableIsUsedAboveTheLimitAndFreed) {
    for (const auto& op : ops16u())
        for (int w : {21845, 21846}) {
            SCOPED_TRACE(op.name + " width " + std::to_string(w));
            TestImage<Qrx16u> src(op.form, w, 1), dst(op.form, w, 1);
            std::mt19937 rng(w);
            src.fill([&] { return Qrx16u(rng()); });
            TestImage<Qrx16u> before(op.form, w, 1);
            before.copyFrom(op.inPlace ? src : dst);
            const long live = qrxtest::liveAllocations();
            qrxtest::resetAllocCounters();
            ASSERT_EQ(op.run(src, dst, {w, 1}), qrxOk);
            EXPECT_EQ(qrxtest::mallocCalls(), w > 21845 ? 1 : 0);
            EXPECT_EQ(qrxtest::liveAllocations(), live);
            expectModel(op, src, dst, before, 0, 1);
        }
}

TEST(Gamma, SixteenBitAllocationFailureWritesNothing) {
    for (const auto& op : ops16u()) {
        SCOPED_TRACE(op.name);
        TestImage<Qrx16u> src(op.form, 300, 80), dst(op.form, 300, 80);
        std::mt19937 rng(3);
        src.fill([&] { return Qrx16u(rng()); });
        if (op.inPlace) dst.copyFrom(src);
        const auto snap = dst.snapshot();
        qrxtest::ScopedMallocFailure fail(1);
        EXPECT_EQ(op.call(src.ptrs.data(), src.step(), dst.ptrs.data(), dst.step(), {300, 80}, 0, 1),
                  qrxErrMemAlloc);
        EXPECT_TRUE(dst.unchangedSince(snap));
    }
}

// ---- 32f ---------------------------------------------------------------------

TEST(Gamma, FloatRangeMapsTheCurveAndExtendsBeyondIt) {
    for (const auto& op : ops32f()) {
        SCOPED_TRACE(op.name);
        TestImage<Qrx32f> src(op.form, 5, 1), dst(op.form, 5, 1);
        const float in[5] = {0.01f, 1.0f, -0.5f, 2.0f, 0.0f};
        for (int x = 0; x < 5; ++x)
            for (int c = 0; c < 3; ++c) src.at(x, 0, c) = in[x];
        ASSERT_EQ(op.run(src, dst, {5, 1}, 0.0f, 1.0f), qrxOk);
        const double slope = op.forward ? 4.5 : 0.2222222222222222;
        EXPECT_EQ(dst.at(0, 0, 0), float(double(0.01f) * slope));
        EXPECT_EQ(dst.at(1, 0, 1), 1.0f);
        EXPECT_EQ(dst.at(2, 0, 2), float(-0.5 * slope));  // below vMin: the linear part goes on
        EXPECT_GT(dst.at(3, 0, 0), 1.0f);  // above vMax: above it
        EXPECT_EQ(dst.at(4, 0, 0), 0.0f);
        // Shifted range: vMin maps to itself, vMax to itself.
        for (int c = 0; c < 3; ++c) {
            src.at(0, 0, c) = -3.0f;
            src.at(1, 0, c) = 5.0f;
        }
        ASSERT_EQ(op.run(src, dst, {5, 1}, -3.0f, 5.0f), qrxOk);
        EXPECT_EQ(dst.at(0, 0, 0), -3.0f);
        EXPECT_EQ(dst.at(1, 0, 0), 5.0f);
    }
}

TEST(Gamma, FloatRangeIsCheckedBeforeEverything) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const auto& op : ops32f()) {
        SCOPED_TRACE(op.name);
        Qrx32f* none[3] = {nullptr, nullptr, nullptr};
        // Null images (null plane arrays for P3), an empty region, no steps.
        Qrx32f* const* img = op.form == Form::P3 ? nullptr : none;
        EXPECT_EQ(op.call(img, 0, img, 0, {0, 0}, 1.0f, 1.0f), qrxErrRange);
        EXPECT_EQ(op.call(img, 0, img, 0, {0, 0}, 2.0f, 1.0f), qrxErrRange);
        // vMax - vMin rounds to 0 in float.
        EXPECT_EQ(op.call(img, 0, img, 0, {0, 0}, 1e8f, 1e8f + 1.0f), qrxErrRange);
        // A NaN range passes and the null pointers are found next.
        EXPECT_EQ(op.call(img, 0, img, 0, {0, 0}, nan, 1.0f), qrxErrNullPtr);
        // NaN data: the curve gives NaN.
        TestImage<Qrx32f> src(op.form, 3, 1), dst(op.form, 3, 1);
        src.fill([&] { return nan; });
        ASSERT_EQ(op.run(src, dst, {3, 1}, 0.0f, 1.0f), qrxOk);
        EXPECT_TRUE(std::isnan(dst.at(2, 0, 2)));
    }
}

// ---- checks, in place --------------------------------------------------------

template <class T>
void expectChecksInOrder(const std::vector<GammaOp<T>>& ops) {
    for (const auto& op : ops) {
        SCOPED_TRACE(op.name);
        TestImage<T> src(op.form, 4, 3), dst(op.form, 4, 3);
        src.fill([v = 0]() mutable { return T(++v); });
        dst.fill([] { return T(7); });
        const auto snap = dst.snapshot();
        const T* nullS[3] = {nullptr, nullptr, nullptr};
        T* nullD[3] = {nullptr, nullptr, nullptr};
        const int ss = src.step(), ds = dst.step();
        auto call = [&](const T* const* s, int sst, T* const* d, int dst_, QrxRoiSize roi) {
            return op.call(s, sst, d, dst_, roi, 0.0f, 1.0f);
        };
        const bool p3 = op.form == Form::P3;
        if (!op.inPlace) {

            EXPECT_EQ(call(p3 ? nullptr : nullS, 0, dst.ptrs.data(), 0, {0, 0}), qrxErrNullPtr);
        }
        EXPECT_EQ(call(src.ptrs.data(), 0, p3 ? nullptr : nullD, 0, {0, 0}), qrxErrNullPtr);
        if (p3)
            for (int p = 0; p < 3; ++p) {
                std::vector<const T*> sp(src.ptrs.begin(), src.ptrs.end());
                std::vector<T*> dp(dst.ptrs.begin(), dst.ptrs.end());
                dp[p] = nullptr;
                EXPECT_EQ(call(sp.data(), 0, dp.data(), 0, {0, 3}), qrxErrNullPtr) << "dst plane " << p;
                if (!op.inPlace) {
                    dp[p] = dst.ptrs[p];
                    sp[p] = nullptr;
                    EXPECT_EQ(call(sp.data(), 0, dp.data(), 0, {0, 3}), qrxErrNullPtr) << "src plane " << p;
                }
            }
        for (QrxRoiSize roi : {QrxRoiSize{0, 3}, {4, 0}, {-4, 3}, {4, -1}})
            EXPECT_EQ(call(src.ptrs.data(), 0, dst.ptrs.data(), 0, roi), qrxErrSize);
        EXPECT_EQ(call(src.ptrs.data(), ss, dst.ptrs.data(), 0, {4, 3}), qrxErrStep);
        EXPECT_EQ(call(src.ptrs.data(), ss, dst.ptrs.data(), -ds, {4, 3}), qrxErrStep);
        if (!op.inPlace) {

            EXPECT_EQ(call(src.ptrs.data(), 0, dst.ptrs.data(), ds, {4, 3}), qrxErrStep);
        }
        EXPECT_TRUE(dst.unchangedSince(snap));
    }
}

TEST(Gamma, ChecksRunInOrderAndWriteNothing) {
    expectChecksInOrder(ops8u());
    expectChecksInOrder(ops16u());
    expectChecksInOrder(ops32f());
}

template <class T>
void expectInPlaceMatches(const std::vector<GammaOp<T>>& ops, int w, int h) {
    for (size_t i = 0; i + 1 < ops.size(); i += 2) {
        ASSERT_FALSE(ops[i].inPlace);
        ASSERT_TRUE(ops[i + 1].inPlace);
        TestImage<T> src(ops[i].form, w, h), a(ops[i].form, w, h), b(ops[i].form, w, h);
        std::mt19937 rng(11);
        src.fill([&] { return randomSample<T>(rng, -1, 3); });
        a.copyFrom(src);  // the same fourth elements as the in-place image
        ASSERT_EQ(ops[i].run(src, a, {w, h}, -1, 3), qrxOk);
        ASSERT_EQ(ops[i + 1].run(src, b, {w, h}, -1, 3), qrxOk);
        EXPECT_TRUE(a == b) << ops[i].name;
    }
}

TEST(Gamma, InPlaceGivesTheSameBytes) {
    expectInPlaceMatches(ops8u(), 99, 3);
    expectInPlaceMatches(ops16u(), 99, 3);     // direct
    expectInPlaceMatches(ops16u(), 300, 80);   // table
    expectInPlaceMatches(ops32f(), 99, 3);
}

}  // namespace
