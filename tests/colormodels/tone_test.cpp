// Tone mapping: linear and mean-based scales against a model, flat, zero,
// negative and denormal images, NaN and infinite pixels, and the checks.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "frame/primitives.h"
#include "guarded_image.h"
#include "qrxcc.h"

namespace {

using qrxtest::GuardedImage;
using ToneFn = QrxStatus (*)(const Qrx32f*, int, Qrx8u*, int, QrxRoiSize);

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

// The byte of one product: truncated, 255 from 255 up, 0 below 1 and for NaN.
Qrx8u byteOf(float p) {
    if (std::isnan(p) || p < 1.0f) return 0;
    return p >= 255.0f ? 255 : Qrx8u(std::trunc(p));
}

float linearScale(const GuardedImage<Qrx32f>& s) {
    float m = s.at(0, 0);
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) m = std::max(m, s.at(x, y));
    return 255.0f / m;
}

// The mean as the library's summing primitive gives it (float row lanes).
float meanScale(const GuardedImage<Qrx32f>& s) {
    double mean = 0;
    EXPECT_EQ(qrxiMean_32f_C1R(s.ptr(), s.step(), {s.width(), s.height()}, &mean, 1), qrxOk);
    return float(255.0 / (2.0 * mean));
}

struct Op {
    const char* name;
    ToneFn fn;
    float (*scale)(const GuardedImage<Qrx32f>&);
};
const Op kOps[] = {{"Linear", qrxiToneMapLinear_32f8u_C1R, linearScale},
                   {"Mean", qrxiToneMapMean_32f8u_C1R, meanScale}};

// Runs op on src into a destination prefilled with 0x5A; returns the status.
QrxStatus run(const Op& op, const GuardedImage<Qrx32f>& s, GuardedImage<Qrx8u>& d) {
    d.fill(0x5A);
    return op.fn(s.ptr(), s.step(), d.ptr(), d.step(), {s.width(), s.height()});
}

TEST(Tone, RandomImagesFollowTheScaleModel) {
    for (const Op& op : kOps)
        for (int w : {1, 3, 8, 17, 64, 100})
            for (int pad : {0, 12}) {
                SCOPED_TRACE(std::string(op.name) + " width " + std::to_string(w));
                const int h = 5;
                GuardedImage<Qrx32f> s(w, h, 1, pad ? w * 4 + pad : 0);
                GuardedImage<Qrx8u> d(w, h, 1, pad ? w + pad : 0);
                std::mt19937 rng(w + pad);
                std::uniform_real_distribution<float> v(-20.0f, 1000.0f);
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) s.at(x, y) = v(rng);
                s.at(0, 0) = 1.0f;  // a positive maximum and mean
                ASSERT_EQ(run(op, s, d), qrxOk);
                const float k = op.scale(s);
                int bad = 0;
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) bad += d.at(x, y) != byteOf(s.at(x, y) * k);
                EXPECT_EQ(bad, 0);
                EXPECT_TRUE(d.untouchedOutside());
            }
}

TEST(Tone, LinearMapsTheMaximumTo255AndTruncates) {
    GuardedImage<Qrx32f> s(4, 1);
    GuardedImage<Qrx8u> d(4, 1);
    const float in[4] = {2.0f, 1.0f, -5.0f, 0.0079f};  // max 2: s = 127.5
    for (int x = 0; x < 4; ++x) s.at(x, 0) = in[x];
    ASSERT_EQ(run(kOps[0], s, d), qrxOk);
    EXPECT_EQ(d.at(0, 0), 255);
    EXPECT_EQ(d.at(1, 0), 127);  // 127.5 truncated
    EXPECT_EQ(d.at(2, 0), 0);    // negative
    EXPECT_EQ(d.at(3, 0), 1);    // 1.007
}

TEST(Tone, MeanMapsTwiceTheMeanTo255AndSaturatesAbove) {
    GuardedImage<Qrx32f> s(4, 1);
    GuardedImage<Qrx8u> d(4, 1);
    const float in[4] = {1.0f, 3.0f, 0.0f, 0.0f};  // mean 1: s = 127.5
    for (int x = 0; x < 4; ++x) s.at(x, 0) = in[x];
    ASSERT_EQ(run(kOps[1], s, d), qrxOk);
    EXPECT_EQ(d.at(0, 0), 127);
    EXPECT_EQ(d.at(1, 0), 255);  // 382.5
    EXPECT_EQ(d.at(2, 0), 0);
}

TEST(Tone, FlatImagesMapToOneValue) {
    for (const Op& op : kOps)
        for (float c : {0.5f, 3.0f, 1000.0f}) {
            SCOPED_TRACE(std::string(op.name) + " " + std::to_string(c));
            GuardedImage<Qrx32f> s(9, 4);
            GuardedImage<Qrx8u> d(9, 4);
            s.fill(c);
            ASSERT_EQ(run(op, s, d), qrxOk);
            const Qrx8u want = op.fn == qrxiToneMapLinear_32f8u_C1R ? 255 : 127;
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 9; ++x) EXPECT_EQ(d.at(x, y), want);
        }
}

// Zero, denormal or NaN statistics clear the destination; negative ones
// leave it alone and warn.
TEST(Tone, DegenerateStatisticsClearOrWarn) {
    struct Case {
        float fill;
        QrxStatus status;
        int value;  // -1: unchanged
    };
    const Case cases[] = {{0.0f, qrxOk, 0},
                          {1e-39f, qrxOk, 0},  // denormal
                          // Half the smallest normal float: twice it is the
                          // smallest normal, which still clears.
                          {std::numeric_limits<float>::min() / 2, qrxOk, 0},
                          {-2.0f, qrxWarnNothingDone, -1}};
    for (const Op& op : kOps)
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(op.name) + " " + std::to_string(c.fill));
            GuardedImage<Qrx32f> s(7, 3);
            GuardedImage<Qrx8u> d(7, 3, 1, 11);
            s.fill(c.fill);
            EXPECT_EQ(run(op, s, d), c.status);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 7; ++x) EXPECT_EQ(d.at(x, y), c.value < 0 ? 0x5A : c.value);
            EXPECT_TRUE(d.untouchedOutside());
        }
    // A maximum of the smallest normal float clears; just above it the
    // image is scaled (by an infinite scale: positive pixels give 255,
    // zeros 0 as 0 x inf is NaN).
    GuardedImage<Qrx32f> s(2, 1);
    GuardedImage<Qrx8u> d(2, 1);
    s.fill(std::numeric_limits<float>::min());
    EXPECT_EQ(run(kOps[0], s, d), qrxOk);
    EXPECT_EQ(d.at(1, 0), 0);
    s.at(1, 0) = std::nextafter(std::numeric_limits<float>::min(), 1.0f);
    s.at(0, 0) = 0.0f;
    EXPECT_EQ(run(kOps[0], s, d), qrxOk);
    EXPECT_EQ(d.at(0, 0), 0);
    EXPECT_EQ(d.at(1, 0), 255);
}

TEST(Tone, NaNAndInfinitePixels) {
    GuardedImage<Qrx32f> s(4, 1);
    GuardedImage<Qrx8u> d(4, 1);
    // A NaN pixel gives 0; the others scale by the maximum of the rest.
    const float a[4] = {2.0f, kNaN, 1.0f, -kInf};
    for (int x = 0; x < 4; ++x) s.at(x, 0) = a[x];
    ASSERT_EQ(run(kOps[0], s, d), qrxOk);
    EXPECT_EQ(d.at(0, 0), 255);
    EXPECT_EQ(d.at(1, 0), 0);
    EXPECT_EQ(d.at(2, 0), 127);
    EXPECT_EQ(d.at(3, 0), 0);
    // A NaN first pixel makes the maximum NaN: the destination is cleared.
    s.at(0, 0) = kNaN;
    ASSERT_EQ(run(kOps[0], s, d), qrxOk);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(d.at(x, 0), 0);
    // An infinite maximum or mean makes the scale 0: every pixel gives 0
    // (the infinite one too, as inf x 0 is NaN).
    const float b[4] = {2.0f, kInf, 1.0f, 3.0f};
    for (int x = 0; x < 4; ++x) s.at(x, 0) = b[x];
    for (const Op& op : kOps) {
        ASSERT_EQ(run(op, s, d), qrxOk);
        for (int x = 0; x < 4; ++x) EXPECT_EQ(d.at(x, 0), 0) << op.name;
    }
    // The mean of an image with a NaN is NaN: cleared.
    s.at(1, 0) = kNaN;
    ASSERT_EQ(run(kOps[1], s, d), qrxOk);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(d.at(x, 0), 0);
}

TEST(Tone, ChecksComeFromTheStatisticThenTheDestination) {
    for (const Op& op : kOps) {
        SCOPED_TRACE(op.name);
        GuardedImage<Qrx32f> s(3, 2);
        GuardedImage<Qrx8u> d(3, 2);
        d.fill(9);
        const auto snap = d.snapshot();
        s.fill(1.0f);
        EXPECT_EQ(op.fn(nullptr, 12, nullptr, 3, {0, 0}), qrxErrNullPtr);
        EXPECT_EQ(op.fn(s.ptr(), 12, nullptr, 3, {0, 2}), qrxErrSize);
        EXPECT_EQ(op.fn(s.ptr(), 12, d.ptr(), 3, {3, -1}), qrxErrSize);
        EXPECT_EQ(op.fn(s.ptr(), 12, nullptr, 3, {3, 2}), qrxErrNullPtr);  // scaling path
        s.fill(0.0f);
        EXPECT_EQ(op.fn(s.ptr(), 12, nullptr, 3, {3, 2}), qrxErrNullPtr);  // clearing path
        s.fill(-1.0f);
        EXPECT_EQ(op.fn(s.ptr(), 12, nullptr, 3, {3, 2}), qrxWarnNothingDone);
        EXPECT_TRUE(d.unchangedSince(snap));
        // Steps are not checked: a zero source step maps row 0 twice.
        s.fill(1.0f);
        s.at(0, 0) = 2.0f;
        s.at(0, 1) = 100.0f;
        ASSERT_EQ(op.fn(s.ptr(), 0, d.ptr(), 3, {3, 2}), qrxOk);
        for (int x = 0; x < 3; ++x) EXPECT_EQ(d.at(x, 1), d.at(x, 0));
        EXPECT_EQ(d.at(0, 1), op.fn == qrxiToneMapLinear_32f8u_C1R ? 255 : 191);
    }
}

}  // namespace
