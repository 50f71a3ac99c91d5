// Every instruction-set build of the AHD pipeline gives the scalar bytes
// through the public entries: interiors of several stripe widths, odd
// origins, edge tiles, and samples at the extremes.
#include <gtest/gtest.h>

#include <cstring>

#include "guarded_image.h"
#include "qrxcc.h"
#include "targets.h"

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
                const QrxRect roi{x, x, width, H - x};
                GuardedImage<T> want(width, H - x, 3), got(width, H - x, 3), scratch(width + 6, 30);
                {
                    qrxtest::TargetScope scope(qrx::Target::Scalar);
                    ASSERT_EQ(fn(s.ptr(), roi, {W, H}, s.step(), want.ptr(), want.step(),
                                 QrxBayerGrid(grid), scratch.ptr(), scratch.step()),
                              qrxOk);
                }
                for (qrx::Target t : qrxtest::vectorTargets()) {
                    qrxtest::TargetScope scope(t);
                    ASSERT_TRUE(scope.ok());
                    ASSERT_EQ(fn(s.ptr(), roi, {W, H}, s.step(), got.ptr(), got.step(),
                                 QrxBayerGrid(grid), scratch.ptr(), scratch.step()),
                              qrxOk);
                    for (int y = 0; y < H - x; ++y)
                        ASSERT_EQ(std::memcmp(want.row(y), got.row(y), 3 * width * sizeof(T)), 0)
                            << qrx::targetName(t) << " width " << width << " x " << x << " grid "
                            << grid << " row " << y;
                }
            }
}

TEST(AhdTargets, EveryTargetMatchesScalar) {
    compareTargets<Qrx8u>(qrxiDemosaicAHD_8u_C1C3R, 255);
    compareTargets<Qrx16u>(qrxiDemosaicAHD_16u_C1C3R, 65535);
}

}  // namespace
