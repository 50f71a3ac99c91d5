// Every target's colour twist gives the scalar target's bytes, through the
// public entries, at widths around each vector size, with random samples
// and with extremes (range ends, and sums that tie, overflow or are NaN).
#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "colormodels/twist/rows.h"
#include "entry_targets.h"
#include "twist_ops.h"

namespace {

using namespace twisttest;

template <class T>
T sample(std::mt19937& rng, bool extremes) {
    using L = std::numeric_limits<T>;
    if constexpr (std::is_same_v<T, Qrx32f>) {
        const float v[] = {0.0f, -0.0f, 1e30f, -1e30f, L::infinity(), L::quiet_NaN(), 0.5f, 1e-40f};
        return extremes ? v[rng() % 8] : std::uniform_real_distribution<float>(-300, 300)(rng);
    } else {
        const T v[] = {L::min(), L::max(), T(0), T(1)};
        return extremes ? v[rng() % 4] : T(std::uniform_int_distribution<int>(L::min(), L::max())(rng));
    }
}

// Ordinary weights; halves that make ties; huge weights whose sums
// overflow, and a NaN constant; a NaN constant in the first row only;
// weights too small to divide by 65536 exactly (8-bit rows then keep every
// channel in the low byte of its lane).
const Matrix kMatrices[] = {
    {{0.299f, 0.587f, 0.114f, 3.5f}, {-0.169f, -0.331f, 0.5f, 128.0f}, {0.5f, -0.419f, -0.081f, 128.0f}, {0.1f, 0.2f, 0.3f, 0.4f}},
    {{0.5f, 0.5f, 0.0f, 0.5f}, {0.25f, 0.25f, 0.5f, -0.5f}, {1.5f, 0.0f, 0.0f, 2.5f}, {0.5f, 0.5f, 0.5f, 0.5f}},
    {{1e36f, -1e36f, 1e36f, 0.0f}, {-3e38f, -3e38f, 0.0f, 1.0f}, {0.0f, 0.0f, 0.0f, std::numeric_limits<float>::quiet_NaN()}, {1e36f, 1e36f, 0.0f, 0.0f}},
    {{0.5f, 0.0f, 0.0f, std::numeric_limits<float>::quiet_NaN()}, {0.2f, 0.3f, 0.5f, 1.0f}, {1.0f, 0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f, 1.0f}},
    {{0.25f, 1e-35f, 0.75f, 0.5f}, {0.5f, 0.5f, -3e-39f, -0.5f}, {0.0f, 0.125f, 1.0f, 2.5f}, {0.5f, 0.25f, 0.125f, 1e-35f}}};

TEST(TwistTargets, EveryTargetMatchesScalar) {
    forEveryType([](const auto& ops) {
        using T = SampleOf<decltype(ops)>;
        for (const auto& op : ops)
            for (const Matrix& m : kMatrices)
                for (int w : qrxtest::kEdgeWidths)
                    for (bool extremes : {false, true}) {
                        SCOPED_TRACE(extremes ? "extremes" : "random");
                        TestImage<T> src(op.form, w, 2);
                        std::mt19937 rng(w * 31 + extremes);
                        src.fill([&] { return sample<T>(rng, extremes); });
                        expectTargetsMatchScalar<T, Twist>(op, src, m);
                    }
    });
}

}  // namespace

TEST(TwistTargets, EntriesUseTheChosenTargetsTable) {
    qrxtest::expectTargetChoice(&qrx::twistRows, &qrx::twistRowsFor);
}
