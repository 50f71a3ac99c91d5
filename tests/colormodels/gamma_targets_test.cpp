// Every target's gamma correction gives the scalar target's bytes, through
// the public entries, at widths around each vector size.
#include <gtest/gtest.h>

#include <random>

#include "colormodels/gamma/rows.h"
#include "entry_targets.h"
#include "gamma_ops.h"

namespace {

using namespace gammatest;

template <class T, class... P>
void expectAll(const std::vector<ChannelOp<T, P...>>& ops, P... p) {
    for (const auto& op : ops)
        for (int w : qrxtest::kEdgeWidths) {
            TestImage<T> src(op.form, w, 2);
            std::mt19937 rng(w);
            std::uniform_real_distribution<float> f(-0.3f, 1.3f);
            src.fill([&] { return std::is_same_v<T, Qrx32f> ? T(f(rng)) : T(rng()); });
            expectTargetsMatchScalar<T, P...>(op, src, p...);
        }
}

TEST(GammaTargets, EveryTargetMatchesScalar) {
    expectAll(ops8u());
    expectAll(ops16u());
    expectAll(ops32f(), 0.0f, 1.0f);
}

}  // namespace

TEST(GammaTargets, EntriesUseTheChosenTargetsTable) {
    qrxtest::expectTargetChoice(&qrx::gammaRows, &qrx::gammaRowsFor);
}
