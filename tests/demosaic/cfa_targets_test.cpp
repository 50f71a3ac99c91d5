// Every instruction-set build of the CFA interpolation gives the scalar
// bytes through the public entries, at widths around each vector size, on
// both row phases and both column phases of every grid.
#include <gtest/gtest.h>

#include <string>

#include "entry_targets.h"
#include "qrxcc.h"

namespace {

using qrxtest::GuardedImage;

template <class T, class Fn>
void compareTargets(Fn fn, int maxValue) {
    for (int width : qrxtest::kEdgeWidths)
        for (int x : {0, 1, 2, 3})
            for (int grid = 0; grid < 4; ++grid) {
                const int W = width + x + 3, H = 7;
                GuardedImage<T> s(W, H);
                s.randomize(width * 8 + x, 0, maxValue);
                // Half of the rows at the extremes: saturation-prone sums.
                for (int y = 0; y < H; y += 2)
                    for (int i = 0; i < W; ++i) s.at(i, y) = T(s.at(i, y) & 1 ? maxValue : 0);
                qrxtest::expectTargetsMatchScalar(
                    "width " + std::to_string(width) + " x " + std::to_string(x) + " grid " + std::to_string(grid),
                    [&] {
                        GuardedImage<T> d(width, 5, 3);
                        EXPECT_EQ(fn(s.ptr(), {x, 1, width, 5}, {W, H}, s.step(), d.ptr(), d.step(),
                                     QrxBayerGrid(grid)),
                                  qrxOk);
                        return d.snapshot();
                    });
            }
}

TEST(CfaTargets, EveryTargetMatchesScalar) {
    compareTargets<Qrx8u>(qrxiCFAToRGB_8u_C1C3R, 255);
    compareTargets<Qrx16u>(qrxiCFAToRGB_16u_C1C3R, 65535);
}

}  // namespace
