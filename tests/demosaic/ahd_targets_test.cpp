// Every instruction-set build of the AHD pipeline gives the scalar bytes
// through the public entries: interiors of several stripe widths, odd
// origins, edge tiles, and samples at the extremes.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "entry_targets.h"
#include "qrxcc.h"

namespace {

using qrxtest::GuardedImage;

template <class T, class Fn>
void compareTargets(Fn fn, int maxValue) {
    for (int width : {1, 5, 11, 17, 33, 64, 65, 127, 255, 256, 257, 520})
        for (int x : {0, 1})
            for (int grid = 0; grid < 4; ++grid) {
                const int W = width + 12, H = 20;
                GuardedImage<T> s(W, H);
                s.randomize(width * 8 + x + grid, 0, maxValue);
                for (int y = 0; y < H; y += 3)
                    for (int i = 0; i < W; ++i) s.at(i, y) = T(s.at(i, y) & 1 ? maxValue : 0);
                uint32_t runs = 0;  // each run's scratch starts from other bytes
                qrxtest::expectTargetsMatchScalar(
                    "width " + std::to_string(width) + " x " + std::to_string(x) + " grid " + std::to_string(grid),
                    [&] {
                        GuardedImage<T> d(width, H - x, 3), scratch(width + 6, 30);
                        scratch.randomize(++runs, 0, maxValue);
                        EXPECT_EQ(fn(s.ptr(), {x, x, width, H - x}, {W, H}, s.step(), d.ptr(), d.step(),
                                     QrxBayerGrid(grid), scratch.ptr(), scratch.step()),
                                  qrxOk);
                        return d.snapshot();
                    });
            }
}

TEST(AhdTargets, EveryTargetMatchesScalar) {
    compareTargets<Qrx8u>(qrxiDemosaicAHD_8u_C1C3R, 255);
    compareTargets<Qrx16u>(qrxiDemosaicAHD_16u_C1C3R, 65535);
}

}  // namespace
