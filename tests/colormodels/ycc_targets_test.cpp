// Every target gives the scalar target's bytes for every YCC member.
#include <gtest/gtest.h>

#include "colormodels/ycc/rows.h"
#include "entry_targets.h"
#include "qrxcc.h"
#include "targets_compare.h"

namespace {

using qrxtest::expectEveryTargetMatchesScalar;

TEST(YccTargets, EveryTargetMatchesScalar) {
    expectEveryTargetMatchesScalar<Qrx8u>("RGBToYCC_8u_C3R", 3, qrxiRGBToYCC_8u_C3R);
    expectEveryTargetMatchesScalar<Qrx8u>("RGBToYCC_8u_AC4R", 4, qrxiRGBToYCC_8u_AC4R);
    expectEveryTargetMatchesScalar<Qrx8u>("YCCToRGB_8u_C3R", 3, qrxiYCCToRGB_8u_C3R);
    expectEveryTargetMatchesScalar<Qrx8u>("YCCToRGB_8u_AC4R", 4, qrxiYCCToRGB_8u_AC4R);
    expectEveryTargetMatchesScalar<Qrx16u>("RGBToYCC_16u_C3R", 3, qrxiRGBToYCC_16u_C3R);
    expectEveryTargetMatchesScalar<Qrx16u>("RGBToYCC_16u_AC4R", 4, qrxiRGBToYCC_16u_AC4R);
    expectEveryTargetMatchesScalar<Qrx16u>("YCCToRGB_16u_C3R", 3, qrxiYCCToRGB_16u_C3R);
    expectEveryTargetMatchesScalar<Qrx16u>("YCCToRGB_16u_AC4R", 4, qrxiYCCToRGB_16u_AC4R);
    expectEveryTargetMatchesScalar<Qrx16s>("RGBToYCC_16s_C3R", 3, qrxiRGBToYCC_16s_C3R);
    expectEveryTargetMatchesScalar<Qrx16s>("RGBToYCC_16s_AC4R", 4, qrxiRGBToYCC_16s_AC4R);
    expectEveryTargetMatchesScalar<Qrx16s>("YCCToRGB_16s_C3R", 3, qrxiYCCToRGB_16s_C3R);
    expectEveryTargetMatchesScalar<Qrx16s>("YCCToRGB_16s_AC4R", 4, qrxiYCCToRGB_16s_AC4R);
    expectEveryTargetMatchesScalar<Qrx32f>("RGBToYCC_32f_C3R", 3, qrxiRGBToYCC_32f_C3R);
    expectEveryTargetMatchesScalar<Qrx32f>("RGBToYCC_32f_AC4R", 4, qrxiRGBToYCC_32f_AC4R);
    expectEveryTargetMatchesScalar<Qrx32f>("YCCToRGB_32f_C3R", 3, qrxiYCCToRGB_32f_C3R);
    expectEveryTargetMatchesScalar<Qrx32f>("YCCToRGB_32f_AC4R", 4, qrxiYCCToRGB_32f_AC4R);
}

}  // namespace

TEST(YccTargets, EntriesUseTheChosenTargetsTable) {
    qrxtest::expectTargetChoice(&qrx::yccRows, &qrx::yccRowsFor);
}
