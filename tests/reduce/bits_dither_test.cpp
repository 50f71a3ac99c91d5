// Ordered dithering and error diffusion against their models for every type
// pair and layout, with and without noise; thread counts; known patterns;
// scratch allocation failures.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "alloc_hooks.h"
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
using qrxtest::ScopedThreads;

// Runs `op` on a w x h image (padded source rows, backwards destination
// rows, destination starting random) and returns the destination; checks
// that nothing outside the region was touched.
template <class S, class D>
std::vector<D> runOp(const bitsops::Layout<S, D>& op, const std::vector<S>& src, int w, int h,
                     int noise, int type, int levels, std::vector<D>* before = nullptr) {
    GuardedImage<S> s(w, h, op.stride, (w * op.stride + 3) * int(sizeof(S)));
    GuardedImage<D> d(w, h, op.stride, -(w * op.stride + 1) * int(sizeof(D)));
    load(s, src);
    d.randomize(uint32_t(w * 31 + h));
    if (before) *before = dense(d);
    EXPECT_EQ(op.fn(s.ptr(), s.step(), d.ptr(), d.step(), {w, h}, noise, dither(type), levels),
              qrxOk);
    EXPECT_TRUE(d.untouchedOutside());
    return dense(d);
}

TEST(ReduceBitsOrdered, FollowsModelForEveryPairAndLayout) {
    ScopedThreads one(1);
    bitsops::forEachPair([](const auto& pair) {
        using S = typename std::decay_t<decltype(pair)>::Src;
        using D = typename std::decay_t<decltype(pair)>::Dst;
        for (const auto& op : pair.layouts)
            for (int levels : {2, 5, 256, pair.maxLevels})
                for (int noise : {0, 1, 37, 100})
                    for (int w : {1, 3, 9, 17, 35, 130}) {
                        SCOPED_TRACE(op.name + " levels " + std::to_string(levels) + " noise " +
                                     std::to_string(noise) + " width " + std::to_string(w));
                        const int h = 6;
                        const auto src = bitsops::randomSamples<S>(size_t(w) * h * op.stride, w + levels);
                        std::vector<D> want;
                        const auto got = runOp(op, src, w, h, noise, qrxDitherBayer4x4, levels, &want);
                        bitsmodel::orderedModel(src, want, w, h, op.stride, op.reduced, levels - 1, noise);
                        ASSERT_TRUE(sameElements(want, got));
                    }
    });
}

TEST(ReduceBitsOrdered, KnownPatterns) {
    // Two levels over a constant 128: 255 where the matrix entry B is at
    // most 7 (B/15 x 255 < 128), 0 elsewhere; half of every 4 x 4 tile.
    GuardedImage<Qrx8u> s(8, 8), d(8, 8);
    s.fill(128);
    ASSERT_EQ(qrxiReduceBits_8u_C1R(s.ptr(), s.step(), d.ptr(), d.step(), {8, 8}, 0,
                                    qrxDitherBayer4x4, 2),
              qrxOk);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(d.at(x, y), bitsmodel::kB[y % 4][x % 4] <= 7 ? 255 : 0) << x << "," << y;
    // Eight levels over 255: the top level 7 x 36.4285698 is 254.999985 in
    // single precision. Where the matrix entry is 0 the remainder is above
    // the threshold, the level is raised a step and saturates to 255; every
    // other entry keeps 254.999985, stored truncated as 254.
    s.fill(255);
    ASSERT_EQ(qrxiReduceBits_8u_C1R(s.ptr(), s.step(), d.ptr(), d.step(), {8, 8}, 0,
                                    qrxDitherBayer4x4, 8),
              qrxOk);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(d.at(x, y), bitsmodel::kB[y % 4][x % 4] == 0 ? 255 : 254) << x << "," << y;
    // The phase follows the region: one pixel further right, the pattern
    // of the same bytes shifts.
    for (int x = 0; x < 8; ++x) s.at(x, 0) = Qrx8u(128);
    GuardedImage<Qrx8u> a(8, 1), b(7, 1);
    ASSERT_EQ(qrxiReduceBits_8u_C1R(s.ptr(), s.step(), a.ptr(), a.step(), {8, 1}, 0,
                                    qrxDitherBayer4x4, 2),
              qrxOk);
    ASSERT_EQ(qrxiReduceBits_8u_C1R(s.ptr() + 1, s.step(), b.ptr(), b.step(), {7, 1}, 0,
                                    qrxDitherBayer4x4, 2),
              qrxOk);
    const int row0[4] = {255, 0, 255, 0};  // B = 0, 8, 2, 10
    for (int x = 0; x < 7; ++x) {
        EXPECT_EQ(a.at(x + 1, 0), row0[(x + 1) % 4]);
        EXPECT_EQ(b.at(x, 0), row0[x % 4]);
    }
}

TEST(ReduceBitsOrdered, SameForEveryThreadCount) {
    const int w = 61, h = 45;
    const auto src = bitsops::randomSamples<Qrx16u>(size_t(w) * h * 3, 9);
    bitsops::forEachPair([&](const auto& pair) {
        using S = typename std::decay_t<decltype(pair)>::Src;
        if constexpr (std::is_same_v<S, Qrx16u>) {
            for (int noise : {0, 30}) {
                const auto& op = pair.layouts[1];  // C3
                std::vector<std::vector<typename std::decay_t<decltype(pair)>::Dst>> outs;
                for (int threads : qrxtest::kThreadCounts) {
                    ScopedThreads scope(threads);
                    outs.push_back(runOp(op, src, w, h, noise, qrxDitherBayer4x4, 5));
                }
                EXPECT_TRUE(sameElements(outs[0], outs[1]));
                EXPECT_TRUE(sameElements(outs[0], outs[2]));
            }
        }
    });
}

TEST(ReduceBitsDiffusion, FollowsModelForEveryPairAndLayout) {
    ScopedThreads one(1);
    bitsops::forEachPair([](const auto& pair) {
        using S = typename std::decay_t<decltype(pair)>::Src;
        using D = typename std::decay_t<decltype(pair)>::Dst;
        for (const auto& op : pair.layouts)
            for (int method : {1, 2, 3})
                for (int levels : {2, 7, pair.maxLevels})
                    for (int noise : {0, 1, 100})
                        for (QrxRoiSize roi : {QrxRoiSize{1, 5}, {2, 3}, {13, 7}}) {
                            SCOPED_TRACE(op.name + " method " + std::to_string(method) + " levels " +
                                         std::to_string(levels) + " noise " + std::to_string(noise) +
                                         " width " + std::to_string(roi.width));
                            const auto src = bitsops::randomSamples<S>(
                                size_t(roi.width) * roi.height * op.stride, levels + method);
                            std::vector<D> want;
                            const auto got = runOp(op, src, roi.width, roi.height, noise, method, levels, &want);
                            bitsmodel::diffusionModel(src, want, roi.width, roi.height, op.stride,
                                                      op.reduced, levels - 1, noise, method, 1);
                            ASSERT_TRUE(sameElements(want, got));
                        }
    });
}

// With several channels a worker that runs more than one starts each later
// channel from the error rows of the one before, so the result follows the
// channel groups of the thread count; one channel is the same on any count.
TEST(ReduceBitsDiffusion, ResultPinnedPerThreadCount) {
    const int w = 19, h = 9;
    for (int method : {1, 2, 3}) {
        SCOPED_TRACE("method " + std::to_string(method));
        for (int stride : {1, 3, 4}) {
            const auto src = bitsops::randomSamples<Qrx8u>(size_t(w) * h * stride, stride);
            const bitsops::Layout<Qrx8u, Qrx8u> op =
                stride == 1 ? bitsops::Layout<Qrx8u, Qrx8u>{"C1", qrxiReduceBits_8u_C1R, 1, 1}
                : stride == 3 ? bitsops::Layout<Qrx8u, Qrx8u>{"C3", qrxiReduceBits_8u_C3R, 3, 3}
                              : bitsops::Layout<Qrx8u, Qrx8u>{"C4", qrxiReduceBits_8u_C4R, 4, 4};
            std::vector<Qrx8u> first;
            for (int threads : {1, 2, 3, 4, 8}) {
                SCOPED_TRACE(op.name + " threads " + std::to_string(threads));
                ScopedThreads scope(threads);
                std::vector<Qrx8u> want;
                const auto got = runOp(op, src, w, h, 20, method, 4, &want);
                bitsmodel::diffusionModel(src, want, w, h, stride, stride, 3, 20, method, threads);
                EXPECT_TRUE(sameElements(want, got));
                if (threads == 1) first = got;
                // One thread and three differ for C3 (channel 1 inherits rows
                // from channel 0 only on one thread); C1 never differs.
                if (threads == 3) {
                    EXPECT_EQ(first == got, stride == 1);
                }
            }
        }
    }
}

TEST(ReduceBitsDiffusion, KnownValues) {
    // Two levels, Floyd-Steinberg, constant 128: 128 is above half the
    // step (127.5), so 255 with error -127; the next pixel gets 7/16 of it,
    // 128 - 55.5625 = 72.4375, and becomes 0.
    GuardedImage<Qrx8u> s(4, 2), d(4, 2);
    s.fill(128);
    ASSERT_EQ(qrxiReduceBits_8u_C1R(s.ptr(), s.step(), d.ptr(), d.step(), {4, 2}, 0,
                                    qrxDitherFloydSteinberg, 2),
              qrxOk);
    EXPECT_EQ(d.at(0, 0), 255);
    EXPECT_EQ(d.at(1, 0), 0);
    // Constant black and white stay constant in every method and noise.
    for (int method : {1, 2, 3})
        for (int value : {0, 255})
            for (int noise : {0, 50}) {
                GuardedImage<Qrx8u> c(11, 5, 3), o(11, 5, 3);
                c.fill(Qrx8u(value));
                ASSERT_EQ(qrxiReduceBits_8u_C3R(c.ptr(), c.step(), o.ptr(), o.step(), {11, 5}, noise,
                                                dither(method), 3),
                          qrxOk);
                for (int y = 0; y < 5; ++y)
                    for (int x = 0; x < 11; ++x)
                        for (int ch = 0; ch < 3; ++ch)
                            EXPECT_EQ(o.at(x, y, ch), value) << method << " " << noise;
            }
    // A 32f value of 1.0 meeting no error (the first pixel) is the top and
    // passes nothing on: the rest of the image is as if it were 7.0.
    GuardedImage<Qrx32f> f(5, 3), g(5, 3);
    GuardedImage<Qrx8u> fo(5, 3), go(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) f.at(x, y) = g.at(x, y) = 0.3f + 0.1f * x;
    f.at(0, 0) = 1.0f;
    g.at(0, 0) = 7.0f;
    for (int method : {1, 2, 3}) {
        ASSERT_EQ(qrxiReduceBits_32f8u_C1R(f.ptr(), f.step(), fo.ptr(), fo.step(), {5, 3}, 0,
                                           dither(method), 3),
                  qrxOk);
        ASSERT_EQ(qrxiReduceBits_32f8u_C1R(g.ptr(), g.step(), go.ptr(), go.step(), {5, 3}, 0,
                                           dither(method), 3),
                  qrxOk);
        EXPECT_TRUE(sameElements(dense(go), dense(fo)));
        EXPECT_EQ(fo.at(0, 0), 255);
    }
}

// Every scratch allocation a call makes, failed in turn: the call reports
// it, writes nothing and releases everything it had obtained.
TEST(ReduceBits, EveryAllocationFailureIsReported) {
    struct Case {
        int method, noise, threads, channels, allocations;
    };
    const Case cases[] = {
        {0, 0, 1, 3, 0},  {0, 40, 2, 3, 0},  // no dither: no scratch
        {4, 0, 2, 3, 0},                     // ordered without noise: none
        {4, 40, 2, 3, 4},                    // offsets, indices, two generators
        {4, 40, 2, 4, 4},  {1, 0, 1, 1, 1},  // error rows
        {1, 0, 3, 3, 1},   {2, 0, 2, 4, 1}, {3, 0, 8, 3, 1},
        {1, 40, 2, 3, 5},  {2, 40, 1, 1, 5},  // thresholds, indices, generators, rows
        {3, 40, 3, 4, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("method " + std::to_string(c.method) + " noise " + std::to_string(c.noise) +
                     " threads " + std::to_string(c.threads) + " channels " + std::to_string(c.channels));
        ScopedThreads scope(c.threads);
        const auto fn = c.channels == 1 ? qrxiReduceBits_32f16u_C1R
                        : c.channels == 3 ? qrxiReduceBits_32f16u_C3R
                                          : qrxiReduceBits_32f16u_C4R;
        GuardedImage<Qrx32f> s(21, 4, c.channels);
        GuardedImage<Qrx16u> d(21, 4, c.channels);
        load(s, bitsops::randomSamples<Qrx32f>(21 * 4 * c.channels, 3));
        d.randomize(5);
        const auto snap = d.snapshot();
        const long live = qrxtest::liveAllocations();
        qrxtest::resetAllocCounters();
        auto call = [&] {
            return fn(s.ptr(), s.step(), d.ptr(), d.step(), {21, 4}, c.noise, dither(c.method), 9);
        };
        for (int n = 1; n <= c.allocations; ++n) {
            qrxtest::ScopedMallocFailure fail(n);
            EXPECT_EQ(call(), qrxErrMemAlloc) << "allocation " << n;
            EXPECT_TRUE(d.unchangedSince(snap));
            EXPECT_EQ(qrxtest::liveAllocations(), live);
        }
        qrxtest::resetAllocCounters();
        EXPECT_EQ(call(), qrxOk);
        EXPECT_EQ(qrxtest::mallocCalls(), c.allocations);
        EXPECT_EQ(qrxtest::liveAllocations(), live);
    }
}

// The error rows: one block per thread of the region (one fewer for three
// channels on four or more threads), 2w + 4 floats for Floyd-Steinberg,
// 3w + 12 for the wide kernels; one block for a single channel.
TEST(ReduceBitsDiffusion, ErrorRowsOneBlockPerWorker) {
    const int w = 10;
    for (int method : {1, 2, 3})
        for (int channels : {1, 3, 4})
            for (int threads : {1, 2, 3, 4, 8}) {
                SCOPED_TRACE("method " + std::to_string(method) + " channels " +
                             std::to_string(channels) + " threads " + std::to_string(threads));
                ScopedThreads scope(threads);
                const auto fn = channels == 1 ? qrxiReduceBits_16u8u_C1R
                                : channels == 3 ? qrxiReduceBits_16u8u_C3R
                                                : qrxiReduceBits_16u8u_C4R;
                GuardedImage<Qrx16u> s(w, 3, channels);
                GuardedImage<Qrx8u> d(w, 3, channels);
                qrxtest::resetAllocCounters();
                ASSERT_EQ(fn(s.ptr(), s.step(), d.ptr(), d.step(), {w, 3}, 0, dither(method), 5),
                          qrxOk);
                const int blocks = channels == 1                    ? 1
                                   : channels == 3 && threads >= 4 ? threads - 1
                                                                   : threads;
                const int floats = method == 1 ? 2 * w + 4 : 3 * w + 12;
                EXPECT_EQ(qrxtest::mallocCalls(), 1);
                EXPECT_EQ(qrxtest::mallocBytes(), 4ull * blocks * floats);
            }
}

// The same buffer may be source and destination: every element is read
// before it is written, by the vector groups too.
TEST(ReduceBits, InPlaceGivesTheSameResult) {
    ScopedThreads one(1);
    bitsops::forEachPair([](const auto& pair) {
        using S = typename std::decay_t<decltype(pair)>::Src;
        using D = typename std::decay_t<decltype(pair)>::Dst;
        if constexpr (std::is_same_v<S, D>) {
            for (const auto& op : pair.layouts)
                for (int method = 0; method <= 4; ++method)
                    for (int noise : {0, 20}) {
                        SCOPED_TRACE(op.name + " method " + std::to_string(method));
                        const int w = 150, h = 3;
                        const auto src = bitsops::randomSamples<S>(size_t(w) * h * op.stride, 4);
                        const auto want = runOp(op, src, w, h, noise, method, 7);
                        GuardedImage<S> img(w, h, op.stride);
                        load(img, src);
                        ASSERT_EQ(op.fn(img.ptr(), img.step(), img.ptr(), img.step(), {w, h},
                                        noise, dither(method), 7),
                                  qrxOk);
                        auto got = dense(img);
                        // AC4 keeps the source's fourth element, the other
                        // call its destination's: compare the reduced ones.
                        for (size_t i = 3; op.reduced == 3 && op.stride == 4 && i < got.size(); i += 4)
                            got[i] = want[i];
                        EXPECT_TRUE(sameElements(want, got));
                    }
        }
    });
}

// 16s to 8u diffuses with the second sum order and the nudged conversions.
// Over every 16-bit value, in long rows where the errors take many values
// (steps that are not whole numbers, thresholds spread by noise), the
// other order or the plain conversions change some bytes.
TEST(ReduceBitsDiffusion, SixteenToEightBitFloydSteinbergOverEveryValue) {
    const int w = 4096, h = 16;
    std::vector<Qrx16s> src(size_t(w) * h);
    for (size_t i = 0; i < src.size(); ++i) src[i] = Qrx16s(int(i * 40503u % 65536u) - 32768);
    const bitsops::Layout<Qrx16s, Qrx8u> op{"16s8u_C1R", qrxiReduceBits_16s8u_C1R, 1, 1};
    for (int levels : {9, 100, 256})
        for (int noise : {0, 100}) {
            SCOPED_TRACE("levels " + std::to_string(levels) + " noise " + std::to_string(noise));
            std::vector<Qrx8u> want;
            const auto got = runOp(op, src, w, h, noise, qrxDitherFloydSteinberg, levels, &want);
            bitsmodel::diffusionModel(src, want, w, h, 1, 1, levels - 1, noise, 1, 1);
            EXPECT_TRUE(sameElements(want, got));
        }
}

}  // namespace
