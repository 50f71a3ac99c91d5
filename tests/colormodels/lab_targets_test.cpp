// Every instruction-set build of the Lab rows gives the scalar results, byte
// for byte, through the public entries, over random samples of the whole
// range and over every 8-bit colour.
#include <gtest/gtest.h>

#include "cie_targets.h"
#include "colormodels/lab/rows.h"
#include "entry_targets.h"

namespace {

using namespace cietest;

TEST(LabTargets, EveryTargetMatchesScalar) {
    auto any8 = [](int, int, std::mt19937& rng) { return anySample<Qrx8u>(rng); };
    auto any16 = [](int, int, std::mt19937& rng) { return anySample<Qrx16u>(rng); };
    expectTargetsAgree<Qrx8u, Qrx8u>("BGRToLab 8u", qrxiBGRToLab_8u_C3R, 3, any8);
    expectTargetsAgree<Qrx8u, Qrx16u>("BGRToLab 8u16u", qrxiBGRToLab_8u16u_C3R, 3, any8);
    expectTargetsAgree<Qrx8u, Qrx8u>("LabToBGR 8u", qrxiLabToBGR_8u_C3R, 3, any8);
    expectTargetsAgree<Qrx16u, Qrx8u>("LabToBGR 16u8u", qrxiLabToBGR_16u8u_C3R, 3, any16);
}

// Every blue and green with 16 reds (0, 17, ..., 255), every target.
TEST(LabTargets, DenseColoursMatchScalar) {
    const int n = 1024;
    qrxtest::GuardedImage<Qrx8u> src(n, n, 3);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const int v = y * n + x;
            src.at(x, y, 0) = Qrx8u(v);
            src.at(x, y, 1) = Qrx8u(v >> 8);
            src.at(x, y, 2) = Qrx8u((v >> 16) * 17);
        }
    auto run = [&](qrx::Target t, auto fn, auto& dst) {
        qrxtest::TargetScope scope(t);
        ASSERT_EQ(fn(src.ptr(), src.step(), dst.ptr(), dst.step(), {n, n}), qrxOk);
    };
    qrxtest::GuardedImage<Qrx8u> want8(n, n, 3), got8(n, n, 3);
    qrxtest::GuardedImage<Qrx16u> want16(n, n, 3), got16(n, n, 3);
    run(qrx::Target::Scalar, qrxiBGRToLab_8u_C3R, want8);
    run(qrx::Target::Scalar, qrxiBGRToLab_8u16u_C3R, want16);
    for (qrx::Target t : qrxtest::vectorTargets()) {
        run(t, qrxiBGRToLab_8u_C3R, got8);
        run(t, qrxiBGRToLab_8u16u_C3R, got16);
        EXPECT_TRUE(want8.unchangedSince(got8.snapshot())) << qrx::targetName(t);
        EXPECT_TRUE(want16.unchangedSince(got16.snapshot())) << qrx::targetName(t);
    }
}

}  // namespace

TEST(LabTargets, EntriesUseTheChosenTargetsTable) {
    qrxtest::expectTargetChoice(&qrx::labRows, &qrx::labRowsFor);
}
