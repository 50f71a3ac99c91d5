// Bit-depth reduction entries: argument checks and their order, the plain
// quantisation of every type pair against its model, known values, and what
// extreme inputs give in every method.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "bits_model.h"
#include "bits_ops.h"
#include "guarded_image.h"
#include "qrxcc.h"
#include "threads.h"

namespace {

using bitsops::dense;
using bitsops::dither;
using bitsops::load;
using bitsops::sameElements;
using qrxtest::GuardedImage;

TEST(ReduceBits, ChecksRunInOrderAndWriteNothing) {
    qrxtest::ScopedThreads one(1);
    bitsops::forEachPair([](const auto& pair) {
        using S = typename std::decay_t<decltype(pair)>::Src;
        using D = typename std::decay_t<decltype(pair)>::Dst;
        for (const auto& op : pair.layouts) {
            SCOPED_TRACE(op.name);
            GuardedImage<S> s(5, 3, op.stride);
            GuardedImage<D> d(5, 3, op.stride);
            d.randomize(7);
            const auto snap = d.snapshot();
            const int top = pair.maxLevels;
            auto call = [&](const S* sp, D* dp, QrxRoiSize roi, int noise, int type, int levels) {
                return op.fn(sp, s.step(), dp, d.step(), roi, noise, dither(type), levels);
            };
            // Each check wins over every later one.
            EXPECT_EQ(call(nullptr, d.ptr(), {0, 0}, 101, 9, 1), qrxErrNullPtr);
            EXPECT_EQ(call(s.ptr(), nullptr, {0, 0}, 101, 9, 1), qrxErrNullPtr);
            for (QrxRoiSize roi : {QrxRoiSize{0, 3}, {5, 0}, {-1, 3}, {5, -7}})
                EXPECT_EQ(call(s.ptr(), d.ptr(), roi, 101, 9, 1), qrxErrSize);
            for (int noise : {-1, 101, INT32_MIN})
                EXPECT_EQ(call(s.ptr(), d.ptr(), {5, 3}, noise, 9, 1), qrxErrNoiseAmount);
            for (int levels : {1, 0, -5, top + 1})
                EXPECT_EQ(call(s.ptr(), d.ptr(), {5, 3}, 100, 9, levels), qrxErrLevelCount);
            // An unknown method (compared as unsigned) converts nothing.
            for (int type : {5, -1, INT32_MIN, 1000})
                EXPECT_EQ(call(s.ptr(), d.ptr(), {5, 3}, 0, type, top), qrxOk);
            EXPECT_TRUE(d.unchangedSince(snap));
            // The ends of both ranges are accepted, and steps are not checked.
            for (int type = 0; type <= 4; ++type) {
                EXPECT_EQ(call(s.ptr(), d.ptr(), {5, 3}, 0, type, 2), qrxOk);
                EXPECT_EQ(call(s.ptr(), d.ptr(), {5, 3}, 100, type, top), qrxOk);
            }
            EXPECT_EQ(op.fn(s.ptr(), 0, d.ptr(), d.step(), {5, 3}, 0, qrxDitherNone, 2), qrxOk);
        }
    });
}

TEST(ReduceBits, PlainFollowsModelForEveryPairAndLayout) {
    bitsops::forEachPair([](const auto& pair) {
        using S = typename std::decay_t<decltype(pair)>::Src;
        using D = typename std::decay_t<decltype(pair)>::Dst;
        for (const auto& op : pair.layouts)
            for (int levels : {2, 3, 7, 16, 100, 256, pair.maxLevels})
                for (int stepSign : {1, -1}) {
                    SCOPED_TRACE(op.name + " levels " + std::to_string(levels));
                    const int w = 37, h = 3, rowBytes = w * op.stride * int(sizeof(S));
                    GuardedImage<S> s(w, h, op.stride, stepSign * (rowBytes + 8));
                    GuardedImage<D> d(w, h, op.stride, -stepSign * (w * op.stride * int(sizeof(D)) + 6));
                    const auto src = bitsops::randomSamples<S>(size_t(w) * h * op.stride, levels);
                    load(s, src);
                    d.randomize(levels);
                    auto want = dense(d);
                    for (size_t i = 0; i < want.size(); ++i)
                        if (int(i % op.stride) < op.reduced)
                            want[i] = bitsmodel::plainModel<S, D>(src[i], levels - 1);
                    // The noise amount is ignored without a dither.
                    ASSERT_EQ(op.fn(s.ptr(), s.step(), d.ptr(), d.step(), {w, h}, 60,
                                    qrxDitherNone, levels),
                              qrxOk);
                    EXPECT_TRUE(sameElements(want, dense(d)));
                    EXPECT_TRUE(d.untouchedOutside());
                }
    });
}

TEST(ReduceBits, PlainKnownValues) {
    // Two levels: 127/255 is not above half the step, 128/255 is.
    GuardedImage<Qrx8u> s(256, 1), d(256, 1);
    for (int i = 0; i < 256; ++i) s.at(i, 0) = Qrx8u(i);
    ASSERT_EQ(qrxiReduceBits_8u_C1R(s.ptr(), s.step(), d.ptr(), d.step(), {256, 1}, 0,
                                    qrxDitherNone, 2),
              qrxOk);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(d.at(i, 0), i < 128 ? 0 : 255) << i;
    // 256 levels keep every 8-bit value.
    ASSERT_EQ(qrxiReduceBits_8u_C1R(s.ptr(), s.step(), d.ptr(), d.step(), {256, 1}, 0,
                                    qrxDitherNone, 256),
              qrxOk);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(d.at(i, 0), i);
    // Four levels of 16u to 8u: 0, 85, 170, 255, boundaries half way.
    GuardedImage<Qrx16u> w(6, 1);
    GuardedImage<Qrx8u> w8(6, 1);
    const Qrx16u in[6] = {0, 10922, 10923, 32767, 32768, 65535};
    const Qrx8u out[6] = {0, 0, 85, 85, 170, 255};
    for (int i = 0; i < 6; ++i) w.at(i, 0) = in[i];
    ASSERT_EQ(qrxiReduceBits_16u8u_C1R(w.ptr(), w.step(), w8.ptr(), w8.step(), {6, 1}, 0,
                                       qrxDitherNone, 4),
              qrxOk);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(w8.at(i, 0), out[i]) << in[i];
    // 16s works offset by 32768 and stores back offset.
    GuardedImage<Qrx16s> n(3, 1), n2(3, 1);
    n.at(0, 0) = -32768, n.at(1, 0) = 0, n.at(2, 0) = 32767;
    ASSERT_EQ(qrxiReduceBits_16s_C1R(n.ptr(), n.step(), n2.ptr(), n2.step(), {3, 1}, 0,
                                     qrxDitherNone, 3),
              qrxOk);
    EXPECT_EQ(n2.at(0, 0), -32768);
    EXPECT_EQ(n2.at(1, 0), -1);  // the middle level, 32767, stored offset
    EXPECT_EQ(n2.at(2, 0), 32767);
    // Floats beyond the nominal range saturate.
    GuardedImage<Qrx32f> f(4, 1);
    GuardedImage<Qrx8u> f8(4, 1);
    f.at(0, 0) = 1.5f, f.at(1, 0) = -0.2f, f.at(2, 0) = 0.5f, f.at(3, 0) = 1.0f;
    ASSERT_EQ(qrxiReduceBits_32f8u_C1R(f.ptr(), f.step(), f8.ptr(), f8.step(), {4, 1}, 0,
                                       qrxDitherNone, 256),
              qrxOk);
    EXPECT_EQ(f8.at(0, 0), 255);
    EXPECT_EQ(f8.at(1, 0), 0);
    EXPECT_EQ(f8.at(2, 0), 127);
    EXPECT_EQ(f8.at(3, 0), 255);
}

// C4 reduces the fourth channel like the others; AC4 never writes it.
TEST(ReduceBits, FourthChannelByLayoutInEveryMethod) {
    for (int type = 0; type <= 4; ++type)
        for (int noise : {0, 30}) {
            SCOPED_TRACE("method " + std::to_string(type) + " noise " + std::to_string(noise));
            GuardedImage<Qrx8u> s(9, 4, 4), c4(9, 4, 4), ac4(9, 4, 4);
            s.randomize(3);
            c4.fill(77);
            ac4.fill(77);
            ASSERT_EQ(qrxiReduceBits_8u_C4R(s.ptr(), s.step(), c4.ptr(), c4.step(), {9, 4}, noise,
                                            dither(type), 2),
                      qrxOk);
            ASSERT_EQ(qrxiReduceBits_8u_AC4R(s.ptr(), s.step(), ac4.ptr(), ac4.step(), {9, 4},
                                             noise, dither(type), 2),
                      qrxOk);
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 9; ++x) {
                    EXPECT_EQ(ac4.at(x, y, 3), 77);
                    EXPECT_TRUE(c4.at(x, y, 3) == 0 || c4.at(x, y, 3) == 255);
                    for (int c = 0; c < 3; ++c) EXPECT_NE(ac4.at(x, y, c), 77);
                }
        }
}

// NaN and -infinity are stored as the bottom value and +infinity as the
// top, exactly as finite values beyond the two ends would be: in the
// diffusion methods none of them passes an error on.
TEST(ReduceBits, FloatExtremesActLikeValuesBeyondTheEnds) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const int w = 23, h = 6;
    auto src = bitsops::randomSamples<Qrx32f>(size_t(w) * h * 3, 5);
    auto twin = src;
    const float odd[] = {nan, -nan, inf, -inf, 3e38f, -3e38f, 2e9f};
    const float same[] = {-10.0f, -10.0f, 10.0f, -10.0f, 10.0f, -10.0f, 10.0f};
    for (size_t i = 0; i < src.size(); i += 11) {
        src[i] = odd[(i / 11) % 7];
        twin[i] = same[(i / 11) % 7];
    }
    for (int type = 0; type <= 4; ++type)
        for (int noise : {0, 100}) {
            SCOPED_TRACE("method " + std::to_string(type) + " noise " + std::to_string(noise));
            GuardedImage<Qrx32f> a(w, h, 3), b(w, h, 3);
            load(a, src);
            load(b, twin);
            GuardedImage<Qrx16s> da(w, h, 3), db(w, h, 3);
            for (int levels : {2, 256}) {
                ASSERT_EQ(qrxiReduceBits_32f16s_C3R(a.ptr(), a.step(), da.ptr(), da.step(), {w, h},
                                                    noise, dither(type), levels),
                          qrxOk);
                ASSERT_EQ(qrxiReduceBits_32f16s_C3R(b.ptr(), b.step(), db.ptr(), db.step(), {w, h},
                                                    noise, dither(type), levels),
                          qrxOk);
                EXPECT_TRUE(sameElements(dense(db), dense(da)));
                EXPECT_EQ(da.at(0, 0, 0), -32768);  // the NaN in the first element
            }
        }
}

// Without noise the 16s extremes are the ends of the working range in every
// method (random thresholds below zero may lift the bottom by a step).
TEST(ReduceBits, SixteenBitExtremes) {
    for (int type = 0; type <= 4; ++type) {
        const int noise = 0;
        SCOPED_TRACE("method " + std::to_string(type));
        GuardedImage<Qrx16s> s(7, 3, 1), d(7, 3, 1);
            GuardedImage<Qrx8u> d8(7, 3, 1);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 7; ++x) s.at(x, y) = (x + y) % 2 ? 32767 : -32768;
            ASSERT_EQ(qrxiReduceBits_16s_C1R(s.ptr(), s.step(), d.ptr(), d.step(), {7, 3}, noise,
                                             dither(type), 65536),
                      qrxOk);
            ASSERT_EQ(qrxiReduceBits_16s8u_C1R(s.ptr(), s.step(), d8.ptr(), d8.step(), {7, 3},
                                               noise, dither(type), 256),
                      qrxOk);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 7; ++x) {
                    EXPECT_EQ(d.at(x, y), s.at(x, y));
                    EXPECT_EQ(d8.at(x, y), s.at(x, y) < 0 ? 0 : 255);
                }
    }
}

// Steps are not checked; they count whole elements, rounded down, so an odd
// step of a 16-bit or float image acts as the even step below it (for a
// negative step too), and a zero source step reads row 0 for every row.
TEST(ReduceBits, StepsCountWholeElements) {
    const int w = 5, h = 4;
    std::vector<Qrx16u> src(64 * h), a(64 * h, 7), b(64 * h, 7);
    for (size_t i = 0; i < src.size(); ++i) src[i] = Qrx16u(i * 2654435761u >> 16);
    for (int type = 0; type <= 4; ++type) {
        SCOPED_TRACE("method " + std::to_string(type));
        // 23 and 22 bytes: rows 11 elements apart; -23 and -24 bytes: 12 back.
        const Qrx16u* s = src.data() + 64;
        Qrx16u* da = a.data() + 160;
        Qrx16u* db = b.data() + 160;
        ASSERT_EQ(qrxiReduceBits_16u_C1R(s, 23, da, -23, {w, h}, 10, dither(type), 9), qrxOk);
        ASSERT_EQ(qrxiReduceBits_16u_C1R(s, 22, db, -24, {w, h}, 10, dither(type), 9), qrxOk);
        EXPECT_TRUE(sameElements(b, a));
        std::vector<Qrx16u> z(w * h);
        ASSERT_EQ(qrxiReduceBits_16u_C1R(s, 0, z.data(), 10, {w, h}, 0, qrxDitherNone, 9), qrxOk);
        for (int y = 1; y < h; ++y)
            for (int x = 0; x < w; ++x) EXPECT_EQ(z[5 * y + x], z[x]);
    }
}

}  // namespace
