// Every instruction-set build of the gray rows gives the scalar results,
// byte for byte, at widths around each vector group size.
#include <gtest/gtest.h>

#include <cstring>

#include "colormodels/gray/rows.h"
#include "guarded_image.h"
#include "targets.h"

namespace {

using qrx::GrayRows;
using qrxtest::GuardedImage;

template <class T, class Weights>
void compareRow(qrx::GrayRow<T, Weights> GrayRows::*row, int channels, Weights w, int lo, int hi) {
    const GrayRows& ref = *qrx::grayRowsFor(qrx::Target::Scalar);
    for (qrx::Target t : qrxtest::vectorTargets()) {
        const GrayRows* table = qrx::grayRowsFor(t);
        ASSERT_NE(table, nullptr);
        for (int width : qrxtest::kEdgeWidths)
            for (bool extremes : {false, true}) {
                GuardedImage<T> src(width, 1, channels);
                GuardedImage<T> want(width, 1), got(width, 1);
                src.randomize(width, lo, hi);
                // Only the two extremes: saturation and clamping at both ends.
                if (extremes)
                    for (int i = 0; i < width * channels; ++i)
                        src.ptr()[i] = static_cast<T>(int(src.ptr()[i]) & 1 ? hi : lo);
                (ref.*row)(src.ptr(), want.ptr(), width, w);
                (table->*row)(src.ptr(), got.ptr(), width, w);
                ASSERT_EQ(std::memcmp(want.ptr(), got.ptr(), width * sizeof(T)), 0)
                    << qrx::targetName(t) << " width " << width << (extremes ? " 0/255" : "");
            }
    }
}

TEST(GrayTargets, EveryTargetMatchesScalar) {
    const Qrx32f fixed[3] = {0.299f, 0.587f, 0.114f};
    const Qrx32f odd[3] = {0.9f, 0.61f, 0.0001f};
    // 12-bit weights near the top of the 16-bit range: sums far past 255.
    const Qrx32f heavy[3] = {15.99f, 0.0f, 9.5f};
    for (const Qrx32f* c : {fixed, odd, heavy}) {
        const qrx::GrayWeights12 w = qrx::grayWeights12(c);
        compareRow<Qrx8u, const qrx::GrayWeights12&>(&GrayRows::c3_8u, 3, w, 0, 255);
        compareRow<Qrx8u, const qrx::GrayWeights12&>(&GrayRows::ac4_8u, 4, w, 0, 255);
        compareRow<Qrx16u, const Qrx32f*>(&GrayRows::c3_16u, 3, c, 0, 65535);
        compareRow<Qrx16u, const Qrx32f*>(&GrayRows::ac4_16u, 4, c, 0, 65535);
        compareRow<Qrx16s, const Qrx32f*>(&GrayRows::c3_16s, 3, c, -32768, 32767);
        compareRow<Qrx16s, const Qrx32f*>(&GrayRows::ac4_16s, 4, c, -32768, 32767);
        compareRow<Qrx32f, const Qrx32f*>(&GrayRows::c3_32f, 3, c, -1000, 1000);
        compareRow<Qrx32f, const Qrx32f*>(&GrayRows::ac4_32f, 4, c, -1000, 1000);
    }
}

}  // namespace
