// Every target's tone mapping gives the scalar target's bytes, through the
// public entries, at widths around each vector size.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <random>

#include "colormodels/tone/rows.h"
#include "entry_targets.h"
#include "guarded_image.h"
#include "qrxcc.h"
#include "targets.h"

namespace {

using qrxtest::GuardedImage;

TEST(ToneTargets, EveryTargetMatchesScalar) {
    for (auto fn : {qrxiToneMapLinear_32f8u_C1R, qrxiToneMapMean_32f8u_C1R})
        for (int w : qrxtest::kEdgeWidths) {
            const int h = 3;
            GuardedImage<Qrx32f> s(w, h);
            std::mt19937 rng(w);
            std::uniform_real_distribution<float> v(-50.0f, 500.0f);
            // NaN and a huge negative value only where they leave the
            // statistic positive (any pixel but the first, for the maximum).
            const float special[] = {254.99f, 0.999f, -0.5f, std::numeric_limits<float>::quiet_NaN(), -1e30f};
            const unsigned specials = fn == qrxiToneMapLinear_32f8u_C1R ? 5 : 3;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) s.at(x, y) = rng() % 7 == 0 ? special[rng() % specials] : v(rng);
            s.at(0, 0) = 300.0f;
            GuardedImage<Qrx8u> want(w, h);
            {
                qrxtest::TargetScope scalar(qrx::Target::Scalar);
                ASSERT_EQ(fn(s.ptr(), s.step(), want.ptr(), want.step(), {w, h}), qrxOk);
            }
            for (qrx::Target t : qrxtest::vectorTargets()) {
                GuardedImage<Qrx8u> got(w, h);
                qrxtest::TargetScope scope(t);
                ASSERT_EQ(fn(s.ptr(), s.step(), got.ptr(), got.step(), {w, h}), qrxOk);
                for (int y = 0; y < h; ++y)
                    EXPECT_EQ(std::memcmp(got.row(y), want.row(y), w), 0) << qrx::targetName(t) << " width " << w;
            }
        }
}

}  // namespace

TEST(ToneTargets, EntriesUseTheChosenTargetsTable) {
    qrxtest::expectTargetChoice(&qrx::toneRows, &qrx::toneRowsFor);
}
