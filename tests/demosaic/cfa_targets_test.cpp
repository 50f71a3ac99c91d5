// Every instruction-set build of the CFA interpolation gives the scalar
// bytes through the public entries, at widths around each vector size, on
// both row phases and both column phases of every grid.
#include <gtest/gtest.h>

#include <cstring>

#include "guarded_image.h"
#include "qrxcc.h"
#include "targets.h"

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
                const QrxRect roi{x, 1, width, 5};
                GuardedImage<T> want(width, 5, 3), got(width, 5, 3);
                {
                    qrxtest::TargetScope scope(qrx::Target::Scalar);
                    ASSERT_EQ(fn(s.ptr(), roi, {W, H}, s.step(), want.ptr(), want.step(),
                                 QrxBayerGrid(grid)),
                              qrxOk);
                }
                for (qrx::Target t : qrxtest::vectorTargets()) {
                    qrxtest::TargetScope scope(t);
                    ASSERT_TRUE(scope.ok());
                    ASSERT_EQ(fn(s.ptr(), roi, {W, H}, s.step(), got.ptr(), got.step(),
                                 QrxBayerGrid(grid)),
                              qrxOk);
                    for (int y = 0; y < 5; ++y)
                        ASSERT_EQ(std::memcmp(want.row(y), got.row(y), 3 * width * sizeof(T)), 0)
                            << qrx::targetName(t) << " width " << width << " x " << x << " grid "
                            << grid << " row " << y;
                }
            }
}

TEST(CfaTargets, EveryTargetMatchesScalar) {
    compareTargets<Qrx8u>(qrxiCFAToRGB_8u_C1C3R, 255);
    compareTargets<Qrx16u>(qrxiCFAToRGB_16u_C1C3R, 65535);
}

}  // namespace
