// Gamma correction: every operation against a model of the stated curves,
// the 8-bit tables' literal entries, every 16-bit value on both paths, the
// scratch table's allocation, float ranges, the checks and in-place forms.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "alloc_hooks.h"
#include "gamma_ops.h"

namespace {

using namespace gammatest;

// ---- models -------------------------------------------------------------------

Qrx8u model8u(bool fwd, int v) {
    const double x = v / 255.0;
    return Qrx8u(std::nearbyint(fwd ? (x < 0.018 ? 4.5 * v : (std::pow(x, 0.45) * 1.099 - 0.099) * 255)
                                    : (x < 0.0812 ? v / 4.5 : std::pow((x + 0.099) / 1.099, 1 / 0.45) * 255)));
}

Qrx16u model16u(bool fwd, int v) {
    const double x = 1.5259021896696422e-05 * v;
    const double y = fwd ? (x < 0.018 ? v * 4.5 : (std::pow(x, 0.45) * 1.099 - 0.099) * 65535.0)
                         : (x < 0.0812 ? v * 0.2222222222222222
                                       : std::pow((x + 0.099) * 0.9099181073703366, 2.2222222222222223) * 65535.0);
    // Half to even, decided on y + 0.5 in single precision.
    const float f = float(y + 0.5);
    const int n = int(f);
    return Qrx16u(n % 2 == 1 && float(n) == f ? n - 1 : n);
}

float model32f(bool fwd, float s, float vMin, float vMax) {
    const double range = vMax - vMin, d = s - vMin, x = d * (1.0 / range);
    if (fwd) return float(x < 0.018 ? d * 4.5 + vMin : (std::pow(x, 0.45) * 1.099 - 0.099) * range + vMin);
    return float(x < 0.0812 ? d * 0.2222222222222222 + vMin
                            : std::pow((x + 0.099) * 0.9099181073703366, 2.2222222222222223) * range + vMin);
}

Qrx8u model(bool fwd, Qrx8u v, float, float) { return model8u(fwd, v); }
Qrx16u model(bool fwd, Qrx16u v, float, float) { return model16u(fwd, v); }
Qrx32f model(bool fwd, Qrx32f v, float lo, float hi) { return model32f(fwd, v, lo, hi); }

// Channels 0..2 of every pixel follow the model; AC4 fourth elements and
// everything outside the region keep their values.
template <class T, class... P>
void expectModel(const ChannelOp<T, P...>& op, int w, bool padded, float lo, float hi, P... p) {
    SCOPED_TRACE(op.name + " width " + std::to_string(w) + (padded ? " padded" : "") + " from " + std::to_string(lo));
    const int h = 3;
    TestImage<T> src(op.form, w, h, padded), dst(op.form, w, h, padded), before(op.form, w, h);
    std::mt19937 rng(w * 13 + padded);
    // Floats mostly inside the range, some below and above it.
    std::uniform_real_distribution<float> f(lo - 0.2f * (hi - lo), hi + 0.2f * (hi - lo));
    src.fill([&] { return std::is_same_v<T, Qrx32f> ? T(f(rng)) : T(rng()); });
    dst.fill([&] { return T(rng() % 77); });
    before.copyFrom(op.inPlace ? src : dst);
    ASSERT_EQ(op.run(src, dst, {w, h}, p...), qrxOk);
    int bad = 0, alpha = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            for (int c = 0; c < 3; ++c) bad += dst.at(x, y, c) != model(forward(op), src.at(x, y, c), lo, hi);
            if (op.form == Form::AC4) alpha += dst.at(x, y, 3) != before.at(x, y, 3);
        }
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(alpha, 0);
    EXPECT_TRUE(dst.untouchedOutside());
}

TEST(Gamma, EveryOperationFollowsTheCurve) {
    for (int w : {1, 2, 7, 15, 16, 17, 31, 32, 33, 63, 64, 65, 129})
        for (bool padded : {false, true}) {
            for (const auto& op : ops8u()) expectModel(op, w, padded, 0, 1);
            for (const auto& op : ops16u()) expectModel(op, w, padded, 0, 1);
            for (const auto& op : ops32f())
                for (float lo : {0.0f, -20.0f, 1000.0f}) {
                    const float hi = lo == 0 ? 1.0f : lo + (lo < 0 ? 255.5f : 0.25f);
                    expectModel(op, w, padded, lo, hi, lo, hi);
                }
        }
}

// Every value in every channel, under every target: the vector lookups
// split the table into pieces by the high bits of the sample.
TEST(Gamma, EightBitTablesHoldTheirStatedEntries) {
    const int fwd[10] = {0, 4, 9, 14, 18, 23, 27, 30, 34, 37}, inv[10] = {0, 0, 0, 1, 1, 1, 1, 2, 2, 2};
    std::vector<qrx::Target> targets = qrxtest::vectorTargets();
    targets.insert(targets.begin(), qrx::Target::Scalar);
    for (qrx::Target t : targets) {
        qrxtest::TargetScope scope(t);
        ASSERT_TRUE(scope.ok());
        for (const auto& op : ops8u()) {
            TestImage<Qrx8u> src(op.form, 256, 1), dst(op.form, 256, 1);
            for (int x = 0; x < 256; ++x)
                for (int c = 0; c < 3; ++c) src.at(x, 0, c) = Qrx8u(x + 85 * c);
            ASSERT_EQ(op.run(src, dst, {256, 1}), qrxOk);
            for (int x = 0; x < 256; ++x)
                for (int c = 0; c < 3; ++c)
                    ASSERT_EQ(dst.at(x, 0, c), model8u(forward(op), Qrx8u(x + 85 * c)))
                        << op.name << " target " << int(t) << " value " << int(Qrx8u(x + 85 * c));
            for (int v = 0; v < 10; ++v) EXPECT_EQ(dst.at(v, 0, 0), forward(op) ? fwd[v] : inv[v]) << op.name;
            EXPECT_EQ(dst.at(255, 0, 0), 255);
        }
    }
}

// ---- 16u: both paths ------------------------------------------------------------

// All 65536 values through a C3 op: images of 21845 pixels (65535 samples)
// take the direct path, of 21846 pixels the table path.
std::vector<Qrx16u> allValues(const ChannelOp<Qrx16u>& op, bool table) {
    std::vector<Qrx16u> out;
    const int w = table ? 21846 : 21845;
    for (int first = 0; first < 65536; first += 3 * w) {
        TestImage<Qrx16u> src(Form::C3, w, 1), dst(Form::C3, w, 1);
        src.fill([v = first]() mutable { return Qrx16u(std::min(v++, 65535)); });
        qrxtest::resetAllocCounters();
        const long live = qrxtest::liveAllocations();
        EXPECT_EQ(op.run(src, dst, {w, 1}), qrxOk);
        EXPECT_EQ(qrxtest::mallocCalls(), table ? 1 : 0);
        EXPECT_EQ(qrxtest::liveAllocations(), live);  // the table is freed
        for (int i = 0; i < 3 * w && first + i < 65536; ++i) out.push_back(dst.at(i / 3, 0, i % 3));
    }
    return out;
}

TEST(Gamma, SixteenBitPathsAgreeOverEveryValue) {
    for (const auto& op : ops16u()) {
        if (op.form != Form::C3 || op.inPlace) continue;
        const bool fwd = forward(op);
        const auto direct = allValues(op, false), table = allValues(op, true);
        ASSERT_EQ(direct.size(), 65536u);
        int bad = 0;
        for (int v = 0; v < 65536; ++v) bad += direct[v] != model16u(fwd, v) || table[v] != direct[v];
        EXPECT_EQ(bad, 0) << op.name;
        EXPECT_EQ(direct[0], 0);
        EXPECT_EQ(direct[65535], 65535);
        // Forward: 1179 is the last value of the linear part (x just below
        // 0.018): 5305.5 goes to even; 1 gives 4.5 -> 4. Inverse: 5321
        // (x < 0.0812) gives 1182.4.
        EXPECT_EQ(direct[1], fwd ? 4 : 0);
        EXPECT_EQ(direct[1179], fwd ? 5306 : 262);
        if (!fwd) {
            EXPECT_EQ(direct[5321], 1182);
        }
    }
}

TEST(Gamma, SixteenBitTablePathCoversEveryLayoutAndAllocationFailureWritesNothing) {
    for (const auto& op : ops16u()) {
        // The count is 3 x width x height for every layout, AC4 included.
        expectModel(op, 21846, false, 0, 1);
        TestImage<Qrx16u> src(op.form, 300, 80), dst(op.form, 300, 80);
        std::mt19937 rng(3);
        src.fill([&] { return Qrx16u(rng()); });
        if (op.inPlace) dst.copyFrom(src);
        const auto snap = dst.snapshot();
        qrxtest::ScopedMallocFailure fail(1);
        EXPECT_EQ(op.call(src.ptrs.data(), src.step(), dst.ptrs.data(), dst.step(), {300, 80}), qrxErrMemAlloc);
        EXPECT_TRUE(dst.unchangedSince(snap)) << op.name;
    }
}

// ---- 32f -------------------------------------------------------------------------

TEST(Gamma, FloatRangeIsCheckedFirstAndMapsTheCurve) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const auto& op : ops32f()) {
        SCOPED_TRACE(op.name);
        // Null images (null plane arrays for P3), an empty region, no steps.
        Qrx32f* none[3] = {};
        Qrx32f* const* img = op.form == Form::P3 ? nullptr : none;
        EXPECT_EQ(op.call(img, 0, img, 0, {0, 0}, 1.0f, 1.0f), qrxErrRange);
        EXPECT_EQ(op.call(img, 0, img, 0, {0, 0}, 2.0f, 1.0f), qrxErrRange);
        EXPECT_EQ(op.call(img, 0, img, 0, {0, 0}, 1e8f, 1e8f + 1.0f), qrxErrRange);  // rounds to 0
        EXPECT_EQ(op.call(img, 0, img, 0, {0, 0}, nan, 1.0f), qrxErrNullPtr);       // NaN passes
        expectChecksInOrder<Qrx32f, Qrx32f, Qrx32f>(op, 0.0f, 1.0f);
        // vMin 0, vMax 1: 0.01 is on the linear part, 1 maps to 1, values
        // below the range continue the line and above it the curve; NaN
        // stays NaN.
        const double slope = forward(op) ? 4.5 : 0.2222222222222222;
        const float in[5] = {0.01f, 1.0f, -0.5f, 2.0f, nan};
        TestImage<Qrx32f> src(op.form, 5, 1), dst(op.form, 5, 1);
        for (int x = 0; x < 5; ++x)
            for (int c = 0; c < 3; ++c) src.at(x, 0, c) = in[x];
        ASSERT_EQ(op.run(src, dst, {5, 1}, 0.0f, 1.0f), qrxOk);
        EXPECT_EQ(dst.at(0, 0, 0), float(double(0.01f) * slope));
        EXPECT_EQ(dst.at(1, 0, 1), 1.0f);
        EXPECT_EQ(dst.at(2, 0, 2), float(-0.5 * slope));
        EXPECT_GT(dst.at(3, 0, 0), 1.0f);
        EXPECT_TRUE(std::isnan(dst.at(4, 0, 1)));
        // Samples whose normalised value is exactly the knee (0.018 forward,
        // 0.0812 inverse) take the power part.
        const float knee = forward(op) ? 0x1.26e9ap-6f : 0x1.4c99dp-4f;
        const float vMax = forward(op) ? 0x1.000022p+0f : 0x1.00011cp+0f;
        ASSERT_EQ(double(knee) * (1.0 / double(vMax)), forward(op) ? 0.018 : 0.0812);
        src.fill([&] { return knee; });
        ASSERT_EQ(op.run(src, dst, {5, 1}, 0.0f, vMax), qrxOk);
        EXPECT_EQ(dst.at(4, 0, 2), model32f(forward(op), knee, 0.0f, vMax));
        EXPECT_NE(dst.at(4, 0, 2), float(double(knee) * slope));
    }
}

// ---- checks, in place ---------------------------------------------------------

TEST(Gamma, ChecksRunInOrderAndWriteNothing) {
    for (const auto& op : ops8u()) expectChecksInOrder(op);
    for (const auto& op : ops16u()) expectChecksInOrder(op);
}

TEST(Gamma, InPlaceGivesTheSameBytes) {
    std::mt19937 rng(11);
    auto bits = [&] { return rng(); };
    expectInPlaceMatches(ops8u(), 99, 3, [&] { return Qrx8u(bits()); });
    expectInPlaceMatches(ops16u(), 99, 3, [&] { return Qrx16u(bits()); });   // direct
    expectInPlaceMatches(ops16u(), 300, 80, [&] { return Qrx16u(bits()); });  // table
    std::uniform_real_distribution<float> f(-1, 3);
    expectInPlaceMatches<Qrx32f, Qrx32f, Qrx32f>(ops32f(), 99, 3, [&] { return f(rng); }, -1.0f, 3.0f);
}

}  // namespace
