// 8-bit ordered dithering without noise runs, on the vector targets, through
// fixed-point constants found per level count. Whatever form is used, every
// sample at every matrix position must give the float rule's byte: this
// sweeps all 256 samples over the 16 positions in every layout, for every
// level count, under every target. The forms themselves must also keep
// covering most level counts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bits_model.h"
#include "bits_ops.h"
#include "guarded_image.h"
#include "qrxcc.h"
#include "reduce/bits/byte_plan.h"
#include "targets.h"
#include "threads.h"

namespace {

using qrxtest::GuardedImage;

// Pixel x of every row holds sample x / 4 in channel 0 (so column phase x
// mod 4 meets every sample) and shifted samples in the other channels; four
// rows give every row phase. The three columns past 1024 end the row off a
// vector step.
constexpr int kWidth = 1027, kHeight = 4;

std::vector<Qrx8u> everySampleAtEveryPosition(int stride) {
    std::vector<Qrx8u> v(size_t(kWidth) * kHeight * stride);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < stride; ++c)
                v[(size_t(y) * kWidth + x) * stride + c] = Qrx8u(((x >> 2) + 85 * c + y) & 255);
    return v;
}

TEST(ReduceBitsOrderedBytes, EverySampleAtEveryPositionForEveryLevelCount) {
    qrxtest::ScopedThreads one(1);
    auto targets = qrxtest::vectorTargets();
    targets.push_back(qrx::Target::Scalar);
    const auto ops = bitsops::pairOps<Qrx8u, Qrx8u>("8u", qrxiReduceBits_8u_C1R,
                                                     qrxiReduceBits_8u_C3R, qrxiReduceBits_8u_C4R,
                                                     qrxiReduceBits_8u_AC4R);
    for (const auto& op : ops.layouts) {
        const auto src = everySampleAtEveryPosition(op.stride);
        GuardedImage<Qrx8u> s(kWidth, kHeight, op.stride);
        bitsops::load(s, src);
        for (int levels = 2; levels <= 256; ++levels) {
            GuardedImage<Qrx8u> d(kWidth, kHeight, op.stride);
            d.randomize(uint32_t(levels));
            std::vector<Qrx8u> want = bitsops::dense(d);  // AC4 keeps the fourth channel
            bitsmodel::orderedModel(src, want, kWidth, kHeight, op.stride, op.reduced, levels - 1, 0);
            for (qrx::Target t : targets) {
                SCOPED_TRACE(op.name + " " + qrx::targetName(t) + " levels " + std::to_string(levels));
                qrxtest::TargetScope scope(t);
                ASSERT_TRUE(scope.ok());
                d.randomize(uint32_t(levels));
                ASSERT_EQ(op.fn(s.ptr(), s.step(), d.ptr(), d.step(), {kWidth, kHeight}, 0,
                                qrxDitherBayer4x4, levels),
                          qrxOk);
                ASSERT_TRUE(d.untouchedOutside());
                ASSERT_TRUE(bitsops::sameElements(want, bitsops::dense(d)));
            }
        }
    }
}

// The fixed-point form is what makes the 8-bit rows fast; a change that
// finds fewer forms leaves the bytes right and the rows slow. 204 of the 255
// level counts have one, the powers of two but 64 among them (a search that
// finds more should raise the count here).
TEST(ReduceBitsOrderedBytes, FixedPointFormsCoverMostLevelCounts) {
    int exact = 0;
    for (int L = 1; L <= 255; ++L) exact += qrx::makeBytePlan(L).exact;
    EXPECT_EQ(exact, 204);
    for (int levels : {2, 4, 8, 16, 32, 128, 256})
        EXPECT_TRUE(qrx::bytePlan(levels - 1).exact) << levels << " levels";
}

}  // namespace
