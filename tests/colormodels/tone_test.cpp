// Tone mapping: linear and mean-based scales against a model, literal
// values, flat, zero, negative and denormal images, NaN and infinite
// pixels, and the checks.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "frame/primitives.h"
#include "guarded_image.h"
#include "qrxcc.h"

namespace {

using qrxtest::GuardedImage;
using ToneFn = QrxStatus (*)(const Qrx32f*, int, Qrx8u*, int, QrxRoiSize);
const float kNaN = std::numeric_limits<float>::quiet_NaN(), kInf = std::numeric_limits<float>::infinity();
const float kMinNormal = std::numeric_limits<float>::min();
const ToneFn kLinear = qrxiToneMapLinear_32f8u_C1R, kMean = qrxiToneMapMean_32f8u_C1R;

// Maps `in` (one row) into a destination prefilled with 0x5A; returns the
// status and the bytes.
std::pair<QrxStatus, std::vector<int>> map(ToneFn fn, const std::vector<float>& in) {
    const int w = int(in.size());
    GuardedImage<Qrx32f> s(w, 1);
    GuardedImage<Qrx8u> d(w, 1);
    for (int x = 0; x < w; ++x) s.at(x, 0) = in[x];
    d.fill(0x5A);
    const QrxStatus st = fn(s.ptr(), s.step(), d.ptr(), d.step(), {w, 1});
    EXPECT_TRUE(d.untouchedOutside());
    return {st, std::vector<int>(d.row(0), d.row(0) + w)};
}
using Result = std::pair<QrxStatus, std::vector<int>>;

TEST(Tone, RandomImagesFollowTheScaleModel) {
    for (ToneFn fn : {kLinear, kMean})
        for (int w : {1, 3, 8, 17, 64, 100})
            for (int pad : {0, 12}) {
                const int h = 5;
                GuardedImage<Qrx32f> s(w, h, 1, pad ? w * 4 + pad : 0);
                GuardedImage<Qrx8u> d(w, h, 1, pad ? w + pad : 0);
                std::mt19937 rng(w + pad);
                std::uniform_real_distribution<float> v(-20.0f, 1000.0f);
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) s.at(x, y) = y + x == 0 ? 1.0f : v(rng);
                ASSERT_EQ(fn(s.ptr(), s.step(), d.ptr(), d.step(), {w, h}), qrxOk);
                // The scale: 255 over the maximum in float, or over twice the
                // mean (as the library's float-lane sum gives it) in double.
                float k;
                if (fn == kLinear) {
                    float m = s.at(0, 0);
                    for (int y = 0; y < h; ++y)
                        for (int x = 0; x < w; ++x) m = std::max(m, s.at(x, y));
                    k = 255.0f / m;
                } else {
                    double mean = 0;
                    ASSERT_EQ(qrxiMean_32f_C1R(s.ptr(), s.step(), {w, h}, &mean, 1), qrxOk);
                    k = float(255.0 / (2.0 * mean));
                }
                int bad = 0;
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) {
                        const float p = s.at(x, y) * k;
                        bad += d.at(x, y) != (p < 1.0f ? 0 : p >= 255.0f ? 255 : int(p));
                    }
                EXPECT_EQ(bad, 0) << w;
                EXPECT_TRUE(d.untouchedOutside());
            }
}

TEST(Tone, LiteralValues) {
    // Maximum 2: scale 127.5; the maximum gives 255, half of it 127 (127.5
    // truncated), a negative pixel 0, 0.0079 gives 1.007 -> 1.
    EXPECT_EQ(map(kLinear, {2.0f, 1.0f, -5.0f, 0.0079f}), Result(qrxOk, {255, 127, 0, 1}));
    // Mean 1: twice the mean maps to 255, so 1 gives 127 and 3 saturates.
    EXPECT_EQ(map(kMean, {1.0f, 3.0f, 0.0f, 0.0f}), Result(qrxOk, {127, 255, 0, 0}));
    // Flat images: the maximum maps to 255, the mean to 127.
    for (float c : {0.5f, 3.0f, 1000.0f}) {
        EXPECT_EQ(map(kLinear, std::vector<float>(9, c)), Result(qrxOk, std::vector<int>(9, 255)));
        EXPECT_EQ(map(kMean, std::vector<float>(9, c)), Result(qrxOk, std::vector<int>(9, 127)));
    }
}

// Zero, denormal or NaN statistics clear the destination; negative ones
// leave it alone and warn.
TEST(Tone, DegenerateStatisticsClearOrWarn) {
    for (ToneFn fn : {kLinear, kMean}) {
        for (float c : {0.0f, 1e-39f, kMinNormal / 2})  // twice kMinNormal / 2 still clears
            EXPECT_EQ(map(fn, std::vector<float>(7, c)), Result(qrxOk, std::vector<int>(7, 0)));
        EXPECT_EQ(map(fn, {-2.0f, -1.0f, -3.0f}), Result(qrxWarnNothingDone, {0x5A, 0x5A, 0x5A}));
    }
    // A maximum of exactly the smallest normal float clears; just above it
    // the scale is infinite: positive pixels give 255, zeros 0 (0 x inf).
    EXPECT_EQ(map(kLinear, {kMinNormal, kMinNormal}), Result(qrxOk, {0, 0}));
    EXPECT_EQ(map(kLinear, {0.0f, std::nextafter(kMinNormal, 1.0f)}), Result(qrxOk, {0, 255}));
}

TEST(Tone, NaNAndInfinitePixels) {
    // NaN and -inf pixels give 0; the others scale by the maximum of the rest.
    EXPECT_EQ(map(kLinear, {2.0f, kNaN, 1.0f, -kInf}), Result(qrxOk, {255, 0, 127, 0}));
    // A NaN first pixel makes the maximum NaN, and a NaN makes the mean
    // NaN: the destination is cleared.
    EXPECT_EQ(map(kLinear, {kNaN, 2.0f, 1.0f}), Result(qrxOk, {0, 0, 0}));
    EXPECT_EQ(map(kMean, {2.0f, kNaN, 1.0f}), Result(qrxOk, {0, 0, 0}));
    // An infinite maximum or mean makes the scale 0 (inf x 0 is NaN: 0).
    EXPECT_EQ(map(kLinear, {2.0f, kInf, 1.0f}), Result(qrxOk, {0, 0, 0}));
    EXPECT_EQ(map(kMean, {2.0f, kInf, 1.0f}), Result(qrxOk, {0, 0, 0}));
}

TEST(Tone, ChecksComeFromTheStatisticThenTheDestination) {
    for (ToneFn fn : {kLinear, kMean}) {
        GuardedImage<Qrx32f> s(3, 2);
        GuardedImage<Qrx8u> d(3, 2);
        d.fill(9);
        const auto snap = d.snapshot();
        s.fill(1.0f);
        EXPECT_EQ(fn(nullptr, 12, nullptr, 3, {0, 0}), qrxErrNullPtr);
        EXPECT_EQ(fn(s.ptr(), 12, nullptr, 3, {0, 2}), qrxErrSize);
        EXPECT_EQ(fn(s.ptr(), 12, d.ptr(), 3, {3, -1}), qrxErrSize);
        EXPECT_EQ(fn(s.ptr(), 12, nullptr, 3, {3, 2}), qrxErrNullPtr);  // scaling
        s.fill(0.0f);
        EXPECT_EQ(fn(s.ptr(), 12, nullptr, 3, {3, 2}), qrxErrNullPtr);  // clearing
        s.fill(-1.0f);
        EXPECT_EQ(fn(s.ptr(), 12, nullptr, 3, {3, 2}), qrxWarnNothingDone);
        EXPECT_TRUE(d.unchangedSince(snap));
        // Steps are not checked: a zero source step maps row 0 twice.
        s.fill(1.0f);
        s.at(0, 0) = 2.0f;
        s.at(0, 1) = 100.0f;
        ASSERT_EQ(fn(s.ptr(), 0, d.ptr(), 3, {3, 2}), qrxOk);
        EXPECT_EQ(std::vector<int>(d.row(1), d.row(1) + 3), std::vector<int>(d.row(0), d.row(0) + 3));
        EXPECT_EQ(d.at(0, 1), fn == kLinear ? 255 : 191);
    }
}

}  // namespace
