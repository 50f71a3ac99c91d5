// Every target's colour twist gives the scalar target's bytes, through the
// public entries, at widths around each vector size, with random samples
// and with extremes (range ends, and sums that overflow, tie or are NaN).
#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "targets.h"
#include "twist_ops.h"

namespace {

using namespace twisttest;

template <class T>
T extreme(std::mt19937& rng) {
    if constexpr (std::is_same_v<T, Qrx32f>) {
        const float v[] = {0.0f, -0.0f, 1e30f, -1e30f, std::numeric_limits<float>::infinity(),
                           std::numeric_limits<float>::quiet_NaN(), 0.5f, 1e-40f};
        return v[rng() % 8];
    } else {
        const T v[] = {std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), T(0), T(1)};
        return v[rng() % 4];
    }
}

template <class T>
T random(std::mt19937& rng) {
    if constexpr (std::is_same_v<T, Qrx32f>) {
        return std::uniform_real_distribution<float>(-300, 300)(rng);
    } else {
        const int lo = std::numeric_limits<T>::min(), hi = std::numeric_limits<T>::max();
        return T(std::uniform_int_distribution<int>(lo, hi)(rng));
    }
}

// Matrices: ordinary weights; halves that make ties; huge weights that
// overflow to infinities; a NaN constant.
struct Twist {
    Matrix m;
};
std::vector<Twist> matrices() {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    return {{{{0.299f, 0.587f, 0.114f, 3.5f}, {-0.169f, -0.331f, 0.5f, 128.0f}, {0.5f, -0.419f, -0.081f, 128.0f}, {0.1f, 0.2f, 0.3f, 0.4f}}},
            {{{0.5f, 0.5f, 0.0f, 0.5f}, {0.25f, 0.25f, 0.5f, -0.5f}, {1.5f, 0.0f, 0.0f, 2.5f}, {0.5f, 0.5f, 0.5f, 0.5f}}},
            {{{1e36f, -1e36f, 1e36f, 0.0f}, {-3e38f, -3e38f, 0.0f, 1.0f}, {0.0f, 0.0f, 0.0f, nan}, {1e36f, 1e36f, 0.0f, 0.0f}}}};
}

template <class T>
void expectTargetsMatchScalar(const std::vector<TwistOp<T>>& ops) {
    const auto targets = qrxtest::vectorTargets();
    for (const auto& op : ops)
        for (const Twist& tw : matrices())
            for (int w : qrxtest::kEdgeWidths)
                for (bool extremes : {false, true}) {
                    const int h = 2;
                    TestImage<T> src(op.form, w, h);
                    std::mt19937 rng(w * 31 + extremes);
                    src.fill([&] { return extremes ? extreme<T>(rng) : random<T>(rng); });
                    auto fresh = [&] {
                        auto d = std::make_unique<TestImage<T>>(op.form, w, h);
                        std::mt19937 r2(5);
                        d->fill([&] { return T(r2() % 100); });
                        return d;
                    };
                    auto want = fresh();
                    {
                        qrxtest::TargetScope scope(qrx::Target::Scalar);
                        ASSERT_EQ(op.run(src, *want, {w, h}, tw.m), qrxOk);
                    }
                    for (qrx::Target t : targets) {
                        auto got = fresh();
                        qrxtest::TargetScope scope(t);
                        ASSERT_TRUE(scope.ok());
                        ASSERT_EQ(op.run(src, *got, {w, h}, tw.m), qrxOk);
                        EXPECT_TRUE(*got == *want) << op.name << " " << qrx::targetName(t) << " width " << w
                                                   << (extremes ? " extremes" : "");
                        EXPECT_TRUE(got->untouchedOutside());
                    }
                }
}

TEST(TwistTargets, EveryTargetMatchesScalar) {
    expectTargetsMatchScalar(ops8u());
    expectTargetsMatchScalar(ops8s());
    expectTargetsMatchScalar(ops16u());
    expectTargetsMatchScalar(ops16s());
    expectTargetsMatchScalar(ops32f());
}

}  // namespace
