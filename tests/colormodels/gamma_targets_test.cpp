// Every target's gamma correction gives the scalar target's bytes, through
// the public entries, at widths around each vector size.
#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "gamma_ops.h"
#include "targets.h"

namespace {

using namespace gammatest;

template <class T>
T sample(std::mt19937& rng) {
    if constexpr (std::is_same_v<T, Qrx32f>) {
        return std::uniform_real_distribution<float>(-0.3f, 1.3f)(rng);
    } else {
        return T(rng());
    }
}

template <class T>
void expectTargetsMatchScalar(const std::vector<GammaOp<T>>& ops) {
    const auto targets = qrxtest::vectorTargets();
    for (const auto& op : ops)
        for (int w : qrxtest::kEdgeWidths) {
            const int h = 2;
            TestImage<T> src(op.form, w, h);
            std::mt19937 rng(w);
            src.fill([&] { return sample<T>(rng); });
            auto fresh = [&] {
                auto d = std::make_unique<TestImage<T>>(op.form, w, h);
                std::mt19937 r2(9);
                d->fill([&] { return T(r2() % 100); });
                return d;
            };
            auto want = fresh();
            {
                qrxtest::TargetScope scope(qrx::Target::Scalar);
                ASSERT_EQ(op.run(src, *want, {w, h}, 0.0f, 1.0f), qrxOk);
            }
            for (qrx::Target t : targets) {
                auto got = fresh();
                qrxtest::TargetScope scope(t);
                ASSERT_EQ(op.run(src, *got, {w, h}, 0.0f, 1.0f), qrxOk);
                EXPECT_TRUE(*got == *want) << op.name << " " << qrx::targetName(t) << " width " << w;
                EXPECT_TRUE(got->untouchedOutside());
            }
        }
}

TEST(GammaTargets, EveryTargetMatchesScalar) {
    expectTargetsMatchScalar(ops8u());
    expectTargetsMatchScalar(ops16u());
    expectTargetsMatchScalar(ops32f());
}

}  // namespace
