// Every instruction-set build of the XYZ and LUV rows gives the scalar
// results, byte for byte, through the public entries: random samples of the
// whole range, and for floats NaN, infinities and far out-of-range values.
#include <gtest/gtest.h>

#include "cie_targets.h"
#include "colormodels/xyz_luv/rows.h"
#include "entry_targets.h"

namespace {

using namespace cietest;

template <class T>
using Fn = Entry<T, T>;

template <class T>
void expectAgree(const char* name, Fn<T> c3, Fn<T> ac4, float lo = 0, float hi = 1) {
    auto fill = [lo, hi](int, int, std::mt19937& rng) {
        if constexpr (std::is_same_v<T, Qrx32f>) return floatSample(rng, lo, hi);
        else return anySample<T>(rng);
    };
    expectTargetsAgree<T, T>(name, c3, 3, fill);
    expectTargetsAgree<T, T>(name, ac4, 4, fill);
}

// Integer extremes only: every clamp at both ends.
template <class T>
void expectAgreeAtExtremes(const char* name, Fn<T> c3, Fn<T> ac4) {
    auto fill = [](int, int, std::mt19937& rng) {
        const T lo = std::is_same_v<T, Qrx16s> ? T(-32768) : T(0), hi = std::is_same_v<T, Qrx8u> ? T(255) : T(lo + 65535);
        return rng() % 2 ? lo : hi;
    };
    expectTargetsAgree<T, T>(name, c3, 3, fill);
    expectTargetsAgree<T, T>(name, ac4, 4, fill);
}

TEST(XyzLuvTargets, EveryTargetMatchesScalar) {
    expectAgree<Qrx8u>("RGBToXYZ 8u", qrxiRGBToXYZ_8u_C3R, qrxiRGBToXYZ_8u_AC4R);
    expectAgree<Qrx16u>("RGBToXYZ 16u", qrxiRGBToXYZ_16u_C3R, qrxiRGBToXYZ_16u_AC4R);
    expectAgree<Qrx16s>("RGBToXYZ 16s", qrxiRGBToXYZ_16s_C3R, qrxiRGBToXYZ_16s_AC4R);
    expectAgree<Qrx32f>("RGBToXYZ 32f", qrxiRGBToXYZ_32f_C3R, qrxiRGBToXYZ_32f_AC4R, -0.5f, 1.5f);
    expectAgree<Qrx8u>("XYZToRGB 8u", qrxiXYZToRGB_8u_C3R, qrxiXYZToRGB_8u_AC4R);
    expectAgree<Qrx16u>("XYZToRGB 16u", qrxiXYZToRGB_16u_C3R, qrxiXYZToRGB_16u_AC4R);
    expectAgree<Qrx16s>("XYZToRGB 16s", qrxiXYZToRGB_16s_C3R, qrxiXYZToRGB_16s_AC4R);
    expectAgree<Qrx32f>("XYZToRGB 32f", qrxiXYZToRGB_32f_C3R, qrxiXYZToRGB_32f_AC4R, -0.5f, 1.5f);
    expectAgree<Qrx8u>("RGBToLUV 8u", qrxiRGBToLUV_8u_C3R, qrxiRGBToLUV_8u_AC4R);
    expectAgree<Qrx16u>("RGBToLUV 16u", qrxiRGBToLUV_16u_C3R, qrxiRGBToLUV_16u_AC4R);
    expectAgree<Qrx16s>("RGBToLUV 16s", qrxiRGBToLUV_16s_C3R, qrxiRGBToLUV_16s_AC4R);
    expectAgree<Qrx32f>("RGBToLUV 32f", qrxiRGBToLUV_32f_C3R, qrxiRGBToLUV_32f_AC4R, -0.2f, 1.2f);
    expectAgree<Qrx8u>("LUVToRGB 8u", qrxiLUVToRGB_8u_C3R, qrxiLUVToRGB_8u_AC4R);
    expectAgree<Qrx16u>("LUVToRGB 16u", qrxiLUVToRGB_16u_C3R, qrxiLUVToRGB_16u_AC4R);
    expectAgree<Qrx16s>("LUVToRGB 16s", qrxiLUVToRGB_16s_C3R, qrxiLUVToRGB_16s_AC4R);
    expectAgree<Qrx32f>("LUVToRGB 32f", qrxiLUVToRGB_32f_C3R, qrxiLUVToRGB_32f_AC4R, -140.0f, 220.0f);
}

TEST(XyzLuvTargets, EveryTargetMatchesScalarAtExtremes) {
    expectAgreeAtExtremes<Qrx8u>("RGBToXYZ 8u", qrxiRGBToXYZ_8u_C3R, qrxiRGBToXYZ_8u_AC4R);
    expectAgreeAtExtremes<Qrx16s>("RGBToXYZ 16s", qrxiRGBToXYZ_16s_C3R, qrxiRGBToXYZ_16s_AC4R);
    expectAgreeAtExtremes<Qrx8u>("XYZToRGB 8u", qrxiXYZToRGB_8u_C3R, qrxiXYZToRGB_8u_AC4R);
    expectAgreeAtExtremes<Qrx16u>("XYZToRGB 16u", qrxiXYZToRGB_16u_C3R, qrxiXYZToRGB_16u_AC4R);
    expectAgreeAtExtremes<Qrx8u>("RGBToLUV 8u", qrxiRGBToLUV_8u_C3R, qrxiRGBToLUV_8u_AC4R);
    expectAgreeAtExtremes<Qrx16u>("RGBToLUV 16u", qrxiRGBToLUV_16u_C3R, qrxiRGBToLUV_16u_AC4R);
    expectAgreeAtExtremes<Qrx16s>("RGBToLUV 16s", qrxiRGBToLUV_16s_C3R, qrxiRGBToLUV_16s_AC4R);
    expectAgreeAtExtremes<Qrx8u>("LUVToRGB 8u", qrxiLUVToRGB_8u_C3R, qrxiLUVToRGB_8u_AC4R);
    expectAgreeAtExtremes<Qrx16u>("LUVToRGB 16u", qrxiLUVToRGB_16u_C3R, qrxiLUVToRGB_16u_AC4R);
    expectAgreeAtExtremes<Qrx16s>("LUVToRGB 16s", qrxiLUVToRGB_16s_C3R, qrxiLUVToRGB_16s_AC4R);
}

}  // namespace

TEST(XyzLuvTargets, EntriesUseTheChosenTargetsTable) {
    qrxtest::expectTargetChoice(&qrx::xyzLuvRows, &qrx::xyzLuvRowsFor);
}
