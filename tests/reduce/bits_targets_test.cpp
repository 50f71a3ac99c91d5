// Every instruction-set build of the bit-reduction rows gives the scalar
// results through the public entries: all 32 entries, every method, with and
// without noise, at widths around each vector step, in guarded images.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bits_ops.h"
#include "entry_targets.h"
#include "guarded_image.h"
#include "qrxcc.h"
#include "reduce/bits/rows.h"
#include "targets.h"
#include "threads.h"

namespace {

using bitsops::dense;
using bitsops::dither;
using bitsops::load;
using bitsops::sameElements;
using qrxtest::GuardedImage;

// One call of `op` under target t, into a destination that starts random.
template <class S, class D>
std::vector<D> runUnder(qrx::Target t, const bitsops::Layout<S, D>& op, const std::vector<S>& src,
                        int w, int h, int method, int noise, int levels) {
    qrxtest::TargetScope scope(t);
    EXPECT_TRUE(scope.ok());
    GuardedImage<S> s(w, h, op.stride);
    GuardedImage<D> d(w, h, op.stride);
    load(s, src);
    d.randomize(uint32_t(w));
    EXPECT_EQ(op.fn(s.ptr(), s.step(), d.ptr(), d.step(), {w, h}, noise, dither(method), levels),
              qrxOk);
    EXPECT_TRUE(d.untouchedOutside());
    return dense(d);
}

TEST(ReduceBitsTargets, EveryTargetMatchesScalar) {
    qrxtest::ScopedThreads one(1);  // thread counts are tested on their own
    const auto targets = qrxtest::vectorTargets();
    bitsops::forEachPair([&](const auto& pair) {
        using S = typename std::decay_t<decltype(pair)>::Src;
        for (const auto& op : pair.layouts)
            for (int method = 0; method <= 4; ++method)
                for (int noise : {0, 40})
                    for (int w : qrxtest::kEdgeWidths) {
                        // Diffusion rows are sequential: a few widths suffice.
                        const bool diffusion = method >= 1 && method <= 3;
                        if ((diffusion && w != 1 && w != 5 && w != 33) || (method == 0 && noise))
                            continue;
                        const int h = 3, levels = w % 2 ? 7 : pair.maxLevels;
                        const auto src = bitsops::randomSamples<S>(size_t(w) * h * op.stride, w);
                        const auto want =
                            runUnder(qrx::Target::Scalar, op, src, w, h, method, noise, levels);
                        for (qrx::Target t : targets) {
                            SCOPED_TRACE(op.name + " " + qrx::targetName(t) + " method " +
                                         std::to_string(method) + " noise " + std::to_string(noise) +
                                         " width " + std::to_string(w));
                            ASSERT_TRUE(sameElements(want, runUnder(t, op, src, w, h, method, noise, levels)));
                        }
                    }
    });
}

}  // namespace

TEST(ReduceBitsTargets, EntriesUseTheChosenTargetsTable) {
    qrxtest::expectTargetChoice(&qrx::bitsRows, &qrx::bitsRowsFor);
}
