// Every target gives the scalar target's bytes for every HLS and HSV member,
// the BGR plane members included.
#include <gtest/gtest.h>

#include "colormodels/hls_hsv/rows.h"
#include "entry_targets.h"
#include "qrxcc.h"
#include "targets_compare.h"

namespace {

using qrxtest::expectEveryTargetMatchesScalar;
using qrxtest::GuardedImage;

TEST(HlsHsvTargets, RgbMembersMatchScalar) {
#define CHECK(T, name, ch) expectEveryTargetMatchesScalar<T>(#name, ch, qrxi##name)
    CHECK(Qrx8u, RGBToHLS_8u_C3R, 3);
    CHECK(Qrx8u, RGBToHLS_8u_AC4R, 4);
    CHECK(Qrx8u, HLSToRGB_8u_C3R, 3);
    CHECK(Qrx8u, HLSToRGB_8u_AC4R, 4);
    CHECK(Qrx8u, RGBToHSV_8u_C3R, 3);
    CHECK(Qrx8u, RGBToHSV_8u_AC4R, 4);
    CHECK(Qrx8u, HSVToRGB_8u_C3R, 3);
    CHECK(Qrx8u, HSVToRGB_8u_AC4R, 4);
    CHECK(Qrx16u, RGBToHLS_16u_C3R, 3);
    CHECK(Qrx16u, RGBToHLS_16u_AC4R, 4);
    CHECK(Qrx16u, HLSToRGB_16u_C3R, 3);
    CHECK(Qrx16u, HLSToRGB_16u_AC4R, 4);
    CHECK(Qrx16u, RGBToHSV_16u_C3R, 3);
    CHECK(Qrx16u, RGBToHSV_16u_AC4R, 4);
    CHECK(Qrx16u, HSVToRGB_16u_C3R, 3);
    CHECK(Qrx16u, HSVToRGB_16u_AC4R, 4);
    CHECK(Qrx16s, RGBToHLS_16s_C3R, 3);
    CHECK(Qrx16s, RGBToHLS_16s_AC4R, 4);
    CHECK(Qrx16s, HLSToRGB_16s_C3R, 3);
    CHECK(Qrx16s, HLSToRGB_16s_AC4R, 4);
    CHECK(Qrx32f, RGBToHLS_32f_C3R, 3);
    CHECK(Qrx32f, RGBToHLS_32f_AC4R, 4);
    CHECK(Qrx32f, HLSToRGB_32f_C3R, 3);
    CHECK(Qrx32f, HLSToRGB_32f_AC4R, 4);
    CHECK(Qrx8u, BGRToHLS_8u_AC4R, 4);
#undef CHECK
}

// Planes are the bands of one image as tall as all of them: plane p is rows
// 2p and 2p + 1 (a row step of the image's own), so every plane ends at a
// guard page only for the last, and all share the step.
template <class S, class D>
void expectPlanes(const char* name, QrxStatus (*f)(S, int, D, int, QrxRoiSize), int planes,
                  bool srcPlanar, bool dstPlanar) {
    const int sc = srcPlanar ? 1 : planes, dc = dstPlanar ? 1 : planes;
    qrxtest::TargetCall<Qrx8u> call = [=](GuardedImage<Qrx8u>& s, GuardedImage<Qrx8u>& d, int w) {
        const Qrx8u* sp[4];
        Qrx8u* dp[4];
        for (int p = 0; p < 4; ++p) {
            sp[p] = srcPlanar ? s.ptr() + p * w : s.ptr();
            dp[p] = dstPlanar ? d.ptr() + p * w : d.ptr();
        }
        (void)sc, (void)dc;
        if constexpr (std::is_pointer_v<std::remove_pointer_t<S>>) {
            if constexpr (std::is_pointer_v<std::remove_pointer_t<D>>)
                return f(sp, s.step(), dp, d.step(), {w, 2});
            else return f(sp, s.step(), dp[0], d.step(), {w, 2});
        } else {
            if constexpr (std::is_pointer_v<std::remove_pointer_t<D>>)
                return f(sp[0], s.step(), dp, d.step(), {w, 2});
            else return f(sp[0], s.step(), dp[0], d.step(), {w, 2});
        }
    };
    // A planar image is `planes` samples wide per pixel, one plane after another in each row.
    expectEveryTargetMatchesScalar<Qrx8u>(name, planes, planes, call);
}

TEST(HlsHsvTargets, PlaneMembersMatchScalar) {
    expectPlanes("BGRToHLS_8u_C3P3R", qrxiBGRToHLS_8u_C3P3R, 3, false, true);
    expectPlanes("BGRToHLS_8u_P3C3R", qrxiBGRToHLS_8u_P3C3R, 3, true, false);
    expectPlanes("BGRToHLS_8u_P3R", qrxiBGRToHLS_8u_P3R, 3, true, true);
    expectPlanes("BGRToHLS_8u_AC4P4R", qrxiBGRToHLS_8u_AC4P4R, 4, false, true);
    expectPlanes("BGRToHLS_8u_AP4C4R", qrxiBGRToHLS_8u_AP4C4R, 4, true, false);
    expectPlanes("BGRToHLS_8u_AP4R", qrxiBGRToHLS_8u_AP4R, 4, true, true);
    expectPlanes("HLSToBGR_8u_C3P3R", qrxiHLSToBGR_8u_C3P3R, 3, false, true);
    expectPlanes("HLSToBGR_8u_P3C3R", qrxiHLSToBGR_8u_P3C3R, 3, true, false);
    expectPlanes("HLSToBGR_8u_P3R", qrxiHLSToBGR_8u_P3R, 3, true, true);
    expectPlanes("HLSToBGR_8u_AC4P4R", qrxiHLSToBGR_8u_AC4P4R, 4, false, true);
    expectPlanes("HLSToBGR_8u_AP4C4R", qrxiHLSToBGR_8u_AP4C4R, 4, true, false);
    expectPlanes("HLSToBGR_8u_AP4R", qrxiHLSToBGR_8u_AP4R, 4, true, true);
}

}  // namespace

TEST(HlsHsvTargets, EntriesUseTheChosenTargetsTable) {
    qrxtest::expectTargetChoice(&qrx::hlsHsvRows, &qrx::hlsHsvRowsFor);
}
