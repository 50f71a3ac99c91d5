// Checks shared by the operations between two interleaved images: the
// argument checks of those whose steps are not checked, and the same result
// for every thread count.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "guarded_image.h"
#include "qrxcc.h"
#include "threads.h"

namespace qrxtest {

template <class S, class D>
using PixelFn = QrxStatus (*)(const S*, int, D*, int, QrxRoiSize);

// Null pointers before the size (a null pointer with a bad size reports the
// pointer), and nothing written on failure. Steps are not checked: a zero
// source step converts row 0 into every row, and wider samples' steps count
// whole samples (a stray byte is dropped).
template <class S, class D>
void expectNullsThenSize(PixelFn<S, D> fn, int srcChannels, int dstChannels) {
    GuardedImage<S> s(4, 3, srcChannels);
    GuardedImage<D> d(4, 3, dstChannels);
    s.randomize(5);
    const auto snap = d.snapshot();
    EXPECT_EQ(fn(nullptr, s.step(), d.ptr(), d.step(), {0, 3}), qrxErrNullPtr);
    EXPECT_EQ(fn(s.ptr(), s.step(), nullptr, d.step(), {4, -3}), qrxErrNullPtr);
    for (QrxRoiSize roi : {QrxRoiSize{0, 3}, {4, 0}, {-4, 3}, {4, -1}})
        EXPECT_EQ(fn(s.ptr(), s.step(), d.ptr(), d.step(), roi), qrxErrSize);
    EXPECT_TRUE(d.unchangedSince(snap));
    ASSERT_EQ(fn(s.ptr(), 0, d.ptr(), d.step(), {4, 3}), qrxOk);
    const size_t row = 4 * dstChannels * sizeof(D);
    EXPECT_EQ(std::memcmp(d.row(0), d.row(1), row), 0);
    EXPECT_EQ(std::memcmp(d.row(0), d.row(2), row), 0);
    if constexpr (sizeof(S) > 1 || sizeof(D) > 1) {
        const auto want = (fn(s.ptr(), s.step(), d.ptr(), d.step(), {4, 3}), d.snapshot());
        ASSERT_EQ(fn(s.ptr(), s.step() + int(sizeof(S)) - 1, d.ptr(), d.step() + int(sizeof(D)) - 1, {4, 3}),
                  qrxOk);
        EXPECT_TRUE(d.unchangedSince(want));
    }
}

// run() gives the same result under every thread count of kThreadCounts.
template <class Run>
void expectSameForEveryThreadCount(Run&& run) {
    std::vector<decltype(run())> results;
    for (int threads : kThreadCounts) {
        ScopedThreads scope(threads);
        results.push_back(run());
    }
    for (size_t i = 1; i < results.size(); ++i)
        EXPECT_TRUE(results[i] == results[0]) << kThreadCounts[i] << " threads";
}

}  // namespace qrxtest
